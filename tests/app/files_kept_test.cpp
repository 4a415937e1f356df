// Kelvorin - desktop workbench for vibrational calculations.
// Nothing the user wrote is lost: an edited connection file, a folder that cannot be written,
// failed steps in the exit status.
#include "app/app.hpp"
#include "app/batch.hpp"
#include "testing.hpp"

#include <unistd.h>
#include <cstdlib>
#include <set>

namespace kel::testing {
namespace {

constexpr const char* WaterXyz = "3\nw\nO 0 0 0.1173\nH 0 0.7572 -0.4692\nH 0 -0.7572 -0.4692\n";

using Outcome = BatchResult;

std::set<std::string> namesIn(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

class FilesKept : public ::testing::Test {
 protected:
  TempDir dir;
  void SetUp() override { dir.write("water.xyz", WaterXyz); }
};

TEST_F(FilesKept, EditedConnectionFileSurvivesReadsAndInputs) {
  dir.write("water.mpo", "my own matrix\n");
  std::string log;
  for (auto extra :
       {std::vector<std::string>{}, {}, {"--mpo", "water.mpo"}, {"--mpo", "water.mpo"}}) {
    fs::current_path(dir.path());
    extra.insert(extra.begin(), "water.xyz");
    Outcome r = batch(extra);
    EXPECT_EQ(r.status, 0) << r.err;
    log += r.out;
  }
  int kept = 0;
  for (const auto& name : namesIn(dir.path()))
    if (name.ends_with(".mpo") && slurp(dir.path() / name) == "my own matrix\n") {
      ++kept;
      EXPECT_NE(log.find("Old file renamed as "), std::string::npos);
      EXPECT_NE(log.find(name + "\n"), std::string::npos) << name << " is not named\n" << log;
    }
  EXPECT_GT(kept, 0);
}

TEST_F(FilesKept, ReadOnlyFolderIsReadAndLeftUntouched) {
  const fs::path shared = dir.path() / "shared";
  fs::create_directories(shared);
  fs::rename(dir.path() / "water.xyz", shared / "water.xyz");
  const std::string state = (dir.path() / "state").string(), work = state + "/kelvorin/work";
  const char* old = std::getenv("XDG_STATE_HOME");
  const std::string keep = old ? old : "";
  ::setenv("XDG_STATE_HOME", state.c_str(), 1);
  BatchHooks hooks;
  hooks.prepare = [&](App& app, const BatchOptions&) {
    app.writableProbe = [&](const std::string& f) { return !fs::equivalent(f, shared); };
  };
  Outcome r = batch({(shared / "water.xyz").string(), "--kel", "--pdb"}, hooks);
  old ? ::setenv("XDG_STATE_HOME", keep.c_str(), 1) : ::unsetenv("XDG_STATE_HOME");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("folder not writable, files are written in " + work), std::string::npos);
  EXPECT_EQ(namesIn(shared), std::set<std::string>{"water.xyz"});
  auto written = namesIn(work);
  for (const char* f : {"skrK.log", "skrK.geo", "water.mpo", "water.pdb"})
    EXPECT_TRUE(written.count(f)) << f;
}

TEST_F(FilesKept, EraseThatLeavesAFileFails) {
  fs::path stuck = dir.write("skrK.txt", "scratch");
  // the folder's owner cannot delete it: a folder without write permission, or for the
  // superuser an immutable file
  auto lock = [&](bool on) {
    if (::geteuid() != 0) {
      fs::permissions(dir.path(),
                      on ? fs::perms::owner_read | fs::perms::owner_exec : fs::perms::owner_all);
      return true;
    }
    std::string cmd =
        std::string("chattr ") + (on ? "+i '" : "-i '") + stuck.string() + "' 2>/dev/null";
    return std::system(cmd.c_str()) == 0;
  };
  if (!lock(true)) GTEST_SKIP() << "no undeletable file here";
  Outcome r = batch({"water.xyz", "--erase"});
  lock(false);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("kelvorin: --erase left skrK.txt"), std::string::npos) << r.err;
}

TEST_F(FilesKept, FailedReadKeepsItsTextBeforeLaterOnes) {
  ASSERT_EQ(batch({"water.xyz", "--kel"}).status, 0);
  dir.write("bad.xyz", "1\n\nXx 0 0 0\n");
  // the added structure's read says " all is good" in the same box afterwards
  Outcome r = batch({"bad.xyz", "--add", "water.kel", "--mpo", "none.mpo"});
  EXPECT_EQ(r.status, 1);
  auto read = r.err.find("unknown atom: Xx");
  auto later =
      r.err.find("kelvorin: --mpo " + (dir.path() / "none.mpo").string() + ": no such file");
  ASSERT_NE(read, std::string::npos) << r.err;
  ASSERT_NE(later, std::string::npos) << r.err;
  EXPECT_LT(read, later);
  EXPECT_EQ(r.err.find(" all is good"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace kel::testing
