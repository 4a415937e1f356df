// Kelvorin - desktop workbench for vibrational calculations.
#include "app/batch.hpp"

#include "app/app.hpp"
#include "app/exchange.hpp"
#include "app/motion.hpp"
#include "app/startup.hpp"
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "readers/texts.hpp"

#include <algorithm>
#include <cmath>
#include <deque>
#include <filesystem>
#include <ostream>
#include <set>
#include <sstream>

namespace kel {

namespace {

constexpr std::string_view Version = "kelvorin 2.2";

std::vector<std::string> split(std::string_view s, char sep) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    auto p = s.find(sep, start);
    parts.emplace_back(s.substr(start, p == std::string_view::npos ? p : p - start));
    if (p == std::string_view::npos) break;
    start = p + 1;
  }
  return parts;
}

bool isNumber(std::string_view s) {
  std::size_t used = 0;
  std::string t = trim(s);
  Val(t, used);
  return used > 0 && used == t.size();
}

bool isInteger(std::string_view s) {
  if (!isNumber(s)) return false;
  return s.find_first_of(".eEdD") == std::string_view::npos;
}

bool oneOf(std::string_view v, std::initializer_list<std::string_view> allowed) {
  return std::find(allowed.begin(), allowed.end(), v) != allowed.end();
}

// Checks of option values.
bool anyText(const std::string& v) {
  return !v.empty();
}
bool geometryWord(const std::string& v) {
  return oneOf(v, {"first", "last", "emin"});
}
bool surfaceSize(const std::string& v) {
  auto p = split(v, 'x');
  return p.size() == 2 && isInteger(p[0]) && isInteger(p[1]) && Val(p[0]) >= 1 && Val(p[1]) >= 1 &&
         Val(p[0]) <= 20000 && Val(p[1]) <= 20000;
}
bool placeWords(const std::string& v) {
  if (v == "cancel") return true;
  for (auto& w : split(v, ','))
    if (!oneOf(w, {"right", "left", "top", "bottom", "above", "under"})) return false;
  return true;
}
bool axisView(const std::string& v) {
  return oneOf(v, {"xy", "yz", "zx", "best"});
}
bool axisTurn(const std::string& v) {
  auto p = split(v, ':');
  return p.size() == 2 && oneOf(p[0], {"x", "y", "z"}) && isNumber(p[1]);
}
bool labelWord(const std::string& v) {
  return oneOf(v, {"numbers", "symbols", "none"});
}
bool hydrogenWord(const std::string& v) {
  return oneOf(v, {"normal", "noball", "hidden"});
}
bool number(const std::string& v) {
  return isNumber(v);
}
bool integer(const std::string& v) {
  return isInteger(v);
}
bool atomList(const std::string& v) {
  auto p = split(v, ',');
  return p.size() >= 2 && p.size() <= 4 &&
         std::all_of(p.begin(), p.end(), [](auto& w) { return isInteger(w); });
}
bool distanceChange(const std::string& v) {
  auto p = split(v, ',');
  return p.size() == 3 && isInteger(p[0]) && isInteger(p[1]) && isNumber(p[2]);
}
bool massList(const std::string& v) {
  for (auto& item : split(v, ',')) {
    auto eq = item.find('=');
    if (eq == std::string::npos || eq == 0 || !isNumber(item.substr(eq + 1))) return false;
  }
  return true;
}
bool positive(const std::string& v) {
  return isNumber(v) && Val(v) > 0 && Val(v) < 1e6;
}
bool shapeWord(const std::string& v) {
  return oneOf(v, {"lorentz", "gauss"});
}
bool wavenumberRange(const std::string& v) {
  auto p = split(v, ':');
  return p.size() == 2 && isNumber(p[0]) && isNumber(p[1]) && Val(p[1]) > Val(p[0]) &&
         std::fabs(Val(p[0])) < 1e6 && std::fabs(Val(p[1])) < 1e6;
}
bool spectrumFile(const std::string& v) {
  auto dot = v.rfind('.');
  if (dot == std::string::npos || dot < fileNameStart(v)) return false;
  return oneOf(lower(std::string_view(v).substr(dot)), {".csv", ".png", ".svg"});
}
bool modeFrame(const std::string& v) {
  auto p = split(v, ':');
  return (p.size() == 1 || p.size() == 2) && isInteger(p[0]) && (p.size() == 1 || isInteger(p[1]));
}

bool frameCount(const std::string& v) {
  return isInteger(v) && Val(v) >= MinFrames && Val(v) <= MaxFrames;
}
bool modeStep(const std::string& v) {
  auto p = split(v, ':');
  return p.size() == 2 && isInteger(p[0]) && isNumber(p[1]);
}

using BatchHandler = bool (*)(App&, const BatchCommand&, BatchContext&, bool&);

/// One option of the command line: the whole of what parsing, the usage text and running
/// it need. A flag has no value; an option without a handler configures the read.
struct BatchOption {
  std::string_view name;
  std::string_view value;  ///< its value in the usage text; empty for a flag
  bool (*check)(const std::string&);
  bool file;  ///< the value is a file name (relative to the start folder)
  BatchHandler handler;
  std::string_view help;
};

// clang-format off
constexpr BatchOption Options[] = {
    {"--geometry", "first|last|emin", geometryWord, false, nullptr,
     "geometry of a Gaussian output (default: last)"},
    {"--answer", "TEXT", anyText, false, nullptr,
     "answer the next input box (cancel = Cancel, default = the\n"
     "proposed text); when used up, every box gets Cancel"},
    {"--size", "WxH", surfaceSize, false, nullptr, "drawing surface in pixels (default 800x600)"},
    {"--mpo", "FILE", anyText, true, batchTopology, "read FILE as the connection file"},
    {"--ic", "", nullptr, false, batchTopology,
     "print the internal coordinates (a complete set: 3N-6, or\n"
     "3N-5 for a linear molecule; straight chains take the pair\n"
     "of linear bends BEIP/BEPE)"},
    {"--kel", "", nullptr, false, batchGaussian, "\"&Save .kel as is\""},
    {"--add", "FILE", anyText, true, batchGaussian, "\"&Add .kel structure\" with FILE"},
    {"--place", "right,left,top,bottom,above,under|cancel", placeWords, false, batchGaussian,
     "placement choices for the nearest --add before it"},
    {"--pdb", "", nullptr, false, batchExports, "\"&Export .PDB\""},
    {"--gjf", "", nullptr, false, batchExports, "\"Create .GJF\""},
    {"--xyz", "", nullptr, false, batchExchange,
     "write the structure as .xyz (free numbered name)"},
    {"--molden", "FILE", anyText, true, batchExchange,
     "the structure and its modes in Molden format (free\nnumbered name)"},
    {"--list-scratch", "", nullptr, false, batchExports,
     "print the exit dialog's list of scratch files"},
    {"--erase", "", nullptr, false, batchExports, "erase the listed scratch files"},
    {"--view", "xy|yz|zx|best", axisView, false, batchViewer, "axis view, or the best view"},
    {"--fit", "", nullptr, false, batchViewer, "the whole molecule fitted to the surface"},
    {"--rotate", "AXIS:DEG", axisTurn, false, batchViewer, "turn about x, y or z by DEG degrees"},
    {"--zoom", "A", number, false, batchViewer, "zoom by A"},
    {"--balls", "V", number, false, batchViewer, "ball size entry"},
    {"--labels", "numbers|symbols|none", labelWord, false, batchViewer, "atom labels"},
    {"--hatoms", "normal|noball|hidden", hydrogenWord, false, batchViewer, "how hydrogens show"},
    {"--measure", "A,B[,C[,D]]", atomList, false, batchViewer,
     "distance, angle or torsion of these atoms"},
    {"--delete", "A", integer, false, batchViewer, "delete atom A"},
    {"--undo", "", nullptr, false, batchViewer, "undo the last deletion"},
    {"--distance", "A,B,D", distanceChange, false, batchViewer,
     "change the distance of atoms A and B to D angstrom"},
    {"--vibrate", "MODE[:PHASE]", modeFrame, false, batchViewer,
     "the frame of that mode at that phase (default 6)"},
    {"--amplitude", "X", number, false, batchViewer, "animation amplitude"},
    {"--speed", "X", number, false, batchViewer, "animation speed"},
    {"--render", "FILE", anyText, true, batchViewer, "the picture as .bmp or .png"},
    {"--arrows", "", nullptr, false, batchMotion,
     "displacement arrows of the --vibrate mode in the picture"},
    {"--gif", "FILE", anyText, true, batchMotion,
     "one period of the --vibrate mode as a looping animated GIF"},
    {"--frames", "FOLDER", anyText, true, batchMotion,
     "the same frames as FOLDER/frame_001.png, ..."},
    {"--xyz-movie", "FILE", anyText, true, batchMotion,
     "the same period as one multi-frame .xyz file"},
    {"--nframes", "N", frameCount, false, nullptr,
     "frames of one period for --gif, --frames, --xyz-movie\n"
     "(2 to 400, default 20)"},
    {"--displace", "MODE:STEP", modeStep, false, batchMotion,
     "move the structure along the mode, STEP angstrom for the\n"
     "atom that moves most (the sign is the direction)"},
    {"--reanalyse", "", nullptr, false, batchAnalysis,
     "normal modes from the force constants and the current\n"
     "masses replace the modes read; the table is logged"},
    {"--masses", "LIST", massList, false, batchAnalysis,
     "N=MASS (atom N) or SYMBOL=MASS (every atom of that\n"
     "element), comma-separated; shifts and product rule"},
    {"--ped", "", nullptr, false, batchAnalysis,
     "potential energy distribution of every mode (the\n"
     "internal-coordinate character without force constants)"},
    {"--report", "", nullptr, false, batchAnalysis, "the frequency integrity report"},
    {"--json", "FILE", anyText, false, batchAnalysis,
     "the model and every analysis result as JSON (- = standard\n"
     "output, then nothing else goes there)"},
    {"--spectrum", "FILE", spectrumFile, true, batchSpectra,
     "the IR and Raman spectra of the modes held as .csv\n"
     "(wavenumber,ir,raman), .svg or .png"},
    {"--fit-scale", "", nullptr, false, batchSpectra,
     "fit the frequency scale factor to the --experimental\n"
     "spectrum, print \"scale factor = F\" and hold it"},
    {"--fwhm", "W", positive, false, nullptr, "line width in cm-1 (default 10)"},
    {"--lineshape", "lorentz|gauss", shapeWord, false, nullptr, "line shape (default lorentz)"},
    {"--range", "A:B", wavenumberRange, false, nullptr,
     "wavenumbers A to B (default 0 to the highest scaled\n"
     "frequency + 200, rounded up to 100)"},
    {"--step", "S", positive, false, nullptr, "step in cm-1 (default 1)"},
    {"--experimental", "FILE", anyText, true, nullptr,
     "measured spectrum to overlay and fit (.jdx/.dx JCAMP-DX,\n"
     ".csv/.txt two columns)"},
    {"--help", "", nullptr, false, nullptr, "this text"},
    {"--version", "", nullptr, false, nullptr, "the version"},
};
// clang-format on

/// The settings of every spectrum of the run, wherever they stand.
bool spectrumSetting(std::string_view name) {
  return oneOf(name, {"--fwhm", "--lineshape", "--range", "--step", "--experimental"});
}

const BatchOption* findOption(std::string_view name) {
  for (const auto& opt : Options)
    if (opt.name == name) return &opt;
  return nullptr;
}

/// One option's lines of the usage text: name and value, then its help at column 30.
std::string usageLines(const BatchOption& opt) {
  std::string head = "  " + std::string(opt.name);
  if (!opt.value.empty()) head += " " + std::string(opt.value);
  constexpr std::size_t Column = 30;
  std::string text;
  auto help = split(opt.help, '\n');
  if (head.size() + 2 > Column) {
    text = head + "\n";
    head.clear();
  }
  for (const auto& line : help) {
    head.resize(Column, ' ');
    text += head + line + "\n";
    head.clear();
  }
  return text;
}

/// Input boxes answered from --answer, in order; each question and answer go to stderr.
class BatchPrompt : public Prompt {
 public:
  BatchPrompt(const std::vector<std::string>& answers, std::ostream& err)
      : answers_(answers.begin(), answers.end()), err_(err) {}
  std::string inputBox(std::string_view prompt, std::string_view title,
                       std::string_view defaultText) override {
    std::string answer;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
      if (answer == "cancel")
        answer.clear();
      else if (answer == "default")
        answer = std::string(defaultText);
    }
    std::string shown(prompt);
    std::replace(shown.begin(), shown.end(), '\r', '\n');
    err_ << "? " << title << "\n"
         << shown << "\n[" << defaultText
         << "] = " << (answer.empty() ? std::string("(cancel)") : answer) << "\n";
    return answer;
  }

 private:
  std::deque<std::string> answers_;
  std::ostream& err_;
};

/// Console lines to standard output as they are made.
class StreamLog : public LogSink {
 public:
  explicit StreamLog(std::ostream& out) : out_(out) {}
  void newLine(std::string_view text) override {
    if (started_) out_ << '\n';
    out_ << text;
    started_ = true;
  }
  void append(std::string_view text) override {
    out_ << text;
    started_ = true;
  }
  void finish() {
    if (started_) out_ << '\n';
    out_.flush();
  }

 private:
  std::ostream& out_;
  bool started_ = false;
};

}  // namespace

bool runBatchCommand(App& app, const BatchCommand& c, const BatchOptions& o, std::ostream& out,
                     std::ostream& err, const BatchHooks& hooks, bool failedBefore) {
  BatchContext ctx{o, out, err, hooks, failedBefore};
  bool ok = true;
  const BatchOption* opt = findOption(c.option);
  if (opt && opt->handler && opt->handler(app, c, ctx, ok)) return ok;
  err << "kelvorin: " << c.option << " is not available in this build\n";
  return false;
}

std::string batchUsage() {
  std::string text =
      "usage: kelvorin [FILE [ARG2]]                      the desktop program\n"
      "       kelvorin --batch [OPTION ...] FILE [ARG2]   the same program without windows\n"
      "\nOptions that configure the read (take effect before it, wherever they stand):\n";
  for (const auto& opt : Options)
    if (!opt.handler && !opt.value.empty() && !spectrumSetting(opt.name)) text += usageLines(opt);
  text += "Options of the spectra (they act wherever they stand):\n";
  for (const auto& opt : Options)
    if (spectrumSetting(opt.name)) text += usageLines(opt);
  text += "Commands (run after the read, in the order given):\n";
  for (const auto& opt : Options)
    if (opt.handler) text += usageLines(opt);
  for (const auto& opt : Options)
    if (!opt.handler && opt.value.empty()) text += usageLines(opt);
  return text + R"(A path names one file: a backslash separates folders only when no file has the
literal name.
Exit status: 0 success; 1 when any step failed (a read, a command, a file named by an option
that does not exist, an erase that left a listed file); 2 bad usage. The status text of a
failed step stays on standard error before the texts of later steps.
)";
}

bool parseBatch(const std::vector<std::string>& args, BatchOptions& o) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!optionsEnded && a == "--") {
      optionsEnded = true;
      continue;
    }
    if (optionsEnded || a.size() < 2 || a.compare(0, 2, "--") != 0) {
      if (o.words.size() >= 2) {
        o.error = "too many words: " + a;
        return false;
      }
      o.words.push_back(a);
      continue;
    }
    if (a == "--batch") continue;
    const BatchOption* opt = findOption(a);
    if (!opt) {
      o.error = "unknown option " + a;
      return false;
    }
    if (opt->value.empty()) {
      if (a == "--help")
        o.help = true;
      else if (a == "--version")
        o.version = true;
      else
        o.commands.push_back({a, ""});
      continue;
    }
    if (i + 1 >= args.size()) {
      o.error = "missing value of " + a;
      return false;
    }
    std::string v = args[++i];
    if (!opt->check(v)) {
      o.error = "malformed value of " + a + ": " + v;
      return false;
    }
    if (a == "--geometry")
      o.geometry = v;
    else if (a == "--answer")
      o.answers.push_back(v);
    else if (a == "--nframes")
      o.frames = int(Val(v));
    else if (a == "--size") {
      auto p = split(v, 'x');
      o.width = int(Val(p[0]));
      o.height = int(Val(p[1]));
    } else if (a == "--fwhm") {
      o.spectrum.fwhm = Val(v);
    } else if (a == "--lineshape") {
      o.spectrum.shape = v == "gauss" ? LineShape::Gauss : LineShape::Lorentz;
    } else if (a == "--range") {
      auto p = split(v, ':');
      o.spectrum.rangeSet = true;
      o.spectrum.from = Val(p[0]);
      o.spectrum.to = Val(p[1]);
    } else if (a == "--step") {
      o.spectrum.step = Val(v);
    } else if (a == "--experimental") {
      o.experimental = commandPath(v);
    } else {
      if (opt->file) v = commandPath(v);
      if (a == "--gif" || a == "--frames" || a == "--xyz-movie") {
        if (std::none_of(o.commands.begin(), o.commands.end(),
                         [](const BatchCommand& c) { return c.option == "--vibrate"; })) {
          o.error = a + " needs a --vibrate before it";
          return false;
        }
      }
      if (a == "--place") {
        auto it = std::find_if(o.commands.rbegin(), o.commands.rend(),
                               [](const BatchCommand& c) { return c.option == "--add"; });
        if (it == o.commands.rend()) {
          o.error = "--place needs an --add before it";
          return false;
        }
      }
      o.commands.push_back({a, v});
    }
  }
  const bool fit = std::any_of(o.commands.begin(), o.commands.end(),
                               [](const BatchCommand& c) { return c.option == "--fit-scale"; });
  if (fit && o.experimental.empty()) {
    o.error = "--fit-scale needs --experimental FILE";
    return false;
  }
  return true;
}

int runBatch(const BatchOptions& o, std::ostream& out, std::ostream& err, const BatchHooks& hooks) {
  if (!o.error.empty()) {
    err << "kelvorin: " << o.error << "\n" << batchUsage();
    return 2;
  }
  if (o.help) {
    out << batchUsage();
    return 0;
  }
  if (o.version) {
    out << Version << "\n";
    return 0;
  }
  if (o.words.empty()) {
    err << "kelvorin: nothing to read: give a structure or output FILE\n";
    return 2;
  }
  auto app = std::make_unique<App>();
  BatchPrompt prompt(o.answers, err);
  // "--json -" owns standard output: the console lines and other prints go nowhere.
  const bool jsonOut = std::any_of(o.commands.begin(), o.commands.end(), [](const auto& c) {
    return c.option == "--json" && c.value == "-";
  });
  std::ostringstream muted;
  std::ostream& console = jsonOut ? muted : out;
  StreamLog log(console);
  app->prompt = &prompt;
  app->log = &log;
  app->we2.La2[0].value = o.geometry == "first";
  app->we2.La2[1].value = o.geometry == "last";
  app->we2.La2[2].value = o.geometry == "emin";
  std::vector<std::string> words = o.words;
  for (auto& w : words) w = commandPath(w);
  if (hooks.prepare) hooks.prepare(*app, o);
  IniVe(*app, joinCommandLine(words));
  bool ok = true;
  if (app->we1.visible || app->we2.visible) {
    log.finish();
    err << "kelvorin: nothing to read: " << o.words[0] << " names no file\n";
    return 2;
  }
  // The Text3 of a failed step goes to standard error at once: a later command may replace
  // or empty the box, but the failure stays, before the later texts, and no " all is good"
  // follows it.
  std::string shown;
  auto report = [&](const std::string& text) {
    if (text.empty() || text == shown) return;
    err << text << "\n";
    shown = text;
  };
  auto& text3 = app->frm.Text3.text;
  if (app->readFailed || app->m.NAt == 0 || app->erraCount > 0) {
    ok = false;
    report(text3);
  }
  if (!o.experimental.empty() && !batchSpectraSetup(*app, o)) {
    ok = false;
    report(text3);
  }
  for (const auto& c : o.commands) {
    std::string before = text3;
    if (runBatchCommand(*app, c, o, c.option == "--json" ? out : console, err, hooks, !ok))
      continue;
    ok = false;
    if (text3 != before) report(text3);
  }
  log.finish();
  if (ok || !text3.ends_with(texts::AllIsGood)) report(text3);
  if (!app->frm.Text4.text.empty()) err << app->frm.Text4.text << "\n";
  ok = ok && app->m.NAt > 0 && !app->readFailed && app->erraCount == 0;
  return ok ? 0 : 1;
}

}  // namespace kel
