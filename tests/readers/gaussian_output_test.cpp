// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/gaussian_output.hpp"

#include "gaussian_text.hpp"
#include "testing.hpp"
#include "writers/own_file.hpp"

#include <cmath>
#include <fstream>

namespace kel::testing {
namespace {

enum class Geo { First, Last, Emin };

void choose(App& app, Geo g) {
  app.we2.La2[0].value = g == Geo::First;
  app.we2.La2[1].value = g == Geo::Last;
  app.we2.La2[2].value = g == Geo::Emin;
}

using Out = FreshApp;

// --- which geometry

/// Three optimisation steps; table t of step k has its atoms shifted by 10 k + t.
std::string optimisation(bool standardTables, std::vector<double> energies, bool dipoleBlocks) {
  std::string s = routeLine;
  for (std::size_t k = 1; k <= energies.size(); ++k) {
    s += orientationTable("Input", water(10.0 * double(k)));
    if (standardTables) s += orientationTable("Standard", water(10.0 * double(k) + 1));
    s += scfDone(energies[k - 1]);
  }
  if (dipoleBlocks) {
    s += " Electric dipole moment (input orientation):\n (Debye = 10**-18 statcoulomb cm)\n"
         "                  (au)            (Debye)\n   Tot        0.1D+01      0.2D+01\n";
    s += " Dipole orientation:\n     8    0.0   0.0   0.22\n     1    0.0   1.43  -0.88\n"
         "     1    0.0  -1.43  -0.88\n\n";
  }
  return s;
}

struct ChoiceCase {
  const char* name;
  bool standardTables;
  std::vector<double> energies;
  bool dipoleBlocks;
  Geo geo;
  double x1;  // x of atom 1 in the table expected
  const char* file = "opt.log";
  const char* log = "";  // a line the log must hold
};

class GeometryChoice : public FreshApp, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(GeometryChoice, TakesTheRightTable) {
  const auto& c = GetParam();
  choose(*app, c.geo);
  auto f = dir.write(c.file, optimisation(c.standardTables, c.energies, c.dipoleBlocks));
  FmtIn(*app, f);
  ASSERT_FALSE(app->readFailed) << app->frm.Text3.text;
  EXPECT_EQ(app->m.NAt, 3);
  EXPECT_DOUBLE_EQ(app->m.Xyz(1, 1), c.x1);
  EXPECT_EQ(app->frm.Text3.text, f + " all is good");
  EXPECT_TRUE(!*c.log || hasLine(*app, c.log)) << c.log;
}

// clang-format off
const ChoiceCase GeometryChoiceRows[] = {
  {"bothFirst", true, {-1, -3, -2}, false, Geo::First, 11 - 1},
  {"bothLast", true, {-1, -3, -2}, false, Geo::Last, 31},
  {"bothEmin", true, {-1, -3, -2}, false, Geo::Emin, 21},
  {"inputOnlyLast", false, {-1, -3, -2}, false, Geo::Last, 30},
  {"inputOnlyEmin", false, {-1, -3, -2}, false, Geo::Emin, 20},
  {"inputOnlyEminFirstStep", false, {-5, -3, -2}, false, Geo::Emin, 10},
  {"tieTakesTheLater", true, {-1, -3, -3}, false, Geo::Emin, 31},
  {"dipoleBlocksAreNoTables", true, {-1, -3, -2}, true, Geo::Last, 31},
  {"formattedOutputGivesTheFirst", true, {-1, -3, -2}, false, Geo::Last, 10, "opt.fmt"},
  {"eminLogsEnergyAndTable", false, {-1, -3.5, -2}, false, Geo::Emin, 20, "opt.out", "Emin =-3.5 A.U.   orientacja nr 2"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Layouts, GeometryChoice, ::testing::ValuesIn(GeometryChoiceRows),
                         [](const auto& row) { return std::string(row.param.name); });

// --- table rows

TEST_F(Out, RowsOutOfSequenceAndDummiesArePassedOver) {
  std::string t =
      "                         Z-Matrix orientation:\n"
      " ---------------------------------------------------------------------\n"
      " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
      " Number     Number       Type             X           Y           Z\n"
      " ---------------------------------------------------------------------\n"
      "      1          6           0        0.000000    0.000000    0.000000\n"
      "      5          6           0        9.000000    9.000000    9.000000\n"
      "      2         -1           0        0.000000    1.000000    0.000000\n"
      "      3          1           0        0.000000    0.000000    1.090000\n"
      "    481          1           0        7.000000    7.000000    7.000000\n"
      "      4          8           0        1.200000    0.000000   -0.500000\n"
      " ---------------------------------------------------------------------\n";
  FmtIn(*app, dir.write("z.log", t));
  auto& m = app->m;
  ASSERT_EQ(m.NAt, 3);
  EXPECT_EQ(m.AtZ(2), 1);
  EXPECT_DOUBLE_EQ(m.Xyz(2, 3), 1.09);
  EXPECT_EQ(m.AtZ(3), 8);
  EXPECT_DOUBLE_EQ(m.Xyz(3, 1), 1.2);
  EXPECT_DOUBLE_EQ(m.AtMas(3), m.ElMas(8));
  EXPECT_TRUE(hasLine(*app, "Coordinates of  3 atoms have been read"));
  EXPECT_TRUE(hasLine(*app, "  3   8   O    1.200000    0.000000   -0.500000   15.994915"));
}

TEST_F(Out, TableWithoutTypeColumn) {
  FmtIn(*app, dir.write("s.log", orientationTable("Standard", water(), false)));
  ASSERT_EQ(app->m.NAt, 3);
  EXPECT_DOUBLE_EQ(app->m.Xyz(2, 2), 0.757);
  EXPECT_DOUBLE_EQ(app->m.Xyz(3, 3), -0.469);
}

// --- failures

struct FailureCase {
  const char* name;
  const char* file;
  std::string text;
  std::string text3;  // after the file name ("" = the message starts with it)
  std::string text4;
};

class Failure : public FreshApp, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(Failure, Reported) {
  const auto& c = GetParam();
  if (std::string_view(c.name) == "noEnergy") choose(*app, Geo::Emin);
  std::string f = c.text.empty() ? (dir.path() / c.file).string() : dir.write(c.file, c.text);
  FmtIn(*app, f);
  EXPECT_TRUE(app->readFailed);
  std::string expected = c.text3.rfind("file not found", 0) == 0 ? c.text3 + f : f + c.text3;
  EXPECT_EQ(app->frm.Text3.text, expected);
  EXPECT_EQ(app->frm.Text4.text, c.text4);
  if (fs::path(c.file).extension() != ".kel") {
    EXPECT_FALSE(fs::exists(dir.path() / (fs::path(c.file).stem().string() + ".kel")));
  }
  EXPECT_EQ(app->m.Sw(9), 0);
  EXPECT_EQ(app->erraCount, 0) << app->frm.Text4.text;
}

const std::string header =
    "                          Input orientation:\n"
    " ---------------------------------------------------------------------\n"
    " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
    " Number     Number       Type             X           Y           Z\n"
    " ---------------------------------------------------------------------\n";

// clang-format off
const FailureCase FailureRows[] = {
  {"missingFile", "none.log", "", "file not found: ", ""},
  {"noTable", "a.log", " Dipole orientation:\n     8  0 0 0\n\n\n\n", "  missing of line orient", "can't find line: Standard[Input] orientation"},
  {"noEnergy", "a.out", "nothing\n", "  missing of line a.u", "can't find line: E() = "},
  {"shortRow", "a.log", header + "      1          6           0        0.000000\n", "  Error: coordinate 1:       1          6           0        0.000000", ""},
  {"endOfFile", "a.log", header + "      1          6           0   0.0 0.0 0.0\n", "  ERROR: too small data", ""},
  {"noElement", "a.log", header + "      1         99           0   0.0 0.0 0.0\n", "  Error: atomic number 99: 1", ""},
  {"hugeElement", "a.log", header + "      1      1e300           0   0.0 0.0 0.0\n", "  Error: atomic number 1000000000: 1", ""},
  {"fmuTwoAtoms", "co.fmu", "Atomic numbers                             I   N=           2\n" "           6           8\n", "  Number of atoms  N=  2", ""},
  {"compactBadAtoms", "a.kel", "Atomic orientation and masses\n  1   6  0 0 0 12\n  3   1  0 0 1 1\n\n", "  Error while Coordinates reading", ""},
  {"atomNumberBeyondTheCapacity", "big.kel", "Atomic orientation and masses\n 999 6 0 0 0 12\n\n", "  more than 480 atoms: the program holds at most 480", ""},
  {"compactWithoutOrient", "a.kel", "Harmonic frequencies\n", "  missing of line orient", "can't find line: Atomic orientation and masses"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Messages, Failure, ::testing::ValuesIn(FailureRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(Out, UnreadableLength) {
  fs::create_directory(dir.path() / "d.log");
  auto f = (dir.path() / "d.log").string();
  FmtIn(*app, f);
  EXPECT_TRUE(app->readFailed);
  EXPECT_TRUE(hasLine(*app, "Error in file " + f));
}

TEST_F(Out, UnreadableFrqFileIsNoted) {
  auto frq = dir.write("w.frq", "no frequencies in here at all\n");
  FmtIn(*app, dir.write("w.log", orientationTable("Standard", water())));
  EXPECT_TRUE(app->readFailed);
  EXPECT_EQ(app->frm.Text3.text, frq + " ... error in file .frq");
  EXPECT_NE(app->frm.Text2.text.find(" ... error in file .frq"), std::string::npos);
}

TEST_F(Out, FrequenciesFromTheFrqFile) {
  auto frq = dir.write("w.frq", frequencyTable(water(), 3, false));
  FmtIn(*app, dir.write("w.log", orientationTable("Standard", water())));
  EXPECT_TRUE(hasLine(*app, "frequencies from file " + frq));
  EXPECT_DOUBLE_EQ(app->m.Frq(1), 300.25);
}

TEST_F(Out, WorkOnTheModesEndsWithTheReadHoweverItEnds) {
  // Work begun beside a read on its modes may read them until the read ends: the program is
  // told once that they were replaced and once that the read is over, also when a later step
  // of the read fails.
  const auto f = dir.write("w.log", routeLine + orientationTable("Standard", water()) +
                                        frequencyTable(water(), 3, true));
  int replaced = 0, settled = 0;
  app->hooks.modesReplaced = [&] { ++replaced; };
  app->hooks.modesSettled = [&] { ++settled; };
  FmtIn(*app, f);
  EXPECT_EQ(replaced, 1);
  EXPECT_EQ(settled, 1);
  app->hooks.connections = [](std::string&) { throw BasicError{61}; };  // Disk full
  FmtIn(*app, f);
  EXPECT_EQ(replaced, 2);
  EXPECT_EQ(settled, 2);
  EXPECT_NE(app->frm.Text4.text.find("ERROR 61"), std::string::npos) << app->frm.Text4.text;
}

TEST_F(Out, EmptyCompactBlock) {
  FmtIn(*app, dir.write("e.fmv", "Atomic orientation and masses\n\nHarmonic frequencies\n"));
  EXPECT_TRUE(app->readFailed);
  EXPECT_TRUE(hasLine(*app, "coordinates not found"));
}

TEST_F(Out, GaussianOutputUnderAnotherName) {
  choose(*app, Geo::Last);
  FmtIn(*app, dir.write("run.txt", optimisation(true, {-1, -3, -2}, false) +
                                       frequencyTable(water(31), 3, false)));
  ASSERT_FALSE(app->readFailed) << app->frm.Text3.text;
  EXPECT_DOUBLE_EQ(app->m.Xyz(1, 1), 10);  // read as a formatted output: the first table
  EXPECT_DOUBLE_EQ(app->m.Xyz(2, 2), 0.757);
  EXPECT_EQ(app->m.NFrq, 3);
}

TEST_F(Out, StructureNamesNeverReachTheOutputReader) {
  FmtIn(*app, dir.write("w.xyz", routeLine + orientationTable("Input", water()) +
                                     frequencyTable(water(), 3, false)));
  EXPECT_FALSE(hasLine(*app, "Coordinates of  3 atoms have been read"));
  EXPECT_FALSE(fs::exists(dir.path() / "w.kel"));
}

// --- formatted checkpoints

std::string checkpoint(int n, double firstX) {
  std::string s =
      "Title\nSP        RB3LYP                                                      6-31G\n";
  s += "Number of atoms                            I                " + std::to_string(n) + "\n";
  s += "Atomic numbers                             I   N=" + std::to_string(n) + "\n";
  for (int i = 1; i <= n; ++i) s += (i % 6 == 0 || i == n) ? "           1\n" : "           1";
  s += "Nuclear charges                            R   N=" + std::to_string(n) + "\n  1.0\n";
  s += "Current cartesian coordinates              R   N=" + std::to_string(3 * n) + "\n";
  char buf[40];
  for (int i = 0; i < 3 * n; ++i) {
    std::snprintf(buf, sizeof buf, " %15.8E", i == 0 ? firstX : 1.889726 * (i % 7));
    s += buf;
    if (i % 5 == 4 || i == 3 * n - 1) s += "\n";
  }
  return s;
}

TEST_F(Out, CheckpointWithMostAtoms) {
  FmtIn(*app, dir.write("big.fmu", checkpoint(480, 1.889726e-17)));
  ASSERT_FALSE(app->readFailed) << app->frm.Text3.text;
  auto& m = app->m;
  EXPECT_EQ(m.NAt, 480);
  EXPECT_EQ(m.Xyz(1, 1), 0.0);  // 1e-17 angstrom is cut to zero
  EXPECT_NEAR(m.Xyz(1, 2), 1.0, 1e-12);
  EXPECT_NEAR(m.Xyz(480, 3), double((3 * 480 - 1) % 7), 1e-12);
  EXPECT_EQ(m.AtZ(480), 1);
  EXPECT_DOUBLE_EQ(m.AtMas0(7), m.ElMas(1));
}

TEST(FmtIn, CheckpointUnderItsUsualNames) {
  for (const char* name : {"w.fchk", "w.fch", "W.FCHK"}) {
    TempDir dir;
    auto app = newApp();
    FmtIn(*app, dir.write(name, checkpoint(3, 0.0)));
    EXPECT_EQ(app->m.NAt, 3) << name;
    EXPECT_FALSE(app->readFailed) << name;
  }
}

// --- modes, masses and the summary file

std::string fullOutput(const std::vector<double>& masses) {
  return routeLine + orientationTable("Input", water()) + orientationTable("Standard", water(0.5)) +
         scfDone(-76.4) + frequencyTable(water(0.5), 3, true) + massLines(water(), masses);
}

TEST_F(Out, OutputWithModesWritesTheSummaryOnce) {
  auto f = dir.write("w.log", fullOutput({15.99491, 1.00783, 1.00783}));
  FmtIn(*app, f);
  auto& m = app->m;
  ASSERT_FALSE(app->readFailed) << app->frm.Text3.text;
  EXPECT_EQ(m.NFrq, 3);
  EXPECT_DOUBLE_EQ(m.Frq(1), 300.25);
  EXPECT_NE(m.Sw(90), 0);
  EXPECT_DOUBLE_EQ(m.Par(56), double(1.0f / 3.0f));
  EXPECT_DOUBLE_EQ(m.InvMas(4), 1.0 / m.ElMas(1));
  std::string kel = (dir.path() / "w.kel").string();
  auto text = slurp(kel);
  auto lines = linesOf(text);
  ASSERT_GE(lines.size(), 13u);
  EXPECT_EQ(lines[0], " #p b3lyp/6-31g(d) opt freq");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "Atomic orientation and masses");
  EXPECT_EQ(lines[3], "  1   8    0.50000000    0.00000000    0.11700000     15.99491460");
  EXPECT_EQ(lines[8], "Harmonic frequencies");
  EXPECT_EQ(lines[9], "F = 300.25   IR =   3.50   RA =  30.00   S = A1");
  EXPECT_TRUE(hasLine(*app, "File " + kel + " was created"));
  EXPECT_TRUE(hasLine(*app, "atom displacement matrix ADM has been read from file " + f));
  // A second read leaves the file alone.
  std::ofstream(kel, std::ios::app) << "kept\n";
  auto again = newApp();
  FmtIn(*again, f);
  EXPECT_EQ(slurp(kel), text + "kept\n");
}

TEST_F(Out, ModesFromTheCompanionOutput) {
  // the ".fmt" holds the geometry only; the modes come from the ".log" beside it
  dir.write("job.log", frequencyTable(water(), 3, false));
  FmtIn(*app, dir.write("job.fmt", orientationTable("Standard", water())));
  EXPECT_EQ(app->m.NFrq, 3);
  EXPECT_TRUE(hasLine(*app, "atom displacement matrix ADM has been read from file " +
                                (dir.path() / "job.log").string()));
}

TEST_F(Out, DiatomicReadsItsMode) {
  std::vector<GAtom> h2{{1, 0, 0, 0.37}, {1, 0, 0, -0.37}};
  FmtIn(*app, dir.write("h2.log", orientationTable("Input", h2) + frequencyTable(h2, 1, false)));
  EXPECT_EQ(app->erraCount, 0) << app->frm.Text4.text;
  EXPECT_EQ(app->m.NFrq, 1);
  EXPECT_EQ(app->m.Par(56), 0.0);
}

TEST_F(Out, IsotopeMassesReplaceTheTableAndTheCompactFileReadsBack) {
  FmtIn(*app, dir.write("w.log", fullOutput({15.99491, 2.01410, 1.00783})));
  EXPECT_DOUBLE_EQ(app->m.AtMas(2), 2.0141);
  EXPECT_DOUBLE_EQ(app->m.InvMas(4), 1.0 / 2.0141);
  auto back = newApp();
  FmtIn(*back, (dir.path() / "w.kel").string());
  ASSERT_FALSE(back->readFailed) << back->frm.Text3.text;
  auto &a = app->m, &b = back->m;
  ASSERT_EQ(b.NAt, a.NAt);
  ASSERT_EQ(b.NFrq, a.NFrq);
  EXPECT_EQ(b.RaInt(0), 3);
  for (int i = 1; i <= a.NAt; ++i) {
    EXPECT_EQ(b.AtZ(i), a.AtZ(i));
    EXPECT_NEAR(b.AtMas(i), a.AtMas(i), 1e-8);
    for (int k = 1; k <= 3; ++k) EXPECT_NEAR(b.Xyz(i, k), a.Xyz(i, k), 1e-8);
  }
  for (int j = 1; j <= a.NFrq; ++j) {
    EXPECT_NEAR(b.Frq(j), a.Frq(j), 0.005);
    EXPECT_EQ(b.FrqSym(j), a.FrqSym(j));
    for (int i = 1; i <= a.NAt; ++i)
      for (int k = 1; k <= 3; ++k) EXPECT_EQ(b.ModeD(j, i, k), a.ModeD(j, i, k));
  }
}

TEST(FmtIn, TruncatedFilesEndWithAMessage) {
  const std::string full = fullOutput({15.99491, 2.01410, 1.00783});
  for (std::size_t cut = 0; cut < full.size(); cut += 53) {
    for (Geo g : {Geo::First, Geo::Last, Geo::Emin}) {
      TempDir dir;
      auto app = newApp();
      choose(*app, g);
      auto f = dir.write("t.log", full.substr(0, cut));
      FmtIn(*app, f);
      EXPECT_EQ(app->m.Sw(9), 0);
      if (app->readFailed) {
        EXPECT_TRUE(!app->frm.Text3.text.empty() || app->erraCount > 0 ||
                    !app->frm.Text2.text.empty())
            << cut;
      } else {
        EXPECT_EQ(app->frm.Text3.text, f + " all is good") << cut;
      }
    }
  }
}

TEST(FmtIn, TruncatedCompactFilesEndWithAMessage) {
  std::string kel;
  {
    TempDir dir;
    auto app = newApp();
    FmtIn(*app, dir.write("w.log", fullOutput({15.99491, 2.01410, 1.00783})));
    kel = slurp(dir.path() / "w.kel");
  }
  ASSERT_FALSE(kel.empty());
  for (std::size_t cut = 0; cut < kel.size(); cut += 17) {
    TempDir dir;
    auto app = newApp();
    auto f = dir.write("t.kel", kel.substr(0, cut));
    FmtIn(*app, f);
    // a record cut inside its numbers is input past the end of the file
    if (app->erraCount > 0) {
      EXPECT_NE(app->frm.Text4.text.find("ERROR 62"), std::string::npos) << cut;
      EXPECT_TRUE(app->readFailed);
    }
    if (!app->readFailed) {
      EXPECT_GE(app->m.NAt, 1) << cut;
    }
    EXPECT_LE(app->m.NFrq, 3) << cut;
  }
}

// --- the automatic summary and renumbered atoms

TEST_F(Out, WriteAutoKelRenumberedAtomsKeepTheOldFileOnce) {
  FmtIn(*app, dir.write("w.log", fullOutput({15.99491, 1.00783, 1.00783})));
  auto kel = dir.path() / "w.kel";
  auto backup = dir.path() / "w.ren.kel";
  std::ofstream(kel, std::ios::trunc) << "old\n";
  app->m.RenDone = 0;
  writeAutoKel(*app, "");
  EXPECT_EQ(slurp(kel), "old\n");
  app->m.RenDone = 1;
  writeAutoKel(*app, "");
  EXPECT_EQ(slurp(backup), "old\n");
  EXPECT_NE(slurp(kel), "old\n");
  EXPECT_TRUE(hasLine(*app, "old file " + kel.string() + " renamed as " + backup.string()));
  // with the backup there, nothing more is written
  std::ofstream(kel, std::ios::trunc) << "new\n";
  writeAutoKel(*app, "");
  EXPECT_EQ(slurp(kel), "new\n");
  EXPECT_EQ(slurp(backup), "old\n");
}

TEST_F(Out, RenumberingInTheTitleSwapsAtomsAndModesAndKeepsTheOldSummary) {
  // The title carries the instructions; they reappear in the output.
  std::string text = routeLine + "\n renum atoms\n 1 2\n 0\n scaling factor = 0.98 x 5\n" +
                     orientationTable("Input", water()) + orientationTable("Standard", water()) +
                     scfDone(-76.4) + frequencyTable(water(), 3, true) +
                     massLines(water(), {15.99491, 1.00783, 1.00783});
  auto f = dir.write("r.log", text);
  auto plain = newApp();
  FmtIn(*plain, dir.write("p.log", fullOutput({15.99491, 1.00783, 1.00783})));
  FmtIn(*app, f);
  auto& m = app->m;
  ASSERT_FALSE(app->readFailed) << app->frm.Text3.text;
  EXPECT_EQ(m.RenDone, 1);
  EXPECT_EQ(m.AtZ(1), 1);  // the oxygen is atom 2 now
  EXPECT_EQ(m.AtZ(2), 8);
  EXPECT_DOUBLE_EQ(m.Xyz(1, 2), 0.757);
  EXPECT_NE(m.Sw(114), 0);
  EXPECT_DOUBLE_EQ(m.Par(15), 0.98);
  EXPECT_DOUBLE_EQ(m.Par(16), 5);
  for (int c = 1; c <= 3; ++c) {  // the displacement rows moved with their atoms
    EXPECT_EQ(m.ModeD(1, 1, c), plain->m.ModeD(1, 2, c)) << c;
    EXPECT_EQ(m.ModeD(2, 2, c), plain->m.ModeD(2, 1, c)) << c;
  }
  EXPECT_TRUE(hasLine(*app, "command: renum atoms  1"));
  EXPECT_TRUE(hasLine(*app, " 1 renum definitions has been read"));
  auto kel = dir.path() / "r.kel";
  auto backup = dir.path() / "r.ren.kel";
  std::string first = slurp(kel);
  EXPECT_NE(first.find("frequency scaling factor =  .98 *x + 5"), std::string::npos) << first;
  // A second read of the renumbered output keeps the first summary under the backup name.
  auto again = newApp();
  FmtIn(*again, f);
  EXPECT_EQ(slurp(backup), first);
  EXPECT_TRUE(std::filesystem::exists(kel));
}

// --- real outputs

struct RealCase {
  const char* file;
  Geo geo;
  int atoms;
  int modes;
  double x1;        // x of atom 1
  double mode1;     // the last frequency of the output
  double modeLast;  // the first frequency of the output
  double ir1, raman1;
  const char* label1;
  const char* refused = "";  // the reason after the file's name when the read fails
};

class RealOutput : public FreshApp, public ::testing::WithParamInterface<RealCase> {};

TEST_P(RealOutput, Reads) {
  const auto& c = GetParam();
  auto src = shared(c.file);
  KEL_NEED_SHARED(src);
  choose(*app, c.geo);
  auto f = dir.copy(src);
  FmtIn(*app, f);
  auto& m = app->m;
  if (*c.refused) {  // no modes and no summary
    EXPECT_EQ(app->frm.Text3.text, f + c.refused);
    EXPECT_TRUE(app->readFailed);
    EXPECT_TRUE(c.atoms < 0 || m.NAt == c.atoms);
    EXPECT_EQ(m.NFrq, 0);
    EXPECT_FALSE(fs::exists(fs::path(f).replace_extension(".kel")));
    return;
  }
  ASSERT_FALSE(app->readFailed) << app->frm.Text3.text;
  EXPECT_EQ(app->erraCount, 0) << app->frm.Text4.text;
  EXPECT_EQ(m.NAt, c.atoms);
  EXPECT_NEAR(m.Xyz(1, 1), c.x1, 1e-9);
  ASSERT_EQ(m.NFrq, c.modes);
  if (c.modes == 0) return;
  EXPECT_NEAR(m.Frq(1), c.mode1, 1e-9);
  EXPECT_NEAR(m.Frq(m.NFrq), c.modeLast, 1e-9);
  EXPECT_NEAR(m.IrInt(1), c.ir1, 1e-9);
  EXPECT_NEAR(m.RaInt(1), c.raman1, 1e-9);
  EXPECT_EQ(m.FrqSym(1), c.label1);
}

std::string realName(const ::testing::TestParamInfo<RealCase>& info) {
  std::string s = fs::path(info.param.file).stem().string() + "_" +
                  fs::path(info.param.file).parent_path().filename().string() +
                  (info.param.geo == Geo::First  ? "_first"
                   : info.param.geo == Geo::Last ? "_last"
                                                 : "_emin");
  for (char& ch : s)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return s;
}

// clang-format off
const RealCase RealOutputRows[] = {
  // old build: no leading zeros, a dummy atom in the Z-matrix tables, overflowed fields
  {"gaussian/g03/NIST_CCCBDB_1himidaz_m1b1.out", Geo::Last, 6, 12, 0.0, 28769.0193, 409.3038, 0, 0, "?A"},
  {"gaussian/g03/dvb_gopt_symmfollow.log", Geo::Last, 20, 0, -0.241622, 0, 0, 0, 0, ""},
  {"gaussian/g03/dvb_gopt_symmfollow.log", Geo::Emin, 20, 0, -0.241622, 0, 0, 0, 0, ""},
  {"gaussian/g03/dvb_ir.out", Geo::Last, 20, 54, 0.269481, 3549.7034, 52.7881, 0, 0, "AG"},
  {"gaussian/g03/maheshkumar.log", Geo::Last, 26, 0, -3.306416, 0, 0, 0, 0, ""},
  // five jobs in one file: the first frequency table is read
  {"gaussian/g03/methane_61-65_2.log", Geo::Last, 5, 9, 0.0, 3132.9698, 1393.3846, 37.6680, 0, "T2"},
  {"gaussian/g03/methane_65_3.out", Geo::Last, 5, 9, 0.0, 3132.1198, 1085.6023, 36.6227, 0, "?A"},
  {"gaussian/g09/Al_298K.out", Geo::Last, 1, 0, 0.0, 0, 0, 0, 0, ""},
  {"gaussian/g09/dvb_ir.out", Geo::Last, 20, 54, 0.269481, 3549.7032, 52.7882, 0, 0, "AG"},
  {"gaussian/g09/dvb_ir_revA.02.out", Geo::Last, 20, 54, 0.269481, 3549.7032, 52.7882, 0, 0, "AG"},
  {"gaussian/g09/dvb_raman.out", Geo::Last, 20, 54, 0.269481, 3549.7034, 52.7880, 0, 137.4724, "AG"},
  {"gaussian/g09/irc_point.log", Geo::Emin, 6, 11, 0.027792, 3632.4814, 203.4068, 5.3260, 21.6895, "A"},
  {"gaussian/g09/methylaniline.out", Geo::Emin, 17, 45, -2.838544, 3517.6928, 100.6668, 7.3727, 0, "A"},
  {"gaussian/g16/aminox_cat_conf212_S.log", Geo::First, 24, 66, 1.5153, 3777.1979, 14.7084, 178.8568, 0, "A"},
  {"gaussian/g16/dvb_ir_G16C01.out", Geo::Last, 20, 54, 0.26944, 3548.2843, 53.2048, 0, 0, "AG"},
  {"gaussian/g16/dvb_raman.out", Geo::First, 20, 54, 0.0, 3548.4260, 53.1117, 0, 137.6843, "AG"},
  {"gaussian/g16/ethane.out", Geo::First, 8, 18, -3.656598, 3122.1439, 315.0727, 73.8539, 0, "E"},
  {"gaussian/g16/methane_normal.out", Geo::Emin, 5, 9, 0.0, 3119.6807, 1411.5176, 26.1449, 0, "A"},
  {"gaussian/g16/mp2_avdz_freq_tight.log", Geo::Last, 21, 57, 0.004177, 3901.5061, 42.7693, 145.3423, 0, "A"},
  {"gaussian/g16/water_neutral_nbo_opt_freq.out", Geo::Last, 3, 3, 0.0, 4392.5759, 2169.7613, 29.9428, 21.5409, "B2"},
  {"gaussian/g98/test_H2.log", Geo::Last, 2, 1, 0.0, -1407.9574, -1407.9574, 0, 445.3520, "SGG"},
  {"fchk/g03/water_sto3g_hf_g03.fchk", Geo::Last, 3, 0, 0.0, 0, 0, 0, 0, ""},
  {"fchk/g16/Mo4OCl4-sp.fchk", Geo::Last, 6, 0, 1.14423578e-05 / 1.889726, 0, 0, 0, 0, ""},
  // a checkpoint of a frequency job gives its own modes (Vib-E2, Vib-Modes)
  {"fchk/g16/dvb_ir.fchk", Geo::Last, 20, 54, 5.09177602e-01 / 1.889726, 3548.33202, 53.1980918, 2.15655626e-15, 0, "?"},
  // the last table is a methane of a later job: the ethane modes do not fit it
  {"gaussian/g16/ethane.out", Geo::Last, 5, 0, 0, 0, 0, 0, 0, "", "  modes of 8 atoms, structure of 5 atoms"},
  {"fchk/g09/CO_TD_delta.fchk", Geo::Last, -1, 0, 0, 0, 0, 0, 0, "", "  Number of atoms  N=  2"},
  {"fchk/g16/peroxide_opt.fchk", Geo::Last, 4, 0, -2.98372438e-16 / 1.889726, 0, 0, 0, 0, ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Files, RealOutput, ::testing::ValuesIn(RealOutputRows), realName);

TEST_F(Out, RealOutputDeuteriumMassesFromTheMassLines) {
  auto src = shared("gaussian/g03/methane_65_3.out");
  KEL_NEED_SHARED(src);
  FmtIn(*app, dir.copy(src));
  EXPECT_DOUBLE_EQ(app->m.AtMas(2), 2.0141);
  EXPECT_DOUBLE_EQ(app->m.AtMas(3), 2.0141);
  EXPECT_DOUBLE_EQ(app->m.AtMas(4), 1.00783);
  EXPECT_EQ(app->m.AtZ(2), 1);
}

TEST_F(Out, RealOutputLargestGeneratedOutputRoundTrips) {
  auto src = shared("generated/gen_n480_raman_masses_opt3.log");
  KEL_NEED_SHARED(src);
  FmtIn(*app, dir.copy(src));
  auto& a = app->m;
  ASSERT_EQ(a.NAt, 480);
  ASSERT_EQ(a.NFrq, 1434);
  EXPECT_NEAR(a.Frq(a.NFrq), 14.0293, 1e-9);
  EXPECT_EQ(a.RaInt(0), 1434);
  auto back = newApp();
  FmtIn(*back, (dir.path() / "gen_n480_raman_masses_opt3.kel").string());
  auto& b = back->m;
  ASSERT_EQ(b.NAt, 480);
  ASSERT_EQ(b.NFrq, 1434);
  int differences = 0;
  for (int j = 1; j <= a.NFrq; ++j) {
    differences += std::fabs(b.Frq(j) - a.Frq(j)) > 0.005 + 1e-9;
    differences += std::fabs(b.IrInt(j) - a.IrInt(j)) > 0.005 + 1e-9;
    differences += std::fabs(b.RaInt(j) - a.RaInt(j)) > 0.005 + 1e-9;
    differences += b.FrqSym(j) != a.FrqSym(j);
    for (int i = 1; i <= a.NAt; ++i)
      for (int k = 1; k <= 3; ++k) differences += b.ModeD(j, i, k) != a.ModeD(j, i, k);
  }
  for (int i = 1; i <= a.NAt; ++i) {
    differences += std::fabs(b.AtMas(i) - a.AtMas(i)) > 5e-9;
    for (int k = 1; k <= 3; ++k) differences += std::fabs(b.Xyz(i, k) - a.Xyz(i, k)) > 5e-9;
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace kel::testing
