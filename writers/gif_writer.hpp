// Kelvorin - desktop workbench for vibrational calculations.
// Animated GIF from plain RGBA pictures: every frame with its own palette of at most 256
// colours (the exact colours when the picture has that few), looping for ever.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kel {

/// A picture as rows of red, green, blue, alpha bytes, top row first.
struct RgbaImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;  ///< 4 * width * height bytes
};

/// At most 256 colours for the picture: the colours themselves when there are no more than
/// that, otherwise the most frequent ones (flat balls and sticks keep their exact colours)
/// and every other colour mapped to its nearest. palette holds 0xRRGGBB values; index one
/// palette entry per pixel.
void reduceColours(const RgbaImage& image, std::vector<std::uint32_t>& palette,
                   std::vector<std::uint8_t>& index);

/// Writes an animated GIF frame by frame; the file is complete only after close().
class GifWriter {
 public:
  GifWriter();
  ~GifWriter();
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;

  /// Creates file for pictures of width x height pixels shown delay hundredths of a second
  /// each, looping for ever. False with the reason in error().
  bool open(const std::string& file, int width, int height, int delay);
  /// Adds one picture of the size given to open().
  bool addFrame(const RgbaImage& image);
  /// Ends the file; false when any step failed.
  bool close();
  const std::string& error() const { return error_; }

 private:
  struct File;
  std::unique_ptr<File> f_;
  int width_ = 0, height_ = 0, delay_ = 0;
  std::string error_;
};

}  // namespace kel
