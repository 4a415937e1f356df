// Kelvorin - desktop workbench for vibrational calculations.
#include "writers/free_name.hpp"

#include "app/app.hpp"

#include <filesystem>
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

FreeName takeFreeName(App& app, const std::string& stem, std::string_view ext) {
  FreeName r;
  r.target = stem + std::string(ext);
  if (!nameTaken(r.target)) return r;
  std::string free;
  for (long k = 1;; ++k) {
    free = stem + std::to_string(k) + std::string(ext);
    if (!nameTaken(free)) break;
  }
  // The file the structure was read from is never moved.
  if (sameFile(r.target, app.m.GeoFile) || sameFile(r.target, app.frm.Text1.text)) {
    r.target = free;
    return r;
  }
  renameFile(r.target, free);
  r.movedTo = free;
  return r;
}

}  // namespace kel
