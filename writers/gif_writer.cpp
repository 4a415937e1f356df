// Kelvorin - desktop workbench for vibrational calculations.
#include "writers/gif_writer.hpp"

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <unordered_map>

namespace kel {

namespace {

constexpr int MaxColours = 256;
constexpr char LoopApplication[] = "NETSCAPE2.0";
constexpr std::array<GifByteType, 3> LoopForEver = {1, 0, 0};  // sub-block 1, count 0

std::uint32_t rgbAt(const RgbaImage& image, std::size_t k) {
  const std::uint8_t* p = &image.pixels[4 * k];
  return std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
}

int distance2(std::uint32_t a, std::uint32_t b) {
  int dr = int(a >> 16 & 255) - int(b >> 16 & 255);
  int dg = int(a >> 8 & 255) - int(b >> 8 & 255);
  int db = int(a & 255) - int(b & 255);
  return dr * dr + dg * dg + db * db;
}

std::string gifError(int code) {
  const char* text = GifErrorString(code);
  return text ? text : "GIF error " + std::to_string(code);
}

}  // namespace

void reduceColours(const RgbaImage& image, std::vector<std::uint32_t>& palette,
                   std::vector<std::uint8_t>& index) {
  const std::size_t n = std::size_t(image.width) * std::size_t(image.height);
  std::unordered_map<std::uint32_t, std::uint32_t> counts;
  for (std::size_t k = 0; k < n; ++k) ++counts[rgbAt(image, k)];
  std::vector<std::pair<std::uint32_t, std::uint32_t>> byCount(counts.begin(), counts.end());
  // most frequent first; equal counts by colour, so that the palette does not depend on the
  // order of the hash table
  auto order = [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  };
  std::size_t kept = std::min<std::size_t>(byCount.size(), MaxColours);
  std::partial_sort(byCount.begin(), byCount.begin() + std::ptrdiff_t(kept), byCount.end(), order);
  palette.clear();
  std::unordered_map<std::uint32_t, std::uint8_t> slot;
  for (std::size_t c = 0; c < kept; ++c) {
    palette.push_back(byCount[c].first);
    slot[byCount[c].first] = std::uint8_t(c);
  }
  // the other colours to their nearest palette entry, each colour searched once
  for (std::size_t c = kept; c < byCount.size(); ++c) {
    std::uint32_t colour = byCount[c].first;
    int best = 0, bestD = distance2(colour, palette[0]);
    for (std::size_t q = 1; q < palette.size() && bestD > 0; ++q) {
      int d = distance2(colour, palette[q]);
      if (d < bestD) bestD = d, best = int(q);
    }
    slot[colour] = std::uint8_t(best);
  }
  index.resize(n);
  for (std::size_t k = 0; k < n; ++k) index[k] = slot[rgbAt(image, k)];
}

struct GifWriter::File {
  GifFileType* gif = nullptr;
};

GifWriter::GifWriter() : f_(std::make_unique<File>()) {}

GifWriter::~GifWriter() {
  if (f_->gif) EGifCloseFile(f_->gif, nullptr);
}

bool GifWriter::open(const std::string& file, int width, int height, int delay) {
  if (width < 1 || height < 1 || width > 65535 || height > 65535) {
    error_ = "picture size out of range";
    return false;
  }
  int code = 0;
  // made as any other file of the program (the library's own open makes it private)
  int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) {
    error_ = std::strerror(errno);
    return false;
  }
  f_->gif = EGifOpenFileHandle(fd, &code);
  if (!f_->gif) {
    ::close(fd);
    error_ = gifError(code);
    return false;
  }
  width_ = width;
  height_ = height;
  delay_ = delay;
  EGifSetGifVersion(f_->gif, true);
  if (EGifPutScreenDesc(f_->gif, width, height, 8, 0, nullptr) == GIF_ERROR ||
      EGifPutExtensionLeader(f_->gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
      EGifPutExtensionBlock(f_->gif, 11, LoopApplication) == GIF_ERROR ||
      EGifPutExtensionBlock(f_->gif, int(LoopForEver.size()), LoopForEver.data()) == GIF_ERROR ||
      EGifPutExtensionTrailer(f_->gif) == GIF_ERROR) {
    error_ = gifError(f_->gif->Error);
    return false;
  }
  return true;
}

bool GifWriter::addFrame(const RgbaImage& image) {
  if (!f_->gif || !error_.empty()) return false;
  if (image.width != width_ || image.height != height_ ||
      image.pixels.size() != 4 * std::size_t(width_) * std::size_t(height_)) {
    error_ = "frame of another size";
    return false;
  }
  std::vector<std::uint32_t> palette;
  std::vector<std::uint8_t> index;
  reduceColours(image, palette, index);
  int bits = 1;
  while ((1 << bits) < int(palette.size())) ++bits;
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  if (!map) {
    error_ = "no memory for the palette";
    return false;
  }
  for (std::size_t c = 0; c < palette.size(); ++c)
    map->Colors[c] = {GifByteType(palette[c] >> 16 & 255), GifByteType(palette[c] >> 8 & 255),
                      GifByteType(palette[c] & 255)};
  GraphicsControlBlock gcb{};
  gcb.DisposalMode = DISPOSE_DO_NOT;
  gcb.DelayTime = delay_;
  gcb.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType ext[4];
  std::size_t len = EGifGCBToExtension(&gcb, ext);
  bool ok = EGifPutExtension(f_->gif, GRAPHICS_EXT_FUNC_CODE, int(len), ext) != GIF_ERROR &&
            EGifPutImageDesc(f_->gif, 0, 0, width_, height_, false, map) != GIF_ERROR;
  for (int y = 0; ok && y < height_; ++y)
    ok = EGifPutLine(f_->gif, &index[std::size_t(y) * std::size_t(width_)], width_) != GIF_ERROR;
  GifFreeMapObject(map);
  if (!ok) error_ = gifError(f_->gif->Error);
  return ok;
}

bool GifWriter::close() {
  if (!f_->gif) return false;
  int code = 0;
  bool ok = EGifCloseFile(f_->gif, &code) != GIF_ERROR;
  f_->gif = nullptr;
  if (!ok && error_.empty()) error_ = gifError(code);
  return ok && error_.empty();
}

}  // namespace kel
