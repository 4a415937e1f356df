// Kelvorin - desktop workbench for vibrational calculations.
#include "app/motion.hpp"

#include "app/app.hpp"
#include "app/dispatcher.hpp"
#include "app/exchange.hpp"
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/bookkeeping.hpp"
#include "model/free_name.hpp"
#include "model/mode_motion.hpp"
#include "viewer/viewer.hpp"
#include "writers/export_file.hpp"
#include "writers/gif_writer.hpp"
#include "writers/xyz_export.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace kel {

namespace {

constexpr std::string_view NoMode = "no mode is animated: choose one first";
constexpr std::string_view NoSuchMode = "no such mode: ";
constexpr std::string_view StillMode = "the mode moves no atom: ";
constexpr std::string_view BadFrames = "frames of one period: 2 to 400, not ";
constexpr std::string_view NotWritten = "file not written: ";
constexpr std::string_view NoPicture = "the picture could not be drawn";
constexpr std::string_view NotFolder = "not a folder: ";
constexpr std::string_view GifLine = "export GIF animation ";
constexpr std::string_view FramesLine = "export PNG frames ";
constexpr std::string_view DisplacedLine = "displaced along mode ";
constexpr std::string_view StepQuestion =
    "Move the structure along the mode: step in angstrom for the atom that moves most\r"
    "(a negative step goes the other way)";
constexpr std::string_view StepTitle = "Displace along a mode";
constexpr std::string_view BadStep = "not a step in angstrom: ";
constexpr std::string_view JobWritten = "new job: ";
constexpr std::string_view FrameStem = "frame_";
constexpr std::string_view PngExt = ".png";
constexpr std::string_view GifExt = ".gif";
constexpr std::string_view NewSuffix = ".new.png";
constexpr std::string_view DefaultStepText = "0.1";
constexpr int MinDigits = 3;
constexpr double MinDelay = 2;  // hundredths of a second: viewers slow shorter frames down

/// A step or a count for the log: the shortest decimal text, a point never a comma.
std::string plain(double x) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, x);
  return std::string(buf, r.ptr);
}

bool failWith(App& app, std::string text) {
  app.frm.Text3.text = std::move(text);
  return false;
}

/// The frames' common checks: a structure, a mode being animated, a sensible count.
bool framesPossible(App& app, int n) {
  if (app.busy) return false;
  if (app.m.NAt < 1) return failWith(app, "no structure");
  if (app.m.VibMode < 1 || app.m.VibMode > app.m.NFrq) return failWith(app, std::string(NoMode));
  if (n < MinFrames || n > MaxFrames) return failWith(app, std::string(BadFrames) + Str(n));
  if (app.obr.v.NView == 0) Start(app);
  return true;
}

/// Draws frames 0..n-1 of the animated mode and hands each to frame(k); the viewer's offsets
/// come back as they were. False when a frame failed.
template <typename Frame>
bool eachFrame(App& app, int n, Frame&& frame) {
  auto& v = app.obr.v;
  auto saved = v.VibDisp;
  buildModeVec(app);
  bool ok = true;
  for (int k = 0; k < n && ok; ++k) {
    animationFrame(app, k, n);
    ok = frame(k);
  }
  v.VibDisp = saved;
  Uklad(app, 1);
  return ok;
}

/// Hundredths of a second per frame: one period lasts as long as the animation's.
int frameDelay(const App& app, int n) {
  double pause = std::min(1.0, std::fabs(0.1 / (app.m.VibSpd + 0.001)));
  return int(std::lround(std::max(MinDelay, AnimationPeriod * pause * 100 / n)));
}

std::string frameName(const std::string& folder, int k, int n) {
  std::string number = std::to_string(k);
  int digits = std::max<int>(MinDigits, int(std::to_string(n).size()));
  number.insert(0, std::size_t(std::max(0, digits - int(number.size()))), '0');
  std::string sep = folder.empty() || folder.back() == '/' ? "" : "/";
  return folder + sep + std::string(FrameStem) + number + std::string(PngExt);
}

}  // namespace

bool exportGif(App& app, const std::string& file, int n, const PictureGrab& grab) {
  if (!framesPossible(app, n)) return false;
  // plain names: a lambda below takes them (clang does not capture structured bindings)
  const auto parts = stemAndExt(file.empty() ? app.m.FilNam : file);
  const std::string stem = parts.first;
  const std::string ext = parts.second.empty() || file.empty() ? std::string(GifExt) : parts.second;
  FreeName name;
  std::string reason;
  bool opened = false;
  bool ok = guard(app, "exportGif", [&] {
    name = takeFreeName(app, stem, ext);
    if (!name.movedTo.empty()) tekst(app, std::string(OldFileRenamed) + name.movedTo);
    GifWriter gif;
    RgbaImage image;
    bool good = eachFrame(app, n, [&](int k) {
      if (!grab || !grab(app, image)) {
        reason = NoPicture;
        return false;
      }
      if (k == 0) {
        opened = true;
        if (!gif.open(name.target, image.width, image.height, frameDelay(app, n))) return false;
      }
      return gif.addFrame(image);
    });
    good = gif.close() && good;
    if (!good && reason.empty()) reason = gif.error();
    if (!good) throw BasicError{75};
    tekst(app, std::string(GifLine) + name.target);
  });
  if (ok) return true;
  if (opened) deleteFile(name.target);  // whole animation or none
  return failWith(app, std::string(NotWritten) + (name.target.empty() ? stem + ext : name.target) +
                           (reason.empty() ? "" : ": " + reason));
}

bool exportFrames(App& app, const std::string& folder, int n, const PictureSave& save) {
  if (!framesPossible(app, n)) return false;
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path dir(folder);
  if (fs::exists(dir, ec) && !fs::is_directory(dir, ec))
    return failWith(app, std::string(NotFolder) + folder);
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) return failWith(app, std::string(NotWritten) + folder);
  std::string failed;
  bool ok = eachFrame(app, n, [&](int k) {
    std::string target = frameName(folder, k + 1, n);
    std::string fresh = target + std::string(NewSuffix);
    if (!save || !save(app, fresh)) {
      deleteFile(fresh);
      failed = target;
      return false;
    }
    bool placed = guard(app, "exportFrames", [&] {
      keepOldVersion(app, target, fresh);
      if (nameTaken(target))
        deleteFile(fresh);  // the same picture is there already
      else
        renameFile(fresh, target);
    });
    if (!placed) {
      deleteFile(fresh);
      failed = target;
    }
    return placed;
  });
  if (!ok) return failWith(app, std::string(NotWritten) + failed);
  tekst(app, std::string(FramesLine) + frameName(folder, 1, n) + " .. " + frameName(folder, n, n));
  return true;
}

bool exportXyzMovie(App& app, const std::string& file, int n) {
  if (!framesPossible(app, n)) return false;
  int reports = app.erraCount, ier = 0;
  XyzMovie(app, file, app.m.VibMode, n, ier);
  return ier == 0 && app.erraCount == reports;
}

bool displaceMode(App& app, int mode, double step) {
  auto& m = app.m;
  if (app.busy) return false;
  if (m.NAt < 1) return failWith(app, "no structure");
  if (mode < 1 || mode > m.NFrq) return failWith(app, std::string(NoSuchMode) + Str(mode));
  if (!std::isfinite(step)) return failWith(app, std::string(BadStep) + plain(step));
  Tab<double, MaxAt, 3> before = m.Xyz;
  if (!displaceAlongMode(m, mode, step)) return failWith(app, std::string(StillMode) + Str(mode));
  fillBox(m, m.NAt);
  // the viewer's turned copy moves with the model, in the orientation shown
  auto& v = app.obr.v;
  if (v.NView != 0) {
    for (int i = 1; i <= m.NAt; ++i)
      for (int c = 1; c <= 3; ++c) {
        double s = 0;
        for (int d = 1; d <= 3; ++d) s += (m.Xyz(i, d) - before(i, d)) * v.Orient(d, c);
        m.XyzV(i, c) += s;
      }
    Uklad(app, 1);
  }
  tekst(app, std::string(DisplacedLine) + std::to_string(mode) + " by " + plain(step) +
                 " A (largest atom displacement)");
  return true;
}

int selectedMode(const App& app) {
  int k = app.frq.Comb.listIndex;
  if (k >= 1 && k <= app.m.NFrq) return k;
  return app.m.VibMode >= 1 && app.m.VibMode <= app.m.NFrq ? app.m.VibMode : 0;
}

void displaceAsk(App& app, int mode, bool writeJob) {
  if (app.busy || !app.prompt || mode < 1 || mode > app.m.NFrq) return;
  std::string answer = trim(app.prompt->inputBox(StepQuestion, StepTitle, DefaultStepText));
  if (answer.empty()) return;
  std::size_t used = 0;
  double step = Val(answer, used);
  if (used == 0) {
    setWynik(app, std::string(BadStep) + answer);
    return;
  }
  if (app.m.VibMode != 0) StopVi(app);
  if (!displaceMode(app, mode, step)) {
    setWynik(app, app.frm.Text3.text);
    return;
  }
  std::string said =
      std::string(DisplacedLine) + std::to_string(mode) + " by " + plain(step) + " A";
  if (writeJob) {
    ibut_Click(app, cmd::CreateGjf);
    exportXyz(app);
    said += "\r\n" + std::string(JobWritten) + app.m.FilNam + ".gjf, " + app.m.FilNam + ".xyz";
  }
  setWynik(app, said);
}

}  // namespace kel
