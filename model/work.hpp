// Kelvorin - desktop workbench for vibrational calculations.
// The context of a read, a write or a build: the model, the log console, the open files,
// the platform and the few things the program around it provides.
#pragma once

#include "base/files.hpp"
#include "base/forms.hpp"
#include "base/platform.hpp"
#include "model/model.hpp"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace kel {

inline constexpr std::string_view BannerText = "****Kelvorin**** version 2 ";
inline constexpr std::string_view ScrDd2Name = "skrK.dd2";
inline constexpr std::string_view ScrDd2bName = "sskrK.dd2";
inline constexpr std::string_view ScrMpoName = "skrK.mpo";
inline constexpr std::string_view ScrMpobName = "sskrK.mpo";

/// The main window's console and status boxes: what every procedure reports into, with the
/// names of the scratch files the procedures share.
struct Console {
  std::string caption = "Kelvorin";
  Control Text1;                   ///< file name box
  Control Text2;                   ///< the log console (text lines joined by '\n')
  Control Text3;                   ///< one-line command and status box
  Control Text4;                   ///< message line: run-time error reports, newest first
  Control burek;                   ///< "&Back": holds the cleared console text in its tag
  Control fosi;                    ///< console font-size button
  ScrollBar VScr2;                 ///< the console's scroll bar
  long LineCnt = 0;                ///< lines since the console was last cleared
  long ScrollPos = 0;              ///< scroll position computed for the last line
  long PageLines = 23;             ///< lines on one page of the console
  std::string FmtBuf;              ///< the last formatted field
  short PauseCnt = 0;              ///< calls of the short pause
  double PauseSum = 0;             ///< seconds spent in short pauses
  double PbTotal = 20;             ///< progress indicator total
  std::string Banner{BannerText};  ///< title of the program's input boxes
  std::string ScrDd2{ScrDd2Name}, ScrDd2b{ScrDd2bName};
  std::string ScrMpo{ScrMpoName}, ScrMpob{ScrMpobName};
};

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

/// Which geometry of an output a read takes (the output chooser's check boxes).
enum class GeometryChoice { First, Last, Emin };

/// What the program around a procedure does for it; each does nothing until set.
struct WorkHooks {
  /// The connection matrix of the structure just read (name as for MpoDef).
  std::function<void(std::string& name)> connections;
  /// The viewer shows the current structure (started or restarted).
  std::function<void()> showStructure;
  /// The modes held were replaced: the frequency list closes. Work the program begins on
  /// them beside the read may go on reading them until modesSettled.
  std::function<void()> modesReplaced;
  /// The read that replaced the modes is over (however it ended): any work begun on them
  /// beside it has ended, so that what follows may change them.
  std::function<void()> modesSettled;
  /// The structure's name changed: the window captions follow it.
  std::function<void()> namesChanged;
  /// The placement controls are shown (true) or hidden.
  std::function<void(bool)> placementControls;
  /// A break point began: the control that ends it becomes usable.
  std::function<void()> breakStarted;
  /// Which geometry of an output the next read takes.
  std::function<GeometryChoice()> geometryChoice;
};

/// Everything a reader, writer or builder may touch.
struct Work {
  explicit Work(Console& console);
  Work(const Work&) = delete;
  Work& operator=(const Work&) = delete;
  ~Work();

  ModKel m;
  FileTable files;
  Console& con;
  WorkHooks hooks;

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
  /// Off for a read made on behalf of another program (the Python module): no log file, no
  /// scratch copies and no connection file are written; the results stay in the model.
  bool writesScratch = true;
  /// The own structure file is written after a read with modes (see writeAutoKel).
  bool writesKel = true;
  /// The last folder found not writable (its files go to the per-user working folder
  /// instead); empty while there was none.
  std::string readOnlyDir;
  /// Answers whether a folder can be written, in place of the file system's permissions.
  std::function<bool(const std::string&)> writableProbe;

  /// The log file handle, kept open between lines (see console.cpp).
  std::FILE* logFp = nullptr;
  std::string logPath;
  long logCwd = -1;                      ///< the folder change the log path was found after
  std::uint64_t logDev = 0, logIno = 0;  ///< the file the handle writes, to see it replaced

  /// One yield: pending events run and the windows follow the state.
  void yield();

 private:
  CancelPrompt defaultPrompt;
  SteppingClock defaultClock;
};

/// Calls hooks.modesReplaced, and hooks.modesSettled when it goes out of scope: a read holds
/// one from the replacing of its modes to its end and changes no mode meanwhile, so that work
/// begun on them beside it has ended when the read returns, however it ends.
class ModesReplaced {
 public:
  explicit ModesReplaced(Work& w) : w_(w) {
    if (w_.hooks.modesReplaced) w_.hooks.modesReplaced();
  }
  ModesReplaced(const ModesReplaced&) = delete;
  ModesReplaced& operator=(const ModesReplaced&) = delete;
  ~ModesReplaced() {
    if (w_.hooks.modesSettled) w_.hooks.modesSettled();
  }

 private:
  Work& w_;
};

/// Runs body as procedure name: a run-time error is reported through erra and ends it.
template <typename Body>
bool guard(Work& w, std::string_view name, Body&& body) noexcept;

}  // namespace kel

#include "model/console.hpp"

namespace kel {

template <typename Body>
bool guard(Work& w, std::string_view name, Body&& body) noexcept {
  return guardWith([&](std::string_view n, int number) { erra(w, n, number); }, name,
                   std::forward<Body>(body));
}

}  // namespace kel
