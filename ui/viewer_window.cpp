// Kelvorin - desktop workbench for vibrational calculations.
// The viewer: its drawing surface, the button column and the row below; the frequency list
// and the change-distance dialog.
#include "app/app.hpp"
#include "app/motion.hpp"
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "ui/analysis_window.hpp"
#include "ui/desktop.hpp"
#include "ui/qt_canvas.hpp"
#include "ui/widget_sync.hpp"
#include "ui/windows.hpp"
#include "viewer/viewer.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>
#include <vector>

namespace kel::ui {

namespace {

constexpr const char* ViewerGeometryKey = "viewer/geometry";
constexpr int ColumnWidth = 97;           // 1460 twips: the button column
constexpr int ButtonHeight = 27;          // the buttons of the row below the surface
constexpr int ClickSlack = 3;             // pixels a click may move and still be a click
constexpr double WheelNotch = 120;        // angle units of one notch of a mouse wheel
constexpr QSize ViewerMinimum{860, 560};  // every control of the viewer readable
constexpr QSize FrqMinimum{380, 300};
constexpr const char* DisplaceCaption = "Displace...";
constexpr const char* DisplaceTip =
    "Move the structure along the selected mode (step in angstrom of the atom moving most)";
constexpr const char* DisplaceJobCaption = "Displace && write job...";
constexpr const char* DisplaceJobTip =
    "Imaginary mode: move the structure along it and write a new Gaussian job file and .xyz";
constexpr const char* ExportCaption = "Export animation";
constexpr const char* ExportKinds[] = {"Animated GIF (one period)...", "PNG frames (folder)...",
                                       "XYZ movie (one period)..."};
constexpr const char* GifFilter = "GIF pictures (*.gif)";
constexpr const char* XyzFilter = "XYZ files (*.xyz)";
constexpr std::string_view FramesQuestion = "Frames of one period (2 to 400)";
constexpr std::string_view FramesTitle = "Export animation";
constexpr std::string_view ExportedText = "written: ";

/// The result box's text with line breaks as Qt shows them, and back.
QString boxText(const std::string& text) {
  QString t = qs(text);
  t.replace("\r\n", "\n");
  t.replace('\r', '\n');
  return t;
}
std::string stateText(const QString& shown) {
  QString t = shown;
  t.replace("\n", "\r\n");
  return t.toStdString();
}

double twips(double pixels) {
  return pixels * TwipsPerPixel;
}

/// The modifier mask still held after a key went up (the released key's own bit removed).
int maskAfterRelease(const QKeyEvent* e) {
  int mask = modifierMask(e->modifiers());
  switch (e->key()) {
    case Qt::Key_Shift:
      return mask & ~1;
    case Qt::Key_Control:
      return mask & ~2;
    case Qt::Key_Alt:
      return mask & ~4;
    default:
      return mask;
  }
}

}  // namespace

// --- the surface

SurfaceWidget::SurfaceWidget(App& app, Desktop& desk, QWidget* parent)
    : QWidget(parent), app_(app), desk_(desk) {
  setObjectName("Pic1");
  setMouseTracking(true);
  setFocusPolicy(Qt::WheelFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::follow() {
  if (desk_.canvas().changes() != shown_) update();
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
  QtCanvas& canvas = desk_.canvas();
  if (canvas.pixelRatio() != devicePixelRatioF()) {
    // moved to a screen of another density: the picture is drawn again at its density
    canvas.setPixelRatio(devicePixelRatioF());
    if (app_.obr.v.ScaleSet != 0 && !app_.busy) Plas(app_);
  }
  shown_ = desk_.canvas().changes();
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.drawImage(0, 0, desk_.canvas().image());
}

void SurfaceWidget::mousePressEvent(QMouseEvent* e) {
  double x = twips(e->position().x()), y = twips(e->position().y());
  pressAt_ = e->position().toPoint();
  moved_ = false;
  // A visible atom label lies over the surface and takes its own clicks.
  labelPressed_ = e->button() == Qt::LeftButton ? pickAt(app_, x, y) : 0;
  if (labelPressed_ != 0) return;
  Pic1_MouseDown(app_, buttonMask(e->button()), modifierMask(e->modifiers()), x, y);
  desk_.sync();
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* e) {
  if ((e->position().toPoint() - pressAt_).manhattanLength() > ClickSlack) moved_ = true;
  if (labelPressed_ != 0 && (e->buttons() & Qt::AllButtons)) return;
  Pic1_MouseMove(app_, buttonMask(e->buttons()), modifierMask(e->modifiers()),
                 twips(e->position().x()), twips(e->position().y()));
  desk_.sync();
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* e) {
  double x = twips(e->position().x()), y = twips(e->position().y());
  if (labelPressed_ != 0) {
    int p = labelPressed_;
    labelPressed_ = 0;
    if (pickAt(app_, x, y) != p || app_.busy) return;
    {
      Desktop::Busy busy(app_);  // a label click in delete mode edits the structure
      Za_Click(app_, p);
    }
    desk_.after();
    return;
  }
  Pic1_MouseUp(app_);
  if (!moved_ && e->button() == Qt::LeftButton) backgroundClick(app_, false);
  desk_.after();
}

void SurfaceWidget::wheelEvent(QWheelEvent* e) {
  double notches = e->angleDelta().y() / WheelNotch;
  if (notches == 0) return;
  Pic1_Wheel(app_, notches, twips(e->position().x()), twips(e->position().y()));
  e->accept();
  desk_.sync();
}

void SurfaceWidget::keyPressEvent(QKeyEvent* e) {
  ViewKey key;
  switch (e->key()) {
    case Qt::Key_Left:
      key = ViewKey::Left;
      break;
    case Qt::Key_Right:
      key = ViewKey::Right;
      break;
    case Qt::Key_Up:
      key = ViewKey::Up;
      break;
    case Qt::Key_Down:
      key = ViewKey::Down;
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      key = ViewKey::Plus;
      break;
    case Qt::Key_Minus:
      key = ViewKey::Minus;
      break;
    case Qt::Key_F:
    case Qt::Key_Home:
      key = ViewKey::Fit;
      break;
    case Qt::Key_B:
      key = ViewKey::Best;
      break;
    case Qt::Key_Escape:
      key = ViewKey::Escape;
      break;
    default:
      QWidget::keyPressEvent(e);
      return;
  }
  e->accept();
  // The arrows take the rotation buttons' step: Shift, Ctrl and Alt make it smaller.
  Pic1_KeyDown(app_, key, modifierMask(e->modifiers() & ~Qt::KeypadModifier));
  desk_.after();
}

// --- the viewer window

ViewerWindow::ViewerWindow(App& app, Desktop& desk) : app_(app), desk_(desk) {
  setObjectName("frmObr");
  surface_ = new SurfaceWidget(app, desk, this);
  for (std::size_t i = 0; i < obut_.size(); ++i) {
    auto* b = new QPushButton(this);
    b->setObjectName(QString("obut%1").arg(i));
    b->installEventFilter(this);
    connect(b, &QPushButton::clicked, this, [this, i] {
      obut_Click(app_, int(i));
      desk_.after();
    });
    obut_[i] = b;
  }
  wynik_ = new QPlainTextEdit(this);
  wynik_->setObjectName("wynik");
  wynik_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  wynik_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  wynik_->setLineWrapMode(QPlainTextEdit::NoWrap);
  wynik_->setTabChangesFocus(true);
  wynik_->document()->setDocumentMargin(1);
  wynik_->installEventFilter(this);
  wynik_->viewport()->installEventFilter(this);
  connect(wynik_, &QPlainTextEdit::textChanged, this, [this] {
    std::string t = stateText(wynik_->toPlainText());
    if (t == app_.obr.wynik.text) return;  // the text the state gave it
    app_.obr.wynik.text = t;
    wynik_Change(app_);
    desk_.after();
  });
  auto button = [this](const char* name, std::function<void()> handler, bool edits) {
    auto* b = new QPushButton(this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, [this, handler, edits] {
      if (edits && app_.busy) return;
      if (edits) {
        Desktop::Busy busy(app_);
        handler();
      } else {
        handler();
      }
      desk_.after();
    });
    return b;
  };
  clear_ = button(
      "Clear", [this] { Clear_Click(app_); }, false);
  delAto_ = button(
      "DelAto", [this] { DelAto_Click(app_); }, true);
  chaDis_ = button(
      "ChaDis", [this] { ChaDis_Click(app_); }, true);
  stary_ = button(
      "stary", [this] { stary_Click(app_); }, true);
  fit_ = button(
      "FitBut", [this] { Fit(app_); }, false);
  best_ = button(
      "BestBut", [this] { BestView(app_); }, false);
  auto label = [this](const char* name, std::function<void()> handler) {
    auto* l = new ClickLabel(this, [this, handler] {
      handler();
      desk_.after();
    });
    l->setObjectName(name);
    l->setFrameShape(QFrame::Panel);
    l->setAlignment(Qt::AlignCenter);
    return l;
  };
  gemo_ = label("gemo", [this] { leaveGeometry(app_); });
  delmo_ = label("delmo", [this] { leaveDelete(app_); });
  chamo_ = label("chamo", [this] { leaveChange(app_); });
  vimo_ = label("vimo", [this] { vimo_Click(app_); });
  ima1_ = label("Ima1", [this] { Ima1_Click(app_); });
  teker_ = new QLineEdit(this);
  teker_->setObjectName("Teker");
  teker_->setReadOnly(true);
  foreIf(teker_, rgb(176, 0, 0), QPalette::Text);

  setMinimumSize(ViewerMinimum);
  resize(1000, 720);
  QSettings settings;
  restored_ = restoreGeometry(settings.value(ViewerGeometryKey).toByteArray());
  placeControls();
}

void ViewerWindow::placeControls() {
  double sw = 0, sh = 0;
  surfaceSizeFor(twips(width()), twips(height()), sw, sh);
  int w = std::max(1, int(std::lround(sw / TwipsPerPixel)));
  int h = std::max(1, int(std::lround(sh / TwipsPerPixel)));
  surface_->setGeometry(ColumnWidth, 0, w, h);

  std::vector<QPushButton*> column(obut_.begin(), obut_.end());
  column.push_back(fit_);
  column.push_back(best_);
  int visibleButtons = 0;
  for (auto* b : column) visibleButtons += b->isHidden() ? 0 : 1;
  int bh = std::clamp(height() / std::max(1, visibleButtons), 18, 30);
  int y = 2;
  for (auto* b : column) {
    if (b->isHidden()) continue;
    b->setGeometry(2, y, ColumnWidth - 6, bh - 2);
    y += bh;
  }

  // the row below: the result box as high as the row, the rest at its top
  int x = ColumnWidth, row = h + 3, rh = ButtonHeight;
  wynik_->setGeometry(x, row, 260, std::max(rh, height() - row - 3));
  x += 264;
  auto place = [&](QWidget* wgt, int width) {
    if (wgt->isHidden()) return;
    wgt->setGeometry(x, row, width, rh);
    x += width + 4;
  };
  place(clear_, 70);
  place(delAto_, 100);
  place(chaDis_, 120);
  place(stary_, 100);
  place(gemo_, 110);
  place(delmo_, 90);
  place(chamo_, 110);
  place(vimo_, 120);
  place(ima1_, 26);
  place(teker_, std::max(60, width() - x - 4));

  QtCanvas& canvas = desk_.canvas();
  double ratio = surface_->devicePixelRatioF();
  if (canvas.scaleWidth() != twips(w) || canvas.scaleHeight() != twips(h) ||
      canvas.pixelRatio() != ratio) {
    canvas.setPixelRatio(ratio);  // drawn at the screen's density, sharp when scaled
    canvas.resize(w, h);
    Form_Resize(app_);
    surface_->update();
  }
}

void ViewerWindow::sync() {
  auto& o = app_.obr;
  QString title = qs(o.caption);
  if (windowTitle() != title) setWindowTitle(title);
  bool layoutChanged = false;
  for (std::size_t i = 0; i < obut_.size(); ++i) {
    const Control& c = o.obut[i];
    textIf(obut_[i], c.text);
    if (obut_[i]->isHidden() == c.visible) {
      obut_[i]->setVisible(c.visible);
      layoutChanged = true;
    }
    enableIf(obut_[i], c.enabled);
    backIf(obut_[i], c.backColour);
    if (obut_[i]->toolTip() != qs(c.toolTip)) obut_[i]->setToolTip(qs(c.toolTip));
  }
  if (QString t = boxText(o.wynik.text); wynik_->toPlainText() != t) {
    QSignalBlocker block(wynik_);
    wynik_->setPlainText(t);
  }
  QFont wf = wynik_->font();
  if (std::fabs(wf.pointSizeF() - o.wynik.fontSize) > 0.01) {
    wf.setPointSizeF(o.wynik.fontSize);
    wynik_->setFont(wf);
  }
  if (wynik_->toolTip() != qs(o.wynik.toolTip)) wynik_->setToolTip(qs(o.wynik.toolTip));
  struct Pair {
    QWidget* w;
    const Control* c;
  };
  for (auto [w, c] : {Pair{clear_, &o.Clear}, Pair{delAto_, &o.DelAto}, Pair{chaDis_, &o.ChaDis},
                      Pair{stary_, &o.stary}, Pair{gemo_, &o.gemo}, Pair{delmo_, &o.delmo},
                      Pair{chamo_, &o.chamo}, Pair{vimo_, &o.vimo}, Pair{teker_, &o.Teker},
                      Pair{fit_, &o.FitBut}, Pair{best_, &o.BestBut}}) {
    if (auto* b = qobject_cast<QPushButton*>(w)) textIf(b, c->text);
    if (auto* l = qobject_cast<QLabel*>(w)) textIf(l, c->text);
    if (auto* e = qobject_cast<QLineEdit*>(w)) lineIf(e, c->text);
    if (w->toolTip() != qs(c->toolTip)) w->setToolTip(qs(c->toolTip));
    if (w->isHidden() == c->visible) {
      w->setVisible(c->visible);
      layoutChanged = true;
    }
  }
  bool ima = o.Ima1[0].visible || o.Ima1[1].visible;
  if (ima1_->isHidden() == ima) {
    ima1_->setVisible(ima);
    layoutChanged = true;
  }
  const Control& square = o.Ima1[o.Ima1[1].visible ? 1 : 0];
  backIf(ima1_, square.backColour, QPalette::Window);
  if (ima1_->toolTip() != qs(square.toolTip)) ima1_->setToolTip(qs(square.toolTip));
  if (layoutChanged) placeControls();

  if (o.visible) {
    if (isHidden()) {
      if (!shown_) {
        shown_ = true;
        placeControls();
      }
      if (o.minimised)
        showMinimized();
      else
        show();
    } else if (o.minimised != isMinimized()) {
      if (o.minimised)
        showMinimized();
      else
        showNormal();
    }
  } else if (!isHidden()) {
    hide();
  }
  if (o.picFocus) {
    // the pointer passed over the picture: its keys work without a click (not while typing)
    o.picFocus = false;
    if (isActiveWindow() && !wynik_->hasFocus()) surface_->setFocus(Qt::MouseFocusReason);
  }
  if (o.visible && raised_ != o.raise) {
    // a command showed the viewer: it comes to the front, also from behind other windows
    raised_ = o.raise;
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
  }
  surface_->follow();
}

void ViewerWindow::resizeEvent(QResizeEvent*) {
  placeControls();
}

void ViewerWindow::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() != QEvent::WindowStateChange || isHidden()) return;
  // The user minimised or restored the window: the state follows it.
  bool minimised = isMinimized();
  if (app_.obr.minimised == minimised) return;
  app_.obr.minimised = minimised;
  if (!minimised) {
    Form_Resize(app_);
  }
  desk_.sync();
}

void ViewerWindow::saveSettings() {
  if (shown_) QSettings().setValue(ViewerGeometryKey, saveGeometry());
}

void ViewerWindow::closeEvent(QCloseEvent* e) {
  saveSettings();
  app_.obr.visible = false;
  e->accept();
  // A closed viewer shows no animation.
  if (app_.obr.v.VibOn != 0) {
    vimo_Click(app_);
    desk_.after();
  }
}

void ViewerWindow::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  backgroundClick(app_, true);
  desk_.after();
}

bool ViewerWindow::eventFilter(QObject* watched, QEvent* e) {
  auto type = e->type();
  if (watched == wynik_->viewport() && type == QEvent::MouseButtonDblClick) {
    wynik_DblClick(app_);
    desk_.after();
    return true;
  }
  if (watched == wynik_ && type == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      wynik_Enter(app_);
      desk_.after();
      return true;  // the box takes no line break from the keyboard
    }
  }
  for (std::size_t i = 0; i < obut_.size(); ++i) {
    if (watched != obut_[i]) continue;
    int n = int(i);
    if (type == QEvent::FocusIn) {
      app_.obr.focusButton = n;
    } else if (type == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      obut_KeyDown(app_, n, modifierMask(k->modifiers()));
      desk_.sync();
    } else if (type == QEvent::KeyRelease) {
      auto* k = static_cast<QKeyEvent*>(e);
      obut_KeyUp(app_, n, maskAfterRelease(k));
      desk_.sync();
    } else if (type == QEvent::MouseButtonDblClick) {
      obut_DblClick(app_);
      desk_.sync();
    }
  }
  return QWidget::eventFilter(watched, e);
}

// --- the frequency list

FrqWindow::FrqWindow(App& app, Desktop& desk) : app_(app), desk_(desk) {
  setObjectName("kelFrq");
  auto* layout = new QVBoxLayout(this);
  heading_ = new QLabel(this);
  heading_->setObjectName("heading");
  QFont fixed("Monospace");
  fixed.setStyleHint(QFont::TypeWriter);
  comb_ = new QListWidget(this);
  comb_->setObjectName("Comb");
  comb_->setFont(fixed);
  heading_->setFont(fixed);
  connect(comb_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    int row = comb_->row(item);
    // No animation starts inside a read or an edit (its frames would show a half-made model);
    // stopping is always possible.
    if (row != 0 && app_.busy) return;
    Comb_Click(app_, row);
    desk_.after();
  });
  layout->addWidget(heading_);
  layout->addWidget(comb_, 1);
  // the Analysis window beside the list: computed modes, assignment, isotopes, report
  auto* analysis = new QPushButton("Analysis", this);
  analysis->setObjectName("analysis");
  connect(analysis, &QPushButton::clicked, this, [this] {
    if (app_.busy) return;
    analysisOpen(app_, desk_.analysis().form());
    desk_.after();
  });
  // the Spectrum window: IR and Raman curves, a measured spectrum and the scale fit
  auto* spectrum = new QPushButton("Spectrum", this);
  spectrum->setObjectName("spectrum");
  connect(spectrum, &QPushButton::clicked, this, [this] {
    if (app_.busy) return;
    spectrumOpen(app_, app_.spectrum);
    desk_.after();
  });
  auto* windows = new QHBoxLayout;
  windows->addWidget(analysis);
  windows->addWidget(spectrum);
  layout->addLayout(windows);
  // the mode in still pictures and files, and the structure moved along it
  auto* motion = new QHBoxLayout;
  arrows_ = new QCheckBox(qs(app_.obr.Arrows.text), this);
  arrows_->setObjectName("Arrows");
  arrows_->setToolTip(qs(app_.obr.Arrows.toolTip));
  connect(arrows_, &QCheckBox::clicked, this, [this] {
    Arrows_Click(app_);
    desk_.after();
  });
  displace_ = new QPushButton(DisplaceCaption, this);
  displace_->setObjectName("displace");
  displace_->setToolTip(DisplaceTip);
  connect(displace_, &QPushButton::clicked, this, [this] {
    displaceAsk(app_, selectedMode(app_), false);
    desk_.after();
  });
  displaceJob_ = new QPushButton(DisplaceJobCaption, this);
  displaceJob_->setObjectName("displaceJob");
  displaceJob_->setToolTip(DisplaceJobTip);
  connect(displaceJob_, &QPushButton::clicked, this, [this] {
    displaceAsk(app_, selectedMode(app_), true);
    desk_.after();
  });
  exportAnim_ = new QPushButton(ExportCaption, this);
  exportAnim_->setObjectName("exportAnimation");
  auto* kinds = new QMenu(exportAnim_);
  for (int kind = 0; kind < 3; ++kind)
    connect(kinds->addAction(ExportKinds[kind]), &QAction::triggered, this,
            [this, kind] { exportAnimation(kind); });
  exportAnim_->setMenu(kinds);
  motion->addWidget(arrows_);
  motion->addWidget(exportAnim_, 1);
  layout->addLayout(motion);
  auto* moves = new QHBoxLayout;
  moves->addWidget(displace_, 1);
  moves->addWidget(displaceJob_, 1);
  layout->addLayout(moves);
  auto* grid = new QGridLayout;
  auto slider = [this](const char* name, void (*handler)(Viewer&, int) noexcept) {
    auto* s = new QScrollBar(Qt::Horizontal, this);
    s->setObjectName(name);
    connect(s, &QScrollBar::valueChanged, this, [this, handler](int v) {
      handler(app_, v);
      desk_.sync();
    });
    return s;
  };
  hss_ = slider("HSS", HSS_Change);
  hsa_ = slider("HSA", HSA_Change);
  auto spin = [this](const char* name, void (*handler)(Viewer&, int) noexcept) {
    auto* b = new QDoubleSpinBox(this);
    b->setObjectName(name);
    b->setDecimals(3);
    b->setKeyboardTracking(false);  // a typed value counts once it is complete
    connect(b, &QDoubleSpinBox::valueChanged, this, [this, handler](double v) {
      handler(app_, int(std::lround(v * 1000)));
      desk_.sync();
    });
    return b;
  };
  hssValue_ = spin("HSSvalue", HSS_Change);
  hsaValue_ = spin("HSAvalue", HSA_Change);
  las_ = new ClickLabel(this, [this] {
    Las_Click(app_);
    desk_.sync();
  });
  las_->setObjectName("Las");
  laa_ = new ClickLabel(this, [this] {
    Laa_Click(app_);
    desk_.sync();
  });
  laa_->setObjectName("Laa");
  for (auto* l : {las_, laa_}) l->setFrameShape(QFrame::Panel);
  grid->addWidget(las_, 0, 0);
  grid->addWidget(hss_, 0, 1);
  grid->addWidget(hssValue_, 0, 2);
  grid->addWidget(laa_, 1, 0);
  grid->addWidget(hsa_, 1, 1);
  grid->addWidget(hsaValue_, 1, 2);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);
  teker_ = new QLineEdit(this);
  teker_->setObjectName("Teker");
  teker_->setReadOnly(true);
  layout->addWidget(teker_);
  setMinimumSize(FrqMinimum);
  resize(420, 480);
}

void FrqWindow::sync() {
  auto& f = app_.frq;
  QString title = qs(f.caption);
  if (windowTitle() != title) setWindowTitle(title);
  textIf(heading_, f.heading);
  bool same = comb_->count() == int(f.Comb.items.size());
  for (int r = 0; same && r < comb_->count(); ++r)
    same = comb_->item(r)->text() == qs(f.Comb.items[std::size_t(r)]);
  if (!same) {
    comb_->clear();
    for (const auto& item : f.Comb.items) comb_->addItem(qs(item));
  }
  if (comb_->currentRow() != f.Comb.listIndex) {
    QSignalBlocker block(comb_);
    comb_->setCurrentRow(f.Comb.listIndex);
  }
  for (auto [bar, state, value] :
       {std::tuple{hss_, &f.HSS, hssValue_}, std::tuple{hsa_, &f.HSA, hsaValue_}}) {
    QSignalBlocker block(bar);
    if (bar->minimum() != state->min || bar->maximum() != state->max)
      bar->setRange(state->min, state->max);
    bar->setSingleStep(state->smallChange);
    bar->setPageStep(state->largeChange);
    if (bar->value() != state->value) bar->setValue(state->value);
    QSignalBlocker blockValue(value);
    value->setRange(state->min / 1000.0, state->max / 1000.0);
    value->setSingleStep(state->smallChange / 1000.0);
    if (std::lround(value->value() * 1000) != state->value) value->setValue(state->value / 1000.0);
  }
  textIf(las_, f.Las.text);
  textIf(laa_, f.Laa.text);
  if (arrows_->isChecked() != (app_.obr.Arrows.value != 0))
    arrows_->setChecked(app_.obr.Arrows.value != 0);
  int mode = selectedMode(app_);
  displace_->setEnabled(mode > 0 && !app_.busy);
  // the one step that fixes a saddle point: offered for an imaginary mode
  displaceJob_->setEnabled(mode > 0 && app_.m.Frq(mode) < 0 && !app_.busy);
  exportAnim_->setEnabled(app_.m.VibMode > 0 && !app_.busy);
  lineIf(teker_, f.Teker.text);
  showIf(teker_, f.Teker.visible);
  if (f.visible && isHidden()) show();
  if (!f.visible && !isHidden()) hide();
  if (f.visible && raised_ != f.raise) {
    raised_ = f.raise;
    raise();
    activateWindow();
  }
}

void FrqWindow::exportAnimation(int kind) {
  if (app_.busy || app_.m.VibMode <= 0) return;
  QString stem = qs(app_.m.FilNam + "_mode" + std::to_string(app_.m.VibMode));
  QString target = kind == 1 ? QFileDialog::getExistingDirectory(this, ExportKinds[kind], stem)
                             : QFileDialog::getSaveFileName(this, ExportKinds[kind],
                                                            stem + (kind == 0 ? ".gif" : ".xyz"),
                                                            kind == 0 ? GifFilter : XyzFilter);
  if (target.isEmpty()) return;
  std::string answer =
      trim(app_.prompt->inputBox(FramesQuestion, FramesTitle, std::to_string(DefaultFrames)));
  if (answer.empty()) return;
  int n = int(Val(answer));
  std::string file = target.toStdString();
  bool ok =
      kind == 0
          ? exportGif(app_, file, n,
                      [](App& a, RgbaImage& image) { return canvasPixels(*a.obr.Pic1, image); })
      : kind == 1
          ? exportFrames(app_, file, n,
                         [](App& a, const std::string& f) { return a.obr.Pic1->savePicture(f); })
          : exportXyzMovie(app_, file, n);
  setWynik(app_, ok ? std::string(ExportedText) + file : app_.frm.Text3.text);
  desk_.after();
}

void FrqWindow::closeEvent(QCloseEvent* e) {
  e->accept();
  if (!app_.frq.visible) return;
  Comb_Click(app_, 0);  // as "STOP vibration  and  CLOSE"
  desk_.after();
}

// --- the change-distance dialog

OdlegDialog::OdlegDialog(App& app, Desktop& desk) : QDialog(nullptr), app_(app), desk_(desk) {
  setObjectName("Odleg");
  setModal(false);
  auto* layout = new QGridLayout(this);
  label1_ = new QLabel(this);
  text1_ = new QLineEdit(this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);
  desired_ = new QLabel(this);
  text2_ = new QLineEdit(this);
  text2_->setObjectName("Text2");
  text2_->installEventFilter(this);
  connect(text2_, &QLineEdit::textEdited, this, [this](const QString& t) {
    app_.odleg.Text2.text = t.toStdString();
    odlegText2_Change(app_);
    desk_.sync();
  });
  ok_ = new QPushButton(this);
  ok_->setObjectName("Command1");
  ok_->setAutoDefault(false);
  cancel_ = new QPushButton(this);
  cancel_->setObjectName("Command2");
  cancel_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, [this] {
    if (app_.busy) return;
    {
      Desktop::Busy busy(app_);
      odlegOK(app_);
    }
    desk_.after();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    odlegCancel(app_);
    desk_.after();
  });
  layout->addWidget(label1_, 0, 0);
  layout->addWidget(text1_, 0, 1);
  layout->addWidget(desired_, 1, 0);
  layout->addWidget(text2_, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons, 2, 0, 1, 2);
  setWindowTitle("Kelv  distance");
  resize(380, 130);
}

void OdlegDialog::sync() {
  auto& d = app_.odleg;
  textIf(label1_, d.Label1.text);
  lineIf(text1_, d.Text1.text);
  textIf(desired_, d.desired.text);
  textIf(text2_, d.Text2.text);
  textIf(ok_, d.Command1.text);
  textIf(cancel_, d.Command2.text);
  if (d.visible && isHidden()) show();
  if (!d.visible && !isHidden()) hide();
}

void OdlegDialog::reject() {
  if (!app_.odleg.visible) {
    QDialog::reject();
    return;
  }
  odlegCancel(app_);
  desk_.after();
}

bool OdlegDialog::eventFilter(QObject* watched, QEvent* e) {
  if (watched == text2_ && e->type() == QEvent::MouseButtonDblClick) {
    odlegText2_DblClick(app_);
    desk_.sync();
    return true;
  }
  return QDialog::eventFilter(watched, e);
}

}  // namespace kel::ui
