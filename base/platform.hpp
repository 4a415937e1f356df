// Kelvorin - desktop workbench for vibrational calculations.
// What the logic needs of the windowing system, as small interfaces: the desktop program
// implements them with Qt, batch mode and tests with plain code.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kel {

/// The modal input box: Cancel gives the empty text.
class Prompt {
 public:
  virtual ~Prompt() = default;
  virtual std::string inputBox(std::string_view prompt, std::string_view title,
                               std::string_view defaultText) = 0;
};

/// The event loop: one yield lets pending events run (and the windows follow the state).
class EventLoop {
 public:
  virtual ~EventLoop() = default;
  virtual void yield() = 0;
};

/// The time of day in seconds since midnight.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double timer() = 0;
};

/// Plain implementations: a system clock, and a loop that has nothing to run.
class SystemClock : public Clock {
 public:
  double timer() override;
};

class NoEventLoop : public EventLoop {
 public:
  void yield() override {}
};

/// A clock that advances by a fixed step at every yield: waits end at once in virtual time.
class SteppingClock : public Clock, public EventLoop {
 public:
  explicit SteppingClock(double step = 0.05, double start = 43200.0) : step_(step), t_(start) {}
  double timer() override { return t_; }
  void yield() override {
    t_ += step_;
    ++yields_;
  }
  long yields() const { return yields_; }

 private:
  double step_, t_;
  long yields_ = 0;
};

/// Answers every input box with Cancel.
class CancelPrompt : public Prompt {
 public:
  std::string inputBox(std::string_view, std::string_view, std::string_view) override { return {}; }
};

/// Asks the system to make the pages of bytes [p, p + bytes) at once, ready for writing: one
/// request instead of a fault for every page. Only advice: where the system cannot, the pages
/// come one fault at a time as before.
void prefaultForWriting(void* p, std::size_t bytes) noexcept;
/// Asks the system to back the whole 2 MiB stretches of [p, p + bytes) with large pages: a
/// table written in runs far apart then costs one address translation for each 2 MiB instead
/// of one for each 4 KiB. Only advice, like the above; for memory that will be written nearly
/// all, since a large page is made whole at its first touch.
void largePages(void* p, std::size_t bytes) noexcept;

}  // namespace kel
