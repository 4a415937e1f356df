// Kelvorin - desktop workbench for vibrational calculations.
// Where the blocks of a Gaussian output start. One scan of the file records the offset of
// every line that can open a block one of the readers looks for (orientation tables, energies,
// frequency tables and their groups, mass lines, renumbering and scaling instructions, forces,
// force constants, the route line); each reader then passes from one such line to the next
// instead of reading every line in between, and reads its own block from there as before.
#pragma once

#include "base/line_reader.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kel {

class BlockIndex {
 public:
  /// What a line may open (several at once).
  enum Kind : unsigned {
    Orientation = 1u << 0,     ///< "orient": orientation tables, input frames of force constants
    Route = 1u << 1,           ///< the route line rule ('#' in the first four columns)
    Energy = 1u << 2,          ///< "a.u": energies
    FrequencyTitle = 1u << 3,  ///< "harmonic freq"
    Mass = 1u << 4,            ///< "atom", "number " and "mass "
    Instruction = 1u << 5,     ///< "scaling factor" or "renum atoms"
    Forces = 1u << 6,          ///< the title of the forces table
    ForceConstants = 1u << 7,  ///< the title of the Cartesian force constants
    FrequencyGroup = 1u << 8,  ///< the frequency line of a group of a mode table
  };

  /// Lines listed at most: an index never holds more than a few megabytes (a damaged file
  /// of nothing but key lines is read line by line as without one).
  static constexpr std::size_t MaxEntries = std::size_t(1) << 18;

  /// Scans file path once (error 53, 75 as the line reader).
  explicit BlockIndex(const std::string& path);

  const std::string& path() const { return path_; }
  /// Every line that may open a block is listed (none was left out for room).
  bool complete() const { return complete_; }
  /// True when the index is complete and file f is the one scanned, of the length it had.
  bool holds(const std::string& f) const;

  struct Entry {
    std::uint64_t offset;  ///< where the line starts
    unsigned kinds;
  };
  const std::vector<Entry>& entries() const { return entries_; }
  std::uint64_t length() const { return length_; }

 private:
  std::string path_;
  std::uint64_t length_ = 0;
  std::vector<Entry> entries_;
  bool complete_ = true;
};

/// Where the index's scan stops: the first byte of data[0..n) that may belong to a line opening
/// a block (a letter other than d and e, either case, or '#'), n when there is none. vector:
/// the fastest way the processor has; else eight bytes at a time. Both give the same place.
std::size_t firstKeyByte(const char* data, std::size_t n, bool vector = true);

/// The lines a reader looks at between its blocks: with an index, only the lines that may open
/// one of the kinds asked for (and the rest of a line after free-format input); without one,
/// every line.
class IndexedLines {
 public:
  IndexedLines(LineReader& in, const BlockIndex* index, unsigned kinds)
      : in_(in), index_(index), kinds_(kinds) {}
  /// The next such line at or after the reader's place; false (line empty) at the end.
  bool next(std::string& line);

 private:
  LineReader& in_;
  const BlockIndex* index_;
  unsigned kinds_;
  std::size_t at_ = 0;  // first entry not yet passed
};

}  // namespace kel
