// Kelvorin - desktop workbench for vibrational calculations.
// The table of open files (numbered channels, so that an error report can close them all)
// and the small file utilities shared by every Part.
#pragma once

#include "base/line_reader.hpp"

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace kel {

class FileTable {
 public:
  FileTable() = default;
  FileTable(const FileTable&) = delete;
  FileTable& operator=(const FileTable&) = delete;
  ~FileTable();

  /// Opens channel n for input; error 55 when n is open, 53 when the file is missing.
  LineReader& openInput(int n, const std::string& path);
  /// Opens channel n for output (replacing the file) or append; error 55 when n is open,
  /// 75/70 when the file cannot be created.
  void openOutput(int n, const std::string& path, bool append = false);
  /// Opens channel n for output that writes nothing: each byte written is compared with the
  /// next byte of file path (missing file: nothing matches). error 55 when n is open.
  void openComparison(int n, const std::string& path);
  /// Opens channel n for output that goes nowhere (a scratch copy nobody asked for).
  /// error 55 when n is open.
  void openDiscard(int n);
  /// Closes a comparison channel: true when everything written equalled the whole file.
  bool closeComparison(int n);
  /// The reader of channel n; error 52 when n is not open for input.
  LineReader& in(int n);
  /// Writes text to channel n; error 52 when n is not open for output, 61/57 on failure.
  void write(int n, std::string_view text);
  /// Writes text and a line end (LF).
  void writeLine(int n, std::string_view text) {
    write(n, text);
    write(n, "\n");
  }
  bool isOpen(int n) const { return in_.count(n) || out_.count(n); }
  /// Closes channel n; a failed flush is error 61 or 57.
  void close(int n);
  /// Closes every open channel and reports nothing.
  void closeAll() noexcept;

 private:
  std::map<int, std::unique_ptr<LineReader>> in_;
  std::map<int, std::FILE*> out_;
  struct Comparison;
  std::map<int, std::shared_ptr<Comparison>> compared_;  // shared: Comparison is incomplete here
};

/// Length of file f in bytes: 0 when it is missing or empty, -1 when f is empty or the length
/// cannot be read. Never deletes or changes the file: an empty file may be a job that has
/// just started writing its output.
long long spl(const std::string& f);
/// Length of an existing file; 0 when missing, -1 when it cannot be read (a folder, no
/// permission). Never deletes or changes the file.
long long fileLength(const std::string& f);
/// As spl with an error flag: ier = 0 on success (also for a missing file, n = 0).
void SplW(const std::string& f, double& n, int& ier);
/// True when a file of that name exists (of any length); never deletes.
bool fileExists(const std::string& f);
/// Copies a file (error 53 when the source is missing, 75 when the target cannot be made).
void copyFile(const std::string& from, const std::string& to);
/// Renames a file (error 58 when the target exists, 53 when the source is missing).
void renameFile(const std::string& from, const std::string& to);
/// Deletes a file when it exists; true when deleted.
bool deleteFile(const std::string& f);
/// The current directory with '/' separators and no trailing separator.
std::string currentDir();

}  // namespace kel
