// Kelvorin - desktop workbench for vibrational calculations.
// The one line reader: line ends of every kind and free-format number input.
#include "base/line_reader.hpp"
#include "base/basic_error.hpp"
#include "readers/text_files.hpp"
#include "testing.hpp"

namespace kel::testing {
namespace {

TEST(LineReader, MissingFileIsError53) {
  try {
    LineReader r("/nonexistent/x.log");
    FAIL();
  } catch (const BasicError& e) {
    EXPECT_EQ(e.number, 53);
  }
}

TEST(FreeFormat, ItemsAcrossBlanksCommasAndLines) {
  auto r = LineReader::fromText("  1   6  0.5,-1.25\n\n 3 , 4\n");
  for (double want : {1.0, 6.0, 0.5, -1.25, 3.0, 4.0}) EXPECT_EQ(r.inputNumber(), want);
  EXPECT_TRUE(r.eof());
  try {
    r.inputNumber();
    FAIL();
  } catch (const BasicError& e) {
    EXPECT_EQ(e.number, 62);
  }
}

TEST(FreeFormat, RestOfTheLineAfterNumbersAndEmptyOrTextItems) {
  auto r = LineReader::fromText("  1   6   0.0  0.1  0.2   12.000\nnext\n5,,7 abc 2\n");
  for (double want : {1.0, 6.0, 0.0, 0.1, 0.2}) EXPECT_EQ(r.inputNumber(), want);
  EXPECT_EQ(r.lineInput(), "12.000");
  EXPECT_EQ(r.lineInput(), "next");
  for (double want : {5, 0, 7, 0, 2}) EXPECT_EQ(r.inputNumber(), want);
  double x = 1;
  EXPECT_FALSE(r.tryInputNumber(x));
}

TEST(FileTable, ChannelsAndErrors) {
  TempDir dir;
  FileTable t;
  t.openOutput(3, "out.txt");
  t.writeLine(3, "a");
  EXPECT_THROW(t.openOutput(3, "other.txt"), BasicError);
  EXPECT_THROW(t.write(4, "x"), BasicError);
  t.close(3);
  EXPECT_EQ(slurp("out.txt"), "a\n");
  t.openOutput(3, "out.txt", true);
  t.write(3, "b");
  t.closeAll();
  EXPECT_EQ(slurp("out.txt"), "a\nb");
  auto& in = t.openInput(1, "out.txt");
  EXPECT_EQ(in.lineInput(), "a");
  try {
    t.openInput(2, "missing.txt");
    FAIL();
  } catch (const BasicError& e) {
    EXPECT_EQ(e.number, 53);
  }
  EXPECT_THROW(t.openOutput(5, "no/such/folder/x.txt"), BasicError);
}

TEST(FileUtilities, LengthNeverDeletesEmptyFiles) {
  TempDir dir;
  dir.write("empty.txt", "");
  EXPECT_EQ(spl("empty.txt"), 0);
  EXPECT_TRUE(std::filesystem::exists("empty.txt"));
  EXPECT_EQ(spl("missing.txt"), 0);
  EXPECT_FALSE(std::filesystem::exists("missing.txt"));
  dir.write("five.txt", "12345");
  EXPECT_EQ(spl("five.txt"), 5);
  EXPECT_EQ(spl(""), -1);
}

TEST(FileUtilities, TextCheckNeverRewrites) {
  TempDir dir;
  auto app = newApp();
  std::string lf = dir.write("lf.log", "a\nb\n");
  double n = 0;
  int ier = 9;
  SplB(*app, lf, n, ier);
  EXPECT_EQ(ier, 0);
  EXPECT_EQ(n, 4);
  EXPECT_EQ(slurp(lf), "a\nb\n");
  EXPECT_FALSE(std::filesystem::exists(lf + ".old"));
  SplB(*app, dir.write("cr.log", "a\rb"), n, ier);
  EXPECT_EQ(ier, 0);
  SplB(*app, dir.write("none.bin", std::string(2000, 'x')), n, ier);
  EXPECT_EQ(ier, 2);
  SplB(*app, dir.write("empty.log", ""), n, ier);
  EXPECT_EQ(ier, 1);
  SplB(*app, "missing.log", n, ier);
  EXPECT_EQ(ier, 1);
}

}  // namespace
}  // namespace kel::testing
