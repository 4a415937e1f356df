// Kelvorin - desktop workbench for vibrational calculations.
#include "model/placement.hpp"
#include "app/placement_form.hpp"

#include "base/convert.hpp"
#include "model/geometry.hpp"
#include "testing.hpp"

#include <cmath>

namespace kel::testing {
namespace {

struct P {
  double x, y, z;
};

/// First part = first atoms, second part = the rest; the viewer copy of the first part
/// equals the model (the user did not turn it).
void twoParts(App& app, const std::vector<P>& first, const std::vector<P>& second) {
  auto& m = app.m;
  int i = 0;
  for (const auto* part : {&first, &second})
    for (const auto& p : *part) {
      ++i;
      setAtom(m, i, 6);
      m.Xyz(i, 1) = m.XyzV(i, 1) = p.x;
      m.Xyz(i, 2) = m.XyzV(i, 2) = p.y;
      m.Xyz(i, 3) = m.XyzV(i, 3) = p.z;
      m.Xyz(i, 0) = m.XyzV(i, 0) = 0;
    }
  m.NAt = i16(i);
  m.NAtFirst = i16(first.size());
  m.NFrqFirst = 0;
  m.FilNam = "first";
}

std::vector<std::string> logLines(const App& app) {
  return linesOf(app.frm.Text2.text);
}

double maxX(const App& app, int from, int to) {
  double v = -1e9;
  for (int i = from; i <= to; ++i) v = std::max(v, app.m.Xyz(i, 1));
  return v;
}

double minX(const App& app, int from, int to) {
  double v = 1e9;
  for (int i = from; i <= to; ++i) v = std::min(v, app.m.Xyz(i, 1));
  return v;
}

using Added = FreshApp;

TEST_F(Added, RightSideOnlyTouchesWithTheGap) {
  // the nearest atoms across the gap are 2.1 A apart: no correction
  twoParts(*app, {{-1, 0, 3}, {1, 0, -3}}, {{9, 5, 3}, {11, 5, -3}});
  List1_Click(*app, 0);
  AddCon_Click(*app);
  auto& m = app->m;
  EXPECT_NEAR(minX(*app, 3, 4) - maxX(*app, 1, 2), 0.1, 1e-12);
  // y and z: both parts centred on each other, then the whole re-centred
  EXPECT_NEAR(m.Xyz(3, 2), 0.0, 1e-12);
  EXPECT_NEAR(m.Xyz(1, 3), 3.0, 1e-12);
  EXPECT_NEAR(m.Xyz(1, 1) + m.Xyz(2, 1) + m.Xyz(3, 1) + m.Xyz(4, 1), 0.0, 1e-12);
  EXPECT_TRUE(hasLine(*app, "old 2 la= 4"));
  EXPECT_TRUE(hasLine(*app, "structure added at Xpos = 2.1"));
  for (const auto& l : logLines(*app)) EXPECT_EQ(l.find("corr"), std::string::npos) << l;
  EXPECT_EQ(m.FilNam, "first.a");
  EXPECT_EQ(m.NAt, 4);
  EXPECT_EQ(m.NDof(4), 6);
  EXPECT_FALSE(app->frm.AddCon.visible);
}

TEST(Placement, ChoicesMoveAndPushAsLogged) {
  struct Row {
    const char* name;
    std::vector<P> first, second;
    std::vector<int> clicks;
    std::vector<const char*> lines;
  } rows[] = {
      {"right_and_top",
       {{-1, -1, 3}, {1, 1, -3}},
       {{-1, -1, 3}, {1, 1, -3}},
       {0, 2},
       {"structure added at Xpos = 2.1", "               and Ypos =-2.1"}},
      {"no_choice_is_right",
       {{-1, 0, 3}, {1, 0, -3}},
       {{-1, 0, 3}, {1, 0, -3}},
       {},
       {"structure added at Xpos = 2.1"}},
      // after the move, two pairs are 1.5 A apart along x: one push of 2.01 - 1.5 + 0.01
      {"close_atoms_pushed_out",
       {{-0.7, -5, 0}, {0.7, 5, 0}},
       {{-0.7, -5, 0}, {0.7, 5, 0}},
       {0},
       {"structure added at Xpos = 1.5", "Xcorr = .52"}},
      {"left_pushes_the_other_way",
       {{-0.7, -5, 0}, {0.7, 5, 0}},
       {{-0.7, -5, 0}, {0.7, 5, 0}},
       {1},
       {"structure added at Xpos =-1.5", "Xcorr = .52"}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    TempDir dir;
    auto app = newApp();
    twoParts(*app, r.first, r.second);
    for (int c : r.clicks) List1_Click(*app, c);
    AddCon_Click(*app);
    for (const char* line : r.lines) EXPECT_TRUE(hasLine(*app, line)) << line;
    EXPECT_TRUE(!r.clicks.empty() || app->frm.Che1[0].value == 1);  // no choice: right
    EXPECT_TRUE(r.clicks != std::vector<int>{0} || std::fabs(Dist(app->m, 2, 4) - 2.02) < 1e-9);
    EXPECT_TRUE(r.clicks != std::vector<int>{1} || maxX(*app, 3, 4) < minX(*app, 1, 2));
  }
}

TEST_F(Added, DeepContactIsReported) {
  // the closest pair is 1.5 A across y: two pushes along x do not reach 2.01 A
  twoParts(*app, {{-1, -0.75, 0}, {1, 0.75, 0}}, {{-1, -0.75, 0}, {1, 0.75, 0}});
  List1_Click(*app, 0);
  AddCon_Click(*app);
  // hand-worked: gap 0.1 -> d 1.5033; push .5167 -> d 1.6218; push .3982 -> d 1.8111
  std::string dupsko;
  for (const auto& l : logLines(*app))
    if (l.rfind("...dupsko", 0) == 0) dupsko = l;
  ASSERT_FALSE(dupsko.empty());
  EXPECT_EQ(dupsko.substr(0, 16), "...dupsko 2 3 .2");
  EXPECT_NEAR(Val(dupsko.substr(13)), 2.02 - Dist(app->m, 2, 3), 1e-9);
  EXPECT_NEAR(Dist(app->m, 2, 3), 1.8111, 1e-4);
}

TEST_F(Added, CancelDropsTheSecondPart) {
  twoParts(*app, {{-1, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{5, 5, 5}});
  app->m.NFrqFirst = 3;
  app->m.NFrq = 6;
  AddNie_Click(*app);
  EXPECT_EQ(app->m.NAt, 3);
  EXPECT_EQ(app->m.NFrq, 3);
  EXPECT_EQ(app->m.NDof(4), 3);
  EXPECT_EQ(logLines(*app).back(), "... add stucture cancelled");
}

TEST(AxisExclusive, OneBoxPerAxis) {
  struct Row {
    std::vector<int> clicks;
    std::array<int, 6> checked;
  } rows[] = {{{0, 1}, {0, 1, 0, 0, 0, 0}},     // right, then left
              {{2, 3, 4}, {0, 0, 0, 1, 1, 0}},  // top, bottom, above
              {{5, 5}, {0, 0, 0, 0, 0, 0}},     // a second click unchecks
              {{1, 2, 5}, {0, 1, 1, 0, 0, 1}}};
  for (const auto& r : rows) {
    SCOPED_TRACE(::testing::PrintToString(r.clicks));
    TempDir dir;
    auto app = newApp();
    for (int i : r.clicks) List1_Click(*app, i);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(app->frm.Che1[i].value, r.checked[i]) << i;
  }
}

TEST_F(Added, CentreAndBox) {
  twoParts(*app, {{1, 2, 3}, {3, 2, 7}}, {});
  app->m.AtMas(2) = 14;
  set_xyz(*app, 2);
  auto& m = app->m;
  EXPECT_DOUBLE_EQ(m.Xyz(1, 1), -1);
  EXPECT_DOUBLE_EQ(m.Xyz(2, 3), 2);
  EXPECT_DOUBLE_EQ(m.Box(3, 3), 4);
  EXPECT_DOUBLE_EQ(m.Box(1, 0), 12);
  EXPECT_DOUBLE_EQ(m.Box(2, 0), 14);
  EXPECT_DOUBLE_EQ(m.Box(0, 0), 4);
}

}  // namespace
}  // namespace kel::testing
