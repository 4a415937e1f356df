// Kelvorin - desktop workbench for vibrational calculations.
// Picture output: the bitmap file (or the clipboard), the printer, the colour file.
#include "base/strings.hpp"
#include "model/work_folder.hpp"
#include "viewer/viewer.hpp"
#include "viewer/viewer_forms.hpp"
#include "viewer/viewer_guard.hpp"

namespace kel {

namespace {

constexpr std::string_view Caution = "CAUTION: already exists file";
constexpr std::string_view CancelOrOk = "{Cancel - to clipboard,  OK - overwrite}";
constexpr std::string_view OrNewName = "or new filename ";
constexpr std::string_view BitmapExt = ".bmp";
constexpr std::string_view ClipboardText = "clipboard";
constexpr std::string_view SavedText = "saved";
constexpr double PrintTop = 1200;  // twips from the top of the page

}  // namespace

std::string pictureName(Viewer& vw, std::string name) {
  for (;;) {
    if (spl(name) <= 0) return name;  // missing, or empty: nothing would be lost
    std::string prompt = std::string(Caution) + "\r" + name + "\r" + std::string(CancelOrOk) +
                         "\r" + std::string(OrNewName);
    std::string answer = trim(vw.work.prompt->inputBox(prompt, vw.obr.caption, name));
    vw.yield();
    if (answer.empty()) return {};
    if (answer == name) return name;
    name = answer;
    if (name.find('.', fileNameStart(name)) == std::string::npos) name += BitmapExt;
  }
}

void Bitmapa(Viewer& vw) noexcept {
  vguard(vw, "Bitmapa", [&] {
    auto& o = vw.obr;
    std::string name = pictureName(vw, sideFile(vw, vw.m.FilNam + std::string(BitmapExt)));
    if (name.empty()) {
      if (o.clipboard) {
        o.clipboard->clear();
        o.clipboard->setPicture(*o.Pic1);
      }
      setWynik(vw, ClipboardText);
      return;
    }
    if (!o.Pic1->savePicture(name)) throw BasicError{75};
    setWynik(vw, SavedText);
  });
}

void Drukuj(Viewer& vw) noexcept {
  vguard(vw, "Drukuj", [&] {
    auto& o = vw.obr;
    if (!o.printer) return;
    o.printer->drawPicture(*o.Pic1, 0, PrintTop);
    o.printer->endDoc();
  });
}

void Ima1_Click(Viewer& vw) noexcept {
  vguard(vw, "Ima1_Click", [&] {
    auto& o = vw.obr;
    for (auto& im : o.Ima1) im.visible = !im.visible;
    const std::string& name = vw.m.KolNam;
    if (!name.empty() && spl(name) <= 0) writeColours(vw, name);
    setWynik(vw, name);
  });
}

}  // namespace kel
