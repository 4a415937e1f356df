// Kelvorin - desktop workbench for vibrational calculations.
// The program's own structure file (".kel"): atoms, masses and all normal modes.
#pragma once

namespace kel {

struct App;

/// Atom lines of atoms 1..n from the model coordinates; channel 0 is the log console.
void ZaCoo(App& app, int channel, int n);
/// Atom lines from the viewer coordinates, deleted atoms left out, renumbered 1..k.
void ZaCo1(App& app, int channel, int n);
/// Mode lines of modes 1..nModes for atoms 1..nAtoms.
void ZaMW(App& app, int nModes, int nAtoms, int channel);
/// "&Save .kel as is": asks before overwriting, writes the structure as the viewer shows it.
void SaveKelAsIs(App& app) noexcept;

}  // namespace kel
