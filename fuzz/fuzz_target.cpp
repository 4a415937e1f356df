// Kelvorin - desktop workbench for vibrational calculations.
// One libFuzzer target: KEL_FUZZ_ENTRY names the reader entry it feeds.
#include "fuzz_common.hpp"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kel::fuzz::enterPrivateFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kel::fuzz::runEntry(kel::fuzz::Entry::KEL_FUZZ_ENTRY,
                      {reinterpret_cast<const char*>(data), size});
  return 0;
}
