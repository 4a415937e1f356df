// Kelvorin - desktop workbench for vibrational calculations.
// The element table, the coordinate names and the fixed-capacity tables.
#include "model/model.hpp"
#include "base/basic_error.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace kel {
namespace {

class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m = std::make_unique<ModKel>();
    IniModel(*m);
  }
  std::unique_ptr<ModKel> m;
};

TEST_F(ModelTest, DeuteriumStandsWhereHeliumWould) {
  EXPECT_EQ(m->ElSym(2), "D");
  EXPECT_DOUBLE_EQ(m->ElMas(2), 2.01410179);
  for (int z = 0; z <= MaxEl; ++z) EXPECT_NE(m->ElSym(z), "He") << z;
  EXPECT_EQ(m->ElSym(0), "");
  EXPECT_DOUBLE_EQ(m->ElMas(0), 0.0);
}

TEST_F(ModelTest, ElementTableSamples) {
  struct Row {
    int z;
    const char* sym;
    double mass;
  } rows[] = {{1, "H", 1.00782504},  {6, "C", 12.0},        {17, "Cl", 34.9688527},
              {19, "K", 38.9637079}, {28, "Ni", 57.935347}, {42, "Mo", 97.9055},
              {53, "I", 126.9004},   {58, "Ce", 140.1},     {83, "Bi", 208.980388}};
  for (const auto& r : rows) {
    EXPECT_EQ(m->ElSym(r.z), r.sym);
    EXPECT_DOUBLE_EQ(m->ElMas(r.z), r.mass) << r.sym;
  }
}

TEST_F(ModelTest, InternalCoordinateTypesAreFourCharacters) {
  const char* names[] = {"    ", "STRE", "BEND", "OUT ", "TORS", "BEIP", "BEPE", "SYMM", "ASYM"};
  for (int t = 0; t <= 8; ++t) EXPECT_EQ(m->IcName(t), names[t]);
}

TEST_F(ModelTest, LabelsAreTwoCharactersRightAligned) {
  setAtom(*m, 1, 6);
  setAtom(*m, 2, 17);
  setAtom(*m, 3, 2, -1.0);
  EXPECT_EQ(m->AtLab(1), " C");
  EXPECT_EQ(m->AtLab(2), "Cl");
  EXPECT_DOUBLE_EQ(m->AtMas(3), 2.01410179);  // no positive mass given: the table's
  setAtom(*m, 4, 1, 2.5);
  EXPECT_DOUBLE_EQ(m->AtMas(4), 2.5);
  EXPECT_DOUBLE_EQ(m->AtRad(1), 1.7);
}

TEST_F(ModelTest, FullCapacityAndSubscriptOutOfRange) {
  m->Xyz(480, 3) = 1.5;
  EXPECT_DOUBLE_EQ(m->Xyz(480, 3), 1.5);
  m->ModeD(1440, 480, 3) = -7;
  EXPECT_EQ(m->ModeD(1440, 480, 3), -7);
  try {
    m->Xyz(481, 1) = 0;
    FAIL() << "index 481 accepted";
  } catch (const BasicError& e) {
    EXPECT_EQ(e.number, 9);
  }
  EXPECT_THROW(m->Xyz(1, 4), BasicError);
  EXPECT_THROW(m->AtZ(-1), BasicError);
  EXPECT_THROW(m->Sw(151), BasicError);
}

}  // namespace
}  // namespace kel
