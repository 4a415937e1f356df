// Kelvorin - desktop workbench for vibrational calculations.
#include "model/placement.hpp"

#include "base/convert.hpp"
#include "model/bookkeeping.hpp"
#include "model/geometry.hpp"
#include "model/work.hpp"

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view AddedAt = "structure added at ";
constexpr std::string_view AndText = "               and ";
constexpr std::string_view PosText[] = {"Xpos =", "Ypos =", "Zpos ="};
constexpr std::string_view CorrText[] = {"Xcorr =", "Ycorr =", "Zcorr ="};
constexpr std::string_view Dupsko = "...dupsko";

constexpr double Gap = 0.1;           ///< between the two boxes, angstrom
constexpr double MinDistance = 2.01;  ///< closest allowed pair between the parts
constexpr double ReportedPush = 0.1;  ///< a push still needed above this is reported

/// Check boxes of axis k (1..3): the one moving towards + and the one moving towards -.
constexpr int PlusBox[] = {0, 0, 3, 5};
constexpr int MinusBox[] = {0, 1, 2, 4};

/// Extents of atoms from..to into table b (rows 1 minima, 2 maxima, 3 ranges; column 0 mass).
void extents(ModKel& m, Tab<double, 3, 3>& b, int from, int to) {
  b.fill(0);
  b(1, 0) = 100;
  for (int k = 1; k <= 3; ++k) {
    b(1, k) = from <= to ? m.Xyz(from, k) : 0;
    b(2, k) = b(1, k);
  }
  for (int i = from; i <= to; ++i) {
    for (int k = 1; k <= 3; ++k) {
      b(1, k) = std::min(b(1, k), m.Xyz(i, k));
      b(2, k) = std::max(b(2, k), m.Xyz(i, k));
    }
    b(1, 0) = std::min(b(1, 0), m.AtMas(i));
    b(2, 0) = std::max(b(2, 0), m.AtMas(i));
  }
  for (int k = 0; k <= 3; ++k) b(3, k) = b(2, k) - b(1, k);
  b(0, 0) = std::max({b(3, 1), b(3, 2), b(3, 3)});
}

/// Moves atoms from..to so that their unweighted centre is at the origin.
void centre(ModKel& m, int from, int to) {
  if (to < from) return;
  for (int k = 1; k <= 3; ++k) {
    double s = 0;
    for (int i = from; i <= to; ++i) s += m.Xyz(i, k);
    s /= (to - from + 1);
    for (int i = from; i <= to; ++i) m.Xyz(i, k) -= s;
  }
}

}  // namespace

void set_xyz(Work& w, int m) {
  centre(w.m, 1, m);
  extents(w.m, w.m.Box, 1, m);
}

void Kopnij(Work& w, int n1, int n, double shift, int k) {
  for (int i = n1 + 1; i <= n; ++i) w.m.Xyz(i, k) += shift;
}

void seta_xyz(Work& w, int n1, int n, const std::array<bool, 6>& checked) {
  auto& m = w.m;
  if (n1 == 0 || n - n1 < 1) return;
  for (int i = 1; i <= n1; ++i)
    for (int k = 0; k <= 3; ++k) m.Xyz(i, k) = m.XyzV(i, k);
  set_xyz(w, n1);
  centre(m, n1 + 1, n);
  extents(m, m.BoxB, n1 + 1, n);
  int firstAxis = 0;
  double direction = 0;
  for (int k = 1; k <= 3; ++k) {
    double shift = 0, sign = 0;
    if (checked[PlusBox[k]]) {
      shift = m.Box(2, k) - m.BoxB(1, k) + Gap;
      sign = 1;
    } else if (checked[MinusBox[k]]) {
      shift = m.Box(1, k) - m.BoxB(2, k) - Gap;
      sign = -1;
    } else {
      continue;
    }
    Kopnij(w, n1, n, shift, k);
    tekst(w, std::string(firstAxis == 0 ? AddedAt : AndText) + std::string(PosText[k - 1]) +
                 Str(shift));
    if (firstAxis == 0) {
      firstAxis = k;
      direction = sign;
    }
  }
  double push = 0, total = 0;
  i16 ok = -1, a = 0, b = 0;
  if (firstAxis != 0) {
    for (int tries = 0; tries < 2; ++tries) {
      sp_dis(m, n1, n, push, MinDistance, ok, a, b);
      if (ok != 0) break;
      Kopnij(w, n1, n, direction * push, firstAxis);
      total += push;
    }
    if (total != 0) tekst(w, std::string(CorrText[firstAxis - 1]) + Str(total));
  }
  sp_dis(m, n1, n, push, MinDistance, ok, a, b);
  if (ok == 0 && push > ReportedPush) tekst(w, std::string(Dupsko) + Str(a) + Str(b) + Str(push));
  set_xyz(w, n);
}

}  // namespace kel
