// Kelvorin - desktop workbench for vibrational calculations.
// The viewer's forms as plain state: the viewer, the frequency list, the distance dialog.
#pragma once

#include "base/forms.hpp"
#include "model/model.hpp"
#include "model/tab.hpp"
#include "model/work.hpp"
#include "viewer/surface.hpp"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kel {

/// One atom label over the picture: caption, bold font, background and box.
struct ViewLabel {
  std::string caption;
  double fontSize = 8;
  bool bold = true;
  bool opaque = false;  ///< false: transparent background
  Colour backColour = 0;
  Colour foreColour = 0;
  double left = 0, top = 0, width = 0, height = 0;
  bool visible = false;
  // what width and height were measured for
  const Surface* sizedOn = nullptr;
  std::string sizedCaption;
  double sizedFont = -1;
};

/// The display state of the viewer: draw positions, orientation, scale, modes, selection.
struct ViewState {
  i16 NView = 0;
  Tab<i16, MaxAt> DrawAtom, DrawPos, DrawZat;
  Tab<std::string, MaxAt> DrawSym;
  Tab<double, MaxAt> DrawX, DrawY, DrawZ;
  Tab<double, MaxAt> BallRad;
  Tab<Colour, MaxAt> BallCol, LabCol;
  Tab<i16, MaxAt> LabVis;
  Tab<i16, MaxAt, MaxAt> DrawBond;
  Tab<i16, MaxAt> DrawNb;
  std::vector<int> BondStart;  ///< partners of p: BondPartner[BondStart[p] .. [p + 1])
  std::vector<int> BondPartner;
  Tab<i16, MaxAt> DepthList;
  Tab<double, 3, 3> Orient;
  Tab<double, 3, 3> ViewExt;
  Tab<float, MaxAt, 3> VibDisp;
  Tab<double, MaxAt, 3> ModeVec;
  Tab<i16, 90, 3> ElBallRgb, ElLabRgb;
  Tab<Colour, 90> ElBall, ElLab;
  i16 RMin = 180, RMax = 300;
  i16 SizeExp = 0;
  double RadFactor = 240;
  double Scale = 1000, FitScale = 1000, ZoomRef = 1000;
  i16 ScaleSet = 0;
  double Cx = 0, Cy = 0;
  /// The point of the working coordinates drawn at (Cx, Cy): the middle of the atoms' box,
  /// turned with them (index 1..3).
  std::array<double, 4> Mid{};
  /// The picture was fitted to the surface and not zoomed since: a resize fits it again.
  bool Fitted = false;
  i16 LabelMode = 0;
  std::int32_t HMode = 0;
  i16 LabelsOn = 0;
  std::array<i16, 4> Sel{};
  i16 RotStep = 1;
  i16 KeepN = 0;
  i16 VibOn = 0;

  // --- controls
  i16 Dragging = 0;
  double RotStartX = 0, RotStartY = 0;
  double PanStartX = 0, PanStartY = 0;
  Colour KeyColour = 0;
  std::string MainText;

  // --- undo of the last deletion, beside the model's own undo copies
  i16 UndoAtom = 0;                  ///< atom deleted last; 0 = nothing to undo
  i16 UndoNFrq = 0, UndoNAt = 0;     ///< extent of UndoModeD
  std::vector<i16> UndoModeD;        ///< displacements of every mode before the deletion
  std::vector<std::string> UndoLab;  ///< AtLab before the deletion
  std::vector<double> UndoRad, UndoMas0;
};

struct FrmObr {
  bool visible = false;
  bool minimised = false;
  std::string caption = "Kelv  view";

  ViewState v;

  // --- controls
  std::array<Control, 18> obut;
  Control wynik;  ///< results and messages; typing a number sizes balls
  Control Clear, DelAto, ChaDis, stary;
  Control FitBut, BestBut;           ///< "Fit" and "Best view" (keys F or Home, B)
  Control gemo, delmo, chamo, vimo;  ///< mode labels
  Control Teker;                     ///< run-time error reports of the viewer
  Control Arrows;                    ///< check box: displacement arrows of the animated mode
  std::array<Control, 2> Ima1;       ///< the colour-file image pair
  std::vector<ViewLabel> Za = std::vector<ViewLabel>(MaxAt + 1);
  bool picVisible = true;
  bool picFocus = false;  ///< the surface holds the keyboard focus
  int focusButton = -1;   ///< obut index holding the focus (-1 none)
  unsigned raise = 0;     ///< counts the commands that asked to bring the window to the front

  // --- platform: the picture, the clipboard and the printer (set by the windowing layer)
  NullSurface defaultSurface;
  Surface* Pic1 = &defaultSurface;
  Clipboard* clipboard = nullptr;
  Printer* printer = nullptr;

  FrmObr();
};

struct KelFrq {
  bool visible = false;
  std::string caption = "gaussian vibrations";
  std::string heading;  ///< over the list's columns, set with the list
  ListBox Comb;
  Control Teker;
  ScrollBar HSS, HSA;  ///< speed and amplitude in thousandths
  Control Las, Laa;    ///< "default speed", "default amplitude"
  unsigned raise = 0;  ///< counts the commands that asked to bring the window to the front

  KelFrq();
};

struct Odleg {
  bool visible = false;
  Control Text1, Label1, desired, Text2, Command1, Command2;
  double value = 0;  ///< the number typed in Text2
  bool accepted = false;
  double DesDist = 0;  ///< desired distance in angstrom

  Odleg();
};

/// What the viewer asks of the program around it.
struct ViewerHooks {
  /// The pointer passes over the picture while no drag runs (the main window comes back
  /// when it was hidden; otherwise the picture takes the focus when no dialog is open).
  std::function<void()> pointerOver;
};

/// The viewer's context: its windows, the model and the work context it reports into.
struct Viewer {
  Viewer(Work& w, FrmObr& viewer, KelFrq& list, Odleg& distance)
      : work(w), m(w.m), obr(viewer), frq(list), odleg(distance) {}
  Viewer(const Viewer&) = delete;
  Viewer& operator=(const Viewer&) = delete;

  Work& work;
  ModKel& m;
  FrmObr& obr;   ///< the viewer window and its view state
  KelFrq& frq;   ///< the frequency list
  Odleg& odleg;  ///< the distance dialog
  ViewerHooks hooks;

  operator Work&() { return work; }
  void yield() { work.yield(); }
};

}  // namespace kel
