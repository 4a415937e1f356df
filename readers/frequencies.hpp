// Kelvorin - desktop workbench for vibrational calculations.
// Frequencies, modes and masses: the Gaussian frequency tables, the ".frq" side file, the
// program's own compact blocks and the mass lines of a Gaussian output.
#pragma once

#include <string>
#include <string_view>

namespace kel {

struct Work;
class BlockIndex;

/// Compact coordinate block of open file kn into atoms by their numbers; la = atoms read.
/// ier: 0 ok, 1 no atom, 2 negative atom number, 3 atomic number outside 1..83,
/// 4 an atom number in 1..la never given, 5 more atoms than the program holds.
void ReCoo(Work& w, int kn, int& la, int& ier) noexcept;
/// As ReCoo, appending after the la atoms given on entry; NAt becomes the new la.
void ReCo1(Work& w, int kn, int& la, int& ier) noexcept;
/// What a mode reader found beside its status: the reason a table was refused, in the
/// program's words, and how many Gaussian frequency tables the file holds.
struct ModeRead {
  std::string problem;
  int tables = 0;
};

/// Compact mode block of open file 1 for la atoms: every mode the file holds, and at least lw
/// of them (a count line of the block, when there is one, says how many exactly). Each mode
/// must give exactly three displacements per atom. lfr: 0 block not found, 1 found but cut
/// off or malformed (why in *out), -1 read (NFrq = the modes read).
void ReMv(Work& w, int lw, int la, int& lfr, ModeRead* out = nullptr) noexcept;
/// As ReMv, appending the modes after NFrq with rows for atoms i1 + 1 .. la; lw1 is the
/// fewest modes the block must hold.
void ReMv1(Work& w, int i1, int lw1, int la, int& lfr, ModeRead* out = nullptr) noexcept;
/// The first Gaussian frequency table of file f. It is taken only whole: one row per atom
/// of the model with its atomic number and three components per mode, at least lw modes and
/// a normal end (not the end of the file). ier: 0 no table, 1 table refused (why in *out;
/// no mode is kept), -1 read (mode order reversed: the last mode of the file is mode 1).
/// With the index of f, only the lines it lists are looked at between the tables.
void ReMW(Work& w, const std::string& f, int lw, int& ier, ModeRead* out = nullptr,
          const BlockIndex* index = nullptr) noexcept;
/// Frequencies and intensities of the side file DatNam (".frq"), at most lw of each.
/// ier: 1 unreadable, -1 read.
void ReFrq(Work& w, int lw, int& ier) noexcept;
/// Atomic masses printed in file f for atoms 1..na; route gets the route line when empty.
/// ier: 0 no mass lines, 1 mass lines wrong or incomplete, -1 masses taken or equal.
/// With the index of f, only the lines it lists are looked at.
void ReIzo(Work& w, const std::string& f, std::string& route, int na, int& ier,
           const BlockIndex* index = nullptr) noexcept;

/// Reverses the order of modes 1..NFrq (frequencies, labels, intensities, displacements).
void reverseModes(Work& w);

}  // namespace kel
