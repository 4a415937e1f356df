// Kelvorin - desktop workbench for vibrational calculations.
#include "topology/connections.hpp"

#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/free_name.hpp"
#include "model/geometry.hpp"
#include "model/work.hpp"
#include "model/work_folder.hpp"
#include "topology/groups.hpp"
#include "topology/internal_coords.hpp"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace kel {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view NotFound = " MPO file not found";
constexpr std::string_view FromFile = "MPO from file.. ";
constexpr std::string_view CopyWord = "copy ";
constexpr std::string_view Arrow = " --> ";
constexpr std::string_view Tested = "MPO is tested";
constexpr std::string_view TooMany = "correction: too many connections: ";
constexpr std::string_view DefinitionError = "definition error: ";
constexpr std::string_view DefinitionErrorIm = "definiction error: ";
constexpr std::string_view Unsuitable = "correction: unsuitable type, atom No. ";
constexpr std::string_view Repeated = "correction: repeated line of atom No. ";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view SelfBondIm = "???";
constexpr std::string_view AlreadyExists = "already exists connection ";
constexpr std::string_view AtomsWord = "atoms: ";
constexpr std::string_view Accepted = "  MPO accepted definitions: ";
constexpr std::string_view AndIntermol = "and intermolecular bonds: ";
constexpr std::string_view CautionAtoms = "CAUTION: atoms ";
constexpr std::string_view OneWay = " one-way connection";
constexpr std::string_view AtomWord = "atom";
constexpr std::string_view WithItself = " with itself ?, corrected";
constexpr std::string_view Shortage = "shortage of MPO definitions ";
constexpr std::string_view Errors = "errors in MPO definitions ";
constexpr std::string_view Questionable = "questionable connection of atoms: ";
constexpr std::string_view Caution = "CAUTION: ";
constexpr std::string_view NewMatrix = "new connection matrix MPO should be introduced";
constexpr std::string_view CancelLine = "[CANCEL] -  nevertheless use current MPO";
constexpr std::string_view OkLine = "    [OK]    -  let Kelvorin to create the new MPO";
constexpr std::string_view SaveAsFile = "and save as file ";
constexpr std::string_view YesDefault = "YES <-- (delete it for not save)";
constexpr std::string_view Unknown = "???";
constexpr std::string_view Created = "connection matrix MPO has been created: file ";
constexpr std::string_view IntermolHeader = "intermolecular bonds";
constexpr std::string_view Overall = "overall ";
constexpr std::string_view ExistsFile = "CAUTION: exists file";
constexpr std::string_view ChangeLine = "{Cancel - not save,  OK - change filename}";
constexpr std::string_view FilenameLine = "filename [.mpo]";
constexpr std::string_view IntermolKey = "intermol";

constexpr int MpoChannel = 7;         // file channel of the connection file
constexpr double SlotStart = 3.501;   // above every contact limit
constexpr double MaxBondLimit = 2.7;  // largest bond limit at k = 0

bool on(const Work& w, int i) {
  return w.m.Sw(i) != 0;
}

/// Folder separators of either kind, as the program accepts them.
std::string portable(std::string_view path) {
  std::string p(path);
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}

/// Length of an existing file; 0 when missing (the file is never touched).
long long fileLength(const std::string& f) {
  std::error_code ec;
  fs::path p(portable(f));
  if (f.empty() || !fs::is_regular_file(p, ec)) return 0;
  auto n = fs::file_size(p, ec);
  return ec ? 0 : static_cast<long long>(n);
}

std::string pairText(const ModKel& m, int i, int j) {
  return m.AtSym(i) + Str(i) + ", " + m.AtSym(j) + Str(j);
}

bool symbolFits(const ModKel& m, const std::string& sym, int num) {
  return lower(rtrim(sym)) == lower(m.AtSym(num));
}

/// Neighbours listed in row a of Mpo, in increasing atom number.
std::vector<int> rowNeighbours(const ModKel& m, int a) {
  std::vector<int> r;
  for (int j = 1; j <= m.NAt; ++j)
    if (m.Mpo(a, j) != 0) r.push_back(j);
  return r;
}

void clearTopology(ModKel& m) {
  m.Mpo.fill(0);
  m.NBond.fill(0);
  m.ImBond.fill(0);
  m.FrgMem.fill(0);
  for (int i = 0; i <= MaxAt; ++i) m.MpoOrd(i) = static_cast<i16>(i);
}

// ---------------------------------------------------------------- reading a connection file

/// One atom line: " 4 . C 1 : H 2 , H 3 , H 4 , C 5 " (also "4 C1: H2, H3" and "4. C1, H2").
/// seen marks the atoms that had their line; a second line of an atom is reported and left out.
void readAtomLine(Work& w, std::string t, MpoReadResult& r, std::vector<char>& seen) {
  auto& m = w.m;
  std::replace(t.begin(), t.end(), '\t', ' ');
  t = trim(t);
  if (t.empty()) return;
  auto dot = t.find('.');
  if (dot == std::string::npos && Val(t) > 0) {
    dot = t.find(' ');  // "4 C 1 : ..." : the first blank stands for the point
    if (dot != std::string::npos) t[dot] = '.';
  }
  if (dot == std::string::npos || dot == 0) return;
  auto colon = t.find(':');
  if (colon == std::string::npos) {
    colon = t.find(',');
    if (colon != std::string::npos) t[colon] = ':';
  }
  if (colon != std::string::npos && colon < dot) return;
  double count = roundHalfEven(Val(t.substr(0, dot)));
  std::string own =
      trim(t.substr(dot + 1, colon == std::string::npos ? std::string::npos : colon - dot - 1));
  std::string sym;
  int atom = 0;
  if (count == 0) {
    // an atom without bonds (an ion, a lone atom): the program writes " 0 . Na 1 : " for it;
    // a line of count 0 that lists neighbours is skipped
    bool bare = colon == std::string::npos || trim(t.substr(colon + 1)).empty();
    if (bare && mpoLabel(own, m.NAt, sym, atom) && symbolFits(m, sym, atom) &&
        !seen[std::size_t(atom)]) {
      seen[std::size_t(atom)] = 1;
      ++r.defined;
    }
    return;
  }
  if (!(count >= 1)) return;
  int k = count > m.NAt - 1 ? m.NAt - 1 : static_cast<int>(count);
  if (count > m.NAt - 1) {
    tekst(w, std::string(TooMany) + own);
    r.corrected = true;
  }
  if (!mpoLabel(own, m.NAt, sym, atom)) {
    tekst(w, std::string(DefinitionError) + own);
    r.corrected = r.syntaxError = true;
    return;
  }
  if (seen[std::size_t(atom)]) {
    tekst(w, std::string(Repeated) + Str(atom));
    r.corrected = true;
    return;
  }
  seen[std::size_t(atom)] = 1;
  if (!symbolFits(m, sym, atom)) {
    tekst(w, std::string(Unsuitable) + Str(atom));
    r.corrected = true;
  }
  m.NBond(atom) = static_cast<i16>(k);
  if (colon == std::string::npos) return;
  bool got = false;
  std::string rest = t.substr(colon + 1);
  std::size_t start = 0;
  while (k > 0 && start <= rest.size()) {
    auto comma = rest.find(',', start);
    std::string label =
        trim(rest.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    start = comma == std::string::npos ? rest.size() + 1 : comma + 1;
    if (label.empty()) continue;  // a stray comma
    int j = 0;
    if (!mpoLabel(label, m.NAt, sym, j)) {
      tekst(w, std::string(DefinitionError) + label);
      r.corrected = r.syntaxError = true;
      return;
    }
    if (!symbolFits(m, sym, j)) {
      tekst(w, std::string(Unsuitable) + Str(j));
      r.corrected = true;
    }
    m.Mpo(atom, j) = 1;
    --k;
    got = true;
  }
  if (got) ++r.defined;
}

/// One line of the intermolecular section: "O 12 , H 25 " (optional "text." in front).
void readBondLine(Work& w, std::string t, MpoReadResult& r) {
  auto& m = w.m;
  std::replace(t.begin(), t.end(), '\t', ' ');
  t = trim(t);
  if (t.empty()) return;
  if (auto dot = t.find('.'); dot != std::string::npos) t.erase(0, dot + 1);
  auto sep = t.find(',');
  if (sep == std::string::npos) sep = t.find(':');
  std::string labels[2] = {trim(t.substr(0, sep)),
                           sep == std::string::npos ? std::string() : trim(t.substr(sep + 1))};
  int atoms[2] = {0, 0};
  for (int k = 0; k < 2; ++k) {
    std::string sym;
    if (!mpoLabel(labels[k], m.NAt, sym, atoms[k])) {
      tekst(w, std::string(DefinitionErrorIm) + labels[k]);
      r.syntaxError = true;
      return;
    }
    if (!symbolFits(m, sym, atoms[k])) {
      tekst(w, std::string(Unsuitable) + Str(atoms[k]));
      r.corrected = true;
    }
  }
  int a = atoms[0], b = atoms[1];
  if (a == b) {
    tekst(w, m.AtSym(a) + Str(a) + std::string(SelfBondIm));
    return;
  }
  // a pair already bonded, or listed twice, is not a new intermolecular bond
  if (m.Mpo(a, b) != 0 || m.Mpo(b, a) != 0 || m.ImBond(a, b) != 0) {
    tekst(w, std::string(AlreadyExists) + Str(a) + Str(b));
    return;
  }
  m.ImBond(a, b) = m.ImBond(b, a) = 1;
  ++r.intermolecular;
}

// ---------------------------------------------------------------- one run of MpoDef

class MpoRun {
 public:
  explicit MpoRun(Work& w) : w_(w), m_(w.m), f_(w.con) {}
  void run(std::string& name);

 private:
  bool chooseFile(std::string& name);
  void readAndValidate();
  void checkConsistency();
  std::string verdict(std::string& detail);
  void askAboutMatrix(const std::string& reason, const std::string& detail);
  void derive();
  void addContacts(int groups);
  void listingOrder();
  void writeAndList();
  bool keepFile();
  void saveAs(const std::string& target);
  void copyLogged(const std::string& from, const std::string& to);

  Work& w_;
  ModKel& m_;
  Console& f_;
  int mode_ = 2;
  int corr_ = 1;  // 1 = no correction made, 0 = corrected
  bool syntax_ = false;
  int defined_ = 0;
  std::string readName_;  // the connection file chosen, before it was copied
};

void MpoRun::run(std::string& name) {
  for (int s : {12, 14, 16, 43, 44}) m_.Sw(s) = 0;
  if (trim(name).empty() && on(w_, 19)) {
    MpoCrd(w_, m_.MpoMode);
    m_.Sw(sw::MatrixCorrected) = 0;
    return;
  }
  m_.Sw(sw::MatrixDefined) = 0;
  m_.IcFresh = false;
  if (m_.NAt < 1) return;  // no structure: nothing to connect
  bool reading = false;
  if (name == "*") {
    mode_ = 4;
  } else if (name == "**") {
    mode_ = 6;
  } else {
    f_.Text3.text.clear();
    mode_ = 2;
    if (!trim(name).empty()) reading = chooseFile(name);
  }
  m_.MpoMode = static_cast<i16>(mode_);
  if (reading)
    readAndValidate();
  else
    derive();
  m_.MpoMode = static_cast<i16>(mode_);
  listingOrder();
  m_.Sw(sw::MatrixDefined) = -1;
  writeAndList();
  if (keepFile() && mode_ != 6) MpoCrd(w_, mode_);
  m_.Sw(sw::MatrixCorrected) = 0;
}

/// The connection file to read: name (".mpo" added when it has no extension), else MpoNam.
bool MpoRun::chooseFile(std::string& name) {
  name = trim(name);
  if (zna(name, ".") == 0) name += ".mpo";
  if (fileLength(name) > 0) {
    m_.MpoNam = name;
    return true;
  }
  tekst(w_, name + std::string(NotFound));
  return fileLength(m_.MpoNam) > 0;
}

void MpoRun::readAndValidate() {
  readName_ = m_.MpoNam;
  tekst(w_, std::string(FromFile) + m_.MpoNam);
  m_.Sw(sw::MatrixDerived) = 0;
  if (sameFile(m_.MpoNam, f_.ScrMpo)) {
    mode_ = 0;
  } else {
    if (w_.writesScratch) copyLogged(m_.MpoNam, f_.ScrMpo);
    mode_ = 1;
  }
  MpoReadResult r;
  readMpoFile(w_, w_.writesScratch ? f_.ScrMpo : m_.MpoNam, r);
  if (r.corrected) corr_ = 0;
  syntax_ = r.syntaxError;
  defined_ = r.defined;
  checkConsistency();
  i16 groups = 0;
  MpoGrp(w_, m_.NAt, groups, mode_);
  std::string detail;
  std::string reason = verdict(detail);
  if (!reason.empty()) askAboutMatrix(reason, detail);
}

/// One-way entries are reported and kept; an atom bonded to itself is corrected.
void MpoRun::checkConsistency() {
  int n = m_.NAt;
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j)
      if (m_.Mpo(i, j) != m_.Mpo(j, i)) {
        tekst(w_, std::string(CautionAtoms) + Str(i) + Str(j) + std::string(OneWay));
        corr_ = 0;
      }
  for (int i = 1; i <= n; ++i)
    if (m_.Mpo(i, i) != 0) {
      tekst(w_, std::string(AtomWord) + Str(i) + std::string(WithItself));
      m_.Mpo(i, i) = 0;
      corr_ = 0;
    }
}

/// The reason why a read matrix is doubtful ("" when it is accepted).
std::string MpoRun::verdict(std::string& detail) {
  detail.clear();
  if (defined_ + m_.ImBond(0, 0) < m_.NAt) {
    f_.Text3.text = std::string(Shortage);
    return std::string(Shortage);
  }
  if (syntax_) {
    f_.Text3.text = std::string(Errors);
    return std::string(Errors);
  }
  // every bond is tested, whichever of its atoms listed it
  for (int i = 1; i <= m_.NAt; ++i)
    for (int j = i + 1; j <= m_.NAt; ++j) {
      if (m_.Mpo(i, j) == 0 && m_.Mpo(j, i) == 0) continue;
      i16 bonded = 0;
      JWmA(w_, i, j, 10 * corr_, bonded);
      if (bonded == 0) {
        detail = pairText(m_, i, j);
        return std::string(Questionable);
      }
    }
  // and every intermolecular bond against the contact limits, as the derivation finds them
  for (int i = 1; i <= m_.NAt; ++i)
    for (int j = i + 1; j <= m_.NAt; ++j) {
      if (m_.ImBond(i, j) == 0) continue;
      i16 near = 0;
      JWmG(w_, i, j, 0, near);
      if (near == 0) {
        detail = pairText(m_, i, j);
        return std::string(Questionable);
      }
    }
  return {};
}

void MpoRun::askAboutMatrix(const std::string& reason, const std::string& detail) {
  corr_ = 0;
  if (w_.hooks.showStructure) w_.hooks.showStructure();  // in view while the user decides
  std::string structureFile = m_.FilNam + ".mpo";
  bool own = !m_.FilNam.empty() && sameFile(readName_, structureFile);
  std::string prompt = std::string(Caution) + reason + detail + "\r\r" + std::string(NewMatrix) +
                       "\r" + std::string(CancelLine) + "\r" + std::string(OkLine);
  std::string proposed(Unknown);
  if (own) {
    prompt += "\r" + std::string(SaveAsFile) + structureFile;
    proposed = YesDefault;
    mode_ = 5;
  }
  std::string answer = w_.prompt->inputBox(prompt, f_.Banner, proposed);
  if (answer.empty()) return;  // keep the matrix as read
  if (answer == Unknown)
    mode_ = 2;
  else if (containsCi(answer, "YES"))
    mode_ = 3;
  else
    mode_ = 5;
  derive();
}

// ---------------------------------------------------------------- derivation

void MpoRun::derive() {
  tekst(w_, std::string(Created) + f_.ScrMpo);
  clearTopology(m_);
  m_.Sw(sw::MatrixDerived) = -1;
  int n = m_.NAt;
  std::vector<double> x(std::size_t(n) + 1), y(x), z(x);
  for (int i = 1; i <= n; ++i) {
    x[std::size_t(i)] = m_.Xyz(i, 1);
    y[std::size_t(i)] = m_.Xyz(i, 2);
    z[std::size_t(i)] = m_.Xyz(i, 3);
  }
  const double far2 = MaxBondLimit * MaxBondLimit;
  for (int i = 1; i <= n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      // pairs beyond every limit are not bonded: skip the test for them
      double dx = x[std::size_t(i)] - x[std::size_t(j)], dy = y[std::size_t(i)] - y[std::size_t(j)],
             dz = z[std::size_t(i)] - z[std::size_t(j)];
      if (dx * dx + dy * dy + dz * dz >= far2) continue;
      i16 bonded = 0;
      JWmA(w_, i, j, 0, bonded);
      if (bonded != 0) {
        ++m_.NBond(i);
        ++m_.NBond(j);
        m_.Mpo(i, j) = m_.Mpo(j, i) = 1;
      }
    }
  }
  i16 groups = 0;
  MpoGrp(w_, n, groups, mode_);
  addContacts(groups);
}

/// The two shortest contacts between every pair of groups become intermolecular bonds.
void MpoRun::addContacts(int groups) {
  std::vector<std::vector<int>> members(std::size_t(groups) + 1);
  for (int a = 1; a <= m_.NAt; ++a)
    for (int g = 1; g <= groups; ++g)
      if (m_.FrgMem(g, a) != 0) {
        members[std::size_t(g)].push_back(a);
        break;
      }
  int count = 0;
  for (int g1 = 1; g1 <= m_.FrgMem(0, 0); ++g1)
    for (int g2 = g1 + 1; g2 <= groups; ++g2) {
      double d1 = SlotStart, d2 = SlotStart;
      int a1 = 0, b1 = 0, a2 = 0, b2 = 0;
      for (int a : members[std::size_t(g1)])
        for (int b : members[std::size_t(g2)]) {
          double d = Dist(m_, b, a);
          if (!(d < d1 || d < d2)) continue;
          i16 near = 0;
          JWmG(w_, b, a, d, near);
          if (near == 0) continue;
          if (d1 > d2) {
            d1 = d, a1 = a, b1 = b;
          } else {
            d2 = d, a2 = a, b2 = b;
          }
        }
      for (auto [a, b] : {std::pair{a1, b1}, std::pair{a2, b2}})
        if (a != 0) {
          m_.ImBond(a, b) = m_.ImBond(b, a) = 1;
          ++count;
        }
    }
  m_.ImBond(0, 0) = cint16(count);
}

// ---------------------------------------------------------------- listing and file

/// Listing order: most connections first, then the heavier atom (the classic exchange sort,
/// so that equal atoms come out as they always did).
void MpoRun::listingOrder() {
  int n = m_.NAt;
  std::vector<int> nb(std::size_t(n) + 1), ord(nb), z(std::size_t(MaxAt) + 1);
  for (int i = 1; i <= n; ++i) {
    nb[std::size_t(i)] = m_.NBond(i);
    ord[std::size_t(i)] = m_.MpoOrd(i);
  }
  for (int a = 1; a <= n; ++a) z[std::size_t(a)] = m_.AtZ(a);
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j) {
      auto &bi = nb[std::size_t(i)], &bj = nb[std::size_t(j)];
      auto &oi = ord[std::size_t(i)], &oj = ord[std::size_t(j)];
      if (bi < bj || (bi == bj && z[std::size_t(oi)] < z[std::size_t(oj)])) {
        std::swap(bi, bj);
        std::swap(oi, oj);
      }
    }
  for (int i = 1; i <= n; ++i) {
    m_.NBond(i) = static_cast<i16>(nb[std::size_t(i)]);
    m_.MpoOrd(i) = static_cast<i16>(ord[std::size_t(i)]);
  }
}

void MpoRun::writeAndList() {
  if (w_.writesScratch) writeMpoFile(w_, f_.ScrMpo);
  int n = m_.NAt;
  if (mode_ < 6) {
    bool showSingles = m_.NBond(1) <= 1 || corr_ == 0;
    for (int p = 1; p <= n; ++p)
      if (m_.NBond(p) != 1 || showSingles) tekst(w_, mpoAtomLine(m_, p));
  }
  int bonds = m_.ImBond(0, 0);
  if (bonds <= 0) return;
  tekst(w_, IntermolHeader);
  if (bonds < 50)
    for (int a = 1; a <= n; ++a)
      for (int b = a + 1; b <= n; ++b)
        if (m_.ImBond(a, b) != 0) tekst(w_, mpoBondLine(m_, a, b));
  if (bonds >= 20) tekst(w_, std::string(Overall) + Str(bonds));
}

// ---------------------------------------------------------------- keeping the file

/// Decides whether the matrix is kept under the structure's name; false ends the run.
bool MpoRun::keepFile() {
  m_.MpoNam = f_.ScrMpo;
  if (!w_.writesScratch) return mode_ != 4;  // the matrix stays in the model only
  std::string target = sideFile(w_, m_.FilNam + ".mpo");
  if (mode_ == 5 || mode_ == 6 || m_.FilNam.empty()) return true;
  if (mode_ == 3 || mode_ == 4) {
    saveAs(target);
    return mode_ != 4;
  }
  bool corrected = corr_ == 0;
  if (!fileExists(portable(target)) || sameFile(target, f_.ScrMpob) || (mode_ == 1 && !corrected))
    return true;
  if (on(w_, 121) || on(w_, 118) || on(w_, 86) || (mode_ == 0 && !corrected) ||
      (mode_ == 1 && corrected)) {
    saveAs(target);
    return true;
  }
  if (mode_ == 2 && (on(w_, 34) || sameFile(target, f_.ScrMpo))) return true;
  std::string proposed = currentDir() + "/" + f_.ScrMpob;
  std::string prompt = std::string(ExistsFile) + "\r" + target + "\r" + std::string(ChangeLine) +
                       "\r" + std::string(FilenameLine);
  std::string answer = trim(w_.prompt->inputBox(prompt, f_.Banner, proposed));
  if (answer.empty() || answer == proposed || sameFile(answer, f_.ScrMpob)) return true;
  if (zna(answer, ".") == 0) answer += ".mpo";
  saveAs(answer);
  return true;
}

/// Copies the working file to target; an existing target is first copied to the backup.
/// Neither the target nor the backup is replaced before a different content of it has been
/// kept under its first free numbered name.
void MpoRun::saveAs(const std::string& target) {
  if (sameFile(target, f_.ScrMpo)) return;  // the working file holds the matrix already
  std::string file = portable(target);
  if (sameContent(file, portable(f_.ScrMpo))) return;  // nothing new to keep
  if (fileExists(file) && !sameFile(target, f_.ScrMpob)) copyLogged(target, f_.ScrMpob);
  copyLogged(f_.ScrMpo, target);
}

void MpoRun::copyLogged(const std::string& from, const std::string& to) {
  copyMpoLogged(w_, from, to);
}

/// Restores the busy flag of the program when the run ends, however it ends.
class BusyScope {
 public:
  explicit BusyScope(Work& w) : w_(w), was_(w.busy) { w.busy = true; }
  ~BusyScope() { w_.busy = was_; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Work& w_;
  bool was_;
};

}  // namespace

// ---------------------------------------------------------------- limits and tests

double bondLimit(int z1, int z2) {
  if (z1 > z2) std::swap(z1, z2);
  bool light1 = z1 == 1 || z1 == 2, light2 = z2 == 1 || z2 == 2;
  if (light1 && light2) return 0.0;
  if (light1) return (z2 >= 6 && z2 <= 8) ? 1.21 : 1.7;
  if (z1 >= 6 && z1 <= 8 && z2 >= 6 && z2 <= 8) return 1.9;
  if (z2 < 11) return 2.1;
  if (z1 < 10) return 2.4;
  return 2.7;
}

double contactLimit(int z1, int z2) {
  if (z1 > z2) std::swap(z1, z2);
  bool light1 = z1 == 1 || z1 == 2, light2 = z2 == 1 || z2 == 2;
  if (light1 && light2) return 0.0;
  if (light1) return (z2 == 7 || z2 == 8) ? 2.6 : 2.8;
  if (z1 == z2 && z2 < 9) return 2.7;
  if (z2 < 11) return 3.05;
  if (z1 < 10) return 3.25;
  return 3.5;
}

void JWmA(Work& w, int i, int j, int k, i16& bonded) noexcept {
  guard(w, "JWmA", [&] {
    bonded = 0;
    double limit = bondLimit(w.m.AtZ(i), w.m.AtZ(j));
    Vec e{};
    double r = 0;
    vek(w.m, e, r, i, j);
    if (limit > 0 && r < (1.0 + 0.025 * k) * limit) bonded = 1;
  });
}

void JWmG(Work& w, int i, int j, double r, i16& near) noexcept {
  guard(w, "JWmG", [&] {
    near = 0;
    double limit = contactLimit(w.m.AtZ(i), w.m.AtZ(j));
    double d = r;
    if (d == 0) {
      Vec e{};
      vek(w.m, e, d, i, j);
    }
    if (limit > 0 && d < limit) near = 1;
  });
}

// ---------------------------------------------------------------- labels and file format

bool mpoLabel(std::string_view label, int nat, std::string& sym, int& num) {
  std::string t = trim(label);
  sym.clear();
  num = 0;
  if (t.empty()) return false;
  double v = 0;
  if (auto blank = t.find(' '); blank != std::string::npos) {
    v = Val(t.substr(blank + 1));  // "C 12"
    sym = t.substr(0, blank);
  }
  if (v == 0) {
    v = Val(t);  // a bare number: its first character stands for the symbol
    sym = t.substr(0, 1);
  }
  if (v == 0 && t.size() > 1) {
    v = Val(t.substr(1));  // "C12"
    sym = t.substr(0, 1);
  }
  if (v == 0 && t.size() > 2) {
    v = Val(t.substr(2));  // "Cl12"
    sym = t.substr(0, 2);
  }
  sym = rtrim(sym);
  double r = roundHalfEven(v);
  if (!(r >= 1 && r <= nat)) return false;
  num = static_cast<int>(r);
  return true;
}

std::string mpoAtomLine(const ModKel& m, int p) {
  int a = m.MpoOrd(p);
  std::string s = Str(m.NBond(p)) + " . " + m.AtSym(a) + Str(a) + " : ";
  bool first = true;
  for (int j : rowNeighbours(m, a)) {
    if (!first) s += ", ";
    s += m.AtSym(j) + Str(j) + " ";
    first = false;
  }
  return s;
}

std::string mpoBondLine(const ModKel& m, int a, int b) {
  return m.AtSym(a) + Str(a) + " , " + m.AtSym(b) + Str(b) + " ";
}

void readMpoFile(Work& w, const std::string& path, MpoReadResult& r) {
  auto& m = w.m;
  r = MpoReadResult{};
  clearTopology(m);
  tekst(w, Tested);
  tekst(w, "");
  auto& in = w.files.openInput(MpoChannel, portable(path));
  std::string line;
  bool atomSection = true;
  bool first = true;
  std::vector<char> seen(std::size_t(m.NAt) + 1, 0);
  while (in.getLine(line)) {
    if (first && line.starts_with(ByteOrderMark)) line.erase(0, ByteOrderMark.size());
    first = false;
    TekUl(w, "*");
    if (atomSection && containsCi(line, IntermolKey)) {
      atomSection = false;
      continue;
    }
    if (!atomSection)
      readBondLine(w, line, r);
    else if (r.defined < m.NAt)  // after NAt accepted lines, look for the bond section only
      readAtomLine(w, line, r, seen);
  }
  w.files.close(MpoChannel);
  tekst(w, std::string(AtomsWord) + Str(m.NAt) + std::string(Accepted) + Str(r.defined));
  if (r.intermolecular > 0) tekst(w, std::string(AndIntermol) + Str(r.intermolecular));
  m.ImBond(0, 0) = cint16(r.intermolecular);
}

void writeMpoFile(Work& w, const std::string& path) {
  auto& m = w.m;
  w.files.openOutput(MpoChannel, portable(path));
  for (int p = 1; p <= m.NAt; ++p) w.files.writeLine(MpoChannel, mpoAtomLine(m, p));
  if (m.ImBond(0, 0) > 0) {
    w.files.writeLine(MpoChannel, IntermolHeader);
    for (int a = 1; a <= m.NAt; ++a)
      for (int b = a + 1; b <= m.NAt; ++b)
        if (m.ImBond(a, b) != 0) w.files.writeLine(MpoChannel, mpoBondLine(m, a, b));
  }
  w.files.close(MpoChannel);
}

void copyMpoLogged(Work& w, const std::string& from, const std::string& to) {
  std::string source = portable(from), target = portable(to);
  // the working file is the program's own scratch copy, rewritten at every run
  if (!sameFile(to, w.con.ScrMpo)) keepOldVersion(w, target, source);
  copyFile(source, target);
  tekst(w, std::string(CopyWord) + from + std::string(Arrow) + to);
}

void keepWorkingMpo(Work& w) {
  const auto& f = w.con;
  if (fileExists(portable(f.ScrMpo)) && !sameContent(portable(f.ScrMpo), portable(f.ScrMpob)))
    copyMpoLogged(w, f.ScrMpo, f.ScrMpob);
}

void MpoDef(Work& w, std::string& name) noexcept {
  BusyScope busy(w);
  guard(w, "MpoDef", [&] {
    MpoRun run(w);
    run.run(name);
  });
}

}  // namespace kel
