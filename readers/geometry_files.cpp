// Kelvorin - desktop workbench for vibrational calculations.
// One structure per file: the kind comes from the extension, one block reader per kind fills
// a list of atoms, and the final steps put them into the model, list them, centre them,
// write the scratch copy and hand over to the renumbering and the connection matrix.
#include "readers/geometry_files.hpp"

#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/bookkeeping.hpp"
#include "model/work.hpp"
#include "readers/read_helpers.hpp"
#include "readers/renumber.hpp"
#include "readers/texts.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <utility>
#include <vector>

namespace kel {

namespace {

constexpr std::string_view BladPliku = "błąd pliku ";
constexpr std::string_view BrakPliku = "brak pliku ";
constexpr std::string_view MissingLine = "  Missing the line ";
constexpr std::string_view OrientKey = "orient";
constexpr std::string_view CoordinateError = "  Coordinate error ";
constexpr std::string_view BadAtomicNumber = "  atomic number outside 1..83:";
constexpr std::string_view OfAtom = " in row";
constexpr std::string_view TooManyAtoms = "  more than 480 atoms: only the first 480 were read";
constexpr std::string_view NoAtomFound = "  no atom found in the file";
constexpr std::string_view CountGives = "  the file's count gives";
constexpr std::string_view AtomsComma = " atoms,";
constexpr std::string_view WereRead = " were read";
constexpr std::string_view DataFromFile = "data from file ";
constexpr std::string_view CopyUntil = "dotąd kopia pliku ";
constexpr std::string_view HeaderOrient = "   orient";
constexpr std::string_view HeaderXyz = "  X  Y  Z  ";
constexpr std::string_view ConnectionsMissed = "connections missed";
constexpr std::string_view DefinitionError = "definition error: ";
constexpr std::string_view UnknownAtom = "unknown atom: ";
constexpr std::string_view NotComplete = "not complete coordinate ";
constexpr std::string_view MissedHetatm = "Missed the line HETATM in file ";
constexpr std::string_view ConectError = "error: CONECT";
constexpr std::string_view ConnectionError = "connection error, atom no. ";
constexpr std::string_view CommandLineMissed = "command line missed: # ";
constexpr std::string_view DotsMissed = "decimal dots missed ...";
constexpr std::string_view NotMol = "it is not format .mol, instead format .mol2 is tested";
constexpr std::string_view Dashes = "-----------------------------";
constexpr std::string_view FileWord = "file ";
constexpr std::string_view HeaderMissed = "the line < X  Y  Z > missed ";
constexpr std::string_view CoordinatesFor = "coordinates for ";
constexpr std::string_view AtomsRead = " atoms has been read";
constexpr std::string_view AllIsGood = texts::AllIsGood;
constexpr std::string_view MovedBy = "coordinate system moved by:";

constexpr int InCh = 21;   // the structure file
constexpr int ScrCh = 22;  // the scratch copy

enum class Kind { Geo, Orn, Pdb, Mol2, Mol, Gjf, Xyz, Other };

struct Atom {
  int z;
  double x, y, c;
};

/// The state of one read: the lines, the atoms found so far and how the read ended.
struct GeoRead {
  Work& w;
  std::string file;
  Kind kind = Kind::Other;
  std::deque<std::string> back;  // lines given back after a look-ahead
  bool scratch = false;          // the scratch copy is open for atom lines
  std::vector<Atom> atoms;
  std::vector<long long> serials;          // PDB serial of each atom
  std::vector<long long> laterModels;      // PDB serials of the models not read
  std::vector<std::pair<int, int>> bonds;  // PDB CONECT pairs (atom numbers)
  bool headerSeen = true;                  // orientation tables: a column header was met
  bool error = false;                      // the reading loop ended on a failure
  bool stop = false;                       // the read ends without the final steps
  bool tripos = false;                     // a "@<TRIPOS>" section line was seen
  std::string section;                     // the last "@<TRIPOS>" line, upper-cased
  int moleculeLine = 0;                    // lines read in the "@<TRIPOS>MOLECULE" section
  long long declared = -1;                 // atoms the file's own count line gives

  GeoRead(Work& a, std::string f) : w(a), file(std::move(f)) {}

  bool next(std::string& s) {
    if (!back.empty()) {
      s = std::move(back.front());
      back.pop_front();
      return true;
    }
    return w.files.in(InCh).getLine(s);
  }
  void fail(std::string msg) {
    w.con.Text3.text = std::move(msg);
    error = true;
  }
  void halt(std::string msg) {
    w.con.Text3.text = std::move(msg);
    stop = true;
  }
  /// Adds an atom; false (with the message) when the model is full.
  bool add(int z, double x, double y, double c) {
    if (atoms.size() >= std::size_t(MaxAt)) {
      fail(file + std::string(TooManyAtoms));
      return false;
    }
    atoms.push_back({z, x, y, c});
    return true;
  }
  void reopen() {
    w.files.close(InCh);
    back.clear();
    w.files.openInput(InCh, file);
  }
  void header() {
    w.files.writeLine(ScrCh, file + std::string(HeaderOrient));
    w.files.writeLine(ScrCh, HeaderXyz);
  }
};

bool isOrientationKind(Kind k) {
  return k == Kind::Geo || k == Kind::Orn || k == Kind::Other;
}

/// The kind by the extension, tested in this order on the name's last characters (eight, so
/// that "x.geo.bak" still reads as ".geo").
Kind kindOf(std::string_view f) {
  std::string_view ext = tail(f.substr(fileNameStart(f)), 8);
  if (containsCi(ext, ".geo")) return Kind::Geo;
  if (containsCi(ext, ".orn")) return Kind::Orn;
  if (containsCi(ext, ".pdb") || containsCi(ext, ".ent")) return Kind::Pdb;
  if (containsCi(ext, ".mol2")) return Kind::Mol2;
  if (containsCi(ext, ".mol")) return Kind::Mol;
  if (containsCi(ext, ".gjf") || containsCi(ext, ".com")) return Kind::Gjf;
  if (containsCi(ext, ".xyz")) return Kind::Xyz;
  return Kind::Other;
}

// ---------------------------------------------------------------- orientation tables

/// The column header: it names the X, Y and Z columns as words.
bool isColumnHeader(std::string_view lowerLine) {
  std::string p = " " + std::string(lowerLine) + " ";
  for (char& c : p)
    if (c == '\t') c = ' ';
  return contains(p, " x ") && contains(p, " y ") && contains(p, " z ");
}

// A title line with "orient" starts a table only when the column header follows within four
// lines (Gaussian prints "Dipole orientation:" blocks and "(input orientation)" remarks too):
//                          Standard orientation:
//  ---------------------------------------------------------------------
//  Center     Atomic      Atomic             Coordinates (Angstroms)
//  Number     Number       Type             X           Y           Z
//  ---------------------------------------------------------------------
/// Finds the next table; title receives its title line, typeCol whether a "Type" column is
/// named. The lines after the header are given back for the rows.
bool findTable(GeoRead& r, std::string& title, bool& typeCol) {
  std::string s;
  while (r.next(s)) {
    if (!contains(lower(s), OrientKey)) continue;
    std::vector<std::string> ahead;
    std::string a;
    bool found = false;
    while (ahead.size() < 4 && r.next(a)) {
      ahead.push_back(a);
      if (isColumnHeader(lower(a))) {
        found = true;
        break;
      }
    }
    if (found) {
      typeCol = false;
      for (const auto& h : ahead) typeCol = typeCol || contains(lower(h), "type");
      title = s;
      return true;
    }
    for (auto it = ahead.rbegin(); it != ahead.rend(); ++it) r.back.push_front(*it);
  }
  return false;
}

/// One row after its centre number: atomic number, the type when present, x, y and z, each
/// separated by two blanks. False with the text left at the missing separator.
bool parseRow(const std::string& rest, bool typeCol, long long& z, double xyz[3],
              std::string& left) {
  std::string f, r2, r3;
  left = rest;
  if (!splitTwoBlanks(rest, f, r2)) return false;
  z = roundField(Val(f));
  if (typeCol) {
    left = r2;
    if (!splitTwoBlanks(r2, f, r3)) return false;
    r2 = r3;
  }
  left = r2;
  if (!splitTwoBlanks(r2, f, r3)) return false;
  xyz[0] = Val(f);
  left = r3;
  if (!splitTwoBlanks(r3, f, r2)) return false;
  xyz[1] = Val(f);
  xyz[2] = Val(r2);
  return true;
}

enum class RowsEnd { End, Eof, Failed };

//       1          6           0        0.000000    0.000000    1.000000
//       3         -1           0        1.000000     .000000    1.467800   (dummy atom)
//  ---------------------------------------------------------------------
/// The rows of one table into out. With headerPending the header test of a table without a
/// known header runs first (lines naming x, y or z).
RowsEnd readRows(GeoRead& r, bool typeCol, bool headerPending, std::vector<Atom>& out) {
  long long expected = 1;
  int rows = 0;
  std::string raw, first, rest;
  while (r.next(raw)) {
    std::string low = lower(raw);
    if (headerPending && rows == 0) {
      if (contains(low, "type")) typeCol = true;
      std::string p = " " + low + " ";
      if (contains(p, " x ") || contains(p, " y ") || contains(p, " z ")) {
        headerPending = false;
        r.headerSeen = true;
        continue;
      }
    }
    std::string s = trim(low);
    if (rows > 0 && s.empty()) return RowsEnd::End;
    if (!splitTwoBlanks(s, first, rest)) {
      if (rows == 0) continue;
      return RowsEnd::End;
    }
    long long number = roundField(Val(first));
    if (number != expected && number > MaxAt) continue;
    if (r.kind != Kind::Other) TekUl(r.w, Str(number));
    if (number != expected) {
      if (rows == 0) continue;
      if (number < 1) return RowsEnd::End;
      r.halt(r.file + std::string(CoordinateError) + Str(number) + ": " + rest);
      return RowsEnd::Failed;
    }
    long long z = 0;
    double xyz[3] = {0, 0, 0};
    std::string left;
    if (!parseRow(rest, typeCol, z, xyz, left)) {
      r.halt(r.file + std::string(CoordinateError) + Str(number) + ": " + left);
      return RowsEnd::Failed;
    }
    ++expected;
    ++rows;
    if (z < 1) continue;  // dummy atom (-1) or translation vector (-2): counted, not an atom
    if (z > MaxEl) {
      r.halt(r.file + std::string(BadAtomicNumber) + Str(z) + std::string(OfAtom) + Str(number));
      return RowsEnd::Failed;
    }
    if (out.size() >= std::size_t(MaxAt)) {
      r.fail(r.file + std::string(TooManyAtoms));
      return RowsEnd::Failed;
    }
    out.push_back({int(z), xyz[0], xyz[1], xyz[2]});
  }
  return RowsEnd::Eof;
}

/// ".geo", ".orn" and every other extension: the table after the first title line; for other
/// extensions every table of the file, the last one kept.
void readOrientation(GeoRead& r) {
  std::string title;
  bool typeCol = false;
  bool headed = findTable(r, title, typeCol);
  if (!headed) {
    // No table with a column header: the first "orient" line, read as the plain layout.
    r.reopen();
    std::string s;
    while (r.next(s) && !contains(lower(s), OrientKey)) {
    }
    if (!contains(lower(s), OrientKey)) {
      r.halt(r.file + std::string(MissingLine) + std::string(OrientKey));
      return;
    }
    title = s;
    r.headerSeen = false;
  }
  if (r.kind == Kind::Other) {
    r.w.files.writeLine(ScrCh, std::string(DataFromFile) + r.file);
    r.w.files.writeLine(ScrCh, title);
    r.w.files.writeLine(ScrCh, HeaderXyz);
  }
  int tables = 0;
  for (;;) {
    std::vector<Atom> table;
    RowsEnd end = readRows(r, typeCol, !headed, table);
    if (!table.empty() || tables == 0) r.atoms = std::move(table);
    if (end == RowsEnd::Failed || r.kind != Kind::Other) return;
    ++tables;
    tekst(r.w, Str(tables) + std::string(OrientKey));
    if (end == RowsEnd::Eof || !headed || !findTable(r, title, typeCol)) return;
  }
}

// ---------------------------------------------------------------- PDB

/// The element of a HETATM record without an element column: the atom name after the serial,
/// at most two characters, "C1" read as C.
std::string pdbName(std::string part) {
  if (auto u = part.find("UNK"); u != std::string::npos) {
    long keep = long(part.size()) - long(u + 1);
    part = keep > 0 ? part.substr(0, std::size_t(keep)) : std::string();
  }
  part = trim(part);
  auto fields = splitFields(part);
  if (fields.size() > 1 && Val(fields[0]) != 0) fields.erase(fields.begin());
  std::string name = fields.empty() ? std::string() : fields[0];
  if (name.size() > 2) name.resize(2);
  if (name.size() == 2 && Val(name.substr(1)) != 0) name.resize(1);
  return name;
}

// HETATM    1  N19 00T A   1      -2.126  -2.241  -0.764  1.00 10.00           N
// HETATM    1  C           1   -1.234    0.000   12.345          (the program's own export)
/// One HETATM record; false when it ends the reading loop.
bool pdbAtom(GeoRead& r, const std::string& line) {
  TekUl(r.w, ".");
  std::string rest = line.substr(line.find("HETATM") + 6);
  auto fields = splitFields(rest);
  long long serial = fields.empty() ? 0 : roundField(Val(fields[0]));
  if (fields.empty() || !isDigits(fields[0]) || serial < 1) {
    r.fail(std::string(DefinitionError) + rest);
    return false;
  }
  // x is the number around the first decimal point: walk back over its digits and sign.
  std::string namePart = rest, coordPart = rest;
  if (auto p = rest.find('.'); p != std::string::npos) {
    std::size_t s = p;
    while (s > 0 && rest[s - 1] >= '0' && rest[s - 1] <= '9') --s;
    if (s > 0 && (rest[s - 1] == '-' || rest[s - 1] == '+')) --s;
    namePart = rest.substr(0, s);
    coordPart = rest.substr(s);
  }
  int z = 0;
  if (line.size() >= 77) z = exactElement(r.w.m, line.substr(76, 2));
  std::string name = pdbName(namePart);
  if (z == 0) z = exactElement(r.w.m, name);
  if (z == 0 && name.size() == 2) z = exactElement(r.w.m, name.substr(0, 1));
  if (z == 0) {
    r.fail(std::string(UnknownAtom) + name);
    return false;
  }
  double xyz[3] = {0, 0, 0};
  int k = readCoordinates(coordPart, xyz);
  if (!r.add(z, xyz[0], xyz[1], xyz[2])) return false;
  r.serials.push_back(serial);
  if (k < 3) tekst(r.w, std::string(NotComplete) + Str(int(r.atoms.size())));
  return true;
}

/// Atom number of a CONECT serial; 0 when no atom read has it.
int atomOfSerial(const GeoRead& r, std::string_view field) {
  if (!isDigits(field)) return 0;
  long long s = roundField(Val(field));
  for (std::size_t i = 0; i < r.serials.size(); ++i)
    if (r.serials[i] == s) return int(i + 1);
  return 0;
}

// CONECT    1    2   12   22
// CONECT 1982 1983 1992
/// The CONECT records up to the end of the file (the first one is line).
void pdbConect(GeoRead& r, std::string line) {
  tekst(r.w, "");
  if (r.atoms.empty()) {
    r.halt(std::string(MissedHetatm) + r.file);
    return;
  }
  for (bool more = true; more; more = r.next(line), line = upper(line)) {
    auto at = line.find("CONECT");
    if (at == std::string::npos) continue;
    TekUl(r.w, "*");
    std::string text = line.substr(at + 6);
    auto fields = splitFields(text);
    if (fields.empty()) continue;  // an empty continuation line
    int a = atomOfSerial(r, fields[0]);
    if (a == 0 && isDigits(fields[0]) &&
        std::ranges::count(r.laterModels, roundField(Val(fields[0]))) > 0)
      continue;  // bonds of a model that is not read
    bool ok = a > 0;
    for (std::size_t k = 1; ok && k < fields.size(); ++k) {
      int b = atomOfSerial(r, fields[k]);
      ok = b > 0;
      if (ok) r.bonds.emplace_back(a, b);
    }
    if (!ok) {
      if (!isDigits(fields[0])) {
        tekst(r.w, std::string(ConnectionError) + trim(text));
        continue;
      }
      r.fail(std::string(ConectError) + text);
      tekst(r.w, "");
      return;
    }
  }
  tekst(r.w, "");
}

/// ".pdb", ".ent": HETATM records of the first model, then the CONECT records.
void readPdb(GeoRead& r) {
  r.header();
  std::string line;
  bool modelDone = false;
  while (r.next(line)) {
    line = upper(line);
    if (contains(line, "CONECT")) {
      pdbConect(r, line);
      return;
    }
    if (contains(line, "ENDMDL") && !r.atoms.empty()) modelDone = true;
    if (!contains(line, "HETATM")) continue;
    if (modelDone) {
      auto f = splitFields(line.substr(line.find("HETATM") + 6));
      if (!f.empty() && isDigits(f[0])) r.laterModels.push_back(roundField(Val(f[0])));
      continue;
    }
    if (!pdbAtom(r, line)) return;
  }
  r.fail(std::string(ConnectionsMissed));
}

// ---------------------------------------------------------------- molfile and mol2

/// Notes a "@<TRIPOS>" section line; true when line is one.
bool triposLine(GeoRead& r, std::string_view line) {
  std::string t = upper(trim(line));
  if (t.rfind("@<TRIPOS>", 0) != 0) return false;
  r.tripos = true;
  r.section = t;
  return true;
}

/// Element of a mol2 atom: from the type when it is written as a symbol ("C.ar", "Cl"; force
/// field types such as CA, OS or ca are not), else from the leading letters of the name ("Cl1"
/// as Cl, "CA" as C). cand receives the text looked up.
int mol2Element(const ModKel& m, std::string_view name, std::string_view type, std::string& cand) {
  std::string t(type.substr(0, type.find('.')));
  bool symbolLike = (t.size() == 1 || t.size() == 2) && t[0] >= 'A' && t[0] <= 'Z' &&
                    (t.size() == 1 || (t[1] >= 'a' && t[1] <= 'z'));
  symbolLike = symbolLike || t == "cl" || t == "br";  // the halogen types of GAFF
  if (symbolLike) {
    cand = t;
    if (int z = exactElement(m, t)) return z;
  }
  std::string letters;
  for (char c : name) {
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) break;
    letters += c;
  }
  cand = letters.empty() ? std::string(name) : letters;
  bool written = letters.size() >= 2 && letters[0] >= 'A' && letters[0] <= 'Z' &&
                 letters[1] >= 'a' && letters[1] <= 'z';
  if (written)
    if (int z = exactElement(m, letters.substr(0, 2))) return z;
  return letters.empty() ? 0 : exactElement(m, letters.substr(0, 1));
}

//       1 C1         -0.0178    1.4608    0.0101 C.3       1 <0>         0.0684
// 1	C1     2.9656    -0.7748     0.1474	C	1	noname	-0.0532
/// One line of a mol2 atom block: 1 an atom, 0 not an atom line, -1 the reading loop ends.
int mol2Line(GeoRead& r, const std::string& line) {
  if (triposLine(r, line)) return 0;
  // The second line of the molecule section counts atoms, bonds, ...
  if (r.section == "@<TRIPOS>MOLECULE" && ++r.moleculeLine == 2 && r.declared < 0) {
    auto counts = splitFields(line);
    if (!counts.empty() && isDigits(counts[0])) r.declared = roundField(Val(counts[0]));
  }
  if (r.tripos && r.section != "@<TRIPOS>ATOM") return 0;
  auto f = splitFields(line);
  if (f.size() < 5 || !isDigits(f[0]) || !isNumber(f[2]) || !isNumber(f[3]) || !isNumber(f[4]))
    return 0;
  std::string coords = f[2] + " " + f[3] + " " + f[4];
  std::string fromX = coords + (f.size() > 5 ? " " + f[5] : std::string());
  if (!threeDots(fromX)) return 0;
  if (f.size() < 6) {
    r.fail(std::string(DefinitionError) + coords);
    return -1;
  }
  TekUl(r.w, ".");
  std::string cand;
  int z = mol2Element(r.w.m, f[1], f[5], cand);
  if (z == 0) {
    r.fail(std::string(UnknownAtom) + cand);
    return -1;
  }
  return r.add(z, Val(f[2]), Val(f[3]), Val(f[4])) ? 1 : -1;
}

/// ".mol2" (and a ".mol" file found to be one): atoms by fields, the first block only.
void readMol2(GeoRead& r, const std::string* firstLine) {
  if (r.kind == Kind::Mol2) r.header();
  std::string line;
  bool have = firstLine != nullptr;
  if (have) line = *firstLine;
  while (have || r.next(line)) {
    have = false;
    int k = mol2Line(r, line);
    if (k < 0) return;
    if (k == 0 && !r.atoms.empty()) return;
  }
  if (r.atoms.empty()) r.fail(std::string(DotsMissed));
}

//   alanine                                   (lines 1 to 3: name, program, comment)
//   7  6  0     0  0            999 V2000
//     1.0000    1.0000    0.0000 N   0  0  0  0  0  0  0  0  0  0  0  0
/// ".mol": the atom block; switches to mol2 on its first atom line when that looks like one.
void readMol(GeoRead& r) {
  r.header();
  std::string raw;
  int lineNo = 0;
  bool tested = false;
  while (r.next(raw)) {
    triposLine(r, raw);
    if (++lineNo <= 3) continue;
    //   7  6  0     0  0            999 V2000   (the counts line: atoms in columns 1-3)
    if (lineNo == 4 && containsCi(raw, "V2000") && raw.size() >= 3 &&
        isDigits(trim(raw.substr(0, 3))))
      r.declared = roundField(Val(raw.substr(0, 3)));
    std::string s = ltrim(upper(raw));
    std::size_t third = 0;
    if (!threeDots(s, &third)) {
      if (r.atoms.empty()) continue;
      return;
    }
    if (!tested) {
      tested = true;
      if (s.find(' ') < s.find('.') && trim(s).size() >= 15) {
        tekst(r.w, raw);
        tekst(r.w, NotMol);
        r.declared = -1;
        readMol2(r, &raw);
        return;
      }
    }
    auto b = s.find(' ', third);
    std::string coordPart = s.substr(0, b);
    std::string sym = b == std::string::npos ? std::string() : ltrim(s.substr(b));
    if (sym.empty()) return r.fail(std::string(DefinitionError) + coordPart);
    std::string cand = sym.substr(0, 2);
    TekUl(r.w, ".");
    int z = containingElement(r.w.m, cand);
    if (z == 0) return r.fail(std::string(UnknownAtom) + cand);
    double xyz[3] = {0, 0, 0};
    int k = readCoordinates(coordPart, xyz);
    for (int j = k; j < 3; ++j) {
      tekst(r.w, std::string(NotComplete) + Str(int(r.atoms.size()) + 1));
      xyz[j] = j > 0 ? xyz[j - 1] : 0.0;
    }
    if (!r.add(z, xyz[0], xyz[1], xyz[2])) return;
  }
  if (r.atoms.empty()) r.fail(std::string(DotsMissed));
}

// ---------------------------------------------------------------- job files

std::vector<std::string> jobFields(std::string_view s) {
  std::string t(s);
  for (char& c : t)
    if (c == ',') c = ' ';
  return splitFields(t);
}

/// "0 1", "0,1 0,1 0,1": charge and multiplicity pairs.
bool isChargeLine(std::string_view s) {
  auto f = jobFields(s);
  if (f.size() < 2 || f.size() % 2 != 0) return false;
  for (auto& x : f)
    if (!isDigits(x[0] == '-' || x[0] == '+' ? x.substr(1) : x)) return false;
  return true;
}

// O(Fragment=1)  -0.525330  -0.050971  -0.314517
// 17          0.00000000    0.70710701   -0.16835900
/// A job-file atom line read by fields: a symbol (digits, a suffix in parentheses or a
/// "-type-charge" suffix allowed) or an atomic number, then the last three numbers.
bool jobAtomByFields(const ModKel& m, std::string_view s, Atom& a) {
  auto f = jobFields(s);
  if (f.size() < 4) return false;
  for (std::size_t k = f.size() - 3; k < f.size(); ++k)
    if (!isNumber(f[k])) return false;
  std::string e = f[0].substr(0, f[0].find_first_of("(-"));  // "O(Fragment=1)", "C-CA-0.1"
  int z = 0;
  if (isDigits(e)) {
    long long v = roundField(Val(e));
    z = v >= 1 && v <= MaxEl ? int(v) : 0;
  } else {
    std::size_t n = 0;
    while (n < e.size() && ((e[n] >= 'A' && e[n] <= 'Z') || (e[n] >= 'a' && e[n] <= 'z'))) ++n;
    if (n > 0 && (n == e.size() || isDigits(e.substr(n)))) z = exactElement(m, e.substr(0, n));
  }
  if (z == 0) return false;
  std::size_t k = f.size() - 3;
  a = {z, Val(f[k]), Val(f[k + 1]), Val(f[k + 2])};
  return true;
}

// # opt b3lyp/6-31g(d)
//
// Title Card Required
//
// 0 1
//  C                 -3.65659770    2.09062000    0.00000000
/// ".gjf", ".com": the atom lines after the route line (element in columns 1-2, coordinates
/// after column 14), or by fields where that rule reads no atom.
void readGjf(GeoRead& r) {
  std::string raw;
  while (r.next(raw) && !contains(raw, "#")) {
  }
  if (!contains(raw, "#")) return r.fail(std::string(CommandLineMissed));
  r.w.files.writeLine(ScrCh, raw);
  r.header();
  bool charge = false, zmatrix = false, firstAfterCharge = true;
  while (r.next(raw)) {
    std::string s = ltrim(upper(raw));
    if (r.atoms.empty() && !charge && isChargeLine(s)) {
      charge = true;
      continue;
    }
    if (charge && firstAfterCharge && !trim(s).empty()) {
      firstAfterCharge = false;
      zmatrix = jobFields(s).size() == 1;  // a Z-matrix starts with a lone atom
    }
    bool byFields = charge && !zmatrix;
    std::string rest = s.size() > 14 ? ltrim(s.substr(14)) : std::string();
    Atom a{};
    if (s.size() >= 15 && threeDots(rest)) {
      TekUl(r.w, ".");
      std::string cand = rtrim(s.substr(0, 2));
      int z = exactElement(r.w.m, cand);
      double xyz[3] = {0, 0, 0};
      int k = readCoordinates(rest, xyz);
      bool fields = (z == 0 || k < 3) && byFields && jobAtomByFields(r.w.m, s, a);
      if (!fields) {
        if (z == 0) return r.fail(std::string(UnknownAtom) + cand);
        if (k < 3) tekst(r.w, std::string(NotComplete) + Str(int(r.atoms.size()) + 1));
        a = {z, xyz[0], xyz[1], xyz[2]};
      }
    } else if (byFields && jobAtomByFields(r.w.m, s, a)) {
      TekUl(r.w, ".");
    } else {
      if (r.atoms.empty()) continue;
      return;
    }
    if (!r.add(a.z, a.x, a.y, a.c)) return;
  }
  if (r.atoms.empty()) r.fail(std::string(DotsMissed));
}

// ---------------------------------------------------------------- coordinate lists

/// The count line of a framed file ("3", "   64"); 0 when s is not one.
long long countLine(std::string_view s) {
  std::string t = trim(s);
  return isDigits(t) ? roundField(Val(t)) : 0;
}

// 3
// water
// 8  0.000000  0.000000  0.117300
// 1  0.000000  0.757200  -0.469200
/// The program's layout: atomic number, x, y, z separated by two blanks. In a file that starts
/// with a count line only the first frame is looked at.
void xyzNumbered(GeoRead& r) {
  std::string raw, first, rest, xs, ys, zs;
  long long lineNo = 0, last = -1;
  while (r.next(raw)) {
    ++lineNo;
    std::string s = trim(lower(raw));
    if (last < 0 && !s.empty()) {
      last = countLine(s) > 0 ? lineNo + 1 + countLine(s) : 1LL << 40;
      if (countLine(s) > 0) r.declared = countLine(s);
    }
    if (r.atoms.empty() && lineNo > last) return;
    if (!splitTwoBlanks(s, first, rest)) {
      if (r.atoms.empty()) continue;
      return;
    }
    long long z = roundField(Val(first));
    if (z < 1 || z > MaxEl) continue;
    TekUl(r.w, Str(z));
    int atom = int(r.atoms.size()) + 1;
    if (!splitTwoBlanks(rest, xs, ys) || !splitTwoBlanks(ys, first, zs)) {
      std::string left = contains(rest, "  ") ? ys : rest;
      return r.halt(r.file + std::string(CoordinateError) + Str(atom) + ": " + left);
    }
    if (!r.add(int(z), Val(xs), Val(first), Val(zs))) return;
  }
}

// 2
// HeH
// H    0    0    0
// H    0    0    0.77260
/// The usual XYZ layout: symbol or atomic number, then x, y, z separated by any blanks; the
/// first frame of a framed file, else the first run of such lines.
void xyzStandard(GeoRead& r) {
  std::string raw;
  long long lineNo = 0, countAt = 0, count = 0;
  while (r.next(raw)) {
    ++lineNo;
    std::string s = trim(raw);
    if (countAt == 0 && !s.empty()) {
      countAt = lineNo;
      count = countLine(s);
      if (count > 0) {
        r.declared = count;
        continue;
      }
    }
    bool inFrame = count == 0 || (lineNo > countAt + 1 && lineNo <= countAt + 1 + count);
    if (count > 0 && lineNo > countAt + 1 + count) return;
    auto f = splitFields(s);
    bool atomLine = inFrame && f.size() >= 4 && isNumber(f[1]) && isNumber(f[2]) && isNumber(f[3]);
    if (!atomLine) {
      if (r.atoms.empty()) continue;
      return;
    }
    int z = 0;
    if (isDigits(f[0])) {
      long long v = roundField(Val(f[0]));
      z = v <= MaxEl ? int(v) : 0;
    } else {
      z = exactElement(r.w.m, f[0]);
    }
    if (z == 0) return r.fail(std::string(UnknownAtom) + f[0]);
    TekUl(r.w, Str(z));
    if (!r.add(z, Val(f[1]), Val(f[2]), Val(f[3]))) return;
  }
}

/// ".xyz": the program's numbered layout; a file where it finds no atom is read as a usual
/// XYZ file.
void readXyz(GeoRead& r) {
  r.header();
  xyzNumbered(r);
  if (!r.atoms.empty() || r.stop || r.error) return;
  r.reopen();
  xyzStandard(r);
}

// ---------------------------------------------------------------- final steps

/// The atoms into the model (atom i from row 1 on), with the connection rows cleared for the
/// formats that carry no table of their own.
void commitAtoms(GeoRead& r) {
  ModKel& m = r.w.m;
  int n = int(r.atoms.size());
  bool clearMpo = !isOrientationKind(r.kind);
  for (int i = 1; i <= n; ++i) {
    const Atom& a = r.atoms[std::size_t(i - 1)];
    setAtom(m, i, a.z);
    m.Xyz(i, 0) = 0;
    m.Xyz(i, 1) = a.x;
    m.Xyz(i, 2) = a.y;
    m.Xyz(i, 3) = a.c;
    if (clearMpo) {
      for (int j = 1; j <= MaxAt; ++j) m.Mpo(i, j) = 0;
      m.NBond(i) = 0;
      m.MpoOrd(i) = cint16(i);
    }
  }
  for (auto [a, b] : r.bonds) m.Mpo(a, b) = 1;
  for (auto [a, b] : r.bonds) {
    int k = 0;
    for (int j = 1; j <= n; ++j) k += m.Mpo(a, j) != 0 ? 1 : 0;
    m.NBond(a) = cint16(k);
  }
  for (int i = 1; i <= n; ++i)
    for (int k = 0; k <= 3; ++k) m.XyzOld(i, k) = m.Xyz(i, k);
  setCounts(m, n);
  m.NDof(0) = cint16(3 * n - 6);
}

/// Lists the atoms and fills the extents table; the scratch copy gets the same rows.
void listAndBox(GeoRead& r) {
  Work& w = r.w;
  ModKel& m = w.m;
  bool toScratch = r.scratch && r.kind != Kind::Geo && r.kind != Kind::Orn;
  for (int i = 1; i <= m.NAt; ++i) {
    listAtom(w, i);
    if (toScratch) {
      fomi(w, ScrCh, 3, i);
      fomi(w, ScrCh, 4, m.AtZ(i));
      for (int k = 1; k <= 3; ++k) fom6(w, ScrCh, 12, m.Xyz(i, k));
      w.files.write(ScrCh, "\n");
    }
  }
  fillBox(m, m.NAt);
  if (r.scratch) w.files.close(ScrCh);
}

void finish(GeoRead& r) {
  Work& w = r.w;
  ModKel& m = w.m;
  w.files.close(InCh);
  tekst(w, Dashes);
  tekst(w, std::string(FileWord) + r.file);
  int n = int(r.atoms.size());
  if (n == 0 && !r.error) r.fail(r.file + std::string(NoAtomFound));
  if (r.error) tekst(w, w.con.Text3.text);
  if (isOrientationKind(r.kind) && !r.headerSeen) tekst(w, HeaderMissed);
  tekst(w, std::string(CoordinatesFor) + Str(n) + std::string(AtomsRead));
  m.Sw(sw::ReadDone) = -1;
  showNames(w);
  m.Par(par::ViewerState) = 1;
  if (n == 0) {
    w.files.closeAll();
    return;
  }
  if (!r.error) w.con.Text3.text = r.file + std::string(AllIsGood);
  w.con.burek.visible = false;
  commitAtoms(r);
  double c[4] = {0, 0, 0, 0};
  if (r.kind != Kind::Orn) {
    for (int k = 1; k <= 3; ++k) {
      for (int i = 1; i <= n; ++i) c[k] += m.Xyz(i, k);
      c[k] /= n;
      for (int i = 1; i <= n; ++i) m.Xyz(i, k) -= c[k];
    }
  }
  listAndBox(r);
  if (c[1] * c[1] + c[2] * c[2] + c[3] * c[3] > 0.00001) {
    tekst(w, "");
    tekst(w, MovedBy);
    tekst(w, "");
    tekst(w, " x =");
    fom6(w, 0, 9, c[1]);
    TekUl(w, " y =");
    fom6(w, 0, 9, c[2]);
    TekUl(w, " z =");
    fom6(w, 0, 9, c[3]);
  }
  m.RenDone = 0;
  RenDef(w, r.file, m.NAt);
  setInverseMasses(m, m.NAt);
  cutZeros(m, m.NAt);
  for (int i = 1; i <= m.NAt; ++i)
    for (int k = 0; k <= 3; ++k) m.XyzOld(i, k) = m.Xyz(i, k);
  m.Par(par::DofWeight) = 0;
  m.Sw(sw::Reading) = 0;
  std::string all = "*";
  if (w.hooks.connections) w.hooks.connections(all);
}

/// The ".orn" scratch copy: the input, an empty line and the closing remark.
void copyOrn(GeoRead& r, const std::string& scratchPath) {
  if (!r.w.writesScratch) return;
  LineReader src(r.file);
  r.w.files.openOutput(ScrCh, scratchPath);
  std::string line;
  while (src.getLine(line)) r.w.files.writeLine(ScrCh, line);
  r.w.files.writeLine(ScrCh, "");
  r.w.files.writeLine(ScrCh, std::string(CopyUntil) + r.file);
  r.w.files.close(ScrCh);
}

/// Start, size check, dispatch to the block reader of the kind, final steps.
void readGeometry(Work& w, std::string f) {
  ModKel& m = w.m;
  m.Sw(sw::Reading) = -1;
  m.Par(par::ReadSteps) = 0;
  w.con.Text1.text = f;
  m.FilNam = rtrim(f);
  std::size_t from =
      std::max<std::size_t>(fileNameStart(m.FilNam), m.FilNam.size() > 5 ? m.FilNam.size() - 5 : 1);
  if (auto dot = m.FilNam.find('.', from); dot != std::string::npos) m.FilNam.resize(dot);
  std::string scratchPath = currentDir() + "/" + std::string(ScratchGeo);
  if (m.JobNam.empty()) m.JobNam = m.FilNam;
  long long size = fileLength(f);
  if (size <= 0) {
    w.con.Text3.text = size < 0 ? std::string(BladPliku) + f : emptyOrMissing(f, BrakPliku);
    w.readFailed = true;
    return;
  }
  m.GeoFile = f;
  w.con.Text3.text.clear();
  if (!w.con.Text2.text.empty()) tekst(w, "");

  GeoRead r(w, f);
  r.kind = kindOf(f);
  if (r.kind == Kind::Orn) copyOrn(r, scratchPath);
  if (r.kind != Kind::Geo && r.kind != Kind::Orn) {
    if (w.writesScratch)
      w.files.openOutput(ScrCh, scratchPath);
    else
      w.files.openDiscard(ScrCh);
    r.scratch = true;
  }
  w.files.openInput(InCh, f);
  switch (r.kind) {
    case Kind::Geo:
    case Kind::Orn:
    case Kind::Other:
      readOrientation(r);
      break;
    case Kind::Pdb:
      readPdb(r);
      break;
    case Kind::Mol2:
      readMol2(r, nullptr);
      break;
    case Kind::Mol:
      readMol(r);
      break;
    case Kind::Gjf:
      readGjf(r);
      break;
    case Kind::Xyz:
      readXyz(r);
      break;
  }
  if (r.stop) {
    w.files.closeAll();
    w.readFailed = true;
    return;
  }
  finish(r);
  if (r.error) w.readFailed = true;
  w.readFailed = w.readFailed || r.atoms.empty();
  // A count that disagrees with the atoms read: the atoms are kept, the read fails.
  const auto n = static_cast<long long>(r.atoms.size());
  if (!r.error && n > 0 && r.declared >= 0 && r.declared != n) {
    w.con.Text3.text = r.file + std::string(CountGives) + Str(r.declared) +
                       std::string(AtomsComma) + Str(n) + std::string(WereRead);
    tekst(w, w.con.Text3.text);
    w.readFailed = true;
  }
}

}  // namespace

void readStructureFile(Work& w, std::string f) noexcept {
  f = rtrim(f);
  w.readFailed = false;
  bool ok = guard(w, "fmtGeo", [&] { readGeometry(w, std::move(f)); });
  if (!ok) w.readFailed = true;
  w.m.Sw(sw::Reading) = 0;
}

}  // namespace kel
