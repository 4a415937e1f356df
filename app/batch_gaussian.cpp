// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --kel, --add, --place.
#include "app/app.hpp"
#include "app/batch.hpp"

namespace kel {

bool batchGaussian(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  (void)app;
  (void)c;
  (void)ctx;
  (void)ok;
  return false;
}

}  // namespace kel
