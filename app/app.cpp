// Kelvorin - desktop workbench for vibrational calculations.
#include "app/app.hpp"

#include "app/analysis_log.hpp"
#include "app/dispatcher.hpp"
#include "topology/connections.hpp"
#include "viewer/viewer.hpp"

namespace kel {

namespace {
constexpr std::string_view ViewCaption = "  VIEW Kelv";
}

App::App() : Work(frm), view(*this, obr, frq, odleg) {
  hooks.connections = [this](std::string& name) { MpoDef(*this, name); };
  hooks.showStructure = [this] {
    Start(view);
    obr.visible = true;
  };
  hooks.modesReplaced = [this] {
    frq.visible = false;
    startOverlapCheck(*this);
  };
  hooks.modesSettled = [this] {
    if (earlyOverlap) earlyOverlap->wait();
  };
  hooks.namesChanged = [this] { obr.caption = m.ShowNam + std::string(ViewCaption); };
  hooks.placementControls = [this](bool shown) { klucze(*this, shown ? 1 : 0); };
  hooks.breakStarted = [this] { frm.ibut[1].enabled = true; };
  hooks.geometryChoice = [this] {
    const auto& boxes = we2.La2;
    return boxes[0].value   ? GeometryChoice::First
           : boxes[1].value ? GeometryChoice::Last
                            : GeometryChoice::Emin;
  };
  view.hooks.pointerOver = [this] {
    if (!frm.visible) {
      frm.visible = true;
      frm.Text1.text = obr.v.MainText;
      ibut_Click(*this, cmd::AfterRead);
    } else if (!we1.visible && !we2.visible && !exitDlg.visible && !frq.visible && obr.picVisible) {
      obr.picFocus = true;
    }
  };
}

App::~App() = default;

}  // namespace kel
