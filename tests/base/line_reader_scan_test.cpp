// Kelvorin - desktop workbench for vibrational calculations.
// The line reader against a plain character-by-character splitter: random texts with every
// kind of line end, long lines and line ends on the boundaries of the read buffer.
#include "base/line_reader.hpp"
#include "testing.hpp"

#include <cstring>
#include <random>

namespace kel::testing {
namespace {

using Lines = std::vector<std::string>;

/// LF, CR LF and a lone CR each end a line; a last line without an end still counts.
/// starts: where each line starts.
Lines reference(const std::string& text, std::vector<std::uint64_t>* starts = nullptr) {
  Lines out;
  std::string cur;
  bool open = false;
  std::uint64_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!open && cur.empty() && starts && starts->size() == out.size()) starts->push_back(start);
    if (c == '\n' || c == '\r') {
      out.push_back(cur);
      start = i + 1 + (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
      cur.clear();
      open = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      cur += c;
      open = true;
    }
  }
  if (open) out.push_back(cur);
  return out;
}

/// How lines are taken: copied, viewed, or in turn.
enum class Take { Copy, View, Both };

/// Every line of r; eof() is asked before each line, as the readers do.
Lines readAll(LineReader& r, Take take = Take::Copy) {
  Lines out;
  std::string s;
  std::string_view v;
  for (;;) {
    const bool atEnd = r.eof();
    const bool view = take == Take::View || (take == Take::Both && out.size() % 2 == 1);
    if (!(view ? r.viewLine(v) : r.getLine(s))) {
      EXPECT_TRUE(atEnd);
      break;
    }
    EXPECT_FALSE(atEnd) << "line " << out.size();
    out.push_back(view ? std::string(v) : s);
  }
  return out;
}

/// Every line again after a seek to the offset it started at, last line first: across the
/// buffer's edges and back into a buffer already passed.
void seeksBack(LineReader& r, const Lines& want) {
  std::vector<std::uint64_t> starts;
  std::string s;
  std::string_view v;
  for (;;) {
    const std::uint64_t at = r.offset();
    if (!r.viewLine(v)) break;
    starts.push_back(at);
  }
  ASSERT_EQ(starts.size(), want.size());
  for (std::size_t i = starts.size(); i-- > 0;) {
    r.seek(starts[i]);
    ASSERT_TRUE(r.getLine(s)) << i;
    ASSERT_EQ(s, want[i]) << i;
  }
}

std::string randomText(std::mt19937_64& rng, std::size_t size, int longLines) {
  std::uniform_int_distribution<int> kind(0, 99);
  std::string t;
  t.reserve(size);
  while (t.size() < size) {
    const int k = kind(rng);
    if (k < 6)
      t += '\n';
    else if (k < 9)
      t += "\r\n";
    else if (k < 11)
      t += '\r';
    else if (k < 11 + longLines)
      t.append(std::size_t(kind(rng)) * 1000, 'w');
    else
      t += char('a' + k % 26);
  }
  return t;
}

TEST(LineReaderScan, RandomTextsFromFileAndMemory) {
  TempDir dir;
  std::mt19937_64 rng(5);
  const std::size_t sizes[] = {0, 1, 2, 100, 65535, 65536, 65537, 200000};
  for (int longLines : {0, 1}) {
    for (std::size_t size : sizes) {
      for (int round = 0; round < 3; ++round) {
        const std::string text = randomText(rng, size, longLines);
        const Lines want = reference(text);
        auto path = dir.write("r.txt", text);
        for (Take take : {Take::Copy, Take::View, Take::Both}) {
          LineReader file(path);
          EXPECT_EQ(readAll(file, take), want) << "size " << size;
          auto mem = LineReader::fromText(text);
          EXPECT_EQ(readAll(mem, take), want) << "size " << size;
        }

        LineReader again(path);
        seeksBack(again, want);
        auto memAgain = LineReader::fromText(text);
        seeksBack(memAgain, want);
      }
    }
  }
}

// Passing over the lines without a 'q': every line holding one is still read, at its offset,
// and whatever else is read is a whole line at its own offset.
TEST(LineReaderScan, PassesOverOnlyUnmarkedLines) {
  TempDir dir;
  std::mt19937_64 rng(9);
  const LineReader::Finder findQ = [](const char* d, std::size_t n) {
    const void* q = std::memchr(d, 'q', n);
    return q ? std::size_t(static_cast<const char*>(q) - d) : n;
  };
  for (int longLines : {0, 1})
    for (std::size_t size : {0, 100, 65536, 200000}) {
      const std::string text = randomText(rng, size, longLines);
      std::vector<std::uint64_t> starts;
      const Lines all = reference(text, &starts);
      ASSERT_EQ(starts.size(), all.size());
      LineReader file(dir.write("q.txt", text));
      auto mem = LineReader::fromText(text);
      for (LineReader* r : {&file, &mem}) {
        std::size_t next = 0;  // the first line of all not yet met
        std::string_view v;
        for (;;) {
          r->passLinesWithout(findQ);
          const std::uint64_t at = r->offset();
          if (!r->viewLine(v)) break;
          for (; next < all.size() && starts[next] != at; ++next)
            EXPECT_EQ(all[next].find('q'), std::string::npos) << "passed over, size " << size;
          ASSERT_LT(next, all.size()) << "no line starts at " << at;
          EXPECT_EQ(std::string(v), all[next++]);
        }
        for (; next < all.size(); ++next) EXPECT_EQ(all[next].find('q'), std::string::npos);
      }
    }
}

TEST(LineReaderScan, LineEndsOnTheBufferBoundary) {
  TempDir dir;
  // The read buffer holds 64 KiB: put each kind of line end across and beside its edge.
  for (std::size_t at : {65534u, 65535u, 65536u, 131071u}) {
    // A text ending in CR LF with the LF alone in the last buffer: eof() must say so.
    std::string lastLf(at, 'y');
    lastLf += "\r\n";
    LineReader last(dir.write("l.txt", lastLf));
    EXPECT_EQ(readAll(last), reference(lastLf)) << at;
    for (const char* end : {"\r\n", "\r", "\n", "\r\r\n", "\n\r"}) {
      std::string text(at, 'x');
      text += end;
      text += "tail";
      text += end;
      auto path = dir.write("b.txt", text);
      for (Take take : {Take::Copy, Take::View, Take::Both}) {
        LineReader file(path);
        EXPECT_EQ(readAll(file, take), reference(text)) << at << " " << int(end[0]);
      }
    }
  }
}

TEST(LineReaderScan, OnlyCarriageReturnsInABigFileLeftAsItWas) {
  TempDir dir;
  std::string text;
  for (int i = 0; i < 30000; ++i) text += std::to_string(i) + "\r";
  auto path = dir.write("cr.txt", text);
  auto before = std::filesystem::last_write_time(path);
  LineReader file(path);
  std::string s;
  int n = 0;
  while (file.getLine(s)) ASSERT_EQ(s, std::to_string(n++));
  EXPECT_EQ(n, 30000);
  EXPECT_EQ(file.lineNumber(), 30000);
  EXPECT_TRUE(file.eof());
  EXPECT_EQ(slurp(path), text);  // a read never writes
  EXPECT_EQ(std::filesystem::last_write_time(path), before);
}

TEST(LineReaderScan, FreeFormatItemsBetweenLines) {
  // Numbers taken by free-format input, then the rest of the line and the next lines.
  auto r = LineReader::fromText("1 2\r\n3 rest\rnext\n\n4");
  EXPECT_EQ(r.inputNumber(), 1);
  EXPECT_EQ(r.inputNumber(), 2);
  EXPECT_EQ(r.inputNumber(), 3);
  EXPECT_EQ(r.lineInput(), "rest");
  EXPECT_EQ(r.lineInput(), "next");
  EXPECT_EQ(r.inputNumber(), 4);
  EXPECT_TRUE(r.eof());
}

}  // namespace
}  // namespace kel::testing
