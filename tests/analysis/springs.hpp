// Kelvorin - desktop workbench for vibrational calculations.
// Test molecules with spring force fields: springs at their rest length give force constants
// free of translation and rotation, with frequencies that can be worked out by hand.
#pragma once

#include "testing.hpp"

#include "analysis/normal_modes.hpp"
#include "base/convert.hpp"
#include "model/bookkeeping.hpp"
#include "readers/force_constants.hpp"

#include <cmath>
#include <vector>

namespace kel::testing {

struct Atom {
  int z;
  double x, y, w;  // w: the z coordinate
};
struct Spring {
  int i, j;  // 1-based
  double k;  // mdyn/A
};

/// Atoms into the model as a reader leaves them (masses from the element table).
inline void loadAtoms(ModKel& m, const std::vector<Atom>& atoms) {
  m.NAt = static_cast<i16>(atoms.size());
  for (std::size_t a = 0; a < atoms.size(); ++a) {
    const int i = int(a) + 1;
    setAtom(m, i, atoms[a].z);
    m.AtMas0(i) = m.AtMas(i);
    m.Xyz(i, 1) = atoms[a].x;
    m.Xyz(i, 2) = atoms[a].y;
    m.Xyz(i, 3) = atoms[a].w;
  }
  setCounts(m, m.NAt);
  setInverseMasses(m, m.NAt);
}

/// Fcc of springs between atom pairs: k e e^T on the diagonal blocks, -k e e^T off them.
inline void loadSprings(ModKel& m, const std::vector<Spring>& springs) {
  clearForceConstants(m);
  for (const auto& s : springs) {
    double e[3], len = 0;
    for (int c = 0; c < 3; ++c) {
      e[c] = m.Xyz(s.i, c + 1) - m.Xyz(s.j, c + 1);
      len += e[c] * e[c];
    }
    len = std::sqrt(len);
    for (int c = 0; c < 3; ++c) e[c] /= len;
    for (int c = 0; c < 3; ++c)
      for (int d = 0; d < 3; ++d) {
        const double v = s.k * e[c] * e[d];
        m.Fcc(3 * s.i - 2 + c, 3 * s.i - 2 + d) += v;
        m.Fcc(3 * s.j - 2 + c, 3 * s.j - 2 + d) += v;
        m.Fcc(3 * s.i - 2 + c, 3 * s.j - 2 + d) -= v;
        m.Fcc(3 * s.j - 2 + c, 3 * s.i - 2 + d) -= v;
      }
  }
  m.FccFrom = 1;
}

inline std::vector<Atom> water() {
  return {{8, 0.0, 0.0, 0.1173}, {1, 0.0, 0.7572, -0.4692}, {1, 0.0, -0.7572, -0.4692}};
}
/// O-H bonds and the H...H spring that holds the bend.
inline std::vector<Spring> waterSprings() {
  return {{1, 2, 8.4}, {1, 3, 8.4}, {2, 3, 0.7}};
}

inline std::vector<Atom> methane() {
  const double a = 0.6291;
  return {{6, 0, 0, 0}, {1, a, a, a}, {1, -a, -a, a}, {1, -a, a, -a}, {1, a, -a, -a}};
}
inline std::vector<Spring> methaneSprings() {
  std::vector<Spring> s;
  for (int h = 2; h <= 5; ++h) s.push_back({1, h, 5.0});
  for (int h = 2; h <= 5; ++h)
    for (int g = h + 1; g <= 5; ++g) s.push_back({h, g, 0.4});
  return s;
}

/// Computed modes held as a reader holds printed ones.
inline void holdModes(ModKel& m, const NormalModes& nm) {
  m.NFrq = static_cast<i16>(nm.count());
  for (int k = 1; k <= nm.count(); ++k) {
    m.Frq(k) = nm.frequencies[std::size_t(k - 1)];
    for (int a = 1; a <= m.NAt; ++a)
      for (int c = 1; c <= 3; ++c)
        m.ModeD(k, a, c) = CInt(100 * nm.displacement(k - 1, a - 1, c - 1));
  }
}

/// Water with springs and the working names set; its computed modes are returned and held.
inline NormalModes springWater(App& app) {
  auto& m = app.m;
  loadAtoms(m, water());
  loadSprings(m, waterSprings());
  m.FilNam = "water";
  app.frm.ScrMpo = "skrK.mpo";
  app.frm.ScrMpob = "sskrK.mpo";
  NormalModes nm;
  analyseModes(m, currentMasses(m), nm);
  holdModes(m, nm);
  return nm;
}

}  // namespace kel::testing
