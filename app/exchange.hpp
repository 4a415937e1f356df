// Kelvorin - desktop workbench for vibrational calculations.
// Files for other programs: the structure as .xyz, the structure and its modes in Molden
// format. The desktop's export menu and the batch options --xyz and --molden run these.
#pragma once

#include <string>

namespace kel {

struct App;
struct BatchCommand;
struct BatchContext;

/// "Export .xyz": FilNam + ".xyz" by the free-name rule. False when nothing was written.
bool exportXyz(App& app) noexcept;
/// "Export Molden file": file (FilNam + ".molden" when empty) by the free-name rule. False
/// when nothing was written.
bool exportMolden(App& app, const std::string& file = {}) noexcept;

/// Batch commands --xyz and --molden FILE.
bool batchExchange(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok);

}  // namespace kel
