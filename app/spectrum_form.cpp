// Kelvorin - desktop workbench for vibrational calculations.
#include "app/spectrum_form.hpp"

#include "app/app.hpp"
#include "app/dispatcher.hpp"
#include "base/convert.hpp"
#include "base/files.hpp"
#include "base/strings.hpp"
#include "model/free_name.hpp"
#include "readers/read_helpers.hpp"
#include "viewer/viewer.hpp"
#include "writers/export_file.hpp"

#include <cmath>

namespace kel {

namespace {

constexpr std::string_view ScaleFactorLine = "scale factor = ";
constexpr std::string_view SimilarityText = "   cosine similarity ";
constexpr std::string_view NoMeasured = "no measured spectrum: open one first";
constexpr std::string_view ScalingHeld = "frequency scaling factor = ";
constexpr std::string_view BadNumber = "not a number the box allows: ";
constexpr std::string_view SpectrumWritten = "spectrum written to file ";
constexpr std::string_view NotWritten = "file not written: ";
constexpr std::string_view BadExtension = "a spectrum is written as .csv, .svg or .png, not ";
constexpr std::string_view MeasuredInput = "the spectrum would replace the measured spectrum ";
constexpr std::string_view NoPictures = "pictures are not available in this build";
constexpr std::string_view ComputedTitle = "computed spectrum";
constexpr std::string_view LorentzName = "Lorentzian";
constexpr std::string_view GaussName = "Gaussian";
constexpr std::string_view MeasuredName = "measured: ";
constexpr std::string_view UnscaledText = "frequencies unscaled";
constexpr std::string_view ScaledText = "scaled ";

/// A number as the boxes show it: up to six decimals, no trailing zeros, never a comma.
std::string boxNumber(double x) {
  std::string t = formatPattern(x, "0.000000");
  while (t.size() > 1 && t.back() == '0') t.pop_back();
  if (!t.empty() && t.back() == '.') t.pop_back();
  return t;
}

void showSettings(FrmSpectrum& f) {
  const auto& s = f.settings;
  f.fwhmText = boxNumber(s.fwhm);
  f.fromText = s.rangeSet ? boxNumber(s.from) : "";
  f.toText = s.rangeSet ? boxNumber(s.to) : "";
  f.stepText = boxNumber(s.step);
  f.factorText = boxNumber(s.scaling.factor);
  f.shiftText = boxNumber(s.scaling.shift);
}

/// The extension of file in lower case (".png"), empty when it has none.
std::string extensionOf(const std::string& file) {
  const std::size_t dot = file.rfind('.');
  if (dot == std::string::npos || dot < fileNameStart(file)) return {};
  return lower(std::string_view(file).substr(dot));
}

std::string captionOf(const FrmSpectrum& f) {
  const auto& s = f.settings;
  std::string t = std::string(s.shape == LineShape::Lorentz ? LorentzName : GaussName) + ", FWHM " +
                  boxNumber(s.fwhm) + " cm\u207b\u00b9, ";
  if (s.scaling.factor == 1 && s.scaling.shift == 0)
    t += UnscaledText;
  else
    t += std::string(ScaledText) + boxNumber(s.scaling.factor) + " \u00d7 \u03bd" +
         (s.scaling.shift < 0 ? " \u2212 " : " + ") + boxNumber(std::fabs(s.scaling.shift)) +
         " cm\u207b\u00b9";
  if (!f.measuredName.empty() && f.measured.n > 0)
    t += "; " + std::string(MeasuredName) + f.measuredName.substr(fileNameStart(f.measuredName));
  return t;
}

void layout(App& app, FrmSpectrum& f) {
  const std::string name = app.m.ShowNam.empty() ? app.m.FilNam : app.m.ShowNam;
  f.plot.title = (name.empty() ? std::string() : name.substr(fileNameStart(name)) + ": ") +
                 std::string(ComputedTitle);
  f.plot.caption = captionOf(f);
  PlotOverlay ov{f.measured.xs(), f.measured.ys()};
  f.scene = layoutSpectrum(f.spectrum, f.plot, f.measured.n > 0 ? &ov : nullptr);
  ++f.generation;
}

}  // namespace

std::string factorText(double factor) {
  return formatPattern(factor, "0.0000");
}

void spectrumUpdate(App& app, FrmSpectrum& f) noexcept {
  guard(app, "spectrumUpdate", [&] {
    if (!computeSpectrum(app.m, f.settings, f.spectrum))
      f.message = f.spectrum.message;
    else if (f.message == f.spectrum.message)
      f.message.clear();
    layout(app, f);
  });
}

void spectrumOpen(App& app, FrmSpectrum& f) noexcept {
  guard(app, "spectrumOpen", [&] {
    f.settings.scaling = heldScaling(app.m);
    f.message.clear();
    showSettings(f);
    spectrumUpdate(app, f);
    f.visible = true;
  });
}

void spectrumText_Change(App& app, FrmSpectrum& f, SpectrumField field,
                         const std::string& text) noexcept {
  guard(app, "spectrumText_Change", [&] {
    const std::string t = trim(text);
    auto& s = f.settings;
    const bool rangeBox = field == SpectrumField::From || field == SpectrumField::To;
    if (rangeBox && t.empty()) {
      s.rangeSet = false;
    } else {
      const double x = Val(t);
      bool ok = isNumber(t) && std::isfinite(x);
      switch (field) {
        case SpectrumField::Fwhm:
          ok = ok && x > 0 && x <= 10000;
          if (ok) s.fwhm = x;
          break;
        case SpectrumField::Step:
          ok = ok && x > 0;
          if (ok) s.step = x;
          break;
        case SpectrumField::Factor:
          ok = ok && x > 0 && x <= 10;
          if (ok) s.scaling.factor = x;
          break;
        case SpectrumField::Shift:
          ok = ok && std::fabs(x) <= 10000;
          if (ok) s.scaling.shift = x;
          break;
        case SpectrumField::From:
        case SpectrumField::To: {
          // the other end keeps the default range's value until it is typed
          const bool wasSet = s.rangeSet;
          if (!wasSet) {
            s.from = 0;
            s.to = defaultUpper(spectrumSticks(app.m, s.scaling));
          }
          if (ok) {
            (field == SpectrumField::From ? s.from : s.to) = x;
            s.rangeSet = true;
          }
          break;
        }
      }
      if (!ok) {
        f.message = std::string(BadNumber) + t;
        showSettings(f);
        ++f.generation;
        return;
      }
    }
    f.message.clear();
    showSettings(f);
    spectrumUpdate(app, f);
  });
}

int spectrumPlot_Click(App& app, FrmSpectrum& f, double x, double y) noexcept {
  int mode = 0;
  guard(app, "spectrumPlot_Click", [&] {
    mode = peakAt(f.scene, x, y);
    if (mode >= 1 && mode <= app.m.NFrq) Comb_Click(app, mode);
  });
  return mode;
}

bool spectrumExperimental(App& app, FrmSpectrum& f, const std::string& file) noexcept {
  int ier = 0;
  ReadMeasured(app, file, f.measured, ier);
  f.measuredName = ier == 0 ? file : "";
  if (ier != 0) f.message = app.frm.Text3.text;
  spectrumUpdate(app, f);
  return ier == 0;
}

bool spectrumFit_Click(App& app, FrmSpectrum& f) noexcept {
  bool done = false;
  guard(app, "spectrumFit_Click", [&] {
    if (f.measured.n < 1) {
      f.message = std::string(NoMeasured);
      app.frm.Text3.text = f.message;
      return;
    }
    const auto fit = fitScale(spectrumSticks(app.m, Scaling{}), f.settings.shape, f.settings.fwhm,
                              f.measured.xs(), f.measured.ys());
    if (!fit.message.empty()) {
      f.message = fit.message;
      app.frm.Text3.text = fit.message;
      return;
    }
    f.settings.scaling = {fit.factor, 0};
    f.fitText = std::string(ScaleFactorLine) + factorText(fit.factor) +
                std::string(SimilarityText) + formatPattern(fit.similarity, "0.0000");
    tekst(app, std::string(ScaleFactorLine) + factorText(fit.factor));
    f.message.clear();
    showSettings(f);
    spectrumUpdate(app, f);
    done = true;
  });
  return done;
}

void spectrumHold_Click(App& app, FrmSpectrum& f, bool save) noexcept {
  guard(app, "spectrumHold_Click", [&] {
    const Scaling s = f.settings.scaling;
    holdScaling(app.m, s);
    tekst(app, std::string(ScalingHeld) + Str(s.factor) + "*x " + (s.shift < 0 ? "-" : "+") +
                   Str(std::fabs(s.shift)));
  });
  if (save) ibut_Click(app, cmd::SaveKel);
}

bool spectrumWrite(App& app, FrmSpectrum& f, const std::string& file,
                   const PngPainter& png) noexcept {
  bool written = false;
  guard(app, "spectrumWrite", [&] {
    const std::string ext = extensionOf(file);
    const std::string stem = file.substr(0, file.size() - ext.size());
    const std::string given = file.substr(stem.size());  // the extension as typed
    if (ext != ".csv" && ext != ".svg" && ext != ".png") {
      app.frm.Text3.text = std::string(BadExtension) + file;
      return;
    }
    if (f.spectrum.x.empty()) {
      app.frm.Text3.text =
          f.spectrum.message.empty() ? std::string(NotWritten) + file : f.spectrum.message;
      return;
    }
    if (sameFile(file, f.measuredName)) {
      app.frm.Text3.text = std::string(MeasuredInput) + file;
      return;
    }
    int ier = 0;
    if (ext != ".png") {
      const std::string text = ext == ".csv" ? spectrumCsv(f.spectrum) : plotSvg(f.scene);
      writeExport(app, stem, given, SpectrumWritten, text, ier);
      written = ier == 0;
      return;
    }
    if (!png) {
      app.frm.Text3.text = std::string(NoPictures);
      return;
    }
    FreeName name = takeFreeName(app, stem, given);
    if (!name.movedTo.empty()) tekst(app, std::string(OldFileRenamed) + name.movedTo);
    if (!png(f.scene, name.target)) {
      // whole picture or none
      if (nameTaken(name.target)) deleteFile(name.target);
      app.frm.Text3.text = std::string(NotWritten) + name.target;
      return;
    }
    tekst(app, std::string(SpectrumWritten) + name.target);
    written = true;
  });
  return written;
}

void spectrumClose(App&, FrmSpectrum& f) noexcept {
  f.visible = false;
}

}  // namespace kel
