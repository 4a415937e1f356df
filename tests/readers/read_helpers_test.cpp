// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/read_helpers.hpp"

#include "testing.hpp"

namespace kel::testing {
namespace {

TEST(ElementLookUp, ExactAndContaining) {
  auto app = newApp();
  struct Row {
    const char* cand;
    int exact, containing;
  } rows[] = {{"C ", 6, 6}, {"CL", 17, 17}, {"Cl", 17, 17}, {"CA", 20, 20},  // not carbon
              {"D", 2, 2},  {"I ", 53, 53}, {"He", 0, 1},  // no helium: H occurs in "HE"
              {"C.", 0, 6}, {"Q ", 0, 0},   {"", 0, 0}};
  for (const auto& r : rows) {
    EXPECT_EQ(exactElement(app->m, r.cand), r.exact) << '"' << r.cand << '"';
    EXPECT_EQ(containingElement(app->m, r.cand), r.containing) << '"' << r.cand << '"';
  }
}

TEST(ThreeDots, ThreePointsNoneLast) {
  for (auto [text, ok] : {std::pair{"1.0 2.0 3.0", true},
                          {"1.0 2.0 3.", false},
                          {"1.0 2.0", false},
                          {"CORINA 2.61 0041  25.10.2001", true},
                          {"1...2", true}})
    EXPECT_EQ(threeDots(text), ok) << text;
}

TEST(Coordinates, NumbersSplitAtBlanksAndSigns) {
  struct Row {
    const char* text;
    int found;
    double x, y, z;
  } rows[] = {
      {"  1.5  -2.25 3", 3, 1.5, -2.25, 3},
      {"-2.126  -2.241  -0.764  1.00 10.00", 3, -2.126, -2.241, -0.764},  // occupancy after z
      {"123.456   0.000-100.500", 3, 123.456, 0, -100.5},                 // abutting columns
      {"1.0E-05 2D+01\t.5", 3, 1e-5, 20, 0.5},
      {"1.0 2.0 C", 2, 1, 2, -7},
      {"C 1.0", 0, -7, -7, -7},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    double xyz[3] = {-7, -7, -7};
    EXPECT_EQ(readCoordinates(r.text, xyz), r.found);
    EXPECT_DOUBLE_EQ(xyz[0], r.x);
    EXPECT_DOUBLE_EQ(xyz[1], r.y);
    EXPECT_DOUBLE_EQ(xyz[2], r.z);
  }
}

}  // namespace
}  // namespace kel::testing
