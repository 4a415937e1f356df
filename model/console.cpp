// Kelvorin - desktop workbench for vibrational calculations.
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/work.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view LogName = "skrK.log";
constexpr std::string_view BreakText = "Now, skrK.dd2 file can be edited";
constexpr std::string_view EditedDd2 = "eskrK.dd2";

constexpr std::string_view PatInt = "########0";
constexpr std::string_view Pat2 = "########0.00";
constexpr std::string_view Pat3 = "########0.000";
constexpr std::string_view Pat4 = "########0.0000";
constexpr std::string_view Pat6 = "########0.000000";
constexpr std::string_view Pat8 = "########0.00000000";

bool on(const Work& w, int i) {
  return w.m.Sw(i) != 0;
}

void closeLog(Work& w) {
  if (w.logFp) std::fclose(w.logFp);
  w.logFp = nullptr;
  w.logPath.clear();
}

/// Scrolls so that the newest line stays in view once the page is full.
void autoScroll(Work& w) {
  auto& f = w.con;
  long position = f.VScr2.value + f.VScr2.smallChange;
  f.LineCnt += 1;
  f.ScrollPos = position;
  if (position > f.VScr2.max) return;
  if (f.VScr2.value > 0) {
    setScroll(w, int(position));
  } else if (f.LineCnt > f.PageLines) {
    position = (f.LineCnt - f.PageLines) * f.VScr2.smallChange;
    f.ScrollPos = position;
    if (position <= f.VScr2.max) setScroll(w, int(position));
  }
}

void emit(Work& w, int i, std::string text) {
  if (i == 0)
    TekUl(w, text);
  else
    w.files.write(i, text);
  w.con.FmtBuf = std::move(text);
}

void breakCheck(Work& w, int& ier, bool smallMargin) {
  ier = 0;
  if (on(w, sw::BreakAsked)) Breka(w);
  w.m.Sw(sw::CheckMark) = 0;
  int margin = smallMargin ? 500 : 2400;
  if (w.con.ScrollPos > w.con.VScr2.max - margin) text2_dblClick(w);
  bool none = !on(w, sw::CopyFirst) && !on(w, sw::CopyFirst + 1) && !on(w, sw::CopyFirst + 2);
  for (int k = 0; k <= 2; ++k)
    w.m.Sw(sw::CopyOut + k) = (on(w, sw::CopyFirst + k) || none) ? -1 : 0;
  // Timer record: the time of the last check and a count of checks.
  double now = w.clock->timer();
  w.m.Par(par::CheckInterval) = now - w.m.Par(par::CheckTime);
  w.m.Par(par::CheckTime) = now;
  w.m.Par(par::CheckCount) += 1;
}

}  // namespace

Work::Work(Console& console) : con(console) {
  IniModel(m);
}

Work::~Work() {
  if (logFp) std::fclose(logFp);
}

void Work::yield() {
  flushLog(*this);
  loop->yield();
  if (mirror) mirror->sync();
}

void tekst(Work& w, std::string_view ay) {
  auto& t = w.con.Text2.text;
  if (!t.empty()) t += '\n';
  t += ay;
  if (w.log) w.log->newLine(ay);
  TekLog(w, ay, 1);
  autoScroll(w);
}

void TekUl(Work& w, std::string_view ay) {
  w.con.Text2.text += ay;
  if (w.log) w.log->append(ay);
  TekLog(w, ay, 0);
}

void TekLog(Work& w, std::string_view ay, int Li) {
  if (!on(w, sw::Log) || !w.writesScratch || (ay.empty() && Li == 0)) return;
  // The handle stays open between lines. The file's folder is looked up again after a change
  // of folder, and at each new line the file is looked at (one stat): when it was removed,
  // emptied (the exit dialog erases it) or replaced meanwhile, it is made anew or reopened.
  bool sameFolder = w.logFp && w.logCwd == cwdChanges();
  if (!sameFolder || Li != 0) {
    std::string path = sameFolder ? w.logPath : currentDir() + "/" + std::string(LogName);
    // Pieces of the current line still wait in the handle: written out first, they count
    // for the length, so the file just begun is never taken for an empty one and made anew.
    if (w.logFp && w.logPath == path) std::fflush(w.logFp);
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return;  // the console still shows the line
    const bool empty = !exists || st.st_size == 0;
    const bool same = exists && w.logFp && w.logPath == path &&
                      std::uint64_t(st.st_dev) == w.logDev && std::uint64_t(st.st_ino) == w.logIno;
    if (!same || empty) {
      closeLog(w);
      w.logFp = std::fopen(path.c_str(), empty ? "wb" : "ab");
      if (!w.logFp) return;
      w.logPath = path;
      struct stat opened {};
      if (::fstat(::fileno(w.logFp), &opened) == 0) {
        w.logDev = std::uint64_t(opened.st_dev);
        w.logIno = std::uint64_t(opened.st_ino);
      }
    }
    w.logCwd = cwdChanges();
  }
  if (Li != 0) std::fputc('\n', w.logFp);
  std::fwrite(ay.data(), 1, ay.size(), w.logFp);
  if (Li != 0) std::fflush(w.logFp);  // pieces appended to a line wait for the next one
}

void flushLog(Work& w) {
  if (w.logFp) std::fflush(w.logFp);
}

void erra(Work& w, std::string_view u, int number) {
  flushLog(w);
  erraTo(w, w.con.Text4, u, number);
}

void erraTo(Work& w, Control& t4, std::string_view u, int number) {
  auto& par = w.m.Par(par::ErrorReports);
  par += 1;
  if (par > 20) t4.text.clear();
  t4.text = CStr(par) + ": " + std::string(u) + " ERROR " + std::to_string(number) + "  " +
            std::string(errorDescription(number)) + "   " + t4.text;
  t4.visible = true;
  ++w.erraCount;
  w.files.closeAll();
}

void Czekaj(Work& w, double t) {
  double start = w.clock->timer();
  for (;;) {
    w.yield();
    double now = w.clock->timer();
    if (now - start >= t || now < start) return;  // a clock that went back passed midnight
  }
}

void jaba(Work& w, int k, int& ok) {
  auto& f = w.con;
  if (k < 2) {
    if (on(w, sw::NoPauses) || k < 0) {
      ok = -1;
      return;
    }
    f.PauseCnt = short(f.PauseCnt + 1);
    if (f.PauseCnt < 7) {  // six calls out of seven return at once
      ok = 0;
      return;
    }
  }
  f.PauseCnt = 0;
  double start = w.clock->timer();
  double wait = (k + 1) * 0.00051;
  for (;;) {
    w.yield();
    double now = w.clock->timer();
    if (now - start >= wait || now < start) {
      f.PauseSum += std::max(0.0, now - start);
      break;
    }
  }
  ok = k < 2 ? 0 : k;
}

void TekUs(Work& w, int& ier) {
  breakCheck(w, ier, on(w, sw::SmallMargin));
}

void TekUsn(Work& w, int& ier) {
  breakCheck(w, ier, on(w, sw::SmallMargin) || on(w, sw::SmallMarginRun));
}

void Breka(Work& w) {
  guard(w, "Breka", [&] {
    w.m.Sw(sw::BreakAsked) = 0;
    w.m.Sw(sw::BreakWaiting) = -1;
    if (fileExists(w.con.ScrDd2)) copyFile(w.con.ScrDd2, std::string(EditedDd2));
    if (w.hooks.breakStarted) w.hooks.breakStarted();
    tekst(w, BreakText);
    // Only an interactive event loop can deliver the press of button 1 that ends the wait.
    while (w.m.Sw(sw::BreakWaiting) != 0 && w.loop != nullptr && w.interactive) w.yield();
    if (!w.interactive) w.m.Sw(sw::BreakWaiting) = 0;
  });
}

void text2_dblClick(Work& w) {
  auto& f = w.con;
  f.LineCnt = 0;
  if (!f.Text2.text.empty()) {
    f.burek.tag = std::move(f.Text2.text);
    f.Text2.text.clear();
    setScroll(w, 0);
    f.burek.visible = true;
  }
}

void burek_Click(Work& w) {
  auto& f = w.con;
  if (!f.burek.tag.empty()) {
    f.Text2.text = std::move(f.burek.tag);
    f.burek.tag.clear();
  }
  f.burek.visible = false;
  f.Text2.visible = true;
}

void Text2_MouseDown(Work& w, int button) {
  if (button != 1) {
    w.con.Text2.visible = false;
    w.con.burek.visible = true;
  }
}

void Text2_Click(Work& w) {
  w.con.Text4.visible = false;
}

void setScroll(Work& w, int value) {
  w.con.VScr2.value = value;
  VScr2_Change(w);
}

void VScr2_Change(Work& w) {
  auto& f = w.con;
  f.Text2.top = int(w.m.Par(par::ConsoleTop)) - 10 * f.VScr2.value;
  f.Text2.height = int(w.m.Par(par::ConsoleHeight)) + 10 * f.VScr2.value;
  if (f.VScr2.value > f.VScr2.max) text2_dblClick(w);
}

void fosi_Click(Work& w) {
  auto& f = w.con;
  f.Text2.fontSize = f.Text2.fontSize > 9.25 ? 8 : 10;
  f.fosi.text = f.Text2.fontSize < 9.25 ? "F8" : "10";
  f.fosi.fontSize = f.Text2.fontSize;
  // The button's height follows its font: one line of text and a margin.
  f.fosi.height = int(std::lround(f.fosi.fontSize * 20 * 1.6));
  f.VScr2.smallChange = std::max(1, f.fosi.height / 10);
  f.VScr2.largeChange = std::max(1, f.fosi.height);
  f.PageLines = 28;
}

std::string fieldText(double a, std::string_view pattern, int j) {
  std::string s = formatPattern(a, pattern);
  if (j > 0) s.insert(s.begin(), ' ');
  if (int(s.size()) < j) s.insert(0, std::size_t(j) - s.size(), ' ');
  return s;
}

void fomi(Work& w, int i, int j, long long k) {
  emit(w, i, fieldText(double(k), PatInt, j));
}
void fomo(Work& w, int i, int j, long long o) {
  emit(w, i, fieldText(double(o), PatInt, j));
}
void fom2(Work& w, int i, int j, double a) {
  emit(w, i, fieldText(a, Pat2, j));
}
void fom3(Work& w, int i, int j, double a) {
  emit(w, i, fieldText(a, Pat3, j));
}
void fom4(Work& w, int i, int j, double a) {
  emit(w, i, fieldText(a, Pat4, j));
}
void fom6(Work& w, int i, int j, double a) {
  emit(w, i, fieldText(a, Pat6, j));
}
void fom8(Work& w, int i, int j, double a) {
  emit(w, i, fieldText(a, Pat8, j));
}

void fom2L(Work& w, int i, int j, std::string_view sy, double a) {
  std::string s = formatPattern(a, Pat2);
  if (int(s.size()) < j) s.insert(0, std::size_t(j) - s.size(), ' ');
  emit(w, i, std::string(sy) + s);
}

std::string Formak(double azm, std::string_view yyy) {
  return formatPattern(azm, yyy);
}

std::string CStr(double x) {
  std::string s = Str(x);
  if (!s.empty() && s[0] == ' ') s.erase(0, 1);
  return s;
}

void PbIni(Work& w) {
  w.con.PbTotal = std::max(2.0 * w.m.NDof(4) + 3.0, 20.0);
}

void fnBar(Work& w, double x, double& r) {
  if (x == 0) PbIni(w);
  double total = w.con.PbTotal;
  r = x >= total ? total : x + 1 - std::sqrt(x / total);
}

}  // namespace kel
