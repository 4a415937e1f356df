// Kelvorin - desktop workbench for vibrational calculations.
// Test helpers of the viewer: a surface that records what is drawn, and small molecules built
// straight into the model.
#pragma once

#include "testing.hpp"
#include "viewer/surface.hpp"
#include "viewer/viewer.hpp"

#include <cmath>
#include <string>
#include <vector>

namespace kel::testing {

/// One drawing operation as the viewer asked for it.
struct DrawOp {
  enum Kind { Clear, Circle, Line, Text };
  Kind kind = Clear;
  explicit DrawOp(Kind k) : kind(k) {}
  double x = 0, y = 0, x2 = 0, y2 = 0, r = 0;
  Colour colour = 0;  ///< outline or line colour
  Colour fill = 0;
  FillStyle style = FillStyle::Solid;
  int width = 1;
  double fontSize = 0;
  std::string text;
};

/// Records every operation; measures text as 12 twips per character and point, 30 high.
class RecordingSurface : public Surface {
 public:
  explicit RecordingSurface(double widthPx = 800, double heightPx = 600)
      : w_(widthPx * TwipsPerPixel), h_(heightPx * TwipsPerPixel) {}
  void resize(double widthPx, double heightPx) {
    w_ = widthPx * TwipsPerPixel;
    h_ = heightPx * TwipsPerPixel;
  }
  double scaleWidth() const override { return w_; }
  double scaleHeight() const override { return h_; }
  void clear() override {
    ops.clear();
    ops.push_back(DrawOp(DrawOp::Clear));
    ++clears;
  }
  void setLineWidth(int pixels) override { width_ = pixels; }
  void setFillColour(Colour c) override { fill_ = c; }
  void setFillStyle(FillStyle s) override { style_ = s; }
  void circle(double x, double y, double r, Colour outline) override {
    DrawOp op{DrawOp::Circle};
    op.x = x, op.y = y, op.r = r, op.colour = outline, op.fill = fill_, op.style = style_;
    op.width = width_;
    ops.push_back(op);
  }
  void line(double x1, double y1, double x2, double y2, Colour c) override {
    DrawOp op{DrawOp::Line};
    op.x = x1, op.y = y1, op.x2 = x2, op.y2 = y2, op.colour = c, op.width = width_;
    ops.push_back(op);
  }
  void setTextPos(double x, double y) override { tx_ = x, ty_ = y; }
  void setFontSize(double points) override { font_ = points; }
  void printText(std::string_view text) override {
    DrawOp op{DrawOp::Text};
    op.x = tx_, op.y = ty_, op.fontSize = font_, op.text = std::string(text);
    ops.push_back(op);
  }
  void textSize(std::string_view text, double points, double& w, double& h) override {
    w = double(text.size()) * points * 12.0;
    h = points * 30.0;
  }
  bool savePicture(const std::string& file) override {
    saved.push_back(file);
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return false;
    std::fputs("BM", f);
    std::fclose(f);
    return true;
  }

  std::vector<DrawOp> of(DrawOp::Kind k) const {
    std::vector<DrawOp> out;
    for (const auto& op : ops)
      if (op.kind == k) out.push_back(op);
    return out;
  }
  /// Solid balls (the selection marker is rings).
  std::vector<DrawOp> balls() const {
    std::vector<DrawOp> out;
    for (const auto& op : of(DrawOp::Circle))
      if (op.style == FillStyle::Solid) out.push_back(op);
    return out;
  }

  std::vector<DrawOp> ops;
  std::vector<std::string> saved;
  int clears = 0;

 private:
  double w_, h_;
  int width_ = 1;
  Colour fill_ = 0;
  FillStyle style_ = FillStyle::Solid;
  double tx_ = 0, ty_ = 0, font_ = 0;
};

/// The clipboard of the tests: counts what it was given.
class RecordingClipboard : public Clipboard {
 public:
  void clear() override { ++clears; }
  void setPicture(Surface&) override { ++pictures; }
  int clears = 0, pictures = 0;
};

struct AtomRow {
  int z;
  double x, y, zc;
};

/// Fills the model with atoms, their bonds (pairs of atom numbers) and the extents table as
/// a reader leaves it.
inline void buildModel(App& app, const std::vector<AtomRow>& atoms,
                       const std::vector<std::pair<int, int>>& bonds = {}) {
  auto& m = app.m;
  m.NAt = i16(atoms.size());
  for (int i = 1; i <= m.NAt; ++i) {
    const auto& a = atoms[std::size_t(i - 1)];
    setAtom(m, i, a.z);
    m.Xyz(i, 0) = 0;
    m.Xyz(i, 1) = a.x;
    m.Xyz(i, 2) = a.y;
    m.Xyz(i, 3) = a.zc;
  }
  m.Mpo.fill(0);
  m.NBond.fill(0);
  for (auto [i, j] : bonds) bond(m, i, j);
  m.Box.fill(0);
  for (int c = 0; c <= 3; ++c) {
    double lo = 1e300, hi = -1e300;
    for (int i = 1; i <= m.NAt; ++i) {
      double x = c == 0 ? m.AtMas(i) : m.Xyz(i, c);
      lo = std::min(lo, x);
      hi = std::max(hi, x);
    }
    m.Box(1, c) = lo;
    m.Box(2, c) = hi;
    m.Box(3, c) = hi - lo;
  }
  m.Box(0, 0) = std::max({m.Box(3, 1), m.Box(3, 2), m.Box(3, 3)});
}

/// Water in the xy plane, bonded O-H.
inline void buildWater(App& app) {
  buildModel(app, {{8, 0, 0, 0}, {1, 0.757, 0.586, 0}, {1, -0.757, 0.586, 0}}, {{1, 2}, {1, 3}});
}

/// A program state with a recording surface and a started viewer.
struct ViewerApp {
  std::unique_ptr<App> app = newApp();
  RecordingSurface surface;
  RecordingClipboard clipboard;
  ViewerApp() {
    app->obr.Pic1 = &surface;
    app->obr.clipboard = &clipboard;
  }
  /// The atoms and bonds built into the model and the viewer started on them.
  ViewerApp(const std::vector<AtomRow>& atoms, const std::vector<std::pair<int, int>>& bonds = {})
      : ViewerApp() {
    buildModel(*app, atoms, bonds);
    Start(*app);
  }
  App& operator*() { return *app; }
  App* operator->() { return app.get(); }
};

/// The water molecule on a started viewer.
class WaterView : public ::testing::Test {
 protected:
  ViewerApp va;
  void SetUp() override {
    buildWater(*va);
    Start(*va);
  }
};

}  // namespace kel::testing
