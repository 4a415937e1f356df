// Kelvorin - desktop workbench for vibrational calculations.
// The log console: number fields, auto-clear and "&Back", the error report, "skrK.log".
#include "app/app.hpp"
#include "testing.hpp"

#include <clocale>

namespace kel::testing {
namespace {

class ConsoleTest : public FreshApp {
 protected:
  std::string& log() { return app->frm.Text2.text; }
};

TEST_F(ConsoleTest, FieldsAppendToTheCurrentLine) {
  tekst(*app, "x");
  fom2(*app, 0, 10, 1.5);
  EXPECT_EQ(log(), "x      1.50");
  EXPECT_EQ(app->frm.FmtBuf, "      1.50");
  fomi(*app, 0, 3, 7);
  EXPECT_EQ(app->frm.FmtBuf, "  7");
  fom6(*app, 0, 12, -0.5);
  EXPECT_EQ(app->frm.FmtBuf, "   -0.500000");
  fom2(*app, 0, 3, 123.25);  // never cut: one blank and the whole number
  EXPECT_EQ(app->frm.FmtBuf, " 123.25");
  fom8(*app, 0, 0, 12.0);
  EXPECT_EQ(app->frm.FmtBuf, "12.00000000");
}

TEST_F(ConsoleTest, FieldsToAFile) {
  app->files.openOutput(3, "f.txt");
  fom2(*app, 3, 0, 1.5);
  fomi(*app, 3, 4, 6);
  fom3(*app, 3, 9, -1000.0);
  fom4(*app, 3, 8, 0.00005);
  app->files.close(3);
  EXPECT_EQ(slurp("f.txt"), "1.50   6 -1000.000  0.0001");
  EXPECT_EQ(log(), "");
}

TEST_F(ConsoleTest, LabelledField) {
  for (auto [v, text] : {std::pair{12.5, "F =  12.50"},
                         {123.25, "F = 123.25"},
                         {1234.5, "F =1234.50"},
                         {12345.5, "F =12345.50"}}) {
    fom2L(*app, 0, 7, "F =", v);
    EXPECT_EQ(app->frm.FmtBuf, text);
  }
}

TEST_F(ConsoleTest, DecimalCommaLocale) {
  std::string saved = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "pl_PL.UTF-8") && !std::setlocale(LC_ALL, "de_DE.UTF-8"))
    GTEST_SKIP() << "no decimal-comma locale installed";
  fom2(*app, 0, 8, 2.25);
  fom2L(*app, 0, 7, "F =", 2.25);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(log(), "    2.25F =   2.25");
}

TEST_F(ConsoleTest, AutoClearAfterAbout306Lines) {
  int ier = 1;
  for (int i = 1; i <= 306; ++i) tekst(*app, "line " + std::to_string(i));
  TekUs(*app, ier);
  EXPECT_EQ(ier, 0);
  EXPECT_FALSE(app->frm.burek.visible);
  EXPECT_EQ(app->frm.VScr2.value, (306 - 23) * 24);
  tekst(*app, "line 307");
  TekUs(*app, ier);
  EXPECT_EQ(log(), "");
  EXPECT_TRUE(app->frm.burek.visible);
  EXPECT_EQ(app->frm.LineCnt, 0);
  EXPECT_EQ(app->frm.VScr2.value, 0);
  // "&Back" brings the cleared text back and hides itself.
  burek_Click(*app);
  EXPECT_FALSE(app->frm.burek.visible);
  EXPECT_EQ(log().substr(0, 7), "line 1\n");
  EXPECT_EQ(log().substr(log().size() - 8), "line 307");
}

TEST_F(ConsoleTest, SmallMarginWithSwitch67) {
  app->m.Sw(67) = -1;
  for (int i = 1; i <= 306; ++i) tekst(*app, "l");
  int ier = 0;
  TekUs(*app, ier);  // 6798 > 9200 - 500? no: the small margin clears later
  EXPECT_FALSE(app->frm.burek.visible);
  for (int i = 307; i <= 386; ++i) tekst(*app, "l");
  TekUs(*app, ier);
  EXPECT_TRUE(app->frm.burek.visible);
}

TEST_F(ConsoleTest, DoubleClickOnAnEmptyConsoleKeepsNothing) {
  tekst(*app, "a");
  text2_dblClick(*app);
  EXPECT_EQ(app->frm.burek.tag, "a");
  text2_dblClick(*app);  // empty now: only the count is reset
  EXPECT_EQ(app->frm.burek.tag, "a");
  burek_Click(*app);
  EXPECT_EQ(log(), "a");
  text2_dblClick(*app);
  burek_Click(*app);
  burek_Click(*app);  // nothing kept: nothing restored
  EXPECT_EQ(log(), "a");
}

TEST_F(ConsoleTest, BreakCheckCopiesSwitches) {
  int ier = 0;
  TekUs(*app, ier);
  EXPECT_EQ(app->m.Sw(105), -1);  // none of 45..47 on: all on
  EXPECT_EQ(app->m.Sw(107), -1);
  app->m.Sw(46) = -1;
  TekUs(*app, ier);
  EXPECT_EQ(app->m.Sw(105), 0);
  EXPECT_EQ(app->m.Sw(106), -1);
  EXPECT_EQ(app->m.Sw(107), 0);
}

TEST_F(ConsoleTest, ErrorReportsNewestFirstClosesEveryFileAndThe21stStartsAfresh) {
  app->files.openOutput(3, "a.txt");
  app->files.openOutput(4, "b.txt");
  erra(*app, "MpoDef", 9);
  EXPECT_FALSE(app->files.isOpen(3));
  EXPECT_FALSE(app->files.isOpen(4));
  EXPECT_EQ(app->frm.Text4.text, "1: MpoDef ERROR 9  Subscript out of range   ");
  erra(*app, "EdIni kelv.ini", 53);
  EXPECT_EQ(app->frm.Text4.text,
            "2: EdIni kelv.ini ERROR 53  File not found   "
            "1: MpoDef ERROR 9  Subscript out of range   ");
  for (int i = 3; i <= 20; ++i) erra(*app, "x", 11);
  EXPECT_NE(app->frm.Text4.text.find("1: MpoDef"), std::string::npos);
  erra(*app, "last", 62);
  EXPECT_EQ(app->frm.Text4.text, "21: last ERROR 62  Input past end of file   ");
  EXPECT_EQ(app->m.Par(14), 21);
  EXPECT_TRUE(app->frm.Text4.visible);
}

TEST_F(ConsoleTest, GuardReportsAndEnds) {
  bool after = false;
  bool ok = guard(*app, "ReMW", [&] {
    app->m.Xyz(500, 1) = 1;
    after = true;
  });
  EXPECT_FALSE(ok);
  EXPECT_FALSE(after);
  EXPECT_EQ(app->frm.Text4.text, "1: ReMW ERROR 9  Subscript out of range   ");
  EXPECT_EQ(app->erraCount, 1);
}

TEST(ConsoleLogFile, LinesAsTheConsoleMakesThem) {
  TempDir dir;
  auto app = newApp();
  tekst(*app, "first");
  TekUl(*app, " more");
  tekst(*app, "błąd pliku x");
  EXPECT_EQ(slurp("skrK.log"), "\nfirst more\nbłąd pliku x");
  TempDir other;
  auto again = newApp();
  TekUl(*again, "first");  // the console's first line, begun without a new line
  tekst(*again, "second");
  EXPECT_EQ(slurp("skrK.log"), "first\nsecond");
  TempDir off;
  auto silent = newApp();
  silent->m.Sw(124) = 0;
  tekst(*silent, "first");
  EXPECT_EQ(silent->frm.Text2.text, "first");
  EXPECT_FALSE(std::filesystem::exists("skrK.log"));
}

TEST_F(ConsoleTest, LogFileAppendsToAnOlderLogAndFollowsItsRemovalEmptyingAndReplacement) {
  dir.write("skrK.log", "old");
  tekst(*app, "new");
  EXPECT_EQ(slurp("skrK.log"), "old\nnew");
  std::filesystem::remove("skrK.log");
  tekst(*app, "again");
  EXPECT_EQ(slurp("skrK.log"), "\nagain");
  dir.write("skrK.log", "");  // emptied (the exit dialog's erase)
  tekst(*app, "fresh");
  EXPECT_EQ(slurp("skrK.log"), "\nfresh");
  std::filesystem::remove("skrK.log");
  dir.write("skrK.log", "someone else's");  // another file under the name
  tekst(*app, "kept");
  EXPECT_EQ(slurp("skrK.log"), "someone else's\nkept");
}

TEST_F(ConsoleTest, ShortPauseReturnsAtOnceSixTimesOutOfSevenAndWaitsEndInVirtualTime) {
  auto* clock = dynamic_cast<SteppingClock*>(app->clock);
  ASSERT_NE(clock, nullptr);
  int ok = 5;
  for (int i = 0; i < 6; ++i) {
    jaba(*app, 0, ok);
    EXPECT_EQ(ok, 0);
  }
  EXPECT_EQ(clock->yields(), 0);
  jaba(*app, 0, ok);
  EXPECT_EQ(ok, 0);
  EXPECT_GT(clock->yields(), 0);
  jaba(*app, -1, ok);
  EXPECT_EQ(ok, -1);
  app->m.Sw(32) = -1;
  jaba(*app, 1, ok);
  EXPECT_EQ(ok, -1);
  jaba(*app, 11, ok);
  EXPECT_EQ(ok, 11);
  double t0 = clock->timer();  // a wait ends in virtual time
  Czekaj(*app, 0.1);
  EXPECT_GE(clock->timer() - t0, 0.1);
  Czekaj(*app, 0);
  EXPECT_GE(clock->yields(), 3);
}

TEST_F(ConsoleTest, BreakPointEndsWithoutAPerson) {
  app->m.Sw(111) = -1;
  dir.write("skrK.dd2", "data\n");
  int ier = 1;
  TekUs(*app, ier);  // runs the break point; nobody can press button 1 here
  EXPECT_EQ(app->m.Sw(111), 0);
  EXPECT_EQ(app->m.Sw(112), 0);
  EXPECT_EQ(slurp("eskrK.dd2"), "data\n");
  EXPECT_EQ(log(), "Now, skrK.dd2 file can be edited");
}

TEST_F(ConsoleTest, FontButton) {
  fosi_Click(*app);
  EXPECT_EQ(app->frm.Text2.fontSize, 10);
  EXPECT_EQ(app->frm.fosi.text, "10");
  EXPECT_EQ(app->frm.PageLines, 28);
  fosi_Click(*app);
  EXPECT_EQ(app->frm.Text2.fontSize, 8);
  EXPECT_EQ(app->frm.fosi.text, "F8");
}

TEST_F(ConsoleTest, ProgressIndicator) {
  app->m.NDof(4) = 30;
  double r = 0;
  fnBar(*app, 0, r);
  EXPECT_DOUBLE_EQ(app->frm.PbTotal, 63);
  EXPECT_DOUBLE_EQ(r, 1);
  fnBar(*app, 70, r);
  EXPECT_DOUBLE_EQ(r, 63);
  app->m.NDof(4) = 3;
  PbIni(*app);
  EXPECT_DOUBLE_EQ(app->frm.PbTotal, 20);
}

}  // namespace
}  // namespace kel::testing
