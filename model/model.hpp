// Kelvorin - desktop workbench for vibrational calculations.
// The molecule model: every table at its fixed capacity, lower bound 0, allocated once.
#pragma once

#include "model/slots.hpp"
#include "model/tab.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace kel {

constexpr int MaxAt = 480;    ///< atoms 1..NAt
constexpr int MaxFrq = 1440;  ///< modes 1..NFrq (3 x 480)
constexpr int MaxEl = 83;     ///< atomic numbers 1..83, 2 = deuterium
constexpr int MaxIc = 3201;   ///< rows of the internal-coordinate table
constexpr int MaxAng = 3840;  ///< rows of the candidate-angle table

using i16 = std::int16_t;

inline constexpr std::string_view KolDefault = "eskrK.kol";  ///< colour file name at start

/// The one molecule the program works on, with the element table and the parameter and
/// switch vectors. Fields keep the names the rest of the program uses.
struct ModKel {
  // --- the molecule
  i16 NAt = 0;                    ///< atoms held; 0 = no molecule
  Tab<double, MaxAt, 3> Xyz;      ///< x, y, z in angstrom in columns 1..3; column 0 a flag
  Tab<i16, MaxAt> AtZ;            ///< atomic number 1..83
  Tab<std::string, MaxAt> AtSym;  ///< ElSym(AtZ(i))
  Tab<double, MaxAt> AtMas;       ///< mass in amu
  Tab<double, MaxAt, 3> XyzOld;   ///< copy after a read, and the undo copy of a deletion
  Tab<double, MaxAt> AtMasU;      ///< undo copies of a deletion
  Tab<i16, MaxAt> AtZU;
  Tab<std::string, MaxAt> AtSymU;
  Tab<double, MaxAt, 3> XyzV;     ///< the viewer's working (rotated) coordinates
  Tab<double, 3, 3> Box;          ///< rows: 1 minima, 2 maxima, 3 ranges; column 0 mass
  Tab<double, 3, 3> BoxB;         ///< extents of an added second part (placement)
  Tab<std::string, MaxAt> AtLab;  ///< two-character label (" C", "Cl")
  Tab<double, MaxAt> AtRad;       ///< radius in angstrom
  Tab<double, MaxAt> AtMas0;      ///< masses as first set by a read
  Tab<double, MaxAt, 3> XyzCopy;  ///< reference copy after the final zero cut

  // --- vibrational data
  i16 NFrq = 0;             ///< modes held; 0 = none
  Tab<double, MaxFrq> Frq;  ///< cm-1
  Tab<double, MaxFrq> IrInt;
  Tab<double, MaxFrq> RaInt;         ///< RaInt(0) = NFrq when Raman data are present
  Tab<std::string, MaxFrq> FrqSym;   ///< symmetry label, at most 4 characters
  Tab<i16, MaxFrq, MaxAt, 3> ModeD;  ///< displacements x 100: (mode, atom, component)
  Tab<double, MaxFrq, MaxFrq> Fcc;   ///< Cartesian force constants, mdyn/A
  i16 FccFrom = 0;                   ///< Fcc from: 0 none, 1 an output, 2 a checkpoint
  double FccFit = 0;                 ///< rms (A) of the fit of Fcc's own table onto Xyz
  Tab<double, MaxFrq> FccPath;       ///< a motion also taken out of Fcc's modes; all 0 = none
  i16 VibMode = 0;                   ///< mode being animated; 0 = none
  double VibSpd = 3.0, VibAmp = 3.0;

  // --- counts and masses per coordinate
  Tab<i16, 24> NDof;           ///< (1) N, (2) 3N, (3) 3N-3, (4) and (0) 3N-6; 20..24 kept
  Tab<double, MaxFrq> InvMas;  ///< 1/AtMas(i) at 3i-2, 3i-1, 3i

  // --- element table and constants
  Tab<std::string, MaxEl> ElSym;
  Tab<double, MaxEl> ElMas;
  Tab<i16, 110> ElRad;         ///< picometres
  Tab<std::string, 8> IcName;  ///< internal-coordinate type names, four characters
  Tab<i16, 8, 2> IcAtoms;
  double Pi = 3.14159265358979;

  // --- parameter and switch vectors
  Tab<double, 60> Par;  ///< empty slots read as 0
  Tab<i16, 150> Sw;     ///< -1 on, 0 off

  // --- names
  std::string FilNam, ShowNam, MpoNam, JobNam, DatNam, GeoFile;
  std::string VerCap;              ///< "  Kelvorin 2.2 "
  std::string KolNam{KolDefault};  ///< colour file name
  i16 RenDone = 0;                 ///< atoms were renumbered by the last read

  // --- topology
  Tab<i16, MaxAt, MaxAt> Mpo;     ///< connection matrix
  Tab<i16, MaxAt> NBond;          ///< connections per atom (permuted with MpoOrd)
  Tab<i16, MaxAt> MpoOrd;         ///< listing order of the connection file
  Tab<i16, MaxAt, MaxAt> ImBond;  ///< intermolecular bonds; (0,0) their number
  Tab<i16, MaxAt, MaxAt> FrgMem;  ///< groups of bonded atoms; (g,0) size, (0,0) groups - 1
  Tab<i16, MaxAt> NBondW;         ///< working copy of NBond made by the group finder
  i16 MpoMode = 0;
  Tab<i16, MaxIc, 6> IcTab;    ///< internal coordinates: key, atoms 1..4, type, spare
  Tab<i16, MaxAng, 4> AngTab;  ///< candidate angles (end, apex, end)
  i16 IcRows = 0;              ///< rows of IcTab in use (NDof(0) after the generator)
  bool IcFresh = false;        ///< IcTab holds the set of the current matrix

  // --- adding a second structure
  i16 NAtFirst = 0;   ///< atoms of the first part
  i16 NFrqFirst = 0;  ///< modes of the first part
};

/// Fills the constant tables: elements, radii, internal-coordinate types, switch defaults.
void IniModel(ModKel& m);

/// Label of atomic number z: the symbol, preceded by a blank when it has one letter.
std::string labelOf(const ModKel& m, int z);

/// Sets AtZ, AtSym, AtLab, AtRad and AtMas of atom i from the element table (mass > 0 kept).
void setAtom(ModKel& m, int i, int z, double mass = 0.0);

}  // namespace kel
