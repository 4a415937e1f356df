// Kelvorin - desktop workbench for vibrational calculations.
// Test helpers: a fresh temporary folder per test, fixtures and the shared real data.
#pragma once

#include "app/app.hpp"
#include "app/batch.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kel::testing {

namespace fs = std::filesystem;

/// A fresh temporary folder that becomes the current directory; the old one comes back and
/// the folder is removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return dir_; }
  /// Writes a file in the folder and returns its full name.
  std::string write(const std::string& name, std::string_view text) const;
  /// Copies a file into the folder and returns the copy's full name.
  std::string copy(const std::filesystem::path& from, const std::string& name = {}) const;

 private:
  std::filesystem::path dir_, old_;
};

/// Reads a whole file ("" when missing).
std::string slurp(const std::filesystem::path& p);
/// The file's lines (LF, CR LF or CR ends a line).
std::vector<std::string> linesOf(std::string_view text);
/// A fixture of tests/data.
std::filesystem::path fixture(const std::string& rel);
/// A file of the shared real data, or empty when the data are absent.
std::filesystem::path shared(const std::string& rel);
/// A fresh program state with virtual time and cancelled input boxes.
std::unique_ptr<App> newApp();
/// Puts atoms {Z, x, y, z} into the model as atoms 1, 2, ... and sets their count.
void putAtoms(ModKel& m, const std::vector<std::array<double, 4>>& atoms);
/// Bonds atoms a and b both ways, as a derived matrix holds them, and counts the bond.
inline void bond(ModKel& m, int a, int b) {
  m.Mpo(a, b) = m.Mpo(b, a) = 1;
  ++m.NBond(a);
  ++m.NBond(b);
}
/// Whether a line of the text (console or output) is exactly line.
bool hasLine(std::string_view text, std::string_view line);
inline bool hasLine(const App& app, std::string_view line) {
  return hasLine(app.frm.Text2.text, line);
}

/// Exit status and output of one batch run.
struct BatchResult {
  int status = 0;
  std::string out, err;
};
/// Parses args as the words after --batch (they must parse) and runs them.
BatchResult batch(const std::vector<std::string>& args, const BatchHooks& hooks = {});

/// A test in a fresh temporary folder with a fresh program (alias it per suite).
struct FreshApp : ::testing::Test {
  TempDir dir;
  std::unique_ptr<App> app = newApp();
};

/// Input boxes answered from a list; records every question.
class ScriptedPrompt : public Prompt {
 public:
  explicit ScriptedPrompt(std::vector<std::string> answers = {}) : answers_(std::move(answers)) {}
  std::string inputBox(std::string_view prompt, std::string_view title,
                       std::string_view defaultText) override;
  std::vector<std::string> prompts, titles, defaults;

 private:
  std::vector<std::string> answers_;
  std::size_t next_ = 0;
};

}  // namespace kel::testing

/// Skips the test cleanly when the shared real data are absent.
#define KEL_NEED_SHARED(path)                                                   \
  do {                                                                          \
    if ((path).empty()) GTEST_SKIP() << "shared data absent: " KEL_SHARED_DATA; \
  } while (0)
