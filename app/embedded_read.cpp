// Kelvorin - desktop workbench for vibrational calculations.
#include "app/embedded_read.hpp"

#include "analysis/isotopes.hpp"
#include "app/app.hpp"
#include "app/startup.hpp"
#include "base/strings.hpp"
#include "model/bookkeeping.hpp"
#include "readers/gaussian_output.hpp"
#include "topology/connections.hpp"

namespace kel {

namespace {
constexpr std::string_view NothingRead = "no atoms were read from ";
}

void ensureCoordinates(App& app) {
  if (app.m.IcFresh) return;
  std::string reuse;
  MpoDef(app, reuse);
}

void makeReport(App& app, NormalModes& nm, FrequencyReport& r) {
  if (hasForceConstants(app.m)) analyseModes(app.m, currentMasses(app.m), nm);
  frequencyReport(app.m, nm.message.empty() && nm.count() > 0 ? &nm : nullptr, r,
                  app.earlyOverlap.get());
  app.earlyOverlap.reset();
}

void analyseHeld(App& app, HeldAnalysis& out) {
  auto& m = app.m;
  ensureCoordinates(app);
  out = HeldAnalysis{};
  out.any = hasForceConstants(m) || m.NFrq > 0;
  if (!out.any) return;
  makeReport(app, out.modes, out.report);
  if (out.computed() || m.NFrq > 0) computePed(m, out.computed(), out.ped);
}

bool massesAfter(const App& app, const std::string& list, std::vector<double>& masses,
                 std::string& message) {
  masses = currentMasses(app.m);
  return applyMassList(app.m, list, masses, message);
}

void setMasses(App& app, const std::vector<double>& masses) {
  auto& m = app.m;
  for (int i = 1; i <= m.NAt && std::size_t(i) <= masses.size(); ++i)
    m.AtMas(i) = masses[std::size_t(i - 1)];
  setInverseMasses(m, m.NAt);
}

bool readEmbedded(App& app, const std::string& path, GeometryChoice geometry, bool writeKel) {
  app.writesScratch = false;
  app.writesKel = writeKel;
  app.we2.La2[0].value = geometry == GeometryChoice::First;
  app.we2.La2[1].value = geometry == GeometryChoice::Last;
  app.we2.La2[2].value = geometry == GeometryChoice::Emin;
  // The start-up of batch mode without the settings file, the folder change and the windows:
  // the name is made absolute, so that the companion files are found beside it.
  guard(app, "IniVe", [&] {
    startValues(app, false);
    std::string file = commandPath(path);
    std::size_t start = fileNameStart(file);
    auto dot = file.find('.', start);
    if (dot != std::string::npos) {
      app.m.JobNam = file.substr(0, dot);
    } else {
      app.m.JobNam = file;
      file += ".fmv";
    }
    FmtIn(app, file);
    app.frm.Text2.tag = file;
    app.frm.Text1.text = file;
  });
  return app.m.NAt > 0 && !app.readFailed && app.erraCount == 0;
}

std::string readFailure(const App& app, const std::string& path) {
  if (!app.frm.Text3.text.empty()) return app.frm.Text3.text;
  if (!app.frm.Text4.text.empty()) return app.frm.Text4.text;
  return std::string(NothingRead) + path;
}

}  // namespace kel
