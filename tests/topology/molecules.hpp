// Kelvorin - desktop workbench for vibrational calculations.
// Test molecules with coordinates written by hand, and the helpers the topology tests share:
// loading a structure into the model, the console lines, and the rank of the Wilson B-matrix.
#pragma once

#include "testing.hpp"

#include "base/convert.hpp"
#include "model/geometry.hpp"
#include "topology/connections.hpp"
#include "topology/internal_coords.hpp"

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace kel::testing {

struct AtomXyz {
  int z;
  double x, y, w;  // w: the z coordinate
};
using Molecule = std::vector<AtomXyz>;

/// Puts the atoms into the model as a reader would and sets the shell strings; FilNam is the
/// structure's name (its ".mpo" is the structure's connection file).
inline void loadMolecule(App& app, const Molecule& mol, const std::string& filNam = "mol") {
  auto& m = app.m;
  m.NAt = static_cast<i16>(mol.size());
  for (std::size_t k = 0; k < mol.size(); ++k) {
    int i = int(k) + 1;
    setAtom(m, i, mol[k].z);
    m.Xyz(i, 1) = mol[k].x;
    m.Xyz(i, 2) = mol[k].y;
    m.Xyz(i, 3) = mol[k].w;
  }
  int n = m.NAt;
  m.NDof(1) = static_cast<i16>(n);
  m.NDof(2) = static_cast<i16>(3 * n);
  m.NDof(3) = static_cast<i16>(3 * n - 3);
  m.NDof(4) = m.NDof(0) = static_cast<i16>(3 * n - 6);
  m.FilNam = filNam;
  app.frm.Banner = "****Kelvorin**** version 2 ";
  app.frm.ScrMpo = "skrK.mpo";
  app.frm.ScrMpob = "sskrK.mpo";
}

/// Runs the connection procedure on the name given ("" derives or reuses, "*" and "**"
/// derive, else a file) and returns the name as it leaves it.
inline std::string mpoDef(App& app, std::string name = {}) {
  MpoDef(app, name);
  return name;
}

/// Console lines (Text2 holds them joined by line breaks).
inline std::vector<std::string> consoleLines(const App& app) {
  return linesOf(app.frm.Text2.text);
}

// ------------------------------------------------------------------ molecules (angstrom)

inline Molecule water() {
  return {{8, 0.0, 0.0, 0.1173}, {1, 0.0, 0.7572, -0.4692}, {1, 0.0, -0.7572, -0.4692}};
}

inline Molecule ammonia() {
  return {{7, 0.0, 0.0, 0.1130},
          {1, 0.0, 0.9377, -0.2637},
          {1, 0.8121, -0.4689, -0.2637},
          {1, -0.8121, -0.4689, -0.2637}};
}

inline Molecule methane() {
  return {{6, 0.0, 0.0, 0.0},
          {1, 0.6291, 0.6291, 0.6291},
          {1, -0.6291, -0.6291, 0.6291},
          {1, -0.6291, 0.6291, -0.6291},
          {1, 0.6291, -0.6291, -0.6291}};
}

inline Molecule ethane() {
  return {{6, 0.0000, 0.0000, 0.7675},   {6, 0.0000, 0.0000, -0.7675},
          {1, 1.0200, 0.0000, 1.1631},   {1, -0.5100, 0.8833, 1.1631},
          {1, -0.5100, -0.8833, 1.1631}, {1, 0.5100, 0.8833, -1.1631},
          {1, -1.0200, 0.0000, -1.1631}, {1, 0.5100, -0.8833, -1.1631}};
}

inline Molecule ethylene() {
  return {{6, 0.0, 0.0, 0.6695},     {6, 0.0, 0.0, -0.6695},    {1, 0.0, 0.9289, 1.2321},
          {1, 0.0, -0.9289, 1.2321}, {1, 0.0, 0.9289, -1.2321}, {1, 0.0, -0.9289, -1.2321}};
}

inline Molecule formaldehyde() {
  return {{6, 0.0, 0.0, -0.5296},
          {8, 0.0, 0.0, 0.6740},
          {1, 0.0, 0.9349, -1.1191},
          {1, 0.0, -0.9349, -1.1191}};
}

inline Molecule methanol() {
  return {{6, 0.0000, 0.0000, 0.0000},   {8, 1.4270, 0.0000, 0.0000},
          {1, 1.7303, 0.9066, 0.0000},   {1, -0.3649, -1.0303, 0.0000},
          {1, -0.3649, 0.5152, -0.8923}, {1, -0.3649, 0.5152, 0.8923}};
}

inline Molecule benzene() {
  return {{6, 1.3970, 0.0000, 0.0},  {6, 0.6985, 1.2098, 0.0},   {6, -0.6985, 1.2098, 0.0},
          {6, -1.3970, 0.0000, 0.0}, {6, -0.6985, -1.2098, 0.0}, {6, 0.6985, -1.2098, 0.0},
          {1, 2.4810, 0.0000, 0.0},  {1, 1.2405, 2.1486, 0.0},   {1, -1.2405, 2.1486, 0.0},
          {1, -2.4810, 0.0000, 0.0}, {1, -1.2405, -2.1486, 0.0}, {1, 1.2405, -2.1486, 0.0}};
}

inline Molecule cyclohexane() {
  return {
      {6, 1.4460, 0.0000, 0.2500},   {6, 0.7230, 1.2523, -0.2500},  {6, -0.7230, 1.2523, 0.2500},
      {6, -1.4460, 0.0000, -0.2500}, {6, -0.7230, -1.2523, 0.2500}, {6, 0.7230, -1.2523, -0.2500},
      {1, 2.4697, 0.0000, -0.1243},  {1, 1.4571, 0.0000, 1.3399},   {1, 0.7285, 1.2619, -1.3399},
      {1, 1.2349, 2.1388, 0.1243},   {1, -1.2349, 2.1388, -0.1243}, {1, -0.7285, 1.2619, 1.3399},
      {1, -1.4571, 0.0000, -1.3399}, {1, -2.4697, 0.0000, 0.1243},  {1, -1.2349, -2.1388, -0.1243},
      {1, -0.7285, -1.2619, 1.3399}, {1, 0.7285, -1.2619, -1.3399}, {1, 1.2349, -2.1388, 0.1243}};
}

inline Molecule naphthalene() {
  return {{6, 1.2124, 1.4000, 0.0},   {6, 2.4249, 0.7000, 0.0},   {6, 2.4249, -0.7000, 0.0},
          {6, 1.2124, -1.4000, 0.0},  {6, -1.2124, -1.4000, 0.0}, {6, -2.4249, -0.7000, 0.0},
          {6, -2.4249, 0.7000, 0.0},  {6, -1.2124, 1.4000, 0.0},  {6, 0.0000, 0.7000, 0.0},
          {6, 0.0000, -0.7000, 0.0},  {1, 1.2124, 2.4800, 0.0},   {1, 3.3602, 1.2400, 0.0},
          {1, 3.3602, -1.2400, 0.0},  {1, 1.2124, -2.4800, 0.0},  {1, -1.2124, -2.4800, 0.0},
          {1, -3.3602, -1.2400, 0.0}, {1, -3.3602, 1.2400, 0.0},  {1, -1.2124, 2.4800, 0.0}};
}

/// A water molecule donating one hydrogen bond to a second one (O-H...O 172.5 degrees):
/// H2...O4 = 1.9482 A, every other contact beyond its limit (one intermolecular bond).
inline Molecule waterDimer() {
  return {{8, 0.0, 0.0, 0.0}, {1, 0.9536, 0.0834, 0.0}, {1, -0.3195, 0.9023, 0.0},
          {8, 2.9, 0.0, 0.0}, {1, 3.4861, 0.0, 0.7569}, {1, 3.4861, 0.0, -0.7569}};
}

/// Two waters in one plane, O...O 2.9 A: near contacts H2...O4 1.95, H6...O1 2.3151 and
/// H5...O1 2.5588 A; the two shortest become intermolecular bonds.
inline Molecule cyclicWaterDimer() {
  return {{8, 0.0, 0.0, 0.0}, {1, 0.95, 0.0, 0.0},    {1, -0.2397, 0.9267, 0.0},
          {8, 2.9, 0.0, 0.0}, {1, 2.42, 0.8314, 0.0}, {1, 2.2152, -0.6729, 0.0}};
}

// ------------------------------------------------------------------ Wilson B-matrix rank

using P3 = std::array<double, 3>;

inline P3 at(const std::vector<P3>& x, int a) {
  return x[std::size_t(a)];
}
inline P3 dif(P3 a, P3 b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
inline double dt(P3 a, P3 b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
inline P3 cr(P3 a, P3 b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline double ln(P3 a) {
  return std::sqrt(dt(a, a));
}

/// The coordinate of row r as a smooth function of positions: distance, angle, signed
/// out-of-plane angle (arcsin s) and a torsion without the jump (atan2), in radians.
inline double smoothValue(const ModKel& m, int r, const std::vector<P3>& x) {
  int a = m.IcTab(r, 1), b = m.IcTab(r, 2), c = m.IcTab(r, 3), d = m.IcTab(r, 4);
  switch (m.IcTab(r, 5)) {
    case 1:
      return ln(dif(at(x, a), at(x, b)));
    case 2: {
      P3 u = dif(at(x, a), at(x, b)), v = dif(at(x, c), at(x, b));
      return std::atan2(ln(cr(u, v)), dt(u, v));
    }
    case 3: {  // bond d-a against the plane b-d-c
      P3 e1 = dif(at(x, a), at(x, d)), e2 = dif(at(x, b), at(x, d)), e3 = dif(at(x, c), at(x, d));
      P3 n = cr(e2, e3);
      return std::asin(dt(e1, n) / (ln(e1) * ln(n)));
    }
    case 4: {
      P3 b1 = dif(at(x, b), at(x, a)), b2 = dif(at(x, c), at(x, b)), b3 = dif(at(x, d), at(x, c));
      P3 n1 = cr(b1, b2), n2 = cr(b2, b3);
      return std::atan2(ln(b2) * dt(b1, n2), dt(n1, n2));
    }
    case 5:
    case 6:
      return linearBendDeviation(at(x, a), at(x, b), at(x, c), m.IcTab(r, 5) - 5);
    default:
      return 0;
  }
}

/// Rank of the B-matrix of IcTab rows 1..IcRows: derivatives by central differences (only
/// the atoms of each row move), Gaussian elimination column by column with the largest pivot.
inline int bMatrixRank(const ModKel& m) {
  int n = m.NAt, rows = m.IcRows;
  std::vector<P3> x(std::size_t(n) + 1);
  for (int a = 1; a <= n; ++a) x[std::size_t(a)] = {m.Xyz(a, 1), m.Xyz(a, 2), m.Xyz(a, 3)};
  const double h = 1e-5;
  std::size_t C = std::size_t(3 * n);
  std::vector<std::vector<double>> B(std::size_t(rows), std::vector<double>(C, 0.0));
  for (int r = 1; r <= rows; ++r)
    for (int k = 1; k <= 4; ++k) {
      int a = m.IcTab(r, k);
      if (a == 0) continue;
      for (std::size_t c = 0; c < 3; ++c) {
        double keep = x[std::size_t(a)][c];
        x[std::size_t(a)][c] = keep + h;
        double up = smoothValue(m, r, x);
        x[std::size_t(a)][c] = keep - h;
        double down = smoothValue(m, r, x);
        x[std::size_t(a)][c] = keep;
        B[std::size_t(r - 1)][3 * std::size_t(a - 1) + c] = (up - down) / (2 * h);
      }
    }
  int rank = 0;
  std::vector<char> usedRow(B.size(), 0);
  for (std::size_t j = 0; j < C; ++j) {
    double best = 1e-6;
    std::size_t bi = B.size();
    for (std::size_t i = 0; i < B.size(); ++i)
      if (!usedRow[i] && std::fabs(B[i][j]) > best) best = std::fabs(B[i][j]), bi = i;
    if (bi == B.size()) continue;
    usedRow[bi] = 1;
    ++rank;
    for (std::size_t i = 0; i < B.size(); ++i) {
      if (usedRow[i] || B[i][j] == 0.0) continue;
      double f = B[i][j] / B[bi][j];
      for (std::size_t k = j; k < C; ++k)
        if (B[bi][k] != 0.0) B[i][k] -= f * B[bi][k];
    }
  }
  return rank;
}

}  // namespace kel::testing
