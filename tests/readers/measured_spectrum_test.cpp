// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/measured_spectrum.hpp"
#include "base/line_reader.hpp"
#include "testing.hpp"

#include <cmath>

namespace kel {
namespace {

using testing::fixture;

// ------------------------------------------------------------- good files, each form and unit

struct GoodRow {
  const char* name;
  const char* file;
  int n;
  int at;  ///< a point checked besides the first and the last
  double x1, y1, xAt, yAt, xn, yn;
  bool transmittance;
};
class MeasuredGood : public ::testing::TestWithParam<GoodRow> {};

TEST_P(MeasuredGood, PointsAsWritten) {
  const auto& r = GetParam();
  testing::TempDir dir;
  auto app = testing::newApp();
  auto s = std::make_unique<MeasuredSpectrum>();
  int ier = -1;
  ReadMeasured(*app, fixture(r.file).string(), *s, ier);
  ASSERT_EQ(ier, 0) << app->frm.Text3.text;
  ASSERT_EQ(s->n, r.n);
  EXPECT_NEAR(s->x(1), r.x1, 1e-9);
  EXPECT_NEAR(s->y(1), r.y1, 1e-9);
  EXPECT_NEAR(s->x(r.at), r.xAt, 1e-9);
  EXPECT_NEAR(s->y(r.at), r.yAt, 1e-9);
  EXPECT_NEAR(s->x(r.n), r.xn, 1e-9);
  EXPECT_NEAR(s->y(r.n), r.yn, 1e-9);
  EXPECT_EQ(s->fromTransmittance, r.transmittance);
}

// dif_dup: 10 12 12 12, then 15 twelve times (DUP count "S1" = 11 of a zero difference),
// the next line's check value 15 not counted again, then 20 19; a last line of the check
// value only. YFACTOR 0.01, x from 1000 down by 2.
// sqz_pac: A1T = 11 11, B2 = 22, PAC +5-3+100, a5 = -15, @ = 0.
// affn_transmittance: X scaled by XFACTOR 0.5, T = 1, .5, .1, .01 -> A = 0, .30103, 1, 2.
const GoodRow GoodRows[] = {
    {"dif_dup", "jdx/dif_dup.jdx", 18, 16, 1000, 0.10, 970, 0.15, 966, 0.19, false},
    {"dif_dup_repeat", "jdx/dif_dup.jdx", 18, 17, 1000, 0.10, 968, 0.20, 966, 0.19, false},
    {"sqz_pac", "jdx/sqz_pac.dx", 8, 7, 2000, 11, 1994, -15, 1993, 0, false},
    {"pac_line", "jdx/sqz_pac.dx", 8, 6, 2000, 11, 1995, 100, 1993, 0, false},
    {"affn_t", "jdx/affn_transmittance.jdx", 4, 2, 1000, 0, 999, 0.30102999566, 997, 2, true},
    {"micrometers", "jdx/points_micrometers.jdx", 3, 2, 4000, 0.1, 2000, 0.2, 1000, 0.3, false},
    {"peak_table", "jdx/peak_table.jdx", 2, 2, 1700, 0.9, 2900, 0.4, 2900, 0.4, false},
    {"chain9", "jdx/chain9_measured.jdx", 1801, 482, 4000, 0, 3038, 1, 400, 0.0012, false},
};
INSTANTIATE_TEST_SUITE_P(Rows, MeasuredGood, ::testing::ValuesIn(GoodRows),
                         [](const auto& row) { return std::string(row.param.name); });

// ------------------------------------------------------------- text read in memory

/// Reads text through the reader of the form; the reason of a refusal, "" when read.
std::string readText(const std::string& text, bool jcamp, MeasuredSpectrum& s) {
  s.n = 0;
  auto in = LineReader::fromText(text);
  SpectrumRead r{s, {}};
  return (jcamp ? readJcamp(in, r) : readColumns(in, r)) ? "" : r.why;
}

TEST(MeasuredColumns, SeparatorsHeadersAndTransmittance) {
  auto s = std::make_unique<MeasuredSpectrum>();
  EXPECT_EQ(readText("cm-1;A\r\n1000,5;0,25\r\n999,5;0,5\r\n", false, *s), "");
  ASSERT_EQ(s->n, 2);
  EXPECT_EQ(s->x(1), 1000.5);
  EXPECT_EQ(s->y(2), 0.5);
  EXPECT_EQ(readText("# x y\n4000 0.1\n3999\t0.2\n3998,0.3\n", false, *s), "");
  EXPECT_EQ(s->n, 3);
  EXPECT_EQ(s->y(3), 0.3);
  EXPECT_EQ(readText("wavenumber,%T\r1000,100\r999,10\r", false, *s), "");
  EXPECT_TRUE(s->fromTransmittance);
  EXPECT_NEAR(s->y(1), 0, 1e-12);
  EXPECT_NEAR(s->y(2), 1, 1e-12);
  EXPECT_EQ(readText("x,y\n1000,0.1\n999\n", false, *s), "two numbers expected at line 3");
  EXPECT_EQ(readText("only a header\n", false, *s), "no lines of two numbers");
}

// ------------------------------------------------------------- refused JCAMP-DX files

struct BadRow {
  const char* name;
  const char* text;
  const char* why;
};
class MeasuredBad : public ::testing::TestWithParam<BadRow> {};

TEST_P(MeasuredBad, IsRefused) {
  auto s = std::make_unique<MeasuredSpectrum>();
  EXPECT_EQ(readText(GetParam().text, true, *s), GetParam().why);
}

#define HEAD "##TITLE=t\n##XUNITS=1/CM\n##YUNITS=ABSORBANCE\n##FIRSTX=10\n##LASTX=7\n"
// clang-format off
const BadRow BadRows[] = {
  {"count", HEAD "##NPOINTS=5\n##XYDATA=(X++(Y..Y))\n10 1 2 3 4\n##END=\n",
   "##NPOINTS promises 5 points, the table holds 4"},
  {"cut_off", HEAD "##NPOINTS=4\n##XYDATA=(X++(Y..Y))\n10 1 2 3 4\n", "cut off: no ##END= after the data"},
  {"lost_line", HEAD "##XFACTOR=0.1\n##NPOINTS=4\n##XYDATA=(X++(Y..Y))\n100 1 2\n70 4\n##END=\n",
   "the abscissa is out of step at line 10"},
  {"check", HEAD "##NPOINTS=4\n##XYDATA=(X++(Y..Y))\n10A1J\n8A3J\n##END=\n",
   "the y check value differs from the line before at line 9"},
  {"missing", HEAD "##NPOINTS=4\n##XYDATA=(X++(Y..Y))\n10 1 ? 3 4\n##END=\n", "a missing value '?' at line 8"},
  {"dif_first", HEAD "##XYDATA=(X++(Y..Y))\n10J\n##END=\n", "a difference with no value before it at line 7"},
  {"bad_char", HEAD "##XYDATA=(X++(Y..Y))\n10 1 2 #\n##END=\n", "unexpected character '#' at line 7"},
  {"no_data", "##TITLE=t\n##END=\n", "no ##XYDATA, ##XYPOINTS or ##PEAK TABLE found"},
  {"ntuples", "##TITLE=t\n##NTUPLES=NMR SPECTRUM\n", "##NTUPLES tables are not read"},
  {"xy_form", HEAD "##XYDATA=(X++(R..R))\n", "only ##XYDATA=(X++(Y..Y)) tables are read, not (X++(R..R))"},
  {"units", "##XUNITS=HZ\n##XYPOINTS=(XY..XY)\n1,2\n##END=\n", "x units not read: HZ"},
  {"odd_pair", "##XYPOINTS=(XY..XY)\n1,2 3\n##END=\n", "an x without its y"},
  {"no_first", "##XYDATA=(X++(Y..Y))\n10 1 2\n##END=\n", "##FIRSTX or ##LASTX missing"},
};
// clang-format on
#undef HEAD
INSTANTIATE_TEST_SUITE_P(Rows, MeasuredBad, ::testing::ValuesIn(BadRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(MeasuredCapacity, OnePointTooManyIsRefusedAndAMissingFileNamed) {
  auto s = std::make_unique<MeasuredSpectrum>();
  // one line of AFFN values, then a repeat count that runs past the capacity
  std::string text = "##FIRSTX=1\n##LASTX=2\n##XYDATA=(X++(Y..Y))\n1 5S31072\n##END=\n";
  EXPECT_EQ(readText(text, true, *s), "");
  EXPECT_EQ(s->n, MaxMeasured);
  text.replace(text.find("S31072"), 6, "S31073");
  EXPECT_EQ(readText(text, true, *s),
            "more than 131072 points: the program holds at most 131072 at line 4");
  testing::TempDir dir;
  auto app = testing::newApp();
  int ier = 0;
  ReadMeasured(*app, "missing.jdx", *s, ier);
  EXPECT_EQ(ier, 1);
  EXPECT_EQ(s->n, 0);
  EXPECT_EQ(app->frm.Text3.text, "file not found: missing.jdx");
}

}  // namespace
}  // namespace kel
