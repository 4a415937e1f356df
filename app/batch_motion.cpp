// Kelvorin - desktop workbench for vibrational calculations.
// Batch commands --arrows, --gif, --frames, --xyz-movie, --displace.
#include "app/app.hpp"
#include "app/batch.hpp"
#include "app/motion.hpp"
#include "base/convert.hpp"
#include "viewer/viewer.hpp"
#include "writers/gif_writer.hpp"

#include <ostream>

namespace kel {

namespace {

constexpr std::string_view Me = "kelvorin: ";
constexpr std::string_view NoPictures = "pictures are not available in this build";

}  // namespace

bool batchMotion(App& app, const BatchCommand& c, BatchContext& ctx, bool& ok) {
  const std::string& x = c.value;
  const int n = ctx.options.frames;
  const int reports = app.erraCount;
  auto needViewer = [&] {
    if (app.m.NAt > 0 && app.obr.v.NView == 0) Start(app);
  };
  auto noPictures = [&] {
    ctx.err << Me << c.option << " " << x << ": " << NoPictures << "\n";
    ok = false;
  };
  if (c.option == "--arrows") {
    needViewer();
    app.obr.Arrows.value = 1;
    Reno(app);
  } else if (c.option == "--gif") {
    if (!ctx.hooks.renderPixels) {
      noPictures();
      return true;
    }
    ok = exportGif(app, x, n,
                   [&](App& a, RgbaImage& image) { return ctx.hooks.renderPixels(a, image) == 0; });
  } else if (c.option == "--frames") {
    if (!ctx.hooks.renderPicture) {
      noPictures();
      return true;
    }
    ok = exportFrames(app, x, n, [&](App& a, const std::string& file) {
      return ctx.hooks.renderPicture(a, file) == 0;
    });
  } else if (c.option == "--xyz-movie") {
    ok = exportXyzMovie(app, x, n);
  } else if (c.option == "--displace") {
    auto colon = x.find(':');
    ok = displaceMode(app, int(Val(x.substr(0, colon))), Val(x.substr(colon + 1)));
  } else {
    return false;
  }
  if (app.erraCount != reports) ok = false;
  return true;
}

}  // namespace kel
