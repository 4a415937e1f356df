// Kelvorin - desktop workbench for vibrational calculations.
#include "readers/block_index.hpp"

#include "readers/text_scan.hpp"
#include "readers/texts.hpp"

#include <cstdint>
#include <cstring>
#include <filesystem>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

namespace kel {

namespace {

/// The high bit of each byte of x that is a letter other than d and e (either case): the only
/// letters of number lines ("0.544093D+00"), while every key holds another letter.
std::uint64_t keyLetters(std::uint64_t x) {
  using scan::bytes8::equal, scan::bytes8::High, scan::bytes8::Low7, scan::bytes8::Ones;
  const std::uint64_t l = x | (Ones * 0x20);                         // upper case to lower case
  const std::uint64_t fromA = (l & Low7) + Ones * (0x80 - 'a');      // high bit: l >= 'a'
  const std::uint64_t pastZ = (l & Low7) + Ones * (0x80 - 'z' - 1);  // high bit: l > 'z'
  return fromA & ~pastZ & ~x & High & ~(equal(l, 'd') | equal(l, 'e'));
}

/// The line holds a key letter: lines without one open no block. Eight characters are looked
/// at together, without a branch for each.
bool holdsKeyLetter(std::string_view line) {
  const char* p = line.data();
  std::size_t left = line.size();
  for (; left >= 8; p += 8, left -= 8) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    if (keyLetters(x)) return true;
  }
  std::uint64_t x = 0x2020202020202020ULL;  // the rest, filled with blanks
  std::memcpy(&x, p, left);
  return keyLetters(x) != 0;
}

/// The first byte of data[0..n) that may belong to a line opening a block (a key letter or
/// '#'), or n: every other line is passed over unread.
std::size_t firstKeyByteWords(const char* data, std::size_t n) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t x;
    std::memcpy(&x, data + i, 8);
    if (keyLetters(x) | scan::bytes8::equal(x, '#')) break;  // which byte: one at a time
  }
  for (; i < n; ++i) {
    std::uint64_t x = 0x2020202020202020ULL;
    std::memcpy(&x, data + i, 1);
    if (keyLetters(x) | scan::bytes8::equal(x, '#')) return i;
  }
  return n;
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
/// As firstKeyByteWords, 32 bytes at a time.
__attribute__((target("avx2"))) std::size_t firstKeyByteAvx2(const char* data, std::size_t n) {
  const __m256i lower = _mm256_set1_epi8(0x20), a = _mm256_set1_epi8('a');
  const __m256i letters = _mm256_set1_epi8(25), de = _mm256_set1_epi8(1);
  const __m256i d = _mm256_set1_epi8('d'), hash = _mm256_set1_epi8('#');
  std::size_t i = 0;
  for (; i + 32 <= n; i += 32) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
    const __m256i l = _mm256_or_si256(x, lower);
    // unsigned l - 'a' <= 25: a letter; l - 'd' <= 1: d or e
    const __m256i fromA = _mm256_sub_epi8(l, a), fromD = _mm256_sub_epi8(l, d);
    const __m256i letter = _mm256_cmpeq_epi8(_mm256_min_epu8(fromA, letters), fromA);
    const __m256i dOrE = _mm256_cmpeq_epi8(_mm256_min_epu8(fromD, de), fromD);
    const __m256i key =
        _mm256_or_si256(_mm256_andnot_si256(dOrE, letter), _mm256_cmpeq_epi8(x, hash));
    if (const unsigned hit = unsigned(_mm256_movemask_epi8(key)))
      return i + std::size_t(__builtin_ctz(hit));
  }
  return i + firstKeyByteWords(data + i, n - i);
}
#endif

LineReader::Finder keyByteFinder(bool vector) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (vector && __builtin_cpu_supports("avx2")) return firstKeyByteAvx2;
#else
  (void)vector;
#endif
  return firstKeyByteWords;
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
  if (scan::isFreqLine(line)) k |= BlockIndex::FrequencyGroup;
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
  const LineReader::Finder find = keyByteFinder(true);
  std::string_view line;
  for (;;) {
    in.passLinesWithout(find);
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

std::size_t firstKeyByte(const char* data, std::size_t n, bool vector) {
  return keyByteFinder(vector)(data, n);
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
