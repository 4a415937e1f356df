// Kelvorin - desktop workbench for vibrational calculations.
// The program's whole state: the molecule, the forms, the open files and the platform.
#pragma once

#include "app/choosers.hpp"
#include "app/exit_dialog.hpp"
#include "app/frm_kel.hpp"
#include "base/files.hpp"
#include "base/platform.hpp"
#include "model/model.hpp"
#include "viewer/viewer_forms.hpp"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kel {

/// Receives every console line as it is made (batch mode writes them to standard output).
class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void newLine(std::string_view text) = 0;  ///< a tekst: a new line
  virtual void append(std::string_view text) = 0;   ///< a TekUl: text on the current line
};

/// Called at every yield and after each event so that the windows follow the state.
class Mirror {
 public:
  virtual ~Mirror() = default;
  virtual void sync() = 0;
};

struct App {
  ModKel m;
  FrmKel frm;
  KelWe1 we1;
  KelWe2 we2;
  KeExit exitDlg;
  FrmObr obr;
  KelFrq frq;
  Odleg odleg;
  FileTable files;

  // Platform: plain defaults (virtual time, every input box cancelled) until set.
  Prompt* prompt = &defaultPrompt;
  EventLoop* loop = &defaultClock;
  Clock* clock = &defaultClock;
  LogSink* log = nullptr;
  Mirror* mirror = nullptr;

  int erraCount = 0;         ///< run-time error reports so far
  bool readFailed = false;   ///< the last read met one of its failure cases
  bool busy = false;         ///< a read, build or edit is running: no other may start
  bool interactive = false;  ///< a person can press buttons while the program waits
  /// The last folder found not writable (its files go to the per-user working folder
  /// instead); empty while there was none.
  std::string readOnlyDir;
  /// Answers whether a folder can be written, in place of the file system's permissions.
  std::function<bool(const std::string&)> writableProbe;

  App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  ~App();

  /// One yield: pending events run and the windows follow the state.
  void yield();

  /// The log file handle, kept open between lines (see console.cpp).
  std::FILE* logFp = nullptr;
  std::string logPath;
  long logCwd = -1;  ///< the folder change the log path was found after

 private:
  CancelPrompt defaultPrompt;
  SteppingClock defaultClock;
};

/// Runs body as procedure name: a run-time error is reported through erra and ends it.
template <typename Body>
bool guard(App& app, std::string_view name, Body&& body) noexcept;

}  // namespace kel

#include "app/console.hpp"

namespace kel {

template <typename Body>
bool guard(App& app, std::string_view name, Body&& body) noexcept {
  return guardWith([&](std::string_view n, int number) { erra(app, n, number); }, name,
                   std::forward<Body>(body));
}

}  // namespace kel
