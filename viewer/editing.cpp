// Kelvorin - desktop workbench for vibrational calculations.
// Editing from the viewer: deleting atoms with a one-step undo, changing a distance.
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/bookkeeping.hpp"
#include "topology/connections.hpp"
#include "viewer/texts.hpp"
#include "viewer/viewer.hpp"
#include "viewer/viewer_forms.hpp"
#include "viewer/viewer_guard.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kel {

namespace {

constexpr std::string_view ClickToDelete = "click an atom to be deleted";
constexpr std::string_view EndDeletion = "End atoms  deletion";
constexpr std::string_view AtomText = "atom:";
constexpr std::string_view DeletedText = "deleted";
constexpr std::string_view RestoredText = "Restored";
constexpr std::string_view ClickTwo = "click two atoms";
constexpr std::string_view CurrentDistance = texts::CurrentDistance;
constexpr std::string_view DistanceChanged = "distance changed";
constexpr std::string_view ChangeDist = "change dist.";
constexpr std::string_view AtomsText = "atoms:";
constexpr std::string_view FactorText = "fx= ";
constexpr std::string_view FactorPattern = "####0.0000";
constexpr std::string_view DistanceText = "distance:";
constexpr std::string_view NotAccepted = "not accepted";
constexpr std::string_view XChange = "x change = ";
constexpr std::string_view ShiftPattern = "0.00000";
constexpr std::string_view Crlf = "\r\n";
constexpr std::string_view QuietDerive = "**";

/// Index of ModeD entry (mode md, atom i, component c) in the undo copy.
std::size_t modeIndex(int nat, int md, int i, int c) {
  return (std::size_t(md - 1) * std::size_t(nat) + std::size_t(i - 1)) * 3 + std::size_t(c - 1);
}

/// The counts that follow the atom count, the inverse masses per coordinate and the extents.
void setAtomCount(ModKel& m, int n) {
  setCounts(m, n);
  m.NDof(0) = m.NDof(4);
  setInverseMasses(m, n);
  fillBox(m, n);
}

/// Rebuilds the connection matrix from the distances, quietly.
void rebuildMatrix(Viewer& vw) {
  std::string name(QuietDerive);
  MpoDef(vw, name);
}

/// Keeps what a deletion changes beyond the model's own undo copies: the displacements and
/// the per-atom values that derive from the element.
void saveUndo(Viewer& vw, int a) {
  auto& m = vw.m;
  auto& v = vw.obr.v;
  v.UndoAtom = i16(a);
  v.UndoNAt = m.NAt;
  v.UndoNFrq = m.NFrq;
  v.UndoLab.assign(MaxAt + 1, {});
  v.UndoRad.assign(MaxAt + 1, 0);
  v.UndoMas0.assign(MaxAt + 1, 0);
  for (int i = 1; i <= MaxAt; ++i) {
    v.UndoLab[std::size_t(i)] = m.AtLab(i);
    v.UndoRad[std::size_t(i)] = m.AtRad(i);
    v.UndoMas0[std::size_t(i)] = m.AtMas0(i);
  }
  v.UndoModeD.assign(std::size_t(m.NFrq) * std::size_t(m.NAt) * 3, 0);
  for (int md = 1; md <= m.NFrq; ++md)
    for (int i = 1; i <= m.NAt; ++i)
      for (int c = 1; c <= 3; ++c) v.UndoModeD[modeIndex(m.NAt, md, i, c)] = m.ModeD(md, i, c);
}

/// The displacements of the atoms kept, turned into the orientation the coordinates take.
void compactModes(Viewer& vw, int a, int nat) {
  auto& m = vw.m;
  auto& v = vw.obr.v;
  for (int md = 1; md <= v.UndoNFrq; ++md)
    for (int i = 1; i < nat; ++i) {
      int src = i < a ? i : i + 1;
      for (int c = 1; c <= 3; ++c) {
        double s = 0;
        for (int d = 1; d <= 3; ++d) s += v.UndoModeD[modeIndex(nat, md, src, d)] * v.Orient(d, c);
        m.ModeD(md, i, c) = CInt(s);
      }
    }
}

}  // namespace

void DelAto_Click(Viewer& vw) noexcept {
  vguard(vw, "DelAto_Click", [&] {
    auto& o = vw.obr;
    o.v.KeepN = -1;
    o.delmo.visible = o.obut[17].visible = true;
    o.chamo.visible = o.gemo.visible = false;
    o.obut[15].visible = o.obut[16].visible = false;
    vw.odleg.visible = false;
    Clear_Click(vw);
    setWynik(vw, ClickToDelete);
  });
}

void leaveDelete(Viewer& vw) noexcept {
  vguard(vw, "leaveDelete", [&] {
    auto& o = vw.obr;
    o.delmo.visible = false;
    for (int i = 15; i <= 17; ++i) o.obut[std::size_t(i)].visible = false;
    o.v.KeepN = 0;
    o.stary.visible = false;
    GeOFF(vw);
    setWynik(vw, EndDeletion);
  });
}

void deleteAtom(Viewer& vw, int a) noexcept {
  vguard(vw, "deleteAtom", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    auto& m = vw.m;
    if (a < 1 || a > v.NView || v.NView <= 1) return;  // the last atom stays
    // 1. undo copies
    for (int i = 1; i <= MaxAt; ++i) {
      m.AtSymU(i) = m.AtSym(i);
      m.AtZU(i) = m.AtZ(i);
      m.AtMasU(i) = m.AtMas(i);
      for (int c = 0; c <= 3; ++c) m.XyzOld(i, c) = m.Xyz(i, c);
    }
    saveUndo(vw, a);
    int nat = m.NAt;
    // 2.-3. atoms above a move down by one
    v.NView = i16(v.NView - 1);
    for (int i = a; i <= v.NView; ++i) {
      for (int c = 0; c <= 3; ++c) m.XyzV(i, c) = m.XyzV(i + 1, c);
      m.AtSym(i) = m.AtSym(i + 1);
      m.AtZ(i) = m.AtZ(i + 1);
      m.AtMas(i) = m.AtMas(i + 1);
      m.AtLab(i) = m.AtLab(i + 1);
      m.AtRad(i) = m.AtRad(i + 1);
      m.AtMas0(i) = m.AtMas0(i + 1);
    }
    // 4. the structure keeps the orientation shown, its displacements with it
    for (int i = 1; i <= v.NView; ++i)
      for (int c = 0; c <= 3; ++c) m.Xyz(i, c) = m.XyzV(i, c);
    compactModes(vw, a, nat);
    // 5. the model is the shortened structure
    setAtomCount(m, v.NView);
    rebuildMatrix(vw);
    // 6.-8.
    Start(vw);
    v.KeepN = -1;
    o.delmo.visible = o.obut[17].visible = o.stary.visible = true;
    vw.odleg.visible = false;
    Reno(vw);  // the labels come back, so that the next atom can be clicked
    setWynik(vw, std::string(AtomText) + Str(a) + std::string(Crlf) + std::string(DeletedText));
  });
}

void stary_Click(Viewer& vw) noexcept {
  vguard(vw, "stary_Click", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    auto& m = vw.m;
    if (v.UndoAtom == 0) return;  // nothing deleted since the last undo
    for (int i = 1; i <= MaxAt; ++i) {
      for (int c = 0; c <= 3; ++c) m.Xyz(i, c) = m.XyzOld(i, c);
      m.AtSym(i) = m.AtSymU(i);
      m.AtZ(i) = m.AtZU(i);
      m.AtMas(i) = m.AtMasU(i);
      m.AtLab(i) = v.UndoLab[std::size_t(i)];
      m.AtRad(i) = v.UndoRad[std::size_t(i)];
      m.AtMas0(i) = v.UndoMas0[std::size_t(i)];
    }
    for (int md = 1; md <= v.UndoNFrq; ++md)
      for (int i = 1; i <= v.UndoNAt; ++i)
        for (int c = 1; c <= 3; ++c)
          m.ModeD(md, i, c) = v.UndoModeD[modeIndex(v.UndoNAt, md, i, c)];
    v.UndoAtom = 0;
    v.UndoModeD.clear();
    setWynik(vw, RestoredText);
    v.NView = i16(v.NView + 1);
    setAtomCount(m, v.NView);
    rebuildMatrix(vw);
    v.KeepN = 0;
    Start(vw);
  });
}

void ChaDis_Click(Viewer& vw) noexcept {
  vguard(vw, "ChaDis_Click", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    o.chamo.visible = o.obut[16].visible = true;
    o.delmo.visible = o.obut[17].visible = false;
    o.gemo.visible = o.obut[15].visible = false;
    v.KeepN = 0;
    o.Clear.visible = true;
    GeOn(vw);
    v.LabelsOn = 1;
    if (v.Sel[0] == 0 || v.Sel[1] == 0 || v.Sel[2] != 0) {
      Clear_Click(vw);
      setWynik(vw, ClickTwo);
      GeOn(vw);
    } else {
      odlegShow(vw);
    }
  });
}

void leaveChange(Viewer& vw) noexcept {
  vguard(vw, "leaveChange", [&] {
    auto& o = vw.obr;
    o.chamo.visible = false;
    for (int i = 15; i <= 17; ++i) o.obut[std::size_t(i)].visible = false;
    vw.odleg.visible = false;
    GeOFF(vw);
    setWynik(vw, "");
  });
}

void odlegShow(Viewer& vw) noexcept {
  vguard(vw, "odlegShow", [&] {
    auto& d = vw.odleg;
    d.visible = true;
    d.Text1.text = vw.obr.wynik.text;
    d.Label1.text = std::string(CurrentDistance);
  });
}

void odlegText2_Change(Viewer& vw) noexcept {
  vguard(vw, "odlegText2_Change", [&] { vw.odleg.value = Val(vw.odleg.Text2.text); });
}

void odlegText2_DblClick(Viewer& vw) noexcept {
  vguard(vw, "odlegText2_DblClick", [&] {
    vw.odleg.Text2.text.clear();
    odlegText2_Change(vw);
  });
}

void odlegOK(Viewer& vw) noexcept {
  vguard(vw, "odlegOK", [&] {
    auto& d = vw.odleg;
    d.accepted = true;
    d.Label1.text = std::string(DistanceChanged);
    d.DesDist = d.value;
    Oile(vw);
    auto p = findCi(d.Text1.text, "d=");
    if (p != std::string::npos) d.Text1.text = d.Text1.text.substr(0, p + 3) + Str(d.DesDist);
  });
}

void odlegCancel(Viewer& vw) noexcept {
  vguard(vw, "odlegCancel", [&] {
    vw.odleg.accepted = false;
    vw.odleg.visible = false;
    ClearCa(vw);
  });
}

void Oile(Viewer& vw) noexcept {
  vguard(vw, "Oile", [&] {
    auto& o = vw.obr;
    auto& v = o.v;
    auto& m = vw.m;
    double D = vw.odleg.DesDist;
    int s1 = v.Sel[0], s2 = v.Sel[1];
    auto close = [&] {
      o.chamo.visible = o.obut[16].visible = false;
      vw.odleg.visible = false;
      GeOFF(vw);
      v.Sel.fill(0);
    };
    if (D > 0 && (s1 == 0 || s2 == 0)) {
      setWynik(vw, ClickTwo);
      return;
    }
    if (!(D > 0)) {
      close();
      setWynik(vw, std::string(DistanceText) + std::string(Crlf) + Str(D) + std::string(Crlf) +
                       std::string(NotAccepted));
      return;
    }
    // the atom further right moves; on equal x the first one
    int mv = m.XyzV(s2, 1) > m.XyzV(s1, 1) ? s2 : s1;
    int k = mv == s1 ? s2 : s1;
    double d = 0;
    for (int c = 1; c <= 3; ++c) d += std::pow(m.XyzV(mv, c) - m.XyzV(k, c), 2);
    d = std::sqrt(d);
    if (d == 0) d = 1e-8;
    double f = D / d;
    Suwaj(vw, k, mv, f);
    close();
    Reno(vw);
    setWynik(vw, std::string(ChangeDist) + std::string(Crlf) + std::string(AtomsText) + Str(k) +
                     Str(mv) + std::string(Crlf) + std::string(FactorText) +
                     formatPattern(f, FactorPattern));
  });
}

void Suwaj(Viewer& vw, int k, int mv, double f) noexcept {
  vguard(vw, "Suwaj", [&] {
    auto& v = vw.obr.v;
    auto& m = vw.m;
    setWynik(vw, std::string(XChange) + std::string(Crlf) + formatPattern(f, ShiftPattern));
    // the fragment: everything reachable from mv without passing through k
    std::vector<int> frag{mv};
    std::vector<bool> in(std::size_t(v.NView) + 1, false);
    in[std::size_t(mv)] = true;
    for (bool grew = true; grew;) {
      grew = false;
      for (int j = 1; j <= v.NView; ++j) {
        if (j == k || in[std::size_t(j)]) continue;
        for (int q : frag)
          if (m.Mpo(q, j) != 0) {
            frag.push_back(j);
            in[std::size_t(j)] = true;
            grew = true;
            break;
          }
      }
    }
    double shiftV[4] = {}, shiftM[4] = {};
    for (int c = 1; c <= 3; ++c) {
      double oldV = m.XyzV(mv, c), oldM = m.Xyz(mv, c);
      m.XyzV(mv, c) = (m.XyzV(mv, c) - m.XyzV(k, c)) * f + m.XyzV(k, c);
      m.Xyz(mv, c) = (m.Xyz(mv, c) - m.Xyz(k, c)) * f + m.Xyz(k, c);
      shiftV[c] = m.XyzV(mv, c) - oldV;
      shiftM[c] = m.Xyz(mv, c) - oldM;
    }
    for (std::size_t q = 1; q < frag.size(); ++q)
      for (int c = 1; c <= 3; ++c) {
        m.XyzV(frag[q], c) += shiftV[c];
        m.Xyz(frag[q], c) += shiftM[c];
      }
    Uklad(vw, 1);
  });
}

}  // namespace kel
