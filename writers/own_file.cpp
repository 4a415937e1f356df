// Kelvorin - desktop workbench for vibrational calculations.
#include "writers/own_file.hpp"

#include "base/convert.hpp"
#include "base/strings.hpp"
#include "model/free_name.hpp"
#include "model/geometry.hpp"
#include "model/work.hpp"
#include "model/work_folder.hpp"
#include "writers/texts.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kel {

namespace {

constexpr std::string_view AtomsTitle = texts::CompactTitle;
constexpr std::string_view ModesTitle = "Harmonic frequencies";
constexpr std::string_view ScalingLine = "frequency scaling factor = ";
constexpr std::string_view FileText = "File ";
constexpr std::string_view WasCreated = " was created";
constexpr std::string_view Caution = "CAUTION: alraeady exists file";
constexpr std::string_view CancelText = "{Cancel - not save results";
constexpr std::string_view OkOverwrite = ",  OK - overwrite}";
constexpr std::string_view ReadOnly = " marked Read only)";
constexpr std::string_view NewFilename = "Or New Filename [.kel]";
constexpr std::string_view NotSaved = "KEL not saved";
constexpr std::string_view OldFile = "old file ";
constexpr std::string_view RenamedAs = " renamed as ";
constexpr std::string_view BoxTitle = "Save .kel as is";
constexpr std::string_view KeptFile = "file ";
constexpr std::string_view KeptDiffers =
    " kept as it is: it differs from what this read gives (it may hold your own edits)";

constexpr int KelChannel = 3;

/// The field of frequencies and intensities in the mode lines (two decimals).
constexpr std::string_view Pattern2 = "########0.00";

/// One atom line: number, atomic number, x, y, z and mass.
void atomLine(Work& w, int channel, int number, int i, double x, double y, double z) {
  auto& m = w.m;
  fomi(w, channel, 3, number);
  fomi(w, channel, 4, m.AtZ(i));
  fom8(w, channel, 14, x);
  fom8(w, channel, 14, y);
  fom8(w, channel, 14, z);
  fom8(w, channel, 16, m.AtMas(i));
  if (channel == 0)
    tekst(w, "");
  else
    w.files.write(channel, "\n");
}

/// The factor and shift as the scaling line shows them (" .5", "-2").
std::string scalingText(const ModKel& m) {
  return std::string(ScalingLine) + Str(m.Par(par::ScaleFactor)) + " " + "*x " +
         (m.Par(par::ScaleShift) >= 0 ? "+" : "-") + Str(std::fabs(m.Par(par::ScaleShift)));
}

/// The file is marked read-only: nobody may write it.
bool readOnlyFile(const std::string& name) {
  std::error_code ec;
  auto p = std::filesystem::status(name, ec).permissions();
  using std::filesystem::perms;
  return !ec &&
         (p & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

/// The name typed in the dialogue: ".kel" is added when its file-name part has no ".".
std::string typedName(std::string answer) {
  answer = trim(answer);
  if (answer.find('.', fileNameStart(answer)) == std::string::npos) answer += ".kel";
  return answer;
}

}  // namespace

void appendIntField(std::string& out, long long k, int j) {
  char digits[24];
  char* end = digits + sizeof digits;
  char* p = end;
  unsigned long long u =
      k < 0 ? 0ULL - static_cast<unsigned long long>(k) : static_cast<unsigned long long>(k);
  do {
    *--p = char('0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (k < 0) *--p = '-';
  const int len = int(end - p) + 1;  // with the blank before the number
  if (len < j) out.append(std::size_t(j - len), ' ');
  out += ' ';
  out.append(p, end);
}

void ZaCoo(Work& w, int channel, int n) {
  guard(w, "ZaCoo", [&] {
    auto& m = w.m;
    for (int i = 1; i <= n; ++i) atomLine(w, channel, i, i, m.Xyz(i, 1), m.Xyz(i, 2), m.Xyz(i, 3));
  });
}

void ZaCo1(Work& w, int channel, int n) {
  guard(w, "ZaCo1", [&] {
    auto& m = w.m;
    int written = 0;
    for (int i = 1; i <= n; ++i) {
      if (m.XyzV(i, 0) < 0) continue;  // deleted in the viewer
      atomLine(w, channel, ++written, i, m.XyzV(i, 1), m.XyzV(i, 2), m.XyzV(i, 3));
    }
  });
}

namespace {

/// The fields of the displacements FieldLow..FieldHigh, four characters each, made once.
constexpr int FieldLow = -99, FieldHigh = 999;
const std::vector<std::array<char, 4>>& fields4() {
  static const std::vector<std::array<char, 4>> table = [] {
    std::vector<std::array<char, 4>> t(FieldHigh - FieldLow + 1);
    for (int v = FieldLow; v <= FieldHigh; ++v) {
      std::string s;
      appendIntField(s, v, 4);
      std::copy_n(s.begin(), 4, t[std::size_t(v - FieldLow)].begin());
    }
    return t;
  }();
  return table;
}

/// Mode lines for atoms 1..nAtoms; with keptOnly, atoms deleted in the viewer are left out
/// (the same atoms as the atom lines of ZaCo1).
void modeLines(Work& w, int nModes, int nAtoms, int channel, bool keptOnly) {
  auto& m = w.m;
  const bool raman = m.RaInt(0) > 0;
  std::string line, out;
  // The lines go out in chunks of about a quarter of a megabyte, made in one buffer taken
  // once (fresh memory for each chunk would cost a page fault every four kilobytes); each field
  // of the frequency line is made as fom2L makes it, and the last one stays the last
  // formatted field.
  constexpr std::size_t Chunk = std::size_t(1) << 18;
  out.reserve(Chunk + std::size_t(nAtoms) * 15 + 128);
  auto field = [&](std::string_view label, double a) {
    std::string text = formatPattern(a, Pattern2);
    if (text.size() < 7) text.insert(0, 7 - text.size(), ' ');
    text.insert(0, label);
    out += text;
    w.con.FmtBuf = std::move(text);
  };
  for (int mode = 1; mode <= nModes; ++mode) {
    field("F =", m.Frq(mode));
    field("   IR =", m.IrInt(mode));
    if (raman) field("   RA =", m.RaInt(mode));
    out += "   S = ";
    out += m.FrqSym(mode);
    out += '\n';
    line.clear();
    if (nAtoms > 0) {
      (void)m.ModeD(mode, nAtoms, 3);  // the whole row lies inside the table
      // The mode index varies fastest: component k of atom a is a fixed stride away.
      const i16* base = &m.ModeD(mode, 0, 0);
      constexpr std::size_t atomStride = decltype(m.ModeD)::stride(1);
      constexpr std::size_t compStride = decltype(m.ModeD)::stride(2);
      // Each atom takes three fields of four characters and three blanks while its values
      // fit the field table; the line is filled in place and cut to its length at the end.
      const auto& table = fields4();
      std::size_t len = 0;
      line.resize(std::size_t(nAtoms) * 15);
      for (int a = 1; a <= nAtoms; ++a) {
        if (keptOnly && m.XyzV(a, 0) < 0) continue;
        const i16* at = base + std::size_t(a) * atomStride;
        const int v1 = at[compStride], v2 = at[2 * compStride], v3 = at[3 * compStride];
        auto inTable = [](int v) { return v >= FieldLow && v <= FieldHigh; };
        if (inTable(v1) && inTable(v2) && inTable(v3) && len + 15 <= line.size()) {
          char* dst = line.data() + len;
          std::memcpy(dst, table[std::size_t(v1 - FieldLow)].data(), 4);
          std::memcpy(dst + 4, table[std::size_t(v2 - FieldLow)].data(), 4);
          std::memcpy(dst + 8, table[std::size_t(v3 - FieldLow)].data(), 4);
          std::memcpy(dst + 12, "   ", 3);
          len += 15;
          continue;
        }
        // A wider value: the fields made one by one after the text so far.
        line.resize(len);
        for (int v : {v1, v2, v3}) appendIntField(line, v, 4);
        line += "   ";
        len = line.size();
        if (line.size() < std::size_t(nAtoms) * 15) line.resize(std::size_t(nAtoms) * 15);
      }
      line.resize(len);
    }
    line += '\n';
    out += line;
    if (out.size() >= Chunk) {
      w.files.write(channel, out);
      out.clear();
    }
  }
  w.files.write(channel, out);
}

}  // namespace

void ZaMW(Work& w, int nModes, int nAtoms, int channel) {
  guard(w, "ZaMW", [&] { modeLines(w, nModes, nAtoms, channel, false); });
}

namespace {

/// The whole summary on the open channel; false when a writer reported an error.
bool writeKelBody(Work& w, const std::string& route, bool asIs) {
  auto& m = w.m;
  auto& files = w.files;
  const int reports = w.erraCount;
  if (!route.empty()) {
    files.writeLine(KelChannel, route);
    files.writeLine(KelChannel, "");
  }
  files.writeLine(KelChannel, AtomsTitle);
  if (asIs)
    ZaCo1(w, KelChannel, m.NAt);
  else
    ZaCoo(w, KelChannel, m.NAt);
  if (w.erraCount == reports) {
    files.writeLine(KelChannel, "");
    files.writeLine(KelChannel, "");
    files.writeLine(KelChannel, ModesTitle);
    // Fewer modes than a whole table of the structure (two structures joined): the count
    // is written so that the reader can tell the block from a cut-off one.
    int atoms = m.NAt;
    if (asIs)
      for (int i = 1; i <= m.NAt; ++i) atoms -= m.XyzV(i, 0) < 0;
    if (m.NFrq > 0 && m.NFrq < expectedModes(m, atoms, route))
      files.writeLine(KelChannel, std::string(texts::ModeCountLine) + Str(m.NFrq));
    if (asIs) {
      // The structure as the viewer shows it: the rows of deleted atoms go with them, so
      // that the file reads back with every displacement on its own atom.
      guard(w, "ZaMW", [&] { modeLines(w, m.NFrq, m.NAt, KelChannel, true); });
    } else {
      ZaMW(w, m.NFrq, m.NAt, KelChannel);
    }
  }
  if (w.erraCount == reports && m.Sw(sw::Scaling) != 0) {
    files.writeLine(KelChannel, "");
    files.writeLine(KelChannel, scalingText(m));
  }
  return w.erraCount == reports;
}

/// The summary this read would write equals the content of file name.
bool sameSummary(Work& w, const std::string& name, const std::string& route) {
  w.files.openComparison(KelChannel, name);
  const bool written = writeKelBody(w, route, false);
  const bool same = w.files.closeComparison(KelChannel);
  return written && same;
}

}  // namespace

void writeKelFile(Work& w, const std::string& name, const std::string& route, bool asIs) {
  auto& files = w.files;
  // A file of that name is replaced only by a complete new one, and after its own content has
  // been kept under a numbered name (a file marked read-only is still refused by the open).
  const bool replacing = nameTaken(name) && !readOnlyFile(name);
  const std::string target = replacing ? name + ".part" : name;
  files.openOutput(KelChannel, target);
  if (!writeKelBody(w, route, asIs)) {
    // A half-written file would be taken for a complete one by the next read.
    files.closeAll();
    deleteFile(target);
    w.readFailed = true;
    return;
  }
  files.close(KelChannel);
  if (replacing) {
    keepOldVersion(w, name, target);
    if (nameTaken(name))
      deleteFile(target);  // the same content: the file stays as it is
    else
      renameFile(target, name);
  }
  tekst(w, std::string(FileText) + name + std::string(WasCreated));
}

void writeAutoKel(Work& w, const std::string& route) {
  auto& m = w.m;
  if (m.NFrq == 0 || !w.writesKel) return;
  const std::string name = sideFile(w, m.FilNam + ".kel");
  if (fileExists(name)) {
    if (sameFile(name, w.con.Text1.text)) {
      // The file just read is never renamed or rewritten: a renumbered summary of it goes to
      // the first free numbered name (the free-name rule never moves the file read).
      if (m.RenDone == 0) return;
      const std::string stem = name.substr(0, name.size() - 4);
      writeKelFile(w, takeFreeName(w, stem, ".kel").target, route, false);
      return;
    }
    if (m.RenDone == 0) {
      if (!sameSummary(w, name, route))
        tekst(w, std::string(KeptFile) + name + std::string(KeptDiffers));
      return;
    }
    const std::string backup = sideFile(w, m.FilNam + ".ren" + ".kel");
    if (fileExists(backup)) return;
    tekst(w, std::string(OldFile) + name + std::string(RenamedAs) + backup);
    renameFile(name, backup);
  }
  writeKelFile(w, name, route, false);
}

void SaveKelAsIs(Work& w) noexcept {
  guard(w, "SaveKelAsIs", [&] {
    std::string name = sideFile(w, w.m.FilNam + ".kel");
    while (fileExists(name)) {
      const bool readOnly = readOnlyFile(name);
      std::string prompt = std::string(Caution) + "\r" + name + "\r\r" + std::string(CancelText);
      if (readOnly)
        prompt += ", " + name + std::string(ReadOnly);
      else
        prompt += OkOverwrite;
      prompt += "\r" + std::string(NewFilename);
      std::string answer = w.prompt->inputBox(prompt, BoxTitle, name);
      if (trim(answer).empty()) {
        w.con.Text3.text = NotSaved;
        return;
      }
      if (trim(answer) == name) break;
      name = typedName(answer);
    }
    writeKelFile(w, name, {}, true);
  });
}

}  // namespace kel
