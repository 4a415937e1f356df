// Kelvorin - desktop workbench for vibrational calculations.
#include "app/batch.hpp"

#include "testing.hpp"

namespace kel::testing {
namespace {

/// A summary of water with three modes.
const std::string Water = slurp(fixture("kel/water.kel"));

TEST(BatchGaussian, KelAsksBeforeOverwritingNoAnswerCancels) {
  TempDir dir;
  auto f = dir.write("w.kel", Water);
  auto r = batch({"--kel", f});
  EXPECT_EQ(slurp(f), Water);
  EXPECT_NE(r.err.find("KEL not saved"), std::string::npos);
  r = batch({"--kel", "--answer", "asis", f});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(slurp(f), Water);
  EXPECT_TRUE(fs::exists(dir.path() / "asis.kel"));
  EXPECT_NE(r.err.find("CAUTION: alraeady exists file"), std::string::npos);
}

TEST(BatchGaussian, AddWithoutPlaceGoesRightPlaceChoicesAndCancel) {
  TempDir dir;
  auto f = dir.write("w.kel", Water);
  auto g = dir.write("second.kel", Water);
  auto r = batch({f, "--add", g});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(hasLine(r.out, "Coordinates of  3 atoms have been add"));
  EXPECT_TRUE(hasLine(r.out, "old 3 la= 6"));
  EXPECT_NE(r.out.find("\nstructure added at Xpos = "), std::string::npos) << r.out;
  r = batch({f, "--add", g, "--place", "left,above", "--add", g, "--place", "cancel"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\nstructure added at Xpos =-"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n               and Zpos =-"), std::string::npos) << r.out;
  EXPECT_TRUE(hasLine(r.out, "old 3 la= 6"));
  EXPECT_TRUE(hasLine(r.out, "... add stucture cancelled"));
}

TEST(BatchGaussian, AddOfAMissingFileFails) {
  TempDir dir;
  auto f = dir.write("w.kel", Water);
  auto r = batch({f, "--add", (dir.path() / "none.kel").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("file not found: "), std::string::npos);
}

TEST(BatchGaussian, DamagedSummariesAndEmptyAdditionsFailAndStay) {
  TempDir dir;
  // two of three modes: refused, exit 1, no " all is good" after the reason
  std::string cut = Water;
  cut.resize(cut.rfind("F =3800.00"));
  auto f = dir.write("c.kel", cut);
  auto r = batch({f});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(hasLine(r.err, f + "  table ends after 2 of 3 modes")) << r.err;
  EXPECT_EQ(r.err.find("all is good"), std::string::npos) << r.err;
  EXPECT_EQ(slurp(f), cut);
  auto empty = dir.write("e.kel", "");
  r = batch({dir.write("w.kel", Water), "--add", empty});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(fs::exists(empty));
}

}  // namespace
}  // namespace kel::testing
