// Kelvorin - desktop workbench for vibrational calculations.
#include "model/mode_motion.hpp"

#include <algorithm>
#include <cmath>

namespace kel {

double periodPhase(int k, int n) {
  if (n <= 0) return 0;
  // quarter periods: rise to the peak, back to rest, down to the trough, back to rest; in
  // whole numbers over n, so that frames on the animation's own phases hit them exactly
  long long quarter = (long long)n * PeakPhase;
  long long a = (long long)(((k % n) + n) % n) * 4 * PeakPhase;
  long long num = a <= quarter ? a : a <= 3 * quarter ? 2 * quarter - a : a - 4 * quarter;
  return double(num) / n;
}

float modeOffset(const ModKel& m, int mode, int i, int c, double phase) {
  return float(m.ModeD(mode, i, c) / ModeDivisor * (phase * m.VibAmp));
}

double largestDisplacement(const ModKel& m, int mode) {
  if (mode < 1 || mode > m.NFrq) return 0;
  double most = 0;
  for (int i = 1; i <= m.NAt; ++i) {
    double s = 0;
    for (int c = 1; c <= 3; ++c) s += double(m.ModeD(mode, i, c)) * m.ModeD(mode, i, c);
    most = std::max(most, std::sqrt(s));
  }
  return most;
}

bool displaceAlongMode(ModKel& m, int mode, double step) {
  double most = largestDisplacement(m, mode);
  if (!(most > 0) || !std::isfinite(step)) return false;
  for (int i = 1; i <= m.NAt; ++i)
    for (int c = 1; c <= 3; ++c) m.Xyz(i, c) += step * m.ModeD(mode, i, c) / most;
  return true;
}

}  // namespace kel
