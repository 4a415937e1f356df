// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --spectrum and --fit-scale, with the settings --fwhm, --lineshape, --range,
// --step and the measured spectrum of --experimental, which act wherever they stand.
#include "app/app.hpp"
#include "app/batch.hpp"
#include "app/spectrum_form.hpp"
#include "base/strings.hpp"

#include <ostream>

namespace kel {

namespace {

constexpr std::string_view Me = "kelvorin: ";
constexpr std::string_view NoPictures = "pictures are not available in this build";

/// The form as the Spectrum window would show it: the settings of the command line and the
/// scaling held now (the file's scaling line, or the factor of an earlier --fit-scale).
void prepare(App& app, const BatchOptions& o) {
  FrmSpectrum& f = app.spectrum;
  const Scaling held = heldScaling(app.m);
  f.settings = o.spectrum;
  f.settings.scaling = held;
  f.plot.kind = PlotKind::Both;
  f.plot.width = 1000;
  f.plot.height = f.spectrum.ramanHeld || app.m.RaInt(0) > 0 ? 760 : 560;
}

bool spectrum(App& app, const BatchCommand& c, BatchContext& ctx) {
  FrmSpectrum& f = app.spectrum;
  prepare(app, ctx.options);
  spectrumUpdate(app, f);
  if (f.spectrum.x.empty()) {
    app.frm.Text3.text = f.spectrum.message;
    return false;
  }
  PngPainter png;
  if (ctx.hooks.renderSpectrum)
    png = [&](const PlotScene& scene, const std::string& file) {
      return ctx.hooks.renderSpectrum(scene, file) == 0;
    };
  else if (c.value.size() >= 4 && lower(c.value.substr(c.value.size() - 4)) == ".png")
    ctx.err << Me << c.option << " " << c.value << ": " << NoPictures << "\n";
  return spectrumWrite(app, f, c.value, png);
}

bool fitScale(App& app, BatchContext& ctx) {
  FrmSpectrum& f = app.spectrum;
  prepare(app, ctx.options);
  if (!spectrumFit_Click(app, f)) return false;
  holdScaling(app.m, f.settings.scaling);
  return true;
}

}  // namespace

bool batchSpectraSetup(App& app, const BatchOptions& o) {
  return spectrumExperimental(app, app.spectrum, o.experimental);
}

bool batchSpectra(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  if (c.option != "--spectrum" && c.option != "--fit-scale") return false;
  const int before = app.erraCount;
  ok = c.option == "--spectrum" ? spectrum(app, c, ctx) : fitScale(app, ctx);
  ok = ok && app.erraCount == before;
  return true;
}

}  // namespace kel
