// Kelvorin - desktop workbench for vibrational calculations.
// The connection matrix: derived from distances or read from a connection file.
#pragma once

#include "model/model.hpp"

#include <string>
#include <string_view>

namespace kel {

struct Work;

/// Builds the connection matrix: "*" derive and save, "**" derive quietly, "" derive (or
/// reuse a defined matrix), any other name a connection file to read.
void MpoDef(Work& w, std::string& name) noexcept;

/// Copies a connection file and logs "copy FROM --> TO"; a different content of TO is first
/// kept under its first free numbered name. Throws BasicError on file errors.
void copyMpoLogged(Work& w, const std::string& from, const std::string& to);
/// " &Input .MPO" keeps the working connection file as the previous version (see
/// copyMpoLogged); nothing happens when there is none or the copy holds it already.
void keepWorkingMpo(Work& w);

/// Bond test: bonded = 1 when atoms i and j are closer than (1 + 0.025 k) times the limit of
/// their element pair, else 0.
void JWmA(Work& w, int i, int j, int k, i16& bonded) noexcept;
/// Contact test for intermolecular bonds: near = 1 when atoms i and j are closer than the
/// contact limit of their element pair; r = 0 lets the test measure the distance itself.
void JWmG(Work& w, int i, int j, double r, i16& near) noexcept;

/// Bond limit in angstrom of two atomic numbers; 0 when such a pair is never bonded.
double bondLimit(int z1, int z2);
/// Contact limit in angstrom of two atomic numbers; 0 when such a pair is never near.
double contactLimit(int z1, int z2);

/// An atom label of a connection file: "C 12", "C12" or "Cl12". num = the atom number,
/// sym = the symbol without trailing blanks; false when the label gives no number in 1..nat.
bool mpoLabel(std::string_view label, int nat, std::string& sym, int& num);

/// What reading a connection file found.
struct MpoReadResult {
  int defined = 0;           ///< atom lines that gave their atom at least one neighbour
  int intermolecular = 0;    ///< intermolecular bonds read
  bool corrected = false;    ///< a correction was logged
  bool syntaxError = false;  ///< a label gave no valid atom
};

/// Reads the connection file path into Mpo, NBond and ImBond (cleared first, with FrgMem;
/// MpoOrd becomes the identity), logging every correction. Throws BasicError on file errors.
void readMpoFile(Work& w, const std::string& path, MpoReadResult& r);
/// Writes the matrix in listing order (MpoOrd, NBond) and the intermolecular bonds to path.
/// Throws BasicError on file errors.
void writeMpoFile(Work& w, const std::string& path);
/// The atom line of listing position p: " 4 . C 1 : H 2 , H 3 , H 4 , C 5 ".
std::string mpoAtomLine(const ModKel& m, int p);
/// The line of the intermolecular bond a-b: "O 12 , H 25 ".
std::string mpoBondLine(const ModKel& m, int a, int b);

}  // namespace kel
