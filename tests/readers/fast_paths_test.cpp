// Kelvorin - desktop workbench for vibrational calculations.
// The short cuts of the large-output path against the plain rules: displacements taken as
// integers of hundredths, the items of the displacement rows, and the mode lines written in
// place.
#include "base/basic_error.hpp"
#include "base/convert.hpp"
#include "readers/frequencies.hpp"
#include "readers/text_scan.hpp"
#include "testing.hpp"
#include "writers/own_file.hpp"

#include <random>

namespace kel::testing {
namespace {

using Fresh = FreshApp;

/// CInt(x * 100) or the error it throws (as a negative number below -40000).
long long viaValue(double x) {
  try {
    return CInt(x * 100.0);
  } catch (const BasicError& e) {
    return -100000 - e.number;
  }
}

/// plainHundredths or its error; -1 when it declines the field.
long long viaDigits(const detail::PlainField& f, bool& taken) {
  std::int16_t h = 0;
  try {
    taken = scan::plainHundredths(f, h);
    return h;
  } catch (const BasicError& e) {
    taken = true;
    return -100000 - e.number;
  }
}

TEST(PlainHundredths, SameAsTheValueTimesHundred) {
  const char* texts[] = {
      "0.15",          "-0.05",  "-0.00",   "0",       "5.",    ".5",          "-.07",
      "327.67",        "327.68", "-327.68", "-327.69", "32767", "32768",       "-32768",
      "3276.7",        "3276.8", "0.125",   "0.135",   "1.005", "99999999999", "10995116277.75",
      "10995116277.76"};
  for (const char* t : texts) {
    detail::PlainField f;
    ASSERT_TRUE(detail::plainField(t, f)) << t;
    bool taken = false;
    const long long fast = viaDigits(f, taken);
    if (taken) {
      EXPECT_EQ(fast, viaValue(Val(t))) << t;
    }
    // fields of three or more decimals go the general way
    EXPECT_EQ(taken, f.decimals <= 2 && f.digits < (std::uint64_t(1) << 40)) << t;
  }
  EXPECT_EQ(viaValue(Val("327.68")), -100006);  // overflow is error 6 either way
}

TEST(PlainHundredths, RandomFields) {
  std::mt19937_64 rng(11);
  std::uniform_int_distribution<int> decimals(0, 2), width(1, 14), digit(0, 9), coin(0, 1);
  char text[40];
  for (int t = 0; t < 300000; ++t) {
    int n = 0;
    if (coin(rng)) text[n++] = '-';
    const int d = decimals(rng);
    for (int i = width(rng) % (t % 3 == 0 ? 14 : 4); i >= 0; --i)
      text[n++] = char('0' + digit(rng));
    if (d > 0 || coin(rng)) text[n++] = '.';
    for (int i = 0; i < d; ++i) text[n++] = char('0' + digit(rng));
    const std::string s(text, std::size_t(n));
    detail::PlainField f;
    if (!detail::plainField(s, f)) {  // beyond 2^53: the general path
      ASSERT_GT(s.size(), 16u) << s;
      continue;
    }
    bool taken = false;
    const long long fast = viaDigits(f, taken);
    if (taken) {
      ASSERT_EQ(fast, viaValue(Val(s))) << s;
    }
  }
}

void hydrogenMolecule(App& app) {
  putAtoms(app.m, {{1, 0, 0, 0}, {1, 0, 0, 0.74}});
}

/// One mode of a diatomic whose two displacement rows are given.
std::string oneMode(const std::string& row1, const std::string& row2) {
  return " Harmonic frequencies (cm**-1)\n"
         "                      1\n"
         "                    SGG\n"
         " Frequencies --   4401.2100\n"
         " IR Inten    --      0.0000\n"
         "  Atom  AN      X      Y      Z\n" +
         row1 + "\n" + row2 + "\n -------------------\n";
}

struct RowCase {
  const char* name;
  const char* row1;
  const char* row2;
  std::int16_t want[6];  // atom 1 x y z, atom 2 x y z
};

class DisplacementItems : public FreshApp, public ::testing::WithParamInterface<RowCase> {};

TEST_P(DisplacementItems, ReadAsValTimesHundred) {
  const auto& r = GetParam();
  hydrogenMolecule(*app);
  auto f = dir.write("h2.log", oneMode(r.row1, r.row2));
  int ier = 0;
  ReMW(*app, f, 1, ier);
  ASSERT_EQ(ier, -1);
  ASSERT_EQ(app->m.NFrq, 1);
  EXPECT_DOUBLE_EQ(app->m.Frq(1), 4401.21);
  EXPECT_EQ(app->m.FrqSym(1), "SGG");
  for (int i = 0; i < 6; ++i) EXPECT_EQ(app->m.ModeD(1, 1 + i / 3, 1 + i % 3), r.want[i]) << i;
}

// clang-format off
const RowCase DisplacementItemsRows[] = {
  {"plain", "     1   1     0.15  -0.05   0.71", "     2   1    -0.15   0.05  -0.71", {15, -5, 71, -15, 5, -71}},
  {"signs_and_points", "     1   1    +0.05    -.05     5.", "     2   1       .5      -0.   0", {5, -5, 500, 50, 0, 0}},
  {"exponents", "     1   1  1.5D-01  -2E-2  1e0", "     2   1  0.1d1 2.5e-1 -1.E-2", {15, -2, 100, 100, 25, -1}},
  {"commas_and_tabs", "1,1,0.15,-0.05,0.71", "\t2\t1\t-0.15,\t0.05 ,-0.71", {15, -5, 71, -15, 5, -71}},
  {"three_decimals_round_half_even", "     1   1    0.125  -0.125  0.375", "     2   1    0.625   1.005   0.0051", {12, -12, 38, 62, 100, 1}},
  {"text_in_items", "     1   1    3x  -0.1y  abc", "     2   1    0.2-3  7..5  -", {300, -10, 0, 20, 700, 0}},
  {"printed_form_edges", "     1   1  -0.00 9.99 -9.99", "     2   1  0.999 -1.00x 10.00", {0, 999, -999, 100, -100, 1000}},
  {"fixed_columns_or_not", "     1   1    +0.15  10.05 -10.00", "     2   1    -1.00   9.99  -0.00", {15, 1005, -1000, -100, 999, 0}},
  {"printed_form_then_more", "     1   1  0.15.3 0.151 -0.1", "     2   1  0.15e1 0.15d 1.2 ", {15, 15, -10, 150, 15, 120}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, DisplacementItems, ::testing::ValuesIn(DisplacementItemsRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(Fresh, DisplacementItemsOverflowIsReportedAsBefore) {
  hydrogenMolecule(*app);
  auto f = dir.write("h2.log", oneMode("     1   1   327.68  0 0", "     2   1   0 0 0"));
  int ier = 0;
  ReMW(*app, f, 1, ier);
  EXPECT_NE(app->frm.Text4.text.find("ReMW ERROR 6"), std::string::npos) << app->frm.Text4.text;
  EXPECT_EQ(app->m.NFrq, 0);
}

TEST_F(Fresh, KelModeLinesWideValuesAndDeletedAtomsAmongMany) {
  auto& m = app->m;
  const int n = 40;
  m.NAt = n;
  for (int a = 1; a <= n; ++a) {
    setAtom(m, a, 6);
    m.XyzV(a, 0) = (a % 7 == 3) ? -1 : 0;  // deleted in the viewer
  }
  m.NFrq = 2;
  const int wide[] = {-100, 1000, -32768, 32767, -99, 999};
  for (int j = 1; j <= 2; ++j) {
    m.Frq(j) = 100.0 * j;
    m.FrqSym(j) = "A";
    for (int a = 1; a <= n; ++a)
      for (int k = 1; k <= 3; ++k)
        m.ModeD(j, a, k) = i16(a % 9 == 4 ? wide[(a + k + j) % 6] : (a * 7 + k * 13 + j) % 90 - 45);
  }
  m.FilNam = "w";
  for (bool asIs : {false, true}) {
    writeKelFile(*app, "w.kel", "", asIs);
    auto lines = linesOf(slurp(dir.path() / "w.kel"));
    for (int j = 1; j <= 2; ++j) {
      std::string want;
      for (int a = 1; a <= n; ++a) {
        if (asIs && m.XyzV(a, 0) < 0) continue;
        for (int k = 1; k <= 3; ++k) appendIntField(want, m.ModeD(j, a, k), 4);
        want += "   ";
      }
      // after the atoms: two empty lines, the title, the count line (2 modes of 40 atoms)
      const std::size_t at = std::size_t(asIs ? n - 6 : n) + 6 + 2 * std::size_t(j - 1);
      ASSERT_LT(at, lines.size());
      EXPECT_EQ(lines[at], want) << "mode " << j << (asIs ? " as is" : "");
    }
    EXPECT_EQ(app->frm.FmtBuf, "   IR =   0.00");  // the last field made, as fom2L leaves it
    std::filesystem::remove(dir.path() / "w.kel");
  }
}

}  // namespace
}  // namespace kel::testing
