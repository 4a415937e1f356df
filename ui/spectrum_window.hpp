// Kelvorin - desktop workbench for vibrational calculations.
// The Spectrum window: the mirror of FrmSpectrum (the plot, its settings, the measured
// spectrum, the scale fit and the exports).
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kel {
struct App;
struct FrmSpectrum;
}  // namespace kel

namespace kel::ui {

class Desktop;
class PlotView;

class SpectrumWindow : public QWidget {
 public:
  SpectrumWindow(App& app, Desktop& desk);
  void sync();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  FrmSpectrum& form();
  void openMeasured();
  void exportFile();
  App& app_;
  Desktop& desk_;
  PlotView* plot_;
  QComboBox *kind_, *shape_;
  QLineEdit *fwhm_, *from_, *to_, *step_, *factor_, *shift_;
  QCheckBox *transmittance_, *reverse_;
  QLabel *message_, *fit_;
  int shown_ = -1;  ///< the form's generation the plot shows
};

}  // namespace kel::ui
