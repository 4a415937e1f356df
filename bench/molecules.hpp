// Kelvorin - desktop workbench for vibrational calculations.
// The 480-atom molecule of the benchmarks: the last orientation of the generated output when
// the shared data are present, else a saturated chain of the same size.
#pragma once

#include "app/app.hpp"

#include <unistd.h>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kel::bench {

namespace fs = std::filesystem;

struct Atom {
  int z;
  double x, y, w;
};

/// Atoms of the last "Standard orientation" table of a Gaussian output.
std::vector<Atom> lastOrientation(const fs::path& p) {
  std::ifstream in(p);
  std::string line;
  std::vector<Atom> atoms, cur;
  bool inTable = false;
  int dashes = 0;
  while (std::getline(in, line)) {
    if (line.find("Standard orientation:") != std::string::npos) {
      inTable = true;
      dashes = 0;
      cur.clear();
    } else if (inTable && line.find("-----") != std::string::npos) {
      if (++dashes == 3) {
        inTable = false;
        atoms = cur;
      }
    } else if (inTable && dashes == 2) {
      std::istringstream s(line);
      int centre = 0, z = 0, type = 0;
      double x = 0, y = 0, w = 0;
      s >> centre >> z >> type >> x >> y >> w;
      cur.push_back({z, x, y, w});
    }
  }
  return atoms;
}

/// A saturated zig-zag chain C160H320 (480 atoms) when the shared data are absent.
std::vector<Atom> chain480() {
  std::vector<Atom> atoms;
  const double cc = 1.53, ch = 1.09, half = 109.5 / 2 * M_PI / 180;
  for (int k = 0; k < 160; ++k) {
    double x = k * cc * std::sin(half), y = (k % 2 == 0 ? 0 : cc * std::cos(half));
    atoms.push_back({6, x, y, 0});
  }
  for (int k = 0; k < 160; ++k) {
    double out = k % 2 == 0 ? -1 : 1;
    for (int s : {-1, 1})
      atoms.push_back(
          {1, atoms[std::size_t(k)].x, atoms[std::size_t(k)].y + out * ch * 0.57, s * ch * 0.82});
  }
  return atoms;
}

/// The 480-atom molecule loaded into a fresh program that works in its own temporary folder
/// (the connection files are written there); the folder goes when the benchmark ends.
class Workbench480 {
 public:
  Workbench480() {
    fs::path source = fs::path(KEL_SHARED_DATA) / "generated/gen_n480_raman_masses_opt3.log";
    std::vector<Atom> atoms;
    std::error_code ec;
    if (fs::exists(source, ec)) atoms = lastOrientation(source);
    if (atoms.size() != 480) atoms = chain480();
    fs::create_directories(dir_);
    fs::current_path(dir_);
    auto& m = app->m;
    m.NAt = static_cast<i16>(atoms.size());
    for (std::size_t k = 0; k < atoms.size(); ++k) {
      int i = int(k) + 1;
      setAtom(m, i, atoms[k].z);
      m.Xyz(i, 1) = atoms[k].x;
      m.Xyz(i, 2) = atoms[k].y;
      m.Xyz(i, 3) = atoms[k].w;
    }
    m.FilNam = (dir_ / "chain").string();
    app->frm.Banner = "****Kelvorin**** version 2 ";
    app->frm.ScrMpo = "skrK.mpo";
    app->frm.ScrMpob = "sskrK.mpo";
  }
  ~Workbench480() {
    std::error_code ec;
    fs::current_path(old_, ec);
    fs::remove_all(dir_, ec);
  }
  Workbench480(const Workbench480&) = delete;
  Workbench480& operator=(const Workbench480&) = delete;

  std::unique_ptr<App> app = std::make_unique<App>();

 private:
  fs::path old_ = fs::current_path();
  fs::path dir_ = fs::temp_directory_path() / ("kel-bench-" + std::to_string(::getpid()));
};

}  // namespace kel::bench
