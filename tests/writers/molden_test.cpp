// Kelvorin - desktop workbench for vibrational calculations.
#include "writers/molden.hpp"
#include "readers/gaussian_output.hpp"
#include "testing.hpp"
#include "writers/xyz_export.hpp"

#include <clocale>
#include <cmath>
#include <sstream>

namespace kel::testing {
namespace {

using Exports = FreshApp;

/// What a Molden file holds, read as another viewer reads it.
struct MoldenFile {
  struct Atom {
    std::string sym;
    int number = 0, z = 0;
    double xyz[3]{};
  };
  std::vector<Atom> atoms, bohr;
  std::vector<double> freq, ir;
  std::vector<std::vector<double>> modes;  ///< per vibration: dx, dy, dz of each atom
  std::vector<std::string> sections;
};

MoldenFile readMolden(const std::string& text) {
  MoldenFile f;
  std::string section;
  for (const auto& line : linesOf(text)) {
    std::istringstream in(line);
    if (line.starts_with("[")) {
      section = line;
      f.sections.push_back(line);
    } else if (section == "[Atoms] Angs") {
      MoldenFile::Atom a;
      in >> a.sym >> a.number >> a.z >> a.xyz[0] >> a.xyz[1] >> a.xyz[2];
      f.atoms.push_back(a);
    } else if (section == "[FR-COORD]") {
      MoldenFile::Atom a;
      in >> a.sym >> a.xyz[0] >> a.xyz[1] >> a.xyz[2];
      f.bohr.push_back(a);
    } else if (section == "[FREQ]" || section == "[INT]") {
      (section == "[FREQ]" ? f.freq : f.ir).push_back(0);
      in >> (section == "[FREQ]" ? f.freq : f.ir).back();
    } else if (section == "[FR-NORM-COORD]" && line.starts_with("vibration")) {
      f.modes.emplace_back();
    } else if (section == "[FR-NORM-COORD]") {
      for (double d; in >> d;) f.modes.back().push_back(d);
    }
  }
  return f;
}

TEST_F(Exports, MoldenOfARealOutputReadsBackAsTheModel) {
  auto src = shared("gaussian/g16/dvb_raman.out");
  KEL_NEED_SHARED(src);
  FmtIn(*app, dir.copy(src));
  const auto& m = app->m;
  ASSERT_EQ(m.NAt, 20);
  ASSERT_EQ(m.NFrq, 54);
  int ier = 0;
  MoldenExp(*app, (dir.path() / "dvb.molden").string(), ier);
  ASSERT_EQ(ier, 0) << app->frm.Text3.text << app->frm.Text4.text;
  auto f = readMolden(slurp(dir.path() / "dvb.molden"));
  EXPECT_EQ(f.sections, (std::vector<std::string>{"[Molden Format]", "[Atoms] Angs", "[FREQ]",
                                                  "[FR-COORD]", "[FR-NORM-COORD]", "[INT]"}));
  ASSERT_EQ(f.atoms.size(), 20u);
  ASSERT_EQ(f.bohr.size(), 20u);
  for (int i = 1; i <= m.NAt; ++i) {
    const auto &a = f.atoms[std::size_t(i - 1)], &b = f.bohr[std::size_t(i - 1)];
    EXPECT_EQ(a.number, i);
    EXPECT_EQ(a.z, m.AtZ(i));
    EXPECT_EQ(a.sym, m.AtSym(i));
    for (int k = 1; k <= 3; ++k) {
      EXPECT_NEAR(a.xyz[k - 1], m.Xyz(i, k), 5e-7);
      EXPECT_NEAR(b.xyz[k - 1] * 0.529177210903, m.Xyz(i, k), 5e-7) << "atom " << i;
    }
  }
  // Lowest frequency first: vibration n is the model's mode NFrq + 1 - n.
  ASSERT_EQ(f.freq.size(), 54u);
  ASSERT_EQ(f.ir.size(), 54u);
  ASSERT_EQ(f.modes.size(), 54u);
  int differences = 0;
  for (int n = 1; n <= m.NFrq; ++n) {
    const int md = m.NFrq + 1 - n;
    const auto u = std::size_t(n - 1);
    differences += std::fabs(f.freq[u] - m.Frq(md)) > 5e-5;
    differences += std::fabs(f.ir[u] - m.IrInt(md)) > 5e-5;
    if (n > 1) differences += f.freq[u] < f.freq[u - 1];
    ASSERT_EQ(f.modes[u].size(), 60u);
    for (int i = 1; i <= m.NAt; ++i)
      for (int k = 1; k <= 3; ++k)
        differences += std::fabs(f.modes[u][std::size_t(3 * (i - 1) + k - 1)] -
                                 m.ModeD(md, i, k) / 100.0) > 1e-9;
  }
  EXPECT_EQ(differences, 0);
  EXPECT_TRUE(hasLine(*app, "export Molden file " + (dir.path() / "dvb.molden").string()));
}

/// Water with a deuterium atom and a coordinate that rounds to zero from below.
void heavyWater(App& app) {
  putAtoms(app.m,
           {{8, 0, 0, 0.119262}, {1, 0, 0.763239, -0.477047}, {2, -4e-9, -0.763239, -0.477047}});
  app.m.FilNam = (std::filesystem::current_path() / "water").string();
}

TEST_F(Exports, XyzLinesInADecimalCommaLocale) {
  heavyWater(*app);
  std::string old = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "pl_PL.UTF-8");  // when present: numbers keep their point
  int ier = 0;
  XyzExp(*app, ier);
  std::setlocale(LC_ALL, old.c_str());
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(slurp(dir.path() / "water.xyz"),
            "3\nwater\n"
            "O     0.000000    0.000000    0.119262\n"
            "H     0.000000    0.763239   -0.477047\n"
            "D     0.000000   -0.763239   -0.477047\n");
}

TEST_F(Exports, MoldenWithoutModesAndDeuteriumAsHydrogen) {
  heavyWater(*app);
  int ier = 0;
  MoldenExp(*app, "", ier);
  ASSERT_EQ(ier, 0);
  EXPECT_EQ(slurp(dir.path() / "water.molden"),
            "[Molden Format]\n[Atoms] Angs\n"
            "O     1    8      0.000000      0.000000      0.119262\n"
            "H     2    1      0.000000      0.763239     -0.477047\n"
            "H     3    1      0.000000     -0.763239     -0.477047\n");
  EXPECT_TRUE(hasLine(*app, "no modes held: the Molden file holds the structure only"));
}

TEST_F(Exports, NothingToExportFailsAndWritesNothing) {
  int ier = 0;
  MoldenExp(*app, "empty.molden", ier);
  EXPECT_EQ(ier, 1);
  EXPECT_EQ(app->frm.Text3.text, "no structure to export");
  ier = 0;
  XyzExp(*app, ier);
  EXPECT_EQ(ier, 1);
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(Exports, BatchKeepsTheInputAndEveryOlderFile) {
  const std::string water = "3\nwater\nO 0 0 0.1173\nH 0 0.7572 -0.4692\nH 0 -0.7572 -0.4692\n";
  auto input = dir.write("water.xyz", water);
  dir.write("w.molden", "mine\n");
  auto r = batch({input, "--xyz", "--molden", "w.molden", "--molden", "w.molden"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(slurp(input), water);  // the export of the input's own name goes beside it
  // (the read puts the centre of mass at the origin)
  EXPECT_TRUE(hasLine(slurp(dir.path() / "water1.xyz"), "O     0.000000    0.000000    0.391000"));
  EXPECT_EQ(slurp(dir.path() / "w1.molden"), "mine\n");
  EXPECT_EQ(slurp(dir.path() / "w2.molden"), slurp(dir.path() / "w.molden"));
  EXPECT_TRUE(hasLine(r.out, "Old file renamed as " + (dir.path() / "w2.molden").string()));

  auto failed = batch({"--molden", "x.molden", dir.write("empty.xyz", "0\n\n")});
  EXPECT_EQ(failed.status, 1);
  EXPECT_FALSE(fs::exists(dir.path() / "x.molden"));
}

}  // namespace
}  // namespace kel::testing
