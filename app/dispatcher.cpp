// Kelvorin - desktop workbench for vibrational calculations.
#include "app/dispatcher.hpp"

#include "app/app.hpp"
#include "app/strings.hpp"
#include "viewer/viewer.hpp"

namespace kel {

namespace {

constexpr std::string_view TipPrefix = "[Click + Enter] = ";
constexpr std::string_view TipMpo = "input MPO";
constexpr std::string_view TipView = "view structure";

bool on(const App& app, int i) { return app.m.Sw(i) != 0; }

/// The preparation every command starts with.
void prepare(App& app, int index) {
  auto& f = app.frm;
  f.burek.visible = false;
  f.burek.tag.clear();
  if (index != 14 && index != 15 && index != 17 && index != 21) {
    f.Text4.text.clear();
    f.Text4.visible = false;
  }
  f.ibut[5].backColour = LightGrey;
  for (auto& b : f.ibut) b.visible = b.enabled = true;
  f.HoverOff = false;
  f.Text2.visible = f.Text3.visible = true;
  f.Text3.toolTip = std::string(TipPrefix) + std::string(on(app, 0) ? TipMpo : TipView);
  f.ibut[7].enabled = f.ibut[8].enabled = true;
  f.ibut[3].enabled = !on(app, 92) && !on(app, 121) && !on(app, 34);
  if (on(app, 9)) f.ibut[3].enabled = false;
  app.m.Par(29) = on(app, 16) ? LightGreen : LightGrey;
}

/// A structure has been read: prepare the window and the viewer.
void afterRead(App& app) {
  auto& f = app.frm;
  auto& m = app.m;
  f.VScr2.visible = true;
  m.Sw(14) = m.Sw(16) = m.Sw(17) = 0;
  m.Par(30) = LightGrey;
  f.ibut[5].backColour = LightGrey;
  f.ibut[8].visible = m.NAt >= 1;
  std::string name = trim(app.we1.Label.tag);
  if (m.Par(39) > 0) {
    name = f.Arg2;
    m.Par(39) = 0;
  }
  if (!name.empty()) {
    f.Arg2 = name;
    m.Sw(13) = -1;
    f.ibut[1].enabled = true;
    std::size_t start = fileNameStart(name);
    auto dot = name.find('.', start);
    m.JobNam = dot == std::string::npos ? name : name.substr(0, dot);
    if (m.MpoNam.empty()) m.MpoNam = m.JobNam + ".mpo";
  }
  if (!on(app, 9)) {
    if (on(app, 8)) {
      Start(app);
      m.Sw(8) = 0;
    }
    app.obr.visible = true;
    app.obr.minimised = m.Par(40) == 0;
    if (m.Par(40) == 0) m.Par(40) = 1;
    if (!m.FilNam.empty()) m.MpoNam = m.FilNam + ".mpo";
  }
}

}  // namespace

void klucze(App& app, int k) {
  auto& f = app.frm;
  bool show = k != 0;
  f.Nowa.visible = f.List1.visible = f.AddCon.visible = f.AddNie.visible = show;
  for (auto& c : f.Che1) c.visible = show;
}

void ibut_Click(App& app, int Index) noexcept {
  guard(app, "ibut_Click", [&] {
    prepare(app, Index);
    switch (Index) {
      case 14: afterRead(app); break;
      default: break;
    }
  });
}

}  // namespace kel
