// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/frequencies.hpp"

#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/geometry.hpp"
#include "model/work.hpp"
#include "readers/block_index.hpp"
#include "readers/text_files.hpp"
#include "readers/text_scan.hpp"
#include "readers/texts.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace kel {

namespace {

constexpr std::string_view ErrorInFile = texts::ErrorInFile;
constexpr std::string_view MassesFromFile = "atomic masses from file ";
constexpr std::string_view MassesInFile = "atomic masses in file ";
constexpr std::string_view MassesSame = "... are the same as in Kelvorin program";
constexpr std::string_view InputError = " ... Input Error";

// Why a mode table is refused.
constexpr std::string_view TableEndsAfter = "table ends after";
constexpr std::string_view ModesOf = "modes of";
constexpr std::string_view AtomsStructureOf = " atoms, structure of";
constexpr std::string_view AtomsWord = " atoms";
constexpr std::string_view DisplacementRow = "displacement row";
constexpr std::string_view AtomicNumberWord = ": atomic number";
constexpr std::string_view StructureHas = " where the structure has";
constexpr std::string_view OfModes = " of modes";
constexpr std::string_view NumbersNot = " numbers, not";
constexpr std::string_view CutOffAtEnd = "table cut off at the end of the file";
constexpr std::string_view TooManyModes = "more than 1440 modes: the program holds at most 1440";
constexpr std::string_view ModeWord = "mode";
constexpr std::string_view DisplacementsNot = " displacements, not";
constexpr std::string_view ModeCountKey = texts::ModeCountLine;

/// "table ends after 12 of 30 modes"
std::string endsAfter(int read, int want) {
  return std::string(TableEndsAfter) + Str(read) + " of" + Str(want) + " modes";
}

/// "modes of 9 atoms, structure of 5 atoms"
std::string otherStructure(int tableAtoms, int modelAtoms) {
  return std::string(ModesOf) + Str(tableAtoms) + std::string(AtomsStructureOf) + Str(modelAtoms) +
         std::string(AtomsWord);
}

constexpr int GaussChannel = 2;  // the Gaussian file read by ReMW, ReFrq and ReIzo
constexpr int ModeChannel = 1;   // the compact file read by ReMv and ReMv1

/// Masses that differ by less than this are the same.
constexpr double MassTolerance = 1e-5;

/// Label of a mode: at most four characters, trailing blanks dropped.
std::string shortLabel(std::string_view s) {
  return rtrim(s.substr(0, std::min<std::size_t>(4, s.size())));
}

// ----------------------------------------------------------------------------------------
// Compact coordinate block, after "Atomic orientation and masses":
//     1   6    0.00000000   -1.23400000    0.00000000     12.00000000
// atom number, atomic number, x, y, z, then the rest of the line is the mass.

void readCoordinates(Work& w, int kn, int& la, int& ier, bool append) {
  auto& m = w.m;
  auto& in = w.files.in(kn);
  const int offset = append ? la : 0;
  ier = 1;
  la = offset;
  for (int i = offset + 1; i <= MaxAt; ++i) m.AtZ(i) = 0;  // gaps must show (status 4)
  std::string rest;
  for (;;) {
    double x = 0;
    if (!in.tryInputNumber(x)) break;
    long long num = scan::clampedInt(x);
    if (num < 0) {
      ier = 2;
      return;
    }
    if (num == 0) {
      if (la > offset) break;
      continue;
    }
    if (la == MaxAt) {
      ier = 5;
      return;
    }
    ++la;
    ier = 0;
    long long z = scan::clampedInt(in.inputNumber());
    if (z < 1 || z > MaxEl) {
      ier = 3;
      return;
    }
    long long i = num + offset;
    if (i > MaxAt) {
      ier = 5;
      return;
    }
    double c[3];
    for (double& v : c) v = in.inputNumber();
    double mass = 0;
    if (in.midLine() && in.getLine(rest)) mass = Val(rest);
    setAtom(m, int(i), int(z), mass > 0 ? mass : 0.0);
    for (int k = 0; k < 3; ++k) m.Xyz(i, k + 1) = c[k];
    m.Xyz(i, 0) = 0;
  }
  for (int i = offset + 1; i <= la; ++i)
    if (m.AtZ(i) == 0) {
      ier = 4;
      break;
    }
}

// ----------------------------------------------------------------------------------------
// Compact mode block, after "Harmonic frequencies":
// F =  123.45   IR =   12.34   RA =    1.00   S = A1
//    0   0  15      -5   0   0   ...        (three integers per atom)

/// One mode's line: frequency, IR, Raman and label into slot mode.
void readModeLine(Work& w, std::string_view line, int mode) {
  auto& m = w.m;
  auto valueAfter = [&](std::string_view key, double& v) {
    auto p = line.find(key);
    if (p != std::string_view::npos) v = Val(line.substr(p + key.size()));
  };
  valueAfter("F =", m.Frq(mode));
  valueAfter("IR =", m.IrInt(mode));
  valueAfter("RA =", m.RaInt(mode));
  auto p = line.find("S =");
  if (p != std::string_view::npos) m.FrqSym(mode) = shortLabel(ltrim(line.substr(p + 3)));
}

/// The line holds only numbers and separators (a displacement line of the compact block).
bool numberLine(std::string_view line) {
  for (char c : line)
    if (!((c >= '0' && c <= '9') || c == ' ' || c == '\t' || c == ',' || c == '-' || c == '+' ||
          c == '.' || c == 'e' || c == 'E' || c == 'd' || c == 'D'))
      return false;
  return true;
}

/// Stores the numbers of one displacement line as components of mode, from component `next`
/// on (atom a1 first); counts every number, stored or not.
void storeDisplacements(ModKel& m, std::string_view line, int mode, int a1, int need, int& next) {
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ',')) ++i;
    if (i >= line.size()) break;
    std::size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != ',') ++j;
    if (next < need) {
      const int a = a1 + next / 3, k = 1 + next % 3;
      m.ModeD(mode, a, k) = CInt(Val(line.substr(i, j - i)));
    }
    ++next;
    i = j;
  }
}

/// Modes first, first+1, ... with rows for atoms a1..la, each after its "F =" line, until the
/// block holds no more. Every mode must give exactly three displacements per atom; false (with
/// the reason) when one does not or the modes would pass the capacity. read = the modes taken.
bool readModes(Work& w, int first, int a1, int la, int& read, int& declared, std::string& problem) {
  auto& m = w.m;
  auto& in = w.files.in(ModeChannel);
  std::string line;
  read = 0;
  declared = -1;
  const int need = 3 * (la - a1 + 1);
  bool have = false;  // line holds the next line already
  for (;;) {
    bool found = false;
    while (have || in.getLine(line)) {
      have = false;
      if (line.find("F =") != std::string::npos) {
        found = true;
        break;
      }
      auto p = scan::findLow(line, ModeCountKey);
      if (p != std::string::npos && read == 0)
        declared =
            int(scan::clampedInt(Val(std::string_view(line).substr(p + ModeCountKey.size()))));
    }
    if (!found) return true;
    const int mode = first + read;
    if (mode > MaxFrq) {
      problem = TooManyModes;
      return false;
    }
    m.Frq(mode) = m.IrInt(mode) = m.RaInt(mode) = 0;
    m.FrqSym(mode).clear();
    readModeLine(w, line, mode);
    int got = 0;
    while (in.getLine(line)) {
      if (!numberLine(line)) {
        have = true;
        break;
      }
      storeDisplacements(m, line, mode, a1, need, got);
    }
    if (got != need) {
      problem = std::string(ModeWord) + Str(read + 1) + ":" + Str(got) +
                std::string(DisplacementsNot) + Str(need);
      return false;
    }
    ++read;
  }
}

/// The block must hold the declared count when it declares one, else at least lw modes.
bool wholeBlock(int read, int declared, int lw, std::string& problem) {
  const int want = declared >= 0 ? declared : lw;
  if (read >= want && (declared < 0 || read == declared)) return true;
  problem = endsAfter(read, want);
  return false;
}

/// Reads up to the compact "harmonic freq" title of file 1; false when absent.
bool findModeBlock(Work& w) {
  auto& in = w.files.in(ModeChannel);
  std::string line;
  while (in.getLine(line))
    if (scan::hasLow(line, "harmonic freq")) return true;
  return false;
}

/// Clears frequencies, labels and intensities of every mode; RaInt(0) says whether Raman
/// data were read before and is left alone.
void clearModeTables(Work& w) {
  auto& m = w.m;
  const double raman = m.RaInt(0);
  m.FrqSym.fill({});
  m.RaInt.fill(0);
  m.IrInt.fill(0);
  m.Frq.fill(0);
  m.RaInt(0) = raman;
}

void setRamanCount(Work& w) {
  auto& m = w.m;
  for (int i = 1; i <= m.NFrq; ++i)
    if (m.RaInt(i) != 0) {
      m.RaInt(0) = m.NFrq;
      return;
    }
}

// ----------------------------------------------------------------------------------------
// Gaussian frequency table, one group of up to three modes:
//                       1                      2                      3
//                       A                      A                      A
//  Frequencies --     85.2547               241.1418               306.5348
//  Red. masses --      5.2741                 2.5955                 4.5079
//  IR Inten    --      7.8643                14.0223                 8.3015
//  Raman Activ --      3.0360                45.7759                 3.3057
//   Atom  AN      X      Y      Z        X      Y      Z        X      Y      Z
//      1   6     0.18   0.03   0.01    -0.07  -0.01   0.01     0.01  -0.01   0.01
// A high-precision table ("Frequencies ---", five columns) may come first under the same
// title: its lines are passed over.

using scan::isFreqLine;

/// Values after "--" of line into v; count read.
int valuesOf(std::string_view line, double (&v)[3]) {
  v[0] = v[1] = v[2] = 0;
  return scan::threeValues(line, v);
}

/// What the groups of a table give besides the displacements, by mode number: kept apart
/// from the model until the table is whole, so that a second reader can fill its own.
struct GroupValues {
  std::vector<double> frq = std::vector<double>(MaxFrq + 1);
  std::vector<double> ir = std::vector<double>(MaxFrq + 1);
  std::vector<double> ra = std::vector<double>(MaxFrq + 1);
  std::vector<std::string> sym = std::vector<std::string>(MaxFrq + 1);

  /// Modes from..to of other, taken over.
  void take(GroupValues& other, int from, int to) {
    for (auto i = std::size_t(from); i <= std::size_t(to); ++i) {
      frq[i] = other.frq[i];
      ir[i] = other.ir[i];
      ra[i] = other.ra[i];
      sym[i] = std::move(other.sym[i]);
    }
  }
  /// Modes 1..k into the model's tables.
  void store(ModKel& m, int k) {
    for (int i = 1; i <= k; ++i) {
      m.Frq(i) = frq[std::size_t(i)];
      m.IrInt(i) = ir[std::size_t(i)];
      m.RaInt(i) = ra[std::size_t(i)];
      m.FrqSym(i) = std::move(sym[std::size_t(i)]);
    }
  }
};

/// Symmetry labels of modes k+1..k+c from the label line.
void readLabels(GroupValues& v, std::string_view labels, int k, int c) {
  for (int j = 1; j <= c; ++j) v.sym[std::size_t(k + j)] = "?";
  std::string_view s = labels;
  for (int j = 1; j <= c; ++j) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    if (s.empty()) break;
    std::size_t n = std::min<std::size_t>(4, s.size());
    v.sym[std::size_t(k + j)] = shortLabel(s.substr(0, n));
    s.remove_prefix(n);
  }
}

/// First character at or after p that is not a blank, tab or comma (end when none). Eight
/// characters are looked at together while eight remain, so that the varying widths of the
/// gaps between the fields cost no mispredicted branches.
const char* skipSeparators(const char* p, const char* end) {
  using scan::bytes8::equal, scan::bytes8::High;
  while (end - p >= 8) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    if constexpr (std::endian::native != std::endian::little) break;
    const std::uint64_t other = ~(equal(x, ' ') | equal(x, '\t') | equal(x, ',')) & High;
    if (other != 0) return p + (std::countr_zero(other) >> 3);
    p += 8;
  }
  while (p < end && (*p == ' ' || *p == '\t' || *p == ',')) ++p;
  return p;
}

/// Items of one displacement row (blanks and commas separate them).
class RowNumbers {
 public:
  /// One item: a plain decimal field, kept as its parts, or any other text, by its value.
  struct Item {
    bool plain = false;
    detail::PlainField field;
    double value = 0;
    double number() const { return plain ? detail::plainValue(field) : value; }
  };

  explicit RowNumbers(std::string_view line) : line_(line) {}

  bool next(Item& item) {
    const char* p = nullptr;
    if (!itemStart(p)) return false;
    const char* end = line_.data() + line_.size();
    // A plain decimal that runs up to a separator or the line end is the whole item, and
    // Val would give just its value; any other item goes through Val.
    const char* q = p;
    item.plain = detail::plainField(std::string_view(p, std::size_t(end - p)), item.field) &&
                 (p + item.field.used == end || separator(p[item.field.used]));
    if (item.plain) {
      q = p + item.field.used;
    } else {
      while (q < end && !separator(*q)) ++q;
      item.value = Val(std::string_view(p, std::size_t(q - p)));
    }
    pos_ = std::size_t(q - line_.data());
    return true;
  }

  bool next(double& x) {
    Item item;
    if (!next(item)) return false;
    x = item.number();
    return true;
  }

  /// The next item as a displacement in hundredths: CInt(value * 100).
  bool nextHundredths(std::int16_t& h) {
    const char* p = nullptr;
    if (!itemStart(p)) return false;
    // The printed form "d.dd" or "-d.dd" up to a separator or the line end is its three
    // digits as an integer (the plain field of two decimals, below).
    const char* end = line_.data() + line_.size();
    const bool negative = *p == '-';
    const char* d = p + (negative ? 1 : 0);
    auto digit = [](char c) { return unsigned(c - '0') < 10u; };
    if (end - d >= 4 && digit(d[0]) && d[1] == '.' && digit(d[2]) && digit(d[3]) &&
        (end - d == 4 || separator(d[4]))) {
      const int v = (d[0] - '0') * 100 + (d[2] - '0') * 10 + (d[3] - '0');
      h = std::int16_t(negative ? -v : v);
      pos_ = std::size_t(d + 4 - line_.data());
      return true;
    }
    Item item;
    if (!next(item)) return false;
    if (!item.plain || !scan::plainHundredths(item.field, h)) h = CInt(item.number() * 100.0);
    return true;
  }

  /// Items left on the line.
  int remaining() {
    int n = 0;
    Item item;
    while (next(item)) ++n;
    return n;
  }

 private:
  static bool separator(char c) { return c == ' ' || c == '\t' || c == ','; }

  /// Moves to the start of the next item; false at the end of the line.
  bool itemStart(const char*& p) {
    const char* end = line_.data() + line_.size();
    p = skipSeparators(line_.data() + pos_, end);
    pos_ = std::size_t(p - line_.data());
    return p < end;
  }

  std::string_view line_;
  std::size_t pos_ = 0;
};

/// A closing line of a table: dashes (at least three) and blanks only.
bool dashLine(std::string_view line) {
  std::size_t dashes = 0;
  for (char c : line) {
    if (c == '-')
      ++dashes;
    else if (c != ' ' && c != '\t')
      return false;
  }
  return dashes >= 3;
}

/// The line is the displacement row of atom a in a group of that width (items per row).
bool rowOf(std::string_view line, int a, int width) {
  RowNumbers row(line);
  double num = 0;
  return row.next(num) && num == a && 1 + row.remaining() == width;
}

/// Rows of the table beyond the structure's last atom (n), counted for the message.
int atomsOfTable(LineReader& in, std::string& line, int n, int width) {
  int atoms = n;
  do {
    if (!rowOf(line, atoms + 1, width)) break;
    ++atoms;
  } while (in.getLine(line));
  return atoms;
}

/// The runs of the displacement table a table's groups fill: for each atom and component,
/// modes 1..last() side by side. Made and widened by the thread that reads the table; a second
/// reader works on a copy, which never widens.
class ModeColumns {
 public:
  ModeColumns(ModKel& m, int last) : atoms_(m.NAt) { widen(m, last); }
  /// Room for modes 1..last, checked against the table's bounds (error 9).
  void widen(ModKel& m, int last) {
    if (last <= last_) return;
    runs_.clear();
    for (int a = 1; a <= atoms_; ++a)
      for (int comp = 1; comp <= 3; ++comp) runs_.push_back(m.ModeD.run(1, last, a, comp).data());
    last_ = last;
  }
  int last() const { return last_; }
  /// Where mode k of atom a (1..), component comp (0..2) goes: k must lie within last().
  i16* at(int a, int comp, int k) const { return runs_[std::size_t((a - 1) * 3 + comp)] + (k - 1); }

 private:
  int atoms_;
  int last_ = 0;
  std::vector<i16*> runs_;
};

/// Displacements of the last groups read, held until Staged modes are together: ModeD keeps
/// the mode index fastest, so a row of one group would touch a cache line (and a page) for
/// each of its numbers, while the runs of many modes are written together.
class StagedModes {
 public:
  static constexpr int Staged = 24;

  explicit StagedModes(int atoms) : atoms_(atoms), buf_(std::size_t(atoms) * 3 * Staged) {}
  /// The place of the group of c modes after mode k: component comp (0..2) of atom a (1..)
  /// of its mode k + 1 + j goes to [((a - 1) * 3 + comp) * Staged + j].
  i16* group(int k, int c) {
    if (count_ == 0) first_ = k + 1;
    const int slot = k + 1 - first_;
    count_ = std::max(count_, slot + c);
    return &buf_[std::size_t(slot)];
  }
  /// Room for a group of three more modes after mode k; else the staged modes go first.
  void makeRoom(const ModeColumns& to, int k) {
    if (count_ > 0 && k + 3 - first_ >= Staged) flush(to);
  }
  void flush(const ModeColumns& to) {
    if (count_ == 0) return;
    if (first_ + count_ - 1 > to.last()) throw BasicError{9};  // Subscript out of range
    for (int a = 1; a <= atoms_; ++a)
      for (int comp = 0; comp < 3; ++comp) {
        const i16* from = &buf_[std::size_t(((a - 1) * 3 + comp) * Staged)];
        std::copy(from, from + count_, to.at(a, comp, first_));
      }
    count_ = 0;
  }

 private:
  int atoms_;
  std::vector<i16> buf_;
  int first_ = 1, count_ = 0;
};

/// A right-aligned whole number filling field f: blanks, then digits only.
bool alignedInt(std::string_view f, int& v) {
  std::size_t i = 0;
  while (i < f.size() && f[i] == ' ') ++i;
  if (i == f.size()) return false;
  v = 0;
  for (; i < f.size(); ++i) {
    if (unsigned(f[i] - '0') > 9u) return false;
    v = v * 10 + (f[i] - '0');
  }
  return true;
}

/// The row of atom a (atomic number z) in the layout the program prints:
///      1   6    -0.01   0.00   0.01     0.01  -0.00   0.01    -0.00   0.00  -0.01
/// the atom number in six columns, the atomic number in four, then for each of the c modes two
/// blanks and x, y, z in seven columns each as "  -0.12" or "   0.12". Fills d with the 3c
/// values in hundredths, exactly as the reading item by item gives them; false for any other
/// line, which that reading then takes.
bool printedRow(std::string_view line, int a, int z, int c, std::int16_t* d) {
  constexpr std::size_t Lead = 10, Group = 23, Field = 7;
  if (line.size() != Lead + Group * std::size_t(c)) return false;
  int num = 0, an = 0;
  if (!alignedInt(line.substr(0, 6), num) || num != a || !alignedInt(line.substr(6, 4), an) ||
      an != z)
    return false;
  // Each field with the character before it, eight bytes in memory order: blanks at 1 and 2,
  // the point at 5, digits at 4, 6 and 7 (byte 3, the sign, is looked at on its own).
  using Bytes = std::array<unsigned char, 8>;
  constexpr auto word = [](Bytes b) { return std::bit_cast<std::uint64_t>(b); };
  constexpr std::uint64_t Pattern = word({0, ' ', ' ', 0, '0', '.', '0', '0'});
  constexpr std::uint64_t Exact = word({0, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0});
  constexpr std::uint64_t DigitHigh = word({0, 0, 0, 0, 0x80, 0, 0x80, 0x80});
  using scan::bytes8::Low7, scan::bytes8::Ones;
  std::uint64_t bad = 0;  // any bit: not the layout
  for (int j = 0; j < c; ++j) {
    const char* g = line.data() + Lead + Group * std::size_t(j);
    bad |= std::uint64_t(g[0] != ' ' || g[1] != ' ');
    for (int comp = 0; comp < 3; ++comp) {
      const char* f = g + 2 + Field * std::size_t(comp);
      std::uint64_t x;
      std::memcpy(&x, f - 1, 8);
      const std::uint64_t t = x ^ Pattern;  // digits become 0..9, the rest of the layout 0
      bad |= (t & Exact) | ((((t & Low7) + Ones * (0x80 - 10)) | t) & DigitHigh);
      bad |= std::uint64_t(f[2] != ' ' && f[2] != '-');
      const int v = (f[3] - '0') * 100 + (f[5] - '0') * 10 + (f[6] - '0');
      d[3 * j + comp] = std::int16_t(f[2] == '-' ? -v : v);
    }
  }
  return bad == 0;
}

/// From the frequency line of a group to the line after its last displacement row, which is
/// left in line (empty at the end of the file), starting at offset lineAt. False, with the
/// reason, when the group is not whole or does not fit the structure. labels: the line before
/// the frequency line, or none when another reader gives the labels.
bool readGroup(const ModKel& m, LineReader& in, const std::string& freqLine,
               const std::string* labels, int k, int c, int want, std::string& line,
               std::uint64_t& lineAt, std::string& problem, StagedModes& staged, GroupValues& out) {
  double v[3];
  auto cut = [&] {
    problem = endsAfter(k, std::max(want, k + c));
    return false;
  };
  auto mode = [k](int j) { return std::size_t(k + 1 + j); };
  valuesOf(freqLine, v);
  for (int j = 0; j < c; ++j) out.frq[mode(j)] = v[j];
  if (labels) readLabels(out, *labels, k, c);
  // IR intensities
  for (;;) {
    if (!in.getLine(line) || scan::hasLow(line, "frequen")) return cut();
    if (scan::hasLow(line, "inte")) break;
  }
  valuesOf(line, v);
  for (int j = 0; j < c; ++j) out.ir[mode(j)] = v[j];
  // Raman activities, then the displacement header
  for (;;) {
    if (!in.getLine(line) || scan::hasLow(line, "frequen")) return cut();
    if (scan::hasLow(line, "rama")) {
      valuesOf(line, v);
      for (int j = 0; j < c; ++j) out.ra[mode(j)] = v[j];
      for (;;) {
        if (!in.getLine(line) || scan::hasLow(line, "freq")) return cut();
        if (scan::hasLow(line, " x ") && scan::hasLow(line, " y ")) break;
      }
      break;
    }
    if (contains(line, " X ") && contains(line, " Y ")) break;
  }
  // Displacement rows, one line per atom: atom number, atomic number, then x, y, z of each
  // mode of the group.
  const int width = 2 + 3 * c;
  i16* const group = staged.group(k, c);
  auto place = [&](int a, int comp) { return group + ((a - 1) * 3 + comp) * StagedModes::Staged; };
  for (int a = 1; a <= m.NAt; ++a) {
    std::string_view view;
    do {
      if (!in.viewLine(view)) return cut();
    } while (view.find_first_not_of(' ') == std::string_view::npos);  // blank lines between rows
    std::int16_t printed[9];
    if (c <= 3 && printedRow(view, a, m.AtZ(a), c, printed)) {
      for (int comp = 0; comp < 3; ++comp)
        for (int j = 0; j < c; ++j) place(a, comp)[j] = printed[3 * j + comp];
      continue;
    }
    line.assign(view);
    RowNumbers row(line);
    double num = 0, z = 0;
    if (!row.next(num) || num != a || !row.next(z)) {
      problem = otherStructure(a - 1, m.NAt);
      return false;
    }
    if (z != m.AtZ(a)) {
      // Rows of another structure: its size is the clearer reason when it differs.
      const int rows = atomsOfTable(in, line, a - 1, 2 + row.remaining());
      problem = rows != m.NAt
                    ? otherStructure(rows, m.NAt)
                    : std::string(DisplacementRow) + Str(a) + std::string(AtomicNumberWord) +
                          Str(scan::clampedInt(z)) + std::string(StructureHas) + Str(m.AtZ(a));
      return false;
    }
    int got = 2;
    for (int j = 0; j < c; ++j)
      for (int comp = 0; comp < 3; ++comp) {
        std::int16_t d = 0;
        if (!row.nextHundredths(d)) break;
        place(a, comp)[j] = d;
        ++got;
      }
    if (got == width) got += row.remaining();
    if (got < width && in.eof()) return cut();  // the file ends inside its last row
    if (got != width) {
      problem = std::string(DisplacementRow) + Str(a) + std::string(OfModes) + Str(k + 1) + "-" +
                Str(k + c).substr(1) + ":" + Str(got) + std::string(NumbersNot) + Str(width);
      return false;
    }
  }
  // A row for one more atom: the table belongs to a larger structure.
  lineAt = in.offset();
  if (!in.getLine(line)) {
    line.clear();
    return true;
  }
  if (rowOf(line, m.NAt + 1, width)) {
    problem = otherStructure(atomsOfTable(in, line, m.NAt, width), m.NAt);
    return false;
  }
  return true;
}

}  // namespace

namespace scan {

int threeValues(std::string_view line, double (&v)[3]) {
  auto p = line.find("--");
  if (p == std::string_view::npos) return 0;
  std::string_view s = line.substr(p + 2);
  int n = 0;
  while (n < 3) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    if (s.empty()) break;
    std::size_t cut = s.find("    ");
    v[n++] = Val(s.substr(0, cut));
    if (cut == std::string_view::npos) break;
    s.remove_prefix(cut);
  }
  return n;
}

bool TableSpotter::feed(std::string_view line) {
  if (hasLow(line, "orient")) {
    ahead_ = 4;
    return false;
  }
  if (ahead_ <= 0) return false;
  --ahead_;
  if (hasLow(line, " x ") && hasLow(line, " y ")) {
    type_ = hasLow(line, "type");
    ahead_ = 0;
    return true;
  }
  return false;
}

}  // namespace scan

void reverseModes(Work& w) {
  auto& m = w.m;
  const int n = m.NFrq;
  if (n < 2) return;
  for (int i = 1; i <= n / 2; ++i) {
    const int j = n + 1 - i;
    std::swap(m.Frq(i), m.Frq(j));
    std::swap(m.FrqSym(i), m.FrqSym(j));
    std::swap(m.IrInt(i), m.IrInt(j));
    std::swap(m.RaInt(i), m.RaInt(j));
  }
  // The mode index varies fastest in ModeD: each atom's component is one run of modes.
  for (int a = 1; a <= m.NAt; ++a)
    for (int k = 1; k <= 3; ++k) std::ranges::reverse(m.ModeD.run(1, n, a, k));
}

void ReCoo(Work& w, int kn, int& la, int& ier) noexcept {
  guard(w, "ReCoo", [&] { readCoordinates(w, kn, la, ier, false); });
}

void ReCo1(Work& w, int kn, int& la, int& ier) noexcept {
  guard(w, "ReCo1", [&] {
    readCoordinates(w, kn, la, ier, true);
    if (ier == 0) w.m.NAt = cint16(la);
  });
}

void ReMv(Work& w, int lw, int la, int& lfr, ModeRead* out) noexcept {
  guard(w, "ReMv", [&] {
    auto& m = w.m;
    ModeRead local;
    ModeRead& result = out ? *out : local;
    result = {};
    lfr = 0;
    m.Sw(sw::ModesHeld) = 0;
    m.NFrq = 0;
    m.ModeD.fill(0);
    if (!findModeBlock(w)) return;
    lfr = 1;
    clearModeTables(w);
    int read = 0, declared = -1;
    if (!readModes(w, 1, 1, la, read, declared, result.problem) ||
        (read > 0 && !wholeBlock(read, declared, lw, result.problem))) {
      m.ModeD.fill(0);
      clearModeTables(w);
      return;
    }
    if (read == 0) {  // a structure without modes: nothing is missing
      lfr = 0;
      return;
    }
    m.NFrq = cint16(read);
    m.Sw(sw::ModesHeld) = -1;
    lfr = -1;
    setRamanCount(w);
  });
}

void ReMv1(Work& w, int i1, int lw1, int la, int& lfr, ModeRead* out) noexcept {
  guard(w, "ReMv1", [&] {
    auto& m = w.m;
    ModeRead local;
    ModeRead& result = out ? *out : local;
    result = {};
    lfr = 0;
    m.Sw(sw::ModesHeld) = 0;
    // The added atoms do not move in the modes held, nor the held atoms in the added modes.
    for (int mode = 1; mode <= m.NFrq; ++mode)
      for (int a = i1 + 1; a <= la; ++a)
        for (int k = 1; k <= 3; ++k) m.ModeD(mode, a, k) = 0;
    if (!findModeBlock(w)) return;
    lfr = 1;
    const int first = m.NFrq + 1;
    int read = 0, declared = -1;
    if (!readModes(w, first, i1 + 1, la, read, declared, result.problem) ||
        (read > 0 && !wholeBlock(read, declared, lw1, result.problem))) {
      // No trace of the refused modes, the one cut off included.
      for (int mode = first; mode <= std::min(first + read, int(MaxFrq)); ++mode) {
        for (int a = 1; a <= la; ++a)
          for (int k = 1; k <= 3; ++k) m.ModeD(mode, a, k) = 0;
        m.Frq(mode) = m.IrInt(mode) = m.RaInt(mode) = 0;
        m.FrqSym(mode).clear();
      }
      m.Sw(sw::ModesHeld) = m.NFrq > 0 ? -1 : 0;
      return;
    }
    for (int mode = first; mode < first + read; ++mode)
      for (int a = 1; a <= i1; ++a)
        for (int k = 1; k <= 3; ++k) m.ModeD(mode, a, k) = 0;
    if (read == 0) {
      lfr = 0;
      return;
    }
    m.NFrq = cint16(m.NFrq + read);
    m.Sw(sw::ModesHeld) = -1;
    lfr = -1;
    setRamanCount(w);
  });
}

namespace {

/// A "harmonic freq" title arms the count; the first normal frequency line after it counts
/// one table (the high-precision table of the same job shares its title with the normal one).
class TableCounter {
 public:
  void feed(std::string_view line) {
    if (scan::hasLow(line, "harmonic freq"))
      armed_ = true;
    else if (armed_ && isFreqLine(line)) {
      ++count_;
      armed_ = false;
    }
  }
  int count() const { return count_; }
  /// A title was read and its first frequency line not yet.
  bool armed() const { return armed_; }

 private:
  bool armed_ = false;
  int count_ = 0;
};

/// Where the reading of a table stands: the frequency line of the next group in line (which
/// starts at offset at), the line before it in labels, k modes read before it.
struct TablePlace {
  int k = 0;
  std::string line, labels;
  std::uint64_t at = 0;
  bool cutOff = false;  ///< the table ended with the file rather than with another line
};

/// What a table's reader does before a group: reads it, stops there (the rest is read
/// already) or gives up.
enum class Next { Read, Stop, GiveUp };

/// Reads the groups of a table from the one whose frequency line p holds to the table's end;
/// ahead(p, c) is asked before each group of c modes. False, with the reason in problem
/// (none when ahead gave up), when the table is refused. labels: whether p.labels belongs to
/// the first group (else another reader gives its labels).
template <typename Ahead>
bool readGroups(const ModKel& m, LineReader& in, int lw, TablePlace& p, const ModeColumns& cols,
                GroupValues& values, std::string& problem, bool labels, Ahead&& ahead) {
  StagedModes staged(m.NAt);
  for (bool found = true; found;) {
    double v[3];
    const int c = valuesOf(p.line, v);
    if (c < 1) break;
    if (p.k + c > MaxFrq) {
      problem = TooManyModes;
      return false;
    }
    const Next next = ahead(p, c);
    if (next == Next::GiveUp) return false;
    if (next == Next::Stop) break;
    const std::string freqLine = p.line;
    staged.makeRoom(cols, p.k);
    if (!readGroup(m, in, freqLine, labels ? &p.labels : nullptr, p.k, c, lw, p.line, p.at, problem,
                   staged, values))
      return false;
    labels = true;
    p.k += c;
    // A following group starts within three lines (number line, label line, frequencies);
    // the table ends at other lines, a line of dashes or the end of the file (cut off).
    found = false;
    p.labels.clear();
    bool closed = false;
    for (int n = 0; n < 3; ++n) {
      if (n > 0) {
        p.at = in.offset();
        if (!in.getLine(p.line)) break;
      }
      if (n == 0 && in.eof() && p.line.empty()) break;
      if (isFreqLine(p.line)) {
        found = true;
        break;
      }
      closed = closed || dashLine(p.line) || n == 2;
      p.labels = p.line;
    }
    p.cutOff = !found && !closed;
  }
  staged.flush(cols);
  return true;
}

/// The second half of a large table, read by a thread of its own from one of its groups on
/// while the caller reads the first half into other modes of the same runs. The caller takes
/// it over only when its own reading arrives at exactly that group with as many modes before
/// it as were assumed; otherwise (a table other than the index counts, or a second half that
/// fails) the caller reads on alone and meets every refusal itself, so that no result depends
/// on the split.
class SecondHalf {
 public:
  /// Groups from this many on are read in two halves.
  static constexpr std::size_t Groups = 64;

  /// A second half of the table whose first frequency line starts at offset first of file f,
  /// when the index lists enough of its groups (three modes each, as the program prints
  /// them); else none.
  static std::unique_ptr<SecondHalf> start(const ModKel& m, const std::string& f,
                                           const BlockIndex* index, std::uint64_t first,
                                           const ModeColumns& cols, int lw) {
    if (!index || !index->holds(f)) return nullptr;
    std::vector<std::uint64_t> groups;
    for (const auto& e : index->entries()) {
      if (e.offset < first) continue;
      if (e.offset > first && (e.kinds & BlockIndex::FrequencyTitle)) break;  // the next table
      if (e.kinds & BlockIndex::FrequencyGroup) groups.push_back(e.offset);
    }
    if (groups.size() < Groups || groups.front() != first) return nullptr;
    const std::size_t half = groups.size() / 2;
    try {
      return std::make_unique<SecondHalf>(m, f, groups[half], int(3 * half), cols, lw);
    } catch (...) {
      return nullptr;  // no memory or thread for it: the table is read in one
    }
  }

  SecondHalf(const ModKel& m, const std::string& f, std::uint64_t from, int k,
             const ModeColumns& cols, int lw)
      : from_(from), k_(k), cols_(cols) {
    thread_ = std::jthread([this, &m, f, lw] { read(m, f, lw); });
  }
  SecondHalf(const SecondHalf&) = delete;
  SecondHalf& operator=(const SecondHalf&) = delete;

  std::uint64_t from() const { return from_; }
  int firstMode() const { return k_; }  ///< modes assumed before it
  /// Waits for the thread; true when it read the rest of the table whole.
  bool whole() {
    if (thread_.joinable()) thread_.join();
    return whole_;
  }
  /// After whole(): where the table ended, its modes and the reader's place past it.
  const TablePlace& end() const { return place_; }
  std::uint64_t endOffset() const { return endOffset_; }
  GroupValues& values() { return values_; }
  int firstCount() const { return firstCount_; }

 private:
  void read(const ModKel& m, const std::string& f, int lw) {
    try {
      LineReader in(f);
      in.seek(from_);
      place_.at = from_;
      place_.k = k_;
      if (!in.getLine(place_.line) || !isFreqLine(place_.line)) return;
      std::string problem;
      const bool ok = readGroups(m, in, lw, place_, cols_, values_, problem, false,
                                 [this](const TablePlace& p, int c) {
                                   if (firstCount_ == 0) firstCount_ = c;
                                   return p.k + c > cols_.last() ? Next::GiveUp : Next::Read;
                                 });
      if (!ok || in.midLine()) return;
      endOffset_ = in.offset();
      whole_ = true;
    } catch (...) {
      // refused here, the caller reads this half itself and meets the failure there
    }
  }

  const std::uint64_t from_;
  const int k_;
  const ModeColumns cols_;  // a copy: the caller's may widen meanwhile
  TablePlace place_;
  GroupValues values_;
  std::uint64_t endOffset_ = 0;
  int firstCount_ = 0;
  bool whole_ = false;
  std::jthread thread_;  // the last member: joined before the rest goes
};

/// Reads the first table of open file f (in), whose title was just read; the rest of the
/// file is only counted for further tables. k = the modes read; false, with the reason, when
/// the table is refused. A large table's second half is read beside the first.
bool readFirstTable(Work& w, const std::string& f, LineReader& in, int lw, int& k, ModeRead& out,
                    IndexedLines& titles, const BlockIndex* index) {
  auto& m = w.m;
  std::string line;
  TableCounter counter;
  counter.feed(" harmonic freq");
  // The first group: its frequency line, the label line just before it.
  TablePlace p;
  bool found = false;
  for (;;) {
    p.at = in.offset();
    if (!in.getLine(p.line)) break;
    counter.feed(p.line);
    if (isFreqLine(p.line)) {
      found = true;
      break;
    }
    p.labels.swap(p.line);
  }
  k = 0;
  p.cutOff = !found;
  GroupValues values;
  ModeColumns cols(m, std::clamp(lw, 1, int(MaxFrq)));
  auto half = found ? SecondHalf::start(m, f, index, p.at, cols, lw) : nullptr;
  bool alone = !half;  // read on without the second half
  const auto ahead = [&](TablePlace& q, int c) {
    if (!alone && q.at == half->from() && q.k == half->firstMode() && half->whole()) {
      // the first half ends where the second began: the second half's modes are taken over
      values.take(half->values(), q.k + 1, half->end().k);
      readLabels(values, q.labels, q.k, half->firstCount());
      q.k = half->end().k;
      q.cutOff = half->end().cutOff;
      in.seek(half->endOffset());
      return Next::Stop;
    }
    if (!alone && (q.at >= half->from() || q.k + c > half->firstMode())) {
      half->whole();
      alone = true;
    }
    cols.widen(m, q.k + c);
    return Next::Read;
  };
  const bool ok = !found || readGroups(m, in, lw, p, cols, values, out.problem, true, ahead);
  k = p.k;
  // A second half left aside wrote only modes up to the ones expected (lw): a table that
  // ends before them is refused and cleared, one that does not has them all read again.
  half.reset();
  if (!ok) return false;
  if (k < lw) {
    out.problem = endsAfter(k, lw);
    return false;
  }
  if (p.cutOff && k > 0) {
    out.problem = CutOffAtEnd;
    return false;
  }
  values.store(m, k);
  while (counter.armed() ? in.getLine(line) : titles.next(line)) counter.feed(line);
  out.tables = counter.count();
  return true;
}

}  // namespace

void ReMW(Work& w, const std::string& f, int lw, int& ier, ModeRead* out,
          const BlockIndex* index) noexcept {
  guard(w, "ReMW", [&] {
    auto& m = w.m;
    ModeRead local;
    ModeRead& result = out ? *out : local;
    result = {};
    double len = 0;
    int state = 0;
    SplB(w, f, len, state);
    if (state != 0) return;
    ier = 0;
    m.Sw(sw::ModesHeld) = 0;
    m.NFrq = 0;
    m.ModeD.fill(0);
    if (m.NAt < 1 || len < 10) return;
    auto& in = w.files.openInput(GaussChannel, f);
    IndexedLines titles(in, index, BlockIndex::FrequencyTitle);
    std::string line;
    bool found = false;
    while (titles.next(line))
      if (scan::hasLow(line, "harmonic freq")) {
        found = true;
        break;
      }
    if (!found) {
      w.files.close(GaussChannel);
      return;
    }
    ier = 1;
    clearModeTables(w);
    m.ModeD.prepare(std::clamp(lw, 1, int(MaxFrq)), int(m.NAt), 3);  // the modes expected
    int k = 0;
    const bool whole = readFirstTable(w, f, in, lw, k, result, titles, index);
    w.files.close(GaussChannel);
    if (!whole) {
      m.ModeD.fill(0);
      clearModeTables(w);
      return;
    }
    if (k == 0) {  // a single atom: the title without a group
      ier = 0;
      return;
    }
    m.NFrq = cint16(k);
    m.Sw(sw::ModesHeld) = -1;
    ier = -1;
    setRamanCount(w);
    reverseModes(w);
  });
}

void ReFrq(Work& w, int lw, int& ier) noexcept {
  guard(w, "ReFrq", [&] {
    auto& m = w.m;
    const std::string& f = m.DatNam;
    double len = 0;
    int state = 0;
    SplB(w, f, len, state);
    if (state != 0 || len < 10) return;
    ier = 1;
    lw = std::min(lw, int(MaxFrq));
    if (lw < 1) return;
    // Three passes: frequencies, IR intensities, Raman activities.
    struct Kind {
      std::string_view key;
      Tab<double, MaxFrq>* table;
      int count = 0;
    };
    Kind kinds[3] = {{"freq", &m.Frq}, {"inte", &m.IrInt}, {"rama", &m.RaInt}};
    for (auto& kind : kinds) {
      auto& in = w.files.openInput(GaussChannel, f);
      std::string line;
      while (kind.count < lw && in.getLine(line)) {
        if (!scan::hasLow(line, kind.key) || line.find("--") == std::string::npos) continue;
        if (kind.key == "freq" && !isFreqLine(line)) continue;
        double v[3];
        int c = valuesOf(line, v);
        for (int j = 0; j < c && kind.count < lw; ++j) (*kind.table)(++kind.count) = v[j];
      }
      w.files.close(GaussChannel);
    }
    const int n = kinds[0].count;
    if (n == 0) return;
    for (int i = kinds[1].count + 1; i <= n; ++i) m.IrInt(i) = 0;
    for (int i = kinds[2].count + 1; i <= n; ++i) m.RaInt(i) = 0;
    bool raman = false;
    for (int i = 1; i <= n; ++i) raman = raman || m.RaInt(i) != 0;
    if (raman) m.RaInt(0) = n;
    m.Sw(sw::ModesHeld) = -1;
    ier = -1;
    for (int i = 1; i <= n / 2; ++i) {
      std::swap(m.Frq(i), m.Frq(n + 1 - i));
      std::swap(m.IrInt(i), m.IrInt(n + 1 - i));
      std::swap(m.RaInt(i), m.RaInt(n + 1 - i));
    }
  });
}

// Mass lines of a Gaussian output:
//  Atom     1 has atomic number  6 and mass  12.00000
void ReIzo(Work& w, const std::string& f, std::string& route, int na, int& ier,
           const BlockIndex* index) noexcept {
  guard(w, "ReIzo", [&] {
    auto& m = w.m;
    ier = 1;
    double len = 0;
    int state = 0;
    SplW(f, len, state);
    if (state != 0) {
      tekst(w, std::string(ErrorInFile) + f);
      return;
    }
    if (len <= 0) return;
    ier = 0;
    na = std::min(na, int(MaxAt));
    auto& in = w.files.openInput(GaussChannel, f);
    IndexedLines lines(in, index, BlockIndex::Mass | BlockIndex::Route);
    std::string line;
    int taken = 0;
    bool differs = false;
    while (taken < na && lines.next(line)) {
      if (route.empty() && scan::isRouteLine(line)) route = line;
      auto p = scan::findLow(line, "atom");
      if (p == std::string::npos) continue;
      const double n = Val(std::string_view(line).substr(p + 4));
      if (n > MaxAt) continue;
      auto pn = scan::findLow(line, "number ");
      auto pm = scan::findLow(line, "mass ");
      if (pn == std::string::npos || pm == std::string::npos) continue;
      if (n < 1 || n > na || n != std::floor(n)) continue;
      const int i = int(n);
      const double z = Val(std::string_view(line).substr(pn + 7));
      if (z != m.AtZ(i)) {
        tekst(w, line);
        if (taken > 0) {
          ier = 1;
          break;
        }
        continue;
      }
      const double mass = Val(std::string_view(line).substr(pm + 5));
      if (!(mass > 0)) {
        ier = 1;
        break;
      }
      m.AtMas0(i) = mass;
      if (std::fabs(mass - m.AtMas(i)) >= MassTolerance) differs = true;
      ++taken;
    }
    w.files.close(GaussChannel);
    if (taken == 0 && ier == 0) return;
    if (ier == 0 && taken < na) ier = 1;
    if (ier == 0 && !differs) {
      tekst(w, std::string(MassesInFile) + f);
      tekst(w, MassesSame);
      ier = -1;
      return;
    }
    tekst(w, std::string(MassesFromFile) + f);
    if (ier == 1) {
      tekst(w, line + std::string(InputError));
      return;
    }
    for (int i = 1; i <= na; ++i) {
      m.AtMas(i) = m.AtMas0(i);
      tekst(w, "");
      fomi(w, 0, 3, i);
      fomi(w, 0, 4, m.AtZ(i));
      TekUl(w, m.AtLab(i) + "  ");
      for (int k = 1; k <= 3; ++k) fom6(w, 0, 12, m.Xyz(i, k));
      fom6(w, 0, 12, m.AtMas(i));
    }
    tekst(w, "");
    ier = -1;
  });
}

}  // namespace kel
