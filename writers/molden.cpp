// Kelvorin - desktop workbench for vibrational calculations.
//
// [Molden Format]
// [Atoms] Angs
// O     1    8      0.000000      0.000000      0.119262
// H     2    1      0.000000      0.763239     -0.477047
// [FREQ]
//    1709.7865
// [FR-COORD]
// O      0.000000      0.000000      0.225373          (in bohr)
// [FR-NORM-COORD]
// vibration      1
//      0.0000      0.0000     -0.0700
// [INT]
//      73.1720
//
// Frequencies, coordinates and intensities of one mode share its position in [FREQ],
// [FR-NORM-COORD] and [INT].
#include "writers/molden.hpp"

#include "base/strings.hpp"
#include "model/work.hpp"
#include "writers/export_file.hpp"
#include "writers/fields.hpp"
#include "writers/own_file.hpp"

#include <algorithm>
#include <numeric>
#include <vector>

namespace kel {

namespace {

constexpr std::string_view ExportLine = "export Molden file ";
constexpr std::string_view NoModes = "no modes held: the Molden file holds the structure only";
constexpr std::string_view MoldenExt = ".molden";
constexpr std::string_view Head = "[Molden Format]\n";
constexpr std::string_view AtomsHead = "[Atoms] Angs\n";
constexpr std::string_view FreqHead = "[FREQ]\n";
constexpr std::string_view CoordHead = "[FR-COORD]\n";
constexpr std::string_view ModesHead = "[FR-NORM-COORD]\n";
constexpr std::string_view VibrationWord = "vibration";
constexpr std::string_view IntHead = "[INT]\n";
constexpr double BohrInAngstrom = 0.529177210903;  // CODATA 2018

/// The element as other programs know it: the model's deuterium (atomic number 2) is
/// hydrogen to them.
int elementOf(const ModKel& m, int i) {
  return m.AtZ(i) == 2 ? 1 : m.AtZ(i);
}
std::string symbolOf(const ModKel& m, int i) {
  std::string s = m.AtZ(i) == 2 ? std::string("H") : m.AtSym(i);
  s.resize(std::max<std::size_t>(s.size(), 2), ' ');
  return s;
}

/// The modes from the lowest frequency up, as the other viewers list them; the model holds
/// mode 1 as the highest. The sort is stable, so equal frequencies keep a fixed order.
std::vector<int> ascendingModes(const ModKel& m) {
  std::vector<int> order(std::size_t(m.NFrq));
  std::iota(order.rbegin(), order.rend(), 1);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return m.Frq(a) < m.Frq(b); });
  return order;
}

void atomsBlock(const ModKel& m, std::string& out) {
  out += AtomsHead;
  for (int i = 1; i <= m.NAt; ++i) {
    out += symbolOf(m, i);
    appendIntField(out, i, 5);
    appendIntField(out, elementOf(m, i), 5);
    for (int k = 1; k <= 3; ++k) appendFixed(out, m.Xyz(i, k), 14, 6);
    out += '\n';
  }
}

void modeBlocks(const ModKel& m, std::string& out) {
  const auto order = ascendingModes(m);
  out += FreqHead;
  for (int md : order) {
    appendFixed(out, m.Frq(md), 12, 4);
    out += '\n';
  }
  out += CoordHead;
  for (int i = 1; i <= m.NAt; ++i) {
    out += symbolOf(m, i);
    for (int k = 1; k <= 3; ++k) appendFixed(out, m.Xyz(i, k) / BohrInAngstrom, 14, 6);
    out += '\n';
  }
  // The displacements as the model holds them (hundredths of the normalised mode); viewers
  // scale a mode to their own amplitude.
  out += ModesHead;
  for (std::size_t n = 0; n < order.size(); ++n) {
    out += VibrationWord;
    appendIntField(out, long(n + 1), 7);
    out += '\n';
    for (int i = 1; i <= m.NAt; ++i) {
      for (int k = 1; k <= 3; ++k) appendFixed(out, m.ModeD(order[n], i, k) / 100.0, 12, 4);
      out += '\n';
    }
  }
  out += IntHead;
  for (int md : order) {
    appendFixed(out, m.IrInt(md), 12, 4);
    out += '\n';
  }
}

/// file split into stem and extension; FilNam + ".molden" when it is empty.
std::pair<std::string, std::string> targetOf(const ModKel& m, const std::string& file) {
  if (file.empty()) return {m.FilNam, std::string(MoldenExt)};
  std::size_t dot = file.rfind('.');
  if (dot == std::string::npos || dot < fileNameStart(file)) return {file, ""};
  return {file.substr(0, dot), file.substr(dot)};
}

}  // namespace

void MoldenExp(Work& w, const std::string& file, int& ier) noexcept {
  if (!guard(w, "MoldenExp", [&] {
        if (!structureHeld(w, ier)) return;
        const auto& m = w.m;
        std::string text(Head);
        atomsBlock(m, text);
        if (m.NFrq > 0)
          modeBlocks(m, text);
        else
          tekst(w, NoModes);
        auto [stem, ext] = targetOf(m, file);
        writeExport(w, stem, ext, ExportLine, text, ier);
      }))
    ier = 1;
}

}  // namespace kel
