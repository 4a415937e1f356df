// Kelvorin - desktop workbench for vibrational calculations.
#include "ui/qt_canvas.hpp"
#include "../viewer/viewer_fixture.hpp"
#include "app/batch.hpp"
#include "ui/desktop.hpp"
#include "ui_fixture.hpp"

#include <QGuiApplication>
#include <QImage>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace kel::testing {
namespace {

QRgb packed(Colour c) {
  return qRgb(c & 255, (c >> 8) & 255, (c >> 16) & 255);
}

TEST(QtCanvas, DrawsInTwipsOnItsPixels) {
  needQt();
  ui::QtCanvas c(200, 100);
  EXPECT_DOUBLE_EQ(c.scaleWidth(), 3000);
  EXPECT_DOUBLE_EQ(c.scaleHeight(), 1500);
  c.clear();
  c.setLineWidth(1);
  c.setFillColour(rgb(255, 0, 0));
  c.setFillStyle(FillStyle::Solid);
  c.circle(1500, 750, 300, rgb(0, 0, 255));  // 20 pixels round (100, 50)
  c.setLineWidth(4);
  c.line(150, 150, 1350, 150, rgb(0, 128, 0));  // y = 10, x 10..90
  const QImage& img = c.image();
  EXPECT_EQ(img.pixel(100, 50), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(100 + 12, 50), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(100 + 25, 50), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(50, 10), qRgb(0, 128, 0));
  EXPECT_EQ(img.pixel(5, 95), qRgb(255, 255, 255));
  c.setTextPos(150, 1200);
  c.setFontSize(10);
  c.printText("N");
  c.clear();  // everything drawn goes, the untouched rest stays background
  const QImage& cleared = c.image();
  for (auto [x, y] : {std::pair{100, 50}, {112, 50}, {50, 10}, {12, 85}})
    EXPECT_EQ(cleared.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
  double w = 0, h = 0;
  c.textSize("Cl", 12, w, h);
  EXPECT_GT(w, 0);
  EXPECT_GT(h, w / 4);
}

TEST(QtCanvas, HighDensityDrawsFinerAtTheSameSize) {
  needQt();
  for (double k : {1.5, 2.0}) {  // device pixels to a pixel
    ui::QtCanvas c(200, 100);
    c.setPixelRatio(k);
    EXPECT_DOUBLE_EQ(c.scaleWidth(), 3000);
    EXPECT_EQ(c.image().size(), QSize(int(200 * k), int(100 * k)));
    c.setFillColour(rgb(255, 0, 0));
    c.circle(1500, 750, 300, rgb(0, 0, 255));  // 20 pixels round (100, 50)
    EXPECT_EQ(c.image().pixel(int(118 * k), int(50 * k)), qRgb(255, 0, 0));  // not scaled up
    EXPECT_EQ(c.image().pixel(int(122 * k), int(50 * k)), qRgb(255, 255, 255));
    c.clear();
    EXPECT_EQ(c.image().pixel(int(100 * k), int(50 * k)), qRgb(255, 255, 255));
  }
}

TEST(QtCanvas, SavesBitmapAndPng) {
  needQt();
  TempDir dir;
  ui::QtCanvas c(64, 48);
  c.setFillColour(rgb(0, 255, 0));
  c.circle(480, 360, 150, rgb(0, 255, 0));
  ASSERT_TRUE(c.savePicture("a.bmp"));
  ASSERT_TRUE(c.savePicture("b.PNG"));
  EXPECT_EQ(slurp("a.bmp").substr(0, 2), "BM");
  EXPECT_EQ(slurp("b.PNG").substr(1, 3), "PNG");
  QImage back("a.bmp");
  EXPECT_EQ(back.size(), QSize(64, 48));
  EXPECT_EQ(back.pixel(32, 24), qRgb(0, 255, 0));
}

/// Counts sample points on a ring at 0.75 of the radius that show the ball's colour.
int ballHits(const QImage& img, double x, double y, double r, Colour c) {
  int hits = 0;
  for (int k = 0; k < 8; ++k) {
    double a = k * 3.14159265358979 / 4;
    int px = int(std::lround((x + 0.75 * r * std::cos(a)) / 15));
    int py = int(std::lround((y + 0.75 * r * std::sin(a)) / 15));
    if (img.valid(px, py) && img.pixel(px, py) == packed(c)) ++hits;
  }
  return hits;
}

TEST(BatchRender, PictureShowsTheBallsWhereTheAtomsProject) {
  needQt();
  TempDir dir;
  auto app = newApp();
  // well apart in every view, so that no ball hides another
  buildModel(*app, {{8, 0, 0, 0}, {1, 1.5, 2.0, 1.0}, {1, -1.5, 2.0, -1.0}, {6, 0.5, -2.5, 0}},
             {{1, 2}, {1, 3}, {1, 4}});
  BatchOptions o;
  o.width = 400;
  o.height = 300;
  BatchHooks hooks = ui::batchHooks();
  hooks.prepare(*app, o);
  std::ostringstream out, err;
  for (auto [opt, val] : std::vector<std::pair<std::string, std::string>>{
           {"--view", "yz"},
           {"--rotate", "y:30"},
           {"--labels", "symbols"},
           {"--render", (dir.path() / "pic.png").string()}})
    ASSERT_TRUE(runBatchCommand(*app, {opt, val}, o, out, err, hooks)) << opt << err.str();
  QImage img((dir.path() / "pic.png").string().c_str());
  ASSERT_EQ(img.size(), QSize(400, 300));
  EXPECT_EQ(img.pixel(2, 2), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(397, 297), qRgb(255, 255, 255));
  auto& v = app->obr.v;
  for (int p = 1; p <= 4; ++p)
    EXPECT_GE(ballHits(img, v.DrawX(p), v.DrawY(p), v.BallRad(p), v.BallCol(p)), 4)
        << "atom " << v.DrawAtom(p);
  EXPECT_EQ(app->obr.Za[std::size_t(v.DrawPos(1))].caption, "O");
}

TEST(BatchRender, WholeCommandLine) {
  needQt();
  TempDir dir;
  std::string input = dir.copy(std::filesystem::path(KEL_TEST_DATA).parent_path().parent_path() /
                               "examples" / "water.xyz");
  BatchOptions o;
  ASSERT_TRUE(parseBatch({"--batch", input, "--view", "yz", "--rotate", "y:30", "--labels",
                          "symbols", "--render", "pic.png"},
                         o));
  std::ostringstream out, err;
  int rc = runBatch(o, out, err, ui::batchHooks());
  EXPECT_EQ(rc, 0) << err.str();
  QImage img("pic.png");
  EXPECT_EQ(img.size(), QSize(800, 600));
  EXPECT_EQ(img.pixel(1, 1), qRgb(255, 255, 255));
  int coloured = 0;
  for (int y = 0; y < img.height(); y += 4)
    for (int x = 0; x < img.width(); x += 4)
      coloured += img.pixel(x, y) == packed(rgb(255, 60, 60));  // oxygen
  EXPECT_GT(coloured, 10);
}

TEST(BatchRender, EveryAtomOfEveryGaussianOutputLiesInsideThePicture) {
  auto data = shared("gaussian");
  KEL_NEED_SHARED(data);
  needQt();
  std::vector<std::filesystem::path> outputs;
  for (const auto& e : std::filesystem::recursive_directory_iterator(data))
    if (e.path().extension() == ".log" || e.path().extension() == ".out")
      outputs.push_back(e.path());
  ASSERT_FALSE(outputs.empty());
  for (auto [w, h] : {std::pair{800, 600}, std::pair{400, 300}}) {
    for (const auto& path : outputs) {
      SCOPED_TRACE(path.string() + " at " + std::to_string(w) + "x" + std::to_string(h));
      TempDir dir;  // the side files of the read stay out of the shared data
      std::string input = dir.copy(path);
      BatchOptions o;
      std::string size = std::to_string(w) + "x" + std::to_string(h);
      std::string picture = (dir.path() / "pic.png").string();
      ASSERT_TRUE(parseBatch({"--batch", input, "--size", size, "--render", picture}, o));
      BatchHooks hooks = ui::batchHooks();
      int balls = 0;
      hooks.renderPicture = [&, render = hooks.renderPicture](App& app, const std::string& f) {
        int rc = render(app, f);
        const auto& v = app.obr.v;
        for (int p = 1; p <= v.NView; ++p) {
          if (v.BallCol(p) == 0 || app.m.XyzV(p, 0) < 0) continue;
          ++balls;
          EXPECT_TRUE(v.DrawX(p) >= v.BallRad(p) && v.DrawX(p) + v.BallRad(p) <= w * 15 &&
                      v.DrawY(p) >= v.BallRad(p) && v.DrawY(p) + v.BallRad(p) <= h * 15)
              << "atom " << v.DrawAtom(p);
        }
        return rc;
      };
      std::ostringstream out, err;
      runBatch(o, out, err, hooks);
      EXPECT_GT(balls, 0) << err.str();
    }
  }
}

}  // namespace
}  // namespace kel::testing
