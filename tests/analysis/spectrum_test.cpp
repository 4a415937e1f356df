// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/spectrum.hpp"
#include "model/slots.hpp"
#include "testing.hpp"

#include <cmath>
#include <numbers>

namespace kel {
namespace {

// ------------------------------------------------------------- line shapes by hand

struct ShapeRow {
  const char* name;
  LineShape shape;
  double fwhm, dx, value;
};
class LineShapes : public ::testing::TestWithParam<ShapeRow> {};

TEST_P(LineShapes, ValueAtDistance) {
  const auto& r = GetParam();
  EXPECT_NEAR(lineShape(r.shape, r.fwhm, r.dx), r.value, 1e-9);
}

// Lorentz: 1/(pi*5) at the centre, half of it at dx = FWHM/2; Gauss: sigma = 10/2.3548200
// = 4.2466090, 1/(sigma*sqrt(2 pi)) = 0.0939437 at the centre, half of it at dx = 5.
const ShapeRow ShapeRows[] = {
    {"lorentz_centre", LineShape::Lorentz, 10, 0, 0.0636619772},
    {"lorentz_half", LineShape::Lorentz, 10, -5, 0.0318309886},
    {"lorentz_far", LineShape::Lorentz, 4, 20, (2 / std::numbers::pi) / (400 + 4)},
    {"gauss_centre", LineShape::Gauss, 10, 0, 0.0939437279},
    {"gauss_half", LineShape::Gauss, 10, 5, 0.0469718639},
    {"gauss_two_sigma", LineShape::Gauss, 10, 8.4932180, 0.0939437279 * std::exp(-2.0)},
};
INSTANTIATE_TEST_SUITE_P(Rows, LineShapes, ::testing::ValuesIn(ShapeRows),
                         [](const auto& row) { return std::string(row.param.name); });

/// Two real modes and an imaginary one between them; Raman data held.
void threeModes(ModKel& m) {
  m.NFrq = 3;
  m.Frq(1) = 2000, m.IrInt(1) = 5, m.RaInt(1) = 40;
  m.Frq(2) = -200, m.IrInt(2) = 50, m.RaInt(2) = 60;
  m.Frq(3) = 1000, m.IrInt(3) = 10, m.RaInt(3) = 20;
  m.RaInt(0) = 3;
}

// ------------------------------------------------------------- area, scaling, imaginary modes

TEST(Spectrum, AreaEqualsIntensity) {
  for (LineShape shape : {LineShape::Lorentz, LineShape::Gauss}) {
    ModKel m;
    m.NFrq = 1;
    m.Frq(1) = 1500, m.IrInt(1) = 7;
    SpectrumSettings set;
    set.shape = shape;
    set.rangeSet = true, set.from = 1000, set.to = 2000, set.step = 0.05;
    Spectrum s;
    ASSERT_TRUE(computeSpectrum(m, set, s)) << s.message;
    double area = 0;  // trapezoids
    for (std::size_t i = 1; i < s.x.size(); ++i) area += (s.ir[i] + s.ir[i - 1]) / 2 * set.step;
    // the Lorentzian's tails beyond +-500 cm-1 hold 1 - (2/pi) atan(500/5) of its area
    const double inside = shape == LineShape::Gauss ? 1 : 2 / std::numbers::pi * std::atan(100.0);
    EXPECT_NEAR(area, 7 * inside, 1e-4);
  }
}

TEST(Spectrum, ScalingHeldIsAppliedOnceAndImaginaryModesAreLeftOut) {
  ModKel m;
  threeModes(m);
  holdScaling(m, {0.9, 10});
  SpectrumSettings set;
  set.scaling = heldScaling(m);
  Spectrum s;
  ASSERT_TRUE(computeSpectrum(m, set, s)) << s.message;
  ASSERT_EQ(s.sticks.size(), 2u);
  EXPECT_EQ(s.sticks[0].mode, 1);
  EXPECT_DOUBLE_EQ(s.sticks[0].x, 1810);
  EXPECT_DOUBLE_EQ(s.sticks[1].x, 910);
  // 0 to 1810 + 200 rounded up to 100
  EXPECT_EQ(s.from, 0);
  EXPECT_EQ(s.to, 2100);
  ASSERT_EQ(s.x.size(), 2101u);
  const double l0 = lineShape(LineShape::Lorentz, 10, 0),
               l900 = lineShape(LineShape::Lorentz, 10, 900);
  EXPECT_DOUBLE_EQ(s.ir[910], 10 * l0 + 5 * l900);
  EXPECT_DOUBLE_EQ(s.raman[1810], 40 * l0 + 20 * l900);
  // the imaginary mode's intensity would show at -170 and, through its tail, at 0
  EXPECT_NEAR(
      s.ir[0],
      10 * lineShape(LineShape::Lorentz, 10, 910) + 5 * lineShape(LineShape::Lorentz, 10, 1810),
      1e-15);
  const std::string csv = spectrumCsv(s);
  EXPECT_EQ(csv.substr(0, 20), "wavenumber,ir,raman\n");
  EXPECT_NE(csv.find("\n910,"), std::string::npos);
  EXPECT_EQ(csv.find(';'), std::string::npos);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 2102);
}

TEST(Spectrum, ScalingInstructionReadings) {
  ModKel m;
  EXPECT_EQ(heldScaling(m).factor, 1);  // none held
  m.Sw(sw::Scaling) = -1;
  m.Par(par::ScaleFactor) = 0, m.Par(par::ScaleShift) = 0.97;  // "scaling factor = .97"
  EXPECT_EQ(heldScaling(m).factor, 0.97);
  EXPECT_EQ(heldScaling(m).shift, 0);
  m.Par(par::ScaleFactor) = 0.95, m.Par(par::ScaleShift) = -12;  // "= .95 *x - 12"
  EXPECT_EQ(heldScaling(m).factor, 0.95);
  EXPECT_EQ(heldScaling(m).shift, -12);
}

TEST(Spectrum, RefusedSettings) {
  ModKel m;
  Spectrum s;
  SpectrumSettings set;
  EXPECT_FALSE(computeSpectrum(m, set, s));
  EXPECT_EQ(s.message, "no modes held: no spectrum");
  m.NFrq = 1, m.Frq(1) = -50;
  EXPECT_FALSE(computeSpectrum(m, set, s));
  EXPECT_EQ(s.message, "only imaginary modes: no spectrum");
  m.Frq(1) = 50;
  set.step = 0.001;
  set.rangeSet = true, set.from = 0, set.to = 4000;
  EXPECT_FALSE(computeSpectrum(m, set, s));
  EXPECT_EQ(s.message, "more than 200001 points: take a larger step");
  EXPECT_TRUE(s.x.empty());
}

// ------------------------------------------------------------- the scale fit

TEST(ScaleFitTest, FindsTheFactorOfASyntheticSpectrum) {
  const std::vector<Stick> sticks = {
      {1, 3100, 30, 0}, {2, 1720, 80, 0}, {3, 1450, 12, 0}, {4, 1210, 45, 0}, {5, 760, 25, 0}};
  for (double truth : {0.9650, 1.0325, 0.9000}) {
    for (LineShape shape : {LineShape::Lorentz, LineShape::Gauss}) {
      std::vector<Stick> scaled = sticks;
      for (auto& s : scaled) s.x *= truth;
      std::vector<double> x, y;
      for (double w = 3500; w >= 500; w -= 2) {  // a measured grid from high to low
        double a = 0;
        for (const auto& s : scaled) a += s.ir * lineShape(shape, 12, w - s.x);
        x.push_back(w);
        y.push_back(0.01 + a);  // a flat baseline as measured spectra have
      }
      const ScaleFit fit = fitScale(sticks, shape, 12, x, y);
      EXPECT_EQ(fit.message, "");
      EXPECT_NEAR(fit.factor, truth, 1e-12) << int(shape);
      EXPECT_GT(fit.similarity, 0.95);
    }
  }
  const std::vector<double> none = {0, 0};
  EXPECT_NE(fitScale(sticks, LineShape::Lorentz, 10, none, none).message, "");
}

}  // namespace
}  // namespace kel
