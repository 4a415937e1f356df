// Kelvorin - desktop workbench for vibrational calculations.
// The one line reader of every text reader: LF, CR LF and a lone CR all end a line, and the
// input file is never written. It also gives the free-format number input of the readers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace kel {

class LineReader {
 public:
  /// Opens path for reading; a missing file is error 53, an unreadable one 75.
  explicit LineReader(const std::string& path);
  /// Reads from a text held in memory (tests, small fixtures).
  static LineReader fromText(std::string text);
  LineReader(LineReader&&) noexcept;
  LineReader& operator=(LineReader&&) noexcept;
  ~LineReader();

  /// Next line without its line end ("Line Input"); after free-format input the rest of the
  /// current line. False at end of file.
  bool getLine(std::string& line);
  /// As getLine, without a copy where it can: line views the reader's buffer (or, for a line
  /// across two buffers, a string of the reader's) and stays valid until the next read.
  bool viewLine(std::string_view& line);
  /// As getLine, but end of file is error 62 (Input past end of file).
  std::string lineInput();
  /// True when no character is left.
  bool eof();
  /// Free-format input ("Input #"): the next item, separated by blanks, commas or line ends,
  /// converted with Val (an empty or non-numeric item is 0). End of file is error 62.
  double inputNumber();
  /// As inputNumber, but false at end of file instead of an error.
  bool tryInputNumber(double& x);
  /// True when free-format input stopped inside a line: getLine then gives its rest.
  bool midLine() const { return have_; }
  /// Lines read so far (counted from the last seek).
  long lineNumber() const { return lineNo_; }
  /// Byte offset where the next line starts (not meaningful inside free-format input).
  std::uint64_t offset();
  /// Finds the first byte of interest in data[0..n): its index, or n when there is none.
  using Finder = std::size_t (*)(const char* data, std::size_t n);
  /// Passes over lines in which find sees no byte of interest, without looking at them line by
  /// line: the next line read is one that holds such a byte, or one that goes on past the
  /// buffer (which the caller then looks at as any other), or none at the end. Lines passed
  /// over are not counted by lineNumber(). Nothing happens inside free-format input.
  void passLinesWithout(Finder find);
  /// Continues at byte offset off, which must be where a line starts (as given by offset());
  /// a pending rest of line is dropped. Within the buffer held no byte is read again.
  void seek(std::uint64_t off);

 private:
  LineReader() = default;
  bool fill();
  bool readRaw(std::string& line);
  std::size_t lineEnd(const char* data, std::size_t len);
  bool loadLine();

  std::FILE* fp_ = nullptr;
  std::string mem_;  // whole text when reading from memory
  std::unique_ptr<char[]> buf_;
  std::size_t bufLen_ = 0, bufPos_ = 0;
  std::uint64_t bufStart_ = 0;  // file offset of the buffer's first byte
  bool atEnd_ = false;
  bool pendingCR_ = false;  // a CR ended the last line; swallow a following LF
  std::string cur_;         // current line during free-format input
  std::string viewed_;      // a line viewLine could not view in the buffer
  std::size_t pos_ = 0;
  bool have_ = false;  // cur_ is partly consumed by free-format input
  long lineNo_ = 0;
  // Where the next LF and CR of the buffer lie (the buffer's length when it has none);
  // Stale when not yet looked for in this buffer.
  static constexpr std::size_t Stale = ~std::size_t(0);
  std::size_t nlAt_ = Stale, crAt_ = Stale;
};

}  // namespace kel
