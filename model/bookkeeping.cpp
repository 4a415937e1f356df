// Kelvorin - desktop workbench for vibrational calculations.
#include "model/bookkeeping.hpp"

#include "base/convert.hpp"

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr double ZeroCut = 1e-16;

}  // namespace

void setCounts(ModKel& m, int n) {
  m.NAt = cint16(n);
  m.FccFrom = 0;  // a new or edited structure: force constants only as a read sets them again
  m.NDof(1) = cint16(n);
  m.NDof(2) = cint16(3 * n);
  m.NDof(3) = cint16(3 * n - 3);
  m.NDof(4) = cint16(3 * n - 6);
}

void setDofWeights(ModKel& m, int n) {
  const int dof = 3 * n - 6;
  m.Par(par::DofWeightSingle) = dof > 0 ? double(float(1.0 / dof)) : 0.0;
  m.Par(par::DofWeight) = m.Par(par::DofWeightSingle);
  m.Par(par::DofWeightRest) = 0;
}

void fillBox(ModKel& m, int n) {
  m.Box.fill(0);
  m.Box(1, 0) = 100;
  for (int i = 1; i <= n; ++i)
    for (int k = 0; k <= 3; ++k) {
      const double v = k == 0 ? m.AtMas(i) : m.Xyz(i, k);
      m.Box(1, k) = std::min(m.Box(1, k), v);
      m.Box(2, k) = std::max(m.Box(2, k), v);
    }
  for (int k = 0; k <= 3; ++k) m.Box(3, k) = m.Box(2, k) - m.Box(1, k);
  m.Box(0, 0) = std::max({m.Box(3, 1), m.Box(3, 2), m.Box(3, 3)});
}

void setInverseMasses(ModKel& m, int n) {
  for (int i = 1; i <= n; ++i)
    for (int k = 0; k < 3; ++k) m.InvMas(3 * i - 2 + k) = m.AtMas(i) > 0 ? 1.0 / m.AtMas(i) : 0.0;
}

void cutZeros(ModKel& m, int n) {
  for (int i = 1; i <= n; ++i)
    for (int k = 1; k <= 3; ++k)
      if (std::fabs(m.Xyz(i, k)) < ZeroCut) m.Xyz(i, k) = 0;
}

}  // namespace kel
