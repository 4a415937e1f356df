// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/block_index.hpp"

#include "readers/text_scan.hpp"
#include "readers/texts.hpp"

#include <cstdint>
#include <cstring>
#include <filesystem>

namespace kel {

namespace {

/// The line holds a letter other than d and e, which are the only letters of number lines
/// ("0.544093D+00"): every key holds such a letter, so lines without one open no block. Eight
/// characters are looked at together, without a branch for each.
bool holdsKeyLetter(std::string_view line) {
  using scan::bytes8::equal, scan::bytes8::High, scan::bytes8::Low7, scan::bytes8::Ones;
  // high bit of each byte that is a letter a..z or A..Z other than d, D, e and E
  auto letters = [&](std::uint64_t x) {
    const std::uint64_t l = x | (Ones * 0x20);                         // upper case to lower case
    const std::uint64_t fromA = (l & Low7) + Ones * (0x80 - 'a');      // high bit: l >= 'a'
    const std::uint64_t pastZ = (l & Low7) + Ones * (0x80 - 'z' - 1);  // high bit: l > 'z'
    return fromA & ~pastZ & ~x & High & ~(equal(l, 'd') | equal(l, 'e'));
  };
  const char* p = line.data();
  std::size_t left = line.size();
  for (; left >= 8; p += 8, left -= 8) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    if (letters(x)) return true;
  }
  std::uint64_t x = 0x2020202020202020ULL;  // the rest, filled with blanks
  std::memcpy(&x, p, left);
  return letters(x) != 0;
}

bool mayOpenBlock(std::string_view line) {
  if (line.substr(0, 4).find('#') != std::string_view::npos) return true;  // a route line
  return holdsKeyLetter(line);
}

unsigned kindsOf(std::string_view line) {
  using scan::hasLow;
  unsigned k = 0;
  if (hasLow(line, texts::OrientKey)) k |= BlockIndex::Orientation;
  if (scan::isRouteLine(line)) k |= BlockIndex::Route;
  if (hasLow(line, texts::EnergyKey)) k |= BlockIndex::Energy;
  if (hasLow(line, texts::HarmonicKey)) k |= BlockIndex::FrequencyTitle;
  if (hasLow(line, texts::AtomKey) && hasLow(line, texts::NumberKey) &&
      hasLow(line, texts::MassKey))
    k |= BlockIndex::Mass;
  if (hasLow(line, texts::ScalingKey) || hasLow(line, texts::RenumKey))
    k |= BlockIndex::Instruction;
  if (hasLow(line, texts::ForcesTitle)) k |= BlockIndex::Forces;
  if (hasLow(line, texts::ForceConstantsTitle)) k |= BlockIndex::ForceConstants;
  return k;
}

}  // namespace

BlockIndex::BlockIndex(const std::string& path) : path_(path) {
  LineReader in(path);
  std::string_view line;
  for (;;) {
    const std::uint64_t at = in.offset();
    if (!in.viewLine(line)) break;
    if (!mayOpenBlock(line)) continue;
    const unsigned k = kindsOf(line);
    if (k == 0 || !complete_) continue;
    if (entries_.size() == MaxEntries) {
      complete_ = false;
      entries_ = {};
      continue;
    }
    entries_.push_back({at, k});
  }
  length_ = in.offset();
}

bool BlockIndex::holds(const std::string& f) const {
  std::error_code ec;
  const auto size = std::filesystem::file_size(f, ec);
  return complete_ && f == path_ && !ec && size == length_;
}

bool IndexedLines::next(std::string& line) {
  if (!index_ || !index_->complete() || in_.midLine()) return in_.getLine(line);
  const auto& e = index_->entries();
  const std::uint64_t pos = in_.offset();
  while (at_ < e.size() && (e[at_].offset < pos || (e[at_].kinds & kinds_) == 0)) ++at_;
  if (at_ == e.size()) {
    in_.seek(index_->length());
    line.clear();
    return false;
  }
  if (e[at_].offset != pos) in_.seek(e[at_].offset);
  ++at_;
  return in_.getLine(line);
}

}  // namespace kel
