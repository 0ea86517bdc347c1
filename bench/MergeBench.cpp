// SPDX-License-Identifier: GPL-3.0-or-later
// Merging a full incoming image (10,921 entries, none matching) into an empty
// database and into one that is full but for room left, with the indexed
// merge and the nested-scan reference side by side.
#include <benchmark/benchmark.h>

#include "database/Merge.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/ReferenceMerge.h"

namespace {

struct Inputs {
  DatabaseImage incoming = ImageWith(DistinctEntries(kMaxDatabaseEntries, 1, 0));
  DatabaseImage empty;
  // Full but for room left: the held half lies in another band, so nothing
  // matches and the whole scan runs for every incoming entry.
  DatabaseImage half = ImageWith(DistinctEntries(kMaxDatabaseEntries / 2, 2, 1));
};

const Inputs& Data() {
  static const Inputs inputs;
  return inputs;
}

template <MergeResult (*Merge)(DatabaseImage&, const DatabaseImage&, DatabaseImage&)>
void BM_Merge(benchmark::State& state, const DatabaseImage Inputs::*start) {
  const Inputs& in = Data();
  DatabaseImage working;
  DatabaseImage scratch;
  for (auto _ : state) {
    state.PauseTiming();
    working = in.*start;
    state.ResumeTiming();
    benchmark::DoNotOptimize(Merge(working, in.incoming, scratch));
  }
  // Both merges must leave the same bytes for the figures to compare.
  DatabaseImage other = in.*start;
  DatabaseImage otherScratch;
  const bool fast = Merge == &MergeIncoming;
  (fast ? ReferenceMergeIncoming : MergeIncoming)(other, in.incoming, otherScratch);
  if (!(other == working) || !(otherScratch == scratch)) state.SkipWithError("the two merges differ");
}

void BM_IndexedMerge(benchmark::State& state, const DatabaseImage Inputs::*start) {
  BM_Merge<MergeIncoming>(state, start);
}
void BM_NestedScanMerge(benchmark::State& state, const DatabaseImage Inputs::*start) {
  BM_Merge<ReferenceMergeIncoming>(state, start);
}

BENCHMARK_CAPTURE(BM_IndexedMerge, into_empty, &Inputs::empty)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NestedScanMerge, into_empty, &Inputs::empty)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_IndexedMerge, into_half_full, &Inputs::half)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_NestedScanMerge, into_half_full, &Inputs::half)->Unit(benchmark::kMicrosecond);

}  // namespace
