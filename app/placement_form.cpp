// Kelvorin - desktop workbench for vibrational calculations.
#include "app/placement_form.hpp"

#include "app/app.hpp"
#include "app/dispatcher.hpp"
#include "base/convert.hpp"
#include "model/bookkeeping.hpp"
#include "model/placement.hpp"
#include "topology/connections.hpp"
#include "viewer/viewer.hpp"

namespace kel {

namespace {

constexpr std::string_view OldText = "old";
constexpr std::string_view LaText = " la=";
constexpr std::string_view Cancelled = "... add stucture cancelled";
constexpr std::string_view AddMpo = "add.mpo";
constexpr std::string_view MpoExists = "....";

/// The placement check boxes as directions (0 right, 1 left, 2 top, 3 bottom, 4 above, 5 under).
std::array<bool, 6> checkedBoxes(const App& app) {
  std::array<bool, 6> boxes{};
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i] = app.frm.Che1[i].value != 0;
  return boxes;
}

}  // namespace

void FmaCon(App& app, std::string& name) noexcept {
  guard(app, "FmaCon", [&] {
    auto& m = app.m;
    const int n1 = m.NAtFirst, n = m.NAt;
    tekst(app, std::string(OldText) + Str(n1) + std::string(LaText) + Str(n));
    seta_xyz(app, n1, n, checkedBoxes(app));
    cutZeros(m, n);
    for (int i = 1; i <= n; ++i)
      for (int k = 0; k <= 3; ++k) m.XyzOld(i, k) = m.Xyz(i, k);
    m.FilNam += ".a";
    name = std::string(AddMpo);
    if (fileExists(name)) tekst(app, std::string(MpoExists) + name);
    std::string derive = "*";
    MpoDef(app, derive);
    set_xyz(app, n);
    Start(app);
    setCounts(m, n);
  });
}

void AddCon_Click(App& app) {
  guard(app, "AddCon_Click", [&] {
    klucze(app, 0);
    bool any = false;
    for (int i = 0; i < 6; ++i) any = any || app.frm.Che1[std::size_t(i)].value != 0;
    if (!any) {
      app.frm.settingChe1 = true;
      app.frm.Che1[0].value = 1;
      app.frm.settingChe1 = false;
    }
    std::string name;
    FmaCon(app, name);
  });
}

void AddNie_Click(App& app) {
  guard(app, "AddNie_Click", [&] {
    auto& m = app.m;
    klucze(app, 0);
    tekst(app, Cancelled);
    m.NAt = m.NAtFirst;
    m.NFrq = m.NFrqFirst;
    // The counts describe the structure that stays, not the one dropped.
    setCounts(m, m.NAt);
  });
}

void Che1_Click(App& app, int index) {
  guard(app, "Che1_Click", [&] {
    if (app.frm.settingChe1 || index < 0 || index > 5) return;
    auto& boxes = app.frm.Che1;
    if (boxes[std::size_t(index)].value == 0) return;
    // One box per axis: checking one clears its partner (0-1, 2-3, 4-5).
    app.frm.settingChe1 = true;
    boxes[std::size_t(index ^ 1)].value = 0;
    app.frm.settingChe1 = false;
  });
}

void List1_Click(App& app, int index) {
  guard(app, "List1_Click", [&] {
    if (index < 0 || index > 5) return;
    auto& box = app.frm.Che1[std::size_t(index)];
    box.value = box.value ? 0 : 1;
    Che1_Click(app, index);
  });
}

}  // namespace kel
