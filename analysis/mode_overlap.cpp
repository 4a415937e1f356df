// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/mode_overlap.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KEL_OVERLAP_X86 1
#endif

namespace kel {

namespace {

/// Elements of a row segment are padded to a multiple of this (one 256-bit vector of i16).
constexpr int Pad = 16;
/// Earlier modes kept together in the cache while every later mode passes over them.
constexpr int BlockRows = 128;
/// Later modes compared with one earlier mode at a time.
constexpr int Tile = 4;

/// Sums of products of row a with rows b[0..3], per mass segment: out[g * Tile + q].
using Kernel = void (*)(const i16* a, const i16* const (&b)[Tile], const int* segEnd, int segments,
                        std::int64_t* out);

void dotsPlain(const i16* a, const i16* const (&b)[Tile], const int* segEnd, int segments,
               std::int64_t* out) {
  int p = 0;
  for (int g = 0; g < segments; ++g) {
    std::int64_t s[Tile] = {0, 0, 0, 0};
    for (; p < segEnd[g]; ++p)
      for (int q = 0; q < Tile; ++q) s[q] += std::int64_t(a[p]) * b[q][p];
    for (int q = 0; q < Tile; ++q) out[g * Tile + q] = s[q];
  }
}

#ifdef KEL_OVERLAP_X86
std::int64_t lanes(__m128i v) {
  alignas(16) std::int32_t t[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(t), v);
  return std::int64_t(t[0]) + t[1] + t[2] + t[3];
}

void dotsSse2(const i16* a, const i16* const (&b)[Tile], const int* segEnd, int segments,
              std::int64_t* out) {
  auto load = [](const i16* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  int p = 0;
  for (int g = 0; g < segments; ++g) {
    __m128i s0 = _mm_setzero_si128(), s1 = s0, s2 = s0, s3 = s0;
    for (; p < segEnd[g]; p += 8) {
      const __m128i x = load(a + p);
      s0 = _mm_add_epi32(s0, _mm_madd_epi16(x, load(b[0] + p)));
      s1 = _mm_add_epi32(s1, _mm_madd_epi16(x, load(b[1] + p)));
      s2 = _mm_add_epi32(s2, _mm_madd_epi16(x, load(b[2] + p)));
      s3 = _mm_add_epi32(s3, _mm_madd_epi16(x, load(b[3] + p)));
    }
    out[g * Tile + 0] = lanes(s0);
    out[g * Tile + 1] = lanes(s1);
    out[g * Tile + 2] = lanes(s2);
    out[g * Tile + 3] = lanes(s3);
  }
}

__attribute__((target("avx2"))) void dotsAvx2(const i16* a, const i16* const (&b)[Tile],
                                              const int* segEnd, int segments, std::int64_t* out) {
  const i16 *b0 = b[0], *b1 = b[1], *b2 = b[2], *b3 = b[3];
#define KEL_LOAD(p) _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p))
#define KEL_HALVES(v) _mm_add_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1))
  int p = 0;
  for (int g = 0; g < segments; ++g) {
    __m256i s0 = _mm256_setzero_si256(), s1 = s0, s2 = s0, s3 = s0;
    for (; p < segEnd[g]; p += 16) {
      const __m256i x = KEL_LOAD(a + p);
      s0 = _mm256_add_epi32(s0, _mm256_madd_epi16(x, KEL_LOAD(b0 + p)));
      s1 = _mm256_add_epi32(s1, _mm256_madd_epi16(x, KEL_LOAD(b1 + p)));
      s2 = _mm256_add_epi32(s2, _mm256_madd_epi16(x, KEL_LOAD(b2 + p)));
      s3 = _mm256_add_epi32(s3, _mm256_madd_epi16(x, KEL_LOAD(b3 + p)));
    }
    // both halves of each sum into 128 bits, where the rest is done as for SSE2
    out[g * Tile + 0] = lanes(KEL_HALVES(s0));
    out[g * Tile + 1] = lanes(KEL_HALVES(s1));
    out[g * Tile + 2] = lanes(KEL_HALVES(s2));
    out[g * Tile + 3] = lanes(KEL_HALVES(s3));
  }
#undef KEL_HALVES
#undef KEL_LOAD
}
#endif

/// The vector kernels sum in 32-bit lanes: exact while no sum of products can pass 2^31.
Kernel pickKernel(int dim, int maxAbs) {
  const auto bound = std::int64_t(dim) * maxAbs * maxAbs;
  if (bound > std::numeric_limits<std::int32_t>::max()) return dotsPlain;
#ifdef KEL_OVERLAP_X86
  if (__builtin_cpu_supports("avx2")) return dotsAvx2;
  return dotsSse2;
#else
  return dotsPlain;
#endif
}

}  // namespace

ModeOverlap largestOverlap(const ModKel& m, const std::vector<double>& masses) {
  ModeOverlap best;
  const int n = std::min<int>(m.NAt, int(masses.size())), nm = m.NFrq;
  if (n < 1 || nm < 2) return best;
  // Atoms of one mass form one segment of each row, so that a pair's sum is the masses times
  // integer sums of products.
  std::vector<double> weight;
  std::vector<std::vector<int>> members;
  for (int a = 0; a < n; ++a) {
    const double w = masses[std::size_t(a)];
    auto it = std::find(weight.begin(), weight.end(), w);
    if (it == weight.end()) {
      weight.push_back(w);
      members.emplace_back();
      it = weight.end() - 1;
    }
    members[std::size_t(it - weight.begin())].push_back(a);
  }
  const int segments = int(weight.size());
  std::vector<int> segEnd(static_cast<std::size_t>(segments));
  int stride = 0;
  for (int g = 0; g < segments; ++g) {
    stride += (3 * int(members[std::size_t(g)].size()) + Pad - 1) / Pad * Pad;
    segEnd[std::size_t(g)] = stride;
  }
  // Row k: the displacements of mode k + 1, segment after segment, zeros in the padding.
  (void)m.ModeD(nm, n, 3);
  std::vector<i16> rows(std::size_t(nm) * std::size_t(stride), 0);
  int maxAbs = 0;
  int pos = 0;
  for (int g = 0; g < segments; ++g) {
    for (int a : members[std::size_t(g)])
      for (int c = 1; c <= 3; ++c, ++pos) {
        const i16* run = &m.ModeD(1, a + 1, c);  // the mode index varies fastest
        for (int k = 0; k < nm; ++k) {
          rows[std::size_t(k) * std::size_t(stride) + std::size_t(pos)] = run[k];
          maxAbs = std::max(maxAbs, std::abs(int(run[k])));
        }
      }
    pos = segEnd[std::size_t(g)];
  }
  const Kernel dots = pickKernel(3 * n, maxAbs);
  std::vector<std::int64_t> sums(std::size_t(segments) * Tile);
  auto weighted = [&](int q) {
    double s = 0;
    for (int g = 0; g < segments; ++g)
      s += weight[std::size_t(g)] * double(sums[std::size_t(g * Tile + q)]);
    return s;
  };
  auto row = [&](int k) { return rows.data() + std::size_t(k) * std::size_t(stride); };
  std::vector<double> norm(static_cast<std::size_t>(nm));
  for (int k = 0; k < nm; ++k) {
    const i16* self[Tile] = {row(k), row(k), row(k), row(k)};
    dots(row(k), self, segEnd.data(), segments, sums.data());
    norm[std::size_t(k)] = std::sqrt(weighted(0));
  }
  auto consider = [&](int first, int second, double s) {
    const double nf = norm[std::size_t(first)], ns = norm[std::size_t(second)];
    if (!(nf > 0) || !(ns > 0)) return;
    const double v = std::fabs(s) / (nf * ns);
    if (!(v > 0)) return;
    if (v > best.value ||
        (v == best.value &&
         (second + 1 < best.second || (second + 1 == best.second && first + 1 < best.first)))) {
      best.value = v;
      best.first = first + 1;
      best.second = second + 1;
    }
  };
  for (int j0 = 0; j0 < nm; j0 += BlockRows) {
    const int j1 = std::min(nm, j0 + BlockRows);
    for (int i = j0 + 1; i < nm; ++i) {
      const int jEnd = std::min(j1, i);
      for (int j = j0; j < jEnd; j += Tile) {
        const int count = std::min(Tile, jEnd - j);
        const i16* b[Tile];
        for (int q = 0; q < Tile; ++q) b[q] = row(j + std::min(q, count - 1));
        dots(row(i), b, segEnd.data(), segments, sums.data());
        for (int q = 0; q < count; ++q) consider(j + q, i, weighted(q));
      }
    }
  }
  return best;
}

}  // namespace kel
