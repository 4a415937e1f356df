// Kelvorin - desktop workbench for vibrational calculations.
// The program: batch mode runs here without Qt; the windows and the drawing of pictures live
// in a library that is loaded the first time one of them is needed.
#include "app/app.hpp"
#include "app/batch.hpp"

#include <dlfcn.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* QtLibrary = "libkelvorin-qt.so";
constexpr const char* NoQtLibrary = "kelvorin: cannot load the window library: ";

/// The folder of the running program (no trailing separator), or "." when unknown.
std::string programFolder() {
  std::vector<char> buf(4096);
  ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return ".";
  std::string path(buf.data(), std::size_t(n));
  auto slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

/// The window library beside the program (build tree) or in its installed place; null with
/// the reason on err when neither loads.
void* loadQtLibrary(std::ostream& err) {
  static void* handle = nullptr;
  if (handle) return handle;
  const std::string dir = programFolder();
  std::string reason;
  for (const std::string& path : {dir + "/" + QtLibrary, dir + "/../lib/kelvorin/" + QtLibrary}) {
    if (access(path.c_str(), R_OK) != 0) continue;
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle) return handle;
    reason = dlerror();
  }
  err << NoQtLibrary << (reason.empty() ? QtLibrary : reason) << '\n';
  return nullptr;
}

template <typename Fn>
Fn entry(std::ostream& err, const char* name) {
  void* lib = loadQtLibrary(err);
  if (!lib) return nullptr;
  auto fn = reinterpret_cast<Fn>(dlsym(lib, name));
  if (!fn) err << NoQtLibrary << name << '\n';
  return fn;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bool batch = false;
  for (const auto& a : args) {
    if (a == "--") break;
    if (a == "--batch") batch = true;
  }
  // "--version" and "--help" alone answer as in batch mode, without a window.
  if (args.size() == 1 && (args[0] == "--version" || args[0] == "--help")) batch = true;
  if (!batch) {
    auto run = entry<int (*)(int, char**)>(std::cerr, "kelRunDesktop");
    return run ? run(argc, argv) : 1;
  }
  kel::BatchOptions options;
  kel::parseBatch(args, options);
  kel::BatchHooks hooks;
  hooks.prepare = [](kel::App& app, const kel::BatchOptions& o) {
    app.obr.defaultSurface.resize(o.width, o.height);
  };
  hooks.renderPicture = [](kel::App& app, const std::string& file) {
    auto render = entry<int (*)(kel::App*, const char*)>(std::cerr, "kelRenderPicture");
    return render ? render(&app, file.c_str()) : 1;
  };
  hooks.renderPixels = [](kel::App& app, kel::RgbaImage& image) {
    auto render = entry<int (*)(kel::App*, kel::RgbaImage*)>(std::cerr, "kelRenderPixels");
    return render ? render(&app, &image) : 1;
  };
  hooks.renderSpectrum = [](const kel::PlotScene& scene, const std::string& file) {
    auto render =
        entry<int (*)(const kel::PlotScene*, const char*)>(std::cerr, "kelRenderSpectrum");
    return render ? render(&scene, file.c_str()) : 1;
  };
  return kel::runBatch(options, std::cout, std::cerr, hooks);
}
