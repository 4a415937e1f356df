// Kelvorin - desktop workbench for vibrational calculations.
// The viewer: its drawing surface, the button column and the row below; the frequency list
// and the change-distance dialog.
#include "app/app.hpp"
#include "ui/analysis_window.hpp"
#include "ui/desktop.hpp"
#include "ui/widget_sync.hpp"
#include "ui/windows.hpp"
#include "viewer/viewer.hpp"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QVBoxLayout>

#include <cmath>

namespace kel::ui {

namespace {

constexpr const char* ViewerGeometryKey = "viewer/geometry";
constexpr int ColumnWidth = 97;  // 1460 twips: the button column
constexpr int RowHeight = 33;    // 500 twips: the row below the surface
constexpr int ClickSlack = 3;    // pixels a click may move and still be a click

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
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::follow() {
  if (desk_.canvas().changes() != shown_) update();
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
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
  labelPressed_ = e->button() == Qt::LeftButton ? labelAt(app_, x, y) : 0;
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
    if (labelAt(app_, x, y) != p || app_.busy) return;
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
  wynik_ = new QLineEdit(this);
  wynik_->setObjectName("wynik");
  wynik_->installEventFilter(this);
  connect(wynik_, &QLineEdit::textEdited, this, [this](const QString& t) {
    app_.obr.wynik.text = t.toStdString();
    wynik_Change(app_);
    desk_.after();
  });
  connect(wynik_, &QLineEdit::returnPressed, this, [this] {
    wynik_Enter(app_);
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
  ima1_->setToolTip("colours");
  teker_ = new QLineEdit(this);
  teker_->setObjectName("Teker");
  teker_->setReadOnly(true);
  foreIf(teker_, rgb(176, 0, 0), QPalette::Text);

  resize(1000, 720);
  QSettings settings;
  restoreGeometry(settings.value(ViewerGeometryKey).toByteArray());
  placeControls();
}

void ViewerWindow::placeControls() {
  double sw = 0, sh = 0;
  surfaceSizeFor(twips(width()), twips(height()), sw, sh);
  int w = std::max(1, int(std::lround(sw / TwipsPerPixel)));
  int h = std::max(1, int(std::lround(sh / TwipsPerPixel)));
  surface_->setGeometry(ColumnWidth, 0, w, h);

  int visibleButtons = 0;
  for (auto* b : obut_) visibleButtons += b->isHidden() ? 0 : 1;
  int bh = std::clamp(height() / std::max(1, visibleButtons), 18, 30);
  int y = 2;
  for (auto* b : obut_) {
    if (b->isHidden()) continue;
    b->setGeometry(2, y, ColumnWidth - 6, bh - 2);
    y += bh;
  }

  int x = ColumnWidth, row = h + 3, rh = RowHeight - 6;
  auto place = [&](QWidget* wgt, int width) {
    if (wgt->isHidden()) return;
    wgt->setGeometry(x, row, width, rh);
    x += width + 4;
  };
  place(wynik_, 260);
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
  if (canvas.image().width() != w || canvas.image().height() != h) {
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
  }
  lineIf(wynik_, o.wynik.text);
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
                      Pair{chamo_, &o.chamo}, Pair{vimo_, &o.vimo}, Pair{teker_, &o.Teker}}) {
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
  backIf(ima1_, o.Ima1[o.Ima1[1].visible ? 1 : 0].backColour, QPalette::Window);
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
  if (watched == wynik_ && type == QEvent::MouseButtonDblClick) {
    wynik_DblClick(app_);
    desk_.after();
    return true;
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
  layout->addWidget(analysis);
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
  hssValue_ = new QLabel(this);
  hsaValue_ = new QLabel(this);
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
  resize(360, 480);
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
    value->setText(QString::number(state->value / 1000.0, 'f', 3));
  }
  textIf(las_, f.Las.text);
  textIf(laa_, f.Laa.text);
  lineIf(teker_, f.Teker.text);
  showIf(teker_, f.Teker.visible);
  if (f.visible && isHidden()) show();
  if (!f.visible && !isHidden()) hide();
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
