// Kelvorin - desktop workbench for vibrational calculations.
// The program's own structure file (".kel"): atoms, masses and all normal modes.
#pragma once

#include <string>

namespace kel {

struct Work;

/// Atom lines of atoms 1..n from the model coordinates; channel 0 is the log console.
void ZaCoo(Work& w, int channel, int n);
/// Atom lines from the viewer coordinates, deleted atoms left out, renumbered 1..k.
void ZaCo1(Work& w, int channel, int n);
/// Mode lines of modes 1..nModes for atoms 1..nAtoms.
void ZaMW(Work& w, int nModes, int nAtoms, int channel);
/// "&Save .kel as is": asks before overwriting, writes the structure as the viewer shows it.
void SaveKelAsIs(Work& w) noexcept;

/// Writes the whole file name: the route line and an empty line (when route is not empty),
/// the atoms (viewer coordinates when asIs), the modes, the scaling line; logs its creation.
void writeKelFile(Work& w, const std::string& name, const std::string& route, bool asIs);
/// The summary written after a read with modes: FilNam + ".kel", never over an existing
/// file unless the atoms were renumbered, and then only after keeping it as FilNam + ".ren.kel".
void writeAutoKel(Work& w, const std::string& route);
/// The field of an integer as fomi writes it: right-aligned in width j, one blank at least.
void appendIntField(std::string& out, long long k, int j);

}  // namespace kel
