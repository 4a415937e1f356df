// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/force_constants.hpp"
#include "gaussian_text.hpp"
#include "readers/gaussian_output.hpp"
#include "testing.hpp"

#include <cmath>
#include <cstdio>

namespace kel {
namespace {

using testing::newApp;
using testing::TempDir;

// Water in its standard orientation, and the input orientation turned from it by the
// rotation In = R Std (90 degrees about z, then 30 about x).
constexpr double Std[3][3] = {{0, 0, 0.1173}, {0, 0.7572, -0.4692}, {0, -0.7572, -0.4692}};
constexpr double C30 = 0.86602540378443865, S30 = 0.5;
constexpr double R[3][3] = {{0, -1, 0}, {C30, 0, -S30}, {S30, 0, C30}};

/// A force-constant matrix (hartree/bohr^2) of O-H springs along the bonds of xyz.
void springs(const double (&xyz)[3][3], double (&f)[9][9]) {
  for (auto& row : f)
    for (double& v : row) v = 0;
  for (int h = 1; h <= 2; ++h) {
    double e[3], len = 0;
    for (int c = 0; c < 3; ++c) {
      e[c] = xyz[h][c] - xyz[0][c];
      len += e[c] * e[c];
    }
    for (double& c : e) c /= std::sqrt(len);
    for (int c = 0; c < 3; ++c)
      for (int d = 0; d < 3; ++d) {
        const double v = 0.5 * e[c] * e[d];
        f[c][d] += v, f[3 * h + c][3 * h + d] += v;
        f[c][3 * h + d] -= v, f[3 * h + c][d] -= v;
      }
  }
}

std::string table(const std::string& title, const double (&xyz)[3][3]) {
  const int z[3] = {8, 1, 1};
  std::vector<testing::GAtom> atoms;
  for (int i = 0; i < 3; ++i) atoms.push_back({z[i], xyz[i][0], xyz[i][1], xyz[i][2]});
  return testing::orientationTable(title, atoms);
}

/// The block as Gaussian prints it: groups of five columns, D exponents.
std::string block(const double (&f)[9][9]) {
  std::string t = " Force constants in Cartesian coordinates: \n";
  char cell[32];
  for (int c0 = 0; c0 < 9; c0 += 5) {
    for (int c = c0; c < std::min(c0 + 5, 9); ++c) t += "             " + std::to_string(c + 1);
    t += "\n";
    for (int i = c0; i < 9; ++i) {
      std::snprintf(cell, sizeof cell, "%6d", i + 1);
      t += cell;
      for (int c = c0; c <= std::min(i, c0 + 4); ++c) {
        std::snprintf(cell, sizeof cell, "%14.6E", f[i][c]);
        std::string s = cell;
        s[s.find('E')] = 'D';
        t += s;
      }
      t += "\n";
    }
  }
  return t;
}

/// An output whose block is in the input frame, its standard table last.
std::string output() {
  double in[3][3] = {}, f[9][9];
  for (int i = 0; i < 3; ++i)
    for (int k = 0; k < 3; ++k)
      for (int q = 0; q < 3; ++q) in[i][k] += R[k][q] * Std[i][q];
  springs(in, f);
  return " #P HF/STO-3G Freq\n\n" + table("Input", in) + table("Standard", Std) + block(f) +
         " Normal termination of Gaussian\n";
}

TEST(OutputForceConstants, TurnedIntoTheFrameOfTheStandardTable) {
  TempDir dir;
  auto f = dir.write("water.log", output());
  auto app = newApp();
  app->we2.La2[1].value = true;
  FmtIn(*app, f);
  auto& m = app->m;
  ASSERT_EQ(m.NAt, 3);
  ASSERT_EQ(m.FccFrom, 1) << app->frm.Text3.text;
  EXPECT_LT(m.FccFit, 1e-5);
  double want[9][9];
  springs(Std, want);
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 9; ++j)
      EXPECT_NEAR(m.Fcc(i + 1, j + 1), want[i][j] * MdynPerHartreeBohr2, 1e-4) << i << "," << j;
}

TEST(OutputForceConstants, CutBlockRefusedWhole) {
  TempDir dir;
  std::string text = output();
  text = text.substr(0, text.find("     9  ", text.find("Force constants")));
  auto f = dir.write("cut.log", text);
  auto app = newApp();
  app->we2.La2[1].value = true;
  FmtIn(*app, f);
  EXPECT_EQ(app->m.NAt, 3);  // the geometry is kept
  EXPECT_EQ(app->m.FccFrom, 0);
  EXPECT_EQ(app->m.Fcc(1, 1), 0.0);
  EXPECT_TRUE(app->readFailed);
  EXPECT_EQ(app->frm.Text3.text, f + "  Error in F matrix: block cut off at row 9");
}

TEST(CheckpointArrays, CutArrayRefusedWhole) {
  TempDir dir;
  auto f = dir.write("cut.fchk",
                     "Atomic numbers                             I   N=           3\n"
                     "           8           1           1\n"
                     "Current cartesian coordinates              R   N=           9\n"
                     "  0.0 0.0 0.2216 0.0 1.4309 -0.8867 0.0 -1.4309 -0.8867\n"
                     "Cartesian Force Constants                  R   N=          45\n"
                     "  0.1 0.2 0.3 0.4 0.5\n"
                     "Dipole Moment                              R   N=           3\n"
                     "  0.0 0.0 0.7\n");
  auto app = newApp();
  FmtIn(*app, f);
  EXPECT_EQ(app->m.NAt, 3);
  EXPECT_EQ(app->m.FccFrom, 0);
  EXPECT_TRUE(app->readFailed);
  EXPECT_EQ(app->frm.Text3.text,
            f + "  Error in F matrix: array cut off: Cartesian Force Constants");
}

TEST(FitRotation, RecoversATurnAndItsFit) {
  std::vector<double> p, q;
  for (const auto& a : Std)
    for (int k = 0; k < 3; ++k) {
      p.push_back(a[k]);
      q.push_back(R[k][0] * a[0] + R[k][1] * a[1] + R[k][2] * a[2] + 5.0);  // turned, moved
    }
  double r[9], rms = 1;
  fitRotation(p, q, r, rms);
  EXPECT_LT(rms, 1e-12);
  for (int k = 0; k < 3; ++k)
    for (int l = 0; l < 3; ++l) EXPECT_NEAR(r[3 * k + l], R[k][l], 1e-12);
}

}  // namespace
}  // namespace kel
