// Kelvorin - desktop workbench for vibrational calculations.
#include "topology/groups.hpp"

#include "base/convert.hpp"
#include "model/work.hpp"

#include <vector>

namespace kel {

namespace {

constexpr std::string_view GroupsOfAtoms = " groups of atoms: ";

/// Neighbours of every atom through Mpo in either direction (a one-way entry of a read
/// matrix still joins the two atoms), self entries ignored.
std::vector<std::vector<int>> neighbourLists(const ModKel& m, int la) {
  std::vector<std::vector<int>> nb(std::size_t(la) + 1);
  for (int j = 1; j <= la; ++j) {
    const i16* col = &m.Mpo(0, j);  // Mpo(i, j) for i = 0..480: first index fastest
    for (int i = 1; i <= la; ++i) {
      if (i == j || col[i] == 0) continue;
      nb[std::size_t(i)].push_back(j);
      if (m.Mpo(j, i) == 0) nb[std::size_t(j)].push_back(i);
    }
  }
  return nb;
}

}  // namespace

void MpoGrp(Work& w, int la, i16& k2, int iko) noexcept {
  guard(w, "MpoGrp", [&] {
    auto& m = w.m;
    k2 = 0;
    for (int a = 1; a <= la; ++a) m.NBondW(a) = m.NBond(a);
    if (la < 1) {
      m.FrgMem(0, 0) = 0;
      return;
    }
    auto nb = neighbourLists(m, la);
    // group of each atom; the seed of every group is the lowest atom not yet placed, so a
    // group is the whole connected set of its seed
    std::vector<int> groupOf(std::size_t(la) + 1, 0);
    std::vector<int> sizes;
    std::vector<int> stack;
    int g = 0;
    for (int s = 1; s <= la; ++s) {
      if (groupOf[std::size_t(s)] != 0) continue;
      ++g;
      groupOf[std::size_t(s)] = g;
      int count = 1;
      stack.assign(1, s);
      while (!stack.empty()) {
        int a = stack.back();
        stack.pop_back();
        for (int b : nb[std::size_t(a)])
          if (groupOf[std::size_t(b)] == 0) {
            groupOf[std::size_t(b)] = g;
            ++count;
            stack.push_back(b);
          }
      }
      sizes.push_back(count);
    }
    if (g > MaxAt) throw BasicError{9};
    for (int a = 1; a <= la; ++a) m.FrgMem(groupOf[std::size_t(a)], a) = 1;
    for (int k = 1; k <= g; ++k) m.FrgMem(k, 0) = cint16(sizes[std::size_t(k - 1)]);
    m.FrgMem(0, 0) = cint16(g - 1);
    k2 = cint16(g);
    if (g > 1 && iko != 6) {
      tekst(w, Str(g) + std::string(GroupsOfAtoms));
      for (int size : sizes) TekUl(w, Str(size));
    }
  });
}

}  // namespace kel
