// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/desktop.hpp"

#include "app/app.hpp"
#include "app/dispatcher.hpp"
#include "app/startup.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTime>
#include <QVBoxLayout>

#include <array>
#include <memory>

namespace kel::ui {

namespace {

/// Input boxes, yields and the clock of the desktop program.
class QtPlatform : public Prompt, public EventLoop, public Clock {
 public:
  std::string inputBox(std::string_view prompt, std::string_view title,
                       std::string_view defaultText) override {
    bool ok = false;
    QString text = QInputDialog::getText(
        nullptr, QString::fromUtf8(title.data(), int(title.size())),
        QString::fromUtf8(prompt.data(), int(prompt.size())).replace('\r', '\n'),
        QLineEdit::Normal, QString::fromUtf8(defaultText.data(), int(defaultText.size())), &ok);
    return ok ? text.toStdString() : std::string();
  }
  void yield() override { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); }
  double timer() override { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }
};

QString q(const std::string& s) { return QString::fromStdString(s); }

/// The main window: mirrors frmKel and forwards its events.
class MainWindow : public QMainWindow, public Mirror {
 public:
  explicit MainWindow(App& app) : app_(app) {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* buttons = new QHBoxLayout;
    for (std::size_t i = 0; i < ibut_.size(); ++i) {
      ibut_[i] = new QPushButton(central);
      buttons->addWidget(ibut_[i]);
      connect(ibut_[i], &QPushButton::clicked, this, [this, i] {
        if (app_.busy) return;
        ibut_Click(app_, int(i));
        sync();
      });
    }
    layout->addLayout(buttons);
    text1_ = new QLineEdit(central);
    text1_->setReadOnly(true);
    text3_ = new QLineEdit(central);
    text4_ = new QLabel(central);
    text4_->setWordWrap(true);
    text2_ = new QPlainTextEdit(central);
    text2_->setReadOnly(true);
    text2_->setFont(QFont("Monospace", 9));
    splash_ = new QLabel(central);
    splash_->setAlignment(Qt::AlignCenter);
    layout->addWidget(text1_);
    layout->addWidget(text3_);
    layout->addWidget(text4_);
    layout->addWidget(splash_);
    layout->addWidget(text2_, 1);
    setCentralWidget(central);
    resize(900, 700);
  }

  void sync() override {
    auto& f = app_.frm;
    setWindowTitle(q(f.caption));
    for (std::size_t i = 0; i < ibut_.size(); ++i) {
      QString text = q(f.ibut[i].text);
      ibut_[i]->setText(text);
      ibut_[i]->setVisible(f.ibut[i].visible);
      ibut_[i]->setEnabled(f.ibut[i].enabled && !app_.busy);
    }
    text1_->setText(q(f.Text1.text));
    text3_->setText(q(f.Text3.text));
    text4_->setText(q(f.Text4.text));
    text4_->setVisible(f.Text4.visible);
    splash_->setText("Kelvorin");
    splash_->setVisible(f.Tulan.visible);
    QString log = q(f.Text2.text);
    if (text2_->toPlainText() != log) {
      text2_->setPlainText(log);
      text2_->verticalScrollBar()->setValue(text2_->verticalScrollBar()->maximum());
    }
  }

 private:
  App& app_;
  std::array<QPushButton*, 9> ibut_{};
  QLineEdit *text1_, *text3_;
  QLabel* text4_;
  QLabel* splash_;
  QPlainTextEdit* text2_;
};

}  // namespace

int runDesktop(int argc, char** argv) {
  QApplication qapp(argc, argv);
  auto app = std::make_unique<App>();
  QtPlatform platform;
  app->prompt = &platform;
  app->loop = &platform;
  app->clock = &platform;
  app->interactive = true;
  MainWindow window(*app);
  app->mirror = &window;
  window.show();
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) words.emplace_back(argv[i]);
  if (!words.empty()) words[0] = QDir(q(words[0])).absolutePath().toStdString();
  Tulan_Click(*app);
  IniVe(*app, joinCommandLine(words));
  window.sync();
  return qapp.exec();
}

}  // namespace kel::ui
