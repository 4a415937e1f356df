// Kelvorin - desktop workbench for vibrational calculations.
// The Spectrum window mirrors its form: the plot drawn, a typed width taken, a bad one
// refused, and a stick of the plot found where it is drawn.
#include "ui/spectrum_window.hpp"
#include "testing.hpp"
#include "ui/desktop.hpp"
#include "ui_fixture.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace kel::testing {
namespace {

TEST(SpectrumWindowTest, FollowsTheFormAndFindsTheSticks) {
  needQt();
  TempDir dir;
  auto app = newApp();
  auto& m = app->m;
  m.NFrq = 2;
  m.Frq(1) = 1700, m.IrInt(1) = 300;
  m.Frq(2) = 1200, m.IrInt(2) = 100;
  m.FilNam = "two";
  ui::Desktop desk(*app);
  auto& window = desk.spectrum();
  spectrumOpen(*app, app->spectrum);
  desk.sync();
  EXPECT_TRUE(window.isVisible());
  auto& f = app->spectrum;
  ASSERT_EQ(f.scene.peaks.size(), 2u);
  // IR runs from 1900 (the default top) on the left down to 0 on the right
  EXPECT_LT(f.scene.peaks[0].x, f.scene.peaks[1].x);
  EXPECT_EQ(peakAt(f.scene, f.scene.peaks[1].x + 2, f.scene.peaks[1].bottom - 10), 2);
  EXPECT_EQ(peakAt(f.scene, f.scene.peaks[1].x + 40, f.scene.peaks[1].bottom - 10), 0);
  auto* fwhm = window.findChild<QLineEdit*>("fwhm");
  ASSERT_NE(fwhm, nullptr);
  EXPECT_EQ(fwhm->text(), "10");
  fwhm->setText("4,5");  // a decimal comma is no number here
  emit fwhm->editingFinished();
  EXPECT_EQ(f.settings.fwhm, 10);
  EXPECT_EQ(window.findChild<QLabel*>("message")->text(), "not a number the box allows: 4,5");
  EXPECT_EQ(fwhm->text(), "10");
  fwhm->setText("4.5");
  emit fwhm->editingFinished();
  EXPECT_EQ(f.settings.fwhm, 4.5);
  EXPECT_EQ(window.findChild<QLabel*>("message")->text(), "");
  window.findChild<QCheckBox*>("reverse")->setChecked(true);
  EXPECT_GT(f.scene.peaks[0].x, f.scene.peaks[1].x);
}

}  // namespace
}  // namespace kel::testing
