// Kelvorin - desktop workbench for vibrational calculations.
#include "base/platform.hpp"

#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
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

void prefaultForWriting(void* p, std::size_t bytes) noexcept {
#ifndef MADV_POPULATE_WRITE
  constexpr int MADV_POPULATE_WRITE = 23;  // Linux 5.14; older kernels refuse it harmlessly
#endif
  static const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
  const auto from = reinterpret_cast<std::uintptr_t>(p) / page * page;
  const auto to = reinterpret_cast<std::uintptr_t>(p) + bytes;
  if (bytes == 0 || to <= from) return;
  ::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
}

void largePages(void* p, std::size_t bytes) noexcept {
  constexpr std::uintptr_t Large = std::uintptr_t(1) << 21;
  const auto a = reinterpret_cast<std::uintptr_t>(p);
  const std::uintptr_t from = (a + Large - 1) / Large * Large, to = (a + bytes) / Large * Large;
  if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

}  // namespace kel
