// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --pdb, --gjf, --list-scratch, --erase.
#include "app/app.hpp"
#include "app/batch.hpp"

namespace kel {

bool batchExports(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  (void)app;
  (void)c;
  (void)ctx;
  (void)ok;
  return false;
}

}  // namespace kel
