// Kelvorin - desktop workbench for vibrational calculations.
// Frequencies, modes and masses: the Gaussian frequency tables, the ".frq" side file, the
// program's own compact blocks and the mass lines of a Gaussian output.
#pragma once

#include <string>

namespace kel {

struct App;

/// Compact coordinate block of open file kn into atoms by their numbers; la = atoms read.
/// ier: 0 ok, 1 no atom, 2 negative atom number, 3 atomic number outside 1..83,
/// 4 an atom number in 1..la never given.
void ReCoo(App& app, int kn, int& la, int& ier) noexcept;
/// As ReCoo, appending after the la atoms given on entry; NAt becomes the new la.
void ReCo1(App& app, int kn, int& la, int& ier) noexcept;
/// Compact mode block of open file 1, at most lw modes for la atoms. lfr: 0 block not
/// found, 1 found but incomplete, -1 read (NFrq = the modes read).
void ReMv(App& app, int lw, int la, int& lfr) noexcept;
/// As ReMv, appending at most lw1 modes after NFrq with rows for atoms i1 + 1 .. la.
void ReMv1(App& app, int i1, int lw1, int la, int& lfr) noexcept;
/// Gaussian frequency tables of file f, at most lw modes. ier: 0 no table, 1 table
/// unreadable, -1 read (mode order reversed: the last mode of the file is mode 1).
void ReMW(App& app, const std::string& f, int lw, int& ier) noexcept;
/// Frequencies and intensities of the side file DatNam (".frq"), at most lw of each.
/// ier: 1 unreadable, -1 read.
void ReFrq(App& app, int lw, int& ier) noexcept;
/// Atomic masses printed in file f for atoms 1..na; route gets the route line when empty.
/// ier: 0 no mass lines, 1 mass lines wrong or incomplete, -1 masses taken or equal.
void ReIzo(App& app, const std::string& f, std::string& route, int na, int& ier) noexcept;

/// Reverses the order of modes 1..NFrq (frequencies, labels, intensities, displacements).
void reverseModes(App& app);

}  // namespace kel
