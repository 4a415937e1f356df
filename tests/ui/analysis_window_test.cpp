// Kelvorin - desktop workbench for vibrational calculations.
// The Analysis window mirrors its form: the mode table, the isotope table and a mass chosen.
#include "ui/analysis_window.hpp"
#include "../analysis/springs.hpp"
#include "ui/desktop.hpp"
#include "ui_fixture.hpp"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTableWidget>

namespace kel::testing {
namespace {

TEST(AnalysisWindow, TablesFollowTheFormAndAMassChoiceComputesAgain) {
  needQt();
  TempDir dir;
  auto app = newApp();
  auto& m = app->m;
  const NormalModes nm = springWater(*app);
  ui::Desktop desk(*app);
  auto& window = desk.analysis();
  analysisOpen(*app, window.form());
  desk.sync();
  EXPECT_TRUE(window.isVisible());
  auto* modes = window.findChild<QTableWidget*>("modes");
  auto* isotopes = window.findChild<QTableWidget*>("isotopes");
  ASSERT_TRUE(modes && isotopes);
  ASSERT_EQ(modes->rowCount(), 3);
  EXPECT_EQ(modes->item(2, 2)->text(), QString::number(nm.frequencies[2], 'f', 2));
  EXPECT_TRUE(modes->item(2, 7)->text().startsWith("BEND H2"));
  auto* box = qobject_cast<QComboBox*>(isotopes->cellWidget(1, 2));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->count(), 3);  // H, D, T
  emit box->textActivated(box->itemText(1));
  EXPECT_NEAR(m.AtMas(2), 2.0141017778, 1e-6);
  EXPECT_TRUE(modes->item(2, 3)->text().startsWith("-"));  // the bend goes down
  EXPECT_FALSE(window.findChild<QPlainTextEdit*>("report")->toPlainText().isEmpty());
}

}  // namespace
}  // namespace kel::testing
