// Kelvorin - desktop workbench for vibrational calculations.
// The Spectrum window as plain state: the computed IR and Raman spectra of the modes held,
// their settings, a measured spectrum laid over them and the fit of the scale factor. Batch
// mode (--spectrum, --experimental, --fit-scale) runs the same procedures.
#pragma once

#include "analysis/spectrum.hpp"
#include "readers/measured_spectrum.hpp"
#include "viewer/spectrum_plot.hpp"

#include <functional>
#include <string>

namespace kel {

struct App;

/// Writes a laid-out plot as a PNG picture; true when the file was written.
using PngPainter = std::function<bool(const PlotScene&, const std::string& file)>;

struct FrmSpectrum {
  bool visible = false;
  std::string caption = "Spectrum";
  SpectrumSettings settings;  ///< line shape, width, range, step and the scaling shown
  PlotOptions plot;           ///< IR, Raman or both; transmittance; reversed axis; size
  // the text boxes as typed (a refused value is put back)
  std::string fwhmText, fromText, toText, stepText, factorText, shiftText;
  MeasuredSpectrum measured;
  std::string measuredName;  ///< the file of the measured spectrum; empty when none
  Spectrum spectrum;
  PlotScene scene;
  std::string message;  ///< the reason of the last refused step; empty otherwise
  std::string fitText;  ///< the last fit's result
  int generation = 0;   ///< grows with every new picture
};

/// Which text box changed.
enum class SpectrumField { Fwhm, From, To, Step, Factor, Shift };

/// Shows the window with the scaling held and the current settings.
void spectrumOpen(App& app, FrmSpectrum& f) noexcept;
/// Computes the spectrum and lays the picture out anew (after any change of the settings).
void spectrumUpdate(App& app, FrmSpectrum& f) noexcept;
/// A typed value: taken when it is a number the field allows (an empty range box means the
/// default range), otherwise refused with a message and the box shows the value held.
void spectrumText_Change(App& app, FrmSpectrum& f, SpectrumField field,
                         const std::string& text) noexcept;
/// A click on the picture at pixel (x, y): the mode whose stick is there vibrates in the
/// viewer (a second click stops it). Returns that mode, 0 when none was hit.
int spectrumPlot_Click(App& app, FrmSpectrum& f, double x, double y) noexcept;
/// Reads a measured spectrum to lay over the IR curve; false (Text3 says why) when refused.
bool spectrumExperimental(App& app, FrmSpectrum& f, const std::string& file) noexcept;
/// "Fit scale": the factor (no shift) that best matches the measured spectrum is shown and
/// applied to the picture; the log gets "scale factor = F". False when no fit was made.
bool spectrumFit_Click(App& app, FrmSpectrum& f) noexcept;
/// "Keep as scaling instruction": the factor and shift shown become the scaling held, as a
/// "scaling factor" line of the file read would set them; the .kel file keeps it when
/// saved ("&Save .kel as is", which runs next when save is true).
void spectrumHold_Click(App& app, FrmSpectrum& f, bool save) noexcept;
/// Writes the spectrum to file by its extension: .csv (wavenumber, IR, Raman), .svg, or
/// .png through png. An older file of that name moves to its free numbered name. False with
/// the reason in Text3 when nothing was written.
bool spectrumWrite(App& app, FrmSpectrum& f, const std::string& file,
                   const PngPainter& png) noexcept;
void spectrumClose(App& app, FrmSpectrum& f) noexcept;

/// The factor as the fit reports it ("0.9650").
std::string factorText(double factor);

}  // namespace kel
