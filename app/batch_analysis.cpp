// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --reanalyse, --masses, --ped, --report, --json.
#include "analysis/isotopes.hpp"
#include "analysis/json_document.hpp"
#include "analysis/normal_modes.hpp"
#include "analysis/ped.hpp"
#include "analysis/report.hpp"
#include "app/app.hpp"
#include "app/batch.hpp"
#include "app/embedded_read.hpp"
#include "app/startup.hpp"
#include "base/convert.hpp"
#include "model/bookkeeping.hpp"
#include "topology/connections.hpp"

#include <filesystem>
#include <fstream>
#include <ostream>

namespace kel {

namespace {

constexpr std::string_view VersionNumber = "2.2";
constexpr std::string_view NoForceConstants = "no force constants: nothing to analyse";
constexpr std::string_view NoModesHeld = "no modes: nothing to assign";
constexpr std::string_view ModesHeading =
    "normal modes from the force constants (cm-1, amu, mdyn/A):";
constexpr std::string_view ModesReplaced = "the computed modes replace the modes read";
constexpr std::string_view MassesSet = "masses set: ";
constexpr std::string_view ShiftHeading = "isotopologue (cm-1): mode, original, new, shift";
constexpr std::string_view ProductRule = "Teller-Redlich product rule: ratio";
constexpr std::string_view Invariance = "force constants: translation/rotation residual";
constexpr std::string_view PedHeading = "potential energy distribution of the computed modes:";
constexpr std::string_view CharacterHeading =
    "internal-coordinate character of the printed modes (no force constants):";
constexpr std::string_view JsonInput = "--json would overwrite the input file: ";
constexpr std::string_view JsonWrite = "--json cannot write file ";
constexpr std::string_view TooManyModes = "more than 1440 modes: the program holds at most 1440";

/// One printed line: through the console stream so that it never joins a console line.
void say(App& app, BatchContext& ctx, const std::string& line) {
  if (app.log)
    app.log->newLine(line);
  else
    ctx.out << line << "\n";
}

bool fail(App& app, std::string_view text) {
  app.frm.Text3.text = std::string(text);
  return false;
}

std::string cell(double x, std::string_view pattern) {
  std::string s = formatPattern(x, pattern);
  return std::string(s.size() < 11 ? 11 - s.size() : 0, ' ') + s;
}

/// The modes of Fcc with the current masses; false (with the message) when there are none.
bool computeModes(App& app, NormalModes& nm) {
  if (!hasForceConstants(app.m)) return fail(app, NoForceConstants);
  analyseModes(app.m, currentMasses(app.m), nm);
  return nm.message.empty() || fail(app, nm.message);
}

bool reanalyse(App& app, BatchContext& ctx) {
  NormalModes nm;
  if (!computeModes(app, nm)) return false;
  auto& m = app.m;
  if (nm.count() > MaxFrq) return fail(app, TooManyModes);
  const bool same = nm.count() == m.NFrq;  // labels and intensities stay with their places
  say(app, ctx, std::string(ModesHeading));
  for (int k = 1; k <= nm.count(); ++k) {
    const std::size_t v = std::size_t(k - 1);
    m.Frq(k) = nm.frequencies[v];
    if (!same) {
      m.FrqSym(k) = "?";
      m.IrInt(k) = 0;
      m.RaInt(k) = 0;
    }
    for (int a = 1; a <= m.NAt; ++a)
      for (int c = 1; c <= 3; ++c)
        m.ModeD(k, a, c) = CInt(100.0 * nm.displacement(k - 1, a - 1, c - 1));
    say(app, ctx,
        "  " + std::to_string(k) + cell(nm.frequencies[v], "0.0000") +
            cell(nm.reducedMasses[v], "0.0000") + cell(nm.forceConstants[v], "0.0000"));
  }
  if (!same) m.RaInt(0) = 0;
  m.NFrq = cint16(nm.count());
  m.Sw(sw::ModesHeld) = -1;
  m.VibMode = 0;
  say(app, ctx, std::string(ModesReplaced));
  return true;
}

bool masses(App& app, BatchContext& ctx, const std::string& list) {
  auto& m = app.m;
  std::vector<double> next;
  std::string message;
  if (!massesAfter(app, list, next, message)) return fail(app, message);
  setMasses(app, next);
  say(app, ctx, std::string(MassesSet) + list);
  if (!hasForceConstants(m)) return true;
  std::vector<double> original(std::size_t(m.NAt));
  for (int i = 1; i <= m.NAt; ++i) original[std::size_t(i - 1)] = m.AtMas0(i);
  IsotopeShift shift;
  isotopeShifts(m, original, next, shift);
  if (!shift.message.empty()) return fail(app, shift.message);
  say(app, ctx, std::string(ShiftHeading));
  for (int k = 0; k < shift.after.count(); ++k) {
    const double a = shift.before.frequencies[std::size_t(k)],
                 b = shift.after.frequencies[std::size_t(k)];
    say(app, ctx,
        "  " + std::to_string(k + 1) + cell(a, "0.00") + cell(b, "0.00") + cell(b - a, "0.00"));
  }
  say(app, ctx, std::string(ProductRule) + Str(shift.productRatio));
  say(app, ctx, std::string(Invariance) + Str(shift.invariance));
  return true;
}

bool ped(App& app, BatchContext& ctx) {
  auto& m = app.m;
  ensureCoordinates(app);
  NormalModes nm;
  const bool computed = hasForceConstants(m);
  if (computed && !computeModes(app, nm)) return false;
  if (!computed && m.NFrq < 1) return fail(app, NoModesHeld);
  Ped p;
  computePed(m, computed ? &nm : nullptr, p);
  if (!p.message.empty()) return fail(app, p.message);
  say(app, ctx, std::string(computed ? PedHeading : CharacterHeading));
  for (std::size_t k = 0; k < p.modes.size(); ++k) {
    const double nu = computed ? nm.frequencies[k] : m.Frq(int(k) + 1);
    say(app, ctx,
        "  " + std::to_string(k + 1) + cell(nu, "0.00") + "  " + pedSummary(m, p.modes[k]));
  }
  return true;
}

bool report(App& app, BatchContext& ctx) {
  NormalModes nm;
  FrequencyReport r;
  makeReport(app, nm, r);
  for (const auto& line : r.lines) say(app, ctx, line);
  return true;
}

bool json(App& app, BatchContext& ctx, const std::string& value) {
  auto& m = app.m;
  HeldAnalysis held;
  analyseHeld(app, held);
  const JsonAnalysis a = held.view();
  JsonStatus status{std::string(VersionNumber),
                    ctx.options.words.empty() ? std::string() : ctx.options.words[0],
                    m.NAt > 0 && !app.readFailed && app.erraCount == 0 && !ctx.failedBefore,
                    app.frm.Text3.text, app.frm.Text4.text};
  const std::string text = jsonDocument(m, status, held.any ? &a : nullptr);
  if (value == "-") {
    ctx.out << text;
    return true;
  }
  const std::string path = commandPath(value);
  std::error_code ec;
  for (const auto& word : ctx.options.words)
    if (std::filesystem::equivalent(path, commandPath(word), ec))
      return fail(app, std::string(JsonInput) + value);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  return !file.fail() || fail(app, std::string(JsonWrite) + value);
}

}  // namespace

bool batchAnalysis(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  bool done = true;
  const int before = app.erraCount;
  guard(app, "batch " + c.option, [&] {
    if (c.option == "--reanalyse")
      done = reanalyse(app, ctx);
    else if (c.option == "--masses")
      done = masses(app, ctx, c.value);
    else if (c.option == "--ped")
      done = ped(app, ctx);
    else if (c.option == "--report")
      done = report(app, ctx);
    else if (c.option == "--json")
      done = json(app, ctx, c.value);
  });
  ok = done && app.erraCount == before && app.m.NAt > 0;
  return c.option == "--reanalyse" || c.option == "--masses" || c.option == "--ped" ||
         c.option == "--report" || c.option == "--json";
}

}  // namespace kel
