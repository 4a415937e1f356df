// Kelvorin - desktop workbench for vibrational calculations.
// The animated mode as files (an animated GIF, numbered PNG frames, a multi-frame .xyz) and
// the structure moved along a mode. The desktop's vibration controls and the batch options
// --gif, --frames, --xyz-movie and --displace run these.
#pragma once

#include <functional>
#include <string>

namespace kel {

struct App;
struct RgbaImage;

/// Frames of one period: 20 unless asked otherwise, within 2..400.
inline constexpr int DefaultFrames = 20, MinFrames = 2, MaxFrames = 400;

/// The viewer's current picture as pixels (drawn by the windowing layer); false on failure.
using PictureGrab = std::function<bool(App&, RgbaImage&)>;
/// The viewer's current picture saved as a .png file; false on failure.
using PictureSave = std::function<bool(App&, const std::string& file)>;

/// One period of mode VibMode in n frames, as the animation shows them, as a looping GIF:
/// file by the free-name rule (an older file moves to its free numbered name). False, with
/// Text3 saying why, when nothing was written.
bool exportGif(App& app, const std::string& file, int n, const PictureGrab& grab);
/// The same frames as folder/frame_001.png ... (the folder made when missing); an existing
/// frame of other content is kept under its free numbered name first.
bool exportFrames(App& app, const std::string& folder, int n, const PictureSave& save);
/// The same period as one multi-frame .xyz file (FilNam + "_modeM.xyz" when file is empty).
bool exportXyzMovie(App& app, const std::string& file, int n);

/// Moves the structure along the mode, step angstrom for the atom that moves most (the sign
/// chooses the direction); the viewer follows. False, with Text3 saying why, when the mode is
/// not held or moves no atom.
bool displaceMode(App& app, int mode, double step);
/// The selected mode of the frequency list (the one clicked last, else the animated one); 0
/// when none.
int selectedMode(const App& app);
/// The frequency list's "Displace..." (writeJob false) and, for an imaginary mode,
/// "Displace and write a new job...": asks for the step (Cancel does nothing), moves the
/// structure and, with writeJob, writes it as a new Gaussian job file and as .xyz; the
/// viewer's text box says what was written.
void displaceAsk(App& app, int mode, bool writeJob);

}  // namespace kel
