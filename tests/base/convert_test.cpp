// Kelvorin - desktop workbench for vibrational calculations.
// Text-to-number, rounding and number-to-text: the rules every reader and writer relies on.
#include "base/convert.hpp"
#include "base/basic_error.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace kel {
namespace {

struct ValRow {
  const char* name;
  const char* text;
  double value;
  std::size_t used;
};

class ValTest : public ::testing::TestWithParam<ValRow> {};

TEST_P(ValTest, LongestLeadingNumber) {
  const auto& r = GetParam();
  std::size_t used = 99;
  EXPECT_DOUBLE_EQ(Val(r.text, used), r.value) << r.text;
  EXPECT_EQ(used, r.used) << r.text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ValTest,
    ::testing::Values(
        ValRow{"plain", "12", 12, 2}, ValRow{"leading_blanks", "   -3.5", -3.5, 7},
        ValRow{"blanks_inside", " 1 2 3", 123, 6}, ValRow{"no_leading_zero", ".5", 0.5, 2},
        ValRow{"minus_point", "-.25x", -0.25, 4}, ValRow{"trailing_text", "3.25 Angstrom", 3.25, 4},
        ValRow{"two_points", "1.2.3", 1.2, 3}, ValRow{"exponent", "1.5E-03", 0.0015, 7},
        ValRow{"fortran_exponent", "-6.16297582D-32", -6.16297582e-32, 15},
        ValRow{"letter_without_exponent", "2e", 2, 1}, ValRow{"text", "abc", 0, 0},
        ValRow{"empty", "", 0, 0}, ValRow{"lone_sign", "-", 0, 0}, ValRow{"tab", "\t7", 7, 2},
        ValRow{"plus", "+4", 4, 2}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(3.5), 4);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(-0.5), 0);
  EXPECT_EQ(CInt(15.0000001), 15);
  EXPECT_EQ(CLng(100000.5), 100000);
}

TEST(Rounding, OverflowIsError6) {
  EXPECT_EQ(CInt(32767.4), 32767);
  try {
    CInt(32767.5);
    FAIL() << "no overflow";
  } catch (const BasicError& e) {
    EXPECT_EQ(e.number, 6);
  }
  EXPECT_THROW(cint16(40000), BasicError);
}

TEST(NumberText, BlankBeforeNonNegativeAndNoLeadingZero) {
  EXPECT_EQ(Str(12LL), " 12");
  EXPECT_EQ(Str(-3LL), "-3");
  EXPECT_EQ(Str(0.5), " .5");
  EXPECT_EQ(Str(-0.25), "-.25");
  EXPECT_EQ(Str(1.5), " 1.5");
  EXPECT_EQ(Str(0.0), " 0");
  EXPECT_EQ(Str(123456.0), " 123456");
  EXPECT_EQ(Str(0.00001), " 1E-05");
  EXPECT_EQ(Str(2.01), " 2.01");
}

TEST(Pattern, FieldsOfTheWriters) {
  EXPECT_EQ(formatPattern(1.5, "########0.00"), "1.50");
  EXPECT_EQ(formatPattern(-0.004, "########0.00"), "0.00");
  EXPECT_EQ(formatPattern(-1.005, "0.00"), "-1.00");  // 1.005 is stored just below
  EXPECT_EQ(formatPattern(0.125, "0.00"), "0.13");    // an exact half rounds away from zero
  EXPECT_EQ(formatPattern(12.0, "########0"), "12");
  EXPECT_EQ(formatPattern(0.5, "###0.000"), "0.500");
  EXPECT_EQ(formatPattern(0.12345, "#.00"), ".12");
  EXPECT_EQ(formatPattern(-1234.5678, "########0.000000"), "-1234.567800");
  EXPECT_EQ(formatPattern(3.0, "0.00000"), "3.00000");
}

TEST(Pattern, DecimalCommaLocaleStillGivesAPoint) {
  const char* old = std::setlocale(LC_ALL, nullptr);
  std::string saved = old ? old : "C";
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "pl_PL.UTF-8"))
    GTEST_SKIP() << "no decimal-comma locale installed";
  EXPECT_EQ(formatPattern(1.5, "########0.00"), "1.50");
  EXPECT_DOUBLE_EQ(Val("1.5"), 1.5);
  EXPECT_EQ(Str(0.5), " .5");
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace kel
