// Kelvorin - desktop workbench for vibrational calculations.
// Fixed-capacity tables: lower bound 0, upper bounds inclusive, first index fastest.
#pragma once

#include "base/basic_error.hpp"

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <span>
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
  /// Elements (first..last, rest...) as one contiguous run: the first index varies fastest.
  /// Both ends are bounds-checked; an empty run when last < first.
  std::span<T> run(int first, int last,
                   std::integral auto... rest) requires(sizeof...(rest) + 1 == sizeof...(Hi)) {
    if (last < first) return {};
    std::size_t a = at(first, rest...), b = at(last, rest...);
    return {v_.data() + a, b - a + 1};
  }
  void fill(const T& x) { std::ranges::fill(v_, x); }
  /// Distance in elements between neighbours along dimension d (0-based), for loops that
  /// check the far corner of their block once and then step through it.
  static constexpr std::size_t stride(int d) {
    std::size_t s = 1;
    for (int k = 0; k < d; ++k) s *= std::size_t(hi[k] + 1);
    return s;
  }
  /// Upper bound of dimension d (0-based), as declared.
  static constexpr int upper(int d) { return hi[d]; }
};

}  // namespace kel
