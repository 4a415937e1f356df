// Kelvorin - desktop workbench for vibrational calculations.
#include "../viewer/viewer_fixture.hpp"
#include "app/batch.hpp"

#include <sstream>

namespace kel::testing {
namespace {

/// Batch commands of the viewer run on a model built by hand (a read would leave the same).
struct BatchViewer : FreshApp {
  BatchOptions options;
  BatchHooks hooks;
  std::vector<std::string> rendered;
  std::ostringstream out, err;
  void SetUp() override {
    buildModel(*app, {{1, 0, 1, 0}, {8, 0, 0, 0}, {8, 1.5, 0, 0}, {1, 1.5, 0, 1}},
               {{1, 2}, {2, 3}, {3, 4}});
    hooks.renderPicture = [this](App&, const std::string& f) {
      rendered.push_back(f);
      return 0;
    };
  }
  bool run(const std::string& option, const std::string& value = {}) {
    return runBatchCommand(*app, {option, value}, options, out, err, hooks);
  }
};

TEST_F(BatchViewer, MeasurePrintsTheTextBoxAndBadAtomsAreRefused) {
  ASSERT_TRUE(run("--measure", "1,2"));
  ASSERT_TRUE(run("--measure", "1,2,3,4"));
  EXPECT_EQ(out.str(), "H 1-O 2\nD= 1.00000 \nH 1-O 2\nO 3-H 4\nT= -90.000\n");
  EXPECT_EQ(app->obr.v.NView, 4);  // the viewer was started as after a read
  // bad atoms are refused
  EXPECT_FALSE(run("--measure", "1,9"));
  EXPECT_NE(err.str().find("no such atom"), std::string::npos);
  EXPECT_FALSE(run("--delete", "0"));
  EXPECT_FALSE(run("--undo"));
  EXPECT_FALSE(run("--distance", "2,2,1.0"));
  EXPECT_FALSE(run("--vibrate", "1"));  // no modes
}

TEST_F(BatchViewer, DeleteUndoAndDistance) {
  ASSERT_TRUE(run("--delete", "1"));
  EXPECT_EQ(app->m.NAt, 3);
  EXPECT_EQ(app->obr.wynik.text, "atom: 1\r\ndeleted");
  ASSERT_TRUE(run("--undo"));
  EXPECT_EQ(app->m.NAt, 4);
  ASSERT_TRUE(run("--distance", "2,3,2.0"));
  EXPECT_DOUBLE_EQ(app->m.Xyz(3, 1), 2.0);
  EXPECT_DOUBLE_EQ(app->m.Xyz(4, 1), 2.0);
  EXPECT_DOUBLE_EQ(app->m.Xyz(1, 2), 1.0);
  EXPECT_FALSE(run("--distance", "2,3,-1"));
  EXPECT_DOUBLE_EQ(app->m.Xyz(3, 1), 2.0);
}

TEST_F(BatchViewer, RotateFollowsThePlusButtons) {
  ASSERT_TRUE(run("--rotate", "y:-90"));  // Obr(3, 1, -9): (z, x) -> (-x, z)
  EXPECT_NEAR(app->m.XyzV(3, 1), 0, 1e-12);
  EXPECT_NEAR(app->m.XyzV(3, 3), -1.5, 1e-12);
  ASSERT_TRUE(run("--view", "xy"));
  EXPECT_NEAR(app->m.XyzV(3, 1), 1.5, 1e-12);
  ASSERT_TRUE(run("--rotate", "z:90"));  // Obr(1, 2, -9): (x, y) -> (-y, x)
  EXPECT_NEAR(app->m.XyzV(3, 2), 1.5, 1e-12);
}

TEST_F(BatchViewer, BallsLabelsAndHydrogens) {
  ASSERT_TRUE(run("--balls", "-10"));
  EXPECT_EQ(app->obr.v.RMin, 90);
  ASSERT_TRUE(run("--labels", "symbols"));
  EXPECT_EQ(app->obr.Za[std::size_t(app->obr.v.DrawPos(2))].caption, "O");
  ASSERT_TRUE(run("--hatoms", "hidden"));
  EXPECT_EQ(app->obr.v.BallCol(app->obr.v.DrawPos(1)), 0);
  ASSERT_TRUE(run("--zoom", "10"));
}

TEST_F(BatchViewer, VibrateShowsOneFrame) {
  app->m.NFrq = 1;
  app->m.ModeD(1, 1, 2) = 300;  // 0.1 A along y
  ASSERT_TRUE(run("--amplitude", "2"));
  ASSERT_TRUE(run("--vibrate", "1:-3"));
  EXPECT_FLOAT_EQ(app->obr.v.VibDisp(1, 2), -0.6f);
  EXPECT_FALSE(run("--vibrate", "1:7"));
  EXPECT_FALSE(run("--vibrate", "2"));
  ASSERT_TRUE(run("--speed", "0.5"));
  EXPECT_DOUBLE_EQ(app->m.VibSpd, 0.5);
}

TEST_F(BatchViewer, RenderAsksBeforeOverwriting) {
  std::string file = dir.write("pic.png", "old");
  ScriptedPrompt prompt({"", "default"});
  app->prompt = &prompt;
  ASSERT_TRUE(run("--render", file));
  EXPECT_TRUE(rendered.empty());
  EXPECT_NE(err.str().find("picture not written"), std::string::npos);
  ASSERT_TRUE(run("--render", file));
  ASSERT_EQ(rendered.size(), 1u);
  EXPECT_EQ(rendered[0], file);
  ASSERT_TRUE(run("--render", (dir.path() / "new.bmp").string()));
  EXPECT_EQ(prompt.prompts.size(), 2u);
}

TEST(BatchViewerEmpty, NothingToView) {
  auto app = newApp();
  BatchOptions o;
  std::ostringstream out, err;
  EXPECT_FALSE(runBatchCommand(*app, {"--view", "xy"}, o, out, err, {}));
  EXPECT_NE(err.str().find("no structure to view"), std::string::npos);
}

TEST_F(BatchViewer, FitAndBestView) {
  BatchOptions parsed;
  EXPECT_TRUE(parseBatch({"--batch", "x.log", "--fit", "--view", "best"}, parsed));
  EXPECT_FALSE(parseBatch({"--batch", "x.log", "--view", "side"}, parsed));
  ASSERT_TRUE(run("--zoom", "300"));
  EXPECT_FALSE(app->obr.v.Fitted);
  ASSERT_TRUE(run("--fit"));
  EXPECT_TRUE(app->obr.v.Fitted);
  ASSERT_TRUE(run("--view", "best"));
  EXPECT_NE(app->obr.v.Orient(1, 1), 1.0);  // turned off the model's axes
}

}  // namespace

}  // namespace kel::testing
