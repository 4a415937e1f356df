// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/normal_modes.hpp"
#include "analysis/isotopes.hpp"
#include "readers/gaussian_output.hpp"
#include "springs.hpp"

#include <cmath>

namespace kel {
namespace {

using testing::newApp;
using testing::shared;

// ------------------------------------------------------------- real files: printed values back

struct RealFile {
  const char* path;
  int choice;  ///< the output chooser's geometry: 0 first, 1 last
};
class Reproduction : public ::testing::TestWithParam<RealFile> {};

TEST_P(Reproduction, PrintedFrequenciesWithinOneWavenumber) {
  auto path = shared(GetParam().path);
  KEL_NEED_SHARED(path);
  testing::TempDir dir;  // the scratch files of the read
  auto app = newApp();
  app->we2.La2[std::size_t(GetParam().choice)].value = true;
  FmtIn(*app, dir.copy(path));  // a read writes side files beside its input
  auto& m = app->m;
  ASSERT_TRUE(hasForceConstants(m)) << app->frm.Text3.text;
  NormalModes nm;
  analyseModes(m, currentMasses(m), nm);
  ASSERT_TRUE(nm.message.empty()) << nm.message;
  ASSERT_EQ(nm.count(), m.NFrq);
  for (int k = 0; k < nm.count(); ++k)
    EXPECT_NEAR(nm.frequencies[std::size_t(k)], m.Frq(k + 1), 1.0) << "mode " << k + 1;
}

// methane: last step's standard orientation; H2: Z-matrix frame and an imaginary mode; the
// IRC point: projected frequencies (the forces' direction out too); ethane: its first
// geometry, another one than the force constants'; the checkpoint: its own modes and masses.
INSTANTIATE_TEST_SUITE_P(Files, Reproduction,
                         ::testing::Values(RealFile{"gaussian/g16/methane_normal.out", 1},
                                           RealFile{"gaussian/g98/test_H2.log", 1},
                                           RealFile{"gaussian/g09/irc_point.log", 1},
                                           RealFile{"gaussian/g16/ethane.out", 0},
                                           RealFile{"fchk/g16/dvb_ir.fchk", 1}));

// ------------------------------------------------------------- springs worked out by hand

// Fcc holds hartree/bohr^2 times the factor the readers have always used, and the analysis
// takes that factor out again; against today's mdyn/A it is 1.7e-5 large.
constexpr double FactorShare = 1.7e-5;

double wavenumber(double k, double mu) {
  return std::copysign(WavenumberPerMdyn * std::sqrt(std::fabs(k) / mu), k);
}

class Diatomic : public ::testing::TestWithParam<double> {};

TEST_P(Diatomic, OneModeOfTheSpring) {
  const double k = GetParam();
  auto app = newApp();
  auto& m = app->m;
  testing::loadAtoms(m, {{1, 0, 0, 0}, {17, 0, 0, 1.27}});
  testing::loadSprings(m, {{1, 2, k}});
  NormalModes nm;
  analyseModes(m, currentMasses(m), nm);
  ASSERT_EQ(nm.count(), 1) << nm.message;
  EXPECT_TRUE(nm.linear);
  EXPECT_EQ(nm.projected, 5);
  const double m1 = m.AtMas(1), m2 = m.AtMas(2), sum = m1 + m2, squares = m1 * m1 + m2 * m2;
  const double mu = m1 * m2 / sum;
  EXPECT_NEAR(nm.frequencies[0], wavenumber(k, mu), FactorShare * std::fabs(nm.frequencies[0]));
  // Gaussian's reduced mass: 1 / sum of the squared Cartesian parts of the unit mode
  const double printedMu = sum * m1 * m2 / squares;
  EXPECT_NEAR(nm.reducedMasses[0], printedMu, 1e-9);
  EXPECT_NEAR(nm.forceConstants[0], k * printedMu / mu, 2 * FactorShare * std::fabs(k));
  EXPECT_NEAR(std::fabs(nm.displacement(0, 0, 2)), m2 / std::sqrt(squares), 1e-9);
}

// a bound spring, and a negative one: the imaginary mode comes out negative like Gaussian's
INSTANTIATE_TEST_SUITE_P(Springs, Diatomic, ::testing::Values(5.16, -2.0));

TEST(LinearTriatomic, FourModesWithBothStretches) {
  auto app = newApp();
  auto& m = app->m;
  testing::loadAtoms(m, {{8, 0, 0, -1.16}, {6, 0, 0, 0}, {8, 0, 0, 1.16}});
  testing::loadSprings(m, {{1, 2, 16.0}, {2, 3, 16.0}});
  NormalModes nm;
  analyseModes(m, currentMasses(m), nm);
  ASSERT_EQ(nm.count(), 4) << nm.message;
  const double mo = m.AtMas(1), mc = m.AtMas(2);
  EXPECT_NEAR(nm.frequencies[0], WavenumberPerMdyn * std::sqrt(16.0 * (1 / mo + 2 / mc)), 0.05);
  EXPECT_NEAR(nm.frequencies[1], WavenumberPerMdyn * std::sqrt(16.0 / mo), 0.05);
  EXPECT_NEAR(nm.frequencies[2], 0.0, 1e-3);  // no bending spring: the bends are free
}

// ------------------------------------------------------------- isotopologues

TEST(Isotopologue, DeuteriumObeysTheProductRuleOnInvariantForceConstants) {
  auto app = newApp();
  auto& m = app->m;
  testing::loadAtoms(m, testing::water());
  testing::loadSprings(m, testing::waterSprings());
  auto before = currentMasses(m), after = before;
  std::string message;
  ASSERT_TRUE(applyMassList(m, "H=2.01410178", after, message)) << message;
  EXPECT_EQ(after[0], before[0]);
  IsotopeShift shift;
  isotopeShifts(m, before, after, shift);
  ASSERT_TRUE(shift.message.empty()) << shift.message;
  EXPECT_NEAR(shift.productRatio, 1.0, 1e-4);
  EXPECT_LT(shift.invariance, 1e-12);
  for (int k = 0; k < 3; ++k)
    EXPECT_LT(shift.after.frequencies[std::size_t(k)], shift.before.frequencies[std::size_t(k)]);
  // a spoilt force constant breaks the invariance, and the rule shows it
  m.Fcc(3, 3) += 0.5;  // in the plane: out of it every motion is rigid and projected away
  isotopeShifts(m, before, after, shift);
  EXPECT_GT(shift.invariance, 1e-3);
  EXPECT_GT(std::fabs(shift.productRatio - 1.0), 1e-4);
}

struct MassItem {
  const char* list;
  const char* message;  ///< "" when taken
};
class MassList : public ::testing::TestWithParam<MassItem> {};

TEST_P(MassList, ItemsTakenOrRefusedWhole) {
  auto app = newApp();
  testing::loadAtoms(app->m, testing::water());
  const auto start = currentMasses(app->m);
  auto masses = start;
  std::string message;
  const bool ok = applyMassList(app->m, GetParam().list, masses, message);
  EXPECT_EQ(message, GetParam().message);
  EXPECT_EQ(ok, message.empty());
  if (!ok) {
    EXPECT_EQ(masses, start);  // nothing of a refused list is applied
  }
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, MassList,
    ::testing::Values(MassItem{"2=2.014,O=17.99916", ""}, MassItem{"h=2.014", ""},
                      MassItem{"2=2.014,4=3", "no atom 4"},
                      MassItem{"Cl=35", "no atom of element Cl"},
                      MassItem{"H=", "mass item not N=MASS or SYMBOL=MASS: H="},
                      MassItem{"=2", "mass item not N=MASS or SYMBOL=MASS: =2"},
                      MassItem{"H=-1", "mass not in 0..1000: H=-1"}));

}  // namespace
}  // namespace kel
