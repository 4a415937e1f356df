// Kelvorin - desktop workbench for vibrational calculations.
// The largest mass-weighted overlap of two printed modes, from their integer displacements.
#pragma once

#include "model/model.hpp"

#include <functional>
#include <memory>
#include <vector>

namespace kel {

/// Printed displacements as runs: run(a, c) holds component c (1..3) of atom a (0..) of modes
/// 1..modes, one after the other, in hundredths.
struct ModeRuns {
  int atoms = 0, modes = 0;
  std::function<const i16*(int, int)> run;
};
/// The runs of the model's displacement table (its places checked once).
ModeRuns modeRuns(const ModKel& m);

/// The kernels of the check, fastest first; each gives the same result.
enum class OverlapKernel { Auto, Bytes512, Avx2, Sse2, Plain };

struct ModeOverlap {
  double value = 0;  ///< largest |cos| of two modes, 0 when every pair is orthogonal
  int first = 0;     ///< the two modes (first < second), 0 when none
  int second = 0;
};

/// The pair of modes 1..NFrq of m with the largest |cos| of their mass-weighted displacements
/// (masses: one per atom). The sums are exact: the displacements are integers, summed per mass
/// in integers, so the result does not depend on the order or the width of the arithmetic.
/// Of equal overlaps the pair with the lower second mode, then the lower first mode, is taken.
/// kernel: the arithmetic; Auto takes the fastest the processor has, the others are there
/// for tests (one the processor lacks, or one that would not be exact, gives way to plain sums).
ModeOverlap largestOverlap(const ModKel& m, const std::vector<double>& masses,
                           OverlapKernel kernel = OverlapKernel::Auto);

/// largestOverlap of the modes of m, and the shares of the rigid motions in them
/// (rigidShares), found by a thread of its own while the program goes on with other work.
/// The thread reads m's displacement table itself: until wait() returns, nothing may change
/// the modes of m (a read holds its modes unchanged until modesSettled, where the program
/// waits). fits (which waits too) tells whether m, masses and rigid are still what the job
/// was made of, the displacements by a digest of them; result() gives a failure of the job as
/// its own.
class OverlapJob {
 public:
  OverlapJob(const ModKel& m, const std::vector<double>& masses,
             std::vector<std::vector<double>> rigid);
  OverlapJob(const OverlapJob&) = delete;
  OverlapJob& operator=(const OverlapJob&) = delete;
  ~OverlapJob();  ///< waits for the thread
  /// Waits for the thread.
  void wait();
  bool fits(const ModKel& m, const std::vector<double>& masses,
            const std::vector<std::vector<double>>& rigid);
  ModeOverlap result();
  /// After result(): as rigidShares gives them.
  const std::vector<double>& shares() const;
  const std::vector<double>& lengths() const;

 private:
  struct State;
  std::unique_ptr<State> s_;
};

}  // namespace kel
