// Kelvorin - desktop workbench for vibrational calculations.
//
// 3
// water
// O      0.000000    0.000000    0.119262
// H      0.000000    0.763239   -0.477047
// H      0.000000   -0.763239   -0.477047
#include "writers/xyz_export.hpp"

#include "base/strings.hpp"
#include "model/mode_motion.hpp"
#include "model/work.hpp"
#include "writers/export_file.hpp"
#include "writers/fields.hpp"

#include <algorithm>
#include <charconv>

namespace kel {

namespace {

constexpr std::string_view ExportLine = "export XYZ file ";
constexpr std::string_view XyzExt = ".xyz";
constexpr std::string_view MovieLine = "export XYZ movie ";
constexpr std::string_view NoSuchMode = "no such mode: ";

/// The symbol column of an atom line.
std::string symbolField(const ModKel& m, int i) {
  // Deuterium keeps its "D": the program's own reader takes its mass from it.
  std::string sym = m.AtSym(i);
  sym.resize(std::max<std::size_t>(sym.size(), 2), ' ');
  return sym;
}

std::string shortNumber(double x) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 3);
  return std::string(buf, r.ptr);
}

}  // namespace

void XyzExp(Work& w, int& ier) noexcept {
  if (!guard(w, "XyzExp", [&] {
        if (!structureHeld(w, ier)) return;
        const auto& m = w.m;
        std::string text = std::to_string(m.NAt) + "\n";
        text += m.FilNam.substr(fileNameStart(m.FilNam)) + "\n";
        for (int i = 1; i <= m.NAt; ++i) {
          text += symbolField(m, i);
          for (int k = 1; k <= 3; ++k) appendFixed(text, m.Xyz(i, k), 12, 6);
          text += '\n';
        }
        writeExport(w, m.FilNam, XyzExt, ExportLine, text, ier);
      }))
    ier = 1;
}

void XyzMovie(Work& w, const std::string& file, int mode, int n, int& ier) noexcept {
  if (!guard(w, "XyzMovie", [&] {
        if (!structureHeld(w, ier)) return;
        const auto& m = w.m;
        if (mode < 1 || mode > m.NFrq) {
          w.con.Text3.text = std::string(NoSuchMode) + std::to_string(mode);
          ier = 1;
          return;
        }
        std::string title = m.FilNam.substr(fileNameStart(m.FilNam)) + " mode " +
                            std::to_string(mode) + " " + shortNumber(m.Frq(mode)) + " cm-1";
        std::string text;
        for (int k = 0; k < n; ++k) {
          double phase = periodPhase(k, n);
          text += std::to_string(m.NAt) + "\n" + title + " frame " + std::to_string(k + 1) + "/" +
                  std::to_string(n) + " phase " + shortNumber(phase) + "\n";
          for (int i = 1; i <= m.NAt; ++i) {
            text += symbolField(m, i);
            for (int c = 1; c <= 3; ++c)
              appendFixed(text, m.Xyz(i, c) + double(modeOffset(m, mode, i, c, phase)), 12, 6);
            text += '\n';
          }
        }
        auto [stem, ext] =
            stemAndExt(file.empty() ? m.FilNam + "_mode" + std::to_string(mode) : file);
        if (ext.empty()) ext = XyzExt;
        writeExport(w, stem, ext, MovieLine, text, ier);
      }))
    ier = 1;
}

}  // namespace kel
