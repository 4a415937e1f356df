// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --mpo, --ic.
#include "app/app.hpp"
#include "app/batch.hpp"

namespace kel {

bool batchTopology(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  (void)app;
  (void)c;
  (void)ctx;
  (void)ok;
  return false;
}

}  // namespace kel
