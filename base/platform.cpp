// Kelvorin - desktop workbench for vibrational calculations.
#include "base/platform.hpp"

#include <chrono>
#include <ctime>

namespace kel {

double SystemClock::timer() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  double frac = double(duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000) / 1e6;
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + frac;
}

}  // namespace kel
