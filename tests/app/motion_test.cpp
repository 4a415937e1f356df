// Kelvorin - desktop workbench for vibrational calculations.
#include "app/motion.hpp"
#include "model/bookkeeping.hpp"
#include "model/mode_motion.hpp"
#include "testing.hpp"
#include "viewer/viewer.hpp"
#include "writers/gif_writer.hpp"

#include <gif_lib.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

namespace kel::testing {
namespace {

bool writeText(const std::string& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
  return bool(out);
}

/// Water with two modes: mode 1 moves every atom (the oxygen least), mode 2 moves nothing.
struct Motion : FreshApp {
  void SetUp() override {
    putAtoms(app->m, {{8, 0, 0, 0.1173}, {1, 0, 0.7572, -0.4692}, {1, 0, -0.7572, -0.4692}});
    auto& m = app->m;
    m.FilNam = (dir.path() / "water").string();
    m.NFrq = 2;
    m.Frq(1) = -431.2;
    const int d[3][3] = {{0, 0, 7}, {0, 58, -41}, {0, -58, -41}};
    for (int i = 1; i <= 3; ++i)
      for (int c = 1; c <= 3; ++c) m.ModeD(1, i, c) = i16(d[i - 1][c - 1]);
    fillBox(m, m.NAt);
    Start(*app);
  }
};

TEST_F(Motion, DisplacementMovesTheLargestAtomByTheStep) {
  const auto x0 = app->m.Xyz;
  const double most = std::sqrt(58.0 * 58 + 41 * 41);
  for (double step : {0.1, -0.25}) {
    app->m.Xyz = x0;
    ASSERT_TRUE(displaceMode(*app, 1, step));
    for (int i = 1; i <= 3; ++i) {
      double moved = 0;
      for (int c = 1; c <= 3; ++c) {
        double want = x0(i, c) + step * app->m.ModeD(1, i, c) / most;
        EXPECT_NEAR(app->m.Xyz(i, c), want, 1e-12) << step << " atom " << i << " axis " << c;
        moved += std::pow(app->m.Xyz(i, c) - x0(i, c), 2);
      }
      if (i > 1) {
        EXPECT_NEAR(std::sqrt(moved), std::fabs(step), 1e-12);
      }
    }
  }
  // a mode not held, or one that moves nothing, leaves the structure as it was
  app->m.Xyz = x0;
  for (int mode : {0, 2, 3}) {
    EXPECT_FALSE(displaceMode(*app, mode, 0.1)) << mode;
    EXPECT_FALSE(app->frm.Text3.text.empty());
  }
  EXPECT_EQ(app->m.Xyz(2, 2), x0(2, 2));
}

TEST_F(Motion, XyzMovieHoldsTheFramesTheViewerShows) {
  const int n = 8;
  app->m.VibMode = 1;
  app->m.VibAmp = 2.5;
  ASSERT_TRUE(exportXyzMovie(*app, "movie.xyz", n));
  auto lines = linesOf(slurp(dir.path() / "movie.xyz"));
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  ASSERT_EQ(lines.size(), std::size_t(n * 5));
  buildModeVec(*app);
  for (int k = 0; k < n; ++k) {
    EXPECT_EQ(lines[std::size_t(k * 5)], "3");
    EXPECT_NE(lines[std::size_t(k * 5 + 1)].find("frame " + std::to_string(k + 1) + "/8"),
              std::string::npos);
    animationFrame(*app, k, n);
    for (int i = 1; i <= 3; ++i) {
      std::istringstream row(lines[std::size_t(k * 5 + 1 + i)]);
      std::string sym;
      double x[4] = {};
      row >> sym >> x[1] >> x[2] >> x[3];
      EXPECT_EQ(sym, i == 1 ? "O" : "H");
      for (int c = 1; c <= 3; ++c) {
        double shown = app->m.XyzV(i, c) + double(app->obr.v.VibDisp(i, c));
        if (k == 0) shown = app->m.Xyz(i, c);  // the first frame is the structure
        EXPECT_NEAR(x[c], shown, 6e-7) << "frame " << k << " atom " << i;
      }
    }
  }
  // the peak of the swing is the animation's own: phase 6 at a quarter period
  EXPECT_EQ(periodPhase(2, 8), 6);
  EXPECT_EQ(periodPhase(6, 8), -6);
  for (int k = 0; k < AnimationPeriod; ++k)
    EXPECT_EQ(periodPhase(k, AnimationPeriod), k <= 6 ? k : k <= 18 ? 12 - k : k - 24);
}

/// A picture of frame k: a white field with a ball whose colour is exact, and (with many)
/// a gradient of 300 further colours along the top row.
RgbaImage picture(int w, int h, int k, bool many) {
  RgbaImage im{w, h, std::vector<std::uint8_t>(std::size_t(4 * w * h), 255)};
  for (int y = h / 4; y < h / 2; ++y)
    for (int x = w / 4 + k; x < w / 2 + k; ++x) {
      auto* p = &im.pixels[std::size_t(4 * (y * w + x))];
      p[0] = 255, p[1] = 60, p[2] = 60;
    }
  for (int x = 0; many && x < w; ++x) {
    auto* p = &im.pixels[std::size_t(4 * x)];
    p[0] = std::uint8_t(x % 256), p[1] = std::uint8_t(x / 256), p[2] = 7;
  }
  return im;
}

TEST_F(Motion, GifHasTheFramesAskedForAndLoops) {
  app->m.VibMode = 1;
  struct Case {
    int n, w, h;
    bool many;
  };
  for (auto c : {Case{8, 40, 30, false}, Case{3, 320, 16, true}}) {
    int grabbed = 0;
    auto grab = [&](App&, RgbaImage& im) {
      im = picture(c.w, c.h, grabbed++, c.many);
      return true;
    };
    ASSERT_TRUE(exportGif(*app, "anim.gif", c.n, grab));
    int err = 0;
    GifFileType* gif = DGifOpenFileName((dir.path() / "anim.gif").c_str(), &err);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->ImageCount, c.n);
    EXPECT_EQ(gif->SWidth, c.w);
    EXPECT_EQ(gif->SHeight, c.h);
    const SavedImage& first = gif->SavedImages[0];
    bool loops = false;
    for (int b = 0; b + 1 < first.ExtensionBlockCount; ++b) {
      const auto& e = first.ExtensionBlocks[b];
      const auto& next = first.ExtensionBlocks[b + 1];
      if (e.Function == APPLICATION_EXT_FUNC_CODE && e.ByteCount == 11 &&
          std::memcmp(e.Bytes, "NETSCAPE2.0", 11) == 0 && next.ByteCount == 3 &&
          next.Bytes[0] == 1 && next.Bytes[1] == 0 && next.Bytes[2] == 0)
        loops = true;
    }
    EXPECT_TRUE(loops);
    // the ball keeps its exact colour in every frame
    for (int k = 0; k < c.n; ++k) {
      const SavedImage& im = gif->SavedImages[k];
      ASSERT_NE(im.ImageDesc.ColorMap, nullptr);
      int at = (c.h / 3) * c.w + c.w / 3 + k;
      GifColorType col = im.ImageDesc.ColorMap->Colors[im.RasterBits[at]];
      EXPECT_EQ(col.Red, 255);
      EXPECT_EQ(col.Green, 60);
      EXPECT_EQ(col.Blue, 60);
    }
    DGifCloseFile(gif, &err);
  }
  // two exports: the older file moved to its numbered name, not lost
  EXPECT_TRUE(fs::exists(dir.path() / "anim1.gif"));
  // nothing animated, a count out of range, or a picture that cannot be drawn: no file
  auto none = [](App&, RgbaImage&) { return false; };
  EXPECT_FALSE(exportGif(*app, "b.gif", 1, none));
  EXPECT_FALSE(exportGif(*app, "b.gif", 8, none));
  EXPECT_FALSE(fs::exists(dir.path() / "b.gif"));
  app->m.VibMode = 0;
  EXPECT_FALSE(exportGif(*app, "b.gif", 8, none));
}

TEST_F(Motion, PngFramesKeepAnOlderFrameOfOtherContent) {
  app->m.VibMode = 1;
  fs::create_directories(dir.path() / "frames");
  dir.write("frames/frame_001.png", "mine");
  auto save = [](App& a, const std::string& file) {
    std::ostringstream text;
    text << a.obr.v.VibDisp(2, 2);
    return writeText(file, text.str());
  };
  ASSERT_TRUE(exportFrames(*app, (dir.path() / "frames").string(), 4, save));
  for (auto name : {"frame_001.png", "frame_002.png", "frame_003.png", "frame_004.png"})
    EXPECT_TRUE(fs::exists(dir.path() / "frames" / name)) << name;
  EXPECT_EQ(slurp(dir.path() / "frames" / "frame_0011.png"), "mine");
  EXPECT_EQ(slurp(dir.path() / "frames" / "frame_001.png"), "0");
  EXPECT_FALSE(fs::exists(dir.path() / "frames" / "frame_001.png.new.png"));
  // a file where the folder should be is refused
  dir.write("taken", "x");
  EXPECT_FALSE(exportFrames(*app, (dir.path() / "taken").string(), 4, save));
}

}  // namespace
}  // namespace kel::testing
