// Kelvorin - desktop workbench for vibrational calculations.
// What the user wrote is never lost: an edited connection file, a folder that cannot be
// written, failed steps in the exit status.
#include "app/app.hpp"
#include "app/batch.hpp"
#include "testing.hpp"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

namespace kel {
namespace {

namespace fs = std::filesystem;
using testing::slurp;

constexpr const char* WaterXyz =
    "3\nwater\nO 0 0 0.1173\nH 0 0.7572 -0.4692\nH 0 -0.7572 -0.4692\n";

struct BatchResult {
  int status = 0;
  std::string out, err;
};

BatchResult batch(std::vector<std::string> args, const BatchHooks& hooks = {}) {
  BatchOptions o;
  parseBatch(args, o);
  std::ostringstream out, err;
  BatchResult r;
  r.status = runBatch(o, out, err, hooks);
  r.out = out.str();
  r.err = err.str();
  return r;
}

std::set<std::string> namesIn(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

TEST(FilesKept, EditedConnectionFileSurvivesReadsAndInputs) {
  testing::TempDir dir;
  dir.write("water.xyz", WaterXyz);
  const std::string edit = "my own matrix\n";
  dir.write("water.mpo", edit);
  std::string log;
  for (auto args : {std::vector<std::string>{"water.xyz"},
                    {"water.xyz"},
                    {"water.xyz", "--mpo", "water.mpo"},
                    {"water.xyz", "--mpo", "water.mpo"}}) {
    fs::current_path(dir.path());
    BatchResult r = batch(args);
    EXPECT_EQ(r.status, 0) << r.err;
    log += r.out;
  }
  std::vector<std::string> holders;
  for (const auto& name : namesIn(dir.path()))
    if (name.ends_with(".mpo") && slurp(dir.path() / name) == edit) holders.push_back(name);
  ASSERT_FALSE(holders.empty());
  bool named = false;
  for (const auto& h : holders)
    named = named ||
            log.find("Old file renamed as " + (dir.path() / h).string()) != std::string::npos ||
            log.find("Old file renamed as " + h) != std::string::npos;
  EXPECT_TRUE(named) << log;
}

TEST(FilesKept, ReadOnlyFolderIsReadAndLeftUntouched) {
  testing::TempDir dir;
  fs::create_directories(dir.path() / "shared");
  const fs::path shared = dir.path() / "shared";
  std::string file = dir.write("shared/water.xyz", WaterXyz);
  const std::string state = (dir.path() / "state").string();
  const char* old = std::getenv("XDG_STATE_HOME");
  std::string keep = old ? old : "";
  ::setenv("XDG_STATE_HOME", state.c_str(), 1);
  BatchHooks hooks;
  hooks.prepare = [&](App& app, const BatchOptions&) {
    app.writableProbe = [&](const std::string& folder) {
      std::error_code ec;
      return !fs::equivalent(folder, shared, ec);
    };
  };
  BatchResult r = batch({file, "--kel", "--pdb"}, hooks);
  if (old)
    ::setenv("XDG_STATE_HOME", keep.c_str(), 1);
  else
    ::unsetenv("XDG_STATE_HOME");
  const std::string work = state + "/kelvorin/work";
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("folder not writable, files are written in " + work), std::string::npos)
      << r.out;
  EXPECT_EQ(namesIn(shared), std::set<std::string>{"water.xyz"}) << slurp(shared / "skrK.log");
  auto written = namesIn(work);
  for (const char* f : {"skrK.log", "skrK.geo", "water.mpo", "water.pdb"})
    EXPECT_TRUE(written.count(f)) << f;
}

/// Makes a file that its folder's owner cannot delete; false when this system cannot.
bool makeUndeletable(const fs::path& dir, const fs::path& file, bool on) {
  if (::geteuid() != 0) {
    fs::permissions(dir, on ? fs::perms::owner_read | fs::perms::owner_exec : fs::perms::owner_all);
    return true;
  }
  std::string cmd =
      std::string("chattr ") + (on ? "+i '" : "-i '") + file.string() + "' 2>/dev/null";
  return std::system(cmd.c_str()) == 0;
}

TEST(BatchStatus, EraseThatLeavesAFileFails) {
  testing::TempDir dir;
  dir.write("water.xyz", WaterXyz);
  fs::path stuck = dir.write("skrK.txt", "scratch");
  if (!makeUndeletable(dir.path(), stuck, true)) GTEST_SKIP() << "no undeletable file here";
  BatchResult r = batch({"water.xyz", "--erase"});
  makeUndeletable(dir.path(), stuck, false);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("kelvorin: --erase left skrK.txt"), std::string::npos) << r.err;
}

TEST(BatchStatus, FailedReadKeepsItsTextBeforeLaterOnes) {
  testing::TempDir dir;
  dir.write("water.xyz", WaterXyz);
  ASSERT_EQ(batch({"water.xyz", "--kel"}).status, 0);
  dir.write("bad.xyz", "1\n\nXx 0 0 0\n");
  // the added structure's read says " all is good" in the same box afterwards
  BatchResult r = batch({"bad.xyz", "--add", "water.kel", "--mpo", "none.mpo"});
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
}  // namespace kel
