// Kelvorin - desktop workbench for vibrational calculations.
// The structure viewer: projection, painting, controls, measuring, editing, vibrations and
// picture output. Every procedure works on app.obr (its ViewState v) and the model app.m.
#pragma once

#include <string>
#include <string_view>

namespace kel {

struct App;
struct ViewState;

// --- projection
/// Initialises the viewer for the current model and draws the first frame.
void Start(App& app) noexcept;
/// Axis view k = 1 (x, y, z), 2 (y, z, x), 3 (z, x, y) of the model coordinates.
void UkObr(App& app, int k) noexcept;
/// The scale at which axis view k fits the surface (FitScale).
void UkSkal(App& app, int k) noexcept;
/// Depth order; with flag 0 also the scale check and calibration; then projection.
void Uklad(App& app, int flag) noexcept;
/// Zoom by a signed amount a.
void Patyki(App& app, double a) noexcept;
/// Rotation by ai steps of 10 degrees in the plane of working axes k1, k2.
void Obr(App& app, int k1, int k2, double ai) noexcept;
/// Projects the working coordinates to draw positions and paints.
void Plas(App& app) noexcept;

// --- painting
/// Built-in element colours.
void colourDefaults(ViewState& v);
/// Reads the colour file named KolNam (a file of length 0 counts as missing).
void readColours(App& app) noexcept;
/// Writes the colour file from the current tables (one line per element 0..85).
void writeColours(App& app, const std::string& name) noexcept;
/// Ball size calibration from RMin, RMax and the mass range; then Plas.
void Skala(App& app) noexcept;
/// Changes the ball sizes by a signed amount a; then Skala.
void Kulki(App& app, double a) noexcept;
/// Label captions for LabelMode.
void Numery(App& app) noexcept;
/// Label background of draw position p.
void Etb(App& app, int p) noexcept;
/// Applies HMode to the hydrogen atoms.
void hat_ren(App& app) noexcept;
/// Paints one frame from the draw positions.
void Reno(App& app) noexcept;
/// Stick offset factor: sin(a / sqrt(a^2 + b^2)) |cos(c / sqrt(a^2 + b^2 + c^2))|; 0 at a = b = 0.
double Rsi(double a, double b, double c) noexcept;
/// x^(1/k) for x > 0 and k != 0, else 1.
double sqz(double x, int k) noexcept;
/// The ball of draw position p at (x, y).
void cr_add(App& app, double x, double y, int p) noexcept;
/// The selection marker of draw position p at (x, y).
void cr_fil(App& app, double x, double y, int p) noexcept;

// --- controls (x, y in surface units; button mask: left 1, right 2, middle 4; modifier
// mask: Shift 1, Ctrl 2, Alt 4)
void obut_Click(App& app, int n) noexcept;
void obut_DblClick(App& app) noexcept;
void obut_KeyDown(App& app, int n, int shift) noexcept;
void obut_KeyUp(App& app, int n, int shift) noexcept;
/// Click on the window background (form = true) or on the surface.
void backgroundClick(App& app, bool form) noexcept;
void Pic1_MouseDown(App& app, int button, int shift, double x, double y) noexcept;
void Pic1_MouseUp(App& app) noexcept;
void Pic1_MouseMove(App& app, int button, int shift, double x, double y) noexcept;
/// The surface size for a viewer window of that size (surface units): 1460 narrower, 500 lower.
void surfaceSizeFor(double windowWidth, double windowHeight, double& width, double& height);
/// The window was resized and the surface given its new size: centre and repaint (nothing
/// while the window is minimised).
void Form_Resize(App& app) noexcept;
/// Throttle of large moves.
void MyWai(App& app, double& t, double f, double a, double b) noexcept;
/// Waits more than x seconds, yielding (x = 0: until the clock has advanced).
void Wait(App& app, double x) noexcept;
/// The viewer's run-time error report in Teker.
void viewerError(App& app, std::string_view name, int number);

// --- geometry mode
void GeOn(App& app) noexcept;
void GeOFF(App& app) noexcept;
/// Button "&Geometry" (also obut 4).
void enterGeometry(App& app) noexcept;
/// Button 15 or a click on the "geomerty mode" label.
void leaveGeometry(App& app) noexcept;
void Clear_Click(App& app) noexcept;
void Clear_bR(App& app) noexcept;
void ClearCa(App& app) noexcept;
/// Click on the label of draw position p.
void Za_Click(App& app, int p) noexcept;
/// The draw position whose visible label box holds (x, y); 0 when none.
int labelAt(const App& app, double x, double y);
/// Sets the text box and runs its change event when the text changed.
void setWynik(App& app, std::string_view text);
/// The text box's change event: the ball-size entry.
void wynik_Change(App& app) noexcept;
void wynik_DblClick(App& app) noexcept;
/// Enter in the text box: a blank before the text, which repeats the last size step.
void wynik_Enter(App& app) noexcept;

// --- editing
void DelAto_Click(App& app) noexcept;
/// Button 17 or a click on the "delete mode" label.
void leaveDelete(App& app) noexcept;
/// Deletes atom a (a label click in delete mode).
void deleteAtom(App& app, int a) noexcept;
void stary_Click(App& app) noexcept;
void ChaDis_Click(App& app) noexcept;
/// Button 16 or a click on the "change distance" label.
void leaveChange(App& app) noexcept;
void odlegShow(App& app) noexcept;
void odlegText2_Change(App& app) noexcept;
void odlegText2_DblClick(App& app) noexcept;
void odlegOK(App& app) noexcept;
void odlegCancel(App& app) noexcept;
/// Change distance of the two selected atoms to DesDist.
void Oile(App& app) noexcept;
/// Moves atom m and its fragment (not through k) along k-m by factor f.
void Suwaj(App& app, int k, int m, double f) noexcept;

// --- vibrations
void ComIni(App& app) noexcept;
/// The frequency-list window is loaded: sliders from VibAmp and VibSpd, then ComIni.
void frqLoad(App& app) noexcept;
void Comb_Click(App& app, int k) noexcept;
void HSA_Change(App& app, int value) noexcept;
void HSS_Change(App& app, int value) noexcept;
void Laa_Click(App& app) noexcept;
void Las_Click(App& app) noexcept;
void vimo_Click(App& app) noexcept;
/// ModeVec of mode VibMode in the current orientation.
void buildModeVec(App& app);
/// The offsets of one phase: VibDisp = ModeVec * phase * VibAmp.
void vibPhase(App& app, int phase);
void Vibra(App& app) noexcept;
void Faza(App& app, int phase, int step) noexcept;
void StopVi(App& app) noexcept;

// --- picture output
/// The name a picture is saved under, starting from name: a free name at once, otherwise the
/// overwrite question (OK keeps the name, a new name is checked again); "" for Cancel.
std::string pictureName(App& app, std::string name);
void Bitmapa(App& app) noexcept;
void Drukuj(App& app) noexcept;
void Ima1_Click(App& app) noexcept;

}  // namespace kel
