// Kelvorin - desktop workbench for vibrational calculations.
#include "app/dispatcher.hpp"
#include "testing.hpp"

namespace kel::testing {
namespace {

bool has(const TempDir& d, const std::string& name) {
  return fs::exists(d.path() / name);
}

/// The program after start-up and a finished read (switches as a read leaves them).
std::unique_ptr<App> ready() {
  auto app = newApp();
  auto& f = app->frm;
  f.ScrDd2 = "skrK.dd2";
  f.ScrDd2b = "sskrK.dd2";
  f.ScrMpo = "skrK.mpo";
  f.ScrMpob = "sskrK.mpo";
  app->m.Sw(9) = 0;
  return app;
}

/// Every control the preparation touches, set the other way.
void disturb(App& app) {
  auto& f = app.frm;
  f.burek.visible = true;
  f.burek.tag = "kept console text";
  f.Text4.text = "1: old report";
  f.Text4.visible = true;
  for (auto& b : f.ibut) b.visible = b.enabled = false;
  f.ibut[5].backColour = LightCyan;
  f.HoverOff = true;
  f.Text2.visible = f.Text3.visible = false;
}

/// A fresh working folder and program.
class Ready : public ::testing::Test {
 protected:
  TempDir dir;
  std::unique_ptr<App> app = ready();
};
using Commands = Ready;
using AfterRead = Ready;
using BreakPoint = Ready;
using Choosers = Ready;

// --- the common preparation

class OnlyPrepares : public Ready, public ::testing::WithParamInterface<int> {};

TEST_P(OnlyPrepares, ResetsTheWindowAndDoesNothingElse) {
  disturb(*app);
  app->m.Sw(0) = 0;
  std::string before = app->frm.Text2.text;
  ibut_Click(*app, GetParam());
  const auto& f = app->frm;
  EXPECT_FALSE(f.burek.visible);
  EXPECT_TRUE(f.burek.tag.empty());
  EXPECT_TRUE(f.Text4.text.empty());
  EXPECT_FALSE(f.Text4.visible);
  for (std::size_t i = 0; i < f.ibut.size(); ++i) {
    EXPECT_TRUE(f.ibut[i].visible) << i;
    EXPECT_TRUE(f.ibut[i].enabled) << i;
  }
  EXPECT_EQ(f.ibut[5].backColour, LightGrey);
  EXPECT_FALSE(f.HoverOff);
  EXPECT_TRUE(f.Text2.visible && f.Text3.visible);
  EXPECT_EQ(f.Text3.toolTip, "[Click + Enter] = view structure");
  EXPECT_EQ(app->m.Par(29), LightGrey);
  EXPECT_EQ(f.Text2.text, before);  // nothing logged
  EXPECT_FALSE(app->we1.visible || app->we2.visible || app->obr.visible || app->exitDlg.visible);
  EXPECT_EQ(app->erraCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Numbers, OnlyPrepares,
                         ::testing::Values(9, 10, 13, 16, 18, 20, 23, 24, 26, 30, -1, 32767));

TEST(KeepsMessageLine, AfterReadAndWarnings) {
  for (int k : {14, 15, 17, 21}) {
    SCOPED_TRACE(k);
    auto app = ready();
    disturb(*app);
    ibut_Click(*app, k);
    EXPECT_EQ(app->frm.Text4.text, "1: old report");
    EXPECT_TRUE(app->frm.Text4.visible);
  }
}

TEST(ButtonThree, EnabledOnlyWithoutItsSwitches) {
  // switch turned on (-1 none), 9 = a read in progress
  for (auto [sw, enabled] :
       {std::pair{-1, true}, {92, false}, {121, false}, {34, false}, {9, false}, {16, true}}) {
    SCOPED_TRACE(sw);
    auto app = ready();
    if (sw >= 0) app->m.Sw(sw) = -1;
    ibut_Click(*app, 9);
    EXPECT_EQ(app->frm.ibut[3].enabled, enabled);
    EXPECT_TRUE(app->frm.ibut[7].enabled && app->frm.ibut[8].enabled);
  }
}

TEST_F(Ready, ToolTipAndBackgroundFollowTheirSwitches) {
  app->m.Sw(0) = -1;
  app->m.Sw(16) = -1;
  ibut_Click(*app, 30);
  EXPECT_EQ(app->frm.Text3.toolTip, "[Click + Enter] = input MPO");
  EXPECT_EQ(app->m.Par(29), 14745568);
}

// --- commands that open a chooser or a window

TEST_F(Commands, InputGeometryOpensTheStructureChooser) {
  app->m.Par(50) = 1;
  app->m.Par(30) = LightCyan;
  ibut_Click(*app, 0);
  EXPECT_TRUE(app->we1.visible);
  EXPECT_EQ(app->we1.mode, 1);
  EXPECT_EQ(app->m.Par(50), 0);
  EXPECT_EQ(app->m.Par(30), LightGrey);
  EXPECT_EQ(app->we1.patterns,
            "*.geo;*.orn;*.pdb;*.ent;*.gjf;*.kel;*.mol;*.xyz;*.log;*.out;*.mol2;*.com");
}

TEST_F(Commands, InputLogOpensTheOutputChooser) {
  ibut_Click(*app, 1);
  EXPECT_TRUE(app->we2.visible);
  EXPECT_FALSE(app->we1.visible);
  EXPECT_EQ(app->we2.patterns, "*.log;*.out;*.fmt;*.fmu;*.fmv;*.kel;*.fchk;*.fch");
}

TEST_F(Commands, InputMpoKeepsACopyAndOpensTheChooserForConnections) {
  dir.write("skrK.mpo", "matrix\n");
  ibut_Click(*app, 5);
  EXPECT_EQ(slurp(dir.path() / "sskrK.mpo"), "matrix\n");
  EXPECT_EQ(app->frm.ibut[5].backColour, 16777152);
  EXPECT_EQ(app->m.Par(50), 1);
  EXPECT_EQ(app->m.Par(30), 16777152);
  EXPECT_TRUE(app->we1.visible);
  EXPECT_EQ(app->we1.patterns, "*.mpo;*.txt");
  EXPECT_EQ(app->we1.title, "file with connections matrix");
  EXPECT_EQ(app->we1.prompt, "file name .mpo");
  EXPECT_EQ(app->we1.backColour, 16777152);
}

TEST_F(Commands, AddStructureLogsAndOpensTheChooserInAddMode) {
  app->m.Par(50) = 1;  // left over from a connection file: mode 2 still adds
  ibut_Click(*app, 8);
  EXPECT_EQ(linesOf(app->frm.Text2.text).back(), "additional structure");
  EXPECT_TRUE(app->we1.visible);
  EXPECT_EQ(app->we1.mode, 2);
  EXPECT_EQ(app->we1.patterns, "*.kel;*.fmv");
  EXPECT_EQ(app->we1.title, "file with additional structure");
}

TEST_F(Commands, WarningsAreLogged) {
  ibut_Click(*app, 17);
  ibut_Click(*app, 19);
  ibut_Click(*app, 22);
  app->m.Sw(111) = -1;
  ibut_Click(*app, 22);
  EXPECT_EQ(linesOf(app->frm.Text2.text),
            (std::vector<std::string>{
                "Caution: PED/EPm not actual after the operation", "ADM matrix not introduced",
                "...Break detected - wait till the End of this part of the Phase"}));
}

// --- command 4 through the dispatcher

TEST_F(Commands, CreateGjfWithoutARenameWhenNoFileIsThereAndExportPdb) {
  app->m.FilNam = "job";
  ibut_Click(*app, 4);
  EXPECT_TRUE(has(dir, "job.gjf"));
  EXPECT_FALSE(has(dir, "job1.gjf"));
  EXPECT_EQ(app->frm.Text2.text, "saved as file job.gjf");
  ibut_Click(*app, 3);  // and button 3 the PDB file
  EXPECT_EQ(slurp(dir.path() / "job.pdb").substr(0, 7), "HEADER\n");
}

// --- command 14: after a read

TEST_F(AfterRead, NoAtomsHidesAddStructure) {
  app->m.NAt = 0;
  ibut_Click(*app, 14);
  EXPECT_FALSE(app->frm.ibut[8].visible);
  app->m.NAt = 1;
  ibut_Click(*app, 14);
  EXPECT_TRUE(app->frm.ibut[8].visible);
}

TEST_F(AfterRead, TheRememberedNameGivesJobAndConnectionNames) {
  auto& m = app->m;
  m.Sw(9) = -1;  // a read in progress: the viewer is left alone
  app->we1.Label.tag = "  C:\\Work.old/Run.7\\Benzene.dd2 ";
  ibut_Click(*app, 14);
  EXPECT_EQ(app->frm.Arg2, "C:\\Work.old/Run.7\\Benzene.dd2");
  EXPECT_EQ(m.JobNam, "C:\\Work.old/Run.7\\Benzene");
  EXPECT_EQ(m.MpoNam, "C:\\Work.old/Run.7\\Benzene.mpo");
  EXPECT_NE(m.Sw(13), 0);
  EXPECT_TRUE(app->frm.ibut[1].enabled);
  EXPECT_FALSE(app->obr.visible);
}

TEST_F(AfterRead, Par39TakesTheSecondCommandWord) {
  auto& m = app->m;
  m.Sw(9) = -1;
  app->we1.Label.tag = "ignored.dd2";
  app->frm.Arg2 = "job";
  m.Par(39) = 1;
  m.MpoNam = "kept.mpo";
  ibut_Click(*app, 14);
  EXPECT_EQ(m.Par(39), 0);
  EXPECT_EQ(m.JobNam, "job");
  EXPECT_EQ(m.MpoNam, "kept.mpo");
}

TEST_F(AfterRead, ShowsTheViewerAndNamesTheConnectionFileAfterTheStructure) {
  auto& m = app->m;
  m.Sw(8) = -1;
  m.FilNam = "water";
  m.Par(40) = 0;
  ibut_Click(*app, 14);
  EXPECT_EQ(m.Sw(8), 0);
  EXPECT_TRUE(app->obr.visible);
  EXPECT_TRUE(app->obr.minimised);
  EXPECT_EQ(m.Par(40), 1);
  EXPECT_EQ(m.MpoNam, "water.mpo");
  ibut_Click(*app, 14);
  EXPECT_FALSE(app->obr.minimised);
}

// --- command 15: the connection file

TEST_F(Commands, ReadConnectionsNeedsANameAndThenShowsTheViewer) {
  ibut_Click(*app, 15);
  EXPECT_EQ(app->frm.Text3.text, "missing of MPO filename");
  EXPECT_FALSE(app->obr.visible);
  app->m.MpoNam = "Ring.MPO";
  app->m.Sw(17) = -1;
  app->frm.Text3.text.clear();
  ibut_Click(*app, 15);
  EXPECT_EQ(app->m.Sw(17), 0);
  EXPECT_TRUE(app->obr.visible);
  EXPECT_NE(app->frm.Text3.text, "missing of MPO filename");
}

// --- a break point waits for button 1

TEST_F(BreakPoint, OnlyButtonOneEndsTheWaitInsteadOfOpeningTheChooser) {
  app->m.Sw(112) = -1;
  for (int k : {0, 2, 9, 14, 15, 17, 19, 22, 25, 30}) ibut_Click(*app, k);
  EXPECT_NE(app->m.Sw(112), 0);
  app->frm.Text4.text = "1: kept";
  ibut_Click(*app, 1);
  EXPECT_EQ(app->m.Sw(112), 0);
  EXPECT_FALSE(app->we2.visible);
  EXPECT_EQ(app->frm.Text4.text, "1: kept");
  ibut_Click(*app, 1);  // no break point now: the chooser opens
  EXPECT_TRUE(app->we2.visible);
}

/// An event loop in which the user presses main button 1 at the third yield.
class PressButtonOne : public EventLoop {
 public:
  explicit PressButtonOne(App& app) : app_(app) {}
  void yield() override {
    if (++yields == 3) ibut_Click(app_, 1);
    if (yields > 1000) app_.m.Sw(112) = 0;  // a wait that never ended fails below
  }
  int yields = 0;

 private:
  App& app_;
};

TEST_F(BreakPoint, AnInteractiveBreakEndsWhenButtonOneIsPressed) {
  PressButtonOne loop(*app);
  app->loop = &loop;
  app->interactive = true;
  app->m.Sw(111) = -1;
  int ier = -1;
  TekUs(*app, ier);
  EXPECT_EQ(loop.yields, 3);
  EXPECT_EQ(app->m.Sw(112), 0);
  EXPECT_FALSE(app->we2.visible);
  EXPECT_EQ(app->erraCount, 0);
}

// --- main-window handlers

TEST_F(Ready, EnterInTheCommandBoxShowsTheStructureOnlyWhileSw0IsOff) {
  Text3_KeyPress(*app, 65);
  EXPECT_FALSE(app->obr.visible);
  app->m.Sw(0) = -1;
  Text3_KeyPress(*app, 13);
  EXPECT_FALSE(app->obr.visible);
  app->m.Sw(0) = 0;
  Text3_KeyPress(*app, 13);
  EXPECT_TRUE(app->obr.visible);
}

TEST(Greeting, AnswersToTheQuestion) {
  struct Row {
    const char* text;
    bool stopped, lineShown, viewer;
  } rows[] = {{"Who are you", true, false, false},  // stops the question
              {"who is me", false, false, true},    // enables the buttons, shows the viewer
              {"Who's that ? ", false, true, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    auto app = ready();
    for (auto& b : app->frm.ibut) b.enabled = false;
    app->frm.Text4.text = r.text;
    Text4_Change(*app);
    EXPECT_EQ(app->m.Sw(127) != 0, r.stopped);
    EXPECT_EQ(app->frm.Text4.visible, r.lineShown);
    EXPECT_EQ(app->obr.visible, r.viewer);
    for (auto& b : app->frm.ibut) EXPECT_EQ(b.enabled, r.viewer);
  }
}

// --- comparing text files and the hover check

TEST_F(Ready, PlporComparesLineByLine) {
  struct Row {
    const char* a;
    const char* b;  // nullptr: missing
    int i;
  } rows[] = {{"1 2\n3 4\n", "1 2\n3 4\n", 0},
              {"1 2\n3 4\n", "1 2\n3 5\n", 1},     // the same length, another line
              {"12\n34\n", "1\n234\n", 1},         // the same length, split elsewhere
              {"1 2\n3 4\n", "1 2\n3 4\n5\n", 1},  // another length
              {"1 2\n", "1 2\r\n", 1},             // line ends differ
              {"1 2\n", nullptr, 1}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.b ? r.b : "missing");
    std::filesystem::remove("b.mpo");
    dir.write("a.mpo", r.a);
    if (r.b) dir.write("b.mpo", r.b);
    int i = 5;
    plpor(*app, "a.mpo", "b.mpo", i);
    EXPECT_EQ(i, r.i);
    EXPECT_TRUE(app->frm.Text3.text.empty());
  }
  // a missing or empty first file is an error
  dir.write("b.mpo", "x\n");
  int i = 5;
  plpor(*app, "skrK.mpo", "b.mpo", i);
  EXPECT_EQ(i, -1);
  EXPECT_EQ(app->frm.Text3.text, "... error in file skrK.mpo");
}

TEST_F(Ready, AnEditedConnectionFileRestartsTheViewer) {
  dir.write("skrK.mpo", "1 2\n");
  dir.write("eskrK.mpo", "1 3\n");
  int j = 0;
  poed(*app, j);  // Sw(17) off: no check
  EXPECT_EQ(j, 0);
  app->m.Sw(17) = -1;
  poed(*app, j);
  EXPECT_EQ(j, 1);
  EXPECT_EQ(app->frm.ibut[6].backColour, 16777152);
  dir.write("eskrK.mpo", "1 2\n");
  j = 0;
  poed(*app, j);
  EXPECT_EQ(j, 0);
}

// --- the choosers' acceptance

TEST_F(Choosers, AnEmptyFileIsReportedAndKeptAndTheChooserStays) {
  ibut_Click(*app, 0);
  std::string name = dir.write("Empty.XYZ", "");
  EXPECT_FALSE(kelWe1_Accept(*app, name));
  EXPECT_EQ(app->frm.Text3.text, "file " + name + " is empty");
  EXPECT_TRUE(fs::exists(name));
  EXPECT_TRUE(app->we1.visible);
}

TEST_F(Choosers, AConnectionFileKeepsItsCaseAndRunsCommand15) {
  ibut_Click(*app, 5);
  std::string name = dir.write("Ring.MPO", "   1   2\n");
  EXPECT_TRUE(kelWe1_Accept(*app, " " + name + " "));
  EXPECT_EQ(app->m.MpoNam, name);
  EXPECT_FALSE(app->we1.visible);
  EXPECT_TRUE(app->frm.Text2.visible);
  EXPECT_TRUE(app->obr.visible);  // command 15 showed the structure
  EXPECT_FALSE(app->busy);
}

TEST_F(Choosers, AStructureIsReadAndTheWindowPrepared) {
  ibut_Click(*app, 0);
  std::string name = dir.write("Water.XYZ", "3\n\nO 0 0 0\nH 0 0 1\nH 0 1 0\n");
  app->frm.Text4.text = "1: old";
  EXPECT_TRUE(kelWe1_Accept(*app, name));
  EXPECT_FALSE(app->we1.visible);
  EXPECT_TRUE(app->obr.visible);  // command 14 ran
  EXPECT_EQ(app->frm.Text4.text, "1: old");
  EXPECT_TRUE(fs::exists(name));
}

TEST_F(Choosers, AnOutputGoesToTheOutputReader) {
  ibut_Click(*app, 1);
  std::string name = dir.write("Run.LOG", " Entering Gaussian System\n");
  EXPECT_TRUE(kelWe2_Accept(*app, name));
  EXPECT_FALSE(app->we2.visible);
  EXPECT_TRUE(app->frm.Text2.visible);
  EXPECT_TRUE(fs::exists(name));
}

TEST_F(Choosers, AnAddedStructureGoesToTheAddReader) {
  ibut_Click(*app, 8);
  std::string name = dir.write("Second.kel", "x\n");
  EXPECT_TRUE(kelWe1_Accept(*app, name));
  EXPECT_FALSE(app->we1.visible);
  EXPECT_EQ(app->frm.Text3.text.find("is empty"), std::string::npos);
}

}  // namespace
}  // namespace kel::testing
