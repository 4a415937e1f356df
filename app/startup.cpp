// Kelvorin - desktop workbench for vibrational calculations.
#include "app/startup.hpp"

#include "app/analysis_log.hpp"
#include "app/app.hpp"
#include "app/choosers.hpp"
#include "app/dispatcher.hpp"
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/work_folder.hpp"
#include "readers/gaussian_output.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kel {

namespace {

/// Start-up values of the slots that no procedure reads: the vector starts as it always has.
constexpr std::pair<int, double> StartValues[] = {
    {53, 70}, {54, 75}, {55, 90}, {47, 0.4}, {7, 70}, {8, 4}, {9, 5}, {10, 0.05}, {11, 0.01},
    {0, 1},   {1, 1},   {2, 1},   {3, 1},    {4, 1},  {5, 1}, {6, 0}, {12, 0},    {13, 0}};

constexpr std::string_view VersionCaption = "  Kelvorin 2.2 ";
constexpr std::string_view IniName = "kelv.ini";
constexpr std::string_view EditorKey = "editor.";
constexpr std::string_view Notepad = "notepad ";
constexpr std::string_view WordPad = "c:\\program files\\windows nt\\accessories\\wordpad.exe";
constexpr std::string_view DirectoryError = "directory error";
constexpr std::string_view DirectoryChanged = "directory changed to ";
constexpr std::string_view WhoIsThat = "Who's that ? ";

// Folders of older installations, searched after the current one and the user's own.
constexpr std::array<std::string_view, 16> LegacyFolders = {"C:\\",
                                                            "C:\\kelvo\\",
                                                            "C:\\kelv\\",
                                                            "C:\\Program Files\\kelvo\\",
                                                            "C:\\Program Files\\kelv\\",
                                                            "C:\\windows\\",
                                                            "C:\\windows7\\",
                                                            "C:\\win98\\",
                                                            "C:\\winnt\\",
                                                            "C:\\win2000\\",
                                                            "C:\\windows8\\",
                                                            "C:\\wi98\\",
                                                            "C:\\ok95\\",
                                                            "D:\\",
                                                            "D:\\kelvo\\",
                                                            "D:\\kelv\\"};

/// A folder of the table as a path of this system.
std::string localPath(std::string_view folder) {
  std::string s(folder);
  for (char& c : s)
    if (c == '\\') c = '/';
  return s;
}

/// A word of the command line without the double quotes around it.
std::string unquote(std::string s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return s;
}

}  // namespace

std::string oneFile(std::string_view path) {
  std::string p(path);
  if (!fileExists(p)) std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}

std::string commandPath(std::string_view word) {
  std::string p = oneFile(word);
  std::error_code ec;
  auto a = std::filesystem::absolute(p, ec);
  return ec ? p : a.lexically_normal().string();
}

std::vector<std::string> iniFolders() {
  std::vector<std::string> folders{""};
  std::string config;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
    config = x;
  else if (const char* h = std::getenv("HOME"); h && *h)
    config = std::string(h) + "/.config";
  if (!config.empty()) folders.push_back(config + "/kelvorin/");
  for (auto f : LegacyFolders) folders.push_back(localPath(f));
  return folders;
}

std::string joinCommandLine(const std::vector<std::string>& words) {
  std::string line;
  for (const auto& w : words) {
    if (!line.empty()) line += ' ';
    line += w.find(' ') != std::string::npos ? "\"" + w + "\"" : w;
  }
  return line;
}

void EdIni(App& app) {
  std::string name;
  // Errors: a bad file name ends quietly, anything else is reported after a long pause.
  auto report = [&](std::string_view, int number) {
    app.files.closeAll();
    if (number == 52) return;
    erra(app, "EdIni " + name, number);
    int ok = 0;
    jaba(app, 10000, ok);
  };
  guardWith(report, "EdIni", [&] {
    for (const auto& folder : iniFolders()) {
      std::string candidate = folder + std::string(IniName);
      if (spl(candidate) > 0) {
        name = candidate;
        break;
      }
    }
    if (name.empty()) return;
    auto& f = app.frm;
    f.IniFile = name;
    f.Text3.text = name;
    int ok = 0;
    jaba(app, 11, ok);
    auto& in = app.files.openInput(1, name);
    std::string line;
    int accepted = 0;
    while (accepted < 4 && in.getLine(line)) {
      auto k = findCi(line, EditorKey);
      if (k == std::string::npos) continue;
      std::string rest = line.substr(k + EditorKey.size());
      auto eq = rest.find('=');
      if (eq == std::string::npos || eq < 3) continue;  // "=" at position 4 or later
      std::string ext = lower(rest.substr(0, 3));
      std::string value = trim(rest.substr(eq + 1));
      if (spl(value) < 2000) continue;  // the editor program must exist
      std::string cmd = value + " ";
      if (ext == "dd2")
        f.EdDd2 = cmd;
      else if (ext == "mpo")
        f.EdMpo = cmd;
      else if (ext == "kol") {
        f.EdKol = cmd;
        app.m.KolNam = cmd;
      } else if (ext == "vdf")
        f.EdVdf = cmd;
      else
        continue;
      ++accepted;
      f.Text3.text += " " + std::string(EditorKey) + ext + "=" + value;
    }
    app.files.close(1);
  });
}

void startValues(App& app, bool editors) {
  auto& f = app.frm;
  auto& m = app.m;
  // 1. names
  f.Banner = BannerText;
  m.KolNam = KolDefault;
  m.VerCap = VersionCaption;
  f.ScrDd2 = ScrDd2Name;
  f.ScrDd2b = ScrDd2bName;
  f.ScrMpo = ScrMpoName;
  f.ScrMpob = ScrMpobName;
  // 2. constants and the console's designed geometry
  m.Pi = 3.14159265358979;
  m.VibSpd = 3.0;
  m.VibAmp = 3.0;
  m.Par(par::ViewerState) = 1;
  m.Par(par::ConsoleTop) = f.Text2.top;
  m.Par(par::ConsoleHeight) = f.Text2.height;
  // 3. editors
  f.EdDd2 = f.EdMpo = f.EdKol = f.EdVdf = Notepad;
  if (editors) {
    if (spl(localPath(WordPad)) > 1000) f.EdDd2 = f.EdKol = std::string(WordPad) + " ";
    EdIni(app);
  }
  // 4. parameters
  m.Par(par::MainColour) = LightGrey;
  f.PageLines = 23;
  for (auto [slot, value] : StartValues) m.Par(slot) = value;
  // 5. switch defaults and tables (the model holds them from its construction; again here
  //    so that a second start-up begins from the same state)
  IniModel(m);
}

void IniVe(App& app, std::string_view cmdLine) {
  guard(app, "IniVe", [&] {
    auto& f = app.frm;
    auto& m = app.m;
    startValues(app, true);
    // 6. command line
    std::string line(cmdLine);
    std::string& arg2 = f.Arg2;
    std::string file;
    if (!line.empty() && line[0] == '"') {
      // a quoted name keeps its blanks; what follows the closing quote is the second word
      line.erase(0, 1);
      auto q = line.find('"');
      file = trim(line.substr(0, q));
      if (q != std::string::npos) arg2 = unquote(trim(line.substr(q + 1)));
    } else {
      file = trim(line);
      if (auto b = file.find(' '); b != std::string::npos) {
        arg2 = unquote(trim(file.substr(b + 1)));
        file.erase(b);
      }
    }
    if (file.empty()) {
      openKelWe1(app, 1);
      return;
    }
    file = oneFile(file);
    if (file.size() > 4) {
      std::string before = currentDir();
      int i = 0;
      auto slash = file.rfind('/');
      ZnaD(slash == std::string::npos ? std::string() : file.substr(0, slash + 1), i);
      if (i != 0) {
        f.Text4.text = DirectoryError;
        f.Text4.visible = true;
      } else if (currentDir() != before) {
        f.Text4.text = std::string(DirectoryChanged) + currentDir();
        f.Text4.visible = true;
        // a relative name would now point below the new folder: the file is its name there
        if (!std::filesystem::path(file).is_absolute()) file.erase(0, slash + 1);
      }
    }
    // a folder that cannot be written is still read; the files are written elsewhere
    std::string here = currentDir();
    if (leaveReadOnlyFolder(app) && !std::filesystem::path(file).is_absolute())
      file = here + "/" + file;
    auto extAt = [](const std::string& s, std::string_view ext) {
      std::size_t from = s.size() >= 4 ? s.size() - 4 : 0;
      return findCi(s, ext, from);
    };
    if (auto p = extAt(file, ".ddr"); p != std::string::npos) {
      m.JobNam = file.substr(0, p);
      std::swap(file, arg2);
    }
    if (arg2.size() > 4 &&
        (extAt(arg2, ".fmt") != std::string::npos || extAt(arg2, ".fmu") != std::string::npos ||
         extAt(arg2, ".fmv") != std::string::npos))
      std::swap(file, arg2);
    auto stem = [](std::string& name, std::string_view addExt) {
      std::size_t start = fileNameStart(name);
      auto dot = name.find('.', start);
      if (dot != std::string::npos) return name.substr(0, dot);
      std::string s = name;
      name += addExt;
      return s;
    };
    if (!arg2.empty()) {
      m.JobNam = stem(arg2, ".dd2");
      f.Text1.tag = arg2;
    }
    if (!file.empty()) {
      m.JobNam = stem(file, ".fmv");
    } else {
      for (std::string_view ext : {".fmt", ".fmu", ".fmv"}) {
        std::string candidate = m.JobNam + std::string(ext);
        if (spl(candidate) > 0) {
          file = candidate;
          break;
        }
      }
      if (file.empty()) {
        openKelWe1(app, 1);
        return;
      }
    }
    // 10. read it and prepare the windows
    FmtIn(app, file);
    logFrequencyReport(app);
    f.Text2.tag = file;
    f.visible = true;
    f.Text1.text = file;
    ibut_Click(app, cmd::AfterRead);
  });
}

void Tulan_Click(App& app) {
  auto& f = app.frm;
  f.Tulan.visible = false;
  f.kelwin.visible = false;
  f.Text1.visible = f.Text2.visible = f.Text3.visible = true;
}

void kelwin_Click(App& app) {
  app.frm.Tulan.visible = !app.frm.Tulan.visible;
}

void form_Click(App& app) {
  if (app.m.Sw(sw::Greeted) == 0) {
    app.frm.Text4.text = WhoIsThat;
    app.frm.Text4.visible = true;
  }
}

}  // namespace kel
