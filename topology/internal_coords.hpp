// Kelvorin - desktop workbench for vibrational calculations.
// Internal coordinates: a complete, non-redundant valence set generated from the bonds, and
// the small table helpers the generator uses.
#pragma once

#include "model/model.hpp"
#include "model/work.hpp"

#include <algorithm>
#include <array>
#include <vector>

namespace kel {

/// Internal-coordinate type codes (column 5 of IcTab, index into IcName).
enum IcType : int { IcStre = 1, IcBend = 2, IcOut = 3, IcTors = 4, IcBeip = 5, IcBepe = 6 };

/// Generates the internal coordinates of the current matrix into IcTab (rows 1..IcRows:
/// column 0 key, 1..4 atoms in the argument order of Dist/Bend/Tout/Tors, 5 type, 6 the atom
/// the coordinate places) and counts them in NDof(0). Logs the comparison with 3N - 6, "MPO
/// not approved" (Sw(sw::MatrixDefined) off) when the bonds do not join every atom, and "end of
/// data input".
void MpoCrd(Work& w, int mode) noexcept;

/// Drops row n of IcTab when it repeats an earlier row (also with columns 2 and 3 exchanged):
/// n and the type counter m then go back by 1.
void MpoPor(Work& w, i16& n, i16& m) noexcept;

/// Value of IcTab row r as shown: angstrom for a stretch, degrees otherwise (Tout, Tors; a
/// linear bend as 180 minus its deviation).
double icValue(const ModKel& m, int r);

/// The linear bend i-j-k (apex j) in radians: how far the chain turns at j, signed, in one of
/// two fixed planes through the axis i-k (component 0 or 1); 0 for a straight chain. The
/// planes hold the axis and the first Cartesian axis with a direction cosine of at most 0.6
/// to it (component 0), or stand at right angles to that one (component 1).
double linearBendDeviation(const std::array<double, 3>& i, const std::array<double, 3>& j,
                           const std::array<double, 3>& k, int component);

/// Sorts rows i0..n of A into ascending order of column c, moving columns 0..last of each row;
/// rows with equal keys keep their order.
template <int R, int C>
void Ord2(Work& w, Tab<i16, R, C>& A, int i0, int n, int c, int last) noexcept {
  guard(w, "Ord2", [&] {
    if (n <= i0) return;
    std::vector<std::array<i16, C + 1>> rows;
    for (int i = i0; i <= n; ++i) {
      std::array<i16, C + 1> row{};
      for (int k = 0; k <= last; ++k) row[std::size_t(k)] = A(i, k);
      rows.push_back(row);
    }
    (void)A(i0, c);  // the key column must exist
    std::stable_sort(rows.begin(), rows.end(), [c](const auto& x, const auto& y) {
      return x[std::size_t(c)] < y[std::size_t(c)];
    });
    for (int i = i0; i <= n; ++i)
      for (int k = 0; k <= last; ++k) A(i, k) = rows[std::size_t(i - i0)][std::size_t(k)];
  });
}

/// In rows 1..n of column 0 of A every value x becomes y and every y becomes x.
template <int R, int C>
void JoSwp(Work& w, Tab<i16, R, C>& A, int n, int x, int y) noexcept {
  guard(w, "JoSwp", [&] {
    for (int i = 1; i <= n; ++i) {
      if (A(i, 0) == x)
        A(i, 0) = static_cast<i16>(y);
      else if (A(i, 0) == y)
        A(i, 0) = static_cast<i16>(x);
    }
  });
}

/// p = the first row i in 1..n with A(i, c) = x, else 0.
template <int R, int C>
void Jota(Work& w, const Tab<i16, R, C>& A, int n, int c, int x, i16& p) noexcept {
  p = 0;
  guard(w, "Jota", [&] {
    for (int i = 1; i <= n; ++i)
      if (A(i, c) == x) {
        p = static_cast<i16>(i);
        return;
      }
  });
}

/// p = the first row i in 1..n holding (a, b, c) in columns 1..3, -i when it holds (c, b, a),
/// 0 when neither occurs.
template <int R, int C>
void Jota3(Work& w, const Tab<i16, R, C>& A, int n, int a, int b, int c, i16& p) noexcept {
  p = 0;
  guard(w, "Jota3", [&] {
    if (n < 1) return;
    (void)A(n, 3);  // rows and columns in range
    // columns are contiguous (first index fastest): the middle atom, equal in both orders,
    // rules most rows out with one look
    const i16* c1 = &A(0, 1);
    const i16* c2 = &A(0, 2);
    const i16* c3 = &A(0, 3);
    for (int i = 1; i <= n; ++i) {
      if (c2[i] != b) continue;
      if (c1[i] == a && c3[i] == c) {
        p = static_cast<i16>(i);
        return;
      }
      if (c1[i] == c && c3[i] == a) {
        p = static_cast<i16>(-i);
        return;
      }
    }
  });
}

}  // namespace kel
