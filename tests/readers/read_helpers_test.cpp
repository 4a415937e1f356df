// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/read_helpers.hpp"

#include "testing.hpp"

namespace kel {
namespace {

struct LookUp {
  const char* name;
  const char* cand;
  int exact, containing;
};

class ElementLookUp : public ::testing::TestWithParam<LookUp> {};

TEST_P(ElementLookUp, ExactAndContaining) {
  const LookUp& c = GetParam();
  auto app = testing::newApp();
  EXPECT_EQ(exactElement(app->m, c.cand), c.exact);
  EXPECT_EQ(containingElement(app->m, c.cand), c.containing);
}

// clang-format off
const LookUp LookUps[] = {
  {"carbon_with_blank", "C ", 6, 6},
  {"chlorine_upper", "CL", 17, 17},
  {"chlorine_written", "Cl", 17, 17},
  {"calcium_not_carbon", "CA", 20, 20},
  {"deuterium", "D", 2, 2},
  {"iodine", "I ", 53, 53},
  {"no_helium", "He", 0, 1},          // H occurs in "HE"
  {"type_with_point", "C.", 0, 6},
  {"nothing", "Q ", 0, 0},
  {"empty", "", 0, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Symbols, ElementLookUp, ::testing::ValuesIn(LookUps),
                         [](const auto& row) { return std::string(row.param.name); });

struct Dots {
  const char* name;
  const char* text;
  bool ok;
};

class ThreeDots : public ::testing::TestWithParam<Dots> {};

TEST_P(ThreeDots, ThreePointsNoneLast) {
  EXPECT_EQ(threeDots(GetParam().text), GetParam().ok);
}

// clang-format off
const Dots DotRows[] = {
  {"coordinates", "1.0 2.0 3.0", true},
  {"last_is_a_point", "1.0 2.0 3.", false},
  {"two_only", "1.0 2.0", false},
  {"program_line", "CORINA 2.61 0041  25.10.2001", true},
  {"adjacent", "1...2", true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Lines, ThreeDots, ::testing::ValuesIn(DotRows),
                         [](const auto& row) { return std::string(row.param.name); });

struct Coords {
  const char* name;
  const char* text;
  int found;
  double x, y, z;
};

class Coordinates : public ::testing::TestWithParam<Coords> {};

TEST_P(Coordinates, NumbersSplitAtBlanksAndSigns) {
  const Coords& c = GetParam();
  double xyz[3] = {-7, -7, -7};
  EXPECT_EQ(readCoordinates(c.text, xyz), c.found);
  EXPECT_DOUBLE_EQ(xyz[0], c.x);
  EXPECT_DOUBLE_EQ(xyz[1], c.y);
  EXPECT_DOUBLE_EQ(xyz[2], c.z);
}

// clang-format off
const Coords CoordRows[] = {
  {"blanks", "  1.5  -2.25 3", 3, 1.5, -2.25, 3},
  {"occupancy_after_z", "-2.126  -2.241  -0.764  1.00 10.00", 3, -2.126, -2.241, -0.764},
  {"abutting_columns", "123.456   0.000-100.500", 3, 123.456, 0, -100.5},
  {"exponent_sign", "1.0E-05 2D+01\t.5", 3, 1e-5, 20, 0.5},
  {"two_then_text", "1.0 2.0 C", 2, 1, 2, -7},
  {"none", "C 1.0", 0, -7, -7, -7},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Fields, Coordinates, ::testing::ValuesIn(CoordRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace kel
