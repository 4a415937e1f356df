// Kelvorin - desktop workbench for vibrational calculations.
// The Analysis window: the mirror of FrmAnalysis (modes, isotope table, report).
#pragma once

#include "app/analysis_form.hpp"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace kel {
struct App;
}

namespace kel::ui {

class Desktop;

class AnalysisWindow : public QWidget {
 public:
  AnalysisWindow(App& app, Desktop& desk);
  void sync();
  FrmAnalysis& form() { return form_; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void rebuild();
  App& app_;
  Desktop& desk_;
  FrmAnalysis form_;
  int shown_ = -1;  ///< the form's generation the tables show
  QLabel *heading_, *message_;
  QTableWidget *modes_, *isotopes_;
  QPushButton* reset_;
  QPlainTextEdit* report_;
};

}  // namespace kel::ui
