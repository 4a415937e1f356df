// Kelvorin - desktop workbench for vibrational calculations.
// Fixed-capacity tables: lower bound 0, upper bounds inclusive, first index fastest.
#pragma once

#include "base/basic_error.hpp"
#include "base/platform.hpp"

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <type_traits>
#include <vector>

namespace kel {

/// Zeroed storage of n elements: plain numbers come from calloc, so pages the program never
/// touches cost no memory and no time; other types are value-initialised in a vector.
template <typename T, std::size_t N>
class TabStore {
 public:
  static constexpr bool Plain = std::is_arithmetic_v<T>;

  TabStore() {
    if constexpr (Plain) {
      p_.reset(static_cast<T*>(std::calloc(N, sizeof(T))));
      if (!p_) throw std::bad_alloc();
    } else {
      v_.resize(N);
    }
  }
  TabStore(const TabStore& o) : TabStore() { *this = o; }
  TabStore& operator=(const TabStore& o) {
    if constexpr (Plain)
      std::memcpy(p_.get(), o.p_.get(), N * sizeof(T));
    else
      v_ = o.v_;
    return *this;
  }
  T* data() {
    if constexpr (Plain)
      return p_.get();
    else
      return v_.data();
  }
  const T* data() const {
    if constexpr (Plain)
      return p_.get();
    else
      return v_.data();
  }

 private:
  struct Free {
    void operator()(T* p) const { std::free(p); }
  };
  std::unique_ptr<T, Free> p_;
  std::vector<T> v_;
};

/// A table of fixed capacity; an index outside 0..Hi is run-time error 9. The table keeps
/// the highest index written along each dimension since it was last cleared, so clearing it
/// again touches only that corner.
template <typename T, int... Hi>
class Tab {
  static constexpr int Dims = sizeof...(Hi);
  static constexpr int hi[sizeof...(Hi)] = {Hi...};
  static constexpr std::size_t Size = (std::size_t(Hi + 1) * ...);

  TabStore<T, Size> s_;
  std::array<int, Dims> used_ = filled(-1);  ///< highest index written per dimension
  static constexpr std::size_t LargeCorner = std::size_t(4) << 20;  ///< bytes, see prepare
  bool zeroBeyond_ = true;  ///< every element outside the used corner holds T{}

  static constexpr std::array<int, Dims> filled(int x) {
    std::array<int, Dims> a{};
    a.fill(x);
    return a;
  }

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
  void mark(std::integral auto... i) {
    int k = 0;
    for (long long x : {static_cast<long long>(i)...}) {
      used_[std::size_t(k)] = std::max(used_[std::size_t(k)], int(x));
      ++k;
    }
  }
  /// Sets the corner 0..used_ to x, one run of the first index at a time.
  void fillCorner(const T& x) {
    if (used_[0] < 0) return;
    std::array<int, Dims> idx{};
    const std::size_t run = std::size_t(used_[0]) + 1;
    for (;;) {
      std::size_t pos = 0, stride = std::size_t(hi[0] + 1);
      for (int k = 1; k < Dims; ++k) {
        pos += std::size_t(idx[std::size_t(k)]) * stride;
        stride *= std::size_t(hi[k] + 1);
      }
      std::fill_n(s_.data() + pos, run, x);
      int k = 1;
      for (; k < Dims; ++k) {
        if (++idx[std::size_t(k)] <= used_[std::size_t(k)]) break;
        idx[std::size_t(k)] = 0;
      }
      if (k >= Dims) return;
    }
  }

 public:
  T& operator()(std::integral auto... i) requires(sizeof...(i) == sizeof...(Hi)) {
    std::size_t pos = at(i...);
    mark(i...);
    return s_.data()[pos];
  }
  const T& operator()(std::integral auto... i) const requires(sizeof...(i) == sizeof...(Hi)) {
    return s_.data()[at(i...)];
  }
  /// Elements (first..last, rest...) as one contiguous run: the first index varies fastest.
  /// Both ends are bounds-checked; an empty run when last < first.
  std::span<T> run(int first, int last,
                   std::integral auto... rest) requires(sizeof...(rest) + 1 == sizeof...(Hi)) {
    if (last < first) return {};
    std::size_t a = at(first, rest...), b = at(last, rest...);
    mark(last, rest...);
    return {s_.data() + a, b - a + 1};
  }
  /// The corner 0..last is about to be written: its pages are made at once (a table holds
  /// zeros in pages never touched, and a fault for each page costs more than one request).
  /// A corner of several megabytes, most of a large table, gets large pages as well.
  void prepare(std::integral auto... last) requires(sizeof...(last) == sizeof...(Hi)) {
    const std::array<int, Dims> top = {int(last)...};
    const std::size_t end = at(last...) + 1;
    // elements the corner's stretches hold, against the span from the table's start
    std::size_t corner = std::size_t(top[0]) + 1;
    if constexpr (Dims > 1) corner += std::size_t(top[1]) * std::size_t(hi[0] + 1);
    for (int k = 2; k < Dims; ++k) corner *= std::size_t(top[std::size_t(k)]) + 1;
    if (corner * sizeof(T) >= LargeCorner && 2 * corner >= end)
      largePages(s_.data(), end * sizeof(T));
    // The first two indices of the corner are one stretch of memory for each of the others.
    std::array<int, Dims> idx{};
    for (;;) {
      std::size_t from = 0, to = 0, stride = 1;
      for (int k = 0; k < Dims; ++k) {
        const int lo = k < 2 ? 0 : idx[std::size_t(k)];
        const int up = k < 2 ? top[std::size_t(k)] : idx[std::size_t(k)];
        from += std::size_t(lo) * stride;
        to += std::size_t(up) * stride;
        stride *= std::size_t(hi[k] + 1);
      }
      prefaultForWriting(s_.data() + from, (to - from + 1) * sizeof(T));
      int k = 2;
      for (; k < Dims; ++k) {
        if (++idx[std::size_t(k)] <= top[std::size_t(k)]) break;
        idx[std::size_t(k)] = 0;
      }
      if (k >= Dims) return;
    }
  }
  /// Every element becomes x. Clearing to T{} touches only the corner written since the
  /// table was last cleared.
  void fill(const T& x) {
    if (x == T{} && zeroBeyond_) {
      fillCorner(x);
    } else {
      std::fill_n(s_.data(), Size, x);
      zeroBeyond_ = x == T{};
    }
    used_ = x == T{} ? filled(-1) : filled(0);
    if (!(x == T{})) std::copy(std::begin(hi), std::end(hi), used_.begin());
  }
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
