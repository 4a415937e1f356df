// Kelvorin - desktop workbench for vibrational calculations.
#include "app/app.hpp"
#include "base/convert.hpp"
#include "base/strings.hpp"

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

bool on(const App& app, int i) {
  return app.m.Sw(i) != 0;
}

void closeLog(App& app) {
  if (app.logFp) std::fclose(app.logFp);
  app.logFp = nullptr;
  app.logPath.clear();
}

/// Scrolls so that the newest line stays in view once the page is full.
void autoScroll(App& app) {
  auto& f = app.frm;
  long position = f.VScr2.value + f.VScr2.smallChange;
  f.LineCnt += 1;
  f.ScrollPos = position;
  if (position > f.VScr2.max) return;
  if (f.VScr2.value > 0) {
    setScroll(app, int(position));
  } else if (f.LineCnt > f.PageLines) {
    position = (f.LineCnt - f.PageLines) * f.VScr2.smallChange;
    f.ScrollPos = position;
    if (position <= f.VScr2.max) setScroll(app, int(position));
  }
}

void emit(App& app, int i, std::string text) {
  if (i == 0)
    TekUl(app, text);
  else
    app.files.write(i, text);
  app.frm.FmtBuf = std::move(text);
}

void breakCheck(App& app, int& ier, bool smallMargin) {
  ier = 0;
  if (on(app, 111)) Breka(app);
  app.m.Sw(102) = 0;
  int margin = smallMargin ? 500 : 2400;
  if (app.frm.ScrollPos > app.frm.VScr2.max - margin) text2_dblClick(app);
  bool none = !on(app, 45) && !on(app, 46) && !on(app, 47);
  for (int k = 0; k <= 2; ++k) app.m.Sw(105 + k) = (on(app, 45 + k) || none) ? -1 : 0;
  // Timer record: the time of the last check and a count of checks.
  double now = app.clock->timer();
  app.m.Par(33) = now - app.m.Par(31);
  app.m.Par(31) = now;
  app.m.Par(32) += 1;
}

}  // namespace

App::App() {
  IniModel(m);
}

App::~App() {
  if (logFp) std::fclose(logFp);
}

void App::yield() {
  flushLog(*this);
  loop->yield();
  if (mirror) mirror->sync();
}

void tekst(App& app, std::string_view ay) {
  auto& t = app.frm.Text2.text;
  if (!t.empty()) t += '\n';
  t += ay;
  if (app.log) app.log->newLine(ay);
  TekLog(app, ay, 1);
  autoScroll(app);
}

void TekUl(App& app, std::string_view ay) {
  app.frm.Text2.text += ay;
  if (app.log) app.log->append(ay);
  TekLog(app, ay, 0);
}

void TekLog(App& app, std::string_view ay, int Li) {
  if (!on(app, 124) || (ay.empty() && Li == 0)) return;
  // The handle stays open between lines. The file's folder is looked up again after a change
  // of folder, and at each new line the file is checked: when it was removed or emptied
  // meanwhile (the exit dialog erases it), it is made anew.
  bool sameFolder = app.logFp && app.logCwd == cwdChanges();
  if (!sameFolder || Li != 0) {
    std::string path = sameFolder ? app.logPath : currentDir() + "/" + std::string(LogName);
    // Pieces of the current line still wait in the handle: written out first, they count
    // for the length, so the file just begun is never taken for an empty one and made anew.
    if (app.logFp && app.logPath == path) std::fflush(app.logFp);
    long long n = fileLength(path);  // never deletes
    if (n < 0) return;               // the console still shows the line
    if (!app.logFp || app.logPath != path || n <= 0) {
      closeLog(app);
      app.logFp = std::fopen(path.c_str(), n <= 0 ? "wb" : "ab");
      if (!app.logFp) return;
      app.logPath = path;
    }
    app.logCwd = cwdChanges();
  }
  if (Li != 0) std::fputc('\n', app.logFp);
  std::fwrite(ay.data(), 1, ay.size(), app.logFp);
  if (Li != 0) std::fflush(app.logFp);  // pieces appended to a line wait for the next one
}

void flushLog(App& app) {
  if (app.logFp) std::fflush(app.logFp);
}

void erra(App& app, std::string_view u, int number) {
  flushLog(app);
  erraTo(app, app.frm.Text4, u, number);
}

void erraTo(App& app, Control& t4, std::string_view u, int number) {
  auto& par = app.m.Par(14);
  par += 1;
  if (par > 20) t4.text.clear();
  t4.text = CStr(par) + ": " + std::string(u) + " ERROR " + std::to_string(number) + "  " +
            std::string(errorDescription(number)) + "   " + t4.text;
  t4.visible = true;
  ++app.erraCount;
  app.files.closeAll();
}

void Czekaj(App& app, double t) {
  double start = app.clock->timer();
  for (;;) {
    app.yield();
    double now = app.clock->timer();
    if (now - start >= t || now < start) return;  // a clock that went back passed midnight
  }
}

void jaba(App& app, int k, int& ok) {
  auto& f = app.frm;
  if (k < 2) {
    if (on(app, 32) || k < 0) {
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
  double start = app.clock->timer();
  double wait = (k + 1) * 0.00051;
  for (;;) {
    app.yield();
    double now = app.clock->timer();
    if (now - start >= wait || now < start) {
      f.PauseSum += std::max(0.0, now - start);
      break;
    }
  }
  ok = k < 2 ? 0 : k;
}

void TekUs(App& app, int& ier) {
  breakCheck(app, ier, on(app, 67));
}

void TekUsn(App& app, int& ier) {
  breakCheck(app, ier, on(app, 67) || on(app, 92));
}

void Breka(App& app) {
  guard(app, "Breka", [&] {
    app.m.Sw(111) = 0;
    app.m.Sw(112) = -1;
    if (fileExists(app.frm.ScrDd2)) copyFile(app.frm.ScrDd2, std::string(EditedDd2));
    app.frm.ibut[1].enabled = true;
    tekst(app, BreakText);
    // Only an interactive event loop can deliver the press of button 1 that ends the wait.
    while (app.m.Sw(112) != 0 && app.loop != nullptr && app.interactive) app.yield();
    if (!app.interactive) app.m.Sw(112) = 0;
  });
}

void text2_dblClick(App& app) {
  auto& f = app.frm;
  f.LineCnt = 0;
  if (!f.Text2.text.empty()) {
    f.burek.tag = std::move(f.Text2.text);
    f.Text2.text.clear();
    setScroll(app, 0);
    f.burek.visible = true;
  }
}

void burek_Click(App& app) {
  auto& f = app.frm;
  if (!f.burek.tag.empty()) {
    f.Text2.text = std::move(f.burek.tag);
    f.burek.tag.clear();
  }
  f.burek.visible = false;
  f.Text2.visible = true;
}

void Text2_MouseDown(App& app, int button) {
  if (button != 1) {
    app.frm.Text2.visible = false;
    app.frm.burek.visible = true;
  }
}

void Text2_Click(App& app) {
  app.frm.Text4.visible = false;
}

void setScroll(App& app, int value) {
  app.frm.VScr2.value = value;
  VScr2_Change(app);
}

void VScr2_Change(App& app) {
  auto& f = app.frm;
  f.Text2.top = int(app.m.Par(35)) - 10 * f.VScr2.value;
  f.Text2.height = int(app.m.Par(36)) + 10 * f.VScr2.value;
  if (f.VScr2.value > f.VScr2.max) text2_dblClick(app);
}

void fosi_Click(App& app) {
  auto& f = app.frm;
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

void fomi(App& app, int i, int j, long long k) {
  emit(app, i, fieldText(double(k), PatInt, j));
}
void fomo(App& app, int i, int j, long long o) {
  emit(app, i, fieldText(double(o), PatInt, j));
}
void fom2(App& app, int i, int j, double a) {
  emit(app, i, fieldText(a, Pat2, j));
}
void fom3(App& app, int i, int j, double a) {
  emit(app, i, fieldText(a, Pat3, j));
}
void fom4(App& app, int i, int j, double a) {
  emit(app, i, fieldText(a, Pat4, j));
}
void fom6(App& app, int i, int j, double a) {
  emit(app, i, fieldText(a, Pat6, j));
}
void fom8(App& app, int i, int j, double a) {
  emit(app, i, fieldText(a, Pat8, j));
}

void fom2L(App& app, int i, int j, std::string_view sy, double a) {
  std::string s = formatPattern(a, Pat2);
  if (int(s.size()) < j) s.insert(0, std::size_t(j) - s.size(), ' ');
  emit(app, i, std::string(sy) + s);
}

std::string Formak(double azm, std::string_view yyy) {
  return formatPattern(azm, yyy);
}

std::string CStr(double x) {
  std::string s = Str(x);
  if (!s.empty() && s[0] == ' ') s.erase(0, 1);
  return s;
}

void PbIni(App& app) {
  app.frm.PbTotal = std::max(2.0 * app.m.NDof(4) + 3.0, 20.0);
}

void fnBar(App& app, double x, double& r) {
  if (x == 0) PbIni(app);
  double total = app.frm.PbTotal;
  r = x >= total ? total : x + 1 - std::sqrt(x / total);
}

}  // namespace kel
