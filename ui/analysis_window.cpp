// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/analysis_window.hpp"

#include "app/app.hpp"
#include "ui/desktop.hpp"
#include "ui/widget_sync.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kel::ui {

namespace {

QTableWidgetItem* cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

QString number(double x, int decimals) {
  return QString::number(x, 'f', decimals);
}

}  // namespace

AnalysisWindow::AnalysisWindow(App& app, Desktop& desk) : app_(app), desk_(desk) {
  setObjectName("frmAnalysis");
  auto* layout = new QVBoxLayout(this);
  heading_ = new QLabel(this);
  message_ = new QLabel(this);
  message_->setObjectName("message");
  modes_ = new QTableWidget(0, 8, this);
  modes_->setObjectName("modes");
  modes_->setHorizontalHeaderLabels(
      {"mode", "printed", "computed", "shift", "IR", "Raman", "label", "assignment"});
  modes_->horizontalHeader()->setStretchLastSection(true);
  modes_->setSelectionBehavior(QAbstractItemView::SelectRows);
  connect(modes_, &QTableWidget::cellClicked, this, [this](int row, int) {
    if (app_.busy) return;
    analysisRow_Click(app_, form_, row);
    desk_.after();
  });
  isotopes_ = new QTableWidget(0, 3, this);
  isotopes_->setObjectName("isotopes");
  isotopes_->setHorizontalHeaderLabels({"atom", "element", "mass"});
  isotopes_->horizontalHeader()->setStretchLastSection(true);
  reset_ = new QPushButton("masses as read", this);
  reset_->setObjectName("reset");
  connect(reset_, &QPushButton::clicked, this, [this] {
    if (app_.busy) return;
    analysisReset_Click(app_, form_);
    desk_.after();
  });
  report_ = new QPlainTextEdit(this);
  report_->setObjectName("report");
  report_->setReadOnly(true);
  auto* lower = new QWidget(this);
  auto* lowerLayout = new QVBoxLayout(lower);
  lowerLayout->setContentsMargins(0, 0, 0, 0);
  lowerLayout->addWidget(isotopes_);
  lowerLayout->addWidget(reset_);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(modes_);
  split->addWidget(lower);
  split->addWidget(report_);
  layout->addWidget(heading_);
  layout->addWidget(split, 1);
  layout->addWidget(message_);
  resize(820, 640);
}

void AnalysisWindow::rebuild() {
  shown_ = form_.generation;
  textIf(heading_, form_.heading);
  {
    QSignalBlocker block(modes_);
    modes_->setRowCount(int(form_.rows.size()));
    for (int r = 0; r < int(form_.rows.size()); ++r) {
      const auto& row = form_.rows[std::size_t(r)];
      modes_->setItem(r, 0, cell(QString::number(row.number)));
      modes_->setItem(r, 1, cell(number(row.printed, 2)));
      modes_->setItem(r, 2, cell(row.hasComputed ? number(row.computed, 2) : QString()));
      modes_->setItem(r, 3, cell(row.hasComputed ? number(row.shift, 2) : QString()));
      modes_->setItem(r, 4, cell(number(row.ir, 2)));
      modes_->setItem(r, 5, cell(number(row.raman, 2)));
      modes_->setItem(r, 6, cell(qs(row.label)));
      modes_->setItem(r, 7, cell(qs(row.ped)));
    }
  }
  isotopes_->setRowCount(int(form_.isotopes.size()));
  for (int r = 0; r < int(form_.isotopes.size()); ++r) {
    const auto& iso = form_.isotopes[std::size_t(r)];
    isotopes_->setItem(r, 0, cell(QString::number(iso.atom)));
    isotopes_->setItem(r, 1, cell(qs(iso.symbol)));
    auto* box = new QComboBox(isotopes_);
    box->setEditable(true);  // the free mass field
    for (const auto& m : iso.isotopes) box->addItem(qs(m));
    box->setCurrentText(qs(iso.mass));
    const int atom = iso.atom;
    connect(box, &QComboBox::textActivated, this, [this, atom](const QString& text) {
      if (app_.busy) return;
      analysisMass_Change(app_, form_, atom, text.toStdString());
      desk_.after();
    });
    isotopes_->setCellWidget(r, 2, box);
  }
  QString report;
  for (const auto& line : form_.report) report += qs(line) + "\n";
  if (report_->toPlainText() != report) report_->setPlainText(report);
}

void AnalysisWindow::sync() {
  if (windowTitle() != qs(form_.caption)) setWindowTitle(qs(form_.caption));
  if (shown_ != form_.generation) rebuild();
  textIf(message_, form_.message);
  if (form_.visible && isHidden()) show();
  if (!form_.visible && !isHidden()) hide();
}

void AnalysisWindow::closeEvent(QCloseEvent* e) {
  e->accept();
  analysisClose(app_, form_);
  desk_.after();
}

}  // namespace kel::ui
