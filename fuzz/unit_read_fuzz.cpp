// SPDX-License-Identifier: GPL-3.0-or-later
// Read from Unit, the command the window runs, against a unit whose answers
// the fuzzer changes or loses and whose adapter it may pull out, in virtual
// time: the read always ends, with one of its outcomes, with the line
// closed, and merges only what it asked for after every block's checksum
// was right; otherwise nothing of it is taken. A pulled adapter always ends
// it as a lost line. The fuzzer also chooses the unit's header (after the
// fault byte: a shape byte, then the count, high byte first), so that reads
// that stop after the last entry and reads of the whole memory are both
// reached.
#include <algorithm>
#include <memory>
#include <numeric>

#include "commands/UnitCommand.h"
#include "fuzz/FuzzedUnit.h"
#include "link/LinkConstants.h"
#include "tests/support/ImageBuilders.h"

namespace {

// The unit's header from the input: shape % 4 is 0 for the signature, 1
// for none, 2 for the first byte alone, 3 for the second alone.
DatabaseImage UnitImage(UnitInput& input) {
  static const DatabaseImage full = NoisyImageWith(kMaxDatabaseEntries, 11);
  const std::uint8_t shape = input.Next();
  const int high = input.Next();
  const int count = high << 8 | input.Next();
  DatabaseImage image = full;
  image.WriteHeader(count);
  if (shape % 4 == 1 || shape % 4 == 3) image[0] = 0x00;
  if (shape % 4 == 1 || shape % 4 == 2) image[1] = 0x00;
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  UnitInput input(data, size);
  auto fuzzed = std::make_unique<FuzzedUnit>(UnitMode::Database, input);
  LinkHarness& h = fuzzed->harness;
  const auto unitImage = std::make_unique<DatabaseImage>(UnitImage(input));
  static const DatabaseImage heldImage = ImageWith(DistinctEntries(25, 12, 1));
  h.unit.engine.Memory() = *unitImage;
  // The blocks a read asks for: to the last entry of a signed header with a
  // count within capacity, else all.
  const bool bounded = unitImage->HasSignature() && unitImage->Count() <= kMaxDatabaseEntries;
  const int blocks = bounded ? (8 + 6 * unitImage->Count() + kBlockSize - 1) / kBlockSize : kBlockCount;
  auto working = std::make_unique<DatabaseImage>(heldImage);
  auto incoming = std::make_unique<DatabaseImage>();
  auto scratch = std::make_unique<DatabaseImage>();
  incoming->Fill(0xEE);

  const UnitCommandOutcome outcome = ReadFromUnitCommand(h.command, {*working, *incoming, *scratch});

  FuzzedUnit::Check(!h.unit.LineOpen(), "!h.unit.LineOpen()");
  // Bounded: a drain of at most 10 s of chatter, five wakes, and at most 11
  // requests of 68 receives for each block.
  const std::size_t receives = h.unit.Count(WireEvent::Received) + h.unit.Count(WireEvent::Silence);
  FuzzedUnit::Check(receives <= 10'000 / 50 + 10 + 5 + kBlockCount * (kBlockRepeats + 1) * 68,
                    "receives <= 10'000 / 50 + 10 + 5 + kBlockCount * (kBlockRepeats + 1) * 68");
  // A healthy unit heard as it spoke is read whole; a pulled cable never is.
  if (fuzzed->Healthy() && fuzzed->Untouched())
    FuzzedUnit::Check(outcome == UnitCommandOutcome::Completed, "healthy read completes");
  if (fuzzed->cablePulled)
    FuzzedUnit::Check(outcome != UnitCommandOutcome::Completed, "a pulled cable is no completed read");
  if (fuzzed->adapterPulled)
    FuzzedUnit::Check(outcome == UnitCommandOutcome::LineLost, "a pulled adapter is a lost line");
  switch (outcome) {
    case UnitCommandOutcome::Completed:
      // What was merged came whole, and the held entries stay as they were.
      FuzzedUnit::Check(std::equal(heldImage.data() + 5, heldImage.data() + 8 + 6 * 25, working->data() + 5),
                        "the held entries are unchanged");
      FuzzedUnit::Check(working->Count() >= 25 && working->Count() <= kMaxDatabaseEntries, "the count is bounded");
      // A changed byte can pass an 8-bit checksum when another makes up for
      // it; without one, what arrived is the unit's image exactly.
      if (fuzzed->changedBytes == 0) {
        const auto readEnd = static_cast<std::ptrdiff_t>(blocks) * kBlockSize;
        FuzzedUnit::Check(
            std::equal(incoming->bytes.begin(), incoming->bytes.begin() + readEnd, unitImage->bytes.begin()),
            "the blocks read are the unit's");
        FuzzedUnit::Check(std::all_of(incoming->bytes.begin() + readEnd, incoming->bytes.end(),
                                      [](std::uint8_t byte) { return byte == 0x00; }),
                          "0x00 past the blocks read");
        FuzzedUnit::Check(working->Count() == std::min(25 + unitImage->BoundedCount(), kMaxDatabaseEntries),
                          "the unit's entries join the held ones");
        // Each block once, in rising order, and none past the last entry.
        // (A block asked again after a bad checksum comes right after itself.)
        std::vector<int> once = h.unit.engine.Stats().blocksAsked;
        once.erase(std::unique(once.begin(), once.end()), once.end());
        std::vector<int> expected(static_cast<std::size_t>(blocks));
        std::iota(expected.begin(), expected.end(), 0);
        FuzzedUnit::Check(once == expected, "blocks 0 .. the last with an entry, in rising order");
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
      FuzzedUnit::Check(!h.messages.shown.empty() && h.messages.shown.back().caption == "Error",
                        "!h.messages.shown.empty() && h.messages.shown.back().caption == \"Error\"");
      break;
    default: std::abort();  // no prompt cancel, no port failure, no user stop here
  }
  return 0;
}
