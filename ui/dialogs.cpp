// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/dialogs.hpp"

#include "app/app.hpp"
#include "app/choosers.hpp"
#include "app/exit_dialog.hpp"
#include "ui/widget_sync.hpp"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <array>

namespace kel::ui {

namespace {

QString q(const std::string& s) {
  return QString::fromStdString(s);
}

/// "*.geo;*.pdb" as a name filter; extensions are matched in either case.
QString filterOf(const std::string& title, const std::string& patterns) {
  QStringList list;
  for (const QString& p : q(patterns).split(';', Qt::SkipEmptyParts)) {
    list << p;
    if (p.toUpper() != p) list << p.toUpper();
  }
  return q(title) + " (" + list.join(' ') + ");;all files (*)";
}

/// A row added below the file dialog's own controls.
void addRow(QFileDialog* dlg, QWidget* row) {
  if (auto* grid = qobject_cast<QGridLayout*>(dlg->layout()))
    grid->addWidget(row, grid->rowCount(), 0, 1, grid->columnCount());
}

QFileDialog* makeChooser(QWidget* parent, const std::string& title, const std::string& patterns,
                         const std::string& prompt, Colour background) {
  auto* dlg = new QFileDialog(parent, q(title), QDir::currentPath(), filterOf(title, patterns));
  dlg->setObjectName("Chooser");
  dlg->setOption(QFileDialog::DontUseNativeDialog);  // room for the rows below
  dlg->setFileMode(QFileDialog::ExistingFile);
  dlg->setAcceptMode(QFileDialog::AcceptOpen);
  if (!prompt.empty()) dlg->setLabelText(QFileDialog::FileName, q(prompt));
  QPalette pal = dlg->palette();
  pal.setColor(QPalette::Window,
               QColor(background & 0xff, (background >> 8) & 0xff, (background >> 16) & 0xff));
  dlg->setPalette(pal);
  return dlg;
}

/// Runs a chooser until a name is taken or the user cancels. A refused name (an empty file)
/// keeps it open with the report below its controls.
template <typename Accept, typename Cancel, typename Before>
void runChooser(App& app, bool& visible, QFileDialog* dlg, Accept accept, Cancel cancel,
                Before before) {
  auto* report = new QLabel(dlg);
  report->setObjectName("Report");
  report->setStyleSheet("color: rgb(176, 0, 0)");
  report->hide();
  addRow(dlg, report);
  while (visible) {
    if (dlg->exec() != QDialog::Accepted) {
      cancel(app);
      break;
    }
    before();
    QStringList files = dlg->selectedFiles();
    if (files.isEmpty()) continue;
    if (!accept(app, files.front().toStdString()) && visible) {
      report->setText(q(app.frm.Text3.text));
      report->show();
    }
    if (app.mirror) app.mirror->sync();
  }
}

void runWe1(App& app, QWidget* parent) {
  auto& w = app.we1;
  QFileDialog* dlg = makeChooser(parent, w.title, w.patterns, w.prompt, w.backColour);
  runChooser(app, w.visible, dlg, kelWe1_Accept, kelWe1_Cancel, [] {});
  delete dlg;
}

void runWe2(App& app, QWidget* parent) {
  auto& w = app.we2;
  QFileDialog* dlg = makeChooser(parent, w.title, w.patterns, w.prompt, w.backColour);
  std::array<QCheckBox*, 3> boxes{};
  auto* row = new QWidget(dlg);
  auto* rowLayout = new QHBoxLayout(row);
  for (std::size_t k = 0; k < boxes.size(); ++k) {
    boxes[k] = new QCheckBox(q(w.La2[k].text), row);
    boxes[k]->setObjectName(QString("La2_%1").arg(k));
    boxes[k]->setChecked(w.La2[k].value != 0);
    rowLayout->addWidget(boxes[k]);
  }
  addRow(dlg, row);
  auto takeBoxes = [&] {
    for (std::size_t k = 0; k < boxes.size(); ++k) w.La2[k].value = boxes[k]->isChecked();
  };
  runChooser(app, w.visible, dlg, kelWe2_Accept, kelWe2_Cancel, takeBoxes);
  delete dlg;
}

QString shownList(const std::string& text) {
  QString s = q(text);
  s.replace("\r\n", "\n");
  s.replace('\r', '\n');
  return s;
}

void setBackground(QPlainTextEdit* edit, Colour c) {
  edit->setStyleSheet(QString("background-color: rgb(%1, %2, %3)")
                          .arg(c & 0xff)
                          .arg((c >> 8) & 0xff)
                          .arg((c >> 16) & 0xff));
}

void runExit(App& app, QWidget* parent) {
  auto& d = app.exitDlg;
  QDialog dlg(parent);
  dlg.setWindowTitle(q(d.caption));
  auto* layout = new QVBoxLayout(&dlg);
  auto* fi = new QPlainTextEdit(&dlg);
  fi->setObjectName("Fi");
  QFont fixed("Courier New", 10);
  fixed.setStyleHint(QFont::TypeWriter);  // another fixed-pitch face where it is missing
  fi->setFont(fixed);
  fi->setPlainText(shownList(d.Fi.text));
  setBackground(fi, d.Fi.backColour);
  auto* text4 = new QLabel(&dlg);
  text4->setWordWrap(true);
  auto showText4 = [&] {
    text4->setText(q(d.Text4.text));
    text4->setVisible(d.Text4.visible);
  };
  showText4();
  EventHook clickHook([&](QObject*, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress) {
      Fi_Click(app);
      text4->setVisible(d.Text4.visible);
    }
    return false;
  });
  fi->viewport()->installEventFilter(&clickHook);
  layout->addWidget(fi, 1);
  layout->addWidget(text4);
  // Connected after filling: only the user's edits count as a change of the list.
  QObject::connect(fi, &QPlainTextEdit::textChanged, &dlg, [&] {
    d.Fi.text = fi->toPlainText().toStdString();
    Fi_Change(app);
    setBackground(fi, d.Fi.backColour);
  });
  auto* buttons = new QHBoxLayout;
  for (std::size_t i = 0; i < d.Bu.size(); ++i) {
    auto* b = new QPushButton(q(d.Bu[i].text), &dlg);
    buttons->addWidget(b);
    QObject::connect(b, &QPushButton::clicked, &dlg, [&, i] {
      Bu_Click(app, int(i));
      showText4();
      if (!d.visible) dlg.accept();
    });
  }
  layout->addLayout(buttons);
  dlg.resize(560, 320);
  dlg.exec();
  d.visible = false;
}

}  // namespace

bool runPendingDialogs(App& app, QWidget* parent) {
  // A read started from a chooser may open another (the start-up, an added structure).
  for (int guard = 0; guard < 8; ++guard) {
    if (app.we1.visible)
      runWe1(app, parent);
    else if (app.we2.visible)
      runWe2(app, parent);
    else if (app.exitDlg.visible)
      runExit(app, parent);
    else
      break;
    if (app.exitDlg.endProgram) break;
  }
  return app.exitDlg.endProgram;
}

}  // namespace kel::ui
