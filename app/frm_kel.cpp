// Kelvorin - desktop workbench for vibrational calculations.
#include "app/frm_kel.hpp"

namespace kel {

namespace {
constexpr std::array<const char*, 9> ButtonCaptions = {
    "Input geometry", "Input  .LOG ",     "View &Structure", "&Export .PDB",       "Create .GJF",
    " &Input .MPO",   "&Save .kel as is", "E&xit",           "&Add .kel structure"};
}

FrmKel::FrmKel() {
  // Designed geometry of the console (surface units): Par(par::ConsoleTop) and
  // Par(par::ConsoleHeight) read it.
  Text2.top = 1560;
  Text2.height = 6240;
  Text2.visible = false;
  Text1.visible = false;
  Text3.visible = false;
  Text4.visible = false;
  burek.text = "&Back";
  burek.visible = false;
  fosi.text = "F8";
  Tulan.visible = true;
  kelwin.visible = true;
  for (std::size_t i = 0; i < ibut.size(); ++i) ibut[i].text = ButtonCaptions[i];
  ibut[5].toolTip = "file with atom connections";
  Nowa.text = "where to put";
  List1.items = {"right side", "left side", "top", "bottom", "above", "under!"};
  AddCon.text = "CONTINUE";
  AddNie.text = "cancel";
  Nowa.visible = List1.visible = AddCon.visible = AddNie.visible = false;
  for (auto& c : Che1) c.visible = false;
}

}  // namespace kel
