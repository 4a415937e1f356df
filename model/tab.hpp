// Kelvorin - desktop workbench for vibrational calculations.
// Fixed-capacity tables: lower bound 0, upper bounds inclusive, first index fastest.
#pragma once

#include "base/basic_error.hpp"

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <vector>

namespace kel {

/// A table allocated once at full size; an index outside 0..Hi is run-time error 9.
template <typename T, int... Hi>
class Tab {
  static constexpr int hi[] = {Hi...};
  std::vector<T> v_ = std::vector<T>((std::size_t(Hi + 1) * ...));

  std::size_t at(std::integral auto... i) const {
    std::size_t pos = 0, stride = 1;
    int k = 0;
    for (long long x : {static_cast<long long>(i)...}) {
      if (x < 0 || x > hi[k]) throw BasicError{9};  // Subscript out of range
      pos += std::size_t(x) * stride;
      stride *= std::size_t(hi[k++] + 1);
    }
    return pos;
  }

 public:
  T& operator()(std::integral auto... i) requires(sizeof...(i) == sizeof...(Hi)) {
    return v_[at(i...)];
  }
  const T& operator()(std::integral auto... i) const requires(sizeof...(i) == sizeof...(Hi)) {
    return v_[at(i...)];
  }
  void fill(const T& x) { std::ranges::fill(v_, x); }
  /// Upper bound of dimension d (0-based), as declared.
  static constexpr int upper(int d) { return hi[d]; }
};

}  // namespace kel
