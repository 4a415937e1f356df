// Kelvorin - desktop workbench for vibrational calculations.
#include "base/strings.hpp"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <system_error>
#include <utility>

namespace kel {

void rig(std::string& ay, int& kl) {
  ay = rtrim(ay);
  kl = static_cast<int>(ay.size());
}

void lef(std::string& ay, int& kl) {
  ay = ltrim(ay);
  kl = static_cast<int>(ay.size());
}

std::string rtrim(std::string_view s) {
  auto e = s.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

std::string ltrim(std::string_view s) {
  auto b = s.find_first_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(s.substr(b));
}

std::string trim(std::string_view s) {
  return ltrim(rtrim(s));
}

std::size_t fileNameStart(std::string_view path) {
  auto p = path.find_last_of("/\\");
  return p == std::string_view::npos ? 0 : p + 1;
}

int zna(std::string_view ay, std::string_view by) {
  std::size_t start = fileNameStart(ay);
  auto p = ay.find(by, start);
  return p == std::string_view::npos ? 0 : static_cast<int>(p);
}

std::string znaU(std::string_view c) {
  return std::string(c.substr(fileNameStart(c)));
}

std::string lower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return r;
}

std::string upper(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return r;
}

std::size_t findCi(std::string_view hay, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= hay.size() ? from : std::string_view::npos;
  auto low = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
  for (std::size_t i = from; i + needle.size() <= hay.size(); ++i) {
    std::size_t k = 0;
    while (k < needle.size() && low(hay[i + k]) == low(needle[k])) ++k;
    if (k == needle.size()) return i;
  }
  return std::string_view::npos;
}

std::string_view tail(std::string_view s, std::size_t n) {
  return s.size() <= n ? s : s.substr(s.size() - n);
}

namespace {
std::atomic<long> cwdChangeCount{0};
}

long cwdChanges() {
  return cwdChangeCount;
}

void ZnaD(std::string_view ay, int& i) {
  i = 0;
  std::size_t p = fileNameStart(ay);
  if (p == 0) return;
  std::string dir(ay.substr(0, p - 1));
  std::replace(dir.begin(), dir.end(), '\\', '/');
  if (dir.empty()) dir = "/";
  std::error_code ec;
  std::filesystem::current_path(dir, ec);
  if (ec)
    i = -1;
  else
    ++cwdChangeCount;
}

void sws(std::string& a, std::string& b) {
  std::swap(a, b);
}
void swapa(double& a, double& b) {
  std::swap(a, b);
}
void swapi(short& i, short& j) {
  std::swap(i, j);
}

}  // namespace kel
