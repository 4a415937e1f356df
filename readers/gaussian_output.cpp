// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/gaussian_output.hpp"

#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/bookkeeping.hpp"
#include "model/geometry.hpp"
#include "model/work.hpp"
#include "readers/block_index.hpp"
#include "readers/force_constants.hpp"
#include "readers/frequencies.hpp"
#include "readers/read_helpers.hpp"
#include "readers/renumber.hpp"
#include "readers/text_scan.hpp"
#include "readers/texts.hpp"
#include "writers/own_file.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace kel {

namespace {

// Structure-file extensions, tested in this order on the name's last seven characters
// (".mol" also finds ".mol2"; ".com" is the other usual name of a job file).
constexpr std::array<std::string_view, 8> StructureExtensions = {".orn", ".pdb", ".geo", ".mol",
                                                                 ".gjf", ".ent", ".xyz", ".com"};

constexpr std::string_view FileNotFound = texts::FileNotFound;
constexpr std::string_view ErrorInFile = texts::ErrorInFile;
constexpr std::string_view MissingLine = "  missing of line ";
constexpr std::string_view CantFindLine = texts::CantFindLine;
constexpr std::string_view NumberOfAtoms = "  Number of atoms  N= ";
constexpr std::string_view CoordinateError = "  Error: coordinate";
constexpr std::string_view AtomicNumberError = "  Error: atomic number";
constexpr std::string_view TooSmallData = "  ERROR: too small data";
constexpr std::string_view CoordinatesReading = "  Error while Coordinates reading";
constexpr std::string_view CoordinatesNotFound = texts::CoordinatesNotFound;
constexpr std::string_view AdmError = "matrix ADM ... error in file ";
constexpr std::string_view FrqError = " ... error in file .frq";
constexpr std::string_view FrequenciesFrom = "frequencies from file ";
constexpr std::string_view AdmRead = texts::AdmRead;
constexpr std::string_view AllIsGood = texts::AllIsGood;
constexpr std::string_view Separator = "##########";
constexpr std::string_view CoordinatesOf = texts::CoordinatesOf;
constexpr std::string_view AtomsRead = " atoms have been read";
constexpr std::string_view EminText = "Emin =";
constexpr std::string_view EminOrientation = " A.U.   orientacja nr";
constexpr std::string_view NextTable = "orientation table nr";
constexpr std::string_view TooManyAtoms = texts::TooManyAtoms;
constexpr std::string_view FrequencyTables = "frequency tables in the file:";
constexpr std::string_view FirstIsRead = ", the first one is read";
constexpr std::string_view InputError = " ... Input Error";
constexpr std::string_view ArrayCutOff = "  array cut off: ";
constexpr std::string_view ArrayAtomicNumbers = "Atomic numbers";
constexpr std::string_view ArrayCoordinates = "Current cartesian coordinates";

/// Lines of a Gaussian output's banner, looked for in its first lines.
constexpr std::string_view BannerKeys[] = {"entering gaussian system", "gaussian, inc."};
constexpr int BannerLines = 100;

// Titles of the blocks looked for, shown when one is missing.
constexpr std::string_view TitleFmuAtoms = "Atomic numbers   [...]   N=  ";
constexpr std::string_view TitleFmuCoords = "Current cartesian coordinates ...";
constexpr std::string_view TitleEnergy = "E() = ";
constexpr std::string_view TitleOrientation = "Standard[Input] orientation";
constexpr std::string_view TitleCompact = texts::CompactTitle;

constexpr double BohrPerAngstrom = 1.889726;
constexpr int InChannel = 1;

enum class Kind { Checkpoint, Output, Formatted, Compact };
enum class Choice { First, Last, Emin };

/// One read of one file.
struct Read {
  Work& w;
  std::string f;
  Kind kind = Kind::Compact;
  std::string route;  ///< the route line, when one was met
  /// Where the blocks of a Gaussian output start, from one scan made when it is first opened.
  std::unique_ptr<BlockIndex> index;
};

/// The index of the input, made on first use (a Gaussian output only).
const BlockIndex* blocks(Read& r) {
  if (!r.index && (r.kind == Kind::Output || r.kind == Kind::Formatted))
    r.index = std::make_unique<BlockIndex>(r.f);
  return r.index && r.index->complete() ? r.index.get() : nullptr;
}

/// The index for file f: the input's, while f is the input and unchanged.
const BlockIndex* blocksOf(const Read& r, const std::string& f) {
  return r.index && r.index->holds(f) ? r.index.get() : nullptr;
}

void fail(Read& r) {
  r.w.readFailed = true;
  r.w.files.closeAll();
}

/// Opens the input on channel 1 unless its length says it is missing or unreadable.
LineReader* openInput(Read& r) {
  auto& w = r.w;
  if (w.files.isOpen(InChannel)) return &w.files.in(InChannel);
  long long len = spl(r.f);
  if (len == 0) {
    w.con.Text3.text = emptyOrMissing(r.f, FileNotFound);
    w.readFailed = true;
    return nullptr;
  }
  if (len < 0) {
    tekst(w, std::string(ErrorInFile) + r.f);
    w.con.Text3.text = std::string(ErrorInFile) + r.f;
    w.readFailed = true;
    return nullptr;
  }
  return &w.files.openInput(InChannel, r.f);
}

void missingLine(Read& r, std::string_view key, std::string_view title) {
  auto& f = r.w.con;
  f.Text3.text = r.f + std::string(MissingLine) + std::string(key);
  f.Text4.text = std::string(CantFindLine) + std::string(title);
  f.Text4.visible = true;
  fail(r);
}

/// Reads lines up to one holding every key (lower case); false with the messages at the end
/// of the file.
bool findLine(Read& r, LineReader& in, std::string& line,
              std::initializer_list<std::string_view> keys, std::string_view title) {
  while (in.getLine(line)) {
    if (r.route.empty() && scan::isRouteLine(line)) r.route = line;
    bool all = true;
    for (auto k : keys) all = all && scan::hasLow(line, k);
    if (all) return true;
  }
  missingLine(r, *keys.begin(), title);
  return false;
}

/// Atom i of the model from its atomic number; false (with the message) when no element.
bool setElement(Read& r, int i, long long z) {
  if (z < 1 || z > MaxEl) {
    r.w.con.Text3.text = r.f + std::string(AtomicNumberError) + Str(z) + ":" + Str(i);
    fail(r);
    return false;
  }
  auto& m = r.w.m;
  setAtom(m, i, int(z));
  m.AtMas0(i) = m.AtMas(i);
  return true;
}

// ----------------------------------------------------------------------------------------
// Formatted checkpoint:
// Atomic numbers                             I   N=           3
//            8           1           1
// Current cartesian coordinates              R   N=           9
//   0.00000000E+00  0.00000000E+00 -1.43042809E-01 ...   (bohr)

/// The count values of a checkpoint array whose title line was just read: lines of numbers
/// only, up to the next title. False (with the message) when the array is cut off.
bool readArray(Read& r, LineReader& in, int count, std::string_view title,
               std::vector<double>& values) {
  values.clear();
  std::string line;
  bool nextTitle = false;
  while (int(values.size()) < count && !nextTitle && in.getLine(line))
    for (const auto& field : splitFields(line)) {
      if (!isNumber(field)) {
        nextTitle = true;
        break;
      }
      values.push_back(Val(field));
    }
  if (int(values.size()) >= count) return true;
  r.w.con.Text3.text = r.f + std::string(ArrayCutOff) + std::string(title);
  fail(r);
  return false;
}

bool readCheckpoint(Read& r, int& n) {
  auto* in = openInput(r);
  if (!in) return false;
  std::string line;
  if (!findLine(r, *in, line, {"atomic", "n="}, TitleFmuAtoms)) return false;
  auto p = scan::findLow(line, "n=");
  long long count = scan::clampedInt(Val(std::string_view(line).substr(p + 2)));
  if (count < 3 || count > MaxAt) {
    r.w.con.Text3.text = r.f + std::string(NumberOfAtoms) + Str(count) +
                         std::string(count > MaxAt ? TooManyAtoms : "");
    fail(r);
    return false;
  }
  n = int(count);
  std::vector<double> values;
  if (!readArray(r, *in, n, ArrayAtomicNumbers, values)) return false;
  for (int i = 1; i <= n; ++i)
    if (!setElement(r, i, scan::clampedInt(values[std::size_t(i - 1)]))) return false;
  if (!findLine(r, *in, line, {"coord"}, TitleFmuCoords)) return false;
  if (!readArray(r, *in, 3 * n, ArrayCoordinates, values)) return false;
  auto& m = r.w.m;
  for (int i = 1; i <= n; ++i) {
    for (int k = 1; k <= 3; ++k)
      m.Xyz(i, k) = values[std::size_t(3 * (i - 1) + k - 1)] / BohrPerAngstrom;
    m.Xyz(i, 0) = 0;
  }
  return true;
}

// ----------------------------------------------------------------------------------------
// Minimum-energy scan:
//  SCF Done:  E(RB3LYP) =  -194.418615027     A.U. after    9 cycles
// The geometry of an energy is the last orientation table printed before its line.

bool scanEnergies(Read& r, int& wanted) {
  auto* in = openInput(r);
  if (!in) return false;
  std::string line;
  scan::TableSpotter spot;
  int tables = 0;
  bool any = false, energy = false;
  double lowest = 0;  // the first energy read, whatever its sign
  wanted = 0;
  IndexedLines lines(*in, blocks(r),
                     BlockIndex::Orientation | BlockIndex::Route | BlockIndex::Energy);
  while (spot.armed() ? in->getLine(line) : lines.next(line)) {
    if (r.route.empty() && scan::isRouteLine(line)) r.route = line;
    if (spot.feed(line)) ++tables;
    if (!scan::hasLow(line, "a.u")) continue;
    auto eq = line.find('=');
    if (eq == std::string::npos) {
      any = true;
      continue;
    }
    double e = Val(std::string_view(line).substr(eq + 1));
    if (!energy || e <= lowest) {
      lowest = e;
      wanted = tables;
    }
    any = energy = true;
  }
  r.w.files.close(InChannel);
  if (!any) {
    missingLine(r, "a.u", TitleEnergy);
    return false;
  }
  tekst(r.w, std::string(EminText) + Str(lowest) + std::string(EminOrientation) + Str(wanted));
  return true;
}

// ----------------------------------------------------------------------------------------
// Orientation table:
//                          Input orientation:
//  ---------------------------------------------------------------------
//  Center     Atomic      Atomic             Coordinates (Angstroms)
//  Number     Number       Type             X           Y           Z
//  ---------------------------------------------------------------------
//       1          6           0       -0.436848    0.425079    1.074667
//  ---------------------------------------------------------------------
// Rows of dummy atoms (atomic number -1) and translation vectors (-2) are passed over.

/// Blank-separated fields of a row (at most 8).
int fieldsOf(std::string_view s, std::array<std::string_view, 8>& fields) {
  int n = 0;
  std::size_t i = 0;
  while (i < s.size() && n < 8) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    if (i >= s.size()) break;
    std::size_t j = i;
    while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
    fields[std::size_t(n++)] = s.substr(i, j - i);
    i = j;
  }
  return n;
}

/// Reads the rows after the header into atoms 1..n; false (with the message) on an error.
bool readTable(Read& r, LineReader& in, bool typeColumn, int& n) {
  std::string message;
  if (readOrientationRows(r.w, in, typeColumn, 0, n, message)) return true;
  r.w.con.Text3.text = r.f + message;
  fail(r);
  return false;
}

bool readOrientation(Read& r, Choice choice, int wanted, int& n) {
  auto* in = openInput(r);
  if (!in) return false;
  std::string line;
  scan::TableSpotter spot;
  int tables = 0;
  n = 0;
  IndexedLines lines(*in, blocks(r), BlockIndex::Orientation | BlockIndex::Route);
  while (spot.armed() ? in->getLine(line) : lines.next(line)) {
    if (r.route.empty() && scan::isRouteLine(line)) r.route = line;
    if (!spot.feed(line)) continue;
    ++tables;
    if (tables > 1) tekst(r.w, std::string(NextTable) + Str(tables));
    if (!readTable(r, *in, spot.typeColumn(), n)) return false;
    if (choice == Choice::First || (choice == Choice::Emin && tables >= wanted)) break;
  }
  if (tables == 0) {
    missingLine(r, "orient", TitleOrientation);
    return false;
  }
  return true;
}

// ----------------------------------------------------------------------------------------
// The program's compact layout:
// Atomic orientation and masses
//   1   6    0.00000000    0.00000000    0.00000000     12.00000000
// Harmonic frequencies
// F =  123.45   IR =   12.34   S = A1
//    0   0  15   ...

bool readCompact(Read& r, int& n, int& ier) {
  auto* in = openInput(r);
  if (!in) return false;
  std::string line;
  if (!findLine(r, *in, line, {"orient"}, TitleCompact)) return false;
  int la = 0;
  ier = 1;
  const int reports = r.w.erraCount;
  ReCoo(r.w, InChannel, la, ier);
  if (ier < 0 || r.w.erraCount != reports) {
    fail(r);
    return false;
  }
  if (ier == 1) {
    tekst(r.w, CoordinatesNotFound);
    r.w.con.Text3.text = r.f + "  " + std::string(CoordinatesNotFound);
    fail(r);
    return false;
  }
  if (ier == 5) {
    r.w.con.Text3.text = r.f + std::string(TooManyAtoms);
    r.w.m.NAt = 0;
    fail(r);
    return false;
  }
  n = la;
  return true;
}

// ----------------------------------------------------------------------------------------
// After the geometry: summary, modes, masses, side files, connections, the ".kel" file.

void summary(Read& r, int n) {
  auto& w = r.w;
  auto& m = w.m;
  setScroll(w, 0);
  m.Sw(sw::ReadDone) = -1;
  m.Sw(sw::MatrixDefined) = 0;
  tekst(w, "");
  TekLog(w, Separator, 1);
  tekst(w, std::string(CoordinatesOf) + Str(n) + std::string(AtomsRead));
  if (n < 1) return;
  w.con.Text3.text = r.f + std::string(AllIsGood);
  for (int i = 1; i <= n; ++i)
    for (int k = 0; k <= 3; ++k) m.XyzOld(i, k) = m.Xyz(i, k);
  showNames(w);
  w.con.burek.visible = false;
  setCounts(m, n);
  setDofWeights(m, n);
  for (int i = 1; i <= n; ++i) listAtom(w, i);
  fillBox(m, n);
}

/// Companion names tried after f: FilNam + ".log", FilNam + ".out".
std::vector<std::string> companions(const Read& r) {
  std::vector<std::string> names{r.f};
  for (std::string_view ext : {".log", ".out"}) {
    std::string c = r.w.m.FilNam + std::string(ext);
    if (c != r.f) names.push_back(c);
  }
  return names;
}

/// A failure after the geometry: the first one stays in Text3, none is hidden by a later one.
void failAfterGeometry(Read& r, const std::string& text) {
  if (!r.w.readFailed) r.w.con.Text3.text = text;
  r.w.readFailed = true;
}

/// A table or block refused by a mode reader: the read keeps its geometry, no mode, and
/// fails with the reason after the file's name.
void refuseModes(Read& r, const std::string& name, std::string_view problem) {
  auto& w = r.w;
  w.m.NFrq = 0;
  w.m.Sw(sw::ModesHeld) = 0;
  tekst(w, name + "  " + std::string(problem));
  failAfterGeometry(r, name + "  " + std::string(problem));
}

void readModes(Read& r) {
  auto& w = r.w;
  auto& m = w.m;
  const int lw = expectedModes(m, m.NAt, r.route);
  for (const auto& name : companions(r)) {
    int ier = 0;
    ModeRead result;
    ReMW(w, name, lw, ier, &result, blocksOf(r, name));
    if (ier == -1) {
      tekst(w, std::string(AdmRead) + name);
      if (result.tables > 1)
        tekst(w, std::string(FrequencyTables) + Str(result.tables) + std::string(FirstIsRead));
      m.Sw(sw::MassesRead) = -1;
      return;
    }
    if (ier == 1) {
      tekst(w, std::string(AdmError) + name);
      refuseModes(r, name, result.problem);
      return;
    }
  }
  m.DatNam = (m.FilNam.empty() ? m.JobNam : m.FilNam) + ".frq";
  int ier = 0;
  ReFrq(w, std::clamp(3 * m.NAt - 5, 0, int(MaxFrq)), ier);
  if (ier == -1) {
    tekst(w, std::string(FrequenciesFrom) + m.DatNam);
  } else if (ier == 1) {
    TekUl(w, FrqError);
    failAfterGeometry(r, m.DatNam + std::string(FrqError));
  }
}

void readMasses(Read& r) {
  for (const auto& name : companions(r)) {
    if (name != r.f && spl(name) <= 0) continue;
    int ier = 0;
    ReIzo(r.w, name, r.route, r.w.m.NAt, ier, blocksOf(r, name));
    if (ier == 1) failAfterGeometry(r, name + std::string(InputError));
    if (ier != 0) return;
  }
}

void finish(Read& r) {
  auto& w = r.w;
  auto& m = w.m;
  w.files.closeAll();
  Czekaj(w, 0.1);
  m.DatNam = r.f;
  // Force constants, and a checkpoint's own modes and masses before any companion file's.
  clearForceConstants(m);
  ForceConstantRead fc;
  if (r.kind == Kind::Checkpoint) readCheckpointArrays(m, r.f, fc);
  if (r.kind != Kind::Compact) {
    if (!fc.modes) readModes(r);
    if (!fc.masses) readMasses(r);
  }
  if (r.kind == Kind::Output || r.kind == Kind::Formatted)
    readOutputForceConstants(m, r.f, fc, blocksOf(r, r.f));
  for (const auto& line : fc.log) tekst(w, line);
  if (fc.modes) m.Sw(sw::MassesRead) = -1;
  if (!fc.problem.empty()) failAfterGeometry(r, fc.problem);
  m.RenDone = 0;
  RenDef(w, r.f, m.NAt, blocksOf(r, r.f));
  setInverseMasses(m, m.NAt);
  cutZeros(m, m.NAt);
  for (int i = 1; i <= m.NAt; ++i)
    for (int k = 1; k <= 3; ++k) m.XyzCopy(i, k) = m.Xyz(i, k);
  if (m.Sw(sw::Summary128) != 0 && m.Sw(sw::Summary96) != 0) m.Sw(sw::Summary96) = 0;
  m.Sw(sw::Summary128) = 0;
  m.VibMode = 0;
  const ModesReplaced replaced(w);  // work begun on the modes beside the rest ends with it
  m.Sw(sw::Reading) = 0;
  std::string mpo = m.FilNam + ".mpo";
  if (spl(mpo) < 1) mpo = "*";
  if (w.hooks.connections) w.hooks.connections(mpo);
  PbIni(w);
  writeAutoKel(w, r.route);
}

/// The first lines of file f hold a Gaussian output's banner.
bool gaussianBanner(const std::string& f) {
  if (spl(f) <= 0) return false;
  LineReader in(f);
  std::string line;
  for (int k = 0; k < BannerLines && in.getLine(line); ++k)
    for (auto key : BannerKeys)
      if (scan::hasLow(line, key)) return true;
  return false;
}

/// The first "orient" line of file f starts a Gaussian orientation table: the file is a
/// Gaussian output, whatever its name, and the compact reader would take its columns wrongly.
bool holdsGaussianTable(const std::string& f) {
  if (spl(f) <= 0) return false;
  LineReader in(f);
  std::string line;
  while (in.getLine(line))
    if (scan::hasLow(line, "orient")) {
      scan::TableSpotter spot;
      spot.feed(line);
      for (int k = 0; k < 4 && in.getLine(line); ++k)
        if (spot.feed(line)) return true;
      return false;
    }
  return false;
}

/// FilNam: the name without its extension (the first "." from four places before the end).
std::string withoutExtension(const std::string& f) {
  std::size_t from = f.size() <= 4 ? 1 : f.size() - 5;
  auto dot = f.find('.', from);
  return dot == std::string::npos ? f : f.substr(0, dot);
}

void readFile(Read& r) {
  auto& w = r.w;
  auto& m = w.m;
  m.Par(par::ErrorReports) = 0;
  m.Par(par::ReadStart) = -1;
  m.Par(par::ReadSteps) = 0;
  w.con.Text4.text.clear();
  w.con.Text4.visible = false;
  w.con.Text2.text.clear();
  w.con.LineCnt = 0;
  m.Sw(sw::Reading) = -1;
  w.con.Text3.text.clear();
  w.readFailed = false;
  m.FilNam = withoutExtension(r.f);
  m.JobNam = m.FilNam;
  Czekaj(w, 0.1);

  std::string_view ext = tail(r.f, 7);
  auto has = [&](std::string_view e) { return containsCi(ext, e); };
  if (has(".fmu") || has(".fch"))
    r.kind = Kind::Checkpoint;
  else if (has(".fmt"))
    r.kind = Kind::Formatted;
  else if (has(".log") || has(".out") || gaussianBanner(r.f))
    r.kind = Kind::Output;  // an output under any name is read as one
  else if (holdsGaussianTable(r.f))
    r.kind = Kind::Formatted;  // a Gaussian output under another name

  int n = 0;
  switch (r.kind) {
    case Kind::Checkpoint:
      if (!readCheckpoint(r, n)) return;
      break;
    case Kind::Formatted:
      if (!readOrientation(r, Choice::First, 0, n)) return;
      break;
    case Kind::Output: {
      GeometryChoice asked =
          w.hooks.geometryChoice ? w.hooks.geometryChoice() : GeometryChoice::Last;
      Choice choice = asked == GeometryChoice::First  ? Choice::First
                      : asked == GeometryChoice::Last ? Choice::Last
                                                      : Choice::Emin;
      int wanted = 0;
      if (choice == Choice::Emin && !scanEnergies(r, wanted)) return;
      if (!readOrientation(r, choice, wanted, n)) return;
      break;
    }
    case Kind::Compact: {
      int ier = 0;
      if (!readCompact(r, n, ier)) return;
      summary(r, n);
      if (ier != 0) {
        w.con.Text3.text = r.f + std::string(CoordinatesReading);
        tekst(w, w.con.Text3.text);
        m.NAt = 0;  // no atom without an element stays in the model
        fail(r);
        return;
      }
      w.files.close(InChannel);
      w.files.openInput(InChannel, r.f);
      int lfr = 0;
      // Every mode the file holds (a structure saved after deleting atoms keeps its modes),
      // at least as many as its structure has.
      ModeRead result;
      ReMv(w, expectedModes(m, n, r.route), n, lfr, &result);
      if (lfr == -1) {
        tekst(w, std::string(AdmRead) + r.f);
        m.Sw(sw::MassesRead) = -1;
      } else if (lfr == 1) {
        tekst(w, std::string(AdmError) + r.f);
        refuseModes(r, r.f, result.problem);
      }
      finish(r);
      return;
    }
  }
  summary(r, n);
  if (n < 1) {
    tekst(w, CoordinatesNotFound);
    w.con.Text3.text = r.f + "  " + std::string(CoordinatesNotFound);
    fail(r);
    return;
  }
  finish(r);
}

}  // namespace

bool readOrientationRows(Work& w, LineReader& in, bool typeColumn, int offset, int& n,
                         std::string& message) {
  std::string line;
  std::array<std::string_view, 8> fld;
  const int need = typeColumn ? 6 : 5;
  int expected = 1;
  n = 0;
  for (;;) {
    if (!in.getLine(line)) {
      message = TooSmallData;
      return false;
    }
    int count = fieldsOf(line, fld);
    if (count <= 1) {
      if (expected > 1) return true;  // the closing line of dashes
      continue;
    }
    const long long centre = scan::clampedInt(Val(fld[0]));
    if (centre != expected) continue;
    if (count < need) {
      message = std::string(CoordinateError) + Str(expected) + ": " + line;
      return false;
    }
    ++expected;
    const long long z = scan::clampedInt(Val(fld[1]));
    if (z < 1) continue;  // dummy atom or translation vector
    if (offset + n >= MaxAt) {
      message = TooManyAtoms;
      return false;
    }
    if (z > MaxEl) {
      message = std::string(AtomicNumberError) + Str(z) + ":" + Str(n + 1);
      return false;
    }
    ++n;
    auto& m = w.m;
    const int i = offset + n;
    setAtom(m, i, int(z));
    m.AtMas0(i) = m.AtMas(i);
    const std::size_t x0 = typeColumn ? 3 : 2;
    for (std::size_t k = 0; k < 3; ++k) m.Xyz(i, k + 1) = Val(fld[x0 + k]);
    m.Xyz(i, 0) = 0;
  }
}

bool structureName(std::string_view f) {
  const std::string name = rtrim(f);
  std::string_view ext = tail(name, 7);
  for (auto e : StructureExtensions)
    if (containsCi(ext, e)) return true;
  return false;
}

void readOutputFile(Work& w, std::string f) noexcept {
  bool ok = guard(w, "FmtIn", [&] {
    f = rtrim(f);
    w.con.Text1.text = f;
    Read r{w, f, Kind::Compact, {}, {}};
    readFile(r);
  });
  if (!ok) w.readFailed = true;
  w.m.Sw(sw::Reading) = 0;
}

}  // namespace kel
