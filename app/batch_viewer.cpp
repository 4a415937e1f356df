// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --view, --rotate, --zoom, --balls, --labels, --hatoms, --measure, --delete, --undo, --distance, --vibrate, --amplitude, --speed, --render.
#include "app/app.hpp"
#include "app/batch.hpp"

namespace kel {

bool batchViewer(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  (void)app;
  (void)c;
  (void)ctx;
  (void)ok;
  return false;
}

}  // namespace kel
