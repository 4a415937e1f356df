// Kelvorin - desktop workbench for vibrational calculations.
// The platform of the desktop program: the modal input box, the event-loop yield and the
// time of day, on Qt.
#pragma once

#include "base/platform.hpp"

#include <QString>

class QInputDialog;
class QWidget;

namespace kel {
class Mirror;
}

namespace kel::ui {

/// The modal input box: the prompt's lines ('\r', '\n' or both between them), the title and
/// the default answer; Cancel gives the empty text.
class InputBox : public Prompt {
 public:
  explicit InputBox(QWidget* parent = nullptr) : parent_(parent) {}
  /// The windows to bring up to date before the box is shown (what led to the question is
  /// seen with it).
  void follow(Mirror* mirror) { mirror_ = mirror; }
  std::string inputBox(std::string_view prompt, std::string_view title,
                       std::string_view defaultText) override;
  /// The prompt as shown: every line break a '\n'.
  static QString shownPrompt(std::string_view prompt);

 private:
  QWidget* parent_;
  Mirror* mirror_ = nullptr;
};

/// One yield: the pending events run for a few milliseconds.
class QtEventLoop : public EventLoop {
 public:
  void yield() override;
};

/// The time of day in seconds since midnight.
class QtClock : public Clock {
 public:
  double timer() override;
};

}  // namespace kel::ui
