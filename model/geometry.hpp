// Kelvorin - desktop workbench for vibrational calculations.
// Vector geometry on atom positions: distances, bond vectors, angles, torsions.
#pragma once

#include "model/model.hpp"

#include <array>
#include <string_view>

namespace kel {

/// A 3-vector with components 1, 2, 3 (x, y, z); component 0 is unused.
using Vec = std::array<double, 4>;

double fns(double a, double b);  ///< magnitude of a with the sign of b (b = 0: +)
double fnsq2(double x);          ///< sqrt|1 - x^2|
double fnarc(double x);          ///< arc cosine in radians, [0, pi]
double sca(const Vec& a, const Vec& b);
void norm(Vec& v);                                ///< unit length; a zero vector stays zero
void normal(const Vec& a, const Vec& b, Vec& c);  ///< c = unit a x b

/// e = unit vector from atom j towards atom i, r = their distance (positions from Xyz).
void vek(const ModKel& m, Vec& e, double& r, int i, int j);
double Dist(const ModKel& m, int i, int j);
double Bend(const ModKel& m, int i, int j, int k);         ///< angle i-j-k at j, degrees
double Tout(const ModKel& m, int i, int j, int k, int l);  ///< out of plane at l, degrees
double Tors(const ModKel& m, int i, int j, int k, int l);  ///< torsion about j-k, degrees

/// Closest pair between atoms 1..na and na+1..nb: ok = 0 and shift = the push that moves
/// that pair 0.01 A beyond dmin when they are closer than dmin.
void sp_dis(const ModKel& m, int na, int nb, double& shift, double dmin, i16& ok, i16& ia, i16& ib);

/// Fewest modes a whole table holds for the n atoms of the model: 3N - 6, or 3N - 5 when all
/// atoms lie on one line; one fewer for a job whose route line asks for projected frequencies.
/// The atoms are offset + 1 .. offset + n.
int expectedModes(const ModKel& m, int n, std::string_view route, int offset = 0);

}  // namespace kel
