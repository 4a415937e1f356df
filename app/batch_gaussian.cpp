// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --kel, --add, --place.
#include "app/app.hpp"
#include "app/batch.hpp"
#include "app/placement_form.hpp"
#include "base/strings.hpp"
#include "readers/own_file.hpp"
#include "writers/own_file.hpp"

#include <algorithm>
#include <ostream>

namespace kel {

namespace {

/// The List1 items in index order, as --place names them.
constexpr std::string_view PlaceWords[] = {"right", "left", "top", "bottom", "above", "under"};

/// Checks the named choices (comma-separated) and presses "CONTINUE", or "cancel".
void place(App& app, std::string_view choices) {
  if (choices == "cancel") {
    AddNie_Click(app);
    return;
  }
  for (auto& box : app.frm.Che1) box.value = 0;
  std::size_t start = 0;
  for (;;) {
    auto comma = choices.find(',', start);
    std::string_view word =
        choices.substr(start, comma == std::string_view::npos ? comma : comma - start);
    for (int i = 0; i < 6; ++i)
      if (word == PlaceWords[i]) List1_Click(app, i);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  AddCon_Click(app);
}

}  // namespace

bool batchGaussian(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  const int reports = app.erraCount;
  if (c.option == "--kel") {
    SaveKelAsIs(app);
  } else if (c.option == "--add") {
    const bool failedBefore = app.readFailed;
    app.readFailed = false;
    FmaKel(app, c.value);
    const bool added = !app.readFailed && app.frm.AddCon.visible;
    if (!added) {
      ok = false;
      ctx.err << "kelvorin: --add " << c.value << ": nothing added\n";
    }
    app.readFailed = app.readFailed || failedBefore;
    // Without a --place of its own, the addition goes on to the right side.
    const auto& cmds = ctx.options.commands;
    auto self =
        std::find_if(cmds.begin(), cmds.end(), [&](const BatchCommand& x) { return &x == &c; });
    bool placed = false;
    if (self != cmds.end())
      for (auto it = self + 1; it != cmds.end() && it->option != "--add"; ++it)
        if (it->option == "--place") placed = true;
    if (added && !placed) place(app, "right");
  } else if (c.option == "--place") {
    if (!app.frm.AddCon.visible) {
      ok = false;
      ctx.err << "kelvorin: --place " << c.value << ": no added structure waits for a place\n";
      return true;
    }
    place(app, c.value);
  } else {
    return false;
  }
  if (app.erraCount != reports) ok = false;
  return true;
}

}  // namespace kel
