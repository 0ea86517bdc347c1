// Read from Unit, the command the window runs, against a unit whose answers
// the fuzzer changes or loses and whose adapter it may pull out, in virtual
// time: the read always ends, with one of its outcomes, with the line
// closed, and merges only the unit's whole image after every block's
// checksum was right; otherwise nothing of it is taken. A pulled adapter
// always ends it as a lost line.
#include <algorithm>
#include <memory>

#include "fuzz/FuzzedUnit.h"
#include "link/LinkConstants.h"
#include "link/ReadFromUnit.h"
#include "tests/support/ImageBuilders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  UnitInput input(data, size);
  auto fuzzed = std::make_unique<FuzzedUnit>(UnitMode::Database, input);
  LinkHarness& h = fuzzed->harness;
  static const DatabaseImage unitImage = ImageWith(DistinctEntries(40, 11));
  static const DatabaseImage heldImage = ImageWith(DistinctEntries(25, 12, 1));
  h.unit.engine.Memory() = unitImage;
  auto working = std::make_unique<DatabaseImage>(heldImage);
  auto incoming = std::make_unique<DatabaseImage>();
  auto scratch = std::make_unique<DatabaseImage>();
  incoming->Fill(0xEE);

  const UnitCommandOutcome outcome = ReadFromUnitCommand(h.command, {*working, *incoming, *scratch});

  FuzzedUnit::Check(!h.unit.LineOpen(), "!h.unit.LineOpen()");
  // Bounded: a drain of at most 10 s of chatter, five wakes, and at most 11
  // requests of 68 receives for each block.
  const std::size_t receives = h.unit.Count(WireEvent::Received) + h.unit.Count(WireEvent::Silence);
  FuzzedUnit::Check(receives <= 10'000 / 50 + 10 + 5 + kBlockCount * (kBlockRepeats + 1) * 68, "receives <= 10'000 / 50 + 10 + 5 + kBlockCount * (kBlockRepeats + 1) * 68");
  // A healthy unit heard as it spoke is read whole; a pulled cable never is.
  if (fuzzed->Healthy() && fuzzed->Untouched()) FuzzedUnit::Check(outcome == UnitCommandOutcome::Completed, "healthy read completes");
  if (fuzzed->cablePulled) FuzzedUnit::Check(outcome != UnitCommandOutcome::Completed, "a pulled cable is no completed read");
  if (fuzzed->adapterPulled) FuzzedUnit::Check(outcome == UnitCommandOutcome::LineLost, "a pulled adapter is a lost line");
  switch (outcome) {
    case UnitCommandOutcome::Completed:
      // What was merged came whole, and the held entries stay as they were.
      FuzzedUnit::Check(std::equal(heldImage.data() + 5, heldImage.data() + 8 + 6 * 25, working->data() + 5),
                        "the held entries are unchanged");
      FuzzedUnit::Check(working->Count() >= 25 && working->Count() <= kMaxDatabaseEntries, "the count is bounded");
      // A changed byte can pass an 8-bit checksum when another makes up for
      // it; without one, what arrived is the unit's image exactly.
      if (fuzzed->changedBytes == 0) {
        FuzzedUnit::Check(*incoming == unitImage, "*incoming == unitImage");
        FuzzedUnit::Check(working->Count() == 65, "working->Count() == 65");
      }
      break;
    case UnitCommandOutcome::NoResponse:
    case UnitCommandOutcome::LineNeverQuiet:
    case UnitCommandOutcome::TimedOut:
    case UnitCommandOutcome::LineLost:
      FuzzedUnit::Check(*working == heldImage, "*working == heldImage");
      FuzzedUnit::Check(std::all_of(incoming->data(), incoming->data() + kDatabaseImageSize,
                                    [](std::uint8_t byte) { return byte == 0xEE; }),
                        "nothing of a failed read reaches the incoming image");
      FuzzedUnit::Check(!h.messages.shown.empty() && h.messages.shown.back().caption == "Error", "!h.messages.shown.empty() && h.messages.shown.back().caption == \"Error\"");
      break;
    default:
      std::abort();  // no prompt cancel, no port failure, no user stop here
  }
  return 0;
}
