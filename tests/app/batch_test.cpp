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
}

TEST(BatchParse, DoubleDashEndsOptions) {
  auto o = parse({"--", "--odd-name.xyz"});
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
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, BatchBadUsage, ::testing::ValuesIn(BatchBadUsageRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(BatchRun, NothingToRead) {
  std::ostringstream out, err;
  EXPECT_EQ(runBatch(parse({}), out, err), 2);
  EXPECT_NE(err.str().find("nothing to read"), std::string::npos);
  TempDir dir;
  EXPECT_EQ(runBatch(parse({"job.ddr"}), out, err), 2);  // the chooser would open
}

TEST(BatchRun, HelpAndVersion) {
  std::ostringstream out, err;
  EXPECT_EQ(runBatch(parse({"--help"}), out, err), 0);
  for (const char* opt :
       {"--geometry", "--answer", "--size", "--mpo",      "--ic",           "--kel",
        "--add",      "--place",  "--pdb",  "--gjf",      "--list-scratch", "--erase",
        "--view",     "--rotate", "--zoom", "--balls",    "--labels",       "--hatoms",
        "--measure",  "--delete", "--undo", "--distance", "--vibrate",      "--amplitude",
        "--speed",    "--render"})
    EXPECT_NE(out.str().find(opt), std::string::npos) << opt;
  std::ostringstream v;
  EXPECT_EQ(runBatch(parse({"--version"}), v, err), 0);
  EXPECT_EQ(v.str(), "kelvorin 2.2\n");
}

TEST(BatchRun, UnreadableFileExitsOne) {
  TempDir dir;
  std::ostringstream out, err;
  EXPECT_EQ(runBatch(parse({"missing.xyz"}), out, err), 1);
}

}  // namespace
}  // namespace kel::testing
