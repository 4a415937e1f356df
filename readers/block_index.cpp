// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/block_index.hpp"

#include "readers/text_scan.hpp"
#include "readers/texts.hpp"

#include <array>
#include <filesystem>

namespace kel {

namespace {

/// Bytes of the keys' letters: every key holds a letter other than d and e, which are the
/// only letters of number lines ("0.544093D+00"). Lines without such a byte open no block.
constexpr std::array<bool, 256> KeyLetters = [] {
  std::array<bool, 256> t{};
  for (int c = 'a'; c <= 'z'; ++c)
    if (c != 'd' && c != 'e') t[std::size_t(c)] = t[std::size_t(c - 'a' + 'A')] = true;
  return t;
}();

bool mayOpenBlock(std::string_view line) {
  if (line.substr(0, 4).find('#') != std::string_view::npos) return true;  // a route line
  for (char c : line)
    if (KeyLetters[static_cast<unsigned char>(c)]) return true;
  return false;
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
  std::string line;
  for (;;) {
    const std::uint64_t at = in.offset();
    if (!in.getLine(line)) break;
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
