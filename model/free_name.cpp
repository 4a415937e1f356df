// Kelvorin - desktop workbench for vibrational calculations.
#include "model/free_name.hpp"

#include "base/strings.hpp"
#include "model/work.hpp"
#include "model/work_folder.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kel {

namespace fs = std::filesystem;

bool nameTaken(const std::string& name) {
  std::error_code ec;
  // symlink_status: a dangling link is taken too, so nothing is written through it
  return !name.empty() && fs::exists(fs::symlink_status(name, ec));
}

bool sameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  auto norm = [](const std::string& s) {
    std::string t = s;
    for (char& c : t)
      if (c == '\\') c = '/';
    std::error_code e;
    return fs::absolute(t, e).lexically_normal();
  };
  return norm(a) == norm(b);
}

std::string numberedFreeName(const std::string& file) {
  std::size_t start = fileNameStart(file);
  std::size_t dot = file.rfind('.');
  if (dot == std::string::npos || dot < start) dot = file.size();
  std::string stem = file.substr(0, dot), ext = file.substr(dot);
  for (long k = 1;; ++k) {
    std::string candidate = stem + std::to_string(k) + ext;
    if (!nameTaken(candidate)) return candidate;
  }
}

bool sameContent(const std::string& a, const std::string& b) {
  std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
  if (!fa || !fb) return false;
  std::istreambuf_iterator<char> ia(fa), ib(fb), end;
  for (; ia != end && ib != end; ++ia, ++ib)
    if (*ia != *ib) return false;
  return ia == end && ib == end;
}

std::string keepOldVersion(Work& w, const std::string& target, const std::string& source) {
  if (!nameTaken(target) || sameContent(target, source)) return {};
  std::string kept = numberedFreeName(target);
  renameFile(target, kept);
  tekst(w, std::string(OldFileRenamed) + kept);
  return kept;
}

FreeName takeFreeName(Work& w, const std::string& stem, std::string_view ext) {
  FreeName r;
  // in a folder that cannot be written the export goes to the working folder
  std::string mapped = sideFile(w, stem + std::string(ext));
  const std::string base = mapped.substr(0, mapped.size() - ext.size());
  r.target = mapped;
  if (!nameTaken(r.target)) return r;
  std::string free;
  for (long k = 1;; ++k) {
    free = base + std::to_string(k) + std::string(ext);
    if (!nameTaken(free)) break;
  }
  // The file the structure was read from is never moved.
  if (sameFile(r.target, w.m.GeoFile) || sameFile(r.target, w.con.Text1.text)) {
    r.target = free;
    return r;
  }
  renameFile(r.target, free);
  r.movedTo = free;
  return r;
}

}  // namespace kel
