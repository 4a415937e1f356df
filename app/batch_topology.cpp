// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --mpo, --ic.
#include "app/app.hpp"
#include "app/batch.hpp"
#include "app/dispatcher.hpp"
#include "base/convert.hpp"
#include "base/files.hpp"
#include "topology/connections.hpp"
#include "topology/internal_coords.hpp"
#include "viewer/viewer.hpp"

#include <ostream>

namespace kel {

namespace {

/// " &Input .MPO": the working connection file is kept as the backup, then the chosen file
/// becomes MpoNam and is read (command 15), and the viewer starts afresh.
void inputMpo(App& app, const std::string& file) {
  auto& f = app.frm;
  keepWorkingMpo(app);
  app.m.MpoNam = file;
  if (app.m.MpoNam.empty()) {
    f.Text3.text = MissingMpoName;
    return;
  }
  app.m.Sw(sw::WatchMpo) = 0;
  std::string name = app.m.MpoNam;
  MpoDef(app, name);
  Start(app);
  app.obr.visible = true;
  app.obr.minimised = app.m.Par(par::ViewerState) == 0;
  if (app.m.Par(par::ViewerState) == 0) app.m.Par(par::ViewerState) = 1;
}

/// One line per internal coordinate: "  row  TYPE  a1 a2 [a3 [a4]]  value". In batch mode the
/// lines go through the console's stream so that they never join a console line.
void printCoordinates(App& app, std::ostream& out) {
  auto& m = app.m;
  if (!m.IcFresh) {
    std::string reuse;
    MpoDef(app, reuse);  // the generator on the defined matrix (or a fresh one)
  }
  for (int r = 1; r <= m.IcRows; ++r) {
    int type = m.IcTab(r, 5);
    int atoms = m.IcAtoms(type, 0);
    std::string line = "  " + std::to_string(r) + "  " + m.IcName(type) + " ";
    // a linear bend names its three atoms as a bend does
    for (int k = 1; k <= atoms && m.IcTab(r, k) != 0; ++k)
      line += " " + std::to_string(m.IcTab(r, k));
    line += "  " + formatPattern(icValue(m, r), type == IcStre ? "0.000000" : "0.0000");
    if (app.log)
      app.log->newLine(line);
    else
      out << line << "\n";
  }
}

}  // namespace

bool batchTopology(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  if (c.option == "--mpo") {
    int before = app.erraCount;
    // a missing file fails the command even though the matrix falls back to another source
    bool missing = !fileExists(c.value);
    guard(app, "batch --mpo", [&] { inputMpo(app, c.value); });
    ok = app.erraCount == before && !missing;
    if (missing) ctx.err << "kelvorin: --mpo " << c.value << ": no such file\n";
    return true;
  }
  if (c.option == "--ic") {
    int before = app.erraCount;
    guard(app, "batch --ic", [&] { printCoordinates(app, ctx.out); });
    ok = app.erraCount == before && app.m.NAt > 0;
    return true;
  }
  return false;
}

}  // namespace kel
