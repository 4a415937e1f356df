// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/ped.hpp"

#include "base/basic_error.hpp"
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "topology/internal_coords.hpp"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view NoCoordinates = "no internal coordinates";
constexpr std::string_view NoModes = "no modes";
constexpr std::string_view Redundant =
    "internal coordinates redundant or incomplete: no distribution";
constexpr std::string_view Dash = "\xE2\x80\x93";  // en dash between atoms

/// Entries below this share are left out of a mode's list.
constexpr double ListedPercent = 1.0;
/// Step of the central differences of the B-matrix (A): the error is of order step^2.
constexpr double Step = 1e-5;

using P3 = Eigen::Vector3d;

double torsion(const P3& a, const P3& b, const P3& c, const P3& d) {
  const P3 b1 = b - a, b2 = c - b, b3 = d - c;
  const P3 n1 = b1.cross(b2), n2 = b2.cross(b3);
  return std::atan2(b2.norm() * b1.dot(n2), n1.dot(n2));
}

/// The value of a coordinate of type t at positions p (Tout and the bends signed, so that
/// a planar or straight structure has a derivative).
double value(int t, const std::array<P3, 4>& p) {
  switch (t) {
    case IcStre:
      return (p[0] - p[1]).norm();
    case IcBend: {
      const P3 u = p[0] - p[1], v = p[2] - p[1];
      return std::atan2(u.cross(v).norm(), u.dot(v));
    }
    case IcOut: {
      const P3 e1 = (p[0] - p[3]).normalized(), e2 = (p[1] - p[3]).normalized(),
               e3 = (p[2] - p[3]).normalized();
      const P3 n = e2.cross(e3).normalized();
      return std::asin(std::clamp(e1.dot(n), -1.0, 1.0));
    }
    case IcTors:
      return torsion(p[0], p[1], p[2], p[3]);
    case IcBeip:
    case IcBepe: {
      auto a = [&](int k) { return std::array<double, 3>{p[k](0), p[k](1), p[k](2)}; };
      return linearBendDeviation(a(0), a(1), a(2), t == IcBeip ? 0 : 1);
    }
    default:
      return 0.0;
  }
}

int atomsOf(int t) {
  switch (t) {
    case IcStre:
      return 2;
    case IcBend:
    case IcBeip:
    case IcBepe:
      return 3;
    case IcOut:
    case IcTors:
      return 4;
    default:
      return 0;
  }
}

/// A difference of two angles brought into (-pi, pi].
double angleStep(double d) {
  constexpr double TwoPi = 6.283185307179586;
  while (d > TwoPi / 2) d -= TwoPi;
  while (d <= -TwoPi / 2) d += TwoPi;
  return d;
}

struct Problem {
  int rows = 0, dim = 0;
  std::vector<BRow> b;
  std::vector<double> masses;
};

/// L = B x for one Cartesian displacement x (3N, atom-major).
void internalMode(const Problem& pr, const double* x, Eigen::VectorXd& l) {
  l.resize(pr.rows);
  for (int i = 0; i < pr.rows; ++i) {
    const BRow& r = pr.b[std::size_t(i)];
    double s = 0;
    for (int a = 0; a < r.count; ++a)
      for (int k = 0; k < 3; ++k)
        s += r.d[std::size_t(a)][std::size_t(k)] * x[3 * (r.atoms[std::size_t(a)] - 1) + k];
    l(i) = s;
  }
}

/// G = B M^-1 B^T, built one atom at a time over the rows that move it.
Eigen::MatrixXd wilsonG(const Problem& pr) {
  std::vector<std::vector<std::pair<int, int>>> byAtom(pr.masses.size());
  for (int i = 0; i < pr.rows; ++i)
    for (int a = 0; a < pr.b[std::size_t(i)].count; ++a)
      byAtom[std::size_t(pr.b[std::size_t(i)].atoms[std::size_t(a)] - 1)].push_back({i, a});
  Eigen::MatrixXd g = Eigen::MatrixXd::Zero(pr.rows, pr.rows);
  for (std::size_t atom = 0; atom < byAtom.size(); ++atom)
    for (const auto& [i, a] : byAtom[atom])
      for (const auto& [j, b] : byAtom[atom]) {
        const auto& di = pr.b[std::size_t(i)].d[std::size_t(a)];
        const auto& dj = pr.b[std::size_t(j)].d[std::size_t(b)];
        g(i, j) += (di[0] * dj[0] + di[1] * dj[1] + di[2] * dj[2]) / pr.masses[atom];
      }
  return g;
}

/// F(i,i) of F = A^T Fcc A, A = M^-1 B^T G^-1, over the computed modes: with Fcc written
/// as its modes, F(i,i) = sum over modes k of (k_k / mu_k^2) (G^-1 L)(i,k)^2, L = B D the
/// modes (normalised displacements D) in internal coordinates. The rigid motions, which
/// the coordinates do not see, drop out.
bool diagonalF(const Problem& pr, const NormalModes& nm, const Eigen::MatrixXd& l,
               Eigen::VectorXd& f) {
  Eigen::LLT<Eigen::MatrixXd> llt(wilsonG(pr));
  if (llt.info() != Eigen::Success) return false;
  const Eigen::MatrixXd y = llt.solve(l);
  f = Eigen::VectorXd::Zero(pr.rows);
  for (int k = 0; k < nm.count(); ++k) {
    const double mu = nm.reducedMasses[std::size_t(k)];
    f += (nm.forceConstants[std::size_t(k)] / (mu * mu)) * y.col(k).cwiseAbs2();
  }
  return true;
}

/// The entries of one mode from its F(i,i) L(i)^2 terms.
std::vector<PedEntry> entriesOf(const Eigen::VectorXd& terms) {
  const double total = terms.sum();
  std::vector<PedEntry> list;
  if (total == 0) return list;
  for (int i = 0; i < terms.size(); ++i) {
    const double p = 100.0 * terms(i) / total;
    if (p >= ListedPercent) list.push_back({i + 1, p});
  }
  std::stable_sort(list.begin(), list.end(),
                   [](const PedEntry& x, const PedEntry& y) { return x.percent > y.percent; });
  return list;
}

void compute(const ModKel& m, const NormalModes* computed, Ped& out) {
  out = Ped{};
  if (m.IcRows < 1 || m.NAt < 1) {
    out.message = NoCoordinates;
    return;
  }
  Problem pr;
  pr.b = wilsonB(m);
  pr.rows = int(pr.b.size());
  pr.dim = 3 * m.NAt;
  const int modes = computed ? computed->count() : m.NFrq;
  if (modes < 1) {
    out.message = NoModes;
    return;
  }
  Eigen::MatrixXd l(pr.rows, modes);  // the modes in internal coordinates, one per column
  std::vector<double> x(std::size_t(pr.dim));
  Eigen::VectorXd col;
  for (int k = 0; k < modes; ++k) {
    if (computed) {
      std::copy_n(computed->displacements.begin() + std::ptrdiff_t(k) * pr.dim, pr.dim, x.begin());
    } else {
      for (int a = 1; a <= m.NAt; ++a)
        for (int c = 1; c <= 3; ++c)
          x[std::size_t(3 * (a - 1) + c - 1)] = m.ModeD(k + 1, a, c) / 100.0;
    }
    internalMode(pr, x.data(), col);
    l.col(k) = col;
  }
  Eigen::VectorXd f = Eigen::VectorXd::Ones(pr.rows);
  if (computed) {
    pr.masses = computed->masses;
    if (!diagonalF(pr, *computed, l, f)) {
      out.message = Redundant;
      return;
    }
    out.fromForceConstants = true;
  }
  for (int k = 0; k < modes; ++k)
    out.modes.push_back(entriesOf(f.cwiseProduct(l.col(k).cwiseAbs2())));
}

}  // namespace

std::vector<BRow> wilsonB(const ModKel& m) {
  std::vector<BRow> rows;
  rows.reserve(std::size_t(std::max<int>(m.IcRows, 0)));
  for (int r = 1; r <= m.IcRows; ++r) {
    BRow row;
    const int t = m.IcTab(r, 5);
    row.count = atomsOf(t);
    std::array<P3, 4> p;
    for (int a = 0; a < row.count; ++a) {
      const int i = m.IcTab(r, a + 1);
      if (i < 1 || i > m.NAt) throw BasicError{9};
      row.atoms[std::size_t(a)] = i;
      p[std::size_t(a)] = P3(m.Xyz(i, 1), m.Xyz(i, 2), m.Xyz(i, 3));
    }
    const bool angle = t != IcStre;
    for (int a = 0; a < row.count; ++a)
      for (int k = 0; k < 3; ++k) {
        auto q = p;
        q[std::size_t(a)](k) += Step;
        const double up = value(t, q);
        q[std::size_t(a)](k) -= 2 * Step;
        const double down = value(t, q);
        const double d = angle ? angleStep(up - down) : up - down;
        row.d[std::size_t(a)][std::size_t(k)] = d / (2 * Step);
      }
    rows.push_back(row);
  }
  return rows;
}

void computePed(const ModKel& m, const NormalModes* computed, Ped& out) noexcept {
  guardWith(
      [&](std::string_view name, int number) {
        out = Ped{};
        out.message = std::string(name) + ": " + std::string(errorDescription(number));
      },
      "computePed", [&] { compute(m, computed, out); });
}

std::string pedSummary(const ModKel& m, const std::vector<PedEntry>& entries, double above) {
  std::string text;
  for (const auto& e : entries) {
    if (e.percent <= above) break;
    const int r = e.coordinate;
    const int t = m.IcTab(r, 5);
    if (!text.empty()) text += ", ";
    text += trim(m.IcName(t)) + " ";
    for (int a = 0; a < atomsOf(t); ++a) {
      const int i = m.IcTab(r, a + 1);
      if (a > 0) text += std::string(Dash);
      text += trim(m.AtSym(i)) + std::to_string(i);
    }
    text += " " + std::to_string(int(std::lround(e.percent))) + " %";
  }
  return text;
}

}  // namespace kel
