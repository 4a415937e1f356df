// Kelvorin - desktop workbench for vibrational calculations.
// One libFuzzer target: KEL_FUZZ_ENTRY names the reader entry it feeds. With KEL_FUZZ_SHOW
// set, each run prints what the read left (to see why an input is turned down).
#include "fuzz_common.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
bool show = false;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  show = std::getenv("KEL_FUZZ_SHOW") != nullptr;
  kel::fuzz::enterPrivateFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto o = kel::fuzz::runEntry(kel::fuzz::Entry::KEL_FUZZ_ENTRY,
                               {reinterpret_cast<const char*>(data), size});
  if (show)
    std::fprintf(stderr, "read %s, %d reports: %s\n", o.failed ? "failed" : "ok", o.reports,
                 o.message.c_str());
  return 0;
}
