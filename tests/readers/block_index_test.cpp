// Kelvorin - desktop workbench for vibrational calculations.
// The index of a Gaussian output's blocks: the lines it lets a reader see must be exactly the
// lines a reader would have picked out of the whole file.
#include "readers/block_index.hpp"

#include "readers/text_scan.hpp"
#include "testing.hpp"

#include <cctype>
#include <functional>

namespace kel::testing {
namespace {

using Pick = std::function<bool(std::string_view)>;

struct KindCase {
  unsigned kinds;
  Pick pick;  // the reader's own test of a line
};

const KindCase KindRows[] = {
    {BlockIndex::Orientation, [](std::string_view l) { return scan::hasLow(l, "orient"); }},
    {BlockIndex::Route, [](std::string_view l) { return scan::isRouteLine(l); }},
    {BlockIndex::Energy, [](std::string_view l) { return scan::hasLow(l, "a.u"); }},
    {BlockIndex::FrequencyTitle,
     [](std::string_view l) { return scan::hasLow(l, "harmonic freq"); }},
    {BlockIndex::Mass,
     [](std::string_view l) {
       return scan::hasLow(l, "atom") && scan::hasLow(l, "number ") && scan::hasLow(l, "mass ");
     }},
    {BlockIndex::Instruction,
     [](std::string_view l) {
       return scan::hasLow(l, "scaling factor") || scan::hasLow(l, "renum atoms");
     }},
    {BlockIndex::Forces,
     [](std::string_view l) { return scan::hasLow(l, "forces (hartrees/bohr)"); }},
    {BlockIndex::ForceConstants,
     [](std::string_view l) {
       return scan::hasLow(l, "force constants in cartesian coordinates");
     }},
    {BlockIndex::FrequencyGroup, [](std::string_view l) { return scan::isFreqLine(l); }},
};

/// Lines of every kind between number rows (D exponents too), a route line without letters,
/// keys split over two lines, and a line longer than the read buffer holding a key at its end.
std::string sample(std::string_view end) {
  const std::string lines[] = {
      " #",
      "  # p b3lyp freq",
      "#" + std::string(330, '1'),
      "                          Input ORIENTATION:",
      "      1          6           0       -0.436848    0.425079    1.074667",
      " SCF Done:  E(RB3LYP) =  -194.418615027     A.U. after    9 cycles",
      " Harmonic frequencies (cm**-1), IR intensities",
      "  Frequencies --     85.2547               241.1418",
      "       Frequencies ---    11.1111   22.2222",
      "     1   6     0.18   0.03   0.01    -0.07  -0.01   0.01",
      " Atom     1 has atomic number  6 and mass  12.00000",
      " atom 2 number 1",
      " mass 2.0",
      " renum",
      " atoms 1 2 0",
      " RENUM ATOMS reverse",
      " 1 2 0 scaling factor = .98",
      " Center     Atomic                   Forces (Hartrees/Bohr)",
      " Force constants in Cartesian coordinates:",
      "        1  0.544093D+00",
      "        2  0.305170D-05  0.544089E+00"};
  std::string t;
  for (int round = 0; round < 2; ++round) {
    for (const auto& l : lines) {
      t += l;
      t += end;
    }
    t += std::string(70000, '1') + " orient";
    t += end;
  }
  t += " Harmonic freq without an end";
  return t;
}

TEST(BlockIndex, ListsEveryLineAReaderPicksAtItsStart) {
  TempDir dir;
  for (std::string_view end : {"\n", "\r\n", "\r"}) {
    const std::string text = sample(end);
    const auto path = dir.write("out.log", text);
    const BlockIndex index(path);
    EXPECT_TRUE(index.holds(path));
    EXPECT_EQ(index.length(), text.size());
    for (const auto& c : KindRows) {
      std::vector<std::string> want, got;
      for (const auto& l : linesOf(text))
        if (c.pick(l)) want.push_back(l);
      LineReader in(path);
      IndexedLines lines(in, &index, c.kinds);
      std::string line;
      while (lines.next(line)) got.push_back(line);
      EXPECT_TRUE(line.empty());
      EXPECT_EQ(got, want) << "kinds " << c.kinds << " end " << int(end[0]);
    }
    // After free-format input the rest of the line comes first, then the next listed line.
    LineReader in(path);
    IndexedLines lines(in, &index, BlockIndex::Instruction);
    std::string line;
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, " RENUM ATOMS reverse");
    EXPECT_EQ(in.inputNumber(), 1);
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, "2 0 scaling factor = .98");
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, " RENUM ATOMS reverse");
  }
  // Another file, or the same one grown, is not the one indexed.
  const auto path = dir.write("a.log", " orient\n");
  const BlockIndex index(path);
  EXPECT_FALSE(index.holds(dir.write("b.log", " orient\n")));
  dir.write("a.log", " orient\n\n");
  EXPECT_FALSE(index.holds(path));
  // Nothing but key lines: no index is kept, every line is read as without one.
  std::string many;
  for (std::size_t i = 0; i <= BlockIndex::MaxEntries; ++i) many += " orient\n";
  const auto big = dir.write("many.log", many + "last");
  const BlockIndex full(big);
  EXPECT_FALSE(full.complete());
  EXPECT_FALSE(full.holds(big));
  EXPECT_TRUE(full.entries().empty());
  LineReader in(big);
  IndexedLines all(in, &full, BlockIndex::Orientation);
  std::string line, last;
  std::size_t count = 0;
  while (all.next(line)) {
    ++count;
    last = line;
  }
  EXPECT_EQ(count, BlockIndex::MaxEntries + 2);
  EXPECT_EQ(last, "last");
}

// Every byte value at every place of a stretch of digits: both ways of finding the first key
// byte stop exactly at letters other than d and e and at '#'.
TEST(BlockIndex, KeyBytesFoundTheSameWayByBothScans) {
  for (int b = 0; b < 256; ++b) {
    const char c = char(b);
    const bool key = c == '#' || ((std::isalpha(b) != 0) && std::tolower(b) != 'd' &&
                                  std::tolower(b) != 'e' && b < 128);
    for (std::size_t at = 0; at < 70; ++at) {
      std::string text(75, '1');
      text[at] = c;
      for (bool vector : {true, false})
        EXPECT_EQ(firstKeyByte(text.data(), text.size(), vector), key ? at : text.size())
            << "byte " << b << " at " << at << (vector ? " vector" : " words");
    }
  }
}

}  // namespace
}  // namespace kel::testing
