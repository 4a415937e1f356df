// Kelvorin - desktop workbench for vibrational calculations.
#include "app/analysis_form.hpp"

#include "analysis/isotopes.hpp"
#include "analysis/normal_modes.hpp"
#include "analysis/ped.hpp"
#include "analysis/report.hpp"
#include "app/app.hpp"
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/bookkeeping.hpp"
#include "readers/read_helpers.hpp"
#include "topology/connections.hpp"
#include "viewer/viewer.hpp"

#include <array>

namespace kel {

namespace {

constexpr std::string_view PedHeading = "potential energy distribution (computed modes)";
constexpr std::string_view CharacterHeading = "internal-coordinate character (printed modes)";
constexpr std::string_view NoAssignment = "no assignment: ";
constexpr std::string_view BadMass = "mass not a number in 0..1000: ";

struct Isotopes {
  std::string_view symbol;
  std::array<double, 3> masses;  ///< 0 = none
};
/// The common isotopes of the elements of organic and inorganic chemistry.
constexpr Isotopes Common[] = {
    {"H", {1.00782503207, 2.0141017778, 3.0160492777}},
    {"D", {2.0141017778, 0, 0}},
    {"C", {12.0, 13.0033548378, 0}},
    {"N", {14.0030740048, 15.0001088982, 0}},
    {"O", {15.99491461956, 16.99913170, 17.9991610}},
    {"F", {18.99840322, 0, 0}},
    {"Si", {27.9769265325, 28.976494700, 29.97377017}},
    {"P", {30.97376163, 0, 0}},
    {"S", {31.97207100, 33.96786690, 0}},
    {"Cl", {34.96885268, 36.96590259, 0}},
    {"Br", {78.9183371, 80.9162906, 0}},
};

std::string massText(double x) {
  return formatPattern(x, "0.000000");
}

void fill(App& app, FrmAnalysis& f) {
  auto& m = app.m;
  f.rows.clear();
  f.isotopes.clear();
  f.report.clear();
  ++f.generation;
  NormalModes now, read;
  if (hasForceConstants(m)) {
    analyseModes(m, currentMasses(m), now);
    std::vector<double> first(std::size_t(m.NAt));
    for (int i = 1; i <= m.NAt; ++i) first[std::size_t(i - 1)] = m.AtMas0(i);
    analyseModes(m, first, read);
  }
  const bool computed = now.message.empty() && now.count() > 0;
  Ped ped;
  if (!m.IcFresh) {
    std::string reuse;
    MpoDef(app, reuse);
  }
  if (computed || m.NFrq > 0) computePed(m, computed ? &now : nullptr, ped);
  f.heading = !ped.message.empty()     ? std::string(NoAssignment) + ped.message
              : ped.fromForceConstants ? std::string(PedHeading)
                                       : std::string(CharacterHeading);
  const int rows = std::max(int(m.NFrq), computed ? now.count() : 0);
  for (int k = 1; k <= rows; ++k) {
    AnalysisRow r;
    r.number = k;
    if (k <= m.NFrq) {
      r.printed = m.Frq(k);
      r.ir = m.IrInt(k);
      r.raman = m.RaInt(k);
      r.label = trim(m.FrqSym(k));
    }
    if (computed && k <= now.count()) {
      r.hasComputed = true;
      r.computed = now.frequencies[std::size_t(k - 1)];
      if (read.count() == now.count()) r.shift = r.computed - read.frequencies[std::size_t(k - 1)];
    }
    if (k <= int(ped.modes.size())) r.ped = pedSummary(m, ped.modes[std::size_t(k - 1)]);
    f.rows.push_back(r);
  }
  for (int i = 1; i <= m.NAt; ++i) {
    IsotopeRow r{i, trim(m.AtSym(i)), massText(m.AtMas(i)), {}};
    for (const auto& c : Common)
      if (c.symbol == r.symbol)
        for (double x : c.masses)
          if (x > 0) r.isotopes.push_back(massText(x));
    f.isotopes.push_back(r);
  }
  FrequencyReport report;
  frequencyReport(m, computed ? &now : nullptr, report);
  f.report = report.lines;
}

}  // namespace

void analysisOpen(App& app, FrmAnalysis& f) noexcept {
  guard(app, "analysisOpen", [&] {
    f.message.clear();
    fill(app, f);
    f.visible = true;
  });
}

void analysisRow_Click(App& app, FrmAnalysis& f, int row) noexcept {
  guard(app, "analysisRow_Click", [&] {
    if (row < 0 || row >= int(f.rows.size())) return;
    const int mode = f.rows[std::size_t(row)].number;
    if (mode <= app.m.NFrq) Comb_Click(app, mode);
  });
}

void analysisMass_Change(App& app, FrmAnalysis& f, int atom, const std::string& text) noexcept {
  guard(app, "analysisMass_Change", [&] {
    auto& m = app.m;
    if (atom < 1 || atom > m.NAt) return;
    const std::string t = trim(text);
    const double x = Val(t);
    if (!isNumber(t) || !(x > 0 && x <= 1000)) {
      f.message = std::string(BadMass) + t;
      ++f.generation;  // the table shows the mass held again
      return;
    }
    f.message.clear();
    m.AtMas(atom) = x;
    setInverseMasses(m, m.NAt);
    fill(app, f);
  });
}

void analysisReset_Click(App& app, FrmAnalysis& f) noexcept {
  guard(app, "analysisReset_Click", [&] {
    for (int i = 1; i <= app.m.NAt; ++i) app.m.AtMas(i) = app.m.AtMas0(i);
    setInverseMasses(app.m, app.m.NAt);
    f.message.clear();
    fill(app, f);
  });
}

void analysisClose(App&, FrmAnalysis& f) noexcept {
  f.visible = false;
}

}  // namespace kel
