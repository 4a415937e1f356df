// Kelvorin - desktop workbench for vibrational calculations.
// Vector geometry against hand-computed values.
#include "model/geometry.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace kel {
namespace {

class GeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m = std::make_unique<ModKel>();
    IniModel(*m);
  }
  void at(int i, double x, double y, double z) {
    m->Xyz(i, 1) = x;
    m->Xyz(i, 2) = y;
    m->Xyz(i, 3) = z;
  }
  std::unique_ptr<ModKel> m;
};

TEST(ScalarFunctions, Fns) {
  EXPECT_EQ(fns(3, 0), 3);
  EXPECT_EQ(fns(-3, 0), 3);
  EXPECT_EQ(fns(3, -1e-300), -3);
  EXPECT_EQ(fns(-3, 2), 3);
}

TEST(ScalarFunctions, Fnarc) {
  EXPECT_EQ(fnarc(1.0), 0.0);
  EXPECT_EQ(fnarc(7.0), 0.0);
  EXPECT_EQ(fnarc(-1.0), 3.14159265358979);
  EXPECT_EQ(fnarc(-2.0), 3.14159265358979);
  EXPECT_EQ(fnarc(5e-12), 1.5707963269);
  EXPECT_EQ(fnarc(-5e-12), 1.5707963269);
  EXPECT_NEAR(fnarc(-0.5), 2 * M_PI / 3, 1e-12);
  EXPECT_NEAR(fnarc(0.5), M_PI / 3, 1e-12);
  EXPECT_DOUBLE_EQ(fnsq2(2.0), std::sqrt(3.0));  // |1 - x^2| before the root
}

TEST(Vectors, NormOfZeroStaysZero) {
  Vec v{0, 0, 0, 0};
  norm(v);
  EXPECT_EQ(v[1], 0);
  EXPECT_EQ(v[2], 0);
  EXPECT_EQ(v[3], 0);
  Vec a{0, 1, 0, 0}, b{0, 2, 0, 0}, c{};
  normal(a, b, c);  // parallel inputs
  EXPECT_EQ(sca(c, c), 0);
  Vec x{0, 1, 0, 0}, y{0, 0, 2, 0};
  normal(x, y, c);
  EXPECT_DOUBLE_EQ(c[3], 1.0);
}

TEST_F(GeometryTest, DistanceAndBondVector) {
  at(1, 1, 2, 3);
  at(2, 4, 6, 3);
  EXPECT_DOUBLE_EQ(Dist(*m, 1, 2), 5.0);
  Vec e{};
  double r = 0;
  vek(*m, e, r, 2, 1);  // from atom 1 towards atom 2
  EXPECT_DOUBLE_EQ(r, 5.0);
  EXPECT_DOUBLE_EQ(e[1], 0.6);
  EXPECT_DOUBLE_EQ(e[2], 0.8);
  vek(*m, e, r, 1, 1);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(e[1], 0);
}

TEST_F(GeometryTest, Bends) {
  at(1, 1, 0, 0);
  at(2, 0, 0, 0);
  at(3, 0, 1, 0);
  at(4, -2, 0, 0);
  // A right angle comes from the literal 1.5707963269 for a zero cosine.
  const double right = 1.5707963269 * 180.0 / 3.14159265358979;
  EXPECT_DOUBLE_EQ(Bend(*m, 1, 2, 3), right);
  EXPECT_NEAR(Bend(*m, 1, 2, 4), 180.0, 1e-9);
  at(5, 0, 0, 0);
  EXPECT_DOUBLE_EQ(Bend(*m, 1, 2, 5), right);  // a bond of zero length
}

TEST_F(GeometryTest, OutOfPlane) {
  // Planar centre: 0 degrees.
  at(1, 1, 0, 0);
  at(2, -0.5, 0.8, 0);
  at(3, -0.5, -0.8, 0);
  at(4, 0, 0, 0);
  EXPECT_NEAR(Tout(*m, 1, 2, 3, 4), 0.0, 1e-9);
  // Ideal tetrahedral centre: the angle between one bond and the plane of two others.
  at(1, 1, 1, 1);
  at(2, 1, -1, -1);
  at(3, -1, 1, -1);
  EXPECT_NEAR(Tout(*m, 1, 2, 3, 4), 54.7356103, 1e-6);
  // Collinear l, j, k: the normal is zero and so is the angle.
  at(2, 1, 0, 0);
  at(3, 2, 0, 0);
  EXPECT_EQ(Tout(*m, 1, 2, 3, 4), 0.0);
}

TEST_F(GeometryTest, TorsionSignsAndRange) {
  at(1, 1, 0, 0);
  at(2, 0, 0, 0);
  at(3, 0, 0, 1);
  const double h = std::sqrt(3.0) / 2;
  struct Row {
    double lx, ly, expected;
  } rows[] = {{0.5, h, -60},   {0.5, -h, 60}, {-0.5, -h, -240},
              {-0.5, h, -120}, {1, 0, 0},     {-1, 0, -180}};
  for (const auto& r : rows) {
    at(4, r.lx, r.ly, 1);
    EXPECT_NEAR(Tors(*m, 1, 2, 3, 4), r.expected, 1e-7) << r.lx << " " << r.ly;
  }
}

TEST_F(GeometryTest, AntiIsNeverPlus180) {
  at(1, 1, 0, 0);
  at(2, 0, 0, 0);
  at(3, 0, 0, 1);
  for (double eps : {1e-4, -1e-4}) {
    at(4, -1, eps, 1);
    double t = Tors(*m, 1, 2, 3, 4);
    EXPECT_LT(t, -179.9) << eps;
    EXPECT_GT(t, -180.1) << eps;
  }
}

TEST_F(GeometryTest, ClosestPair) {
  at(1, 0, 0, 0);
  at(2, 1, 0, 0);
  at(3, 2.5, 0, 0);  // 1.5 from atom 2
  at(4, 5, 0, 0);
  double shift = -1;
  i16 ok = 5, ia = 0, ib = 0;
  sp_dis(*m, 2, 4, shift, 2.01, ok, ia, ib);
  EXPECT_EQ(ok, 0);
  EXPECT_EQ(ia, 2);
  EXPECT_EQ(ib, 3);
  EXPECT_NEAR(shift, 0.52, 1e-12);  // 2.01 - 1.5 + 0.01

  sp_dis(*m, 2, 2, shift, 2.01, ok, ia, ib);  // no pair to examine
  EXPECT_EQ(ok, -1);
  EXPECT_EQ(shift, 0);

  at(3, 1, 0, 0);  // coincident atoms: ok stays true with shift = dmin
  sp_dis(*m, 2, 4, shift, 2.01, ok, ia, ib);
  EXPECT_EQ(ok, -1);
  EXPECT_DOUBLE_EQ(shift, 2.01);

  at(3, 3.5, 0, 0);  // far enough: no push
  sp_dis(*m, 2, 4, shift, 2.01, ok, ia, ib);
  EXPECT_EQ(ok, -1);
  EXPECT_EQ(shift, 0);
}

}  // namespace
}  // namespace kel
