// Kelvorin - desktop workbench for vibrational calculations.
// The Python module's native part: a read of one file into its own program state, and the
// model's tables as NumPy arrays. The pure-Python layer (kelvorin/__init__.py) documents it.
//
// Every read builds its own App, reads with the working folder left alone and writes no
// file (embedded_read.hpp); the interpreter lock is released while the read and the analysis
// run, so threads read files in parallel. A molecule's own lock keeps two analyses of the
// same molecule apart (they change its masses for a while).
#include "analysis/json_document.hpp"
#include "analysis/spectrum.hpp"
#include "app/app.hpp"
#include "app/embedded_read.hpp"
#include "base/strings.hpp"
#include "topology/internal_coords.hpp"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace py = pybind11;

namespace {

using kel::App;

/// Raised with the reason of a failed read (the program's Text3).
struct ReadFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// One molecule read: the program state that read it, kept for the analysis.
class Molecule {
 public:
  Molecule(std::unique_ptr<App> app, std::string path)
      : app_(std::move(app)), path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  const kel::ModKel& m() const { return app_->m; }
  int atoms() const { return m().NAt; }
  int modeCount() const { return m().NFrq; }

  py::array_t<int> atomicNumbers() const {
    std::lock_guard lock(mutex_);
    py::array_t<int> a(atoms());
    auto v = a.mutable_unchecked<1>();
    for (int i = 1; i <= atoms(); ++i) v(i - 1) = kel::atomicNumber(m(), i);
    return a;
  }
  std::vector<std::string> symbols() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> s;
    for (int i = 1; i <= atoms(); ++i) s.push_back(kel::trim(m().AtSym(i)));
    return s;
  }
  py::array_t<double> masses() const {
    std::lock_guard lock(mutex_);
    py::array_t<double> a(atoms());
    auto v = a.mutable_unchecked<1>();
    for (int i = 1; i <= atoms(); ++i) v(i - 1) = m().AtMas(i);
    return a;
  }
  py::array_t<double> coordinates() const {
    std::lock_guard lock(mutex_);
    py::array_t<double> a({atoms(), 3});
    auto v = a.mutable_unchecked<2>();
    for (int i = 1; i <= atoms(); ++i)
      for (int k = 1; k <= 3; ++k) v(i - 1, k - 1) = m().Xyz(i, k);
    return a;
  }
  py::array_t<double> frequencies() const {
    std::lock_guard lock(mutex_);
    py::array_t<double> a(modeCount());
    auto v = a.mutable_unchecked<1>();
    for (int k = 1; k <= modeCount(); ++k) v(k - 1) = m().Frq(k);
    return a;
  }
  py::array_t<double> ir() const {
    std::lock_guard lock(mutex_);
    py::array_t<double> a(modeCount());
    auto v = a.mutable_unchecked<1>();
    for (int k = 1; k <= modeCount(); ++k) v(k - 1) = m().IrInt(k);
    return a;
  }
  /// None when the file holds no Raman activities (as the document's null).
  py::object raman() const {
    std::lock_guard lock(mutex_);
    if (m().RaInt(0) == 0) return py::none();
    py::array_t<double> a(modeCount());
    auto v = a.mutable_unchecked<1>();
    for (int k = 1; k <= modeCount(); ++k) v(k - 1) = m().RaInt(k);
    return a;
  }
  std::vector<std::string> labels() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> s;
    for (int k = 1; k <= modeCount(); ++k) s.push_back(kel::trim(m().FrqSym(k)));
    return s;
  }
  py::array_t<double> modes() const {
    std::lock_guard lock(mutex_);
    py::array_t<double> a({modeCount(), atoms(), 3});
    auto v = a.mutable_unchecked<3>();
    const int n = modeCount();
    if (n == 0) return a;
    // the table's first index varies fastest: the modes of one atom's component are a run
    for (int i = 1; i <= atoms(); ++i)
      for (int c = 1; c <= 3; ++c) {
        (void)m().ModeD(n, i, c);  // the end of the run is inside the table
        const kel::i16* run = &m().ModeD(1, i, c);
        for (int k = 0; k < n; ++k) v(k, i - 1, c - 1) = run[k] / 100.0;
      }
    return a;
  }
  std::pair<double, double> scaling() const {
    std::lock_guard lock(mutex_);
    const kel::Scaling s = kel::heldScaling(m());
    return {s.factor, s.shift};
  }
  std::string text3() const {
    std::lock_guard lock(mutex_);
    return app_->frm.Text3.text;
  }
  std::string text4() const {
    std::lock_guard lock(mutex_);
    return app_->frm.Text4.text;
  }
  std::string log() const {
    std::lock_guard lock(mutex_);
    return app_->frm.Text2.text;
  }

  /// Bonds as atom pairs i < j, 0-based, of the matrix the internal coordinates are built on.
  py::array_t<int> bonds() {
    topology();
    std::lock_guard lock(mutex_);
    const auto& mm = m();
    std::vector<int> pairs;
    for (int i = 1; i <= atoms(); ++i)
      for (int j = i + 1; j <= atoms(); ++j)
        if (mm.Mpo(i, j) != 0 || mm.Mpo(j, i) != 0) {
          pairs.push_back(i - 1);
          pairs.push_back(j - 1);
        }
    py::array_t<int> a({py::ssize_t(pairs.size() / 2), py::ssize_t(2)});
    std::copy(pairs.begin(), pairs.end(), a.mutable_data());
    return a;
  }

  /// (type, atoms (0-based), value): Å for a stretch, degrees otherwise.
  py::list internalCoordinates() {
    topology();
    std::lock_guard lock(mutex_);
    const auto& mm = m();
    py::list rows;
    for (int r = 1; r <= mm.IcRows; ++r) {
      const int type = mm.IcTab(r, 5);
      py::list atomsOf;
      for (int k = 1; k <= mm.IcAtoms(type, 0) && mm.IcTab(r, k) != 0; ++k)
        atomsOf.append(mm.IcTab(r, k) - 1);
      rows.append(
          py::make_tuple(kel::trim(mm.IcName(type)), py::tuple(atomsOf), kel::icValue(mm, r)));
    }
    return rows;
  }

  /// The analysis with the current masses, or with the items of a --masses list applied for
  /// the time of the computation. None when there are neither force constants nor modes.
  py::object analysis(const std::string& massList) {
    kel::HeldAnalysis held;
    std::vector<double> original, changed;  // changed: the masses of the analysis
    std::string message;
    {
      py::gil_scoped_release free;
      std::lock_guard lock(mutex_);
      const bool changes = !massList.empty();
      if (changes && !kel::massesAfter(*app_, massList, changed, message)) {
        // reported below, with the interpreter lock held
      } else {
        if (changes) {
          original = kel::currentMasses(app_->m);
          kel::setMasses(*app_, changed);
        }
        kel::analyseHeld(*app_, held);
        if (changes)
          kel::setMasses(*app_, original);
        else
          changed = kel::currentMasses(app_->m);
        message.clear();
      }
    }
    if (!message.empty()) throw py::value_error(message);
    if (!held.any) return py::none();
    return analysisDict(held, changed);
  }

  /// The broadened IR and Raman spectra of the held modes, as --spectrum writes them; a
  /// ValueError with the program's reason when no spectrum can be made.
  py::dict spectrum(const std::string& lineshape, double fwhm, std::optional<double> from,
                    std::optional<double> to, double step, std::optional<double> factor,
                    double shift) const {
    kel::SpectrumSettings set;
    if (lineshape != "lorentz" && lineshape != "gauss")
      throw py::value_error("lineshape must be \"lorentz\" or \"gauss\", not \"" + lineshape +
                            "\"");
    set.shape = lineshape == "gauss" ? kel::LineShape::Gauss : kel::LineShape::Lorentz;
    set.fwhm = fwhm;
    set.step = step;
    if (from.has_value() != to.has_value())
      throw py::value_error("range needs both ends, as (from, to)");
    if (from) {
      set.rangeSet = true;
      set.from = *from;
      set.to = *to;
    }
    kel::Spectrum s;
    {
      std::lock_guard lock(mutex_);
      set.scaling = factor ? kel::Scaling{*factor, shift} : kel::heldScaling(m());
      py::gil_scoped_release free;
      if (!kel::computeSpectrum(m(), set, s)) throw py::value_error(s.message);
    }
    auto array = [](const std::vector<double>& v) {
      return py::array_t<double>(py::ssize_t(v.size()), v.data());
    };
    std::vector<double> x, ir, raman;
    std::vector<int> mode;
    for (const auto& k : s.sticks) {
      mode.push_back(k.mode - 1);
      x.push_back(k.x);
      ir.push_back(k.ir);
      raman.push_back(k.raman);
    }
    py::dict d;
    d["wavenumber"] = array(s.x);
    d["ir"] = array(s.ir);
    d["raman"] = s.ramanHeld ? py::object(array(s.raman)) : py::none();
    d["stick_modes"] = py::array_t<int>(py::ssize_t(mode.size()), mode.data());
    d["stick_wavenumbers"] = array(x);
    d["stick_ir"] = array(ir);
    d["stick_raman"] = s.ramanHeld ? py::object(array(raman)) : py::none();
    d["scaling"] = py::make_tuple(set.scaling.factor, set.scaling.shift);
    return d;
  }

 private:
  /// The connection matrix and internal coordinates, made once (as --ic and --json do).
  void topology() {
    py::gil_scoped_release free;
    std::lock_guard lock(mutex_);
    kel::ensureCoordinates(*app_);
  }

  py::dict analysisDict(const kel::HeldAnalysis& held, const std::vector<double>& masses) const {
    const auto& mm = m();
    const kel::NormalModes* nm = held.computed();
    py::dict d;
    d["source"] = mm.FccFrom == 1   ? py::object(py::str("output"))
                  : mm.FccFrom == 2 ? py::object(py::str("checkpoint"))
                                    : py::object(py::none());
    d["masses"] = py::array_t<double>(py::ssize_t(nm ? nm->masses.size() : masses.size()),
                                      nm ? nm->masses.data() : masses.data());
    const std::vector<double> none;
    auto vec = [](const std::vector<double>& v) {
      return py::array_t<double>(py::ssize_t(v.size()), v.data());
    };
    d["frequencies"] = vec(nm ? nm->frequencies : none);
    d["reduced_masses"] = vec(nm ? nm->reducedMasses : none);
    d["force_constants"] = vec(nm ? nm->forceConstants : none);
    const py::ssize_t count = nm ? nm->count() : 0, n = nm ? nm->atoms : atoms();
    py::array_t<double> modesOf({count, n, py::ssize_t(3)});
    if (nm) std::copy(nm->displacements.begin(), nm->displacements.end(), modesOf.mutable_data());
    d["modes"] = modesOf;
    py::list ped;
    for (const auto& mode : held.ped.modes) {
      py::list entries;
      for (const auto& e : mode) entries.append(py::make_tuple(e.coordinate - 1, e.percent));
      ped.append(entries);
    }
    d["ped"] = ped;
    d["ped_kind"] = !held.ped.message.empty()     ? py::object(py::none())
                    : held.ped.fromForceConstants ? py::object(py::str("ped"))
                                                  : py::object(py::str("character"));
    const auto& r = held.report;
    py::dict rep;
    rep["expected_modes"] = r.expectedModes;
    rep["modes"] = r.modes;
    py::list imaginary;
    for (int k : r.imaginary) imaginary.append(k - 1);
    rep["imaginary"] = imaginary;
    rep["max_overlap"] = r.maxOverlap;
    rep["max_translation_rotation"] = r.maxTranslationRotation;
    rep["max_frequency_difference"] =
        r.maxFrequencyDifference ? py::object(py::float_(*r.maxFrequencyDifference)) : py::none();
    rep["min_mode_overlap"] =
        r.minModeOverlap ? py::object(py::float_(*r.minModeOverlap)) : py::none();
    rep["warnings"] = r.warnings;
    rep["lines"] = r.lines;
    d["report"] = rep;
    return d;
  }

  std::unique_ptr<App> app_;
  std::string path_;
  mutable std::mutex mutex_;  ///< an analysis changes the masses for a while
};

kel::GeometryChoice geometryWord(const std::string& g) {
  if (g == "first") return kel::GeometryChoice::First;
  if (g == "last") return kel::GeometryChoice::Last;
  if (g == "emin") return kel::GeometryChoice::Emin;
  throw py::value_error("geometry must be \"first\", \"last\" or \"emin\", not \"" + g + "\"");
}

std::unique_ptr<Molecule> readMolecule(const std::string& path, const std::string& geometry,
                                       bool writeKel) {
  const kel::GeometryChoice choice = geometryWord(geometry);
  std::unique_ptr<App> app;
  std::string failure;
  {
    py::gil_scoped_release free;
    app = std::make_unique<App>();
    if (!kel::readEmbedded(*app, path, choice, writeKel)) failure = kel::readFailure(*app, path);
  }
  if (!failure.empty()) throw ReadFailure(failure);
  return std::make_unique<Molecule>(std::move(app), path);
}

}  // namespace

PYBIND11_MODULE(_kelvorin, mod) {
  mod.doc() = "Native part of the kelvorin module (see kelvorin.read)";
  // What a failed read raises, with the program's message; kelvorin.ReadError in Python.
  py::register_exception<ReadFailure>(mod, "ReadError", PyExc_OSError);
  mod.def("read", &readMolecule, py::arg("path"), py::arg("geometry") = "last",
          py::arg("write_kel") = false);
  py::class_<Molecule>(mod, "Molecule")
      .def_property_readonly("path", &Molecule::path)
      .def_property_readonly("atomic_numbers", &Molecule::atomicNumbers)
      .def_property_readonly("symbols", &Molecule::symbols)
      .def_property_readonly("masses", &Molecule::masses)
      .def_property_readonly("coordinates", &Molecule::coordinates)
      .def_property_readonly("frequencies", &Molecule::frequencies)
      .def_property_readonly("ir", &Molecule::ir)
      .def_property_readonly("raman", &Molecule::raman)
      .def_property_readonly("labels", &Molecule::labels)
      .def_property_readonly("modes", &Molecule::modes)
      .def_property_readonly("scaling", &Molecule::scaling)
      .def_property_readonly("bonds", &Molecule::bonds)
      .def_property_readonly("internal_coordinates", &Molecule::internalCoordinates)
      .def_property_readonly("text3", &Molecule::text3)
      .def_property_readonly("text4", &Molecule::text4)
      .def_property_readonly("log", &Molecule::log)
      .def("_analysis", &Molecule::analysis, py::arg("mass_list") = "")
      .def("_spectrum", &Molecule::spectrum, py::arg("lineshape"), py::arg("fwhm"),
           py::arg("range_from"), py::arg("range_to"), py::arg("step"), py::arg("factor"),
           py::arg("shift"))
      .def("__len__", &Molecule::atoms);
}
