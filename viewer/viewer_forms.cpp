// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/viewer_forms.hpp"
#include "viewer/texts.hpp"

#include <string>

namespace kel {

namespace {

constexpr std::array<std::string_view, 18> ObutCaptions = {"&Bitmapa",
                                                           "&Print",
                                                           "&Symbols",
                                                           "&H-atoms",
                                                           "&Geometry",
                                                           "&Vibrations",
                                                           "&XY",
                                                           "&YZ",
                                                           "&ZX",
                                                           "+",
                                                           "-",
                                                           "+",
                                                           "-",
                                                           "+",
                                                           "-",
                                                           "EXIT &Geometry",
                                                           "EXIT & Change d.",
                                                           "EXIT  &Delete"};
constexpr Colour ExitColour = 0xE0E0E0;
/// What the six rotation buttons 9..14 turn about, and which way.
constexpr std::array<std::string_view, 6> RotationTips = {
    "Turn in the screen plane (about the depth axis), clockwise",
    "Turn in the screen plane (about the depth axis), anticlockwise",
    "Turn about the horizontal screen axis, the top away",
    "Turn about the horizontal screen axis, the top nearer",
    "Turn about the vertical screen axis, the right side away",
    "Turn about the vertical screen axis, the right side nearer"};
constexpr std::string_view RotationStepTip = " (10 degrees; Shift 5, Ctrl 2.5, Alt 0.625)";
constexpr std::string_view ColourTip =
    "Colour file: show its name; write the element colours to it when it is missing or empty";
constexpr std::string_view FitCaption = "Fit";
constexpr std::string_view FitTip = "Fit the whole molecule to the picture (F or Home)";
constexpr std::string_view BestCaption = "Best view";
constexpr std::string_view BestTip =
    "Largest extent across, smallest in depth: planar molecules face on (B)";
constexpr std::string_view ArrowsCaption = "Arrows";
constexpr std::string_view ArrowsTip =
    "Displacement arrows of the mode shown: each atom's swing at full amplitude";
constexpr std::string_view ClearCaption = "&Clear";
constexpr std::string_view ClearTip = "Clear selected atoms and text box";
constexpr std::string_view DelAtoCaption = "Delete &Atom";
constexpr std::string_view ChaDisCaption = "Change distance";
constexpr std::string_view StaryCaption = "UNDO delete";
constexpr std::string_view GemoCaption = "geomerty mode";
constexpr std::string_view DelmoCaption = "delete mode";
constexpr std::string_view ChamoCaption = "change distance";
constexpr std::string_view VimoCaption = "vibrations mode";
constexpr std::string_view WynikText = "min / max =";
constexpr std::string_view WynikTip = "ar >0 to increase, ar<0 to decrease  atom radius";
constexpr std::string_view StopClose = texts::StopClose;
constexpr std::string_view LasCaption = "default speed";
constexpr std::string_view LaaCaption = "default amplitude";
constexpr std::string_view Label1Caption = texts::CurrentDistance;
constexpr std::string_view DesiredCaption = "desired distance:";

Control hidden(std::string_view caption) {
  Control c;
  c.text = std::string(caption);
  c.visible = false;
  return c;
}

}  // namespace

FrmObr::FrmObr() {
  for (std::size_t i = 0; i < obut.size(); ++i) obut[i].text = std::string(ObutCaptions[i]);
  for (int i = 15; i <= 17; ++i) {
    obut[i].visible = false;
    obut[i].backColour = ExitColour;
  }
  for (int i = 9; i <= 14; ++i) {
    obut[i].backColour = ExitColour;
    obut[i].toolTip = std::string(RotationTips[std::size_t(i - 9)]) + std::string(RotationStepTip);
  }
  for (auto& im : Ima1) im.toolTip = std::string(ColourTip);
  FitBut.text = std::string(FitCaption);
  FitBut.toolTip = std::string(FitTip);
  BestBut.text = std::string(BestCaption);
  BestBut.toolTip = std::string(BestTip);
  Arrows.text = std::string(ArrowsCaption);
  Arrows.toolTip = std::string(ArrowsTip);
  obut[5].enabled = false;
  wynik.text = std::string(WynikText);
  wynik.toolTip = std::string(WynikTip);
  wynik.fontSize = 12;
  Clear = hidden(ClearCaption);
  Clear.toolTip = std::string(ClearTip);
  DelAto.text = std::string(DelAtoCaption);
  ChaDis.text = std::string(ChaDisCaption);
  stary = hidden(StaryCaption);
  gemo = hidden(GemoCaption);
  delmo = hidden(DelmoCaption);
  chamo = hidden(ChamoCaption);
  vimo = hidden(VimoCaption);
  Teker.visible = false;
  Ima1[1].visible = false;
  for (int p = 1; p <= MaxAt; ++p) Za[std::size_t(p)].caption = std::to_string(p);
}

KelFrq::KelFrq() {
  Comb.items.emplace_back(StopClose);
  Teker.visible = false;
  for (auto* s : {&HSS, &HSA}) {
    s->min = 0;
    s->max = 20000;
    s->smallChange = 100;
    s->largeChange = 1000;
    s->value = 3000;
  }
  Las.text = std::string(LasCaption);
  Laa.text = std::string(LaaCaption);
}

Odleg::Odleg() {
  Label1.text = std::string(Label1Caption);
  desired.text = std::string(DesiredCaption);
  Command1.text = "O. K.";
  Command2.text = "Cancel";
}

}  // namespace kel
