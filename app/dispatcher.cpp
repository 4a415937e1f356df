// Kelvorin - desktop workbench for vibrational calculations.
#include "app/dispatcher.hpp"

#include "app/app.hpp"
#include "base/strings.hpp"
#include "topology/connections.hpp"
#include "viewer/viewer.hpp"
#include "writers/gaussian_job.hpp"
#include "writers/own_file.hpp"
#include "writers/pdb_export.hpp"

namespace kel {

namespace {

constexpr std::string_view TipPrefix = "[Click + Enter] = ";
constexpr std::string_view TipMpo = "input MPO";
constexpr std::string_view TipView = "view structure";
constexpr std::string_view AddStructure = "additional structure";
constexpr std::string_view MissingMpo = MissingMpoName;
constexpr std::string_view NotActual = "Caution: PED/EPm not actual after the operation";
constexpr std::string_view NoAdm = "ADM matrix not introduced";
constexpr std::string_view BreakDetected =
    "...Break detected - wait till the End of this part of the Phase";
constexpr std::string_view FileError = "... error in file ";
constexpr std::string_view EditedMpo = "eskrK.mpo";
constexpr int EnterKey = 13;

bool on(const App& app, int i) {
  return app.m.Sw(i) != 0;
}

/// The preparation every command starts with.
void prepare(App& app, int index) {
  auto& f = app.frm;
  f.burek.visible = false;
  f.burek.tag.clear();
  if (index != 14 && index != 15 && index != 17 && index != 21) {
    f.Text4.text.clear();
    f.Text4.visible = false;
  }
  f.ibut[5].backColour = LightGrey;
  for (auto& b : f.ibut) b.visible = b.enabled = true;
  f.HoverOff = false;
  f.Text2.visible = f.Text3.visible = true;
  f.Text3.toolTip = std::string(TipPrefix) + std::string(on(app, sw::MpoEnter) ? TipMpo : TipView);
  f.ibut[7].enabled = f.ibut[8].enabled = true;
  f.ibut[3].enabled =
      !on(app, sw::SmallMarginRun) && !on(app, sw::SaveSteer121) && !on(app, sw::SaveSteer34);
  if (on(app, sw::Reading)) f.ibut[3].enabled = false;
  app.m.Par(par::MainColour) = on(app, sw::GreenMain) ? LightGreen : LightGrey;
}

/// The viewer shown normally, or minimised once when Par(par::ViewerState) asks for it.
void showViewer(App& app) {
  auto& m = app.m;
  app.obr.visible = true;
  app.obr.minimised = m.Par(par::ViewerState) == 0;
  if (m.Par(par::ViewerState) == 0) m.Par(par::ViewerState) = 1;
}

/// A structure has been read: prepare the window and the viewer.
void afterRead(App& app) {
  auto& f = app.frm;
  auto& m = app.m;
  f.VScr2.visible = true;
  m.Sw(sw::AfterRead14) = m.Sw(sw::GreenMain) = m.Sw(sw::WatchMpo) = 0;
  klucze(app, 0);
  m.Par(par::ChooserColour) = LightGrey;
  f.ibut[5].backColour = LightGrey;
  f.ibut[8].visible = m.NAt >= 1;
  std::string name = trim(app.we1.Label.tag);
  if (m.Par(par::NameFromArg2) > 0) {
    name = f.Arg2;
    m.Par(par::NameFromArg2) = 0;
  }
  if (!name.empty()) {
    f.Arg2 = name;
    m.Sw(sw::NameFromCommand) = -1;
    f.ibut[1].enabled = true;
    std::size_t start = fileNameStart(name);
    auto dot = name.find('.', start);
    m.JobNam = dot == std::string::npos ? name : name.substr(0, dot);
    if (m.MpoNam.empty()) m.MpoNam = m.JobNam + ".mpo";
  }
  if (!on(app, sw::Reading)) {
    if (on(app, sw::ReadDone)) {
      Start(app);
      m.Sw(sw::ReadDone) = 0;
    }
    showViewer(app);
    if (!m.FilNam.empty()) m.MpoNam = m.FilNam + ".mpo";
  }
}

/// Reads the connection file named in MpoNam and shows the structure afresh.
void readConnections(App& app) {
  auto& m = app.m;
  if (m.MpoNam.empty()) {
    app.frm.Text3.text = MissingMpo;
    return;
  }
  m.Sw(sw::WatchMpo) = 0;
  MpoDef(app, m.MpoNam);
  Start(app);
  showViewer(app);
}

/// " &Input .MPO": the structure chooser serves for the connection file.
void chooseConnections(App& app) {
  auto& f = app.frm;
  auto& m = app.m;
  keepWorkingMpo(app);
  f.ibut[5].backColour = LightCyan;
  m.Par(par::ChooserPurpose) = 1;
  m.Par(par::ChooserColour) = LightCyan;
  openKelWe1(app, 1);
}

}  // namespace

void klucze(App& app, int k) {
  auto& f = app.frm;
  bool show = k != 0;
  f.Nowa.visible = f.List1.visible = f.AddCon.visible = f.AddNie.visible = show;
  for (auto& c : f.Che1) c.visible = show;
}

void ibut_Click(App& app, int Index) noexcept {
  guard(app, "ibut_Click", [&] {
    auto& m = app.m;
    // A break point waits for button 1: the press ends the wait and opens nothing, and the
    // buttons stay as the running operation left them.
    if (Index == cmd::InputLog && on(app, sw::BreakWaiting)) {
      m.Sw(sw::BreakWaiting) = 0;
      return;
    }
    prepare(app, Index);
    switch (Index) {
      case cmd::InputGeometry:
        m.Par(par::ChooserPurpose) = 0;
        m.Par(par::ChooserColour) = LightGrey;
        openKelWe1(app, 1);
        break;
      case cmd::InputLog:
        m.Par(par::ChooserPurpose) = 0;
        m.Par(par::ChooserColour) = LightGrey;
        openKelWe2(app, 1);
        break;
      case cmd::ViewStructure:
        app.obr.visible = true;
        m.Par(par::ViewerState) = 1;
        app.obr.minimised = false;
        ++app.obr.raise;
        break;
      case cmd::ExportPdb:
        PdbExp(app);
        break;
      case cmd::CreateGjf:
        CreateGjf(app);
        break;
      case cmd::InputMpo:
        chooseConnections(app);
        break;
      case cmd::SaveKel:
        SaveKelAsIs(app);
        break;
      case cmd::Exit:
        app.exitDlg.visible = true;
        app.exitDlg.endProgram = false;
        Filek(app);
        break;
      case cmd::AddStructure:
        tekst(app, AddStructure);
        openKelWe1(app, 2);
        break;
      case cmd::AfterRead:
        afterRead(app);
        break;
      case cmd::ReadMpo:
        readConnections(app);
        break;
      case cmd::PedNotActual:
        tekst(app, NotActual);
        break;
      case cmd::NoAdmMatrix:
        tekst(app, NoAdm);
        break;
      case cmd::BreakDetected:
        if (!on(app, sw::BreakAsked)) tekst(app, BreakDetected);
        break;
      case cmd::ScratchCheck: {
        double n = 0;
        frmKel_Splf(app, app.frm.ScrDd2, n);
        break;
      }
      default:
        break;  // the other numbers only prepare
    }
  });
}

void Text3_KeyPress(App& app, int KeyA) {
  if (KeyA == EnterKey && !on(app, sw::MpoEnter)) ibut_Click(app, cmd::ViewStructure);
}

void text3_Click(App& app) {
  auto& f = app.frm;
  f.Text3.text.clear();
  f.Text4.text.clear();
  f.Text4.visible = false;
}

void Text1_Click(App& app) {
  app.frm.Text4.text.clear();
  app.frm.Text4.visible = false;
}

void Text4_Change(App& app) {
  auto& f = app.frm;
  f.Text4.visible = true;
  const std::string& t = f.Text4.text;
  if (!containsCi(t, "who")) return;
  if (containsCi(t, "you")) {
    app.m.Sw(sw::Greeted) = -1;  // the question is not asked again
    f.Text4.visible = false;
  } else if (containsCi(t, "me")) {
    ibut_Click(app, cmd::Greeting);
    f.Text4.visible = false;
    for (auto& b : f.ibut) b.enabled = true;
    app.obr.visible = true;
    app.obr.minimised = false;
  }
}

void poed(App& app, int& j) {
  guard(app, "poed", [&] {
    if (!on(app, sw::WatchMpo)) return;
    int i = -1;
    plpor(app, app.frm.ScrMpo, std::string(EditedMpo), i);
    if (i == 1) {
      Start(app);
      app.frm.ibut[6].backColour = LightCyan;
      j = 1;
    }
  });
}

void plpor(App& app, const std::string& sy, const std::string& ssy, int& i) {
  i = -1;
  guard(app, "plpor", [&] {
    long long n = spl(sy);
    if (n <= 0) {
      app.frm.Text3.text = std::string(FileError) + sy;
      return;
    }
    if (spl(ssy) != n) {
      i = 1;
      return;
    }
    LineReader a(sy), b(ssy);
    std::string la, lb;
    for (;;) {
      bool ga = a.getLine(la), gb = b.getLine(lb);
      if (!ga && !gb) {
        i = 0;
        return;
      }
      if (ga != gb || la != lb) {
        i = 1;
        return;
      }
    }
  });
}

void frmKel_Splf(App& app, const std::string& f, double& n) noexcept {
  n = -1;
  guard(app, "Splf", [&] { n = double(spl(f)); });
}

}  // namespace kel
