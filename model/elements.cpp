// Kelvorin - desktop workbench for vibrational calculations.
// Element table, radii, internal-coordinate types and the switch defaults.
#include "model/model.hpp"

#include <array>
#include <string_view>

namespace kel {

namespace {

struct Element {
  std::string_view sym;
  double mass;
};

// Index = atomic number; 2 is deuterium (there is no helium); masses of the common isotope.
constexpr std::array<Element, MaxEl + 1> Elements{{
    {"", 0.0},          {"H", 1.00782504},  {"D", 2.01410179},  {"Li", 7.0160045},
    {"Be", 9.0121825},  {"B", 11.0093053},  {"C", 12.0},        {"N", 14.003074},
    {"O", 15.9949146},  {"F", 18.9984033},  {"Ne", 19.9924391}, {"Na", 22.9897697},
    {"Mg", 23.985045},  {"Al", 26.9815413}, {"Si", 27.9769284}, {"P", 30.9737634},
    {"S", 31.9720718},  {"Cl", 34.9688527}, {"Ar", 39.9623831}, {"K", 38.9637079},
    {"Ca", 39.9625907}, {"Sc", 44.9559136}, {"Ti", 47.947947},  {"V", 50.943963},
    {"Cr", 51.94051},   {"Mn", 54.938046},  {"Fe", 55.934939},  {"Co", 58.933198},
    {"Ni", 57.935347},  {"Cu", 62.9295991}, {"Zn", 63.929145},  {"Ga", 68.925581},
    {"Ge", 73.921179},  {"As", 74.921596},  {"Se", 79.916521},  {"Br", 78.918336},
    {"Kr", 83.91151},   {"Rb", 84.9117996}, {"Sr", 87.905625},  {"Y", 88.9054},
    {"Zr", 89.9043},    {"Nb", 92.906},     {"Mo", 97.9055},    {"Tc", 99.0},
    {"Ru", 101.9037},   {"Rh", 102.9048},   {"Pd", 105.9032},   {"Ag", 106.905095},
    {"Cd", 113.9036},   {"In", 114.9041},   {"Sn", 117.9018},   {"Sb", 120.903824},
    {"Te", 129.9067},   {"I", 126.9004},    {"Xe", 131.9042},   {"Cs", 132.905433},
    {"Ba", 137.905236}, {"La", 138.906355}, {"Ce", 140.1},      {"Pr", 140.9},
    {"Nd", 144.2},      {"Pm", 147.0},      {"Sm", 150.4},      {"Eu", 152.0},
    {"Gd", 157.3},      {"Tb", 158.9},      {"Dy", 162.5},      {"Ho", 164.9},
    {"Er", 167.3},      {"Tm", 168.9},      {"Yb", 173.0},      {"Lu", 175.0},
    {"Hf", 179.946561}, {"Ta", 180.948},    {"W", 183.950953},  {"Re", 186.955765},
    {"Os", 191.961487}, {"Ir", 192.962942}, {"Pt", 194.964785}, {"Au", 196.96656},
    {"Hg", 201.970632}, {"Tl", 204.97441},  {"Pb", 207.976641}, {"Bi", 208.980388},
}};

struct IcType {
  std::string_view name;
  i16 atoms, col1, col2;
};

constexpr std::array<IcType, 9> IcTypes{{
    {"    ", 0, 0, 0},
    {"STRE", 2, 1, 0},
    {"BEND", 3, 0, 0},
    {"OUT ", 4, 0, 0},
    {"TORS", 4, 0, 0},
    {"BEIP", 4, 0, 0},
    {"BEPE", 4, 0, 0},
    {"SYMM", 3, 1, 2},
    {"ASYM", 3, 1, 2},
}};

void setSw(ModKel& m, int from, int to, bool on) {
  for (int i = from; i <= to; ++i) m.Sw(i) = on ? -1 : 0;
}

}  // namespace

void IniModel(ModKel& m) {
  for (int z = 0; z <= MaxEl; ++z) {
    m.ElSym(z) = std::string(Elements[std::size_t(z)].sym);
    m.ElMas(z) = Elements[std::size_t(z)].mass;
  }
  m.ElRad(0) = 0;
  for (int z = 1; z <= 110; ++z) {
    i16 r = 200;
    if (z <= 2)
      r = 120;
    else if (z <= 4)
      r = 140;
    else if (z == 5)
      r = 190;
    else if (z == 6)
      r = 170;
    else if (z == 7)
      r = 150;
    else if (z <= 9)
      r = 140;
    else if (z == 10)
      r = 150;
    m.ElRad(z) = r;
  }
  for (int t = 0; t <= 8; ++t) {
    m.IcName(t) = std::string(IcTypes[std::size_t(t)].name);
    m.IcAtoms(t, 0) = IcTypes[std::size_t(t)].atoms;
    m.IcAtoms(t, 1) = IcTypes[std::size_t(t)].col1;
    m.IcAtoms(t, 2) = IcTypes[std::size_t(t)].col2;
  }
  m.Pi = 3.14159265358979;

  // Switch defaults, in this order: later statements override earlier ones.
  m.Sw.fill(0);
  setSw(m, 0, 10, true);
  setSw(m, 11, 59, false);
  setSw(m, 38, 38, true);
  setSw(m, 76, 79, false);
  setSw(m, 80, 80, true);
  setSw(m, 29, 29, true);
  setSw(m, 73, 75, true);
  for (int i : {99, 115, 124, 126}) setSw(m, i, i, true);
}

std::string labelOf(const ModKel& m, int z) {
  const std::string& s = m.ElSym(z);
  return s.size() == 1 ? " " + s : s;
}

void setAtom(ModKel& m, int i, int z, double mass) {
  m.AtZ(i) = static_cast<i16>(z);
  m.AtSym(i) = m.ElSym(z);
  m.AtLab(i) = labelOf(m, z);
  m.AtRad(i) = m.ElRad(z) / 100.0;
  m.AtMas(i) = mass > 0 ? mass : m.ElMas(z);
}

}  // namespace kel
