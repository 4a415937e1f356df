// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/renumber.hpp"

#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/work.hpp"
#include "readers/block_index.hpp"
#include "readers/read_helpers.hpp"
#include "readers/text_scan.hpp"
#include "readers/texts.hpp"

#include <cmath>
#include <utility>

namespace kel {

namespace {

constexpr std::string_view ScalingKey = texts::ScalingKey;
constexpr std::string_view RenumKey = texts::RenumKey;
constexpr std::string_view ReverseKey = "reverse";
constexpr std::string_view Command = "command: ";
constexpr std::string_view ReverseWord = "reverse ";
constexpr std::string_view RenumWords = "renum atoms ";
constexpr std::string_view RenumIgnored = " ... renum ignored";
constexpr std::string_view DefinitionsRead = " renum definitions has been read";
constexpr std::string_view NumberingError = "error in numbering: ";
constexpr std::string_view IncorrectRenumbering = "incorrect renumbering: ";
constexpr std::string_view ScalingLine = "frequency scaling factor = ";

constexpr std::string_view TooManyBlocks =
    "  more than 100 renumbering blocks: the rest is not applied";

constexpr int RenCh = 23;
/// Each block costs the square of the atom count and lists every atom: a file of thousands
/// of blocks (a damaged one) would take minutes, real ones hold a few.
constexpr int MaxBlocks = 100;

// frequency scaling factor =  .98*x + 10
void scalingLine(Work& w, const std::string& low) {
  ModKel& m = w.m;
  auto eq = low.find('=');
  double v = eq == std::string::npos ? 0.0 : Val(std::string_view(low).substr(eq + 1));
  m.Par(par::ScaleFactor) = v;
  if (v != 0) m.Sw(sw::Scaling) = -1;
  if (auto x = low.find('x'); x != std::string::npos) {
    m.Par(par::ScaleShift) = Val(std::string_view(low).substr(x + 1));
  } else {
    m.Par(par::ScaleShift) = v;
    m.Par(par::ScaleFactor) = 0;
  }
}

// renum atoms            (or: reverse renum atoms)
// 1 2  2 3  3 1  0
/// Reads the pairs of one block into map; the count of pairs, or -1 after a pair out of range.
int readBlock(Work& w, LineReader& in, bool reverse, int n, std::vector<int>& map) {
  int defs = 0, numbers = 0;
  double a = 0, b = 0;
  while (in.tryInputNumber(a)) {
    ++numbers;
    long long ia = roundField(a);
    if (ia == 0) {
      if (defs == 0 && numbers <= 4) continue;
      break;
    }
    if (!in.tryInputNumber(b)) break;
    ++numbers;
    long long ib = roundField(b);
    if (ia < 1 || ia > n || ib < 1 || ib > n) {
      tekst(w, std::string(NumberingError) + Str(ia) + Str(ib));
      return -1;
    }
    ++defs;
    int p = int(ia), q = int(ib);
    if (reverse) std::swap(p, q);
    map[std::size_t(q)] = p;
    if (map[std::size_t(p)] == p) map[std::size_t(p)] = q;
  }
  return defs;
}

/// Two positions holding the same old number, or {0, 0}.
std::pair<int, int> duplicate(const std::vector<int>& map, int n) {
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j)
      if (map[std::size_t(i)] == map[std::size_t(j)]) return {i, j};
  return {0, 0};
}

}  // namespace

void RenDef(Work& w, const std::string& f, int n, const BlockIndex* index) noexcept {
  guard(w, "RenDef", [&] {
    ModKel& m = w.m;
    m.Par(par::ScaleFactor) = 0;
    m.Par(par::ScaleShift) = 0;
    m.Sw(sw::Scaling) = 0;
    LineReader& in = w.files.openInput(RenCh, f);
    IndexedLines lines(in, index, BlockIndex::Instruction);
    int block = 0;
    std::string line;
    while (lines.next(line)) {
      // Most lines hold neither key: look case-blind before making a lower-case copy.
      bool scaling = scan::hasLow(line, ScalingKey);
      if (!scaling && !scan::hasLow(line, RenumKey)) continue;
      std::string low = lower(line);
      if (scaling) scalingLine(w, low);
      if (!contains(low, RenumKey)) continue;
      bool reverse = contains(low, ReverseKey);
      if (block == MaxBlocks) {
        w.con.Text3.text = f + std::string(TooManyBlocks);
        tekst(w, w.con.Text3.text);
        w.readFailed = true;
        break;
      }
      ++block;
      tekst(w, std::string(Command) + (reverse ? std::string(ReverseWord) : std::string()) +
                   std::string(RenumWords) + Str(block));
      std::vector<int> map(std::size_t(n) + 1);
      for (int i = 0; i <= n; ++i) map[std::size_t(i)] = i;
      int defs = readBlock(w, in, reverse, n, map);
      if (defs < 0) continue;
      if (defs == 0) {
        TekUl(w, RenumIgnored);
        continue;
      }
      tekst(w, Str(defs) + std::string(DefinitionsRead));
      if (auto [i, j] = duplicate(map, n); i != 0) {
        tekst(w, std::string(NumberingError) + Str(i) + Str(j));
        continue;
      }
      Renum(w, map, n);
    }
    w.files.close(RenCh);
    if (m.Sw(sw::Scaling) != 0)
      tekst(w, std::string(ScalingLine) + Str(m.Par(par::ScaleFactor)) + "*x " +
                   (m.Par(par::ScaleShift) < 0 ? "-" : "+") +
                   Str(std::fabs(m.Par(par::ScaleShift))));
  });
}

namespace {

/// Atomic numbers, masses, coordinates and connections gathered from the old numbers.
void permuteAtoms(ModKel& m, const std::vector<int>& map, int n) {
  auto at = [&](int i) { return map.at(std::size_t(i)); };
  std::size_t rows = std::size_t(n) + 1;
  std::vector<i16> z(rows), nb(rows), mpo(rows * rows);
  std::vector<double> mass(rows), mass0(rows), xyz(rows * 4), old(rows * 4);
  for (int i = 1; i <= n; ++i) {
    std::size_t r = std::size_t(i);
    z[r] = m.AtZ(at(i));
    nb[r] = m.NBond(at(i));
    mass[r] = m.AtMas(at(i));
    mass0[r] = m.AtMas0(at(i));
    for (int k = 0; k <= 3; ++k) {
      xyz[r * 4 + std::size_t(k)] = m.Xyz(at(i), k);
      old[r * 4 + std::size_t(k)] = m.XyzOld(at(i), k);
    }
    for (int j = 1; j <= n; ++j) mpo[r * rows + std::size_t(j)] = m.Mpo(at(i), at(j));
  }
  for (int i = 1; i <= n; ++i) {
    std::size_t r = std::size_t(i);
    setAtom(m, i, z[r], mass[r]);  // symbol, label and radius follow the atomic number
    m.AtMas0(i) = mass0[r];
    m.NBond(i) = nb[r];
    for (int k = 0; k <= 3; ++k) {
      m.Xyz(i, k) = xyz[r * 4 + std::size_t(k)];
      m.XyzOld(i, k) = old[r * 4 + std::size_t(k)];
    }
    for (int j = 1; j <= n; ++j) m.Mpo(i, j) = mpo[r * rows + std::size_t(j)];
  }
}

/// The displacement rows of every mode held.
void permuteModes(ModKel& m, const std::vector<int>& map, int n) {
  std::vector<i16> row(std::size_t(n + 1) * 3);
  for (int f = 1; f <= m.NFrq; ++f) {
    for (int i = 1; i <= n; ++i)
      for (int k = 1; k <= 3; ++k)
        row[std::size_t(i * 3 + k - 1)] = m.ModeD(f, map.at(std::size_t(i)), k);
    for (int i = 1; i <= n; ++i)
      for (int k = 1; k <= 3; ++k) m.ModeD(f, i, k) = row[std::size_t(i * 3 + k - 1)];
  }
}

/// The force constants by exchanges of two atoms, pass after pass; the first position still
/// out of order afterwards (0 when the order matches).
int permuteForceConstants(Work& w, const std::vector<int>& map, int n) {
  std::vector<int> cur(std::size_t(n) + 1);
  for (int i = 0; i <= n; ++i) cur[std::size_t(i)] = i;
  auto firstMismatch = [&] {
    for (int i = 1; i <= n; ++i)
      if (cur[std::size_t(i)] != map.at(std::size_t(i))) return i;
    return 0;
  };
  for (int pass = 0; pass <= n && firstMismatch() != 0; ++pass) {
    TekUl(w, "#");
    for (int i = 1; i <= n; ++i) {
      int want = map.at(std::size_t(i));
      for (int j = i + 1; j <= n && cur[std::size_t(i)] != want; ++j)
        if (cur[std::size_t(j)] == want) {
          RenFt(w, w.m.Fcc, n, i, j);
          std::swap(cur[std::size_t(i)], cur[std::size_t(j)]);
        }
    }
  }
  return firstMismatch();
}

}  // namespace

void Renum(Work& w, const std::vector<int>& map, int n) noexcept {
  guard(w, "Renum", [&] {
    ModKel& m = w.m;
    m.RenDone = 0;
    permuteAtoms(m, map, n);
    for (int i = 1; i <= n; ++i) listAtom(w, i);
    permuteModes(m, map, n);
    if (int i = permuteForceConstants(w, map, n); i != 0) {
      tekst(w, std::string(IncorrectRenumbering) + Str(i) + Str(map.at(std::size_t(i))));
      return;
    }
    m.RenDone = 1;
  });
}

void RenFt(Work& w, Tab<double, MaxFrq, MaxFrq>& f, int n, int a, int b) noexcept {
  guard(w, "RenFt", [&] {
    int dim = 3 * n;
    for (int k = 0; k < 3; ++k) {
      int p = 3 * a - 2 + k, q = 3 * b - 2 + k;
      for (int j = 1; j <= dim; ++j) std::swap(f(p, j), f(q, j));
      for (int j = 1; j <= dim; ++j) std::swap(f(j, p), f(j, q));
    }
  });
}

}  // namespace kel
