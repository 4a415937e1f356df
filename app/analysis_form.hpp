// Kelvorin - desktop workbench for vibrational calculations.
// The Analysis window beside the frequency list: one row per mode (printed and computed
// frequency, intensities, label, assignment), the isotope table and the integrity report.
#pragma once

#include <string>
#include <vector>

namespace kel {

struct App;

struct AnalysisRow {
  int number = 0;
  double printed = 0;
  bool hasComputed = false;
  double computed = 0;  ///< cm-1 with the current masses
  double shift = 0;     ///< computed now minus computed with the masses read
  double ir = 0, raman = 0;
  std::string label, ped;
};

/// One atom of the isotope table: its mass as text and the common isotopes of its element.
struct IsotopeRow {
  int atom = 0;
  std::string symbol, mass;
  std::vector<std::string> isotopes;
};

struct FrmAnalysis {
  bool visible = false;
  std::string caption = "Analysis";
  std::string heading;  ///< which assignment the last column shows
  std::vector<AnalysisRow> rows;
  std::vector<IsotopeRow> isotopes;
  std::vector<std::string> report;
  std::string message;  ///< the reason of the last refused step; empty otherwise
  int generation = 0;   ///< grows with every refill, so a window knows to rebuild
};

/// Fills the window from the model (generating the internal coordinates when needed) and
/// shows it.
void analysisOpen(App& app, FrmAnalysis& f) noexcept;
/// A row click: that mode vibrates in the viewer (a second click stops it).
void analysisRow_Click(App& app, FrmAnalysis& f, int row) noexcept;
/// A mass typed or chosen for an atom: taken when it is a number in 0..1000, then the
/// modes are computed again; otherwise refused with a message and the table restored.
void analysisMass_Change(App& app, FrmAnalysis& f, int atom, const std::string& text) noexcept;
/// "Masses as read": every atom back to the mass of the read.
void analysisReset_Click(App& app, FrmAnalysis& f) noexcept;
void analysisClose(App& app, FrmAnalysis& f) noexcept;

}  // namespace kel
