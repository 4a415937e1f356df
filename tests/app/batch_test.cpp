// Kelvorin - desktop workbench for vibrational calculations.
// The batch command line: parsing, usage errors, answers to input boxes, exit status.
#include "app/batch.hpp"
#include "testing.hpp"

#include <sstream>

namespace kel::testing {
namespace {

BatchOptions parse(std::vector<std::string> args) {
  BatchOptions o;
  parseBatch(args, o);
  return o;
}

TEST(BatchParse, WordsAndOptionsInAnyOrder) {
  auto o = parse({"--geometry", "emin", "water.log", "--answer", "cancel", "job.dd2", "--ic"});
  EXPECT_EQ(o.error, "");
  EXPECT_EQ(o.geometry, "emin");
  EXPECT_EQ(o.words, (std::vector<std::string>{"water.log", "job.dd2"}));
  EXPECT_EQ(o.answers, (std::vector<std::string>{"cancel"}));
  ASSERT_EQ(o.commands.size(), 1u);
  EXPECT_EQ(o.commands[0].option, "--ic");
  o = parse({"--", "--odd-name.xyz"});  // a double dash ends the options
  EXPECT_EQ(o.error, "");
  EXPECT_EQ(o.words, std::vector<std::string>{"--odd-name.xyz"});
}

TEST(BatchParse, FileOptionsAreTakenFromTheStartFolder) {
  TempDir dir;
  auto o = parse({"x.xyz", "--render", "pic.png", "--mpo", "sub/a.mpo"});
  ASSERT_EQ(o.commands.size(), 2u);
  EXPECT_EQ(o.commands[0].value, (dir.path() / "pic.png").string());
  EXPECT_EQ(o.commands[1].value, (dir.path() / "sub/a.mpo").string());
}

struct BadRow {
  const char* name;
  std::vector<std::string> args;
};

class BatchBadUsage : public ::testing::TestWithParam<BadRow> {};

TEST_P(BatchBadUsage, IsRefused) {
  auto o = parse(GetParam().args);
  EXPECT_NE(o.error, "");
  std::ostringstream out, err;
  EXPECT_EQ(runBatch(o, out, err), 2);
  EXPECT_NE(err.str().find("usage:"), std::string::npos);
}

// clang-format off
const BadRow BatchBadUsageRows[] = {
  {"unknown", {"--frobnicate", "a.xyz"}}, {"missing_value", {"a.xyz", "--zoom"}},
  {"geometry", {"--geometry", "middle", "a.xyz"}}, {"size", {"--size", "800", "a.xyz"}},
  {"rotate_axis", {"--rotate", "w:30", "a.xyz"}}, {"measure_one", {"--measure", "1", "a.xyz"}},
  {"measure_text", {"--measure", "1,b", "a.xyz"}}, {"distance", {"--distance", "1,2", "a.xyz"}},
  {"place_alone", {"a.xyz", "--place", "right"}},
  {"place_word", {"--add", "b.kel", "--place", "up", "a.xyz"}},
  {"labels", {"--labels", "names", "a.xyz"}}, {"three_words", {"a.xyz", "b", "c"}},
  {"fwhm_zero", {"--fwhm", "0", "a.xyz"}}, {"lineshape", {"--lineshape", "voigt", "a.xyz"}},
  {"range_reversed", {"--range", "4000:400", "a.xyz"}}, {"step_text", {"--step", "one", "a.xyz"}},
  {"spectrum_pdf", {"--spectrum", "s.pdf", "a.xyz"}}, {"fit_alone", {"--fit-scale", "a.xyz"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, BatchBadUsage, ::testing::ValuesIn(BatchBadUsageRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(BatchRun, ExitStatusOfEmptyHelpVersionAndUnreadableRuns) {
  TempDir dir;
  auto r = batch({});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("nothing to read"), std::string::npos);
  EXPECT_EQ(batch({"job.ddr"}).status, 2);  // the chooser would open
  EXPECT_EQ(batch({"missing.xyz"}).status, 1);
  r = batch({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* opt :
       {"--geometry", "--answer", "--size", "--mpo",      "--ic",           "--kel",
        "--add",      "--place",  "--pdb",  "--gjf",      "--list-scratch", "--erase",
        "--view",     "--rotate", "--zoom", "--balls",    "--labels",       "--hatoms",
        "--measure",  "--delete", "--undo", "--distance", "--vibrate",      "--amplitude",
        "--speed",    "--render"})
    EXPECT_NE(r.out.find(opt), std::string::npos) << opt;
  r = batch({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "kelvorin 2.2\n");
}

TEST(BatchRun, ADocumentWrittenAfterAFailedCommandIsNotOk) {
  TempDir dir;
  dir.write("w.xyz", "3\nwater\nO 0 0 0.1173\nH 0 0.7572 -0.4692\nH 0 -0.7572 -0.4692\n");
  auto r = batch({"w.xyz", "--json", "-"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(R"("ok": true)"), std::string::npos) << r.out;
  r = batch({"w.xyz", "--mpo", "missing.mpo", "--json", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(R"("ok": false)"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace kel::testing
