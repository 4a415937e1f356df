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

// Signs and points alone, 2^53 and its neighbours, 22 and 23 decimals, forty characters, what
// may follow a number, exponents of every kind.
// clang-format off
const char* const Tricky[] = {
    "0", "-0.000", "+0", ".", "-.", "-", "5.", ".5", "-.25", "-0.07", "-11.704868", "12.00000",
    "9007199254740992", "9007199254740993", "900719925474099.2", "900719925474099.3",
    "0.1234567890123456789012", "0.12345678901234567890123", "0.0000000000000000000001",
    "1.00000000000000000000000", "0.30000000000000004",
    "0000000000000000000000000000000000000000000000000000000000000000000000001",
    "0.0000000000000000000000000000000000000000000000000000000000000000000000001",
    "0000000000000000000000000000000000000001", "00000000000000000000000000000000000000012", "1.5 ",
    "1.5 7", "1\t2", "3\n4", "1.25,3", "1.25-3", "1.2.3", "1.5E-03", "2e5", "-6.1D-32", "2e", "2e+",
    "3x", "1e400", "1e-400", "- 5", "--5"};
// clang-format on

TEST(ValShortCut, AgreesWithTheGeneralPathOnTrickyTexts) {
  for (const char* text : Tricky) EXPECT_TRUE(sameAsGeneral(text));
}

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
