// Kelvorin - desktop workbench for vibrational calculations.
// The batch commands: each runs as the button or menu of the desktop program would. The
// commands of each subject live in their own file (batch_*.cpp).
#include "app/app.hpp"
#include "app/batch.hpp"

#include <ostream>

namespace kel {

bool runBatchCommand(App& app, const BatchCommand& c, const BatchOptions& o,
                     std::ostream& out, std::ostream& err, const BatchHooks& hooks) {
  BatchContext ctx{o, out, err, hooks};
  bool ok = true;
  if (batchTopology(app, c, ctx, ok) || batchExports(app, c, ctx, ok) ||
      batchGaussian(app, c, ctx, ok) || batchViewer(app, c, ctx, ok))
    return ok;
  err << "kelvorin: " << c.option << " is not available in this build\n";
  return false;
}

}  // namespace kel
