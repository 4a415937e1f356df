// Kelvorin - desktop workbench for vibrational calculations.
// Batch mode: the same program without windows, driven by its command line.
#pragma once

#include "analysis/spectrum.hpp"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace kel {

struct App;
struct RgbaImage;
struct PlotScene;

/// One command of the command line, run after the read in the order given.
struct BatchCommand {
  std::string option;  ///< "--pdb", "--rotate", ...
  std::string value;   ///< its value ("" for flags); file names made absolute
};

struct BatchOptions {
  bool help = false;
  bool version = false;
  std::string geometry = "last";     ///< first | last | emin
  std::vector<std::string> answers;  ///< input-box answers, in order
  int width = 800, height = 600;     ///< drawing surface in pixels
  int frames = 20;                   ///< frames of one period of an animation export
  std::vector<std::string> words;    ///< FILE and ARG2
  std::vector<BatchCommand> commands;
  SpectrumSettings spectrum;  ///< --fwhm, --lineshape, --range, --step (wherever they stand)
  std::string experimental;   ///< --experimental FILE, read after the structure
  std::string error;          ///< bad usage, when not empty
};

/// What batch mode needs from the windowing layer (only rendering a picture uses Qt).
struct BatchHooks {
  /// Runs before the read (the surface size of --size, the platform of the viewer).
  std::function<void(App&, const BatchOptions&)> prepare;
  /// Writes the viewer's picture to file (".bmp" or ".png"); 0 on success.
  std::function<int(App&, const std::string& file)> renderPicture;
  /// Draws the viewer's picture into pixels; 0 on success.
  std::function<int(App&, RgbaImage& image)> renderPixels;
  /// Paints a laid-out spectrum plot into a PNG file; 0 on success.
  std::function<int(const PlotScene&, const std::string& file)> renderSpectrum;
};

/// Parses the words after the program name (without "--batch"). False on bad usage.
bool parseBatch(const std::vector<std::string>& args, BatchOptions& o);
/// The usage text listing every option.
std::string batchUsage();
/// Runs batch mode; returns the exit status (0 success, 1 failure, 2 bad usage).
int runBatch(const BatchOptions& o, std::ostream& out, std::ostream& err,
             const BatchHooks& hooks = {});
/// What a batch command may use besides the program state.
struct BatchContext {
  const BatchOptions& options;
  std::ostream& out;
  std::ostream& err;
  const BatchHooks& hooks;
  /// An earlier step (the read or a command) failed: a document written now must say so.
  bool failedBefore = false;
};

/// Each subject's commands: true when the option is theirs; ok = false when it failed.
bool batchTopology(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok);
bool batchExports(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok);
bool batchGaussian(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok);
bool batchViewer(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok);
bool batchAnalysis(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok);
bool batchMotion(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok);
bool batchSpectra(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok);

/// Reads the measured spectrum of --experimental after the structure; false (Text3 says
/// why) when it is missing or refused.
bool batchSpectraSetup(App& app, const BatchOptions& o);

/// Runs one command after the read; returns false with a message in err on failure.
bool runBatchCommand(App& app, const BatchCommand& c, const BatchOptions& o, std::ostream& out,
                     std::ostream& err, const BatchHooks& hooks, bool failedBefore = false);

}  // namespace kel
