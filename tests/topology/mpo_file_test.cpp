// Kelvorin - desktop workbench for vibrational calculations.
#include "molecules.hpp"

#include "topology/connections.hpp"

namespace kel::testing {
namespace {

using Fresh = FreshApp;

constexpr const char* WaterFile = " 2 . O 1 : H 2 , H 3 \n 1 . H 2 : O 1 \n 1 . H 3 : O 1 \n";
constexpr const char* Banner = "****Kelvorin**** version 2 ";
/// The offer that ends every question about a connection file read.
const std::string Offer =
    "new connection matrix MPO should be introduced\r[CANCEL] -  nevertheless use current MPO\r"
    "    [OK]    -  let Kelvorin to create the new MPO";

// ------------------------------------------------------------------ labels

TEST(Label, Parses) {
  struct Row {
    const char* label;
    const char* sym;
    int num;
  } good[] = {{"C 12", "C", 12}, {"C12", "C", 12},      {"Cl12", "Cl", 12}, {"Si 20", "Si", 20},
              {"cl 3", "cl", 3}, {"  N   7  ", "N", 7}, {"D2", "D", 2},     {"12", "1", 12}};
  for (const auto& r : good) {
    std::string sym;
    int num = -1;
    EXPECT_TRUE(mpoLabel(r.label, 20, sym, num)) << r.label;
    EXPECT_EQ(sym, r.sym) << r.label;
    EXPECT_EQ(num, r.num) << r.label;
  }
  // zero, beyond the atoms, negative, no number, empty
  for (const char* bad : {"C 0", "C 21", "C -3", "Cl", ""}) {
    std::string sym;
    int num = -1;
    EXPECT_FALSE(mpoLabel(bad, 20, sym, num)) << '"' << bad << '"';
  }
}

// ------------------------------------------------------------------ reading

/// Loads mol (named "water" in the temporary folder), writes the connection file and reads it.
void readText(App& app, TempDir& dir, const Molecule& mol, const std::string& text) {
  loadMolecule(app, mol, (dir.path() / "water").string());
  dir.write("in.mpo", text);
  mpoDef(app, "in.mpo");
}

/// The same with the fixture rel (tests/data/mpo/...).
void readFixture(App& app, TempDir& dir, const Molecule& mol, const std::string& rel) {
  readText(app, dir, mol, slurp(fixture(rel)));
}

/// The console lines from "MPO is tested" up to the count of accepted definitions.
std::vector<std::string> readingLines(const App& app) {
  std::vector<std::string> out;
  bool in = false;
  for (const auto& l : consoleLines(app)) {
    if (l == "MPO is tested") in = true;
    if (in) out.push_back(l);
    if (in && l.rfind("atoms: ", 0) == 0) break;
  }
  return out;
}

/// A fresh folder and program whose questions are answered from a script.
class MpoCase : public FreshApp {
 protected:
  ScriptedPrompt prompt;
  void SetUp() override { app->prompt = &prompt; }
  void answers(std::vector<std::string> a) { prompt = ScriptedPrompt(std::move(a)); }
};
using ReadMpo = MpoCase;
using Question = MpoCase;

TEST_F(ReadMpo, CanonicalFileIsAcceptedAsItStands) {
  readFixture(*app, dir, water(), "mpo/water.mpo");
  EXPECT_EQ(app->frm.Text2.text.rfind("MPO from file.. in.mpo\ncopy in.mpo --> skrK.mpo\nMPO is "
                                      "tested\n***\natoms:  3  MPO accepted definitions:  3\n",
                                      0),
            0u)
      << app->frm.Text2.text;
  EXPECT_TRUE(prompt.prompts.empty());
  EXPECT_EQ(app->m.MpoMode, 1);
  EXPECT_EQ(app->m.Sw(18), 0);
  EXPECT_NE(app->m.Sw(19), 0);
  EXPECT_EQ(slurp("skrK.mpo"), WaterFile);
  EXPECT_EQ(app->m.IcRows, 3);
}

TEST_F(ReadMpo, FreeFormsOfTheAtomLine) {
  readFixture(*app, dir, water(), "mpo/water_free_forms.mpo");             // CR LF line ends
  EXPECT_EQ(slurp("in.mpo"), slurp(fixture("mpo/water_free_forms.mpo")));  // left as it was
  // the working file is written from the matrix as read
  EXPECT_TRUE(hasLine(*app, "atoms:  3  MPO accepted definitions:  3"));
  EXPECT_EQ(slurp("skrK.mpo"), WaterFile);
}

TEST_F(ReadMpo, LinesWithoutCountOrWithMisplacedColonAreSkipped) {
  readText(*app, dir, water(),
           " 2 . O 1 : H 2 , H 3 \n. H 2 : O 1\n1 : H 2 . O 1\n\n 0 . H 2 : O 1 \n"
           " 1 . H 2 : O 1 \n 1 . H 3 : O 1 \r\n");
  auto lines = readingLines(*app);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "*******");
  EXPECT_EQ(lines[2], "atoms:  3  MPO accepted definitions:  3");
}

struct CheckRow {
  const char* name;
  Molecule mol;
  std::string text;
  const char* line;      // a console line the check makes ("" for none)
  const char* question;  // the start of the question asked ("" for none)
};

Molecule longWater(double r) {
  return {{8, 0, 0, 0}, {1, r, 0, 0}, {1, -0.2397, 0.9267, 0}};
}

constexpr const char* DimerAtoms =
    " 2 . O 1 : H 2 , H 3 \n 1 . H 2 : O 1 \n 1 . H 3 : O 1 \n"
    " 2 . O 4 : H 5 , H 6 \n 1 . H 5 : O 4 \n 1 . H 6 : O 4 \nintermolecular bonds\n";

class FileCheck : public MpoCase, public ::testing::WithParamInterface<CheckRow> {};

TEST_P(FileCheck, AsAUserExpects) {
  const auto& row = GetParam();
  readText(*app, dir, row.mol, row.text);
  int n = app->m.NAt;
  if (*row.line) {  // the reading marks appended to the line follow it
    EXPECT_NE(app->frm.Text2.text.find(std::string("\n") + row.line), std::string::npos);
  }
  if (!*row.question) {
    EXPECT_TRUE(prompt.prompts.empty());
    EXPECT_TRUE(hasLine(*app, "atoms: " + Str(n) + "  MPO accepted definitions: " + Str(n)));
    EXPECT_EQ(app->m.Sw(18), 0);  // the matrix as read is used
  } else {
    ASSERT_EQ(prompt.prompts.size(), 1u);
    EXPECT_EQ(prompt.prompts[0].rfind(row.question, 0), 0u) << prompt.prompts[0];
  }
}

// clang-format off
const CheckRow FileCheckRows[] = {
  {"byte_order_mark", water(), "\xEF\xBB\xBF 2 . O 1 : H 2 , H 3 \n 1 . H 2 : O 1 \n" " 1 . H 3 : O 1 \n", "", ""},
  {"repeated_atom_line", water(), " 2 . O 1 : H 2 , H 3 \n 1 . H 2 : O 1 \n" " 1 . H 2 : O 1 \n 1 . H 3 : O 1 \n", "correction: repeated line of atom No.  2", ""},
  {"contact_within_limit", waterDimer(), std::string(DimerAtoms) + "H 2 , O 4 \n", "", ""},
  {"contact_beyond_limit", waterDimer(), std::string(DimerAtoms) + "O 1 , O 4 \n", "", "CAUTION: questionable connection of atoms: O 1, O 4\r"},
  {"bond_20_percent_longer_passes", longWater(1.45), WaterFile, "", ""},  // 1.21 x 1.2 = 1.452
  {"strict_limit_after_a_correction", longWater(1.45), " 2 . O 1 : H 2 , H 3 \n 1 . N 2 : O 1 \n 1 . H 3 : O 1 \n", "", "CAUTION: questionable connection of atoms: O 1, H 2\r"},
  // H3 claims atom 2 (never bonded: two hydrogens): a bond listed only by the higher atom
  {"bond_of_the_higher_atom_only", water(), " 1 . O 1 : H 2 \n 1 . H 2 : O 1 \n 1 . H 3 : H 2 \n", "", "CAUTION: questionable connection of atoms: H 2, H 3\r"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(ConnectionFiles, FileCheck, ::testing::ValuesIn(FileCheckRows),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(ReadMpo, TooManyConnectionsAreCut) {
  readText(*app, dir, water(), " 5 . O 1 : H 2 , H 3 \n 1 . H 2 : O 1 \n 1 . H 3 : O 1 \n");
  auto lines = readingLines(*app);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "*");
  EXPECT_EQ(lines[2], "correction: too many connections: O 1**");
  EXPECT_EQ(app->m.NBond(1), 2);  // listing position 1 is the oxygen
  EXPECT_EQ(app->m.MpoOrd(1), 1);
}

TEST_F(ReadMpo, UnsuitableSymbolIsCorrectedButUsed) {
  readText(*app, dir, water(), " 2 . N 1 : H 2 , H 3 \n 1 . H 2 : O1 \n 1 . H3 : o 1 \n");
  EXPECT_TRUE(hasLine(*app, "correction: unsuitable type, atom No.  1**"));
  EXPECT_EQ(app->m.Mpo(1, 2), 1);
  EXPECT_TRUE(prompt.prompts.empty());  // 0.96 A passes the strict test too
  EXPECT_EQ(slurp("skrK.mpo"), WaterFile);
}

TEST_F(ReadMpo, BadLabelIsADefinitionErrorAndShortage) {
  readFixture(*app, dir, water(), "mpo/bad/water_bad_label.mpo");
  EXPECT_TRUE(hasLine(*app, "definition error: Q 9**"));
  EXPECT_TRUE(hasLine(*app, "atoms:  3  MPO accepted definitions:  2"));
  ASSERT_EQ(prompt.prompts.size(), 1u);
  EXPECT_EQ(prompt.prompts[0], "CAUTION: shortage of MPO definitions \r\r" + Offer);
  EXPECT_EQ(prompt.titles[0], Banner);
  EXPECT_EQ(prompt.defaults[0], "???");
  EXPECT_EQ(app->frm.Text3.text, "shortage of MPO definitions ");
  // Cancel keeps the matrix as read, the first neighbour included
  EXPECT_EQ(app->m.Mpo(1, 2), 1);
  EXPECT_EQ(app->m.Mpo(1, 3), 0);
  EXPECT_EQ(app->m.Sw(18), 0);
}

TEST_F(ReadMpo, BadLabelInBondSectionIsAnError) {
  answers({"default"});
  readFixture(*app, dir, water(), "mpo/bad/water_bad_bond_label.mpo");
  EXPECT_TRUE(hasLine(*app, "definiction error: X 9"));
  ASSERT_EQ(prompt.prompts.size(), 1u);
  EXPECT_EQ(prompt.prompts[0].substr(0, 37), "CAUTION: errors in MPO definitions \r\r");
  EXPECT_EQ(app->frm.Text3.text, "errors in MPO definitions ");
  // "???" derives a new matrix
  EXPECT_TRUE(hasLine(*app, "connection matrix MPO has been created: file skrK.mpo"));
  EXPECT_NE(app->m.Sw(18), 0);
  EXPECT_EQ(app->m.MpoMode, 2);
}

TEST_F(ReadMpo, OneWayBondIsReportedAndKept) {
  readText(*app, dir, formaldehyde(),
           " 2 . C 1 : O 2 , H 3 \n 1 . O 2 : C 1 \n 1 . H 3 : C 1 \n 1 . H 4 : C 1 \n");
  EXPECT_TRUE(hasLine(*app, "CAUTION: atoms  1 4 one-way connection")) << app->frm.Text2.text;
  EXPECT_EQ(app->m.Mpo(1, 4), 0);
  EXPECT_EQ(app->m.Mpo(4, 1), 1);
  EXPECT_TRUE(prompt.prompts.empty());
  EXPECT_EQ(slurp("skrK.mpo"),
            " 2 . C 1 : O 2 , H 3 \n 1 . O 2 : C 1 \n 1 . H 3 : C 1 \n 1 . H 4 : C 1 \n");
  // after a correction the single-bonded atoms are listed too
  EXPECT_TRUE(hasLine(*app, " 1 . H 4 : C 1 "));
  // the generator still sees the bond
  EXPECT_EQ(app->m.IcRows, 6);
  EXPECT_FALSE(hasLine(*app, "MPO not approved"));
}

TEST_F(ReadMpo, AtomBondedToItselfIsCorrected) {
  readText(*app, dir, water(), " 2 . O 1 : O 1 , H 2 \n 1 . H 2 : O 1 \n 1 . H 3 : O 1 \n");
  auto lines = consoleLines(*app);
  auto oneWay = std::find(lines.begin(), lines.end(), "CAUTION: atoms  1 3 one-way connection");
  auto self = std::find(lines.begin(), lines.end(), "atom 1 with itself ?, corrected");
  ASSERT_NE(oneWay, lines.end());
  ASSERT_NE(self, lines.end());
  EXPECT_LT(oneWay, self);
  EXPECT_EQ(app->m.Mpo(1, 1), 0);
}

TEST_F(ReadMpo, IntermolecularSection) {
  readFixture(*app, dir, cyclicWaterDimer(), "mpo/water_dimer.mpo");
  auto& m = app->m;
  EXPECT_EQ(m.ImBond(0, 0), 2);
  EXPECT_EQ(m.ImBond(6, 1), 1);
  EXPECT_EQ(m.ImBond(4, 2), 1);
  EXPECT_EQ(m.ImBond(1, 2), 0);
  EXPECT_TRUE(hasLine(*app, "O 1???*"));
  EXPECT_TRUE(hasLine(*app, "already exists connection  1 2*"));
  EXPECT_TRUE(hasLine(*app, "already exists connection  1 6"));
  EXPECT_TRUE(hasLine(*app, "atoms:  6  MPO accepted definitions:  6"));
  EXPECT_TRUE(hasLine(*app, "and intermolecular bonds:  2"));
  EXPECT_TRUE(prompt.prompts.empty());
  std::string file = slurp("skrK.mpo");
  EXPECT_EQ(file.substr(file.find("intermolecular")),
            "intermolecular bonds\nO 1 , H 6 \nH 2 , O 4 \n");
  EXPECT_EQ(m.IcRows, 12);
}

TEST_F(ReadMpo, AtomLinesBeyondTheAtomCountAreIgnored) {
  readText(*app, dir, water(), std::string(WaterFile) + " 1 . H 2 : H 3 \n");
  EXPECT_EQ(app->m.Mpo(2, 3), 0);
}

// ------------------------------------------------------------------ the question and its answers

/// Notes whether the viewer was on screen when the question came.
class ViewerWatch : public Prompt {
 public:
  explicit ViewerWatch(const App& app) : app_(app) {}
  std::string inputBox(std::string_view, std::string_view, std::string_view) override {
    shown = app_.obr.visible;
    return {};
  }
  bool shown = false;

 private:
  const App& app_;
};

TEST_F(Question, StructureIsShownBeforeAsking) {
  ViewerWatch watch(*app);
  app->prompt = &watch;
  readText(*app, dir, longWater(1.52), WaterFile);
  EXPECT_TRUE(watch.shown);
}

TEST_F(Question, YesDerivesAndSavesUnderTheStructuresName) {
  answers({"yes please"});
  readText(*app, dir, longWater(1.52), WaterFile);
  std::string s = (dir.path() / "water.mpo").string();
  EXPECT_EQ(app->m.MpoMode, 3);
  EXPECT_EQ(slurp(s), slurp("skrK.mpo"));
  // the hydrogen 1.52 A away is a fragment of its own, in contact with the oxygen
  EXPECT_EQ(slurp(s),
            " 1 . O 1 : H 3 \n 1 . H 3 : O 1 \n 0 . H 2 : \nintermolecular bonds\nO 1 , H 2 \n");
}

TEST_F(Question, BondBeyondTwentyFivePercentOtherAnswerDerivesWithoutSaving) {
  answers({"no"});
  readText(*app, dir, longWater(1.52), WaterFile);  // 1.21 x 1.25 = 1.5125
  ASSERT_EQ(prompt.prompts.size(), 1u);
  EXPECT_EQ(prompt.prompts[0], "CAUTION: questionable connection of atoms: O 1, H 2\r\r" + Offer);
  EXPECT_EQ(app->m.MpoMode, 5);
  EXPECT_NE(app->m.Sw(18), 0);
  EXPECT_FALSE(fileExists((dir.path() / "water.mpo").string()));
}

TEST_F(Question, OwnFileOffersToSaveAndBacksUp) {
  answers({"default"});
  std::string s = (dir.path() / "water.mpo").string();
  loadMolecule(*app, water(), (dir.path() / "water").string());
  std::string shortFile = " 2 . O 1 : H 2 , H 3 \n";
  dir.write("water.mpo", shortFile);
  mpoDef(*app, s);
  ASSERT_EQ(prompt.prompts.size(), 1u);
  EXPECT_EQ(prompt.prompts[0],
            "CAUTION: shortage of MPO definitions \r\r" + Offer + "\rand save as file " + s);
  EXPECT_EQ(prompt.defaults[0], "YES <-- (delete it for not save)");
  EXPECT_EQ(app->m.MpoMode, 3);
  EXPECT_EQ(slurp("sskrK.mpo"), shortFile);
  EXPECT_EQ(slurp(s), WaterFile);
  EXPECT_TRUE(hasLine(*app, "copy " + s + " --> sskrK.mpo"));
  EXPECT_TRUE(hasLine(*app, "copy skrK.mpo --> " + s));
  // the user's file also lasts under its first free numbered name
  std::string kept = (dir.path() / "water1.mpo").string();
  EXPECT_EQ(slurp(kept), shortFile);
  EXPECT_TRUE(hasLine(*app, "Old file renamed as " + kept));
}

TEST_F(ReadMpo, OwnFileOfAnIonPairPassesItsOwnCheck) {
  // sodium chloride: two atoms without bonds, joined by one intermolecular contact
  loadMolecule(*app, {{11, 0, 0, 0}, {17, 2.8, 0, 0}}, (dir.path() / "salt").string());
  mpoDef(*app, "*");
  std::string own = (dir.path() / "salt.mpo").string();
  EXPECT_EQ(slurp(own), " 0 . Cl 2 : \n 0 . Na 1 : \nintermolecular bonds\nNa 1 , Cl 2 \n");
  mpoDef(*app, own);
  EXPECT_TRUE(prompt.prompts.empty());
  EXPECT_EQ(app->frm.Text3.text, "");
  EXPECT_TRUE(hasLine(*app, "atoms:  2  MPO accepted definitions:  2"));
}

TEST(OwnFileQuestion, CancelKeepsItUntouched) {
  for (std::string answer : {"", "no"}) {
    TempDir dir;
    auto app = newApp();
    ScriptedPrompt prompt({answer});
    app->prompt = &prompt;
    std::string s = (dir.path() / "water.mpo").string();
    loadMolecule(*app, water(), (dir.path() / "water").string());
    dir.write("water.mpo", " 2 . O 1 : H 2 , H 3 \n");
    mpoDef(*app, s);
    EXPECT_EQ(app->m.MpoMode, 5) << answer;
    EXPECT_EQ(slurp(s), " 2 . O 1 : H 2 , H 3 \n") << answer;
    EXPECT_FALSE(fileExists("sskrK.mpo")) << answer;
  }
}

// ------------------------------------------------------------------ keeping the file

/// A derived water matrix with the structure's own "water.mpo" already present.
struct KeepCase {
  TempDir dir;
  std::unique_ptr<App> app = newApp();
  ScriptedPrompt prompt;
  std::string s;
  explicit KeepCase(std::vector<std::string> answers) : prompt(std::move(answers)) {
    app->prompt = &prompt;
    s = (dir.path() / "water.mpo").string();
    loadMolecule(*app, water(), (dir.path() / "water").string());
    dir.write("water.mpo", "old\n");
  }
  void derive() { mpoDef(*app); }
};

TEST(KeepFile, DerivedMatrixAsksBeforeTouchingAnExistingFileCancelDefaultOrBackupKeepIt) {
  for (std::string answer : {"", "default", "sskrK.mpo"}) {
    SCOPED_TRACE(answer);
    KeepCase c({answer});
    c.derive();
    ASSERT_EQ(c.prompt.prompts.size(), 1u);
    EXPECT_EQ(c.prompt.prompts[0], "CAUTION: exists file\r" + c.s +
                                       "\r{Cancel - not save,  OK - change filename}\r"
                                       "filename [.mpo]");
    EXPECT_EQ(c.prompt.titles[0], Banner);
    EXPECT_EQ(c.prompt.defaults[0], currentDir() + "/sskrK.mpo");
    EXPECT_EQ(slurp(c.s), "old\n");
    EXPECT_FALSE(fileExists("sskrK.mpo"));
    EXPECT_EQ(c.app->m.MpoNam, "skrK.mpo");
  }
}

TEST(KeepFile, NewNameGetsTheMatrixAnExistingOneIsBackedUpFirst) {
  KeepCase c({"kept"});
  c.derive();
  EXPECT_EQ(slurp("kept.mpo"), WaterFile);
  EXPECT_EQ(slurp(c.s), "old\n");
  EXPECT_FALSE(fileExists("sskrK.mpo"));
  EXPECT_TRUE(hasLine(*c.app, "copy skrK.mpo --> kept.mpo"));
  KeepCase d({"kept.txt"});  // an existing new name is backed up first
  d.dir.write("kept.txt", "previous\n");
  d.derive();
  EXPECT_EQ(slurp("kept.txt"), WaterFile);
  EXPECT_EQ(slurp("sskrK.mpo"), "previous\n");
}

TEST(KeepFile, SwitchesDecideWithoutAsking) {
  {
    KeepCase c({});
    c.app->m.Sw(34) = -1;  // not kept
    c.derive();
    EXPECT_TRUE(c.prompt.prompts.empty());
    EXPECT_EQ(slurp(c.s), "old\n");
  }
  for (int sw : {121, 118, 86}) {  // overwritten, the old file backed up
    KeepCase c({});
    c.app->m.Sw(sw) = -1;
    c.derive();
    EXPECT_TRUE(c.prompt.prompts.empty()) << sw;
    EXPECT_EQ(slurp(c.s), WaterFile) << sw;
    EXPECT_EQ(slurp("sskrK.mpo"), "old\n") << sw;
  }
}

TEST_F(Fresh, KeepFileNoStructureFileNoQuestion) {
  ScriptedPrompt prompt;
  app->prompt = &prompt;
  loadMolecule(*app, water(), (dir.path() / "water").string());
  mpoDef(*app);
  EXPECT_TRUE(prompt.prompts.empty());
  EXPECT_FALSE(fileExists((dir.path() / "water.mpo").string()));
}

TEST(KeepFile, ReadFilesReplaceItOnlyWhenCorrectedOrTheWorkingOne) {
  const std::string corrected = " 2 . N 1 : H 2 , H 3 \n 1 . H 2 : O 1 \n 1 . H 3 : O 1 \n";
  struct Row {
    const char* file;
    std::string text;
    bool fullName;        // the file named by its full name
    int mode;             // -1: not looked at
    bool asks, replaced;  // the structure's "water.mpo" replaced, the old one backed up
  } rows[] = {{"in.mpo", WaterFile, false, 1, false, false},
              {"in.mpo", corrected, false, -1, false, true},
              {"skrK.mpo", "1 H2: O1\n1 H3: O1\n2 O1: H2, H3\n", false, 0, false, true},
              {"skrK.mpo", corrected, true, 0, true, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    KeepCase c({""});
    std::string name = c.dir.write(r.file, r.text);
    mpoDef(*c.app, r.fullName ? name : r.file);
    EXPECT_EQ(c.app->m.MpoMode, r.mode < 0 ? c.app->m.MpoMode : r.mode);
    EXPECT_FALSE(hasLine(*c.app, "copy skrK.mpo --> skrK.mpo"));
    ASSERT_EQ(c.prompt.prompts.size(), r.asks ? 1u : 0u);
    for (const auto& q : c.prompt.prompts) EXPECT_EQ(q.substr(0, 21), "CAUTION: exists file\r");
    EXPECT_EQ(slurp(c.s), r.replaced ? WaterFile : "old\n");
    EXPECT_EQ(slurp("sskrK.mpo"), r.replaced ? "old\n" : slurp("sskrK.mpo"));
  }
  KeepCase c({});
  c.dir.write("in.mpo", WaterFile);
  EXPECT_EQ(mpoDef(*c.app, "in"), "in.mpo");
}

}  // namespace
}  // namespace kel::testing
