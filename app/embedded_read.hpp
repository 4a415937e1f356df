// Kelvorin - desktop workbench for vibrational calculations.
// A read made on behalf of another program (the Python module), and the results that the
// JSON document and that program share, so that both give the same numbers.
#pragma once

#include "analysis/json_document.hpp"
#include "analysis/normal_modes.hpp"
#include "analysis/ped.hpp"
#include "analysis/report.hpp"
#include "model/work.hpp"

#include <string>
#include <vector>

namespace kel {

struct App;

/// What the "analysis" object of the JSON document holds, for the current masses.
struct HeldAnalysis {
  bool any = false;   ///< force constants or modes are held: there is something to analyse
  NormalModes modes;  ///< the modes of Fcc (none when there are no force constants)
  Ped ped;
  FrequencyReport report;
  /// The computed modes, or null when there are none.
  const NormalModes* computed() const {
    return modes.message.empty() && modes.count() > 0 ? &modes : nullptr;
  }
  JsonAnalysis view() const { return {computed(), &ped, &report}; }
};

/// The internal coordinates of the current structure, generated when not yet made.
void ensureCoordinates(App& app);
/// The report alone, computing the modes of Fcc first when there are force constants.
void makeReport(App& app, NormalModes& nm, FrequencyReport& r);
/// The whole analysis of the document: the internal coordinates first, then the report,
/// the modes and the PED.
void analyseHeld(App& app, HeldAnalysis& out);

/// Masses 1..NAt after a list of "N=MASS" and "SYMBOL=MASS" items (as --masses takes it)
/// are applied to the current ones; false with the reason when the list is refused.
bool massesAfter(const App& app, const std::string& list, std::vector<double>& masses,
                 std::string& message);
/// Makes masses the model's masses (and their inverses), as --masses does.
void setMasses(App& app, const std::vector<double>& masses);

/// A read for another program: the file is read as batch mode reads its FILE, but the
/// process's working folder stays where it is, nothing is printed and no log, scratch or
/// connection file is written; the own structure file beside the input only with writeKel.
/// Returns the status batch mode would give (true: atoms held, no failure, no error report);
/// on failure the reason is in Text3 (and Text4).
bool readEmbedded(App& app, const std::string& path, GeometryChoice geometry, bool writeKel);

/// The reason of a failed embedded read: Text3, else Text4, else a plain sentence.
std::string readFailure(const App& app, const std::string& path);

}  // namespace kel
