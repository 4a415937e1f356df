// Kelvorin - desktop workbench for vibrational calculations.
#include "testing.hpp"

#include <unistd.h>
#include <atomic>
#include <fstream>
#include <sstream>

namespace kel::testing {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  old_ = fs::current_path();
  dir_ = fs::temp_directory_path() /
         ("kel-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(dir_);
  fs::create_directories(dir_);
  fs::current_path(dir_);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::current_path(old_, ec);
  fs::remove_all(dir_, ec);
}

std::string TempDir::write(const std::string& name, std::string_view text) const {
  fs::path p = dir_ / name;
  std::ofstream(p, std::ios::binary) << text;
  return p.string();
}

std::string TempDir::copy(const fs::path& from, const std::string& name) const {
  fs::path p = dir_ / (name.empty() ? from.filename().string() : name);
  fs::copy_file(from, p, fs::copy_options::overwrite_existing);
  fs::permissions(p, fs::perms::owner_write, fs::perm_options::add);
  return p.string();
}

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> linesOf(std::string_view text) {
  std::vector<std::string> lines;
  std::string cur;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(cur);
      cur.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) lines.push_back(cur);
  return lines;
}

fs::path fixture(const std::string& rel) {
  return fs::path(KEL_TEST_DATA) / rel;
}

fs::path shared(const std::string& rel) {
  fs::path p = fs::path(KEL_SHARED_DATA) / rel;
  std::error_code ec;
  return fs::exists(p, ec) ? p : fs::path();
}

std::unique_ptr<App> newApp() {
  return std::make_unique<App>();
}

void putAtoms(ModKel& m, const std::vector<std::array<double, 4>>& atoms) {
  m.NAt = static_cast<i16>(atoms.size());
  for (int i = 1; i <= m.NAt; ++i) {
    const auto& a = atoms[std::size_t(i - 1)];
    setAtom(m, i, static_cast<int>(a[0]));
    for (int k = 1; k <= 3; ++k) m.Xyz(i, k) = a[std::size_t(k)];
  }
}

bool hasLine(std::string_view text, std::string_view line) {
  for (const auto& l : linesOf(text))
    if (l == line) return true;
  return false;
}

BatchResult batch(const std::vector<std::string>& args, const BatchHooks& hooks) {
  BatchOptions o;
  EXPECT_TRUE(parseBatch(args, o)) << o.error;
  std::ostringstream out, err;
  BatchResult r;
  r.status = runBatch(o, out, err, hooks);
  r.out = out.str();
  r.err = err.str();
  return r;
}

std::string ScriptedPrompt::inputBox(std::string_view prompt, std::string_view title,
                                     std::string_view defaultText) {
  prompts.emplace_back(prompt);
  titles.emplace_back(title);
  defaults.emplace_back(defaultText);
  if (next_ < answers_.size()) {
    std::string a = answers_[next_++];
    return a == "default" ? std::string(defaultText) : a;
  }
  return {};
}

}  // namespace kel::testing
