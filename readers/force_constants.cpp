// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/force_constants.hpp"

#include "base/basic_error.hpp"
#include "base/convert.hpp"
#include "base/line_reader.hpp"
#include "readers/block_index.hpp"
#include "readers/read_helpers.hpp"
#include "readers/text_scan.hpp"
#include "readers/texts.hpp"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view ErrorInF = "  Error in F matrix: ";
constexpr std::string_view CutAtRow = "block cut off at row";
constexpr std::string_view RowWord = "row";
constexpr std::string_view ValuesNot = " values, not";
constexpr std::string_view AtomsOf = "force constants of";
constexpr std::string_view StructureOf = " atoms, structure of";
constexpr std::string_view AtomsWord = " atoms";
constexpr std::string_view OtherElement = "force constants of another structure: atom";
constexpr std::string_view ArrayCut = "array cut off: ";
constexpr std::string_view ArraySize = "array of unexpected length: ";
constexpr std::string_view FromOutput = "Cartesian force constants read from file ";
constexpr std::string_view FromCheckpoint =
    "Cartesian force constants (checkpoint) read from file ";
constexpr std::string_view TurnedFrom =
    "force constants turned from the input orientation, fit rms";
constexpr std::string_view NoInputTable = "force constants taken in the frame of the geometry read";
constexpr std::string_view MassesFrom = "atomic masses from file ";
constexpr std::string_view TooManyModes = "more than 1440 modes: the program holds at most 1440";

constexpr std::string_view BlockTitle = texts::ForceConstantsTitle;
constexpr std::string_view ForcesTitle = texts::ForcesTitle;
constexpr std::string_view PathTaken = "the reaction path (the forces) is taken out of the modes";
constexpr std::string_view WeightsTitle = "Real atomic weights";
constexpr std::string_view ForceTitle = "Cartesian Force Constants";
constexpr std::string_view ModeCountTitle = "Number of Normal Modes";
constexpr std::string_view E2Title = "Vib-E2";
constexpr std::string_view ModesTitle = "Vib-Modes";

/// Size of the lower triangle of an n x n matrix.
std::size_t triangle(int n) {
  return std::size_t(n) * std::size_t(n + 1) / 2;
}

/// Fcc(1..n, 1..n) from a lower triangle stored row by row, times factor.
void fillFromTriangle(ModKel& m, int n, const std::vector<double>& lower, double factor) {
  std::size_t p = 0;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= i; ++j) {
      const double v = lower[p++] * factor;
      m.Fcc(i, j) = v;
      m.Fcc(j, i) = v;
    }
}

/// One problem for the caller: the read fails with it after the file's name.
void refuse(ForceConstantRead& out, const std::string& f, const std::string& why) {
  out.problem = f + std::string(ErrorInF) + why;
  out.log.push_back(out.problem);
}

// ----------------------------------------------------------------------------------------
// An input-type orientation table of an output (the frame of the force constants):
//                          Input orientation:
//  ---------------------------------------------------------------------
//  Center     Atomic      Atomic             Coordinates (Angstroms)
//  Number     Number       Type             X           Y           Z
//  ---------------------------------------------------------------------
//       1          6           0       -0.436848    0.425079    1.074667
//  ---------------------------------------------------------------------
// "Z-Matrix orientation:" tables have the same columns; dummy atoms (atomic number -1) and
// translation vectors (-2) take no place.

struct Frame {
  std::vector<int> z;
  std::vector<double> xyz;  ///< n x 3, angstrom
  bool whole = false;
};

bool inputTableTitle(std::string_view line) {
  return scan::hasLow(line, "orientation:") &&
         (scan::hasLow(line, "input orientation") || scan::hasLow(line, "z-matrix orientation"));
}

/// The rows of the table whose title line was just read (at most MaxAt atoms are kept).
void readFrame(LineReader& in, Frame& frame) {
  frame = Frame{};
  std::string line;
  int dashes = 0;
  bool type = false;
  while (dashes < 2 && in.getLine(line)) {
    if (line.find("---") != std::string::npos) ++dashes;
    if (scan::hasLow(line, " x ") && scan::hasLow(line, "type")) type = true;
  }
  const std::size_t x0 = type ? 3 : 2;
  while (in.getLine(line)) {
    const auto fields = splitFields(line);
    if (fields.size() <= 1) {
      frame.whole = !frame.z.empty() || dashes == 2;
      return;
    }
    if (fields.size() < x0 + 3 || int(frame.z.size()) >= MaxAt) return;
    const long long z = scan::clampedInt(Val(fields[1]));
    if (z < 1) continue;
    frame.z.push_back(int(z));
    for (std::size_t k = 0; k < 3; ++k) frame.xyz.push_back(Val(fields[x0 + k]));
  }
}

// ----------------------------------------------------------------------------------------
// The force-constant block of an output (hartree/bohr^2, lower triangle, five columns):
//  Force constants in Cartesian coordinates:
//              1             2             3             4             5
//        1  0.544093D+00
//        2  0.305170D-05  0.544089D+00
//        ...
//                6             7
//        6  0.503299D-01
// Each group of columns runs from its first column's row to the last row.

/// Reads the block of an n x n matrix after its title; false with the reason when it is cut
/// off or a row is not the one expected.
bool readBlock(LineReader& in, int n, std::vector<double>& lower, std::string& why) {
  lower.assign(triangle(n), 0.0);
  std::string line;
  for (int c0 = 1; c0 <= n; c0 += 5) {
    if (!in.getLine(line)) {
      why = std::string(CutAtRow) + Str(c0);
      return false;
    }
    const auto head = splitFields(line);
    if (head.empty() || scan::clampedInt(Val(head[0])) != c0) {
      why = std::string(CutAtRow) + Str(c0);
      return false;
    }
    for (int i = c0; i <= n; ++i) {
      const int want = std::min(i, c0 + 4) - c0 + 1;
      if (!in.getLine(line)) {
        why = std::string(CutAtRow) + Str(i);
        return false;
      }
      const auto fields = splitFields(line);
      if (fields.empty() || !isDigits(fields[0]) || scan::clampedInt(Val(fields[0])) != i) {
        why = std::string(CutAtRow) + Str(i);
        return false;
      }
      if (int(fields.size()) != want + 1) {
        why = std::string(RowWord) + Str(i) + ":" + Str(int(fields.size()) - 1) +
              std::string(ValuesNot) + Str(want);
        return false;
      }
      std::size_t p = triangle(i - 1) + std::size_t(c0 - 1);
      for (int k = 0; k < want; ++k) {
        const auto& field = fields[std::size_t(k + 1)];
        if (!isNumber(field)) {
          why = std::string(RowWord) + Str(i) + ": " + field;
          return false;
        }
        lower[p + std::size_t(k)] = Val(field);
      }
    }
  }
  return true;
}

/// Turns Fcc(1..3n) by the rotation r: each 3 x 3 block B becomes r B r^T.
void rotateFcc(ModKel& m, int n, const double (&r)[9]) {
  for (int a = 0; a < n; ++a)
    for (int b = 0; b < n; ++b) {
      double blk[3][3], tmp[3][3];
      for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l) blk[k][l] = m.Fcc(3 * a + k + 1, 3 * b + l + 1);
      for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l) {
          double s = 0;
          for (int q = 0; q < 3; ++q) s += r[3 * k + q] * blk[q][l];
          tmp[k][l] = s;
        }
      for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l) {
          double s = 0;
          for (int q = 0; q < 3; ++q) s += tmp[k][q] * r[3 * l + q];
          m.Fcc(3 * a + k + 1, 3 * b + l + 1) = s;
        }
    }
}

// The forces before the block, in the same frame (a job with projected frequencies also
// takes their direction out of the modes):
//  Center     Atomic                   Forces (Hartrees/Bohr)
//  Number     Number              X              Y              Z
//  -------------------------------------------------------------------
//       1        6           0.004051576    0.003537696   -0.006130428
//  -------------------------------------------------------------------

void readForces(LineReader& in, std::vector<double>& forces) {
  forces.clear();
  std::string line;
  int dashes = 0;
  while (dashes < 1 && in.getLine(line))
    if (line.find("---") != std::string::npos) ++dashes;
  while (in.getLine(line) && int(forces.size()) < 3 * MaxAt) {
    const auto fields = splitFields(line);
    if (fields.size() != 5) return;
    for (std::size_t k = 2; k < 5; ++k) forces.push_back(Val(fields[k]));
  }
}

/// The forces turned by r into Fcc's frame as the motion FccPath (all 0 when none).
void keepPath(ModKel& m, const std::vector<double>& forces, const double (&r)[9]) {
  m.FccPath.fill(0.0);
  for (int a = 0; a < int(forces.size()) / 3; ++a)
    for (int k = 0; k < 3; ++k) {
      double s = 0;
      for (int q = 0; q < 3; ++q) s += r[3 * k + q] * forces[std::size_t(3 * a + q)];
      m.FccPath(3 * a + k + 1) = s;
    }
}

void readOutput(ModKel& m, const std::string& f, ForceConstantRead& out, const BlockIndex* index) {
  LineReader in(f);
  IndexedLines lines(in, index,
                     BlockIndex::Route | BlockIndex::Orientation | BlockIndex::Forces |
                         BlockIndex::ForceConstants);
  std::string line;
  Frame frame, blockFrame;
  std::vector<double> lower, forces, blockForces;
  bool block = false, projected = false;
  const int nat = m.NAt;
  while (lines.next(line)) {
    if (scan::isRouteLine(line) && scan::hasLow(line, "freq") && scan::hasLow(line, "projected"))
      projected = true;
    if (inputTableTitle(line)) {
      readFrame(in, frame);
      forces.clear();
      continue;
    }
    if (scan::hasLow(line, ForcesTitle)) {
      readForces(in, forces);
      continue;
    }
    if (!scan::hasLow(line, BlockTitle)) continue;
    // The block's size is its frame's, or the structure's when no input table came first.
    const int atoms = frame.whole ? int(frame.z.size()) : nat;
    std::string why;
    if (atoms < 1 || !readBlock(in, 3 * atoms, lower, why)) {
      refuse(out, f, why.empty() ? std::string(CutAtRow) + Str(1) : why);
      return;
    }
    block = true;
    blockFrame = frame;
    blockForces = forces;
  }
  if (!block) return;
  const int atoms = int(lower.size() == triangle(3 * nat) ? nat : -1);
  if (atoms != nat || (blockFrame.whole && int(blockFrame.z.size()) != nat)) {
    const int blockAtoms = blockFrame.whole ? int(blockFrame.z.size()) : nat;
    refuse(out, f,
           std::string(AtomsOf) + Str(blockAtoms) + std::string(StructureOf) + Str(nat) +
               std::string(AtomsWord));
    return;
  }
  if (blockFrame.whole)
    for (int i = 1; i <= nat; ++i)
      if (blockFrame.z[std::size_t(i - 1)] != m.AtZ(i) &&
          !(blockFrame.z[std::size_t(i - 1)] == 1 && m.AtZ(i) == 2)) {
        refuse(out, f, std::string(OtherElement) + Str(i));
        return;
      }
  clearForceConstants(m);
  fillFromTriangle(m, 3 * nat, lower, MdynPerHartreeBohr2);
  m.FccFrom = 1;
  out.found = true;
  out.log.push_back(std::string(FromOutput) + f);
  double r[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, rms = 0;
  const bool path = projected && int(blockForces.size()) == 3 * nat;
  if (path) out.log.push_back(std::string(PathTaken));
  if (!blockFrame.whole) {
    if (path) keepPath(m, blockForces, r);
    out.log.push_back(std::string(NoInputTable));
    return;
  }
  std::vector<double> q(std::size_t(3 * nat));
  for (int i = 1; i <= nat; ++i)
    for (int k = 1; k <= 3; ++k) q[std::size_t(3 * (i - 1) + k - 1)] = m.Xyz(i, k);
  fitRotation(blockFrame.xyz, q, r, rms);
  rotateFcc(m, nat, r);
  if (path) keepPath(m, blockForces, r);
  m.FccFit = rms;
  out.log.push_back(std::string(TurnedFrom) + Str(std::round(rms * 1e6) / 1e6));
}

// ----------------------------------------------------------------------------------------
// Formatted checkpoint arrays:
// Real atomic weights                        R   N=           3
//   1.59949146E+01  1.00782504E+00  1.00782504E+00
// Cartesian Force Constants                  R   N=          45
// Number of Normal Modes                     I                3
// Vib-E2                                     R   N=          42
// Vib-Modes                                  R   N=          27
// A title starts in the first column; values lines start with a blank. Vib-E2 holds the
// frequencies (ascending), reduced masses, force constants and IR intensities of the modes,
// one run of NModes values each, then further runs; Vib-Modes one run of 3N per mode.

/// The count after "N=" of a title line, -1 when it has none.
long long arrayCount(std::string_view line) {
  auto p = line.find("N=");
  return p == std::string_view::npos ? -1 : scan::clampedInt(Val(line.substr(p + 2)));
}

/// The count values after a title line; false with the reason when they are cut off.
bool readValues(LineReader& in, long long count, std::string_view title,
                std::vector<double>& values, std::string& why) {
  values.clear();
  values.reserve(std::size_t(count));
  std::string line;
  while (static_cast<long long>(values.size()) < count && in.getLine(line)) {
    if (!line.empty() && line[0] != ' ') break;  // the next title
    for (const auto& field : splitFields(line)) {
      if (!isNumber(field)) {
        why = std::string(ArrayCut) + std::string(title);
        return false;
      }
      values.push_back(Val(field));
    }
  }
  if (static_cast<long long>(values.size()) == count) return true;
  why = std::string(ArrayCut) + std::string(title);
  return false;
}

bool titleIs(std::string_view line, std::string_view title) {
  return line.size() > title.size() && line.substr(0, title.size()) == title &&
         line[title.size()] == ' ';
}

void readCheckpoint(ModKel& m, const std::string& f, ForceConstantRead& out) {
  const int nat = m.NAt;
  const long long n3 = 3LL * nat;
  LineReader in(f);
  std::string line, why;
  std::vector<double> weights, lower, e2, modes;
  long long modeCount = -1;
  while (in.getLine(line)) {
    if (line.empty() || line[0] == ' ') continue;
    std::vector<double>* into = nullptr;
    std::string_view title;
    long long want = -1;
    const long long count = arrayCount(line);
    if (titleIs(line, WeightsTitle)) {
      into = &weights, title = WeightsTitle, want = nat;
    } else if (titleIs(line, ForceTitle)) {
      into = &lower, title = ForceTitle, want = static_cast<long long>(triangle(int(n3)));
    } else if (titleIs(line, ModeCountTitle)) {
      const auto fields = splitFields(line);
      modeCount = scan::clampedInt(Val(fields.back()));
      continue;
    } else if (titleIs(line, E2Title)) {
      // at least four runs (frequencies .. IR intensities) of at most 3N modes
      into = &e2, title = E2Title, want = count >= 0 && count <= 30 * n3 ? count : -1;
    } else if (titleIs(line, ModesTitle)) {
      into = &modes, title = ModesTitle, want = count >= 0 && count <= n3 * n3 ? count : -1;
    }
    if (!into) continue;
    if (count != want || count < 0) {
      refuse(out, f, std::string(ArraySize) + std::string(title));
      return;
    }
    if (!readValues(in, count, title, *into, why)) {
      refuse(out, f, why);
      return;
    }
  }
  // The modes: their count from Vib-Modes, checked against the title and Vib-E2.
  long long nm = modes.empty() || n3 == 0 ? 0 : static_cast<long long>(modes.size()) / n3;
  if (!modes.empty() &&
      (nm * n3 != static_cast<long long>(modes.size()) || (modeCount >= 0 && modeCount != nm) ||
       static_cast<long long>(e2.size()) < 4 * nm)) {
    refuse(out, f, std::string(ArraySize) + std::string(ModesTitle));
    return;
  }
  if (nm > MaxFrq) {
    refuse(out, f, std::string(TooManyModes));
    return;
  }
  if (!weights.empty() &&
      std::all_of(weights.begin(), weights.end(), [](double w) { return w > 0; })) {
    for (int i = 1; i <= nat; ++i) m.AtMas(i) = m.AtMas0(i) = weights[std::size_t(i - 1)];
    out.masses = true;
    out.log.push_back(std::string(MassesFrom) + f);
  }
  if (!lower.empty()) {
    clearForceConstants(m);
    fillFromTriangle(m, int(n3), lower, MdynPerHartreeBohr2);
    m.FccFrom = 2;
    out.found = true;
    out.log.push_back(std::string(FromCheckpoint) + f);
  }
  if (nm > 0) {
    // mode 1 is the highest: the file's last
    m.ModeD.fill(0);
    for (int k = 1; k <= nm; ++k) {
      const int j = int(nm) + 1 - k;
      const auto at = [&](long long run) { return e2[std::size_t(run * nm + k - 1)]; };
      m.Frq(j) = at(0);
      m.IrInt(j) = at(3);
      m.RaInt(j) = 0;
      m.FrqSym(j) = "?";
      for (int a = 1; a <= nat; ++a)
        for (int c = 1; c <= 3; ++c)
          m.ModeD(j, a, c) = CInt(100.0 * modes[std::size_t((k - 1) * n3 + 3 * (a - 1) + c - 1)]);
    }
    m.NFrq = cint16(nm);
    m.RaInt(0) = 0;
    m.Sw(sw::ModesHeld) = -1;
    out.modes = true;
    out.log.push_back(std::string(texts::AdmRead) + f);
  }
}

/// Runs body for procedure name; a run-time error becomes the problem of out.
template <typename Body>
void guarded(std::string_view name, const std::string& f, ForceConstantRead& out, Body&& body) {
  guardWith(
      [&](std::string_view n, int number) {
        refuse(out, f, std::string(n) + ": " + std::string(errorDescription(number)));
      },
      name, std::forward<Body>(body));
}

}  // namespace

void clearForceConstants(ModKel& m) {
  m.Fcc.fill(0.0);
  m.FccPath.fill(0.0);
  m.FccFrom = 0;
  m.FccFit = 0;
}

void fitRotation(const std::vector<double>& p, const std::vector<double>& q, double (&r)[9],
                 double& rms) {
  const std::size_t n = std::min(p.size(), q.size()) / 3;
  Eigen::Vector3d cp = Eigen::Vector3d::Zero(), cq = Eigen::Vector3d::Zero();
  for (std::size_t i = 0; i < n; ++i) {
    cp += Eigen::Vector3d(p[3 * i], p[3 * i + 1], p[3 * i + 2]);
    cq += Eigen::Vector3d(q[3 * i], q[3 * i + 1], q[3 * i + 2]);
  }
  if (n > 0) {
    cp /= double(n);
    cq /= double(n);
  }
  Eigen::Matrix3d h = Eigen::Matrix3d::Zero();
  for (std::size_t i = 0; i < n; ++i) {
    Eigen::Vector3d a = Eigen::Vector3d(p[3 * i], p[3 * i + 1], p[3 * i + 2]) - cp;
    Eigen::Vector3d b = Eigen::Vector3d(q[3 * i], q[3 * i + 1], q[3 * i + 2]) - cq;
    h += a * b.transpose();
  }
  Eigen::JacobiSVD<Eigen::Matrix3d> svd(h, Eigen::ComputeFullU | Eigen::ComputeFullV);
  const Eigen::Matrix3d u = svd.matrixU(), v = svd.matrixV();
  Eigen::Matrix3d d = Eigen::Matrix3d::Identity();
  if ((v * u.transpose()).determinant() < 0) d(2, 2) = -1;  // a turn, never a mirror
  const Eigen::Matrix3d rot = v * d * u.transpose();
  for (int k = 0; k < 3; ++k)
    for (int l = 0; l < 3; ++l) r[3 * k + l] = rot(k, l);
  double sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    Eigen::Vector3d a = Eigen::Vector3d(p[3 * i], p[3 * i + 1], p[3 * i + 2]) - cp;
    Eigen::Vector3d b = Eigen::Vector3d(q[3 * i], q[3 * i + 1], q[3 * i + 2]) - cq;
    sum += (rot * a - b).squaredNorm();
  }
  rms = n > 0 ? std::sqrt(sum / double(n)) : 0.0;
}

void readOutputForceConstants(ModKel& m, const std::string& f, ForceConstantRead& out,
                              const BlockIndex* index) noexcept {
  guarded("readOutputForceConstants", f, out, [&] { readOutput(m, f, out, index); });
}

void readCheckpointArrays(ModKel& m, const std::string& f, ForceConstantRead& out) noexcept {
  guarded("readCheckpointArrays", f, out, [&] { readCheckpoint(m, f, out); });
}

}  // namespace kel
