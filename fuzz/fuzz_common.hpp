// Kelvorin - desktop workbench for vibrational calculations.
// What every fuzz target shares: a private working folder and one read of one input through
// a reader entry on a fresh program state.
#pragma once

#include <string>
#include <string_view>

namespace kel::fuzz {

/// The reader entries under test, one a target.
enum class Entry {
  Xyz,             ///< fmtGeo on ".xyz"
  Pdb,             ///< fmtGeo on ".pdb"
  Mol,             ///< fmtGeo on ".mol"
  Mol2,            ///< fmtGeo on ".mol2"
  Gjf,             ///< fmtGeo on ".gjf"
  Geo,             ///< fmtGeo on ".geo", then on ".orn"
  GaussianOutput,  ///< FmtIn on ".log" (first, last or lowest-energy table) or ".fmt"
  Checkpoint,      ///< FmtIn on ".fchk"
  Kel,             ///< FmtIn on ".kel", then FmaKel adding it to a water dimer
  Mpo,             ///< MpoDef reading a connection file for a water dimer
  Renumber,        ///< RenDef scanning a file for a water dimer
  Spectrum,        ///< ReadMeasured on ".jdx", then on ".csv"
};

/// Target folder name of an entry: "xyz", "gaussian_output", ...
std::string_view entryName(Entry e);

/// What one read left behind.
struct Outcome {
  bool failed = false;  ///< the last read met one of its failure cases
  int reports = 0;      ///< run-time error reports
  std::string message;  ///< Text3, else Text4: what the user is shown
};

/// Makes a fresh folder under $TMPDIR (else /tmp) the working folder for the whole process.
void enterPrivateFolder();

/// Empties the working folder (the side files an earlier run left), writes data as the input
/// and reads it through entry e on a fresh program state.
Outcome runEntry(Entry e, std::string_view data);

}  // namespace kel::fuzz
