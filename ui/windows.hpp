// Kelvorin - desktop workbench for vibrational calculations.
// The windows of the desktop program. Each mirrors one form's plain state into Qt widgets
// (sync) and forwards every user event to the logic's handler; none decides anything.
// Widgets carry object names after their controls ("ibut3", "obut13", "Text2", "Comb"...).
#pragma once

#include "base/platform.hpp"

#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

namespace kel {
struct App;
}

namespace kel::ui {

class Desktop;
class QtCanvas;

/// A label that reports clicks (splash, mode labels, default buttons of the sliders).
class ClickLabel : public QLabel {
 public:
  explicit ClickLabel(QWidget* parent, std::function<void()> onClick);

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  std::function<void()> onClick_;
};

/// The splash picture: a small ball-and-stick drawing.
class SplashPicture : public QWidget {
 public:
  explicit SplashPicture(QWidget* parent, std::function<void()> onClick);
  QSize sizeHint() const override { return {160, 120}; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  std::function<void()> onClick_;
};

/// The main window frmKel.
class MainWindow : public QMainWindow {
 public:
  MainWindow(App& app, Desktop& desk);
  void sync();
  /// The size and place of the last run were found and taken.
  bool restored() const { return restored_; }

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  /// A main button may start something: ignored while an operation runs, except button 1
  /// while a break point waits for it.
  bool buttonPasses(int index) const;
  App& app_;
  Desktop& desk_;
  std::array<QPushButton*, 9> ibut_{};
  QLineEdit *text1_, *text3_, *text4_;
  QPlainTextEdit* text2_;
  std::string shownLog_;  ///< the console text as last shown
  QPushButton *burek_, *fosi_;
  ClickLabel* tulan_;
  SplashPicture* kelwin_;
  QLabel* nowa_;
  QListWidget* list1_;
  std::array<QCheckBox*, 6> che1_{};
  QPushButton *addCon_, *addNie_;
  QWidget* placement_;
  bool restored_ = false;
};

/// The viewer's drawing surface Pic1: shows the retained picture, reports mouse events.
class SurfaceWidget : public QWidget {
 public:
  SurfaceWidget(App& app, Desktop& desk, QWidget* parent);
  /// Repaints when the picture changed since it was last shown.
  void follow();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  App& app_;
  Desktop& desk_;
  int labelPressed_ = 0;  ///< draw position of the label or ball pressed; 0 the surface
  QPoint pressAt_;
  bool moved_ = false;
  unsigned long long shown_ = ~0ull;  ///< the picture's change count when last painted
};

/// The viewer frmObr: the obut column, the surface and the row below it.
class ViewerWindow : public QWidget {
 public:
  ViewerWindow(App& app, Desktop& desk);
  void sync();
  SurfaceWidget* surface() const { return surface_; }
  /// Remembers the window's size and position for the next start.
  void saveSettings();
  /// The size and place of the last run were found and taken.
  bool restored() const { return restored_; }

 protected:
  void resizeEvent(QResizeEvent*) override;
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void placeControls();
  App& app_;
  Desktop& desk_;
  SurfaceWidget* surface_;
  std::array<QPushButton*, 18> obut_{};
  QPlainTextEdit* wynik_;  ///< results of up to three lines; typing a number sizes balls
  QLineEdit* teker_;
  QPushButton *clear_, *delAto_, *chaDis_, *stary_, *fit_, *best_;
  ClickLabel *gemo_, *delmo_, *chamo_, *vimo_, *ima1_;
  bool shown_ = false;
  bool restored_ = false;
  unsigned raised_ = 0;  ///< the form's raise count last followed
};

/// The frequency list kelFrq.
class FrqWindow : public QWidget {
 public:
  FrqWindow(App& app, Desktop& desk);
  void sync();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  App& app_;
  Desktop& desk_;
  QLabel* heading_;
  QListWidget* comb_;
  QScrollBar *hss_, *hsa_;
  QDoubleSpinBox *hssValue_, *hsaValue_;  ///< the sliders' values, typed or shown
  ClickLabel *las_, *laa_;
  QCheckBox* arrows_;         ///< displacement arrows of the mode shown
  QPushButton* displace_;     ///< move the structure along the selected mode
  QPushButton* displaceJob_;  ///< the same, then a new job file (an imaginary mode)
  QPushButton* exportAnim_;   ///< the running mode as a GIF, PNG frames or an .xyz movie
  QLineEdit* teker_;
  unsigned raised_ = 0;  ///< the form's raise count last followed

  void exportAnimation(int kind);
};

/// The change-distance dialog Odleg (not modal: the viewer stays usable).
class OdlegDialog : public QDialog {
 public:
  OdlegDialog(App& app, Desktop& desk);
  void sync();

 protected:
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  App& app_;
  Desktop& desk_;
  QLineEdit *text1_, *text2_;
  QLabel *label1_, *desired_;
  QPushButton *ok_, *cancel_;
};

}  // namespace kel::ui
