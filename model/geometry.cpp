// Kelvorin - desktop workbench for vibrational calculations.
#include "model/geometry.hpp"

#include <cmath>

namespace kel {

namespace {

constexpr double HalfPi = 1.5707963269;      // returned for a cosine near zero
constexpr double TorsLimit = 1.57079632695;  // torsions beyond it are reported minus 360
constexpr double Pi = 3.14159265358979;

double deg(double rad) {
  return rad * 180.0 / Pi;
}

}  // namespace

double fns(double a, double b) {
  return b < 0 ? -std::fabs(a) : std::fabs(a);
}

double fnsq2(double x) {
  return std::sqrt(std::fabs(1.0 - x * x));
}

double fnarc(double x) {
  if (x >= 1.0) return 0.0;
  if (x <= -1.0) return Pi;
  double s = fnsq2(x);
  if (std::fabs(x) < 1e-11) return HalfPi;
  double a = std::atan(s / x);
  return x < 0 ? a + Pi : a;
}

double sca(const Vec& a, const Vec& b) {
  return a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
}

void norm(Vec& v) {
  double s = sca(v, v);
  double f = s != 0.0 ? 1.0 / std::sqrt(s) : 0.0;
  for (int k = 1; k <= 3; ++k) v[std::size_t(k)] *= f;
}

void normal(const Vec& a, const Vec& b, Vec& c) {
  c[1] = a[2] * b[3] - a[3] * b[2];
  c[2] = a[3] * b[1] - a[1] * b[3];
  c[3] = a[1] * b[2] - a[2] * b[1];
  norm(c);
}

void vek(const ModKel& m, Vec& e, double& r, int i, int j) {
  for (int k = 1; k <= 3; ++k) e[std::size_t(k)] = m.Xyz(i, k) - m.Xyz(j, k);
  r = std::sqrt(sca(e, e));
  norm(e);
}

double Dist(const ModKel& m, int i, int j) {
  double dx = m.Xyz(i, 1) - m.Xyz(j, 1), dy = m.Xyz(i, 2) - m.Xyz(j, 2),
         dz = m.Xyz(i, 3) - m.Xyz(j, 3);
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double Bend(const ModKel& m, int i, int j, int k) {
  Vec e1{}, e2{};
  double r = 0;
  vek(m, e1, r, i, j);
  vek(m, e2, r, k, j);
  return deg(fnarc(sca(e1, e2)));
}

double Tout(const ModKel& m, int i, int j, int k, int l) {
  Vec e1{}, e2{}, e3{}, n{};
  double r = 0;
  vek(m, e1, r, i, l);
  vek(m, e2, r, j, l);
  vek(m, e3, r, k, l);
  normal(e2, e3, n);
  double s = sca(e1, n);
  return deg(fnarc(fnsq2(s)));
}

double Tors(const ModKel& m, int i, int j, int k, int l) {
  Vec e1{}, e2{}, e3{}, u{}, w{}, c{};
  double r = 0;
  vek(m, e1, r, i, j);
  vek(m, e2, r, k, j);
  vek(m, e3, r, k, l);
  normal(e1, e2, u);
  normal(e3, e2, w);
  c[1] = u[2] * w[3] - u[3] * w[2];
  c[2] = u[3] * w[1] - u[1] * w[3];
  c[3] = u[1] * w[2] - u[2] * w[1];
  double phi = fnarc(-sca(u, w));
  if (sca(c, e2) < 0) phi = -phi;
  double t = deg(phi);
  if (phi > TorsLimit) t -= 360.0;
  return t;
}

void sp_dis(const ModKel& m, int na, int nb, double& shift, double dmin, i16& ok, i16& ia,
            i16& ib) {
  double t = dmin + 1e-6;
  ok = -1;
  shift = 0.0;
  for (int i = 1; i <= na; ++i)
    for (int j = na + 1; j <= nb; ++j) {
      double d = Dist(m, i, j);
      if (d < t) {
        t = d;
        ia = static_cast<i16>(i);
        ib = static_cast<i16>(j);
      }
    }
  if (t < dmin) {
    shift = dmin - t;
    if (shift < dmin) {
      ok = 0;
      shift += 0.01;
    }
  }
}

namespace {

/// route holds the lower-case word, letters compared case-blind.
bool containsLower(std::string_view route, std::string_view word) {
  auto low = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; };
  for (std::size_t i = 0; i + word.size() <= route.size(); ++i) {
    std::size_t k = 0;
    while (k < word.size() && low(route[i + k]) == word[k]) ++k;
    if (k == word.size()) return true;
  }
  return false;
}

}  // namespace

int expectedModes(const ModKel& m, int n, std::string_view route, int offset) {
  if (n < 2) return 0;
  // All atoms on the line through the first atom and the atom farthest from it (1e-4 A).
  const int a1 = offset + 1;
  int far = a1 + 1;
  for (int i = a1 + 2; i <= offset + n; ++i)
    if (Dist(m, a1, i) > Dist(m, a1, far)) far = i;
  const double len = Dist(m, a1, far);
  bool linear = true;
  for (int i = a1 + 1; i <= offset + n && linear && len > 0; ++i) {
    double d[3], e[3];
    for (int k = 0; k < 3; ++k) {
      d[k] = m.Xyz(i, k + 1) - m.Xyz(a1, k + 1);
      e[k] = (m.Xyz(far, k + 1) - m.Xyz(a1, k + 1)) / len;
    }
    const double along = d[0] * e[0] + d[1] * e[1] + d[2] * e[2];
    double off = 0;
    for (int k = 0; k < 3; ++k) off += (d[k] - along * e[k]) * (d[k] - along * e[k]);
    linear = std::sqrt(off) < 1e-4;
  }
  int count = 3 * n - (linear ? 5 : 6);
  if (containsLower(route, "projected")) --count;
  return std::max(count, 0);
}

}  // namespace kel
