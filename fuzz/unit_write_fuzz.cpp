// SPDX-License-Identifier: GPL-3.0-or-later
// Write to Unit, the command the window runs, against a unit whose answers
// the fuzzer changes or loses and whose adapter it may pull out, in virtual
// time: the write always ends within its bounds, with one of its outcomes
// and the line closed; the held database never changes, a write reported
// as done left the unit holding it, and a pulled adapter is a lost line.
#include <memory>

#include "commands/UnitCommand.h"
#include "fuzz/FuzzedUnit.h"
#include "link/LinkConstants.h"
#include "tests/support/ImageBuilders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  UnitInput input(data, size);
  auto fuzzed = std::make_unique<FuzzedUnit>(UnitMode::Database, input);
  LinkHarness& h = fuzzed->harness;
  static const DatabaseImage heldImage = ImageWith(DistinctEntries(33, 21));
  auto working = std::make_unique<DatabaseImage>(heldImage);

  const UnitCommandOutcome outcome = WriteToUnitCommand(h.command, *working);

  FuzzedUnit::Check(!h.unit.LineOpen(), "!h.unit.LineOpen()");
  FuzzedUnit::Check(*working == heldImage, "*working == heldImage");
  const std::size_t receives = h.unit.Count(WireEvent::Received) + h.unit.Count(WireEvent::Silence);
  FuzzedUnit::Check(receives <= 10'000 / 50 + 10 + 5 + kBlockCount * (kBlockRepeats + 1) * 68,
                    "receives <= 10'000 / 50 + 10 + 5 + kBlockCount * (kBlockRepeats + 1) * 68");
  // Each sending waits out at most one silence.
  FuzzedUnit::Check(h.unit.clock.NowMs() <= 11'000 + 5'000 + std::int64_t{kBlockCount} * (kBlockRepeats + 1) * 1000,
                    "h.unit.clock.NowMs() <= 11'000 + 5'000 + std::int64_t{kBlockCount} * (kBlockRepeats + 1) * 1000");
  // A healthy unit heard as it spoke takes the whole write; a pulled cable
  // never ends in success.
  if (fuzzed->Healthy() && fuzzed->Untouched())
    FuzzedUnit::Check(outcome == UnitCommandOutcome::Completed, "healthy write completes");
  if (fuzzed->cablePulled)
    FuzzedUnit::Check(outcome != UnitCommandOutcome::Completed, "a pulled cable is no completed write");
  if (fuzzed->adapterPulled)
    FuzzedUnit::Check(outcome == UnitCommandOutcome::LineLost, "a pulled adapter is a lost line");
  switch (outcome) {
    case UnitCommandOutcome::Completed:
      // Unless an answer was forged, the unit holds what was sent.
      if (fuzzed->changedBytes == 0)
        FuzzedUnit::Check(h.unit.engine.Memory() == heldImage, "h.unit.engine.Memory() == heldImage");
      FuzzedUnit::Check(h.messages.shown.back().text == "Database written successfully",
                        "h.messages.shown.back().text == \"Database written successfully\"");
      break;
    case UnitCommandOutcome::NoResponse:
    case UnitCommandOutcome::LineNeverQuiet:
    case UnitCommandOutcome::TimedOut:
    case UnitCommandOutcome::LineLost:
      FuzzedUnit::Check(h.messages.shown.back().caption == "Error", "h.messages.shown.back().caption == \"Error\"");
      break;
    default: std::abort();
  }
  return 0;
}
