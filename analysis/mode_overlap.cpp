// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/mode_overlap.hpp"

#include "analysis/report.hpp"
#include "base/platform.hpp"

#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <limits>
#include <new>
#include <system_error>
#include <thread>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KEL_OVERLAP_X86 1
#endif

namespace kel {

namespace {

/// n zeroed elements from an anonymous mapping, its pages all made at once: every row is
/// written once, and one request for all pages costs far less than a fault for each. Rows of
/// megabytes start on a large page boundary and get large pages (see largePages).
template <typename T>
class ZeroedRows {
 public:
  explicit ZeroedRows(std::size_t n) : bytes_(std::max<std::size_t>(n * sizeof(T), 1)) {
    const bool large = bytes_ >= Large;
    mapped_ = bytes_ + (large ? Large : 0);
    map_ = ::mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map_ == MAP_FAILED) throw std::bad_alloc();
    const auto at = reinterpret_cast<std::uintptr_t>(map_);
    p_ = reinterpret_cast<void*>(large ? (at + Large - 1) / Large * Large : at);
    if (large) largePages(p_, bytes_);
    prefaultForWriting(p_, bytes_);
  }
  ZeroedRows(const ZeroedRows&) = delete;
  ZeroedRows& operator=(const ZeroedRows&) = delete;
  ~ZeroedRows() { ::munmap(map_, mapped_); }
  T* data() const { return static_cast<T*>(p_); }

 private:
  static constexpr std::size_t Large = std::size_t(1) << 21;
  std::size_t bytes_, mapped_;
  void* map_;
  void* p_;
};

/// Elements of a row segment are padded to a multiple of this (one 512-bit vector of bytes).
constexpr int Pad = 64;
/// Earlier modes kept together in the cache while every later mode passes over them.
constexpr int BlockRows = 128;
/// Earlier modes compared with the later ones of one kernel call.
constexpr int Tile = 4;
/// Later modes of one kernel call: each row of earlier modes loaded serves both.
constexpr int Later = 2;
/// Threads sharing the pairs of a large model.
constexpr int MaxThreads = 4;

/// Sums of products of rows a[0..1] with rows b[0..3], per mass segment:
/// out[(g * Later + r) * Tile + q]. The rows are of i16, except for the byte kernel (below),
/// whose sums start from start[q][g] instead of 0.
using Kernel = void (*)(const void* const (&a)[Later], const void* const (&b)[Tile],
                        const int* segEnd, int segments, const std::int32_t* const (&start)[Tile],
                        std::int64_t* out);
/// The i16 kernels take one later row at a time, its sums at out[g * step + q].
using RowKernel = void (*)(const void* a, const void* const (&b)[Tile], const int* segEnd,
                           int segments, std::int64_t* out, int step);
template <RowKernel row>
void twoRows(const void* const (&a)[Later], const void* const (&b)[Tile], const int* segEnd,
             int segments, const std::int32_t* const (&)[Tile], std::int64_t* out) {
  for (int r = 0; r < Later; ++r) row(a[r], b, segEnd, segments, out + r * Tile, Later * Tile);
}
/// The rows of one kernel call, as its element type.
template <typename E>
struct Rows {
  Rows(const void* av, const void* const (&bv)[Tile])
      : a(static_cast<const E*>(av)),
        b0(static_cast<const E*>(bv[0])),
        b1(static_cast<const E*>(bv[1])),
        b2(static_cast<const E*>(bv[2])),
        b3(static_cast<const E*>(bv[3])) {}
  const E *a, *b0, *b1, *b2, *b3;
};

void dotsPlain(const void* av, const void* const (&bv)[Tile], const int* segEnd, int segments,
               std::int64_t* out, int step) {
  const Rows<i16> r(av, bv);
  const i16* b[Tile] = {r.b0, r.b1, r.b2, r.b3};
  int p = 0;
  for (int g = 0; g < segments; ++g) {
    std::int64_t s[Tile] = {0, 0, 0, 0};
    for (; p < segEnd[g]; ++p)
      for (int q = 0; q < Tile; ++q) s[q] += std::int64_t(r.a[p]) * b[q][p];
    for (int q = 0; q < Tile; ++q) out[g * step + q] = s[q];
  }
}

#ifdef KEL_OVERLAP_X86
std::int64_t lanes(__m128i v) {
  alignas(16) std::int32_t t[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(t), v);
  return std::int64_t(t[0]) + t[1] + t[2] + t[3];
}

void dotsSse2(const void* av, const void* const (&bv)[Tile], const int* segEnd, int segments,
              std::int64_t* out, int step) {
  const Rows<i16> r(av, bv);
  const i16 *a = r.a, *b0 = r.b0, *b1 = r.b1, *b2 = r.b2, *b3 = r.b3;
  auto load = [](const i16* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  int p = 0;
  for (int g = 0; g < segments; ++g) {
    __m128i s0 = _mm_setzero_si128(), s1 = s0, s2 = s0, s3 = s0;
    for (; p < segEnd[g]; p += 8) {
      const __m128i x = load(a + p);
      s0 = _mm_add_epi32(s0, _mm_madd_epi16(x, load(b0 + p)));
      s1 = _mm_add_epi32(s1, _mm_madd_epi16(x, load(b1 + p)));
      s2 = _mm_add_epi32(s2, _mm_madd_epi16(x, load(b2 + p)));
      s3 = _mm_add_epi32(s3, _mm_madd_epi16(x, load(b3 + p)));
    }
    out[g * step + 0] = lanes(s0);
    out[g * step + 1] = lanes(s1);
    out[g * step + 2] = lanes(s2);
    out[g * step + 3] = lanes(s3);
  }
}

__attribute__((target("avx2"))) void dotsAvx2(const void* av, const void* const (&bv)[Tile],
                                              const int* segEnd, int segments, std::int64_t* out,
                                              int step) {
  const Rows<i16> r(av, bv);
  const i16 *a = r.a, *b0 = r.b0, *b1 = r.b1, *b2 = r.b2, *b3 = r.b3;
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
    out[g * step + 0] = lanes(KEL_HALVES(s0));
    out[g * step + 1] = lanes(KEL_HALVES(s1));
    out[g * step + 2] = lanes(KEL_HALVES(s2));
    out[g * step + 3] = lanes(KEL_HALVES(s3));
  }
#undef KEL_HALVES
#undef KEL_LOAD
}

// GCC 12 takes the undefined upper halves inside its AVX-512 intrinsics for uninitialized
// values (its bug 105593); nothing here reads an uninitialized value.
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

/// The lane sums of s0..s3 (exact: no sum passes 2^31) into out[0..3].
__attribute__((target("avx512f,avx2"), always_inline)) inline void sums4(__m512i s0, __m512i s1,
                                                                         __m512i s2, __m512i s3,
                                                                         std::int64_t* out) {
#define KEL_HALVES(v) _mm256_add_epi32(_mm512_castsi512_si256(v), _mm512_extracti64x4_epi64(v, 1))
  const __m256i q = _mm256_hadd_epi32(_mm256_hadd_epi32(KEL_HALVES(s0), KEL_HALVES(s1)),
                                      _mm256_hadd_epi32(KEL_HALVES(s2), KEL_HALVES(s3)));
#undef KEL_HALVES
  const __m128i r = _mm_add_epi32(_mm256_castsi256_si128(q), _mm256_extracti128_si256(q, 1));
  // Each sum is stored on its own, 64 bits wide: the caller reads them back at once, and a
  // load taken from part of a wider store waits until the store is done.
  const __m128i low = _mm_cvtepi32_epi64(r), high = _mm_cvtepi32_epi64(_mm_srli_si128(r, 8));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), low);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 1), _mm_unpackhi_epi64(low, low));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 2), high);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3), _mm_unpackhi_epi64(high, high));
}

/// VPDPBUSD multiplies and adds 64 pairs of bytes, unsigned by signed, in one instruction:
/// the bytes of the later rows with their top bit flipped are their displacements plus 128,
/// unsigned, so each sum would exceed the signed one by 128 times the sum of the earlier row
/// over the segment; start[q][g] (minus that) is where the sums start instead.
__attribute__((target("avx512f,avx512bw,avx512vnni"))) void dotsBytes(
    const void* const (&av)[Later], const void* const (&bv)[Tile], const int* segEnd, int segments,
    const std::int32_t* const (&start)[Tile], std::int64_t* out) {
  const auto* a0 = static_cast<const std::int8_t*>(av[0]);
  const auto* a1 = static_cast<const std::int8_t*>(av[1]);
  const Rows<std::int8_t> r(a0, bv);
  const std::int8_t *b0 = r.b0, *b1 = r.b1, *b2 = r.b2, *b3 = r.b3;
#define KEL_LOAD(p) _mm512_loadu_si512(reinterpret_cast<const void*>(p))
  const __m512i flip = _mm512_set1_epi8(static_cast<char>(0x80));
#define KEL_LOAD_A(p) _mm512_xor_si512(KEL_LOAD(p), flip)
#define KEL_START(q) _mm512_zextsi128_si512(_mm_cvtsi32_si128(start[q][g]))
  // Eight sums at once, two later rows by four earlier ones: none waits on the one before,
  // and each load of an earlier row serves both later rows.
  int p = 0;
  for (int g = 0; g < segments; ++g) {
    __m512i s0 = KEL_START(0), s1 = KEL_START(1), s2 = KEL_START(2), s3 = KEL_START(3);
    __m512i t0 = s0, t1 = s1, t2 = s2, t3 = s3;
    for (; p < segEnd[g]; p += 64) {
      const __m512i x = KEL_LOAD_A(a0 + p), y = KEL_LOAD_A(a1 + p);
      __m512i b = KEL_LOAD(b0 + p);
      s0 = _mm512_dpbusd_epi32(s0, x, b);
      t0 = _mm512_dpbusd_epi32(t0, y, b);
      b = KEL_LOAD(b1 + p);
      s1 = _mm512_dpbusd_epi32(s1, x, b);
      t1 = _mm512_dpbusd_epi32(t1, y, b);
      b = KEL_LOAD(b2 + p);
      s2 = _mm512_dpbusd_epi32(s2, x, b);
      t2 = _mm512_dpbusd_epi32(t2, y, b);
      b = KEL_LOAD(b3 + p);
      s3 = _mm512_dpbusd_epi32(s3, x, b);
      t3 = _mm512_dpbusd_epi32(t3, y, b);
    }
    sums4(s0, s1, s2, s3, out + g * Later * Tile);
    sums4(t0, t1, t2, t3, out + g * Later * Tile + Tile);
  }
#undef KEL_START
#undef KEL_LOAD_A
#undef KEL_LOAD
}
#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

/// The kernel asked for, where the processor has it and its arithmetic stays exact: the
/// vector kernels sum in 32-bit lanes, exact while no sum of products can pass 2^31; the byte
/// kernel needs every displacement in a signed byte (its sums, up to 255 * 128 per product,
/// stay far below 2^31 for 1440 coordinates). bytes: the byte kernel was chosen.
Kernel pickKernel(OverlapKernel want, int dim, int maxAbs, bool& bytes) {
  bytes = false;
  if (std::int64_t(dim) * maxAbs * maxAbs > std::numeric_limits<std::int32_t>::max())
    return twoRows<dotsPlain>;
#ifdef KEL_OVERLAP_X86
  const bool vnni = __builtin_cpu_supports("avx512vnni") && __builtin_cpu_supports("avx512bw");
  const bool avx2 = __builtin_cpu_supports("avx2");
  using K = OverlapKernel;
  if ((want == K::Auto || want == K::Bytes512) && vnni && maxAbs <= 127) {
    bytes = true;
    return dotsBytes;
  }
  if ((want == K::Auto || want == K::Avx2) && avx2) return twoRows<dotsAvx2>;
  if (want == K::Auto || want == K::Sse2) return twoRows<dotsSse2>;
#else
  (void)want;
  (void)maxAbs;
#endif
  return twoRows<dotsPlain>;
}

/// lo and hi widened to the values d[0..count).
void widenRange(const i16* d, int count, int& lo, int& hi) {
  int k = 0;
#ifdef KEL_OVERLAP_X86
  if (count >= 8) {
    __m128i least = _mm_set1_epi16(i16(lo)), most = _mm_set1_epi16(i16(hi));
    for (; k + 8 <= count; k += 8) {
      const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + k));
      least = _mm_min_epi16(least, x);
      most = _mm_max_epi16(most, x);
    }
    alignas(16) i16 l[8], h[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(l), least);
    _mm_store_si128(reinterpret_cast<__m128i*>(h), most);
    for (int t = 0; t < 8; ++t) {
      lo = std::min(lo, int(l[t]));
      hi = std::max(hi, int(h[t]));
    }
  }
#endif
  for (; k < count; ++k) {
    lo = std::min(lo, int(d[k]));
    hi = std::max(hi, int(d[k]));
  }
}

/// sum[k] += d[k] for k < count.
void addRun(const i16* d, int count, std::int32_t* sum) {
  int k = 0;
#ifdef KEL_OVERLAP_X86
  for (; k + 8 <= count; k += 8) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + k));
    __m128i* out = reinterpret_cast<__m128i*>(sum + k);
    // each i16 into the top half of a 32-bit lane, then shifted down with its sign
    const __m128i low = _mm_srai_epi32(_mm_unpacklo_epi16(x, x), 16);
    const __m128i high = _mm_srai_epi32(_mm_unpackhi_epi16(x, x), 16);
    _mm_storeu_si128(out, _mm_add_epi32(_mm_loadu_si128(out), low));
    _mm_storeu_si128(out + 1, _mm_add_epi32(_mm_loadu_si128(out + 1), high));
  }
#endif
  for (; k < count; ++k) sum[k] += d[k];
}

/// a ranks above b: a larger overlap, or an equal one of a lower pair (second, then first mode).
bool better(const ModeOverlap& a, const ModeOverlap& b) {
  if (a.value != b.value) return a.value > b.value;
  return a.second < b.second || (a.second == b.second && a.first < b.first);
}

ModeOverlap overlapOf(const ModeRuns& src, const std::vector<double>& masses, OverlapKernel kernel,
                      int maxThreads) {
  ModeOverlap best;
  const int n = std::min<int>(src.atoms, int(masses.size())), nm = src.modes;
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
  const auto& run = src.run;
  int lo = 0, hi = 0;
  for (int a = 0; a < n; ++a)
    for (int c = 1; c <= 3; ++c) widenRange(run(a, c), nm, lo, hi);
  const int maxAbs = std::max(-lo, hi);
  bool byteDots = false;
  const Kernel dots = pickKernel(kernel, 3 * n, maxAbs, byteDots);
  // One row per mode, of bytes or of i16.
  const std::size_t cells = std::size_t(nm) * std::size_t(stride);
  const std::size_t elem = byteDots ? 1 : sizeof(i16);
  ZeroedRows<unsigned char> store(cells * elem);
  unsigned char* rows = store.data();
  // Where the byte kernel's sums with row k start, per segment: -128 times the row's sum.
  std::vector<std::int32_t> rowStart(byteDots ? std::size_t(nm) * std::size_t(segments) : 1);
  // Coordinate p of the rows is atom atomOf[p] / 3, component atomOf[p] % 3 + 1 (-1: padding).
  std::vector<int> atomOf(std::size_t(stride), -1);
  for (int g = 0, pos = 0; g < segments; pos = segEnd[std::size_t(g)], ++g)
    for (int a : members[std::size_t(g)])
      for (int c = 0; c < 3; ++c) atomOf[std::size_t(pos++)] = 3 * a + c;
  if (byteDots) {
    std::vector<std::int32_t> sum(static_cast<std::size_t>(nm));
    for (int g = 0; g < segments; ++g) {
      std::fill(sum.begin(), sum.end(), 0);
      for (int a : members[std::size_t(g)])
        for (int c = 1; c <= 3; ++c) addRun(run(a, c), nm, sum.data());
      for (int k = 0; k < nm; ++k)
        rowStart[std::size_t(k) * std::size_t(segments) + std::size_t(g)] =
            -128 * sum[std::size_t(k)];
    }
  }
  auto rowOf = [&](int k) -> const void* {
    return rows + std::size_t(k) * std::size_t(stride) * elem;
  };
  // One call: modes i[0..1] against modes j[0..3]; the sums per segment in out.
  auto pairSums = [&](const int(&i)[Later], const int(&j)[Tile], std::int64_t* out) {
    const void* a[Later] = {rowOf(i[0]), rowOf(i[1])};
    const void* b[Tile] = {rowOf(j[0]), rowOf(j[1]), rowOf(j[2]), rowOf(j[3])};
    auto startOf = [&](int k) {
      return byteDots ? &rowStart[std::size_t(k) * std::size_t(segments)] : rowStart.data();
    };
    const std::int32_t* start[Tile] = {startOf(j[0]), startOf(j[1]), startOf(j[2]), startOf(j[3])};
    dots(a, b, segEnd.data(), segments, start, out);
  };
  // The sums of products of a call's pairs (later mode r, earlier mode q: s[r * Tile + q]),
  // exact, weighted by mass; the pairs side by side, so that their additions run at once.
  auto exact = [&](const std::int64_t* out, double(&s)[Later * Tile]) {
    double sum[Later * Tile] = {};  // kept in registers
    for (int g = 0; g < segments; ++g, out += Later * Tile) {
      const double w = weight[std::size_t(g)];
#pragma GCC unroll 8
      for (int t = 0; t < Later * Tile; ++t) sum[t] += w * double(out[t]);
    }
    std::copy(sum, sum + Later * Tile, s);
  };
  // A band of modes at a time, so that the rows being written stay in the cache: their rows,
  // then their norms (sums: room for one call's sums).
  constexpr int Band = 64;
  const int bands = (nm + Band - 1) / Band;
  std::vector<double> norm(static_cast<std::size_t>(nm));
  auto buildBand = [&](int band, std::int64_t* sums) {
    const int k0 = band * Band, k1 = std::min(nm, k0 + Band);
    for (int g = 0, p = 0; g < segments; ++g)
      for (; p < segEnd[std::size_t(g)]; ++p) {
        if (atomOf[std::size_t(p)] < 0) continue;  // the padding stays zero: its products are 0
        const i16* d = run(atomOf[std::size_t(p)] / 3, atomOf[std::size_t(p)] % 3 + 1);
        const std::size_t at = std::size_t(k0) * std::size_t(stride) + std::size_t(p);
        if (byteDots)
          for (int k = k0; k < k1; ++k)
            rows[at + std::size_t(k - k0) * std::size_t(stride)] =
                static_cast<unsigned char>(static_cast<std::int8_t>(d[k]));
        else
          for (int k = k0; k < k1; ++k)
            reinterpret_cast<i16*>(rows)[at + std::size_t(k - k0) * std::size_t(stride)] = d[k];
      }
    for (int k = k0; k < k1; ++k) {
      pairSums({k, k}, {k, k, k, k}, sums);
      double s[Later * Tile];
      exact(sums, s);
      norm[std::size_t(k)] = std::sqrt(s[0]);
    }
  };
  // Of equal overlaps the lower pair wins, so the result does not depend on which thread
  // found which pair. A sum clearly below the top one's share of the norms cannot rank above
  // it, and is passed over without a division.
  auto consider = [&](ModeOverlap& top, int first, int second, double s) {
    const double nf = norm[std::size_t(first)], ns = norm[std::size_t(second)];
    if (!(nf > 0) || !(ns > 0)) return;
    const double both = nf * ns;
    if (std::fabs(s) < top.value * both * (1 - 1e-12)) return;
    const double v = std::fabs(s) / both;
    if (!(v > 0)) return;
    const ModeOverlap c{v, first + 1, second + 1};
    if (better(c, top)) top = c;
  };
  // The bands, then blocks of earlier modes, the largest (first) one first, are handed out to
  // the threads in turn; no block starts before every band is built. For each later mode the
  // kernel runs over the whole block before any sum is read back: a sum read at once would
  // wait for its store.
  const int blocks = (nm + BlockRows - 1) / BlockRows;
  const std::size_t perCall = std::size_t(segments) * Later * Tile;
  std::atomic<int> nextBand{0}, bandsBuilt{0}, next{0};
  // Nothing in work allocates or throws: a thread's sums are made before it starts.
  auto work = [&](ModeOverlap& top, std::vector<std::int64_t>& sums) {
    for (int band; (band = nextBand.fetch_add(1)) < bands;) {
      buildBand(band, sums.data());
      if (bandsBuilt.fetch_add(1) + 1 == bands) bandsBuilt.notify_all();
    }
    // Every band taken is being built by a thread that goes on to the end of it.
    for (int built; (built = bandsBuilt.load()) < bands;) bandsBuilt.wait(built);
    for (int blk; (blk = next.fetch_add(1)) < blocks;) {
      const int j0 = blk * BlockRows, j1 = std::min(nm, j0 + BlockRows);
      // Later modes i and i + 1 (at the end, i twice) against the block's modes below them.
      for (int i = j0 + 1; i < nm; i += Later) {
        const int i1 = std::min(i + 1, nm - 1), jEnd = std::min(j1, i1);
        for (int j = j0, call = 0; j < jEnd; j += Tile, ++call) {
          const int count = std::min(Tile, jEnd - j);
          int b[Tile];
          for (int q = 0; q < Tile; ++q) b[q] = j + std::min(q, count - 1);
          pairSums({i, i1}, b, sums.data() + std::size_t(call) * perCall);
        }
        for (int j = j0, call = 0; j < jEnd; j += Tile, ++call) {
          double s[Later * Tile];
          exact(sums.data() + std::size_t(call) * perCall, s);
          for (int q = 0; q < std::min(Tile, jEnd - j); ++q) {
            if (j + q < i) consider(top, j + q, i, s[q]);
            if (i1 > i) consider(top, j + q, i1, s[Tile + q]);
          }
        }
      }
    }
  };
  const int threads = std::max(
      1, std::min({blocks, maxThreads, MaxThreads, int(std::thread::hardware_concurrency())}));
  std::vector<ModeOverlap> tops(static_cast<std::size_t>(threads));
  std::vector<std::vector<std::int64_t>> sumsOf(
      std::size_t(threads), std::vector<std::int64_t>(std::size_t(BlockRows / Tile) * perCall));
  {
    std::vector<std::jthread> helpers;  // joined when they go, also after an exception
    for (int t = 1; t < threads; ++t) {
      try {
        helpers.emplace_back(work, std::ref(tops[std::size_t(t)]),
                             std::ref(sumsOf[std::size_t(t)]));
      } catch (const std::system_error&) {
        break;  // no thread to be had: the blocks left are done here
      }
    }
    work(tops[0], sumsOf[0]);
  }
  for (const auto& t : tops)
    if (better(t, best)) best = t;
  return best;
}

}  // namespace

ModeRuns modeRuns(const ModKel& m) {
  // the mode index varies fastest in ModeD
  ModeRuns r{m.NAt, m.NFrq, [&m](int a, int c) { return &m.ModeD(1, a + 1, c); }};
  if (r.atoms > 0 && r.modes > 0) (void)m.ModeD(r.modes, r.atoms, 3);  // every place, checked
  return r;
}

ModeOverlap largestOverlap(const ModKel& m, const std::vector<double>& masses,
                           OverlapKernel kernel) {
  return overlapOf(modeRuns(m), masses, kernel, MaxThreads);
}

namespace {

/// A 64-bit digest of every run of r: four lanes of eight bytes, each mixed by multiplication,
/// so that a change of any displacement changes it (but for odds of 2^-64).
std::uint64_t digestOf(const ModeRuns& r) {
  constexpr std::uint64_t K = 0x9E3779B97F4A7C15ULL;
  std::uint64_t lane[4] = {1, 2, 3, 4};
  auto mix = [](std::uint64_t h, std::uint64_t x) {
    h ^= x * K;
    h = (h << 31) | (h >> 33);
    return h * 0xC2B2AE3D27D4EB4FULL;
  };
  const std::size_t bytes = std::size_t(std::max(0, r.modes)) * sizeof(i16);
  for (int a = 0; a < r.atoms; ++a)
    for (int c = 1; c <= 3; ++c) {
      const auto* p = reinterpret_cast<const unsigned char*>(r.run(a, c));
      std::size_t at = 0;
      for (; at + 32 <= bytes; at += 32)
        for (int k = 0; k < 4; ++k) {
          std::uint64_t x;
          std::memcpy(&x, p + at + 8 * std::size_t(k), 8);
          lane[k] = mix(lane[k], x);
        }
      std::uint64_t tail = 0;
      for (; at < bytes; ++at) tail = (tail << 8) | p[at];
      lane[0] = mix(lane[0], tail);
      lane[1] = mix(lane[1], std::uint64_t(a) * 3 + std::uint64_t(c));
    }
  std::uint64_t h = std::uint64_t(r.atoms) * K ^ std::uint64_t(r.modes);
  for (auto x : lane) h = mix(h, x);
  return h ^ (h >> 29);
}

}  // namespace

struct OverlapJob::State {
  int atoms = 0, modes = 0;
  std::vector<double> masses;
  std::vector<std::vector<double>> rigid;
  std::uint64_t digest = 0;  // of the runs the job read
  ModeOverlap result;
  std::vector<double> shares, lengths;
  std::exception_ptr failed;
  std::jthread thread;  // the last member: joined before the rest goes
};

OverlapJob::OverlapJob(const ModKel& m, const std::vector<double>& masses,
                       std::vector<std::vector<double>> rigid)
    : s_(std::make_unique<State>()) {
  State& s = *s_;
  const ModeRuns model = modeRuns(m);
  s.atoms = model.atoms;
  s.modes = model.modes;
  s.masses = masses;
  s.rigid = std::move(rigid);
  // One thread of its own reads the model's table while the program goes on with the other.
  s.thread = std::jthread([&s, model] {
    try {
      s.result = overlapOf(model, s.masses, OverlapKernel::Auto, 1);
      rigidShares(model, s.masses, s.rigid, s.shares, s.lengths);
      s.digest = digestOf(model);
    } catch (...) {
      s.failed = std::current_exception();
    }
  });
}

OverlapJob::~OverlapJob() = default;

void OverlapJob::wait() {
  if (s_->thread.joinable()) s_->thread.join();
}

bool OverlapJob::fits(const ModKel& m, const std::vector<double>& masses,
                      const std::vector<std::vector<double>>& rigid) {
  wait();
  const State& s = *s_;
  if (m.NAt != s.atoms || m.NFrq != s.modes || masses != s.masses || rigid != s.rigid) return false;
  return !s.failed && digestOf(modeRuns(m)) == s.digest;
}

ModeOverlap OverlapJob::result() {
  wait();
  if (s_->failed) std::rethrow_exception(s_->failed);
  return s_->result;
}

const std::vector<double>& OverlapJob::shares() const {
  return s_->shares;
}

const std::vector<double>& OverlapJob::lengths() const {
  return s_->lengths;
}

}  // namespace kel
