// Kelvorin - desktop workbench for vibrational calculations.
//
// %nproc=1
// %chk= kelvorin.chk
// # opt rb3lyp/6-311+g(d,p)  freq=raman
//
// Title: Kelvorin Job water
//
// 0 1
//  O                  0.000000    0.000000    0.117300
//  ...
// (a last line of two blanks)
#include "writers/gaussian_job.hpp"

#include "model/free_name.hpp"
#include "model/work.hpp"
#include "writers/texts.hpp"

namespace kel {

namespace {

constexpr std::string_view ProcLine = "%nproc=1";
constexpr std::string_view ChkLine = "%chk= kelvorin.chk";
constexpr std::string_view RouteLine = "# opt rb3lyp/6-311+g(d,p)  freq=raman";
constexpr std::string_view TitleHead = "Title: Kelvorin Job ";
constexpr std::string_view ChargeLine = "0 1";
constexpr std::string_view LastLine = "  ";
constexpr std::size_t SymbolWidth = 16;

constexpr std::string_view Renamed = OldFileRenamed;
constexpr std::string_view Saved = "saved as file ";
constexpr int JobChannel = 4;

}  // namespace

void ZaGJF(Work& w, int channel, int n, const std::string& title) {
  auto& f = w.files;
  auto& m = w.m;
  f.writeLine(channel, ProcLine);
  f.writeLine(channel, ChkLine);
  f.writeLine(channel, RouteLine);
  f.writeLine(channel, "");
  f.writeLine(channel, std::string(TitleHead) + title);
  f.writeLine(channel, "");
  f.writeLine(channel, ChargeLine);
  for (int i = 1; i <= n; ++i) {
    std::string symbol = " " + m.ElSym(m.AtZ(i));
    if (symbol.size() < SymbolWidth) symbol.append(SymbolWidth - symbol.size(), ' ');
    f.write(channel, symbol);
    for (int k = 1; k <= 3; ++k) fom6(w, channel, 12, m.Xyz(i, k));
    f.writeLine(channel, "");
  }
  f.writeLine(channel, LastLine);
}

void CreateGjf(Work& w) noexcept {
  guard(w, "ZaGJF", [&] {
    FreeName name = takeFreeName(w, w.m.FilNam, ".gjf");
    if (!name.movedTo.empty()) {
      tekst(w, "");
      TekUl(w, std::string(Renamed) + name.movedTo);
    }
    w.files.openOutput(JobChannel, name.target);
    // The atoms held (NDof(1) may lag behind NAt after a deletion).
    ZaGJF(w, JobChannel, w.m.NAt, w.m.FilNam);
    w.files.close(JobChannel);
    tekst(w, std::string(Saved) + name.target);
  });
}

}  // namespace kel
