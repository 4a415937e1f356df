// Kelvorin - desktop workbench for vibrational calculations.
#include "app/work_folder.hpp"

#include "app/app.hpp"
#include "app/strings.hpp"

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kel {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view WritesIn = "folder not writable, files are written in ";

/// The folder part of a path ("." when it has none), with '/' separators.
std::string folderOf(const std::string& path) {
  std::size_t start = fileNameStart(path);
  if (start == 0) return ".";
  std::string dir = path.substr(0, start - 1);
  for (char& c : dir)
    if (c == '\\') c = '/';
  return dir.empty() ? std::string("/") : dir;
}

}  // namespace

std::string userWorkFolder() {
  std::string base;
  if (const char* x = std::getenv("XDG_STATE_HOME"); x && *x)
    base = x;
  else if (const char* h = std::getenv("HOME"); h && *h)
    base = std::string(h) + "/.local/state";
  else
    base = fs::temp_directory_path().string();
  return base + "/kelvorin/work";
}

bool folderWritable(const App& app, const std::string& folder) {
  std::string dir = folder.empty() ? std::string(".") : folder;
  if (app.writableProbe) return app.writableProbe(dir);
  return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

bool leaveReadOnlyFolder(App& app) {
  std::string here = currentDir();
  if (folderWritable(app, here)) return false;
  std::string work = userWorkFolder();
  std::error_code ec;
  fs::create_directories(work, ec);
  fs::current_path(work, ec);
  if (ec) return false;  // nowhere else to go: the writes report their own errors
  app.readOnlyDir = here;
  tekst(app, std::string(WritesIn) + currentDir());
  return true;
}

std::string sideFile(const App& app, const std::string& name) {
  if (app.readOnlyDir.empty() || name.empty()) return name;
  std::error_code ec;
  std::string dir = folderOf(name);
  if (!fs::equivalent(dir, app.readOnlyDir, ec) || folderWritable(app, dir)) return name;
  return userWorkFolder() + "/" + znaU(name);
}

}  // namespace kel
