// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/spectrum_window.hpp"

#include "app/app.hpp"
#include "app/spectrum_form.hpp"
#include "ui/desktop.hpp"
#include "ui/plot_painter.hpp"
#include "ui/widget_sync.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace kel::ui {

namespace {
constexpr const char* OpenTitle = "Measured spectrum";
constexpr const char* OpenFilter =
    "Spectra (*.jdx *.dx *.JDX *.DX *.csv *.txt);;JCAMP-DX (*.jdx *.dx);;Text (*.csv *.txt)";
constexpr const char* ExportTitle = "Export spectrum";
constexpr const char* ExportFilter = "PNG picture (*.png);;SVG drawing (*.svg);;CSV table (*.csv)";
constexpr const char* KeepQuestion =
    "Keep the factor and shift shown as the scaling instruction of this structure?\n"
    "Yes also saves the .kel file (\"&Save .kel as is\"), which then holds the scaling line.";
}  // namespace

/// The plot: the form's scene painted to the widget's size; a click selects a mode.
class PlotView : public QWidget {
 public:
  PlotView(App& app, Desktop& desk, QWidget* parent) : QWidget(parent), app_(app), desk_(desk) {
    setObjectName("plot");
    setMinimumSize(520, 320);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    paintPlot(p, app_.spectrum.scene);
  }
  void resizeEvent(QResizeEvent*) override {
    auto& f = app_.spectrum;
    if (f.plot.width == width() && f.plot.height == height()) return;
    f.plot.width = width();
    f.plot.height = height();
    if (f.visible) spectrumUpdate(app_, f);
    update();
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (app_.busy) return;
    spectrumPlot_Click(app_, app_.spectrum, e->position().x(), e->position().y());
    desk_.after();
  }

 private:
  App& app_;
  Desktop& desk_;
};

FrmSpectrum& SpectrumWindow::form() {
  return app_.spectrum;
}

SpectrumWindow::SpectrumWindow(App& app, Desktop& desk) : app_(app), desk_(desk) {
  setObjectName("frmSpectrum");
  auto* layout = new QVBoxLayout(this);
  plot_ = new PlotView(app_, desk_, this);
  layout->addWidget(plot_, 1);

  auto changed = [this] {
    spectrumUpdate(app_, form());
    desk_.after();
  };
  kind_ = new QComboBox(this);
  kind_->setObjectName("kind");
  kind_->addItems({"IR", "Raman", "IR and Raman"});
  connect(kind_, &QComboBox::activated, this, [this, changed](int i) {
    form().plot.kind = i == 0 ? PlotKind::Ir : i == 1 ? PlotKind::Raman : PlotKind::Both;
    changed();
  });
  shape_ = new QComboBox(this);
  shape_->setObjectName("shape");
  shape_->addItems({"Lorentzian", "Gaussian"});
  connect(shape_, &QComboBox::activated, this, [this, changed](int i) {
    form().settings.shape = i == 0 ? LineShape::Lorentz : LineShape::Gauss;
    changed();
  });
  auto edit = [this](const char* name, SpectrumField field) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setMaximumWidth(90);
    connect(e, &QLineEdit::editingFinished, this, [this, e, field] {
      spectrumText_Change(app_, form(), field, e->text().toStdString());
      desk_.after();
    });
    return e;
  };
  fwhm_ = edit("fwhm", SpectrumField::Fwhm);
  from_ = edit("from", SpectrumField::From);
  to_ = edit("to", SpectrumField::To);
  step_ = edit("step", SpectrumField::Step);
  factor_ = edit("factor", SpectrumField::Factor);
  shift_ = edit("shift", SpectrumField::Shift);
  from_->setPlaceholderText("0");
  to_->setPlaceholderText("default");
  transmittance_ = new QCheckBox("transmittance", this);
  transmittance_->setObjectName("transmittance");
  connect(transmittance_, &QCheckBox::toggled, this, [this, changed](bool on) {
    form().plot.transmittance = on;
    changed();
  });
  reverse_ = new QCheckBox("reverse axis", this);
  reverse_->setObjectName("reverse");
  connect(reverse_, &QCheckBox::toggled, this, [this, changed](bool on) {
    form().plot.reverse = on;
    changed();
  });
  auto* grid = new QGridLayout;
  int col = 0;
  auto put = [&](int row, const char* label, QWidget* w) {
    grid->addWidget(new QLabel(label, this), row, col);
    grid->addWidget(w, row, col + 1);
  };
  put(0, "spectrum", kind_);
  put(1, "line shape", shape_);
  col = 2;
  put(0, "FWHM / cm\u207b\u00b9", fwhm_);
  put(1, "step / cm\u207b\u00b9", step_);
  col = 4;
  put(0, "from / cm\u207b\u00b9", from_);
  put(1, "to / cm\u207b\u00b9", to_);
  col = 6;
  put(0, "scale factor", factor_);
  put(1, "shift / cm\u207b\u00b9", shift_);
  grid->addWidget(transmittance_, 0, 8);
  grid->addWidget(reverse_, 1, 8);
  grid->setColumnStretch(9, 1);
  layout->addLayout(grid);

  auto button = [this](const char* text, const char* name, auto handler) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, [this, handler] {
      if (app_.busy) return;
      handler();
      desk_.after();
    });
    return b;
  };
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(button("Open measured...", "openMeasured", [this] { openMeasured(); }));
  buttons->addWidget(button("Fit scale", "fitScale", [this] { spectrumFit_Click(app_, form()); }));
  buttons->addWidget(button("Keep as scaling instruction", "keepScaling", [this] {
    auto answer = QMessageBox::question(this, windowTitle(), KeepQuestion,
                                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer != QMessageBox::Cancel) spectrumHold_Click(app_, form(), answer == QMessageBox::Yes);
  }));
  buttons->addWidget(button("Export...", "export", [this] { exportFile(); }));
  buttons->addStretch(1);
  layout->addLayout(buttons);
  fit_ = new QLabel(this);
  fit_->setObjectName("fit");
  message_ = new QLabel(this);
  message_->setObjectName("message");
  layout->addWidget(fit_);
  layout->addWidget(message_);
  resize(1000, 720);
}

void SpectrumWindow::openMeasured() {
  QString name = QFileDialog::getOpenFileName(this, OpenTitle, QString(), OpenFilter);
  if (!name.isEmpty()) spectrumExperimental(app_, form(), name.toStdString());
}

void SpectrumWindow::exportFile() {
  const std::string stem = app_.m.FilNam.empty() ? "spectrum" : app_.m.FilNam + "_spectrum";
  QString name = QFileDialog::getSaveFileName(this, ExportTitle, qs(stem + ".png"), ExportFilter,
                                              nullptr, QFileDialog::DontConfirmOverwrite);
  if (name.isEmpty()) return;
  // the picture at the size it has in the window
  spectrumWrite(
      app_, form(), name.toStdString(),
      [](const PlotScene& scene, const std::string& file) { return savePlot(scene, file); });
}

void SpectrumWindow::sync() {
  auto& f = form();
  if (windowTitle() != qs(f.caption)) setWindowTitle(qs(f.caption));
  kind_->setCurrentIndex(f.plot.kind == PlotKind::Ir ? 0 : f.plot.kind == PlotKind::Raman ? 1 : 2);
  shape_->setCurrentIndex(f.settings.shape == LineShape::Lorentz ? 0 : 1);
  for (auto [e, text] : {std::pair{fwhm_, &f.fwhmText}, std::pair{from_, &f.fromText},
                         std::pair{to_, &f.toText}, std::pair{step_, &f.stepText},
                         std::pair{factor_, &f.factorText}, std::pair{shift_, &f.shiftText}})
    if (!e->hasFocus()) textIf(e, *text);
  {
    QSignalBlocker a(transmittance_), b(reverse_);
    transmittance_->setChecked(f.plot.transmittance);
    reverse_->setChecked(f.plot.reverse);
  }
  textIf(fit_, f.fitText);
  textIf(message_, f.message);
  if (shown_ != f.generation) {
    shown_ = f.generation;
    plot_->update();
  }
  if (f.visible && isHidden()) show();
  if (!f.visible && !isHidden()) hide();
}

void SpectrumWindow::closeEvent(QCloseEvent* e) {
  e->accept();
  spectrumClose(app_, form());
  desk_.after();
}

}  // namespace kel::ui
