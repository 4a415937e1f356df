// Kelvorin - desktop workbench for vibrational calculations.
// Small helpers the windows share: texts, colours and masks between the forms and Qt.
#pragma once

#include "base/forms.hpp"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QString>
#include <QWidget>

#include <functional>

#include <string>
#include <string_view>

namespace kel::ui {

inline QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

/// A packed colour as a Qt colour.
inline QColor qcol(Colour c) {
  return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
}

/// Changes a widget only where it differs, so that a sync at every yield stays cheap.
inline void showIf(QWidget* w, bool visible) {
  if (w->isHidden() == visible) w->setVisible(visible);
}
inline void enableIf(QWidget* w, bool enabled) {
  if (w->isEnabled() != enabled) w->setEnabled(enabled);
}
inline void textIf(QLineEdit* w, const std::string& text) {
  QString t = qs(text);
  if (w->text() != t) w->setText(t);
}
/// A caption for Qt: "&" before a letter or digit marks the mnemonic; any other "&" is shown
/// as written ("EXIT & Change d.").
inline QString caption(const std::string& text) {
  QString t = qs(text);
  QString out;
  for (qsizetype i = 0; i < t.size(); ++i) {
    out += t[i];
    if (t[i] != '&') continue;
    bool mnemonic = i + 1 < t.size() && t[i + 1].isLetterOrNumber();
    bool escaped = i + 1 < t.size() && t[i + 1] == '&';
    if (escaped)
      out += t[++i];
    else if (!mnemonic)
      out += '&';
  }
  return out;
}
inline void textIf(QAbstractButton* w, const std::string& text) {
  QString t = caption(text);
  if (w->text() != t) w->setText(t);
}
inline void textIf(QLabel* w, const std::string& text) {
  QString t = qs(text);
  if (w->text() != t) w->setText(t);
}
/// A text box of one line: the lines of a multi-line text side by side.
inline QString oneLine(const std::string& text) {
  QString t = qs(text);
  t.replace("\r\n", "   ");
  t.replace('\r', "   ");
  t.replace('\n', "   ");
  return t;
}
inline void lineIf(QLineEdit* w, const std::string& text) {
  QString t = oneLine(text);
  if (w->text() != t) w->setText(t);
}

/// The background of a button, box or label.
inline void backIf(QWidget* w, Colour c, QPalette::ColorRole role = QPalette::Button) {
  QColor col = qcol(c);
  if (w->palette().color(role) == col) return;
  QPalette p = w->palette();
  p.setColor(role, col);
  w->setPalette(p);
  if (role == QPalette::Window) w->setAutoFillBackground(true);
}
inline void foreIf(QWidget* w, Colour c, QPalette::ColorRole role = QPalette::ButtonText) {
  QColor col = qcol(c);
  if (w->palette().color(role) == col) return;
  QPalette p = w->palette();
  p.setColor(role, col);
  w->setPalette(p);
}

/// An event filter made of a function: true stops the event.
class EventHook : public QObject {
 public:
  explicit EventHook(std::function<bool(QObject*, QEvent*)> fn) : fn_(std::move(fn)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override { return fn_(watched, e); }

 private:
  std::function<bool(QObject*, QEvent*)> fn_;
};

/// Modifier mask of the logic: Shift 1, Ctrl 2, Alt 4.
inline int modifierMask(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
         (m & Qt::AltModifier ? 4 : 0);
}
/// Button mask of the logic: left 1, right 2, middle 4.
inline int buttonMask(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
         (b & Qt::MiddleButton ? 4 : 0);
}

}  // namespace kel::ui
