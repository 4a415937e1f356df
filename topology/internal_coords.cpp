// Kelvorin - desktop workbench for vibrational calculations.
//
// The walk. Terminal atoms are peeled off repeatedly (their bond removed, the neighbour's
// remaining degree lowered); what stays is one atom per tree-like molecule, or the ring
// system. Placing the atoms in the reverse order - the ring system first (breadth first from
// its leading atom), then the peeled atoms from the inside out - every atom after the first
// has a bonded atom placed before it. Each atom then receives as many coordinates as it adds
// degrees of freedom (0, 1, 2 for the first three atoms of a molecule, 3 for every later
// one), chosen among stretches, bends, out-of-plane coordinates and torsions that join it to
// atoms placed before it. A candidate is taken only when its derivative with respect to the
// atom's position is independent of those already taken. The derivative matrix of the whole
// set is then block triangular with full-rank blocks, so the set is complete and free of
// redundancy: 3N - 6 coordinates of rank 3N - 6.
//
// Linear chains. An angle above 179.9 degrees fixes no direction as a bend; it offers the
// pair of linear bends instead: the bending of the chain in two fixed planes through its
// axis. While every atom placed so far lies on one line, each further atom on that line adds
// three degrees of freedom, and the first atom off the line adds two (a linear molecule has
// 3N - 5).
#include "topology/internal_coords.hpp"

#include "base/convert.hpp"
#include "model/geometry.hpp"

#include <cmath>

namespace kel {

namespace {

constexpr std::string_view NotApproved = "MPO not approved";
constexpr std::string_view EndOfInput = "end of data input";
constexpr std::string_view CountLine = "internal coordinates:";
constexpr std::string_view Stretches = "  stretches";
constexpr std::string_view Bends = ", bends";
constexpr std::string_view Outs = ", out-of-plane";
constexpr std::string_view Torsions = ", torsions";
constexpr std::string_view LinearBends = ", linear bends";
constexpr std::string_view Compare = "NDof(0) =";
constexpr std::string_view Against = "  3N-6 =";
constexpr std::string_view AgainstLinear = "  3N-5 =";
constexpr std::string_view Complete = "  complete set";
constexpr std::string_view Differs = "  the set does not match 3N-6";

constexpr double Xy3Spread = 0.3;     // angstrom: three terminal bonds alike
constexpr double LinearBend = 179.9;  // degrees: a bend above it is left out
constexpr int MaxClosures = 120;      // ring-closing stretches
constexpr int MaxStraight = 8;        // straight angles a torsion axis is followed through
constexpr double StrongTol = 0.3;     // first choice: clearly independent
constexpr double WeakTol = 0.02;      // second choice: still independent
constexpr double MinSin = 1e-3;       // torsions and out-of-plane: a line defines no plane
constexpr double BendSin = 1e-9;      // a bend fixes a direction up to the straight line
constexpr double LineSin = 1e-3;      // an atom this close to the line of a chain is on it
constexpr double GradStep = 1e-6;     // angstrom: step of the linear bends' derivative

using V3 = std::array<double, 3>;

V3 sub(const V3& a, const V3& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
V3 scale(const V3& a, double s) {
  return {a[0] * s, a[1] * s, a[2] * s};
}
V3 add(const V3& a, const V3& b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
double dot(const V3& a, const V3& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
V3 cross(const V3& a, const V3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double len(const V3& a) {
  return std::sqrt(dot(a, a));
}

bool on(const Work& w, int i) {
  return w.m.Sw(i) != 0;
}

/// One candidate coordinate: type and atoms in the argument order of the geometry routines.
struct Cand {
  int type = 0;
  int a[4] = {0, 0, 0, 0};
  int self = 0;          ///< the atom being placed
  bool closure = false;  ///< a ring-closing stretch
};

class IcWalk {
 public:
  IcWalk(Work& w, int mode) : w_(w), m_(w.m), mode_(mode), n_(w.m.NAt) {}
  void run();

 private:
  V3 pos(int a) const { return xyz_[std::size_t(a)]; }
  void buildGraph();
  void processingOrder();
  int labelComponents();
  std::vector<int> placementOrder();
  void findXy3Groups();
  void placeAtom(int p, int need);
  std::vector<Cand> candidates(int p, int anchor);
  bool bendAllowed(int i, int apex, int k);
  V3 gradient(const Cand& c) const;
  int needOf(int p, std::vector<std::vector<int>>& placedInComp);
  bool onLine(const std::vector<int>& atoms) const;
  bool store(const Cand& c, int owner);
  void finish(bool connected);

  Work& w_;
  ModKel& m_;
  int mode_;
  int n_;
  bool diag_ = false;
  std::vector<V3> xyz_;
  std::vector<std::vector<int>> adj_;  // working bonds, intermolecular ones included
  std::vector<int> degree_, order_, posInOrder_, comp_;
  std::vector<std::vector<int>> placedNb_;  // neighbours placed so far, anchor first
  std::vector<char> placed_;
  std::vector<int> xy3Centre_;  // the centre of the XY3 group an atom belongs to
  std::vector<int> xy3Seen_;    // atoms of that group placed so far (per centre)
  std::vector<std::array<int, 3>> xy3Atoms_;
  int rows_ = 0, angles_ = 0, closures_ = 0;
  int count_[IcBepe + 1] = {0, 0, 0, 0, 0, 0, 0};
  bool linear_ = false;  // one molecule, all its atoms on a line
};

void IcWalk::run() {
  m_.IcTab.fill(0);
  m_.AngTab.fill(0);
  m_.NDof(0) = 0;
  m_.IcRows = 0;
  diag_ = !on(w_, 86) && !on(w_, 118);
  if (diag_ && on(w_, 34)) diag_ = !on(w_, 67);
  if (n_ < 1) {
    finish(true);
    return;
  }
  xyz_.resize(std::size_t(n_) + 1);
  for (int a = 1; a <= n_; ++a) xyz_[std::size_t(a)] = {m_.Xyz(a, 1), m_.Xyz(a, 2), m_.Xyz(a, 3)};
  buildGraph();
  processingOrder();
  int components = labelComponents();
  findXy3Groups();
  placed_.assign(std::size_t(n_) + 1, 0);
  placedNb_.assign(std::size_t(n_) + 1, {});
  std::vector<std::vector<int>> placedInComp(std::size_t(components) + 1);
  for (int p : placementOrder()) placeAtom(p, needOf(p, placedInComp));
  linear_ = components == 1 && n_ >= 2 && onLine(placedInComp[1]);
  finish(components == 1);
}

/// Degrees of freedom atom p adds to the atoms of its component placed before it: 0, 1, then
/// 3 for each atom on the line of the first two, 2 for the first atom off that line, 3 after.
int IcWalk::needOf(int p, std::vector<std::vector<int>>& placedInComp) {
  auto& done = placedInComp[std::size_t(comp_[std::size_t(p)])];
  std::size_t k = done.size();
  bool wasLine = k >= 2 && onLine(done);
  done.push_back(p);
  if (k < 2) return int(k);
  if (!wasLine) return 3;
  return onLine(done) ? 3 : 2;
}

/// True when the atoms lie on the line through the first two of them.
bool IcWalk::onLine(const std::vector<int>& atoms) const {
  if (atoms.size() < 2) return true;
  V3 a0 = pos(atoms[0]), u = sub(pos(atoms[1]), a0);
  double ul = len(u);
  if (ul == 0) return false;
  u = scale(u, 1.0 / ul);
  for (std::size_t k = 2; k < atoms.size(); ++k) {
    V3 v = sub(pos(atoms[k]), a0);
    double vl = len(v);
    if (vl == 0 || len(cross(u, v)) / vl >= LineSin) return false;
  }
  return true;
}

/// Bonds of Mpo in either direction and the intermolecular bonds, without self entries.
void IcWalk::buildGraph() {
  std::vector<char> w(std::size_t(n_ + 1) * std::size_t(n_ + 1), 0);
  auto set = [&](int i, int j) {
    w[std::size_t(i) * std::size_t(n_ + 1) + std::size_t(j)] = 1;
    w[std::size_t(j) * std::size_t(n_ + 1) + std::size_t(i)] = 1;
  };
  std::vector<int> intermol(std::size_t(n_) + 1, 0);
  for (int j = 1; j <= n_; ++j) {
    const i16* mpo = &m_.Mpo(0, j);  // column j: Mpo(i, j) for every i
    const i16* im = &m_.ImBond(0, j);
    for (int i = 1; i <= n_; ++i) {
      if (i == j) continue;
      if (mpo[i] != 0) set(i, j);
      if (im[i] != 0) {
        set(i, j);
        ++intermol[std::size_t(j)];
      }
    }
  }
  adj_.assign(std::size_t(n_) + 1, {});
  degree_.assign(std::size_t(n_) + 1, 0);
  for (int i = 1; i <= n_; ++i) {
    for (int j = 1; j <= n_; ++j)
      if (w[std::size_t(i) * std::size_t(n_ + 1) + std::size_t(j)] != 0)
        adj_[std::size_t(i)].push_back(j);
    degree_[std::size_t(i)] = m_.NBondW(i) + intermol[std::size_t(i)];
  }
}

/// Decreasing degree, then decreasing atomic number (the exchange sort of the listing).
void IcWalk::processingOrder() {
  order_.assign(std::size_t(n_) + 1, 0);
  for (int i = 1; i <= n_; ++i) order_[std::size_t(i)] = i;
  auto key = [&](int a) { return std::pair{degree_[std::size_t(a)], int(m_.AtZ(a))}; };
  for (int i = 1; i <= n_; ++i)
    for (int j = i + 1; j <= n_; ++j)
      if (key(order_[std::size_t(i)]) < key(order_[std::size_t(j)]))
        std::swap(order_[std::size_t(i)], order_[std::size_t(j)]);
  posInOrder_.assign(std::size_t(n_) + 1, 0);
  for (int i = 1; i <= n_; ++i) posInOrder_[std::size_t(order_[std::size_t(i)])] = i;
  for (auto& list : adj_)
    std::sort(list.begin(), list.end(), [&](int a, int b) {
      return posInOrder_[std::size_t(a)] < posInOrder_[std::size_t(b)];
    });
}

/// Atoms joined by the working bonds form one component; returns their number.
int IcWalk::labelComponents() {
  comp_.assign(std::size_t(n_) + 1, 0);
  int c = 0;
  std::vector<int> stack;
  for (int i = 1; i <= n_; ++i) {
    int s = order_[std::size_t(i)];
    if (comp_[std::size_t(s)] != 0) continue;
    comp_[std::size_t(s)] = ++c;
    stack.assign(1, s);
    while (!stack.empty()) {
      int a = stack.back();
      stack.pop_back();
      for (int b : adj_[std::size_t(a)])
        if (comp_[std::size_t(b)] == 0) {
          comp_[std::size_t(b)] = c;
          stack.push_back(b);
        }
    }
  }
  return c;
}

/// Terminal atoms first: peel atoms of remaining degree 1 until none is left; the rest (one
/// atom per tree, or the rings) is placed first, breadth first, then the peeled atoms in the
/// reverse order of their peeling, so that each follows the atom it was peeled from.
std::vector<int> IcWalk::placementOrder() {
  std::vector<int> remaining(std::size_t(n_) + 1);
  std::vector<char> removed(std::size_t(n_) + 1, 0);
  for (int a = 1; a <= n_; ++a) remaining[std::size_t(a)] = int(adj_[std::size_t(a)].size());
  std::vector<int> peeled;
  for (bool changed = true; changed;) {
    changed = false;
    for (int i = 1; i <= n_; ++i) {
      int a = order_[std::size_t(i)];
      if (removed[std::size_t(a)] || remaining[std::size_t(a)] != 1) continue;
      removed[std::size_t(a)] = 1;
      remaining[std::size_t(a)] = 0;
      for (int b : adj_[std::size_t(a)])
        if (!removed[std::size_t(b)]) --remaining[std::size_t(b)];
      peeled.push_back(a);
      changed = true;
    }
  }
  std::vector<int> place;
  std::vector<char> queued(std::size_t(n_) + 1, 0);
  for (int i = 1; i <= n_; ++i) {
    int root = order_[std::size_t(i)];
    if (removed[std::size_t(root)] || queued[std::size_t(root)]) continue;
    std::size_t head = place.size();
    place.push_back(root);
    queued[std::size_t(root)] = 1;
    while (head < place.size()) {
      int a = place[head++];
      for (int b : adj_[std::size_t(a)])
        if (!removed[std::size_t(b)] && !queued[std::size_t(b)]) {
          queued[std::size_t(b)] = 1;
          place.push_back(b);
        }
    }
  }
  place.insert(place.end(), peeled.rbegin(), peeled.rend());
  return place;
}

/// XY3 groups: a centre with exactly three terminal neighbours of one element whose bond
/// lengths differ from the first by at most 0.3 A. Their out-of-plane angle (Tout) is at
/// most 90 degrees, so the angle test of such a group always passes.
void IcWalk::findXy3Groups() {
  xy3Centre_.assign(std::size_t(n_) + 1, 0);
  xy3Seen_.assign(std::size_t(n_) + 1, 0);
  xy3Atoms_.assign(std::size_t(n_) + 1, {0, 0, 0});
  for (int c = 1; c <= n_; ++c) {
    std::vector<int> terminal;
    for (int b : adj_[std::size_t(c)])
      if (adj_[std::size_t(b)].size() == 1) terminal.push_back(b);
    std::sort(terminal.begin(), terminal.end());
    for (int t : terminal) {
      std::vector<int> same;
      for (int u : terminal)
        if (m_.AtZ(u) == m_.AtZ(t)) same.push_back(u);
      if (same.size() != 3 || same[0] != t) continue;
      Vec e{};
      double r0 = 0, r1 = 0, r2 = 0;
      vek(m_, e, r0, same[0], c);
      vek(m_, e, r1, same[1], c);
      vek(m_, e, r2, same[2], c);
      if (std::fabs(r0 - r1) > Xy3Spread || std::fabs(r0 - r2) > Xy3Spread) continue;
      for (int u : same) xy3Centre_[std::size_t(u)] = c;
      xy3Atoms_[std::size_t(c)] = {same[0], same[1], same[2]};
    }
  }
}

/// Chooses the coordinates of atom p: need of them, independent in p's displacement.
void IcWalk::placeAtom(int p, int need) {
  std::vector<int> before;
  for (int b : adj_[std::size_t(p)])
    if (placed_[std::size_t(b)]) before.push_back(b);
  // the nearest placed neighbour anchors the atom; with two or more the distances compared
  // are logged
  std::sort(before.begin(), before.end(),
            [&](int a, int b) { return Dist(m_, p, a) < Dist(m_, p, b); });
  if (diag_ && before.size() >= 2)
    for (int k = 0; k < 2; ++k) {
      int b = before[std::size_t(k)];
      double d = std::round(Dist(m_, p, b) * 1e4) / 1e4;
      tekst(w_, "d(" + Str(p) + "," + Str(b) + ") =" + Str(d));
    }
  placed_[std::size_t(p)] = 1;
  placedNb_[std::size_t(p)] = before;
  for (int b : before) placedNb_[std::size_t(b)].push_back(p);
  if (int c = xy3Centre_[std::size_t(p)]; c != 0) ++xy3Seen_[std::size_t(c)];
  if (need == 0 || before.empty()) return;

  std::vector<Cand> cands = candidates(p, before[0]);
  std::vector<V3> basis;
  std::vector<char> taken(cands.size(), 0);
  for (double tol : {StrongTol, WeakTol}) {
    for (std::size_t k = 0; k < cands.size() && int(basis.size()) < need; ++k) {
      if (taken[k]) continue;
      const Cand& c = cands[k];
      if (c.closure && closures_ >= MaxClosures) continue;
      bool angle = c.type == IcBend || c.type == IcBeip || c.type == IcBepe;
      if (angle && !bendAllowed(c.a[0], c.a[1], c.a[2])) continue;
      V3 g = gradient(c);
      double gl = len(g);
      if (!(gl > 1e-12)) continue;
      V3 h = scale(g, 1.0 / gl);
      for (const V3& b : basis) h = sub(h, scale(b, dot(h, b)));
      double hl = len(h);
      if (hl < tol) continue;
      if (!store(c, p)) continue;  // a repeated row adds nothing
      basis.push_back(scale(h, 1.0 / hl));
      taken[k] = 1;
      if (c.closure) ++closures_;
    }
  }
}

/// Candidates for atom p in order of preference: the anchor bond, ring-closing bonds, the
/// XY3 out-of-plane coordinate, bends, torsions, other out-of-plane coordinates.
std::vector<Cand> IcWalk::candidates(int p, int anchor) {
  std::vector<Cand> out;
  const auto& mine = placedNb_[std::size_t(p)];
  for (int b : mine) out.push_back({IcStre, {p, b, 0, 0}, p, b != anchor});
  if (int c = xy3Centre_[std::size_t(p)]; c != 0 && xy3Seen_[std::size_t(c)] == 3) {
    int others[2], k = 0;
    for (int u : xy3Atoms_[std::size_t(c)])
      if (u != p) others[k++] = u;
    out.push_back({IcOut, {p, others[0], others[1], c}, p});
  }
  auto othersOf = [&](int c) {
    std::vector<int> r;
    for (int x : placedNb_[std::size_t(c)])
      if (x != p) r.push_back(x);
    return r;
  };
  // a bend over a straight angle is followed by the pair of linear bends over it
  auto bend = [&](int i, int apex, int k) {
    out.push_back({IcBend, {i, apex, k, 0}, p});
    if (Bend(m_, i, apex, k) > LinearBend) {
      out.push_back({IcBeip, {i, apex, k, 0}, p});
      out.push_back({IcBepe, {i, apex, k, 0}, p});
    }
  };
  for (int c : mine)
    for (int x : othersOf(c)) bend(p, c, x);
  for (std::size_t i = 0; i < mine.size(); ++i)
    for (std::size_t j = i + 1; j < mine.size(); ++j) bend(mine[i], p, mine[j]);
  // torsions p-c-x-y; where the axis runs on straight through x (an alkyne, a nitrile), it
  // is followed along the chain and the torsion takes the first atom off its line
  auto torsions = [&](auto& self, int c, int prev, int cur, int depth) -> void {
    for (int y : placedNb_[std::size_t(cur)]) {
      if (y == prev || y == c || y == p) continue;
      if (Bend(m_, prev, cur, y) <= LinearBend)
        out.push_back({IcTors, {p, c, cur, y}, p});
      else if (depth < MaxStraight)
        self(self, c, cur, y, depth + 1);
    }
  };
  for (int c : mine)
    for (int x : othersOf(c)) torsions(torsions, c, c, x, 0);
  for (int c : mine) {
    auto xs = othersOf(c);
    for (std::size_t i = 0; i < xs.size(); ++i)
      for (std::size_t j = i + 1; j < xs.size(); ++j)
        out.push_back({IcOut, {p, xs[i], xs[j], c}, p});
  }
  return out;
}

/// The angle table rule: a bend above 179.9 degrees is left out at an apex with three or
/// more connections (unless Sw(sw::AnyAngle) is on). An allowed angle is entered once.
bool IcWalk::bendAllowed(int i, int apex, int k) {
  i16 row = 0;
  Jota3(w_, m_.AngTab, angles_, i, apex, k, row);
  if (row != 0) return true;
  bool linear = Bend(m_, i, apex, k) > LinearBend;
  if (linear && degree_[std::size_t(apex)] >= 3 && !on(w_, 123)) return false;
  if (angles_ >= MaxAng) return false;  // table full: the angle cannot be chosen
  ++angles_;
  m_.AngTab(angles_, 1) = static_cast<i16>(i);
  m_.AngTab(angles_, 2) = static_cast<i16>(apex);
  m_.AngTab(angles_, 3) = static_cast<i16>(k);
  return true;
}

/// Derivative of the coordinate with respect to the position of its first atom (of the
/// apex for a bend whose apex is the atom placed), zero where it defines no direction.
V3 IcWalk::gradient(const Cand& c) const {
  const V3 zero{0, 0, 0};
  switch (c.type) {
    case IcStre: {
      V3 d = sub(pos(c.a[0]), pos(c.a[1]));
      double r = len(d);
      return r > 0 ? scale(d, 1.0 / r) : zero;
    }
    case IcBend: {
      // derivative at each end of the angle i-j-k; the apex takes minus their sum
      auto endGrad = [&](int e, int apex, int other) {
        V3 u = sub(pos(e), pos(apex)), v = sub(pos(other), pos(apex));
        double r1 = len(u), r2 = len(v);
        if (r1 == 0 || r2 == 0) return zero;
        u = scale(u, 1.0 / r1);
        v = scale(v, 1.0 / r2);
        double cs = dot(u, v), sn = std::sqrt(std::max(0.0, 1 - cs * cs));
        if (sn < BendSin) return zero;
        return scale(sub(scale(u, cs), v), 1.0 / (r1 * sn));
      };
      int i = c.a[0], j = c.a[1], k = c.a[2];
      if (c.self == j) return scale(add(endGrad(i, j, k), endGrad(k, j, i)), -1.0);
      return c.self == i ? endGrad(i, j, k) : endGrad(k, j, i);
    }
    case IcTors: {
      V3 e1 = sub(pos(c.a[1]), pos(c.a[0]));  // from the end atom to the first axis atom
      V3 e2 = sub(pos(c.a[2]), pos(c.a[1]));  // the axis
      double r1 = len(e1), r2 = len(e2);
      if (r1 == 0 || r2 == 0) return zero;
      e1 = scale(e1, 1.0 / r1);
      e2 = scale(e2, 1.0 / r2);
      double sn = len(cross(e1, e2));
      if (sn < MinSin) return zero;
      V3 other = sub(pos(c.a[3]), pos(c.a[2]));
      if (len(other) == 0 || len(cross(e2, scale(other, 1.0 / len(other)))) < MinSin)
        return zero;  // the far end lies on the axis
      return scale(cross(e1, e2), -1.0 / (r1 * sn * sn));
    }
    case IcOut: {
      // out-of-plane angle of bond l-i against the plane j-l-k, derivative at i
      V3 e1 = sub(pos(c.a[0]), pos(c.a[3])), e2 = sub(pos(c.a[1]), pos(c.a[3])),
         e3 = sub(pos(c.a[2]), pos(c.a[3]));
      double r1 = len(e1), r2 = len(e2), r3 = len(e3);
      if (r1 == 0 || r2 == 0 || r3 == 0) return zero;
      e1 = scale(e1, 1.0 / r1);
      e2 = scale(e2, 1.0 / r2);
      e3 = scale(e3, 1.0 / r3);
      V3 nrm = cross(e2, e3);
      double sinPhi = len(nrm);
      if (sinPhi < MinSin) return zero;
      double sinTheta = dot(nrm, e1) / sinPhi;
      double cosTheta = std::sqrt(std::max(0.0, 1 - sinTheta * sinTheta));
      if (cosTheta < MinSin) return zero;
      return scale(sub(scale(nrm, 1.0 / (cosTheta * sinPhi)), scale(e1, sinTheta / cosTheta)),
                   1.0 / r1);
    }
    case IcBeip:
    case IcBepe: {
      // central differences: the pair is smooth across the straight angle
      int component = c.type == IcBeip ? 0 : 1;
      std::array<V3, 3> x = {pos(c.a[0]), pos(c.a[1]), pos(c.a[2])};
      int moved = c.self == c.a[0] ? 0 : c.self == c.a[1] ? 1 : 2;
      V3 g{};
      for (std::size_t d = 0; d < 3; ++d) {
        double keep = x[std::size_t(moved)][d];
        x[std::size_t(moved)][d] = keep + GradStep;
        double up = linearBendDeviation(x[0], x[1], x[2], component);
        x[std::size_t(moved)][d] = keep - GradStep;
        double down = linearBendDeviation(x[0], x[1], x[2], component);
        x[std::size_t(moved)][d] = keep;
        g[d] = (up - down) / (2 * GradStep);
      }
      return g;
    }
    default:
      return zero;
  }
}

/// Stores a coordinate (a stretch with the heavier atom first); false when it repeated an
/// earlier row and was dropped again.
bool IcWalk::store(const Cand& c, int owner) {
  if (rows_ >= MaxIc) throw BasicError{9};
  int a[4] = {c.a[0], c.a[1], c.a[2], c.a[3]};
  int key = 0;
  if (c.type == IcStre) {
    if (m_.AtZ(a[0]) < m_.AtZ(a[1])) std::swap(a[0], a[1]);
    key = m_.NBondW(a[0]) * m_.NBondW(a[1]);
  }
  ++rows_;
  m_.IcTab(rows_, 0) = cint16(key);
  for (int k = 0; k < 4; ++k) m_.IcTab(rows_, k + 1) = static_cast<i16>(a[k]);
  m_.IcTab(rows_, 5) = static_cast<i16>(c.type);
  m_.IcTab(rows_, 6) = static_cast<i16>(owner);
  i16 n = static_cast<i16>(rows_), counter = static_cast<i16>(count_[c.type] + 1);
  MpoPor(w_, n, counter);
  bool kept = n == rows_;
  rows_ = n;
  count_[c.type] = counter;
  return kept;
}

void IcWalk::finish(bool connected) {
  // stretches first, then bends, out-of-plane coordinates and torsions; stretches of
  // terminal atoms (small key) lead
  Ord2(w_, m_.IcTab, 1, rows_, 5, 6);
  i16 firstBend = 0;
  Jota(w_, m_.IcTab, rows_, 5, IcBend, firstBend);
  int lastStre = firstBend > 0 ? firstBend - 1 : count_[IcStre];
  Ord2(w_, m_.IcTab, 1, lastStre, 0, 6);
  m_.IcRows = static_cast<i16>(rows_);
  m_.NDof(0) = static_cast<i16>(rows_);
  int dof = 3 * n_ - (linear_ ? 5 : 6);
  int pairs = count_[IcBeip] + count_[IcBepe];
  std::string linearPairs = pairs > 0 ? std::string(LinearBends) + Str(pairs) : std::string();
  if (n_ >= 1) {
    tekst(w_, std::string(CountLine) + Str(rows_) + std::string(Stretches) + Str(count_[IcStre]) +
                  std::string(Bends) + Str(count_[IcBend]) + std::string(Outs) +
                  Str(count_[IcOut]) + std::string(Torsions) + Str(count_[IcTors]) + linearPairs);
    tekst(w_, std::string(Compare) + Str(rows_) + std::string(linear_ ? AgainstLinear : Against) +
                  Str(dof) + std::string(rows_ == dof ? Complete : Differs));
  }
  if (!connected) {
    tekst(w_, NotApproved);
    m_.Sw(sw::MatrixDefined) = 0;
  }
  m_.IcFresh = true;
  (void)mode_;
  tekst(w_, EndOfInput);
}

}  // namespace

double icValue(const ModKel& m, int r) {
  int a1 = m.IcTab(r, 1), a2 = m.IcTab(r, 2), a3 = m.IcTab(r, 3), a4 = m.IcTab(r, 4);
  switch (m.IcTab(r, 5)) {
    case IcStre:
      return Dist(m, a1, a2);
    case IcBend:
      return Bend(m, a1, a2, a3);
    case IcOut:
      return Tout(m, a1, a2, a3, a4);
    case IcTors:
      return Tors(m, a1, a2, a3, a4);
    case IcBeip:
    case IcBepe: {
      auto p = [&](int a) { return V3{m.Xyz(a, 1), m.Xyz(a, 2), m.Xyz(a, 3)}; };
      double d = linearBendDeviation(p(a1), p(a2), p(a3), m.IcTab(r, 5) == IcBeip ? 0 : 1);
      return 180.0 - d * 180.0 / 3.14159265358979;
    }
    default:
      return 0.0;
  }
}

double linearBendDeviation(const std::array<double, 3>& i, const std::array<double, 3>& j,
                           const std::array<double, 3>& k, int component) {
  V3 e = sub(k, i);
  double el = len(e);
  if (el == 0) return 0;
  e = scale(e, 1.0 / el);
  // the first Cartesian axis well away from the chain's axis fixes the two planes
  std::size_t ax = 0;
  while (ax < 2 && std::fabs(e[ax]) > 0.6) ++ax;
  V3 ref{0, 0, 0};
  ref[ax] = 1;
  V3 w1 = sub(ref, scale(e, dot(ref, e)));
  w1 = scale(w1, 1.0 / len(w1));
  V3 w2 = cross(e, w1);
  V3 d1 = sub(j, i), d2 = sub(k, j);
  double l1 = len(d1), l2 = len(d2);
  if (l1 == 0 || l2 == 0) return 0;
  d1 = scale(d1, 1.0 / l1);
  d2 = scale(d2, 1.0 / l2);
  // the turn from the first bond to the second about the normal of the chosen plane
  V3 normal = component == 0 ? w2 : w1;
  return std::atan2(dot(cross(d1, d2), normal), dot(d1, d2));
}

void MpoPor(Work& w, i16& n, i16& m) noexcept {
  guard(w, "MpoPor", [&] {
    auto& t = w.m.IcTab;
    int row[6];
    for (int k = 0; k <= 5; ++k) row[k] = t(n, k);
    const i16* col[6];
    for (int k = 0; k <= 5; ++k) col[k] = &t(0, k);  // columns are contiguous
    auto equalTo = [&](int i, int c2, int c3) {
      return col[0][i] == row[0] && col[2][i] == c2 && col[3][i] == c3 && col[4][i] == row[4] &&
             col[5][i] == row[5];
    };
    for (int i = 1; i < n; ++i) {
      if (col[1][i] != row[1]) continue;
      if (equalTo(i, row[3], row[2]) || equalTo(i, row[2], row[3])) {
        for (int k = 0; k <= 6; ++k) t(n, k) = 0;
        --n;
        --m;
        return;
      }
    }
  });
}

void MpoCrd(Work& w, int mode) noexcept {
  guard(w, "MpoCrd", [&] {
    IcWalk walk(w, mode);
    walk.run();
  });
}

}  // namespace kel
