// Kelvorin - desktop workbench for vibrational calculations.
#include "app/exit_dialog.hpp"

#include "app/app.hpp"
#include "app/dispatcher.hpp"

#include <filesystem>
#include <system_error>

namespace kel {

namespace {

constexpr std::string_view ListHead = "Files_to_be_erased:";
constexpr std::string_view RowEnd = "\r\n";
constexpr std::array<const char*, 4> ButtonCaptions = {
    " EXIT and ERASE scratch files", "only EXIT Not Erase", "only ERASE Not Exit", "CANCEL"};
constexpr std::string_view AnalysisScratch = ScrDd2Name;  // checked after "only ERASE"
constexpr int NameWidth = 9;  // shorter names are padded on the left to this width
constexpr int PerRow = 4;     // listed names per row
constexpr Colour ListGrey = rgb(192, 192, 192);
constexpr Colour ListWhite = rgb(255, 255, 255);

template <typename Body>
bool dialogGuard(App& app, std::string_view name, Body&& body) noexcept {
  return guardWith([&](std::string_view n, int number) { KeExit_erra(app, n, number); }, name,
                   std::forward<Body>(body));
}

/// Every window of the program except the main window and the dialog.
void closeOtherWindows(App& app) {
  app.we1.visible = app.we2.visible = false;
  app.obr.visible = false;
  app.odleg.visible = false;
  app.frq.visible = false;
}

/// The list text names name as a whole word: a blank before it and a blank, a line end or
/// the end of the text after it.
bool stillNamed(const std::string& text, const std::string& name) {
  std::string key = " " + name;
  for (auto p = text.find(key); p != std::string::npos; p = text.find(key, p + 1)) {
    std::size_t after = p + key.size();
    if (after == text.size() || text[after] == ' ' || text[after] == '\r' || text[after] == '\n')
      return true;
  }
  return false;
}

void closeDialog(App& app) {
  app.exitDlg.visible = false;
}

/// Length of a regular file, 0 when missing; an empty file stays where it is.
double sizeUntouched(const std::string& name) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(name, ec)) return 0;
  auto n = std::filesystem::file_size(name, ec);
  return ec ? 0.0 : double(n);
}

}  // namespace

KeExit::KeExit() {
  Fi.text = std::string(ListHead) + std::string(RowEnd);
  Text4.visible = false;
  for (std::size_t i = 0; i < Bu.size(); ++i) Bu[i].text = ButtonCaptions[i];
}

std::vector<std::string> scratchNames() {
  std::vector<std::string> v;
  v.reserve(86);
  for (const char* p :
       {"a", "c", "e", "f", "i", "m", "n", "o", "r", "", "s", "u", "w", "x", "y", "z"})
    v.push_back(std::string(p) + "skrK.dd2");
  for (const char* p : {"a", "c", "i", "m", "n", "o", "r", "", "s", "u", "w", "x", "y"})
    for (const char* e : {".ved", ".vdf", ".vd"}) v.push_back(std::string(p) + "skrK" + e);
  for (const char* n : {"skrK.geo", "sskrK.geo", "eskrK.geo", "skrK.txt"}) v.emplace_back(n);
  for (const char* e : {".txt", ".dd2"})
    for (int d = 1; d <= 8; ++d) v.push_back("skrK-" + std::to_string(d) + e);
  for (const char* n : {"skrK.kol", "skrK.log", "eskrK.mpo", "iskrK.mpo", "skrK.mpo", "sskrK.mpo",
                        "skrK.bb", "skrK.ff", "skrK.gg", "skrK.ll", "skrK.qq"})
    v.emplace_back(n);
  return v;
}

void fillScratchList(App& app, bool removeEmpty) {
  auto& d = app.exitDlg;
  d.names = scratchNames();
  d.listed.assign(d.names.size(), false);
  d.Fi.text = std::string(ListHead) + std::string(RowEnd);
  d.lastIndex = -1;
  int count = 0;
  for (std::size_t k = 0; k < d.names.size(); ++k) {
    const std::string& name = d.names[k];
    double n = 0;
    if (removeEmpty) {
      Splf(app, name, n);
      if (n == 0) deleteFile(name);  // an empty scratch file of the program's own is cleared away
    } else {
      n = sizeUntouched(name);
    }
    if (n <= 0) continue;
    if (int(name.size()) < NameWidth) d.Fi.text.append(std::size_t(NameWidth) - name.size(), ' ');
    d.Fi.text += " " + name + " ";
    d.listed[k] = true;
    d.lastIndex = int(k);
    if (++count % PerRow == 0) d.Fi.text += RowEnd;
  }
  d.editMode = 1;
  d.Fi.backColour = ListGrey;
}

void Filek(App& app) noexcept {
  dialogGuard(app, "Filek", [&] {
    app.files.closeAll();
    app.frm.visible = false;
    app.m.VibMode = 0;
    fillScratchList(app, true);
    if (app.exitDlg.lastIndex < 0) Bu_Click(app, 1);
  });
}

void FiFi(App& app) noexcept {
  dialogGuard(app, "FiFi", [&] {
    auto& d = app.exitDlg;
    if (d.Fi.text.empty() || d.lastIndex < 0) return;
    for (int k = 0; k <= d.lastIndex && k < int(d.names.size()); ++k) {
      if (!d.listed[std::size_t(k)]) continue;
      const std::string& name = d.names[std::size_t(k)];
      if (d.editMode == -1 && !stillNamed(d.Fi.text, name)) continue;
      deleteFile(name);  // a file that cannot be deleted stays
    }
  });
}

void Bu_Click(App& app, int Ind) noexcept {
  dialogGuard(app, "Bu_Click", [&] {
    auto& d = app.exitDlg;
    switch (Ind) {
      case 0:
        closeOtherWindows(app);
        app.frm.visible = false;
        FiFi(app);
        closeDialog(app);
        d.endProgram = true;
        break;
      case 1:
        closeOtherWindows(app);
        app.frm.visible = false;
        closeDialog(app);
        d.endProgram = true;
        break;
      case 2: {
        app.frm.visible = true;
        FiFi(app);
        closeDialog(app);
        double n = 0;
        Splf(app, std::string(AnalysisScratch), n);
        if (n <= 0) ibut_Click(app, cmd::ScratchCheck);
        break;
      }
      case 3:
        app.frm.visible = true;
        closeDialog(app);
        break;
      default:
        break;
    }
  });
}

void Splf(App& app, const std::string& f, double& n) noexcept {
  n = -1;
  dialogGuard(app, "Splf", [&] { n = double(spl(f)); });
}

void Fi_Change(App& app) {
  auto& d = app.exitDlg;
  if (d.editMode == 0 || d.editMode == -1) return;
  d.Fi.backColour = ListWhite;
  d.editMode = -1;
}

void Fi_Click(App& app) {
  app.exitDlg.Text4.visible = false;
}

void KeExit_Text4_Change(App& app) {
  app.exitDlg.Text4.visible = true;
}

void KeExit_erra(App& app, std::string_view u, int number) {
  erraTo(app, app.exitDlg.Text4, u, number);
}

}  // namespace kel
