// Kelvorin - desktop workbench for vibrational calculations.
// The main window: nine command buttons, the file name and command boxes, the message line,
// the log console, the splash and the placement controls of an added structure.
#include "app/app.hpp"
#include "app/dispatcher.hpp"
#include "app/drop.hpp"
#include "app/placement_form.hpp"
#include "app/startup.hpp"
#include "ui/desktop.hpp"
#include "ui/export_menu.hpp"
#include "ui/widget_sync.hpp"
#include "ui/windows.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTextCursor>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>

namespace kel::ui {

namespace {
constexpr const char* GeometryKey = "main/geometry";
}

ClickLabel::ClickLabel(QWidget* parent, std::function<void()> onClick)
    : QLabel(parent), onClick_(std::move(onClick)) {}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && onClick_)
    onClick_();
}

SplashPicture::SplashPicture(QWidget* parent, std::function<void()> onClick)
    : QWidget(parent), onClick_(std::move(onClick)) {}

void SplashPicture::paintEvent(QPaintEvent*) {
  // A small molecule: three balls and two sticks.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  double s = std::min(width() / 160.0, height() / 120.0);
  p.translate(width() / 2.0, height() / 2.0);
  p.scale(s, s);
  p.setPen(QPen(Qt::darkGray, 5));
  p.drawLine(QPointF(0, -10), QPointF(-45, 30));
  p.drawLine(QPointF(0, -10), QPointF(45, 30));
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(QColor(230, 40, 40));
  p.drawEllipse(QPointF(0, -10), 30, 30);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(-45, 30), 18, 18);
  p.drawEllipse(QPointF(45, 30), 18, 18);
}

void SplashPicture::mouseReleaseEvent(QMouseEvent*) {
  if (onClick_) onClick_();
}

MainWindow::MainWindow(App& app, Desktop& desk) : app_(app), desk_(desk) {
  setObjectName("frmKel");
  setAcceptDrops(true);
  auto* central = new QWidget(this);
  central->setObjectName("frmKelArea");
  auto* layout = new QVBoxLayout(central);

  auto* buttons = new QGridLayout;
  for (std::size_t i = 0; i < ibut_.size(); ++i) {
    auto* b = new QPushButton(central);
    b->setObjectName(QString("ibut%1").arg(i));
    b->setMouseTracking(true);
    b->installEventFilter(this);
    buttons->addWidget(b, int(i) / 5, int(i) % 5);
    connect(b, &QPushButton::clicked, this, [this, i] {
      int index = int(i);
      if (!buttonPasses(index)) return;
      bool breakPoint = app_.m.Sw(sw::BreakWaiting) != 0;
      ibut_Click(app_, index);
      if (breakPoint)
        desk_.sync();  // the wait ends; nothing was opened
      else
        desk_.after();
    });
    ibut_[i] = b;
  }
  layout->addLayout(buttons);

  auto* boxes = new QHBoxLayout;
  text1_ = new QLineEdit(central);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);
  text1_->installEventFilter(this);
  text3_ = new QLineEdit(central);
  text3_->setObjectName("Text3");
  text3_->installEventFilter(this);
  connect(text3_, &QLineEdit::textEdited, this,
          [this](const QString& t) { app_.frm.Text3.text = t.toStdString(); });
  connect(text3_, &QLineEdit::returnPressed, this, [this] {
    if (!buttonPasses(2)) return;
    Text3_KeyPress(app_, 13);
    desk_.after();
  });
  boxes->addWidget(text1_, 1);
  boxes->addWidget(text3_, 2);
  layout->addLayout(boxes);

  text4_ = new QLineEdit(central);
  text4_->setObjectName("Text4");
  foreIf(text4_, rgb(176, 0, 0), QPalette::Text);
  connect(text4_, &QLineEdit::textEdited, this, [this](const QString& t) {
    app_.frm.Text4.text = t.toStdString();
    Text4_Change(app_);
    desk_.after();
  });
  layout->addWidget(text4_);

  auto* middle = new QHBoxLayout;
  auto* splash = new QVBoxLayout;
  tulan_ = new ClickLabel(central, [this] {
    Tulan_Click(app_);
    desk_.after();
  });
  tulan_->setObjectName("Tulan");
  QFont big = tulan_->font();
  big.setPointSize(20);
  big.setBold(true);
  tulan_->setFont(big);
  tulan_->setAlignment(Qt::AlignCenter);
  kelwin_ = new SplashPicture(central, [this] {
    kelwin_Click(app_);
    desk_.after();
  });
  kelwin_->setObjectName("kelwin");
  kelwin_->setMaximumSize(320, 240);
  splash->addWidget(tulan_);
  splash->addWidget(kelwin_, 1);
  middle->addLayout(splash);

  text2_ = new QPlainTextEdit(central);
  text2_->setObjectName("Text2");
  text2_->setReadOnly(true);
  text2_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text2_->setContextMenuPolicy(Qt::NoContextMenu);  // the right button hides the console
  text2_->viewport()->installEventFilter(this);
  text2_->viewport()->setMouseTracking(true);
  middle->addWidget(text2_, 1);

  auto* side = new QVBoxLayout;
  fosi_ = new QPushButton(central);
  fosi_->setObjectName("fosi");
  fosi_->setMaximumWidth(48);
  connect(fosi_, &QPushButton::clicked, this, [this] {
    fosi_Click(app_);
    desk_.after();
    text2_->setFocus();
  });
  burek_ = new QPushButton(central);
  burek_->setObjectName("burek");
  connect(burek_, &QPushButton::clicked, this, [this] {
    burek_Click(app_);
    desk_.after();
  });
  side->addWidget(fosi_);
  side->addWidget(burek_);
  side->addStretch(1);
  middle->addLayout(side);

  placement_ = new QWidget(central);
  auto* place = new QVBoxLayout(placement_);
  nowa_ = new QLabel(placement_);
  nowa_->setObjectName("Nowa");
  list1_ = new QListWidget(placement_);
  list1_->setObjectName("List1");
  connect(list1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    List1_Click(app_, list1_->row(item));
    desk_.after();
  });
  place->addWidget(nowa_);
  place->addWidget(list1_);
  for (std::size_t k = 0; k < che1_.size(); ++k) {
    auto* c = new QCheckBox(placement_);
    c->setObjectName(QString("Che1_%1").arg(k));
    connect(c, &QCheckBox::clicked, this, [this, k](bool checked) {
      app_.frm.Che1[k].value = checked ? 1 : 0;
      Che1_Click(app_, int(k));
      desk_.after();
    });
    place->addWidget(c);
    che1_[k] = c;
  }
  addCon_ = new QPushButton(placement_);
  addCon_->setObjectName("AddCon");
  connect(addCon_, &QPushButton::clicked, this, [this] {
    if (app_.busy) return;
    {
      Desktop::Busy busy(app_);
      AddCon_Click(app_);
    }
    desk_.after();
  });
  addNie_ = new QPushButton(placement_);
  addNie_->setObjectName("AddNie");
  connect(addNie_, &QPushButton::clicked, this, [this] {
    if (app_.busy) return;
    AddNie_Click(app_);
    desk_.after();
  });
  place->addWidget(addCon_);
  place->addWidget(addNie_);
  place->addStretch(1);
  middle->addWidget(placement_);
  layout->addLayout(middle, 1);

  setCentralWidget(central);
  addExportMenu(*this, app_, desk_);
  resize(1000, 640);
  QSettings settings;
  restored_ = restoreGeometry(settings.value(GeometryKey).toByteArray());
}

bool MainWindow::buttonPasses(int index) const {
  if (index == 1 && app_.m.Sw(sw::BreakWaiting) != 0) return true;
  return !app_.busy;
}

void MainWindow::sync() {
  auto& f = app_.frm;
  QString title = qs(f.caption);
  if (windowTitle() != title) setWindowTitle(title);
  backIf(centralWidget(),
         Colour(app_.m.Par(par::MainColour) == 0 ? LightGrey : app_.m.Par(par::MainColour)),
         QPalette::Window);
  for (std::size_t i = 0; i < ibut_.size(); ++i) {
    const Control& c = f.ibut[i];
    textIf(ibut_[i], c.text);
    showIf(ibut_[i], c.visible);
    enableIf(ibut_[i], c.enabled && buttonPasses(int(i)));
    backIf(ibut_[i], c.backColour);
    if (ibut_[i]->toolTip() != qs(c.toolTip)) ibut_[i]->setToolTip(qs(c.toolTip));
  }
  lineIf(text1_, f.Text1.text);
  showIf(text1_, f.Text1.visible);
  lineIf(text3_, f.Text3.text);
  showIf(text3_, f.Text3.visible);
  if (text3_->toolTip() != qs(f.Text3.toolTip)) text3_->setToolTip(qs(f.Text3.toolTip));
  lineIf(text4_, f.Text4.text);
  showIf(text4_, f.Text4.visible);

  std::string splash = f.Tulan.text.empty() ? "Kelvorin 2.2" : f.Tulan.text;
  textIf(tulan_, splash);
  showIf(tulan_, f.Tulan.visible);
  showIf(kelwin_, f.kelwin.visible);

  // The console: what was added goes to the end, the newest line stays in view.
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSizeF(f.Text2.fontSize);
  if (text2_->font() != font) text2_->setFont(font);
  const std::string& log = f.Text2.text;
  if (shownLog_ != log) {
    if (!shownLog_.empty() && log.size() > shownLog_.size() &&
        log.compare(0, shownLog_.size(), shownLog_) == 0) {
      QTextCursor cur(text2_->document());
      cur.movePosition(QTextCursor::End);
      cur.insertText(qs(std::string_view(log).substr(shownLog_.size())));
    } else {
      text2_->setPlainText(qs(log));
    }
    shownLog_ = log;
    text2_->verticalScrollBar()->setValue(text2_->verticalScrollBar()->maximum());
  }
  showIf(text2_, f.Text2.visible);
  textIf(fosi_, f.fosi.text);
  QFont ff = fosi_->font();
  if (std::abs(ff.pointSizeF() - f.fosi.fontSize) > 0.01) {
    ff.setPointSizeF(f.fosi.fontSize);
    fosi_->setFont(ff);
  }
  textIf(burek_, f.burek.text);
  showIf(burek_, f.burek.visible);

  bool placing = f.Nowa.visible || f.List1.visible || f.AddCon.visible;
  showIf(placement_, placing);
  textIf(nowa_, f.Nowa.text);
  if (list1_->count() != int(f.List1.items.size())) {
    list1_->clear();
    for (const auto& item : f.List1.items) list1_->addItem(qs(item));
  }
  for (std::size_t k = 0; k < che1_.size(); ++k) {
    const Control& c = f.Che1[k];
    std::string caption = c.text.empty() && k < f.List1.items.size() ? f.List1.items[k] : c.text;
    textIf(che1_[k], caption);
    if (che1_[k]->isChecked() != (c.value != 0)) che1_[k]->setChecked(c.value != 0);
    showIf(che1_[k], c.visible);
  }
  textIf(addCon_, f.AddCon.text);
  textIf(addNie_, f.AddNie.text);

  if (f.visible && isHidden()) show();
  if (!f.visible && !isHidden()) hide();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* e) {
  const QMimeData* d = e->mimeData();
  if (!app_.busy && d->hasUrls() && !d->urls().isEmpty() && d->urls().front().isLocalFile())
    e->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* e) {
  const QMimeData* d = e->mimeData();
  if (!d->hasUrls() || d->urls().isEmpty() || !d->urls().front().isLocalFile()) return;
  std::string name = d->urls().front().toLocalFile().toStdString();
  e->acceptProposedAction();
  // Read once the drop has finished: the read yields to the event loop.
  QTimer::singleShot(0, this, [this, name] {
    openDroppedFile(app_, name);
    desk_.after();
  });
}

void MainWindow::closeEvent(QCloseEvent* e) {
  QSettings().setValue(GeometryKey, saveGeometry());
  if (desk_.ended()) {
    e->accept();
    return;
  }
  // Closing the window is the exit button.
  e->ignore();
  if (app_.busy) return;
  ibut_Click(app_, cmd::Exit);
  desk_.after();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  form_Click(app_);
  desk_.after();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
  auto type = e->type();
  if (watched == text2_->viewport()) {
    if (type == QEvent::MouseButtonDblClick) {
      text2_dblClick(app_);
      desk_.after();
    } else if (type == QEvent::MouseButtonPress) {
      Text2_MouseDown(app_, buttonMask(static_cast<QMouseEvent*>(e)->button()));
      desk_.after();
    } else if (type == QEvent::MouseButtonRelease) {
      Text2_Click(app_);
      desk_.after();
    }
  }
  if (type == QEvent::MouseMove && !app_.busy &&
      (watched == text2_->viewport() || qobject_cast<QPushButton*>(watched))) {
    int j = 0;
    poed(app_, j);
    if (j != 0) desk_.after();
  }
  if (type == QEvent::MouseButtonRelease) {
    if (watched == text1_) {
      Text1_Click(app_);
      desk_.after();
    } else if (watched == text3_) {
      text3_Click(app_);
      desk_.after();
    }
  }
  return QMainWindow::eventFilter(watched, e);
}

}  // namespace kel::ui
