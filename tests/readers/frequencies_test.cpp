// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/frequencies.hpp"

#include "base/convert.hpp"
#include "gaussian_text.hpp"
#include "readers/block_index.hpp"
#include "readers/text_scan.hpp"
#include "testing.hpp"

namespace kel::testing {
namespace {

void setModel(App& app, const std::vector<GAtom>& atoms) {
  std::vector<std::array<double, 4>> rows;
  for (const auto& a : atoms) rows.push_back({double(a.z), a.x, a.y, a.zc});
  putAtoms(app.m, rows);
}

std::vector<GAtom> hcn() {
  return {{1, 0, 0, -1.6}, {6, 0, 0, -0.5}, {7, 0, 0, 0.6}};
}

/// A program holding a structure, with its inputs written in a fresh folder.
struct Freq : ::testing::Test {
  TempDir dir;
  std::unique_ptr<App> app = newApp();
  ModKel& m = app->m;
  /// Reads the modes of text for the structure atoms; returns the status.
  int remw(const std::vector<GAtom>& atoms, const std::string& text, int modes, int ier = 0) {
    setModel(*app, atoms);
    ReMW(*app, dir.write("f.log", text), modes, ier);
    return ier;
  }
  /// Opens text as input unit 1 (the compact summary readers read from it).
  void open(const std::string& text) { app->files.openInput(1, dir.write("c.kel", text)); }
};

// --- Gaussian frequency tables

TEST_F(Freq, WaterModesReversedWithRamanAndDisplacements) {
  ASSERT_EQ(remw(water(), routeLine + frequencyTable(water(), 3, true), 3, 5), -1);
  EXPECT_EQ(m.NFrq, 3);
  EXPECT_NE(m.Sw(35), 0);
  // mode 1 is the last frequency of the file
  EXPECT_DOUBLE_EQ(m.Frq(1), 300.25);
  EXPECT_DOUBLE_EQ(m.Frq(3), 100.25);
  EXPECT_DOUBLE_EQ(m.IrInt(1), 3.5);
  EXPECT_DOUBLE_EQ(m.RaInt(1), 30.0);
  EXPECT_EQ(m.RaInt(0), 3);
  EXPECT_EQ(m.FrqSym(1), "A1");
  EXPECT_EQ(m.FrqSym(3), "B2");
  for (int mode = 1; mode <= 3; ++mode)
    for (int a = 1; a <= 3; ++a)
      for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(m.ModeD(mode, a, c), CInt(displacement(4 - mode, a, c) * 100))
            << mode << " " << a << " " << c;
}

TEST_F(Freq, WithoutRamanHighPrecisionBlockPassedOverFirstTableOnly) {
  // a second job prints another table: its modes are not added to the first
  m.RaInt(0) = 77;
  std::string one = frequencyTable(water(), 3, false);
  ASSERT_EQ(remw(water(), frequencyTable(water(), 3, false, true) + one, 3), -1);
  EXPECT_EQ(m.NFrq, 3);
  EXPECT_DOUBLE_EQ(m.Frq(3), 100.25);
  EXPECT_DOUBLE_EQ(m.IrInt(3), 1.5);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(m.RaInt(i), 0);
  EXPECT_EQ(m.RaInt(0), 77);
}

TEST_F(Freq, ElementMismatchEndsWithoutModes) {
  setModel(*app, water());
  m.AtZ(2) = 6;
  int ier = 0;
  ReMW(*app, dir.write("w.log", frequencyTable(water(), 3, true)), 3, ier);
  EXPECT_EQ(ier, 1);
  EXPECT_EQ(m.NFrq, 0);
  EXPECT_EQ(m.Sw(35), 0);
}

TEST_F(Freq, NoTableIsStatusZeroAndAMissingFileLeavesTheStatus) {
  EXPECT_EQ(remw(water(), routeLine + orientationTable("Input", water()), 3, 9), 0);
  int ier = 9;
  ReMW(*app, (dir.path() / "none.log").string(), 3, ier);
  EXPECT_EQ(ier, 9);
}

TEST_F(Freq, LinearMoleculeKeepsItsLastMode) {
  ASSERT_EQ(remw(hcn(), frequencyTable(hcn(), 4, true), 3 * 3 - 5), -1);
  EXPECT_EQ(m.NFrq, 4);
  EXPECT_DOUBLE_EQ(m.Frq(1), 400.25);
  EXPECT_DOUBLE_EQ(m.Frq(4), 100.25);
  EXPECT_EQ(m.ModeD(1, 3, 2), CInt(displacement(4, 3, 2) * 100));
}

/// Everything a read of a mode table leaves: status, reason, counts and every table place.
std::string modeTables(const ModKel& m, int ier, const ModeRead& r) {
  std::string s = Str(ier) + "|" + r.problem + "|" + Str(r.tables) + "|" + Str(m.NFrq) + "|" +
                  Str(m.Sw(sw::ModesHeld)) + "\n";
  for (int k = 0; k <= MaxFrq; ++k) {
    s += Str(m.Frq(k)) + Str(m.IrInt(k)) + Str(m.RaInt(k)) + m.FrqSym(k);
    for (int a = 1; a <= m.NAt; ++a)
      for (int c = 1; c <= 3; ++c) s += " " + Str(m.ModeD(k, a, c));
    s += "\n";
  }
  return s;
}

TEST_F(Freq, LargeTableReadInTwoHalvesAsInOne) {
  // A table of 68 groups is read in two halves when the file's index lists its groups; the
  // model must end the same as when it is read in one, for whole and damaged tables.
  std::vector<GAtom> atoms;
  for (int a = 0; a < 70; ++a) atoms.push_back({a % 3 ? 1 : 6, 0.1 * a, 0.2 * (a % 7), 0.3});
  const std::string whole = frequencyTable(atoms, 204, true);
  const std::string footer = " -------------------\n - Thermochemistry -";
  auto groups = [&](int n) {  // the groups of a table of n modes, without title and footer
    const std::string t = frequencyTable(atoms, n, true);
    const auto from = t.find("normal coordinates:\n") + 21;
    return t.substr(from, t.find(footer) - from);
  };
  auto start = [&](int g) {  // where group g (0..) begins: its number line
    std::size_t at = 0;
    for (int k = 0; k <= g && at != std::string::npos; ++k)
      at = whole.find("Frequencies --", at + 1);
    if (at == std::string::npos) return whole.find(footer);
    for (int up = 0; up < 3; ++up) at = whole.rfind('\n', at - 1);
    return at + 1;
  };
  auto edited = [&](int g, int row, std::string_view with) {  // row of group g from column 6
    std::string t = whole;
    std::size_t p = t.find("  Atom  AN", start(g));
    for (int r = 0; r <= row; ++r) p = t.find('\n', p) + 1;
    t.replace(p + 6, with.size(), with);
    return t;
  };
  const auto at10 = start(10);
  const std::string group10 = whole.substr(at10, start(11) - at10);
  const auto titleEnd = whole.find("normal coordinates:\n") + 21;
  // Texts and the modes expected; the first six are refused. A group more makes the first
  // half read past the second's start; a group of two modes (the seventh) moves the split.
  const std::vector<std::pair<std::string, int>> texts = {
      {whole, 204},
      {edited(50, 9, "  99"), 204},                // a row of the second half
      {edited(33, 69, "  99"), 204},               // the last row before the split
      {edited(34, 0, "   9"), 204},                // the first row after it
      {whole.substr(0, start(60) + 2000), 204},    // cut in the second half
      {whole.substr(0, whole.find(footer)), 204},  // cut after the last group
      {std::string(whole).erase(at10, group10.size()), 150},
      {std::string(whole).insert(at10, group10), 204},
      {whole.substr(0, titleEnd) + groups(20) + groups(183) + footer + "\n", 150},
      {whole + whole, 204},  // a second table, only counted
  };
  for (std::size_t t = 0; t < texts.size(); ++t) {
    const std::string path = dir.write("t.log", routeLine + texts[t].first);
    const BlockIndex index(path);
    std::string got[2];
    for (int indexed = 0; indexed < 2; ++indexed) {
      setModel(*app, atoms);
      int ier = 0;
      ModeRead r;
      ReMW(*app, path, texts[t].second, ier, &r, indexed ? &index : nullptr);
      got[indexed] = modeTables(m, ier, r);
    }
    EXPECT_EQ(got[1], got[0]) << "text " << t;
    EXPECT_EQ(got[0].substr(0, 2) == "-1", t == 0 || t >= 6) << "text " << t << ": " << got[0];
  }
}

TEST(ThreeValues, CutAtFourBlanks) {
  double v[3];
  EXPECT_EQ(scan::threeValues(
                " Frequencies --     85.2547               241.1418               306.5348", v),
            3);
  EXPECT_DOUBLE_EQ(v[2], 306.5348);
  EXPECT_EQ(scan::threeValues(" Raman Activ --***********            ***********", v), 2);
  EXPECT_DOUBLE_EQ(v[0], 0.0);
  EXPECT_EQ(scan::threeValues(" Frequencies -- -1407.9574", v), 1);
  EXPECT_DOUBLE_EQ(v[0], -1407.9574);
}

// --- compact blocks

TEST(ReCoo, StatusAndCount) {
  struct Row {
    const char* text;
    int ier, la;
  } rows[] = {{"  1   8  0 0 0  15.9949\n  2   1  0 0 1  0\n\n\nHarmonic frequencies\n", 0, 2},
              {"0 0\n  1   8  0 0 0  15.9949\n", 0, 1},            // leading zeros
              {"1 8 0 0 0 16\n2 1 0 0 1 1\n4 1 0 1 0 1\n", 4, 3},  // a gap
              {"1 8 0 0 0 16\n-2 1 0 0 1 1\n", 2, 1},              // a negative number
              {"1 99 0 0 0 16\n", 3, 1},                           // no such element
              {"\n\nHarmonic frequencies\n", 1, 0}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    TempDir dir;
    auto app = newApp();
    // a larger model before must not hide a missing atom number
    app->m.NAt = 6;
    for (int i = 1; i <= 6; ++i) setAtom(app->m, i, 6);
    app->files.openInput(1, dir.write("c.kel", r.text));
    int la = -1, ier = -9;
    ReCoo(*app, 1, la, ier);
    EXPECT_EQ(ier, r.ier);
    EXPECT_EQ(la, r.la);
  }
}

TEST_F(Freq, ReCooTakesTheMassFromTheLineOrTheElementTable) {
  open("  1   1   0.5 -1.25 2  2.01410178\n  2   8  1,2,3\n  3 6 0 0 0 -1\n");
  int la = 0, ier = 0;
  ReCoo(*app, 1, la, ier);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(la, 3);
  EXPECT_DOUBLE_EQ(m.AtMas(1), 2.01410178);
  EXPECT_DOUBLE_EQ(m.Xyz(1, 2), -1.25);
  EXPECT_DOUBLE_EQ(m.AtMas(2), m.ElMas(8));
  EXPECT_DOUBLE_EQ(m.Xyz(2, 3), 3.0);
  EXPECT_DOUBLE_EQ(m.AtMas(3), 12.0);
  EXPECT_EQ(m.AtLab(1), " H");
}

TEST_F(Freq, ReCo1AppendsAfterTheAtomsHeld) {
  setModel(*app, water());
  open("1 6 1 1 1 12\n2 1 2 2 2 0\n\n");
  int la = 3, ier = 0;
  ReCo1(*app, 1, la, ier);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(la, 5);
  EXPECT_EQ(m.NAt, 5);
  EXPECT_EQ(m.AtZ(4), 6);
  EXPECT_EQ(m.AtZ(1), 8);
  EXPECT_DOUBLE_EQ(m.Xyz(5, 1), 2.0);
}

constexpr const char* TwoModes =
    "Harmonic frequencies\n"
    "F =3000.12   IR =  12.50   RA =   3.25   S = A1\n"
    "   1   2   3     -4  -5  -6   \n"
    "F =1000.00   IR =   0.00   S = B2\n"
    "   7   8   9     10  11  12   \n";

TEST_F(Freq, ReMvReadsModesAsStored) {
  setModel(*app, {{1, 0, 0, 0}, {1, 0, 0, 1}});
  open(TwoModes);
  int lfr = 0;
  ReMv(*app, 1, 2, lfr);
  ASSERT_EQ(lfr, -1);
  EXPECT_EQ(m.NFrq, 2);
  EXPECT_DOUBLE_EQ(m.Frq(1), 3000.12);
  EXPECT_DOUBLE_EQ(m.RaInt(1), 3.25);
  EXPECT_EQ(m.RaInt(0), 2);
  EXPECT_EQ(m.FrqSym(2), "B2");
  EXPECT_EQ(m.ModeD(1, 2, 3), -6);
  EXPECT_EQ(m.ModeD(2, 1, 1), 7);
}

TEST_F(Freq, ReMvIncompleteAndAbsent) {
  open("Harmonic frequencies\nF = 1.0  S = A\n 1 2 3\n");
  int lfr = 0;
  ReMv(*app, 1, 2, lfr);
  EXPECT_EQ(lfr, 1);
  EXPECT_EQ(m.NFrq, 0);
  app->files.closeAll();
  open("Atomic orientation and masses\n");
  ReMv(*app, 1, 2, lfr);
  EXPECT_EQ(lfr, 0);
}

TEST_F(Freq, ReMv1AppendsModesOfTheAddedAtoms) {
  setModel(*app, {{1, 0, 0, 0}, {1, 0, 0, 1}, {8, 0, 0, 5}, {8, 0, 0, 6}});
  m.NFrq = 1;
  m.Frq(1) = 500;
  m.ModeD(1, 3, 1) = 99;  // left from an earlier read
  m.ModeD(2, 1, 1) = 99;
  open(TwoModes);
  int lfr = 0;
  ReMv1(*app, 2, 1, 4, lfr);
  ASSERT_EQ(lfr, -1);
  EXPECT_EQ(m.NFrq, 3);
  EXPECT_DOUBLE_EQ(m.Frq(1), 500);
  EXPECT_DOUBLE_EQ(m.Frq(2), 3000.12);
  EXPECT_EQ(m.ModeD(2, 3, 1), 1);
  EXPECT_EQ(m.ModeD(3, 4, 3), 12);
  EXPECT_EQ(m.ModeD(1, 3, 1), 0);
  EXPECT_EQ(m.ModeD(2, 1, 1), 0);
}

// --- masses

struct Masses : Freq {
  std::string f, route;
  /// Reads the mass lines of text for water; returns the status.
  int reizo(const std::string& text, int ier = 0) {
    setModel(*app, water());
    f = dir.write("w.log", text);
    ReIzo(*app, f, route, 3, ier);
    return ier;
  }
  std::vector<std::string> log() const { return linesOf(app->frm.Text2.text); }
};

TEST_F(Masses, SameMassesKeepTheTable) {
  EXPECT_EQ(reizo(routeLine + massLines(water(), {15.99491, 1.00783, 1.00783})), -1);
  EXPECT_EQ(route, " #p b3lyp/6-31g(d) opt freq");
  EXPECT_DOUBLE_EQ(m.AtMas(2), m.ElMas(1));
  auto lines = log();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "atomic masses in file " + f);
  EXPECT_EQ(lines.back(), "... are the same as in Kelvorin program");
}

TEST_F(Masses, OneIsotopeReplacesAllMasses) {
  EXPECT_EQ(reizo(massLines(water(), {15.99491, 2.01410, 1.00783})), -1);
  EXPECT_DOUBLE_EQ(m.AtMas(2), 2.0141);
  EXPECT_DOUBLE_EQ(m.AtMas(3), 1.00783);
  auto lines = log();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "atomic masses from file " + f);
  EXPECT_EQ(lines[2], "  2   1 H      0.000000    0.757000   -0.469000    2.014100");
}

TEST_F(Masses, WrongElementAfterMassesStopsAndNoLinesAreStatusZero) {
  EXPECT_EQ(reizo(" Atom     1 has atomic number  8 and mass  15.99491\n"
                  " Atom     2 has atomic number  6 and mass  12.00000\n"),
            1);
  EXPECT_EQ(log().back(), " Atom     2 has atomic number  6 and mass  12.00000 ... Input Error");
  app->frm.Text2.text.clear();
  EXPECT_EQ(reizo("nothing here\n", 5), 0);
  EXPECT_TRUE(app->frm.Text2.text.empty());
}

// --- side file

TEST_F(Freq, ReFrqFrequenciesAndIntensitiesReversed) {
  setModel(*app, water());
  m.DatNam = dir.write("w.frq", frequencyTable(water(), 3, true));
  int ier = 0;
  ReFrq(*app, 3, ier);
  EXPECT_EQ(ier, -1);
  EXPECT_DOUBLE_EQ(m.Frq(1), 300.25);
  EXPECT_DOUBLE_EQ(m.IrInt(1), 3.5);
  EXPECT_DOUBLE_EQ(m.RaInt(3), 10.0);
  EXPECT_EQ(m.RaInt(0), 3);
}

}  // namespace
}  // namespace kel::testing
