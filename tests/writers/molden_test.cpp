// Kelvorin - desktop workbench for vibrational calculations.
#include "writers/molden.hpp"
#include "readers/gaussian_output.hpp"
#include "testing.hpp"
#include "writers/xyz_export.hpp"

#include <cctype>
#include <clocale>
#include <cmath>
#include <map>
#include <sstream>

namespace kel::testing {
namespace {

using OtherPrograms = FreshApp;

/// A Molden file as another viewer reads it: the numbers of each line by section, and the
/// word that starts a line (symbol, "vibration").
struct MoldenFile {
  std::vector<std::string> sections;
  std::map<std::string, std::vector<std::vector<double>>> rows;
  std::map<std::string, std::vector<std::string>> words;
};

MoldenFile readMolden(const std::string& text) {
  MoldenFile f;
  for (const auto& line : linesOf(text)) {
    if (line.starts_with("[")) {
      f.sections.push_back(line);
      continue;
    }
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (!word.empty() &&
        std::isdigit(static_cast<unsigned char>(word.back()))) {  // a number: read it again
      in.clear();
      in.seekg(0);
      word.clear();
    }
    f.words[f.sections.back()].push_back(word);
    auto& row = f.rows[f.sections.back()].emplace_back();
    for (double d; in >> d;) row.push_back(d);
  }
  return f;
}

TEST_F(OtherPrograms, MoldenOfARealOutputReadsBackAsTheModel) {
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
  const auto &atoms = f.rows["[Atoms] Angs"], &bohr = f.rows["[FR-COORD]"];
  const auto &freq = f.rows["[FREQ]"], &ir = f.rows["[INT]"], &modes = f.rows["[FR-NORM-COORD]"];
  ASSERT_EQ(atoms.size(), 20u);
  ASSERT_EQ(bohr.size(), 20u);
  ASSERT_EQ(freq.size(), 54u);
  ASSERT_EQ(ir.size(), 54u);
  ASSERT_EQ(modes.size(), 54u * 21);  // "vibration n", then a line per atom
  int differences = 0;
  for (int i = 1; i <= m.NAt; ++i) {
    const auto &a = atoms[std::size_t(i - 1)], &b = bohr[std::size_t(i - 1)];
    ASSERT_EQ(a.size(), 5u);
    differences += f.words["[Atoms] Angs"][std::size_t(i - 1)] != m.AtSym(i);
    differences += a[0] != i || a[1] != m.AtZ(i);
    for (int k = 1; k <= 3; ++k) {
      differences += std::fabs(a[std::size_t(k + 1)] - m.Xyz(i, k)) > 5e-7;
      differences += std::fabs(b.at(std::size_t(k - 1)) * 0.529177210903 - m.Xyz(i, k)) > 5e-7;
    }
  }
  // Lowest frequency first: vibration n is the model's mode NFrq + 1 - n.
  for (int n = 1; n <= m.NFrq; ++n) {
    const int md = m.NFrq + 1 - n;
    const auto u = std::size_t(n - 1);
    differences += std::fabs(freq[u].at(0) - m.Frq(md)) > 5e-5;
    differences += std::fabs(ir[u].at(0) - m.IrInt(md)) > 5e-5;
    differences += modes[21 * u] != std::vector<double>{double(n)};
    for (int i = 1; i <= m.NAt; ++i)
      for (int k = 1; k <= 3; ++k)
        differences += std::fabs(modes[21 * u + std::size_t(i)].at(std::size_t(k - 1)) -
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

TEST_F(OtherPrograms, XyzLinesInADecimalCommaLocale) {
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

TEST_F(OtherPrograms, MoldenWithoutModesAndDeuteriumAsHydrogen) {
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

TEST_F(OtherPrograms, BatchKeepsTheInputAndEveryOlderFile) {
  const std::string water = "3\nwater\nO 0 0 0.1173\nH 0 0.7572 -0.4692\nH 0 -0.7572 -0.4692\n";
  auto input = dir.write("water.xyz", water);
  dir.write("w.molden", "mine\n");
  auto r = batch({input, "--xyz", "--molden", "w.molden", "--molden", "w.molden"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(slurp(input), water);  // the export of the input's own name goes beside it
  // (the read moves the coordinates to its own origin)
  EXPECT_TRUE(hasLine(slurp(dir.path() / "water1.xyz"), "O     0.000000    0.000000    0.391000"));
  EXPECT_EQ(slurp(dir.path() / "w1.molden"), "mine\n");
  EXPECT_EQ(slurp(dir.path() / "w2.molden"), slurp(dir.path() / "w.molden"));
  EXPECT_TRUE(hasLine(r.out, "Old file renamed as " + (dir.path() / "w2.molden").string()));

  auto failed = batch({"--molden", "x.molden", dir.write("empty.xyz", "0\n\n")});
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("no structure to export"), std::string::npos) << failed.err;
  EXPECT_FALSE(fs::exists(dir.path() / "x.molden"));
}

}  // namespace
}  // namespace kel::testing
