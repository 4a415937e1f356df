// Kelvorin - desktop workbench for vibrational calculations.
// Damaged and unusual inputs: a read takes whole tables or fails with its reason, never
// touches its input, and takes linear time.
#include "readers/gaussian_output.hpp"
#include "readers/geometry_files.hpp"
#include "readers/own_file.hpp"
#include "writers/own_file.hpp"

#include "gaussian_text.hpp"
#include "testing.hpp"

#include <chrono>

namespace kel::testing {
namespace {

/// A methane-like molecule: nine modes in three groups.
std::vector<GAtom> methane() {
  return {{6, 0, 0, 0},
          {1, 0.63, 0.63, 0.63},
          {1, -0.63, -0.63, 0.63},
          {1, -0.63, 0.63, -0.63},
          {1, 0.63, -0.63, -0.63}};
}

/// Nine atoms (a chain of carbons with hydrogens): 21 modes.
std::vector<GAtom> nine() {
  std::vector<GAtom> a;
  for (int i = 0; i < 9; ++i) a.push_back({i % 3 == 0 ? 6 : 1, 1.1 * i, 0.3 * (i % 2), 0.1 * i});
  return a;
}

std::string output(const std::vector<GAtom>& atoms, int modes,
                   const std::string& route = routeLine) {
  return route + orientationTable("Input", atoms) + orientationTable("Standard", atoms) +
         scfDone(-40.5) + frequencyTable(atoms, modes, true);
}

using Fresh = FreshApp;

bool logHas(const App& app, std::string_view text) {
  return app.frm.Text2.text.find(text) != std::string::npos;
}

struct Damaged {
  const char* name;
  std::string text;
  const char* problem;   // Text3 after the file's name and two blanks
  const char* log = "";  // a log line, followed by the file's name
};

class DamagedTable : public FreshApp, public ::testing::WithParamInterface<Damaged> {};

// Each damaged table keeps the geometry, refuses every mode, writes no summary and fails.
TEST_P(DamagedTable, IsRefusedWithItsReason) {
  const auto& c = GetParam();
  auto f = dir.write("d.log", c.text);
  FmtIn(*app, f);
  EXPECT_TRUE(app->readFailed);
  EXPECT_EQ(app->frm.Text3.text, f + "  " + c.problem);
  EXPECT_GT(app->m.NAt, 0);
  EXPECT_EQ(app->m.NFrq, 0);
  EXPECT_FALSE(fs::exists(dir.path() / "d.kel"));
  EXPECT_TRUE(!*c.log || logHas(*app, c.log + f)) << app->frm.Text2.text;
}

std::string cutAfterGroups(const std::string& text, int groups) {
  std::size_t p = text.find("Harmonic frequencies");
  for (int g = 0; g <= groups; ++g) p = text.find(" Frequencies --", p + 1);
  return text.substr(0, text.rfind('\n', p - 60) + 1);
}

std::string replaced(std::string s, const std::string& from, const std::string& to) {
  s.replace(s.find(from), from.size(), to);
  return s;
}

/// Water whose second displacement row lost its last component.
std::string rowCutShort() {
  std::string text = output(water(), 3);
  text.erase(text.find('\n', text.find("     2   1")) - 7, 7);
  return text;
}

// clang-format off
const Damaged DamagedTableRows[] = {
  {"CutBetweenGroups", cutAfterGroups(output(methane(), 9), 1), "table ends after 3 of 9 modes"},
  {"CutAfterTheLastRow", output(methane(), 9).substr(0, output(methane(), 9).find(" -------------------\n - Thermo")), "table cut off at the end of the file"},
  // a second job of another structure: its geometry with the first job's modes
  {"JoinedJobsLargerTable", output(nine(), 21) + orientationTable("Standard", methane()) + scfDone(-40.6), "modes of 9 atoms, structure of 5 atoms"},
  {"JoinedJobsSmallerTable", routeLine + orientationTable("Input", nine()) + frequencyTable(methane(), 9, false), "modes of 5 atoms, structure of 9 atoms"},
  {"ElementMismatch", routeLine + orientationTable("Input", water()) + frequencyTable({{8, 0, 0, 0}, {6, 0, 1, 0}, {1, 0, -1, 0}}, 3, false), "displacement row 2: atomic number 6 where the structure has 1", "matrix ADM ... error in file "},
  {"RowWithAnExtraNumber", replaced(output(water(), 3), "\n     3   1", "   0.01\n     3   1"), "displacement row 2 of modes 1-3: 12 numbers, not 11"},
  {"RowCutShort", rowCutShort(), "displacement row 2 of modes 1-3: 10 numbers, not 11"},
  {"TooFewModes", output(methane(), 6), "table ends after 6 of 9 modes"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Files, DamagedTable, ::testing::ValuesIn(DamagedTableRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(Fresh, WholeTablesProjectedJobsHaveOneModeFewerAndJoinedJobsNameTheirTables) {
  FmtIn(*app, dir.write("p.log", output(methane(), 8, " #p hf/3-21g freq=projected\n")));
  EXPECT_FALSE(app->readFailed) << app->frm.Text3.text;
  EXPECT_EQ(app->m.NFrq, 8);
  // three jobs of the same structure: the first table is read, the log says so
  auto joined = newApp();
  FmtIn(*joined, dir.write("j.log", output(water(), 3) + output(water(), 3) + output(water(), 3)));
  EXPECT_FALSE(joined->readFailed) << joined->frm.Text3.text;
  EXPECT_TRUE(logHas(*joined, "frequency tables in the file: 3, the first one is read"));
}

TEST_F(Fresh, WholeTablesAStaleSummaryIsNamedAsKept) {
  auto kel = dir.write("s.kel", "Atomic orientation and masses\n  1  6  0 0 0  12\n");
  auto f = dir.write("s.log", output(methane(), 9));
  FmtIn(*app, f);
  EXPECT_FALSE(app->readFailed) << app->frm.Text3.text;
  EXPECT_EQ(slurp(kel), "Atomic orientation and masses\n  1  6  0 0 0  12\n");
  EXPECT_TRUE(logHas(*app, "file " + kel +
                               " kept as it is: it differs from what this read gives (it may "
                               "hold your own edits)"));
  // the summary this read writes itself is not named on the next read
  fs::remove(kel);
  FmtIn(*app, f);
  auto again = newApp();
  FmtIn(*again, f);
  EXPECT_FALSE(logHas(*again, "kept as it is"));
}

// --- the program's own summary file

std::string summaryOf(const std::vector<GAtom>& atoms, int modes) {
  TempDir dir;
  auto app = newApp();
  FmtIn(*app, dir.write("w.log", output(atoms, modes)));
  return slurp(dir.path() / "w.kel");
}

TEST_F(Fresh, OwnSummaryCutOrMalformedModeBlocksAreRefused) {
  const std::string kel = summaryOf(methane(), 9);
  ASSERT_FALSE(kel.empty());
  // six of nine mode blocks: the file ends after a whole mode
  std::size_t p = kel.find("F =");
  for (int k = 0; k < 6; ++k) p = kel.find("F =", p + 1);
  auto f = dir.write("c.kel", kel.substr(0, p));
  FmtIn(*app, f);
  EXPECT_TRUE(app->readFailed);
  EXPECT_EQ(app->frm.Text3.text, f + "  table ends after 6 of 9 modes");
  EXPECT_EQ(app->m.NFrq, 0);
  // one displacement fewer in the third mode
  std::size_t third = 0;
  for (int k = 0; k < 3; ++k) third = kel.find("F =", third + (k > 0 ? 1 : 0));
  const std::size_t rowEnd = kel.find('\n', kel.find('\n', third) + 1);
  std::string shortRow = kel;
  shortRow.erase(rowEnd - 7, 7);  // a field of four and the three blanks after it
  auto g = dir.write("r.kel", shortRow);
  FmtIn(*app, g);
  EXPECT_EQ(app->frm.Text3.text, g + "  mode 3: 14 displacements, not 15");
}

TEST_F(Fresh, OwnSummaryJoinedStructuresDeclareTheirModeCount) {
  // two waters joined hold 3 + 3 modes for six atoms (a whole table would have 12)
  FmtIn(*app, dir.write("b.log", output(water(5.0), 3)));
  FmtIn(*app, dir.write("a.log", output(water(), 3)));
  ASSERT_FALSE(app->readFailed) << app->frm.Text3.text;
  FmaKel(*app, (dir.path() / "b.kel").string());
  ASSERT_EQ(app->m.NFrq, 6);
  app->m.FilNam = (dir.path() / "joined").string();
  writeAutoKel(*app, "");
  EXPECT_NE(slurp(dir.path() / "joined.kel").find("\nnumber of modes = 6\n"), std::string::npos);
  auto back = newApp();
  FmtIn(*back, (dir.path() / "joined.kel").string());
  EXPECT_FALSE(back->readFailed) << back->frm.Text3.text;
  EXPECT_EQ(back->m.NAt, 6);
  EXPECT_EQ(back->m.NFrq, 6);
}

// --- capacity

TEST_F(Fresh, CapacityMoreThan480AtomsIsRefusedAndNothingIsWritten) {
  std::vector<GAtom> many;
  for (int i = 0; i < 481; ++i) many.push_back({1, 0.9 * i, 0, 0});
  auto f = dir.write("big.log", routeLine + orientationTable("Input", many));
  FmtIn(*app, f);
  EXPECT_TRUE(app->readFailed);
  EXPECT_EQ(app->frm.Text3.text, f + "  more than 480 atoms: the program holds at most 480");
  std::string kel = "Atomic orientation and masses\n";
  for (int i = 1; i <= 481; ++i) kel += std::to_string(i) + "  1  " + std::to_string(i) + " 0 0\n";
  auto g = dir.write("big.kel", kel);
  FmtIn(*app, g);
  EXPECT_EQ(app->frm.Text3.text, g + "  more than 480 atoms: the program holds at most 480");
  EXPECT_EQ(app->m.NAt, 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

// --- inputs are read-only

TEST(ReadOnlyInputs, EmptyFilesOfEveryKindStay) {
  TempDir dir;
  for (std::string ext : {".log", ".out", ".fmt", ".fchk", ".kel", ".xyz", ".pdb"}) {
    auto app = newApp();
    auto f = dir.write("e" + ext, "");
    FmtIn(*app, f);
    EXPECT_TRUE(app->readFailed) << ext;
    EXPECT_EQ(app->frm.Text3.text, "file " + f + " is empty") << ext;
    EXPECT_TRUE(fs::exists(f)) << ext;
  }
  // an empty structure to add, and an empty companion output beside a checkpoint
  auto app = newApp();
  FmtIn(*app, dir.write("w.log", output(water(), 3)));
  auto add = dir.write("add.kel", "");
  FmaKel(*app, add);
  EXPECT_TRUE(fs::exists(add));
  auto companion = dir.write("c.log", "");
  FmtIn(*app, dir.write("c.fchk",
                        "Atomic numbers   I   N=  3\n 8 1 1\nCurrent cartesian "
                        "coordinates   R   N=  9\n 0 0 0.2 0 1.4 -0.9 0 -1.4 -0.9\n"));
  EXPECT_FALSE(app->readFailed) << app->frm.Text3.text;
  EXPECT_TRUE(fs::exists(companion));
}

TEST_F(Fresh, ReadOnlyInputsASummaryWithRenumberingStaysByteForByte) {
  std::string kel = summaryOf(water(), 3) + "\n renum atoms\n 1 2\n 0\n";
  auto f = dir.write("r.kel", kel);
  auto time = fs::last_write_time(f);
  FmtIn(*app, f);
  EXPECT_EQ(app->m.RenDone, 1);
  EXPECT_EQ(slurp(f), kel);
  EXPECT_EQ(fs::last_write_time(f), time);
  EXPECT_FALSE(fs::exists(dir.path() / "r.ren.kel"));
  EXPECT_TRUE(fs::exists(dir.path() / "r1.kel"));
  EXPECT_TRUE(logHas(*app, "File " + (dir.path() / "r1.kel").string() + " was created"));
}

// --- energies, names, long lines, checkpoint arrays

TEST_F(Fresh, OutputsLowestOfPositiveEnergiesAndOutputsUnderAnyName) {
  std::string text = " Entering Gaussian System, Link 0=g16\n" + routeLine;
  const double energies[] = {0.25, 0.125, 0.5};
  for (int k = 0; k < 3; ++k)
    text += orientationTable("Input", water(10.0 * k)) + scfDone(energies[k]);
  app->we2.La2[0].value = app->we2.La2[1].value = false;
  app->we2.La2[2].value = true;
  auto f = dir.write("semi.log", text);
  FmtIn(*app, f);
  EXPECT_TRUE(logHas(*app, "Emin = .125 A.U.   orientacja nr 2"));
  EXPECT_DOUBLE_EQ(app->m.Xyz(1, 1), 10.0);
  // the same output saved as a text file: the geometry choice still applies
  auto txt = newApp();
  txt->we2.La2[0].value = false;
  txt->we2.La2[1].value = true;
  FmtIn(*txt, dir.write("semi.txt", text));
  EXPECT_FALSE(txt->readFailed) << txt->frm.Text3.text;
  EXPECT_DOUBLE_EQ(txt->m.Xyz(1, 1), 20.0);
}

TEST_F(Fresh, OutputsLongLinesTakeLinearTime) {
  // 8 MB of the letters that start the keys looked for, on one line each
  std::string text = routeLine;
  for (char c : {'a', 'o', 'h', 'r', 'A'})
    text += " " + std::string(std::size_t(1) << 21, c) + "\n";
  text += output(water(), 3);
  auto start = std::chrono::steady_clock::now();
  FmtIn(*app, dir.write("long.log", text));
  auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_FALSE(app->readFailed) << app->frm.Text3.text;
  EXPECT_EQ(app->m.NFrq, 3);
  EXPECT_LT(seconds, 10.0);  // a rescan of each line took minutes
}

TEST_F(Fresh, OutputsCutCheckpointArrayIsNamed) {
  auto f = dir.write("c.fchk",
                     "Atomic numbers   I   N=  3\n 8 1\nCurrent cartesian coordinates"
                     "   R   N=  9\n 0 0 0.2 0 1.4 -0.9 0 -1.4 -0.9\n");
  FmtIn(*app, f);
  EXPECT_TRUE(app->readFailed);
  EXPECT_EQ(app->frm.Text3.text, f + "  array cut off: Atomic numbers");
  EXPECT_EQ(app->erraCount, 0);
  auto g = dir.write("d.fchk",
                     "Atomic numbers   I   N=  3\n 8 1 1\nCurrent cartesian coordinates"
                     "   R   N=  9\n 0 0 0.2 0 1.4 -0.9\n");
  FmtIn(*app, g);
  EXPECT_EQ(app->frm.Text3.text, g + "  array cut off: Current cartesian coordinates");
}

// --- structure files whose own count disagrees

struct CountCase {
  const char* name;
  const char* file;
  const char* text;
  int declared, read;
};

class CountMismatch : public FreshApp, public ::testing::WithParamInterface<CountCase> {};

TEST_P(CountMismatch, KeepsTheAtomsAndFails) {
  const auto& c = GetParam();
  auto f = dir.write(c.file, c.text);
  fmtGeo(*app, f);
  EXPECT_TRUE(app->readFailed);
  EXPECT_EQ(app->m.NAt, c.read);
  EXPECT_EQ(app->frm.Text3.text, f + "  the file's count gives " + std::to_string(c.declared) +
                                     " atoms, " + std::to_string(c.read) + " were read");
}

// clang-format off
const CountCase CountMismatchRows[] = {
  {"Xyz", "w.xyz", "5\nwater\nO 0 0 0.117\nH 0 0.757 -0.469\nH 0 -0.757 -0.469\n", 5, 3},
  {"Mol2", "w.mol2", "@<TRIPOS>MOLECULE\nwater\n 4 2 0 0 0\nSMALL\n\n@<TRIPOS>ATOM\n" "1 O1 0.0 0.0 0.117 O.3 1 W 0\n2 H1 0.0 0.757 -0.469 H 1 W 0\n" "3 H2 0.0 -0.757 -0.469 H 1 W 0\n@<TRIPOS>BOND\n1 1 2 1\n2 1 3 1\n", 4, 3},
  {"Molfile", "w.mol", "water\n  prog\n\n  2  2  0  0  0  0  0  0  0  0999 V2000\n" "    0.0000    0.0000    0.1170 O   0  0\n" "    0.0000    0.7570   -0.4690 H   0  0\n" "    0.0000   -0.7570   -0.4690 H   0  0\nM  END\n", 2, 3},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Files, CountMismatch, ::testing::ValuesIn(CountMismatchRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace kel::testing
