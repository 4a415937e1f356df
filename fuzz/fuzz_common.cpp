// Kelvorin - desktop workbench for vibrational calculations.
#include "fuzz_common.hpp"

#include "app/app.hpp"
#include "readers/gaussian_output.hpp"
#include "readers/geometry_files.hpp"
#include "readers/measured_spectrum.hpp"
#include "readers/own_file.hpp"
#include "readers/renumber.hpp"
#include "topology/connections.hpp"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace kel::fuzz {

namespace {

namespace fs = std::filesystem;

// The structure that connection files and renumbering instructions are read for.
constexpr std::string_view WaterDimer =
    "6\nwater dimer\n"
    "O  -1.551007  -0.114520   0.000000\n"
    "H  -1.934259   0.762503   0.000000\n"
    "H  -0.599677   0.040712   0.000000\n"
    "O   1.350625   0.111469   0.000000\n"
    "H   1.680398  -0.373741  -0.758561\n"
    "H   1.680398  -0.373741   0.758561\n";

/// Removes every file of the working folder: each run starts from the same empty folder.
void clearFolder() {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(fs::current_path(), ec)) fs::remove_all(e, ec);
}

void writeFile(const std::string& name, std::string_view data) {
  std::ofstream(name, std::ios::binary).write(data.data(), std::streamsize(data.size()));
}

/// The program state of every run. Building one costs tens of megabytes of zeroed tables,
/// so a run copies a pristine state over the working one instead (the copy reuses the
/// memory). Every member of App that a read may change is restored here.
class States {
 public:
  App& fresh() {
    App& a = *work_;
    a.files.closeAll();
    if (a.logFp) std::fclose(a.logFp);
    a.logFp = nullptr;
    a.logPath.clear();
    a.logCwd = -1;
    a.m = pristine_->m;
    a.frm = pristine_->frm;
    a.we1 = pristine_->we1;
    a.we2 = pristine_->we2;
    a.exitDlg = pristine_->exitDlg;
    a.obr = pristine_->obr;
    a.frq = pristine_->frq;
    a.odleg = pristine_->odleg;
    clock_ = SteppingClock();
    a.prompt = &prompt_;
    a.loop = &clock_;
    a.clock = &clock_;
    a.log = nullptr;
    a.mirror = nullptr;
    a.erraCount = 0;
    a.readFailed = false;
    a.busy = false;
    a.interactive = false;
    return a;
  }

 private:
  std::unique_ptr<App> pristine_ = std::make_unique<App>();
  std::unique_ptr<App> work_ = std::make_unique<App>();
  SteppingClock clock_;
  CancelPrompt prompt_;
};

App& freshApp() {
  static States states;
  return states.fresh();
}

Outcome outcomeOf(const App& app) {
  Outcome o;
  o.failed = app.readFailed;
  o.reports = app.erraCount;
  o.message = app.frm.Text3.text.empty() ? app.frm.Text4.text : app.frm.Text3.text;
  return o;
}

/// The first failed of two reads, else the second.
Outcome worse(Outcome a, Outcome b) {
  return a.failed || a.reports > b.reports ? a : b;
}

/// Reads data as file name through the structure reader on a fresh state.
Outcome readStructure(const std::string& name, std::string_view data) {
  clearFolder();
  writeFile(name, data);
  App& app = freshApp();
  fmtGeo(app, name);
  return outcomeOf(app);
}

/// A fresh state holding the water dimer.
App& withWaterDimer() {
  writeFile("dimer.xyz", WaterDimer);
  App& app = freshApp();
  fmtGeo(app, "dimer.xyz");
  if (app.readFailed || app.m.NAt != 6)
    throw std::logic_error("the water dimer did not load: " + app.frm.Text3.text);
  return app;
}

/// Reads data as a Gaussian output: its length picks the table (first, last, lowest energy)
/// or the ".fmt" name, so that every seed can reach each way.
Outcome readOutput(std::string_view data) {
  clearFolder();
  const std::size_t way = data.size() % 4;
  const std::string name = way == 3 ? "in.fmt" : "in.log";
  writeFile(name, data);
  App& app = freshApp();
  for (std::size_t k = 0; k < 3; ++k) app.we2.La2[k].value = k == way ? 1 : 0;
  FmtIn(app, name);
  return outcomeOf(app);
}

Outcome readOwnFile(std::string_view data) {
  clearFolder();
  writeFile("in.kel", data);
  App& app = freshApp();
  FmtIn(app, "in.kel");
  Outcome first = outcomeOf(app);
  // A renumbered read renames the input: the second read starts again from the same file.
  clearFolder();
  App& second = withWaterDimer();
  writeFile("in.kel", data);
  FmaKel(second, "in.kel");
  return worse(first, outcomeOf(second));
}

Outcome readConnections(std::string_view data) {
  clearFolder();
  App& app = withWaterDimer();
  writeFile("in.mpo", data);
  std::string name = "in.mpo";
  MpoDef(app, name);
  return outcomeOf(app);
}

Outcome readRenumbering(std::string_view data) {
  clearFolder();
  App& app = withWaterDimer();
  app.m.NFrq = 1;  // one mode follows the atoms
  writeFile("in.txt", data);
  RenDef(app, "in.txt", app.m.NAt);
  return outcomeOf(app);
}

/// Reads data as a JCAMP-DX file and as two columns of text.
Outcome readMeasured(std::string_view data) {
  static auto s = std::make_unique<MeasuredSpectrum>();  // its tables are allocated once
  Outcome worst;
  for (const char* name : {"in.jdx", "in.csv"}) {
    clearFolder();
    writeFile(name, data);
    App& app = freshApp();
    int ier = 0;
    ReadMeasured(app, name, *s, ier);
    if (ier != 0 && s->n != 0) throw std::logic_error("a refused spectrum kept its points");
    Outcome o = outcomeOf(app);
    o.failed = ier != 0;
    worst = worse(worst, o);
  }
  return worst;
}

}  // namespace

std::string_view entryName(Entry e) {
  switch (e) {
    case Entry::Xyz:
      return "xyz";
    case Entry::Pdb:
      return "pdb";
    case Entry::Mol:
      return "mol";
    case Entry::Mol2:
      return "mol2";
    case Entry::Gjf:
      return "gjf";
    case Entry::Geo:
      return "geo";
    case Entry::GaussianOutput:
      return "gaussian_output";
    case Entry::Checkpoint:
      return "checkpoint";
    case Entry::Kel:
      return "kel";
    case Entry::Mpo:
      return "mpo";
    case Entry::Renumber:
      return "renumber";
    case Entry::Spectrum:
      return "measured_spectrum";
  }
  return "";
}

void enterPrivateFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/kelfuzz.XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make " + pattern);
  fs::current_path(pattern);
  static const std::string folder = pattern;
  std::atexit([] {
    std::error_code ec;
    fs::remove_all(folder, ec);
  });
}

Outcome runEntry(Entry e, std::string_view data) {
  switch (e) {
    case Entry::Xyz:
      return readStructure("in.xyz", data);
    case Entry::Pdb:
      return readStructure("in.pdb", data);
    case Entry::Mol:
      return readStructure("in.mol", data);
    case Entry::Mol2:
      return readStructure("in.mol2", data);
    case Entry::Gjf:
      return readStructure("in.gjf", data);
    case Entry::Geo:
      return worse(readStructure("in.geo", data), readStructure("in.orn", data));
    case Entry::GaussianOutput:
      return readOutput(data);
    case Entry::Checkpoint: {
      clearFolder();
      writeFile("in.fchk", data);
      App& app = freshApp();
      FmtIn(app, "in.fchk");
      return outcomeOf(app);
    }
    case Entry::Kel:
      return readOwnFile(data);
    case Entry::Mpo:
      return readConnections(data);
    case Entry::Renumber:
      return readRenumbering(data);
    case Entry::Spectrum:
      return readMeasured(data);
  }
  return {};
}

}  // namespace kel::fuzz
