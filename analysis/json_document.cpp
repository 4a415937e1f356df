// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/json_document.hpp"

#include "analysis/spectrum.hpp"
#include "base/strings.hpp"
#include "topology/internal_coords.hpp"

#include <charconv>
#include <cmath>

namespace kel {

namespace {

constexpr int Schema = 1;

class Out {
 public:
  std::string text;
  void raw(std::string_view s) { text += s; }
  void key(std::string_view k) {
    comma();
    text += jsonString(k) + ": ";
    fresh_ = true;
  }
  void open(char c) {
    comma();
    text += c;
    fresh_ = true;
  }
  void close(char c) {
    text += c;
    fresh_ = false;
  }
  void number(double x) {
    comma();
    text += jsonNumber(x);
  }
  void integer(long long x) {
    comma();
    text += std::to_string(x);
  }
  void string(std::string_view s) {
    comma();
    text += jsonString(s);
  }
  void boolean(bool b) {
    comma();
    text += b ? "true" : "false";
  }
  void null() {
    comma();
    text += "null";
  }
  void triple(double x, double y, double z) {
    open('[');
    number(x);
    number(y);
    number(z);
    close(']');
  }

 private:
  /// A comma before every value but the first of an object or array (none after a key).
  void comma() {
    if (!fresh_) text += ", ";
    fresh_ = false;
  }
  bool fresh_ = true;
};

void atoms(Out& o, const ModKel& m) {
  o.key("atoms");
  o.open('[');
  for (int i = 1; i <= m.NAt; ++i) {
    o.open('{');
    o.key("number");
    o.integer(i);
    o.key("z");
    o.integer(atomicNumber(m, i));
    o.key("symbol");
    o.string(trim(m.AtSym(i)));
    o.key("mass");
    o.number(m.AtMas(i));
    o.key("xyz");
    o.triple(m.Xyz(i, 1), m.Xyz(i, 2), m.Xyz(i, 3));
    o.close('}');
  }
  o.close(']');
  o.key("bonds");
  o.open('[');
  for (int i = 1; i <= m.NAt; ++i)
    for (int j = i + 1; j <= m.NAt; ++j)
      if (m.Mpo(i, j) != 0 || m.Mpo(j, i) != 0) {
        o.open('[');
        o.integer(i);
        o.integer(j);
        o.close(']');
      }
  o.close(']');
}

void coordinates(Out& o, const ModKel& m) {
  o.key("internal_coordinates");
  o.open('[');
  for (int r = 1; r <= m.IcRows; ++r) {
    const int type = m.IcTab(r, 5);
    o.open('{');
    o.key("type");
    o.string(trim(m.IcName(type)));
    o.key("atoms");
    o.open('[');
    for (int k = 1; k <= m.IcAtoms(type, 0) && m.IcTab(r, k) != 0; ++k) o.integer(m.IcTab(r, k));
    o.close(']');
    o.key("value");
    o.number(icValue(m, r));
    o.close('}');
  }
  o.close(']');
}

void modes(Out& o, const ModKel& m) {
  o.key("modes");
  o.open('[');
  for (int k = 1; k <= m.NFrq; ++k) {
    o.open('{');
    o.key("number");
    o.integer(k);
    o.key("frequency");
    o.number(m.Frq(k));
    o.key("ir");
    o.number(m.IrInt(k));
    o.key("raman");
    if (m.RaInt(0) != 0)
      o.number(m.RaInt(k));
    else
      o.null();
    o.key("label");
    o.string(trim(m.FrqSym(k)));
    o.key("displacement");
    o.open('[');
    for (int a = 1; a <= m.NAt; ++a)
      o.triple(m.ModeD(k, a, 1) / 100.0, m.ModeD(k, a, 2) / 100.0, m.ModeD(k, a, 3) / 100.0);
    o.close(']');
    o.close('}');
  }
  o.close(']');
  // the factor and shift of a renumbering definition's scaling line
  const Scaling scaling = heldScaling(m);
  o.key("scaling");
  o.open('{');
  o.key("factor");
  o.number(scaling.factor);
  o.key("shift");
  o.number(scaling.shift);
  o.close('}');
}

void numbers(Out& o, std::string_view name, const std::vector<double>& v) {
  o.key(name);
  o.open('[');
  for (double x : v) o.number(x);
  o.close(']');
}

void optionalNumber(Out& o, std::string_view name, const std::optional<double>& x) {
  o.key(name);
  if (x)
    o.number(*x);
  else
    o.null();
}

void report(Out& o, const FrequencyReport* r) {
  o.key("report");
  if (!r) {
    o.null();
    return;
  }
  o.open('{');
  o.key("expected_modes");
  o.integer(r->expectedModes);
  o.key("modes");
  o.integer(r->modes);
  o.key("imaginary");
  o.open('[');
  for (int k : r->imaginary) o.integer(k);
  o.close(']');
  o.key("max_overlap");
  o.number(r->maxOverlap);
  o.key("max_translation_rotation");
  o.number(r->maxTranslationRotation);
  optionalNumber(o, "max_frequency_difference", r->maxFrequencyDifference);
  optionalNumber(o, "min_mode_overlap", r->minModeOverlap);
  o.key("warnings");
  o.open('[');
  for (const auto& w : r->warnings) o.string(w);
  o.close(']');
  o.close('}');
}

void analysis(Out& o, const ModKel& m, const JsonAnalysis* a) {
  o.key("analysis");
  if (!a) {
    o.null();
    return;
  }
  const NormalModes* nm = a->modes;
  o.open('{');
  o.key("source");
  if (m.FccFrom == 1)
    o.string("output");
  else if (m.FccFrom == 2)
    o.string("checkpoint");
  else
    o.null();
  numbers(o, "masses", nm ? nm->masses : currentMasses(m));
  const std::vector<double> none;
  numbers(o, "frequencies", nm ? nm->frequencies : none);
  numbers(o, "reduced_masses", nm ? nm->reducedMasses : none);
  numbers(o, "force_constants", nm ? nm->forceConstants : none);
  o.key("modes");
  o.open('[');
  for (int k = 0; nm && k < nm->count(); ++k) {
    o.open('[');
    for (int i = 0; i < nm->atoms; ++i)
      o.triple(nm->displacement(k, i, 0), nm->displacement(k, i, 1), nm->displacement(k, i, 2));
    o.close(']');
  }
  o.close(']');
  o.key("ped");
  o.open('[');
  for (const auto& mode : a->ped ? a->ped->modes : std::vector<std::vector<PedEntry>>{}) {
    o.open('[');
    for (const auto& e : mode) {
      o.open('{');
      o.key("coordinate");
      o.integer(e.coordinate);
      o.key("percent");
      o.number(e.percent);
      o.close('}');
    }
    o.close(']');
  }
  o.close(']');
  o.key("ped_kind");
  if (!a->ped || !a->ped->message.empty())
    o.null();
  else
    o.string(a->ped->fromForceConstants ? "ped" : "character");
  report(o, a->report);
  o.close('}');
}

}  // namespace

int atomicNumber(const ModKel& m, int i) {
  return m.AtZ(i) == 2 ? 1 : m.AtZ(i);
}

std::string jsonNumber(double x) {
  if (!std::isfinite(x)) return "null";
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x);
  if (ec != std::errc()) return "null";
  return std::string(buf, end);
}

std::string jsonString(std::string_view s) {
  std::string t = "\"";
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      t += '\\';
      t += c;
    } else if (u < 0x20) {
      static constexpr char Hex[] = "0123456789abcdef";
      t += "\\u00";
      t += Hex[u >> 4];
      t += Hex[u & 15];
    } else {
      t += c;
    }
  }
  return t + "\"";
}

std::string jsonDocument(const ModKel& m, const JsonStatus& status, const JsonAnalysis* a) {
  Out o;
  o.open('{');
  o.key("program");
  o.string("kelvorin");
  o.key("version");
  o.string(status.version);
  o.key("schema");
  o.integer(Schema);
  o.key("file");
  o.string(status.file);
  o.key("status");
  o.open('{');
  o.key("ok");
  o.boolean(status.ok);
  o.key("text3");
  o.string(status.text3);
  o.key("text4");
  o.string(status.text4);
  o.close('}');
  atoms(o, m);
  coordinates(o, m);
  modes(o, m);
  analysis(o, m, a);
  o.close('}');
  return o.text + "\n";
}

}  // namespace kel
