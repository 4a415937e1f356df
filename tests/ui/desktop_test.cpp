// Kelvorin - desktop workbench for vibrational calculations.
// The real windows driven with Qt Test events on the offscreen platform.
#include "ui/desktop.hpp"
#include "../viewer/viewer_fixture.hpp"
#include "app/choosers.hpp"
#include "app/dispatcher.hpp"
#include "app/exit_dialog.hpp"
#include "model/console.hpp"
#include "ui/qt_platform.hpp"
#include "ui/windows.hpp"
#include "ui_fixture.hpp"
#include "viewer/viewer.hpp"

#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <functional>

/// The font library keeps a cache for the life of the process; the leak checker of the
/// sanitizer build is told so (the one place fonts are loaded is this test program).
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace kel::testing {
namespace {

/// Virtual time that advances at every yield, while the yield lets Qt's events run.
class QtSteppingLoop : public EventLoop, public Clock {
 public:
  void yield() override {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    t_ += 0.01;
  }
  double timer() override { return t_; }

 private:
  double t_ = 1000;
};

/// Runs action on the next modal dialog once it is up (from inside its own event loop).
void whenModal(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(0);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) return;
    timer->stop();
    timer->deleteLater();
    action(w);
  });
  timer->start();
}

/// A mouse drag on a widget: press, a few moves with the button held, release.
void drag(QWidget* w, QPoint from, QPoint to, Qt::MouseButton button,
          Qt::KeyboardModifiers mods = {}) {
  auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)),
                  type == QEvent::MouseMove ? Qt::NoButton : button, held, mods);
    QApplication::sendEvent(w, &e);
  };
  send(QEvent::MouseButtonPress, from, button);
  for (int k = 1; k <= 4; ++k) send(QEvent::MouseMove, from + (to - from) * k / 4, button);
  send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

double twipsOf(double pixels) {
  return pixels * TwipsPerPixel;
}

/// The angle in degrees of the rotation that takes orientation a to b.
double turnBetween(const Tab<double, 3, 3>& a, const Tab<double, 3, 3>& b) {
  double trace = 0;  // trace of b * a^T
  for (int i = 1; i <= 3; ++i)
    for (int k = 1; k <= 3; ++k) trace += b(i, k) * a(i, k);
  double c = std::clamp((trace - 1) / 2, -1.0, 1.0);
  return std::acos(c) * 180 / M_PI;
}

struct Desktop : ::testing::Test {
  TempDir dir;
  std::unique_ptr<App> app = newApp();
  QtSteppingLoop loop;
  std::unique_ptr<ui::Desktop> desk;

  void SetUp() override {
    needQt();
    app->loop = &loop;
    app->clock = &loop;
    app->interactive = true;
    desk = std::make_unique<ui::Desktop>(*app);
  }
  void TearDown() override { desk.reset(); }

  template <typename W>
  W* child(QWidget& parent, const char* name) {
    W* w = parent.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QWidget& viewer() { return reinterpret_cast<QWidget&>(desk->viewer()); }
  QWidget* main() { return reinterpret_cast<QWidget*>(&desk->main()); }
  QWidget* surface() { return reinterpret_cast<QWidget*>(desk->viewer().surface()); }
  QPushButton* obut(int i) {
    return child<QPushButton>(viewer(), ("obut" + std::to_string(i)).c_str());
  }
  /// Water on the surface, the viewer shown.
  void showWater() {
    buildWater(*app);
    show();
  }
  void show() {
    app->obr.visible = true;
    desk->sync();
    Start(*app);
    desk->sync();
  }
  /// Carbon monoxide with a mode per frequency (mode k moves atom k along axis k), shown with
  /// its frequency list open.
  QWidget& showModes(std::vector<double> frq) {
    buildModel(*app, {{6, 0, 0, 0}, {8, 1.2, 0, 0}}, {{1, 2}});
    app->m.NFrq = static_cast<i16>(frq.size());
    for (int k = 1; k <= app->m.NFrq; ++k) {
      app->m.Frq(k) = frq[std::size_t(k - 1)];
      app->m.FrqSym(k) = "A1";
      app->m.ModeD(k, k, k) = 300;
    }
    show();
    QTest::mouseClick(obut(5), Qt::LeftButton);
    return reinterpret_cast<QWidget&>(desk->frq());
  }
};

TEST_F(Desktop, StructureChosenInTheChooserIsListedInTheConsole) {
  std::string file = dir.copy(fixture("geo/benzene_type.geo"));
  bool seen = false;
  whenModal([&](QWidget* w) {
    auto* chooser = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(chooser, nullptr);
    seen = true;
    chooser->selectFile(QString::fromStdString(file));
    static_cast<QDialog*>(chooser)->accept();
  });
  QTest::mouseClick(child<QPushButton>(*main(), "ibut0"), Qt::LeftButton);
  EXPECT_TRUE(seen);
  EXPECT_EQ(app->m.NAt, 12);
  auto* console = child<QPlainTextEdit>(*main(), "Text2");
  QString log = console->toPlainText();
  EXPECT_EQ(log.toStdString(), app->frm.Text2.text);
  EXPECT_TRUE(log.contains("12")) << log.toStdString();
  EXPECT_FALSE(app->we1.visible);
  EXPECT_TRUE(viewer().isVisible() || app->obr.minimised);
}

TEST_F(Desktop, LeftDragAndCtrlWithARotationButtonTurnThePicture) {
  showWater();
  auto before = app->obr.v.Orient;
  QImage shown = desk->canvas().image().copy();
  drag(surface(), {200, 200}, {260, 200}, Qt::LeftButton);
  // A horizontal drag of 60 pixels (900 twips) turns about the vertical axis by 45 degrees.
  EXPECT_NEAR(turnBetween(before, app->obr.v.Orient), 45.0, 1e-6);
  EXPECT_NE(desk->canvas().image(), shown);
  EXPECT_EQ(app->obr.v.Dragging, 0);
  // Ctrl with a rotation button turns by 2.5 degrees
  before = app->obr.v.Orient;
  QPushButton* b = obut(13);
  QTest::keyPress(b, Qt::Key_Control, Qt::ControlModifier);
  QTest::mouseClick(b, Qt::LeftButton, Qt::ControlModifier);
  QTest::keyRelease(b, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_NEAR(turnBetween(before, app->obr.v.Orient), 2.5, 1e-6);
  EXPECT_EQ(app->obr.v.RotStep, 1);  // back to 10 degrees once Ctrl is up
}

TEST_F(Desktop, GeometryModeClicksOnTwoLabelsShowTheDistance) {
  showWater();
  QTest::mouseClick(obut(4), Qt::LeftButton);
  ASSERT_TRUE(app->obr.gemo.visible);
  auto centre = [&](int atom) {
    const ViewLabel& l = app->obr.Za[std::size_t(app->obr.v.DrawPos(atom))];
    EXPECT_TRUE(l.visible) << atom;
    return QPoint(int((l.left + l.width / 2) / TwipsPerPixel),
                  int((l.top + l.height / 2) / TwipsPerPixel));
  };
  QTest::mouseClick(surface(), Qt::LeftButton, {}, centre(1));
  QTest::mouseClick(surface(), Qt::LeftButton, {}, centre(2));
  auto* wynik = child<QPlainTextEdit>(viewer(), "wynik");
  EXPECT_TRUE(wynik->toPlainText().contains("D= ")) << wynik->toPlainText().toStdString();
  EXPECT_NE(app->obr.wynik.text.find("D= 0.95"), std::string::npos) << app->obr.wynik.text;
}

TEST_F(Desktop, FrequencyListStartsAndStopsTheAnimation) {
  auto& frq = showModes({1234.5678, 456.0});
  ASSERT_TRUE(frq.isVisible());
  auto* comb = child<QListWidget>(frq, "Comb");
  ASSERT_EQ(comb->count(), 3);
  auto clickRow = [&](int row) {
    QTest::mouseClick(comb->viewport(), Qt::LeftButton, {},
                      comb->visualItemRect(comb->item(row)).center());
  };
  bool running = false;
  int frames = 0;
  QObject guard;
  // While the animation runs, rotation by the mouse still works; then stop and close.
  auto* during = new QTimer(&guard);
  QObject::connect(during, &QTimer::timeout, [&] {
    if (app->obr.v.VibOn == 0) return;
    if (++frames < 3) return;
    during->stop();
    running = app->m.VibMode == 1;
    auto before = app->obr.v.Orient;
    drag(surface(), {200, 200}, {260, 200}, Qt::LeftButton);
    EXPECT_GT(turnBetween(before, app->obr.v.Orient), 1.0);
    clickRow(0);
  });
  during->start(0);
  clickRow(1);  // returns when the animation has stopped
  EXPECT_TRUE(running);
  EXPECT_EQ(app->obr.v.VibOn, 0);
  EXPECT_EQ(app->m.VibMode, 0);
  EXPECT_FALSE(frq.isVisible());
}

TEST_F(Desktop, ImaginaryModeDisplacedIntoANewJobAndArrowsToggle) {
  auto& frq = showModes({-300, 456.0});
  auto& m = app->m;
  m.FilNam = (dir.path() / "co").string();
  m.ModeD(1, 2, 1) = -100;
  auto* job = child<QPushButton>(frq, "displaceJob");
  for (auto [row, imaginary] : {std::pair{2, false}, std::pair{1, true}}) {
    app->frq.Comb.listIndex = row;
    desk->sync();
    EXPECT_EQ(job->isEnabled(), imaginary) << row;
  }
  ScriptedPrompt prompt({"0.2"});
  app->prompt = &prompt;
  double x0 = m.Xyz(1, 1);
  QTest::mouseClick(job, Qt::LeftButton);
  EXPECT_NEAR(m.Xyz(1, 1), x0 + 0.2, 1e-12);
  EXPECT_TRUE(fs::exists(dir.path() / "co.gjf"));
  EXPECT_TRUE(fs::exists(dir.path() / "co.xyz"));
  // the arrows of a mode shown come and go with the check box
  m.VibMode = 1;
  buildModeVec(*app);
  Uklad(*app, 1);
  desk->sync();
  QImage plain = desk->canvas().image().copy();
  QTest::mouseClick(child<QCheckBox>(frq, "Arrows"), Qt::LeftButton);
  EXPECT_EQ(app->obr.Arrows.value, 1);
  EXPECT_NE(desk->canvas().image(), plain);
}

TEST_F(Desktop, WheelKeysAndFitOnTheSurface) {
  showWater();
  auto& v = app->obr.v;
  QPointF at(300, 200);
  double mx = (twipsOf(at.x()) - v.Cx) / v.Scale, scale = v.Scale;
  QWheelEvent wheel(at, surface()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(surface(), &wheel);
  EXPECT_NEAR(v.Scale, scale * 1.1, 1e-9);  // one notch, the point under the pointer kept
  EXPECT_NEAR((twipsOf(at.x()) - v.Cx) / v.Scale, mx, 1e-12);
  auto before = v.Orient;
  QTest::keyClick(surface(), Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_NEAR(turnBetween(before, v.Orient), 5.0, 1e-6);
  QTest::keyClick(surface(), Qt::Key_Home);
  EXPECT_TRUE(v.Fitted);
  QTest::keyClick(surface(), Qt::Key_Minus);
  EXPECT_FALSE(v.Fitted);
  QTest::mouseClick(child<QPushButton>(viewer(), "FitBut"), Qt::LeftButton);
  EXPECT_TRUE(v.Fitted);
  QTest::keyClick(surface(), Qt::Key_B);  // water is planar: face on again, no depth
  for (int i = 1; i <= 3; ++i) EXPECT_NEAR(app->m.XyzV(i, 3), app->m.XyzV(1, 3), 1e-9);
}

TEST_F(Desktop, ClickInsideABallPicksItAndTheResultBoxShowsBothLines) {
  desk->canvas().setPixelRatio(1.5);  // a high-density screen: picking stays in pixels
  showWater();
  QTest::mouseClick(obut(4), Qt::LeftButton);
  auto& v = app->obr.v;
  auto inBall = [&](int atom) {  // inside the ball, beside its label box
    int p = v.DrawPos(atom);
    double x = v.DrawX(p) + 0.85 * v.BallRad(p), y = v.DrawY(p);
    EXPECT_EQ(labelAt(*app, x, y), 0);
    return QPoint(int(x / TwipsPerPixel), int(y / TwipsPerPixel));
  };
  QTest::mouseClick(surface(), Qt::LeftButton, {}, inBall(1));
  QTest::mouseClick(surface(), Qt::LeftButton, {}, inBall(3));
  EXPECT_EQ(v.Sel[0], 1);
  EXPECT_EQ(v.Sel[1], 3);
  auto* box = child<QPlainTextEdit>(viewer(), "wynik");
  EXPECT_EQ(box->document()->blockCount(), 2) << box->toPlainText().toStdString();
  EXPECT_GE(box->height(), 3 * QFontMetrics(box->font()).lineSpacing());
  EXPECT_EQ(obut(16)->text(), "EXIT && Change d.");  // shows its "&"
  for (int i = 9; i <= 14; ++i) EXPECT_FALSE(obut(i)->toolTip().isEmpty()) << i;
}

TEST_F(Desktop, ListLineTypedSpeedAndDefaultSpeed) {
  auto& frq = showModes({-55});
  auto* comb = child<QListWidget>(frq, "Comb");
  EXPECT_EQ(comb->item(1)->text().toStdString(), "   1     55.00i      0.00            A1");
  EXPECT_EQ(child<QLabel>(frq, "heading")->text().toStdString(), app->frq.heading);
  EXPECT_EQ(app->frq.heading, "Mode Frequency         IR     Raman  Sym");
  auto* speed = child<QDoubleSpinBox>(frq, "HSSvalue");
  speed->selectAll();
  QTest::keyClicks(speed, "0");
  QTest::keyClick(speed, Qt::Key_Return);
  EXPECT_EQ(app->m.VibSpd, 0.0);
  EXPECT_EQ(child<QScrollBar>(frq, "HSS")->value(), 0);
  QTest::mouseClick(child<QLabel>(frq, "Las"), Qt::LeftButton);  // "default speed"
  EXPECT_EQ(app->m.VibSpd, 3.0);
  EXPECT_DOUBLE_EQ(speed->value(), 3.0);
}

TEST_F(Desktop, NoBallAfterAReadThatGaveNoAtom) {
  showWater();
  app->m.NAt = 0;  // the read failed: the rows of the last structure are still there
  Start(*app);
  QImage white(desk->canvas().image().size(), QImage::Format_RGB32);
  white.fill(Qt::white);
  EXPECT_EQ(desk->canvas().image(), white);
}

TEST_F(Desktop, ViewStructureRaisesTheViewerAndFirstPlacesHideNoControl) {
  showWater();
  auto* main = reinterpret_cast<QWidget*>(&desk->main());
  EXPECT_EQ(main->pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
  for (QRect area : {QRect(0, 0, 1920, 1040), QRect(0, 30, 1280, 770), QRect(0, 0, 800, 600)}) {
    QRect v = ui::viewerPlace(area, viewer().size());
    EXPECT_EQ(v.right(), area.right());
    EXPECT_TRUE(area.contains(v));
    QRect list(ui::listPlace(area, v, desk->frq().size()), desk->frq().size());
    QRect buttons(v.left(), v.top(), 97, v.height()), row(v.left(), v.bottom() - 70, v.width(), 70);
    EXPECT_FALSE(list.intersects(buttons) || list.intersects(row)) << area.width();
    EXPECT_TRUE(area.width() < 1600 || !list.intersects(v));  // room enough: beside it
  }
  EXPECT_GE(viewer().minimumWidth(), 800);
  main->activateWindow();
  QCoreApplication::processEvents();
  QTest::mouseClick(child<QPushButton>(*main, "ibut2"), Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &viewer());
}

TEST_F(Desktop, ExitDialogErasesOnlyTheListedFiles) {
  auto names = scratchNames();
  ASSERT_GE(names.size(), 3u);
  for (int k = 0; k < 3; ++k) dir.write(names[std::size_t(k)], "scratch\n");
  whenModal([&](QWidget* w) {
    auto* list = w->findChild<QPlainTextEdit*>();
    ASSERT_NE(list, nullptr);
    QString text = list->toPlainText();
    ASSERT_TRUE(text.contains(QString::fromStdString(names[1])));
    text.replace(QString::fromStdString(names[1]), "");  // the user strikes one name
    list->setPlainText(text);
    for (auto* b : w->findChildren<QPushButton*>())
      if (b->text() == "only ERASE Not Exit") QTest::mouseClick(b, Qt::LeftButton);
  });
  QTest::mouseClick(child<QPushButton>(*main(), "ibut7"), Qt::LeftButton);
  EXPECT_FALSE(fs::exists(dir.path() / names[0]));
  EXPECT_TRUE(fs::exists(dir.path() / names[1]));
  EXPECT_FALSE(fs::exists(dir.path() / names[2]));
  EXPECT_FALSE(desk->ended());
  EXPECT_TRUE(main()->isVisible());
}

TEST_F(Desktop, WhileAReadRunsOnlyButtonOneAnswersTheBreakPoint) {
  auto* open = child<QPushButton>(*main(), "ibut0");
  auto* one = child<QPushButton>(*main(), "ibut1");
  app->busy = true;  // as inside a read
  desk->sync();
  bool openEnabled = true, oneEnabled = false;
  QObject guard;
  auto* timer = new QTimer(&guard);
  int ticks = 0;
  QObject::connect(timer, &QTimer::timeout, [&] {
    if (++ticks > 10000) app->m.Sw(112) = 0;  // never hang: the checks below then fail
    // the windows follow the break point at its first yield
    if (app->m.Sw(112) == 0 || !one->isEnabled()) return;
    timer->stop();
    openEnabled = open->isEnabled();
    oneEnabled = one->isEnabled();
    QTest::mouseClick(open, Qt::LeftButton);  // ignored
    QTest::mouseClick(one, Qt::LeftButton);   // ends the wait
  });
  timer->start(0);
  Breka(*app);  // waits, yielding, until button 1 is pressed
  EXPECT_LT(ticks, 10000);
  EXPECT_FALSE(openEnabled);
  EXPECT_TRUE(oneEnabled);
  EXPECT_EQ(app->m.Sw(112), 0);
  EXPECT_FALSE(app->we1.visible);
  EXPECT_FALSE(app->we2.visible);
  app->busy = false;
  desk->sync();
  EXPECT_TRUE(open->isEnabled());
}

TEST_F(Desktop, DroppedStructureIsRead) {
  std::string file = dir.copy(fixture("geo/benzene_type.geo"));
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(main(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(main(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_EQ(app->m.NAt, 0);  // read once the drop has ended
  QCoreApplication::processEvents();
  EXPECT_EQ(app->m.NAt, 12);
  EXPECT_FALSE(app->we1.visible);
}

TEST_F(Desktop, ExportMenuWaitsForAStructureThenWritesBothFiles) {
  auto* menu = child<QMenu>(*main(), "exportMenu");
  ASSERT_NE(menu, nullptr);
  emit menu->aboutToShow();
  EXPECT_FALSE(menu->findChild<QAction*>("exportXyz")->isEnabled());
  showWater();
  app->m.FilNam = (dir.path() / "water").string();
  emit menu->aboutToShow();
  for (const char* name : {"exportXyz", "exportMolden"}) {
    auto* action = menu->findChild<QAction*>(name);
    ASSERT_TRUE(action && action->isEnabled()) << name;
    action->trigger();
  }
  EXPECT_TRUE(fs::exists(dir.path() / "water.xyz"));
  EXPECT_TRUE(fs::exists(dir.path() / "water.molden"));
}

TEST_F(Desktop, PrintGoesThroughThePrintDialogToAPdfFileOrNowhereWhenCancelled) {
  showWater();
  app->m.ShowNam = "water";
  std::string pdf = (dir.path() / "water.pdf").string();
  whenModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  QTest::mouseClick(obut(1), Qt::LeftButton);
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_EQ(app->erraCount, 0);
  bool asked = false;
  whenModal([&](QWidget* w) {
    auto* dlg = qobject_cast<QPrintDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    asked = true;
    dlg->accept();  // as proposed: a PDF file named after the structure
  });
  QTest::mouseClick(obut(1), Qt::LeftButton);
  EXPECT_TRUE(asked);
  std::string text = slurp(pdf);
  EXPECT_EQ(text.rfind("%PDF", 0), 0u);
  EXPECT_GT(text.size(), 1000u);
}

TEST_F(Desktop, PlacementControlsKeepOneDirectionPerAxis) {
  klucze(*app, 1);
  desk->sync();
  auto* right = child<QCheckBox>(*main(), "Che1_0");
  auto* left = child<QCheckBox>(*main(), "Che1_1");
  auto* top = child<QCheckBox>(*main(), "Che1_2");
  ASSERT_TRUE(right->isVisible());
  auto box = [](QCheckBox* c) { return QPoint(6, c->height() / 2); };  // on the indicator
  EXPECT_EQ(right->text().toStdString(), "right side");
  QTest::mouseClick(right, Qt::LeftButton, {}, box(right));
  EXPECT_TRUE(right->isChecked());
  QTest::mouseClick(left, Qt::LeftButton, {}, box(left));
  EXPECT_FALSE(right->isChecked());
  EXPECT_TRUE(left->isChecked());
  auto* list = child<QListWidget>(*main(), "List1");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(2)).center());
  EXPECT_TRUE(top->isChecked());
  EXPECT_TRUE(left->isChecked());
  EXPECT_EQ(app->frm.Che1[2].value, 1);
}

TEST_F(Desktop, BitmapWritesABmpFileThenCancelCopiesToTheClipboard) {
  showWater();
  app->m.FilNam = (dir.path() / "water").string();
  QTest::mouseClick(obut(0), Qt::LeftButton);  // a free name: written at once
  std::string bmp = slurp(dir.path() / "water.bmp");
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  QImage read(QString::fromStdString((dir.path() / "water.bmp").string()));
  EXPECT_EQ(read.size(), desk->canvas().image().size());
  QApplication::clipboard()->clear();
  bool asked = false;
  whenModal([&](QWidget* w) {
    asked = qobject_cast<QInputDialog*>(w) != nullptr;
    static_cast<QDialog*>(w)->reject();
  });
  QTest::mouseClick(obut(0), Qt::LeftButton);  // the name is taken: the question, Cancel
  EXPECT_TRUE(asked);
  EXPECT_EQ(app->obr.wynik.text, "clipboard");
  EXPECT_EQ(QApplication::clipboard()->image().size(), desk->canvas().image().size());
}

TEST(InputBoxAnswer, GivesTheTextOrEmpty) {
  needQt();
  for (bool ok : {false, true}) {
    ui::InputBox box;
    QString label, title, initial;
    whenModal([&](QWidget* w) {
      auto* dlg = qobject_cast<QInputDialog*>(w);
      ASSERT_NE(dlg, nullptr);
      label = dlg->labelText();
      title = dlg->windowTitle();
      initial = dlg->textValue();
      dlg->setTextValue("other.kel");
      ok ? dlg->accept() : dlg->reject();
    });
    std::string answer = box.inputBox("CAUTION: alraeady exists file\rwater.kel\r\nOr New Filename",
                                      "Kelv", "water.kel");
    EXPECT_EQ(answer, ok ? "other.kel" : "");
    EXPECT_EQ(label.toStdString(), "CAUTION: alraeady exists file\nwater.kel\nOr New Filename");
    EXPECT_EQ(title.toStdString(), "Kelv");
    EXPECT_EQ(initial.toStdString(), "water.kel");
  }
}

}  // namespace
}  // namespace kel::testing
