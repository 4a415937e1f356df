// Kelvorin - desktop workbench for vibrational calculations.
// The short cut of Val for plain decimal fields against the general conversion: both must
// give the same bits and the same count of characters used, for every text.
#include "base/convert.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

namespace kel {
namespace {

/// Val and the general path agree on s (value bit for bit, sign of zero included).
::testing::AssertionResult sameAsGeneral(const std::string& s) {
  std::size_t usedFast = 777, usedGeneral = 888;
  const double fast = Val(s, usedFast);
  const double general = detail::valGeneral(s, usedGeneral);
  if (std::bit_cast<std::uint64_t>(fast) == std::bit_cast<std::uint64_t>(general) &&
      usedFast == usedGeneral)
    return ::testing::AssertionSuccess();
  char buf[160];
  std::snprintf(buf, sizeof buf, "\"%s\": %.17g used %zu, general %.17g used %zu", s.c_str(), fast,
                usedFast, general, usedGeneral);
  return ::testing::AssertionFailure() << buf;
}

struct Tricky {
  const char* name;
  const char* text;
};

class ValShortCut : public ::testing::TestWithParam<Tricky> {};

TEST_P(ValShortCut, AgreesWithTheGeneralPath) {
  EXPECT_TRUE(sameAsGeneral(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ValShortCut,
    ::testing::Values(
        Tricky{"zero", "0"}, Tricky{"minus_zero", "-0.000"}, Tricky{"plus_zero", "+0"},
        Tricky{"point_only", "."}, Tricky{"minus_point", "-."}, Tricky{"lone_minus", "-"},
        Tricky{"trailing_point", "5."}, Tricky{"leading_point", ".5"},
        Tricky{"minus_leading_point", "-.25"}, Tricky{"displacement", "-0.07"},
        Tricky{"coordinate", "-11.704868"}, Tricky{"mass", "12.00000"},
        Tricky{"two_to_53", "9007199254740992"}, Tricky{"two_to_53_plus_1", "9007199254740993"},
        Tricky{"two_to_53_decimal", "900719925474099.2"},
        Tricky{"above_two_to_53_decimal", "900719925474099.3"},
        Tricky{"twenty_two_decimals", "0.1234567890123456789012"},
        Tricky{"twenty_three_decimals", "0.12345678901234567890123"},
        Tricky{"tiny_twenty_two", "0.0000000000000000000001"},
        Tricky{"twenty_three_zeros_after", "1.00000000000000000000000"},
        Tricky{"halfway_neighbours", "0.30000000000000004"},
        Tricky{"many_leading_zeros",
               "0000000000000000000000000000000000000000000000000000000000000000000000001"},
        Tricky{"many_leading_zeros_point",
               "0.0000000000000000000000000000000000000000000000000000000000000000000000001"},
        Tricky{"forty_chars", "0000000000000000000000000000000000000001"},
        Tricky{"forty_one_chars", "00000000000000000000000000000000000000012"},
        Tricky{"blank_after", "1.5 "}, Tricky{"blank_then_digit", "1.5 7"},
        Tricky{"tab_inside", "1\t2"}, Tricky{"newline_after", "3\n4"},
        Tricky{"comma_after", "1.25,3"}, Tricky{"minus_after", "1.25-3"},
        Tricky{"second_point", "1.2.3"}, Tricky{"exponent", "1.5E-03"},
        Tricky{"small_exponent", "2e5"}, Tricky{"fortran_exponent", "-6.1D-32"},
        Tricky{"letter_without_exponent", "2e"}, Tricky{"exponent_sign_only", "2e+"},
        Tricky{"letter_after", "3x"}, Tricky{"huge_exponent", "1e400"},
        Tricky{"tiny_exponent", "1e-400"}, Tricky{"sign_then_blank", "- 5"},
        Tricky{"double_sign", "--5"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ValShortCut, RandomTextsOfNumberCharacters) {
  std::mt19937_64 rng(20261206);
  const std::string alphabet = "0123456789012345678901234567890123456789..--+eEdD ,\tx";
  std::uniform_int_distribution<std::size_t> len(0, 30), pick(0, alphabet.size() - 1);
  for (int t = 0; t < 200000; ++t) {
    std::string s(len(rng), ' ');
    for (char& c : s) c = alphabet[pick(rng)];
    ASSERT_TRUE(sameAsGeneral(s));
  }
}

TEST(ValShortCut, RandomPlainDecimals) {
  std::mt19937_64 rng(48);
  std::uniform_int_distribution<int> digits(0, 25), coin(0, 3);
  std::uniform_int_distribution<int> digit(0, 9);
  const char* tails[] = {"", "", ",", " ", "-", "x", "e", "D+2", ".", "5"};
  std::uniform_int_distribution<std::size_t> tail(0, std::size(tails) - 1);
  for (int t = 0; t < 300000; ++t) {
    std::string s;
    if (coin(rng) == 0) s += '-';
    for (int i = digits(rng) % 18; i > 0; --i) s += char('0' + digit(rng));
    if (coin(rng) != 0) {
      s += '.';
      for (int i = digits(rng); i > 0; --i) s += char('0' + digit(rng));
    }
    s += tails[tail(rng)];
    ASSERT_TRUE(sameAsGeneral(s));
  }
}

TEST(ValShortCut, PrintedDoublesReadBack) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> mag(-12, 12);
  std::uniform_int_distribution<int> decimals(0, 24);
  char buf[96];
  for (int t = 0; t < 100000; ++t) {
    const double x = std::pow(10.0, mag(rng)) * (t % 2 ? -1 : 1);
    std::snprintf(buf, sizeof buf, "%.*f", decimals(rng), x);
    ASSERT_TRUE(sameAsGeneral(buf));
    std::snprintf(buf, sizeof buf, "%.17g", x);
    ASSERT_TRUE(sameAsGeneral(buf));
  }
  // Every field of the frequency tables: two decimals from -1 to 1.
  for (int k = -100; k <= 100; ++k) {
    std::snprintf(buf, sizeof buf, "%.2f", k / 100.0);
    ASSERT_TRUE(sameAsGeneral(buf));
  }
}

TEST(ValShortCut, HandWorkedValues) {
  std::size_t used = 0;
  EXPECT_EQ(Val("-0.07", used), -0.07);
  EXPECT_EQ(used, 5u);
  EXPECT_EQ(Val("12.00000,", used), 12.0);
  EXPECT_EQ(used, 8u);
  EXPECT_TRUE(std::signbit(Val("-0.00")));
  EXPECT_EQ(Val("9007199254740993"), 9007199254740992.0);  // ties to even
  EXPECT_EQ(Val("0.1") + Val("0.2"), 0.30000000000000004);
  EXPECT_TRUE(
      sameAsGeneral(std::string("7\0"
                                "8",
                                3)));
}

}  // namespace
}  // namespace kel
