// Kelvorin - desktop workbench for vibrational calculations.
#include "model/work_folder.hpp"

#include "base/strings.hpp"
#include "model/work.hpp"

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

bool folderWritable(const Work& w, const std::string& folder) {
  std::string dir = folder.empty() ? std::string(".") : folder;
  // a folder that does not exist is no folder to read from: its writes fail as they are
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return true;
  if (w.writableProbe) return w.writableProbe(dir);
  return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

namespace {

/// Makes the working folder (and, with enter, makes it the current directory, so that the
/// log file follows), then says once for each folder that cannot be written that the files
/// go there. False when the working folder cannot be made or entered.
bool useWorkFolder(Work& w, const std::string& readOnly, const std::string& work, bool enter) {
  std::error_code ec;
  fs::create_directories(work, ec);
  if (!fs::is_directory(work, ec)) return false;
  if (enter) {
    int i = 0;
    ZnaD(work + "/", i);
    if (i != 0) return false;
  }
  if (w.readOnlyDir != readOnly) tekst(w, std::string(WritesIn) + work);
  w.readOnlyDir = readOnly;
  return true;
}

}  // namespace

bool leaveReadOnlyFolder(Work& w) {
  std::string here = currentDir();
  if (folderWritable(w, here)) return false;
  // when there is no other folder either, the writes report their own errors
  return useWorkFolder(w, here, userWorkFolder(), true);
}

std::string sideFile(Work& w, const std::string& name) {
  if (name.empty()) return name;
  std::string dir = folderOf(name);
  if (folderWritable(w, dir)) return name;
  std::error_code ec;
  std::string readOnly = fs::absolute(dir, ec).lexically_normal().generic_string();
  while (readOnly.size() > 1 && readOnly.back() == '/') readOnly.pop_back();
  std::string work = userWorkFolder();
  if (!useWorkFolder(w, readOnly, work, false)) return name;
  return work + "/" + znaU(name);
}

}  // namespace kel
