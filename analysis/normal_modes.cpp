// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/normal_modes.hpp"

#include "base/basic_error.hpp"
#include "base/convert.hpp"
#include "readers/force_constants.hpp"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kel {

namespace {

constexpr std::string_view NoForceConstants = "no force constants";
constexpr std::string_view NoAtoms = "no atoms";
constexpr std::string_view MassCount = "masses given for";
constexpr std::string_view AtomsOf = " atoms of";
constexpr std::string_view BadMass = "mass not positive: atom";
constexpr std::string_view NoModes = "no vibration: every motion is a translation or rotation";

/// A motion whose part left after the earlier ones is below this share of its own length
/// repeats them (the rotation about the axis of a linear structure).
constexpr double DependentShare = 1e-5;

/// Centre of mass of atoms 1..n.
Eigen::Vector3d centre(const ModKel& m, const std::vector<double>& masses) {
  Eigen::Vector3d c = Eigen::Vector3d::Zero();
  double total = 0;
  for (std::size_t a = 0; a < masses.size(); ++a) {
    const int i = int(a) + 1;
    c += masses[a] * Eigen::Vector3d(m.Xyz(i, 1), m.Xyz(i, 2), m.Xyz(i, 3));
    total += masses[a];
  }
  return total > 0 ? Eigen::Vector3d(c / total) : c;
}

void compute(const ModKel& m, const std::vector<double>& masses, NormalModes& out) {
  const int n = m.NAt;
  out = NormalModes{};
  if (n < 1) {
    out.message = NoAtoms;
    return;
  }
  if (!hasForceConstants(m)) {
    out.message = NoForceConstants;
    return;
  }
  if (int(masses.size()) != n) {
    out.message = std::string(MassCount) + Str(int(masses.size())) + std::string(AtomsOf) + Str(n);
    return;
  }
  for (int a = 0; a < n; ++a)
    if (!(masses[std::size_t(a)] > 0)) {
      out.message = std::string(BadMass) + Str(a + 1);
      return;
    }
  const int dim = 3 * n;
  Eigen::VectorXd invRoot(dim);
  for (int c = 0; c < dim; ++c) invRoot(c) = 1.0 / std::sqrt(masses[std::size_t(c / 3)]);

  // The mass-weighted matrix, in hartree / (bohr^2 amu) so that the factor of Fcc cancels.
  Eigen::MatrixXd h(dim, dim);
  const double toAu = 1.0 / MdynPerHartreeBohr2;
  for (int j = 0; j < dim; ++j)
    for (int i = 0; i < dim; ++i) h(i, j) = m.Fcc(i + 1, j + 1) * toAu * invRoot(i) * invRoot(j);
  h = (0.5 * (h + h.transpose())).eval();

  // Reflections whose first k columns span the rigid motions: the rest spans the vibrations.
  const auto rigid = rigidMotions(m, masses, true, true);
  const int k = int(rigid.size());
  out.atoms = n;
  out.masses = masses;
  out.projected = k;
  double moments[3];
  principalMoments(m, masses, moments);
  out.linear = n >= 2 && moments[0] <= 1e-8 * moments[2];
  if (dim - k < 1) {
    out.message = NoModes;
    return;
  }
  Eigen::MatrixXd d(dim, k);
  for (int j = 0; j < k; ++j)
    for (int i = 0; i < dim; ++i) d(i, j) = rigid[std::size_t(j)][std::size_t(i)];
  Eigen::HouseholderQR<Eigen::MatrixXd> qr(d);
  const auto q = qr.householderQ();
  h.applyOnTheLeft(q.adjoint());
  h.applyOnTheRight(q);
  const int nv = dim - k;
  Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(h.bottomRightCorner(nv, nv));
  h.resize(0, 0);
  if (solver.info() != Eigen::Success) throw BasicError{6};
  Eigen::MatrixXd vectors = Eigen::MatrixXd::Zero(dim, nv);
  vectors.bottomRows(nv) = solver.eigenvectors();
  vectors.applyOnTheLeft(q);

  out.frequencies.resize(std::size_t(nv));
  out.reducedMasses.resize(std::size_t(nv));
  out.forceConstants.resize(std::size_t(nv));
  out.displacements.assign(std::size_t(nv) * std::size_t(dim), 0.0);
  for (int v = 0; v < nv; ++v) {
    const int col = nv - 1 - v;  // the solver's order is ascending
    const double lambda = solver.eigenvalues()(col);
    const double nu = std::copysign(std::sqrt(std::fabs(lambda)) * WavenumberPerAu, lambda);
    Eigen::VectorXd x = vectors.col(col).cwiseProduct(invRoot);
    const double mu = 1.0 / x.squaredNorm();
    x *= std::sqrt(mu);
    // the largest component positive, so that the result does not depend on the solver's sign
    Eigen::Index big = 0;
    x.cwiseAbs().maxCoeff(&big);
    if (x(big) < 0) x = -x;
    out.frequencies[std::size_t(v)] = nu;
    out.reducedMasses[std::size_t(v)] = mu;
    const double ratio = nu / WavenumberPerMdyn;
    out.forceConstants[std::size_t(v)] = std::copysign(ratio * ratio * mu, nu);
    std::copy(x.data(), x.data() + dim, out.displacements.begin() + std::ptrdiff_t(v) * dim);
  }
}

}  // namespace

bool hasForceConstants(const ModKel& m) {
  return m.FccFrom != 0 && m.NAt >= 1;
}

std::vector<double> currentMasses(const ModKel& m) {
  std::vector<double> masses(std::size_t(std::max<int>(m.NAt, 0)));
  for (int i = 1; i <= m.NAt; ++i) masses[std::size_t(i - 1)] = m.AtMas(i);
  return masses;
}

std::vector<std::vector<double>> rigidMotions(const ModKel& m, const std::vector<double>& masses,
                                              bool weighted, bool path) {
  const int n = int(masses.size());
  const Eigen::Vector3d c = centre(m, masses);
  std::vector<Eigen::VectorXd> raw;
  for (int axis = 0; axis < 6; ++axis) {
    Eigen::VectorXd v(3 * n);
    for (int a = 0; a < n; ++a) {
      const double w = weighted ? std::sqrt(masses[std::size_t(a)]) : 1.0;
      const Eigen::Vector3d r =
          Eigen::Vector3d(m.Xyz(a + 1, 1), m.Xyz(a + 1, 2), m.Xyz(a + 1, 3)) - c;
      Eigen::Vector3d e = Eigen::Vector3d::Zero();
      e(axis % 3) = 1;
      const Eigen::Vector3d motion = axis < 3 ? e : Eigen::Vector3d(e.cross(r));
      v.segment<3>(3 * a) = w * motion;
    }
    raw.push_back(v);
  }
  // a path also taken out (projected frequencies): mass-weighted like a force
  Eigen::VectorXd along(3 * n);
  for (int p = 0; p < 3 * n; ++p)
    along(p) = m.FccPath(p + 1) / (weighted ? std::sqrt(masses[std::size_t(p / 3)]) : 1.0);
  if (path && along.norm() > 0) raw.push_back(along);
  std::vector<Eigen::VectorXd> basis;
  for (auto& v : raw) {
    const double start = v.norm();
    if (start == 0) continue;
    for (int pass = 0; pass < 2; ++pass)
      for (const auto& b : basis) v -= b.dot(v) * b;
    const double left = v.norm();
    if (left <= DependentShare * start) continue;
    basis.push_back(v / left);
  }
  std::vector<std::vector<double>> motions;
  for (const auto& b : basis) motions.emplace_back(b.data(), b.data() + b.size());
  return motions;
}

void principalMoments(const ModKel& m, const std::vector<double>& masses, double (&moments)[3]) {
  const Eigen::Vector3d c = centre(m, masses);
  Eigen::Matrix3d inertia = Eigen::Matrix3d::Zero();
  for (std::size_t a = 0; a < masses.size(); ++a) {
    const int i = int(a) + 1;
    const Eigen::Vector3d r = Eigen::Vector3d(m.Xyz(i, 1), m.Xyz(i, 2), m.Xyz(i, 3)) - c;
    inertia += masses[a] * (r.squaredNorm() * Eigen::Matrix3d::Identity() - r * r.transpose());
  }
  Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver(inertia);
  for (int k = 0; k < 3; ++k) moments[k] = solver.eigenvalues()(k);
}

void analyseModes(const ModKel& m, const std::vector<double>& masses, NormalModes& out) noexcept {
  if (!guardWith(
          [&](std::string_view name, int number) {
            out = NormalModes{};
            out.message = std::string(name) + ": " + std::string(errorDescription(number));
          },
          "analyseModes", [&] { compute(m, masses, out); }))
    return;
}

}  // namespace kel
