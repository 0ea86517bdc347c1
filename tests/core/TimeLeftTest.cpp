// SPDX-License-Identifier: GPL-3.0-or-later
// The time left of a transfer, from the pace of the blocks done, on a
// virtual clock; and the same measured while the program reads through an
// emulated adapter, which it must not slow by a byte.
#include <gtest/gtest.h>

#include "commands/UnitCommand.h"
#include "link/LinkConstants.h"
#include "link/TimeLeft.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/LinkHarness.h"

namespace {

TEST(TimeLeft, NothingIsEstimatedBeforeTheFirstBlocksAreDone) {
  VirtualClock clock;
  TimeLeft left(clock, PlainLineMs(kReadBlockLineBytes));
  left.Start(1024);
  EXPECT_FALSE(left.MsLeft());
  for (int done = 1; done < kBlocksBeforeEstimate; ++done) {
    clock.Advance(1000);
    left.Step(done);
    EXPECT_FALSE(left.MsLeft()) << done;
    EXPECT_FALSE(left.SlowLine()) << done;
  }
  clock.Advance(1000);
  left.Step(kBlocksBeforeEstimate);
  EXPECT_EQ(left.MsLeft(), (1024 - kBlocksBeforeEstimate) * 1000);
}

TEST(TimeLeft, FollowsThePaceOfAllBlocksDoneSoFar) {
  VirtualClock clock;
  clock.Advance(5000);  // the connection took its time; that is not a block
  TimeLeft left(clock, PlainLineMs(kReadBlockLineBytes));
  left.Start(100);
  clock.Advance(10 * 30);
  left.Step(10);
  EXPECT_EQ(left.MsLeft(), 90 * 30);
  clock.Advance(40 * 60);  // slower now: the average of all 50 is 54 ms
  left.Step(50);
  EXPECT_EQ(left.MsLeft(), 50 * 54);
  clock.Advance(50 * 54);
  left.Step(100);
  EXPECT_FALSE(left.MsLeft());  // nothing left to estimate
}

// A read block is 135 bytes on the line: 11.7 ms at 115200 baud.
TEST(TimeLeft, APaceOverThreeTimesThePlainLineIsSlow) {
  struct Case {
    int msPerBlock;
    bool slow;
  };
  for (const Case c : {Case{12, false}, Case{35, false}, Case{36, true}, Case{134, true}, Case{1072, true}}) {
    VirtualClock clock;
    TimeLeft left(clock, PlainLineMs(kReadBlockLineBytes));
    left.Start(1024);
    clock.Advance(8 * c.msPerBlock);
    left.Step(8);
    EXPECT_EQ(left.SlowLine(), c.slow) << c.msPerBlock;
  }
}

TEST(TimeLeft, IsWrittenRoundedAsAPersonWouldSayIt) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "about 5 s left"},
      {3'200, "about 5 s left"},
      {41'000, "about 45 s left"},
      {55'100, "about 1 min left"},
      {110'000, "about 1 min 50 s left"},
      {114'000, "about 1 min 50 s left"},
      {596'000, "about 10 min left"},
      {1'098'000, "about 18 min left"},
      {3'590'000, "about 1 h left"},
      {3'900'000, "about 1 h 5 min left"},
  };
  for (const auto& [ms, text] : cases) EXPECT_EQ(TimeLeftText(ms), text) << ms;
}

// Progress that reads the estimate after every block, as the window and
// the command-line bar do.
class EstimatingProgress : public TransferProgress {
 public:
  EstimatingProgress(const Clock& clock, double plainLineMs) : timeLeft(clock, plainLineMs) {}
  void Start(int total) override { timeLeft.Start(total); }
  void Retotal(int total) override { timeLeft.Retotal(total); }
  void Step(int done) override {
    timeLeft.Step(done);
    if (done == 120) atBlock120 = timeLeft.MsLeft();
    if (done == 20) atBlock20 = timeLeft.MsLeft();
    slow = slow || timeLeft.SlowLine();
  }
  void Done() override {}
  void Failed() override {}
  TimeLeft timeLeft;
  std::optional<std::int64_t> atBlock120, atBlock20;
  bool slow = false;
};

TEST(TimeLeftThroughAnAdapter, MatchesTheTransferAndLeavesTheLineAsItWas) {
  LinkHarness quiet;
  quiet.unit.SetLatency(16);
  DatabaseImage incoming;
  ASSERT_EQ(TransferFromUnit(quiet.transfer, incoming, ReadExtent::WholeMemory), UnitCommandOutcome::Completed);

  LinkHarness h;
  h.unit.SetLatency(16);
  EstimatingProgress progress(h.unit.clock, PlainLineMs(kReadBlockLineBytes));
  TransferContext context{h.teller, h.unit, h.unit.clock, progress};
  ASSERT_EQ(TransferFromUnit(context, incoming, ReadExtent::WholeMemory), UnitCommandOutcome::Completed);

  EXPECT_EQ(h.unit.wire, quiet.unit.wire);
  // Every block costs the same 67 round trips of 16 ms, so the estimate at
  // block 120 is the rest of the transfer exactly.
  ASSERT_TRUE(progress.atBlock120);
  EXPECT_EQ(*progress.atBlock120, (1024 - 120) * 67 * 16);
  EXPECT_TRUE(progress.slow);
}

// A unit of 600 entries is read in 57 blocks: once block 0 has told that,
// the time left is that of the 57, and the pace still calls for the advice.
TEST(TimeLeftThroughAnAdapter, CountsTheBlocksThatHoldTheUnitsEntries) {
  LinkHarness h;
  h.unit.engine.Memory() = ImageWith(DistinctEntries(600, 5));
  h.unit.SetLatency(16);
  EstimatingProgress progress(h.unit.clock, PlainLineMs(kReadBlockLineBytes));
  TransferContext context{h.teller, h.unit, h.unit.clock, progress};
  DatabaseImage incoming;
  ASSERT_EQ(TransferFromUnit(context, incoming), UnitCommandOutcome::Completed);
  ASSERT_TRUE(progress.atBlock20);
  EXPECT_EQ(*progress.atBlock20, (57 - 20) * 67 * 16);
  EXPECT_FALSE(progress.atBlock120);
  EXPECT_TRUE(progress.slow);
}

TEST(TimeLeftThroughAnAdapter, APlainLineIsNeverCalledSlow) {
  LinkHarness h;
  EstimatingProgress progress(h.unit.clock, PlainLineMs(kReadBlockLineBytes));
  TransferContext context{h.teller, h.unit, h.unit.clock, progress};
  DatabaseImage incoming;
  ASSERT_EQ(TransferFromUnit(context, incoming), UnitCommandOutcome::Completed);
  EXPECT_FALSE(progress.slow);
}

}  // namespace
