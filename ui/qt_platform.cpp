// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/qt_platform.hpp"

#include "app/app.hpp"

#include <QCoreApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QTime>

namespace kel::ui {

namespace {
QString q(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
}  // namespace

QString InputBox::shownPrompt(std::string_view prompt) {
  QString s = q(prompt);
  s.replace("\r\n", "\n");
  s.replace('\r', '\n');
  return s;
}

std::string InputBox::inputBox(std::string_view prompt, std::string_view title,
                               std::string_view defaultText) {
  if (mirror_) mirror_->sync();
  QInputDialog dlg(parent_);
  dlg.setObjectName("InputBox");
  dlg.setInputMode(QInputDialog::TextInput);
  dlg.setWindowTitle(q(title));
  dlg.setLabelText(shownPrompt(prompt));
  dlg.setTextValue(q(defaultText));
  if (dlg.exec() != QDialog::Accepted) return {};
  return dlg.textValue().toStdString();
}

void QtEventLoop::yield() {
  QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

double QtClock::timer() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace kel::ui
