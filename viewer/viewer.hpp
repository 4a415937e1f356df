// Kelvorin - desktop workbench for vibrational calculations.
// The structure viewer: projection, painting, controls, measuring, editing, vibrations and
// picture output. Every procedure works on vw.obr (its ViewState v) and the model vw.m.
#pragma once

#include <string>
#include <string_view>

namespace kel {

struct Viewer;
struct ViewState;

// --- projection
/// Initialises the viewer for the current model and draws the first frame.
void Start(Viewer& vw) noexcept;
/// Axis view k = 1 (x, y, z), 2 (y, z, x), 3 (z, x, y) of the model coordinates.
void UkObr(Viewer& vw, int k) noexcept;
/// The scale at which axis view k fits the surface (FitScale).
void UkSkal(Viewer& vw, int k) noexcept;
/// Depth order; with flag 0 also the scale check and calibration; then projection.
void Uklad(Viewer& vw, int flag) noexcept;
/// Zoom by a signed amount a.
void Patyki(Viewer& vw, double a) noexcept;
/// Rotation by ai steps of 10 degrees in the plane of working axes k1, k2.
void Obr(Viewer& vw, int k1, int k2, double ai) noexcept;
/// Mid becomes the middle of the box of the atoms shown, in working coordinates.
void centreOnBox(Viewer& vw) noexcept;
/// The whole molecule, as it is turned now, fitted to the surface and centred; then Plas.
void Fit(Viewer& vw) noexcept;
/// Scale times factor (within 100..20000), the surface point (x, y) kept in place; then Plas.
void zoomAbout(Viewer& vw, double factor, double x, double y) noexcept;
/// Turns the molecule onto its principal axes: largest extent along screen x, smallest along
/// the depth; then Fit.
void BestView(Viewer& vw) noexcept;
/// The draw position whose ball holds (x, y), the nearest ball first; 0 when none.
int ballAt(const Viewer& vw, double x, double y);
/// What a click at (x, y) picks where the labels take clicks: the label box first, then the
/// ball; 0 when none or when the labels take no clicks.
int pickAt(const Viewer& vw, double x, double y);
/// Projects the working coordinates to draw positions and paints.
void Plas(Viewer& vw) noexcept;

// --- painting
/// Built-in element colours.
void colourDefaults(ViewState& v);
/// Reads the colour file named KolNam (a file of length 0 counts as missing).
void readColours(Viewer& vw) noexcept;
/// Writes the colour file from the current tables (one line per element 0..85).
void writeColours(Viewer& vw, const std::string& name) noexcept;
/// Ball size calibration from RMin, RMax and the mass range; then Plas.
void Skala(Viewer& vw) noexcept;
/// Changes the ball sizes by a signed amount a; then Skala.
void Kulki(Viewer& vw, double a) noexcept;
/// Label captions for LabelMode.
void Numery(Viewer& vw) noexcept;
/// Label background of draw position p.
void Etb(Viewer& vw, int p) noexcept;
/// Applies HMode to the hydrogen atoms.
void hat_ren(Viewer& vw) noexcept;
/// Paints one frame from the draw positions.
void Reno(Viewer& vw) noexcept;
/// Stick offset factor: sin(a / sqrt(a^2 + b^2)) |cos(c / sqrt(a^2 + b^2 + c^2))|; 0 at a = b = 0.
double Rsi(double a, double b, double c) noexcept;
/// x^(1/k) for x > 0 and k != 0, else 1.
double sqz(double x, int k) noexcept;
/// The ball of draw position p at (x, y).
void cr_add(Viewer& vw, double x, double y, int p) noexcept;
/// The selection marker of draw position p at (x, y).
void cr_fil(Viewer& vw, double x, double y, int p) noexcept;

// --- controls (x, y in surface units; button mask: left 1, right 2, middle 4; modifier
// mask: Shift 1, Ctrl 2, Alt 4)
void obut_Click(Viewer& vw, int n) noexcept;
void obut_DblClick(Viewer& vw) noexcept;
void obut_KeyDown(Viewer& vw, int n, int shift) noexcept;
void obut_KeyUp(Viewer& vw, int n, int shift) noexcept;
/// Click on the window background (form = true) or on the surface.
void backgroundClick(Viewer& vw, bool form) noexcept;
void Pic1_MouseDown(Viewer& vw, int button, int shift, double x, double y) noexcept;
void Pic1_MouseUp(Viewer& vw) noexcept;
void Pic1_MouseMove(Viewer& vw, int button, int shift, double x, double y) noexcept;
/// The surface size for a viewer window of that size (surface units): 1460 narrower, 1050 lower
/// (the row below holds the three-line result box).
void surfaceSizeFor(double windowWidth, double windowHeight, double& width, double& height);
/// The window was resized and the surface given its new size: centre and repaint (nothing
/// while the window is minimised).
void Form_Resize(Viewer& vw) noexcept;
/// The keys of the surface, as the windowing layer reports them.
enum class ViewKey { Left, Right, Up, Down, Plus, Minus, Fit, Best, Escape };
/// A key on the surface (modifier mask s): arrows turn by the rotation buttons' step (Shift,
/// Ctrl, Alt make it smaller as on the buttons), + and - zoom about the middle, F or Home
/// fits, B shows the best view, Escape stops the animation or leaves the mode.
void Pic1_KeyDown(Viewer& vw, ViewKey key, int shift) noexcept;
/// Mouse wheel over (x, y): each notch zooms by one step of about 10 %, the point under the
/// pointer stays where it is (notches > 0 enlarge).
void Pic1_Wheel(Viewer& vw, double notches, double x, double y) noexcept;
/// Throttle of large moves.
void MyWai(Viewer& vw, double& t, double f, double a, double b) noexcept;
/// Waits more than x seconds, yielding (x = 0: until the clock has advanced).
void Wait(Viewer& vw, double x) noexcept;
/// The viewer's run-time error report in Teker.
void viewerError(Viewer& vw, std::string_view name, int number);

// --- geometry mode
void GeOn(Viewer& vw) noexcept;
void GeOFF(Viewer& vw) noexcept;
/// Button "&Geometry" (also obut 4).
void enterGeometry(Viewer& vw) noexcept;
/// Button 15 or a click on the "geomerty mode" label.
void leaveGeometry(Viewer& vw) noexcept;
void Clear_Click(Viewer& vw) noexcept;
void Clear_bR(Viewer& vw) noexcept;
void ClearCa(Viewer& vw) noexcept;
/// Click on the label of draw position p.
void Za_Click(Viewer& vw, int p) noexcept;
/// The draw position whose visible label box holds (x, y); 0 when none.
int labelAt(const Viewer& vw, double x, double y);
/// Sets the text box and runs its change event when the text changed.
void setWynik(Viewer& vw, std::string_view text);
/// The text box's change event: the ball-size entry.
void wynik_Change(Viewer& vw) noexcept;
void wynik_DblClick(Viewer& vw) noexcept;
/// Enter in the text box: a blank before the text, which repeats the last size step.
void wynik_Enter(Viewer& vw) noexcept;

// --- editing
void DelAto_Click(Viewer& vw) noexcept;
/// Button 17 or a click on the "delete mode" label.
void leaveDelete(Viewer& vw) noexcept;
/// Deletes atom a (a label click in delete mode).
void deleteAtom(Viewer& vw, int a) noexcept;
void stary_Click(Viewer& vw) noexcept;
void ChaDis_Click(Viewer& vw) noexcept;
/// Button 16 or a click on the "change distance" label.
void leaveChange(Viewer& vw) noexcept;
void odlegShow(Viewer& vw) noexcept;
void odlegText2_Change(Viewer& vw) noexcept;
void odlegText2_DblClick(Viewer& vw) noexcept;
void odlegOK(Viewer& vw) noexcept;
void odlegCancel(Viewer& vw) noexcept;
/// Change distance of the two selected atoms to DesDist.
void Oile(Viewer& vw) noexcept;
/// Moves atom m and its fragment (not through k) along k-m by factor f.
void Suwaj(Viewer& vw, int k, int m, double f) noexcept;

// --- vibrations
void ComIni(Viewer& vw) noexcept;
/// The frequency-list window is loaded: sliders from VibAmp and VibSpd, then ComIni.
void frqLoad(Viewer& vw) noexcept;
void Comb_Click(Viewer& vw, int k) noexcept;
void HSA_Change(Viewer& vw, int value) noexcept;
void HSS_Change(Viewer& vw, int value) noexcept;
void Laa_Click(Viewer& vw) noexcept;
void Las_Click(Viewer& vw) noexcept;
void vimo_Click(Viewer& vw) noexcept;
/// ModeVec of mode VibMode in the current orientation.
void buildModeVec(Viewer& vw);
/// The offsets of one phase: VibDisp = ModeVec * phase * VibAmp.
void vibPhase(Viewer& vw, double phase);
void Vibra(Viewer& vw) noexcept;
void Faza(Viewer& vw, int phase, int step) noexcept;
void StopVi(Viewer& vw) noexcept;

// --- motion of the animated mode in still pictures
/// The displacement arrows of mode VibMode over the balls, when the toggle is on: one per
/// moving atom along its swing at full amplitude, from the rim of its ball (at least a
/// readable length).
void drawArrows(Viewer& vw) noexcept;
/// The arrows toggle: on or off, then the picture again.
void Arrows_Click(Viewer& vw) noexcept;
/// Frame k of one period of mode VibMode cut into n frames (0 = at rest), drawn as the
/// animation draws its frames; ModeVec must be built.
void animationFrame(Viewer& vw, int k, int n) noexcept;

// --- picture output
/// The name a picture is saved under, starting from name: a free name at once, otherwise the
/// overwrite question (OK keeps the name, a new name is checked again); "" for Cancel.
std::string pictureName(Viewer& vw, std::string name);
void Bitmapa(Viewer& vw) noexcept;
void Drukuj(Viewer& vw) noexcept;
void Ima1_Click(Viewer& vw) noexcept;

}  // namespace kel
