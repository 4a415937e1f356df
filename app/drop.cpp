// Kelvorin - desktop workbench for vibrational calculations.
#include "app/drop.hpp"

#include "app/app.hpp"
#include "app/choosers.hpp"
#include "app/dispatcher.hpp"
#include "base/files.hpp"
#include "base/strings.hpp"

#include <array>

namespace kel {

namespace {

constexpr std::array<std::string_view, 7> OutputExtensions = {"log", "out",  "fmt", "fmu",
                                                              "fmv", "fchk", "fch"};

/// The extension of the file-name part, lower-cased ("" when none).
std::string extensionOf(std::string_view name) {
  std::size_t start = fileNameStart(std::string(name));
  auto dot = name.rfind('.');
  if (dot == std::string_view::npos || dot < start) return {};
  return lower(name.substr(dot + 1));
}

}  // namespace

bool isOutputName(std::string_view name) {
  std::string ext = extensionOf(name);
  for (auto e : OutputExtensions)
    if (ext == e) return true;
  return false;
}

bool openDroppedFile(App& app, const std::string& name) noexcept {
  if (app.busy || app.m.Sw(sw::BreakWaiting) != 0 || name.empty()) return false;
  bool read = false;
  guard(app, "openDroppedFile", [&] {
    if (isOutputName(name)) {
      ibut_Click(app, cmd::InputLog);
      read = kelWe2_Accept(app, name);
      if (!read) kelWe2_Cancel(app);
    } else {
      ibut_Click(app, cmd::InputGeometry);
      read = kelWe1_Accept(app, name);
      if (!read) kelWe1_Cancel(app);
    }
  });
  return read;
}

}  // namespace kel
