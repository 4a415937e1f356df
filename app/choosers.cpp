// Kelvorin - desktop workbench for vibrational calculations.
#include "app/choosers.hpp"

#include "app/analysis_log.hpp"
#include "app/app.hpp"
#include "app/dispatcher.hpp"
#include "base/strings.hpp"
#include "readers/gaussian_output.hpp"
#include "readers/geometry_files.hpp"
#include "readers/own_file.hpp"

namespace kel {

namespace {

// File list patterns. Linux matches "*.mol" to ".mol" only, so ".mol2" has its own entry.
constexpr std::string_view We1StructureList =
    "*.geo;*.orn;*.pdb;*.ent;*.gjf;*.kel;*.mol;*.xyz;*.log;*.out;*.mol2;*.com";
constexpr std::string_view We1AddList = "*.kel;*.fmv";
constexpr std::string_view We1ConnectionList = "*.mpo;*.txt";
constexpr std::string_view We2OutputList = "*.log;*.out;*.fmt;*.fmu;*.fmv;*.kel;*.fchk;*.fch";

constexpr std::string_view StructureTitle = "file with structure";
constexpr std::string_view AddTitle = "file with additional structure";
constexpr std::string_view ConnectionTitle = "file with connections matrix";
constexpr std::string_view OutputTitle = "file with Gaussian output";

constexpr std::string_view StructurePrompt = "file name";
constexpr std::string_view ConnectionPrompt = "file name .mpo";

constexpr std::string_view EmptyFileHead = "file ";
constexpr std::string_view EmptyFileTail = " is empty";

/// Marks a read in progress for the windows: events that would start another are ignored.
class BusyMark {
 public:
  explicit BusyMark(App& app) : app_(app), was_(app.busy) { app.busy = true; }
  ~BusyMark() { app_.busy = was_; }
  BusyMark(const BusyMark&) = delete;
  BusyMark& operator=(const BusyMark&) = delete;

 private:
  App& app_;
  bool was_;
};

/// The chosen name, or empty when it must not be passed on. An empty file is reported and
/// kept; a missing or unreadable one goes on to the reader, which reports it.
std::string checkedName(App& app, const std::string& chosen) {
  std::string name = trim(chosen);
  if (name.empty()) return name;
  bool existed = fileExists(name);
  long long n = spl(name);
  if (existed && n == 0) {
    std::string text = std::string(EmptyFileHead) + name + std::string(EmptyFileTail);
    app.frm.Text3.text = text;
    tekst(app, text);
    return {};
  }
  return name;
}

/// The chooser closes and the log console is shown again.
void closeChooser(App& app, bool& visible) {
  visible = false;
  app.frm.Text2.visible = true;
}

}  // namespace

We1Purpose we1Purpose(const App& app) {
  if (app.we1.mode == 2) return We1Purpose::AddStructure;
  return app.m.Par(par::ChooserPurpose) == 1 ? We1Purpose::Connections : We1Purpose::Structure;
}

void openKelWe1(App& app, int mode) {
  auto& w = app.we1;
  w.mode = mode;
  switch (we1Purpose(app)) {
    case We1Purpose::AddStructure:
      w.patterns = We1AddList;
      w.title = AddTitle;
      w.prompt = StructurePrompt;
      break;
    case We1Purpose::Connections:
      w.patterns = We1ConnectionList;
      w.title = ConnectionTitle;
      w.prompt = ConnectionPrompt;
      break;
    case We1Purpose::Structure:
      w.patterns = We1StructureList;
      w.title = StructureTitle;
      w.prompt = StructurePrompt;
      break;
  }
  w.backColour =
      Colour(app.m.Par(par::ChooserColour) == 0 ? LightGrey : app.m.Par(par::ChooserColour));
  w.visible = true;
}

void openKelWe2(App& app, int mode) {
  auto& w = app.we2;
  w.mode = mode;
  w.patterns = We2OutputList;
  w.title = OutputTitle;
  w.prompt = StructurePrompt;
  w.backColour =
      Colour(app.m.Par(par::ChooserColour) == 0 ? LightGrey : app.m.Par(par::ChooserColour));
  w.visible = true;
}

bool kelWe1_Accept(App& app, const std::string& chosen) noexcept {
  bool passed = false;
  guard(app, "kelWe1", [&] {
    std::string name = checkedName(app, chosen);
    if (name.empty()) return;
    BusyMark busy(app);
    passed = true;
    switch (we1Purpose(app)) {
      case We1Purpose::Connections:
        app.m.MpoNam = name;
        closeChooser(app, app.we1.visible);
        ibut_Click(app, cmd::ReadMpo);
        return;
      case We1Purpose::AddStructure:
        closeChooser(app, app.we1.visible);
        FmaKel(app, name);
        return;
      case We1Purpose::Structure:
        closeChooser(app, app.we1.visible);
        fmtGeo(app, name);
        ibut_Click(app, cmd::AfterRead);
        return;
    }
  });
  return passed;
}

bool kelWe2_Accept(App& app, const std::string& chosen) noexcept {
  bool passed = false;
  guard(app, "kelWe2", [&] {
    std::string name = checkedName(app, chosen);
    if (name.empty()) return;
    BusyMark busy(app);
    passed = true;
    closeChooser(app, app.we2.visible);
    FmtIn(app, name);
    logFrequencyReport(app);
    ibut_Click(app, cmd::AfterRead);
  });
  return passed;
}

void kelWe1_Cancel(App& app) {
  closeChooser(app, app.we1.visible);
}
void kelWe2_Cancel(App& app) {
  closeChooser(app, app.we2.visible);
}

}  // namespace kel
