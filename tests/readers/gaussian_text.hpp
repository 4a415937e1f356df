// Kelvorin - desktop workbench for vibrational calculations.
// Small Gaussian outputs written the way the program prints them, for the reader tests.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace kel::testing {

struct GAtom {
  int z;
  double x, y, zc;
};

/// A water-like molecule: O and two H.
inline std::vector<GAtom> water(double shift = 0) {
  return {{8, 0.0 + shift, 0.0, 0.117},
          {1, 0.0 + shift, 0.757, -0.469},
          {1, 0.0 + shift, -0.757, -0.469}};
}

/// An orientation table ("Input", "Standard", "Z-Matrix"), with or without the type column.
inline std::string orientationTable(const std::string& kind, const std::vector<GAtom>& atoms,
                                    bool typeColumn = true) {
  std::string s = "                          " + kind + " orientation:\n";
  s += " ---------------------------------------------------------------------\n";
  s += " Center     Atomic      Atomic             Coordinates (Angstroms)\n";
  s += typeColumn ? " Number     Number       Type             X           Y           Z\n"
                  : " Number     Number              X           Y           Z\n";
  s += " ---------------------------------------------------------------------\n";
  char buf[160];
  int i = 0;
  for (const auto& a : atoms) {
    if (typeColumn)
      std::snprintf(buf, sizeof buf, " %6d %10d %11d %15.6f %11.6f %11.6f\n", ++i, a.z, 0, a.x, a.y,
                    a.zc);
    else
      std::snprintf(buf, sizeof buf, " %6d %10d %15.6f %11.6f %11.6f\n", ++i, a.z, a.x, a.y, a.zc);
    s += buf;
  }
  s += " ---------------------------------------------------------------------\n";
  return s;
}

inline std::string scfDone(double e) {
  char buf[120];
  std::snprintf(buf, sizeof buf, " SCF Done:  E(RB3LYP) =  %.9f     A.U. after    9 cycles\n", e);
  return buf;
}

/// Displacement of mode j (1-based, file order), atom a, component c, as printed.
inline double displacement(int j, int a, int c) {
  return 0.01 * double((j * 7 + a * 3 + c) % 11) - 0.05;
}

/// A frequency table of n modes over atoms; frequency of mode j = 100 j + 0.25, IR = j + 0.5,
/// Raman = 10 j when raman.
inline std::string frequencyTable(const std::vector<GAtom>& atoms, int n, bool raman,
                                  bool highPrecision = false) {
  std::string s;
  char buf[200];
  auto title = [&] {
    s += " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering\n";
    s += " activities (A**4/AMU), depolarization ratios for plane and unpolarized\n";
    s += " incident light, reduced masses (AMU), force constants (mDyne/A),\n";
    s += " and normal coordinates:\n";
  };
  if (highPrecision) {
    title();
    s += "                           1         2         3         4         5\n";
    s += "                           A         A         A         A         A\n";
    s += "       Frequencies ---    11.1111   22.2222   33.3333   44.4444   55.5555\n";
    s += "    IR Intensities ---     9.0000    9.0000    9.0000    9.0000    9.0000\n";
    s += "  Coord Atom Element:\n";
    s += "    1     1     8          0.10000   0.20000   0.30000   0.40000   0.50000\n";
    s += "\n";
  }
  title();
  for (int k = 0; k < n; k += 3) {
    int c = std::min(3, n - k);
    std::string idx, lab, fr, ir, ra, hdr = "  Atom  AN";
    for (int j = 1; j <= c; ++j) {
      std::snprintf(buf, sizeof buf, "%23d", k + j);
      idx += buf;
      std::snprintf(buf, sizeof buf, "%23s", j == 1 ? "B2" : "A1");
      lab += buf;
      std::snprintf(buf, sizeof buf, "%s%11.4f", j == 1 ? "" : "            ",
                    100.0 * (k + j) + 0.25);
      fr += buf;
      std::snprintf(buf, sizeof buf, "%s%11.4f", j == 1 ? "" : "            ", k + j + 0.5);
      ir += buf;
      std::snprintf(buf, sizeof buf, "%s%11.4f", j == 1 ? "" : "            ", 10.0 * (k + j));
      ra += buf;
      hdr += j == 1 ? "      X      Y      Z" : "        X      Y      Z";
    }
    s += idx + "\n" + lab + "\n";
    s += " Frequencies -- " + fr + "\n";
    s += " Red. masses -- " + fr + "\n";
    s += " Frc consts  -- " + fr + "\n";
    s += " IR Inten    -- " + ir + "\n";
    if (raman) {
      s += " Raman Activ -- " + ra + "\n";
      s += " Depolar (P) -- " + ra + "\n";
    }
    s += hdr + "\n";
    for (std::size_t a = 0; a < atoms.size(); ++a) {
      std::snprintf(buf, sizeof buf, "%6d%4d", int(a + 1), atoms[a].z);
      std::string row = buf;
      for (int j = 1; j <= c; ++j) {
        row += j == 1 ? "  " : "  ";
        for (int comp = 1; comp <= 3; ++comp) {
          std::snprintf(buf, sizeof buf, "%7.2f", displacement(k + j, int(a + 1), comp));
          row += buf;
        }
      }
      s += row + "\n";
    }
  }
  s += " -------------------\n - Thermochemistry -\n -------------------\n";
  return s;
}

/// Mass lines as Gaussian 16 prints them.
inline std::string massLines(const std::vector<GAtom>& atoms, const std::vector<double>& masses) {
  std::string s;
  char buf[120];
  for (std::size_t a = 0; a < atoms.size(); ++a) {
    std::snprintf(buf, sizeof buf, " Atom %5d has atomic number %2d and mass %10.5f\n", int(a + 1),
                  atoms[a].z, masses[a]);
    s += buf;
  }
  return s;
}

inline const std::string routeLine = " #p b3lyp/6-31g(d) opt freq\n";

}  // namespace kel::testing
