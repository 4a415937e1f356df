// Kelvorin - desktop workbench for vibrational calculations.
#include "app/exchange.hpp"

#include "app/app.hpp"
#include "app/batch.hpp"
#include "writers/molden.hpp"
#include "writers/xyz_export.hpp"

namespace kel {

namespace {

/// Runs one export; it failed when it says so or a run-time error was reported meanwhile.
template <typename Export>
bool runExport(App& app, Export&& write) {
  if (app.busy) return false;
  const int reports = app.erraCount;
  int ier = 0;
  write(ier);
  return ier == 0 && app.erraCount == reports;
}

}  // namespace

bool exportXyz(App& app) noexcept {
  return runExport(app, [&](int& ier) { XyzExp(app, ier); });
}

bool exportMolden(App& app, const std::string& file) noexcept {
  return runExport(app, [&](int& ier) { MoldenExp(app, file, ier); });
}

bool batchExchange(App& app, const BatchCommand& c, BatchContext&, bool& ok) {
  if (c.option == "--xyz")
    ok = exportXyz(app);
  else if (c.option == "--molden")
    ok = exportMolden(app, c.value);
  else
    return false;
  return true;
}

}  // namespace kel
