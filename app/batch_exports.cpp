// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --pdb, --gjf, --list-scratch, --erase.
#include "app/app.hpp"
#include "app/batch.hpp"
#include "app/dispatcher.hpp"

#include <ostream>

namespace kel {

namespace {

/// Prints a multi-line text on lines of its own after the console lines written so far
/// (through the console's sink, which knows whether a line is still open).
void printLines(App& app, BatchContext& ctx, std::string_view text) {
  LineReader r = LineReader::fromText(std::string(text));
  std::string line;
  while (r.getLine(line)) {
    if (app.log)
      app.log->newLine(line);
    else
      ctx.out << line << '\n';
  }
}

}  // namespace

bool batchExports(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  int reports = app.erraCount;
  if (c.option == "--pdb") {
    ibut_Click(app, cmd::ExportPdb);
  } else if (c.option == "--gjf") {
    ibut_Click(app, cmd::CreateGjf);
  } else if (c.option == "--list-scratch") {
    // The dialog's list without its side effects: no window is hidden, nothing deleted.
    fillScratchList(app, false);
    printLines(app, ctx, app.exitDlg.Fi.text);
  } else if (c.option == "--erase") {
    // Batch mode goes on with its next command: the windows come back as they were.
    bool main = app.frm.visible, viewer = app.obr.visible, list = app.frq.visible;
    ibut_Click(app, cmd::Exit);
    // With nothing listed the dialog has already closed as "only EXIT Not Erase".
    if (app.exitDlg.visible) Bu_Click(app, 0);
    app.exitDlg.endProgram = false;
    // A file that could not be deleted is a failure of the command, named on its own line.
    const auto& d = app.exitDlg;
    for (std::size_t k = 0; k < d.names.size() && k < d.listed.size(); ++k)
      if (d.listed[k] && fileExists(d.names[k])) {
        ctx.err << "kelvorin: --erase left " << d.names[k] << "\n";
        ok = false;
      }
    app.frm.visible = main;
    app.obr.visible = viewer;
    app.frq.visible = list;
  } else {
    return false;
  }
  if (app.erraCount != reports) ok = false;
  return true;
}

}  // namespace kel
