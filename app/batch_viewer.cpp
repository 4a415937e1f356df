// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --view, --fit, --rotate, --zoom, --balls, --labels, --hatoms, --measure, --delete,
// --undo, --distance, --vibrate, --amplitude, --speed, --render.
#include "app/app.hpp"
#include "app/batch.hpp"
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "viewer/viewer.hpp"

#include <ostream>
#include <vector>

namespace kel {

namespace {

constexpr std::string_view Me = "kelvorin: ";

std::vector<double> numbers(const std::string& v, char sep) {
  std::vector<double> out;
  std::size_t start = 0;
  for (;;) {
    auto p = v.find(sep, start);
    out.push_back(Val(v.substr(start, p == std::string::npos ? p : p - start)));
    if (p == std::string::npos) break;
    start = p + 1;
  }
  return out;
}

/// The text box as lines (its line breaks are CR LF).
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::string cur;
  for (char ch : text) {
    if (ch == '\r') continue;
    if (ch == '\n') {
      lines.push_back(cur);
      cur.clear();
    } else {
      cur += ch;
    }
  }
  lines.push_back(cur);
  return lines;
}

bool atomOk(const App& app, double a) {
  return a >= 1 && a <= app.obr.v.NView && a == double(long(a));
}

/// Draw position of atom a (a label click lands there).
int posOf(const App& app, double a) {
  return app.obr.v.DrawPos(int(a));
}

/// A scrollbar value in thousandths, within the slider's range.
int thousandths(const ScrollBar& s, double x) {
  double r = roundHalfEven(x * 1000);
  if (r < s.min) r = s.min;
  if (r > s.max) r = s.max;
  return int(r);
}

bool run(App& app, const BatchCommand& c, BatchContext& ctx) {
  auto& o = app.obr;
  auto& v = o.v;
  auto fail = [&](const std::string& why) {
    ctx.err << Me << c.option << " " << c.value << ": " << why << "\n";
    return false;
  };
  const std::string& x = c.value;
  if (c.option == "--view" && x == "best") {
    BestView(app);
  } else if (c.option == "--view") {
    obut_Click(app, x == "xy" ? 6 : x == "yz" ? 7 : 8);
  } else if (c.option == "--fit") {
    Fit(app);
  } else if (c.option == "--rotate") {
    double steps = Val(x.substr(2)) / 10;
    if (x[0] == 'x')
      Obr(app, 2, 3, steps);
    else if (x[0] == 'y')
      Obr(app, 3, 1, steps);
    else
      Obr(app, 1, 2, -steps);
  } else if (c.option == "--zoom") {
    Patyki(app, Val(x));
  } else if (c.option == "--balls") {
    o.wynik.text = x;
    wynik_Change(app);
  } else if (c.option == "--labels") {
    v.LabelMode = x == "numbers" ? 0 : x == "symbols" ? 1 : 2;
    Numery(app);
    Reno(app);
  } else if (c.option == "--hatoms") {
    v.HMode = x == "normal" ? 0 : x == "noball" ? 1 : 2;
    hat_ren(app);
    Reno(app);
  } else if (c.option == "--measure") {
    auto atoms = numbers(x, ',');
    for (double a : atoms)
      if (!atomOk(app, a)) return fail("no such atom");
    if (v.LabelsOn == 0 || v.KeepN != 0 || o.chamo.visible) obut_Click(app, 4);
    Clear_Click(app);
    for (double a : atoms) Za_Click(app, posOf(app, a));
    for (const auto& line : linesOf(o.wynik.text)) {
      if (app.log)
        app.log->newLine(line);
      else
        ctx.out << line << "\n";
    }
  } else if (c.option == "--delete") {
    if (!atomOk(app, Val(x))) return fail("no such atom");
    if (v.NView <= 1) return fail("the last atom stays");
    if (v.KeepN == 0) DelAto_Click(app);
    Za_Click(app, posOf(app, Val(x)));
  } else if (c.option == "--undo") {
    if (v.UndoAtom == 0) return fail("no deletion to undo");
    stary_Click(app);
  } else if (c.option == "--distance") {
    auto n = numbers(x, ',');
    if (!atomOk(app, n[0]) || !atomOk(app, n[1]) || n[0] == n[1])
      return fail("two different atoms are needed");
    if (o.chamo.visible) leaveChange(app);
    Clear_bR(app);
    ChaDis_Click(app);
    Za_Click(app, posOf(app, n[0]));
    Za_Click(app, posOf(app, n[1]));
    if (!app.odleg.visible) odlegShow(app);
    app.odleg.Text2.text = Str(n[2]);
    odlegText2_Change(app);
    odlegOK(app);
    if (!(n[2] > 0)) return fail("distance not accepted");
  } else if (c.option == "--vibrate") {
    auto n = numbers(x, ':');
    int mode = int(n[0]);
    int phase = n.size() > 1 ? int(n[1]) : 6;
    if (app.m.NFrq == 0 || mode < 1 || mode > app.m.NFrq) return fail("no such mode");
    if (phase < -6 || phase > 6) return fail("the phase runs from -6 to 6");
    app.m.VibMode = i16(mode);
    buildModeVec(app);
    vibPhase(app, phase);
    Uklad(app, 1);
  } else if (c.option == "--amplitude") {
    HSA_Change(app, thousandths(app.frq.HSA, Val(x)));
  } else if (c.option == "--speed") {
    HSS_Change(app, thousandths(app.frq.HSS, Val(x)));
  } else if (c.option == "--render") {
    if (!ctx.hooks.renderPicture) return fail("pictures are not available in this build");
    std::string name = pictureName(app, x);
    if (name.empty()) {
      ctx.err << Me << "picture not written: " << x << " exists and the question was cancelled\n";
      return true;
    }
    if (ctx.hooks.renderPicture(app, name) != 0) return fail("cannot write " + name);
  }
  return true;
}

}  // namespace

bool batchViewer(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  static const std::vector<std::string_view> mine = {
      "--view",     "--fit",     "--rotate",    "--zoom",   "--balls",
      "--labels",   "--hatoms",  "--measure",   "--delete", "--undo",
      "--distance", "--vibrate", "--amplitude", "--speed",  "--render"};
  bool found = false;
  for (auto m : mine) found = found || c.option == m;
  if (!found) return false;
  if (app.m.NAt < 1) {
    ctx.err << Me << c.option << ": no structure to view\n";
    ok = false;
    return true;
  }
  if (app.obr.v.NView == 0) Start(app);  // the viewer as the after-read step starts it
  ok = run(app, c, ctx);
  auto& teker = app.obr.Teker;
  if (teker.visible && !teker.text.empty()) {
    ctx.err << teker.text << "\n";
    teker.visible = false;
    ok = false;
  }
  return true;
}

}  // namespace kel
