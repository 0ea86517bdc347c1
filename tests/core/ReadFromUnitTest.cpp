// SPDX-License-Identifier: GPL-3.0-or-later
// Database > Read from Unit against the emulated unit, in virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>
#include <random>

#include "commands/UnitCommand.h"
#include "link/LinkConstants.h"
#include "resources/Strings.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/LinkExpectations.h"

namespace {

class ReadFromUnit : public ::testing::Test {
 protected:
  // 40 entries fill 4 blocks; faults further in need more.
  explicit ReadFromUnit(const UnitFaults& faults = {}, int entries = 40) : h(UnitMode::Database, faults) {
    h.unit.engine.Memory() = NoisyImageWith(entries, 7);
    h.transfer.portPaths = {"/dev/ttyS0", "/dev/ttyS1"};
    h.command.redrawNow = [this] {
      ++redraws;
      closedAtRedraw = !h.unit.LineOpen();
    };
    incoming.Fill(0xEE);
  }

  UnitCommandOutcome Run(ReadExtent extent = ReadExtent::Held) {
    workingBefore = working;
    return ReadFromUnitCommand(h.command, {working, incoming, scratch}, extent);
  }

  // The unit's first `blocks` blocks, and 0x00 after them.
  DatabaseImage UnitUpToBlock(int blocks) const {
    DatabaseImage image;
    const auto end = static_cast<std::ptrdiff_t>(blocks) * kBlockSize;
    std::copy(h.unit.engine.Memory().bytes.begin(), h.unit.engine.Memory().bytes.begin() + end, image.bytes.begin());
    return image;
  }

  // Nothing of a failed read may reach the held database or the incoming image.
  void ExpectNothingTaken() {
    EXPECT_EQ(working, workingBefore);
    for (std::size_t i = 0; i < kDatabaseImageSize; ++i) ASSERT_EQ(incoming[i], 0xEE) << i;
    EXPECT_EQ(redraws, 0);
    EXPECT_FALSE(h.unit.LineOpen());
  }

  LinkHarness h;
  DatabaseImage working, workingBefore, incoming, scratch;
  int redraws = 0;
  bool closedAtRedraw = false;
};

TEST_F(ReadFromUnit, CancelAtThePromptSendsNothingAndOpensNoPort) {
  h.messages.answers = {MessageAnswer::Cancel};
  EXPECT_EQ(Run(), UnitCommandOutcome::Cancelled);
  ExpectStoppedAtPrompt(h, "Read Unit Database",
                        "Apply power to your unit, switch it on, connect the RS232 cable to the PC\n"
                        "and then select the 'Connect to PC' option.\n\n"
                        "When ready, click on OK to read the database from the unit.\n"
                        "A message will appear when the read finishes.");
  ExpectNothingTaken();
}

TEST_F(ReadFromUnit, ReadsTheBlocksWithEntriesClosesMergesRedrawsThenReports) {
  bool redrawnBeforeSuccess = false;
  h.messages.onShow = [&](const ShownMessage& m) {
    if (m.text == kMsgDatabaseLoaded) redrawnBeforeSuccess = redraws == 1;
  };
  EXPECT_EQ(Run(), UnitCommandOutcome::Completed);
  EXPECT_EQ(incoming, UnitUpToBlock(4));
  EXPECT_EQ(working.Count(), 40);
  EXPECT_TRUE(closedAtRedraw);
  EXPECT_TRUE(redrawnBeforeSuccess);
  ASSERT_EQ(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.messages.shown[1].text, "Database loaded successfully");
  EXPECT_EQ(h.messages.shown[1].caption, "Completed");
  EXPECT_EQ(h.progress.calls, (std::vector<std::string>{"start 1024", "total 4", "done"}));
  EXPECT_EQ(h.progress.lastStep, 4);
  EXPECT_EQ(h.unit.engine.Stats().echoMismatches, 0);
  EXPECT_EQ(h.unit.openedPaths, std::vector<std::string>{"/dev/ttyS0"});
}

// The wire after the wake, block by block: 'R' hi lo each answered, then 64
// times a data byte and straight back the same byte, then the checksum.
// The whole memory, as `zorvane-cli read --all-blocks` asks for it.
TEST_F(ReadFromUnit, EachBlockIsRequestedInOrderAndEveryByteEchoedAtOnce) {
  ASSERT_EQ(Run(ReadExtent::WholeMemory), UnitCommandOutcome::Completed);
  EXPECT_EQ(incoming, h.unit.engine.Memory());
  EXPECT_EQ(h.progress.calls, (std::vector<std::string>{"start 1024", "done"}));
  const std::vector<WireEvent>& wire = h.unit.wire;
  auto at = std::find_if(wire.begin(), wire.end(), [](const WireEvent& e) { return e.byte == 'G'; });
  ASSERT_NE(at, wire.end());
  ++at;
  auto next = [&](WireEvent::Kind kind) -> int {
    if (at == wire.end() || at->kind != kind) return -100;
    return (at++)->byte;
  };
  for (int block = 0; block < kBlockCount; ++block) {
    const int address = block * kBlockSize;
    for (const int byte : {int{'R'}, address >> 8, address & 0xFF}) {
      ASSERT_EQ(next(WireEvent::Sent), byte) << "block " << block;
      ASSERT_GE(next(WireEvent::Received), 0) << "block " << block;
    }
    for (int k = 0; k < kBlockSize; ++k) {
      const int data = next(WireEvent::Received);
      ASSERT_EQ(data, h.unit.engine.Memory()[static_cast<std::size_t>(address + k)]);
      ASSERT_EQ(next(WireEvent::Sent), data) << "block " << block << " byte " << k;
    }
    ASSERT_GE(next(WireEvent::Received), 0);
  }
  EXPECT_EQ(next(WireEvent::Sent), 'Q');
  EXPECT_EQ(at, wire.end());
  // The first and last requests, spelled out.
  const std::vector<std::uint8_t> sent = h.unit.SentBytes();
  EXPECT_EQ(std::vector<std::uint8_t>(sent.begin() + 1, sent.begin() + 4), (std::vector<std::uint8_t>{'R', 0, 0}));
  EXPECT_EQ(std::vector<std::uint8_t>(sent.end() - 68, sent.end() - 65), (std::vector<std::uint8_t>{'R', 0xFF, 0xC0}));
}

TEST_F(ReadFromUnit, ADatabaseThatDoesNotFitIsMergedAsFarAsItGoesWithAWarningFirst) {
  working = ImageWith(DistinctEntries(kMaxDatabaseEntries - 15, 1, 1));
  EXPECT_EQ(Run(), UnitCommandOutcome::Completed);
  EXPECT_EQ(working.Count(), kMaxDatabaseEntries);
  ASSERT_EQ(h.messages.shown.size(), 3u);
  EXPECT_EQ(h.messages.shown[1].text, "The database is full: 25 camera locations could not be added.");
  EXPECT_EQ(h.messages.shown[1].caption, "Warning");
  EXPECT_EQ(h.messages.shown[2].text, "Database loaded successfully");
}

TEST_F(ReadFromUnit, Comm2MakesTheConnectionUsePortOne) {
  h.transfer.portIndex = 1;
  h.transfer.portPaths = {"/dev/ttyUSB0", "/tmp/unit-pty"};
  EXPECT_EQ(Run(), UnitCommandOutcome::Completed);
  EXPECT_EQ(h.unit.openedPaths, std::vector<std::string>{"/tmp/unit-pty"});
}

TEST_F(ReadFromUnit, AFailedConnectionChangesNothing) {
  h.unit.engine = UnitEngine(UnitMode::Database, {.echoWake = true});
  EXPECT_EQ(Run(), UnitCommandOutcome::NoResponse);
  EXPECT_EQ(h.Texts().back(), "No response from Unit");
  EXPECT_TRUE(h.progress.calls.empty());
  ExpectNothingTaken();
}

TEST_F(ReadFromUnit, CancelDuringTheTransferSendsQClosesAndShowsNothingMore) {
  h.unit.engine.Memory() = NoisyImageWith(4491, 7);  // 422 blocks
  long received = 0;
  h.unit.tamper = [&](std::uint8_t byte) {
    if (++received == 68 * 300) h.cancel = true;
    return int{byte};
  };
  EXPECT_EQ(Run(), UnitCommandOutcome::Stopped);
  EXPECT_EQ(h.unit.SentBytes().back(), 'Q');
  EXPECT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.progress.calls.back(), "failed");
  EXPECT_LT(h.progress.lastStep, 301);
  ExpectNothingTaken();
}

struct VanishingUnit : ReadFromUnit {
  // 'G', then four whole blocks and 20 bytes of the fifth.
  VanishingUnit() : ReadFromUnit({.vanishAfterBytes = 1 + 4 * 68 + 3 + 20}, 400) {}
};

// The adapter pulled out part-way: a lost line, told at once with its own
// words, not a time-out to retry. Nothing more can go out, not even 'Q'.
TEST_F(VanishingUnit, EndsAtOnceAsALostLineWithNothingTakenAndTheLineClosed) {
  EXPECT_EQ(Run(), UnitCommandOutcome::LineLost);
  ASSERT_EQ(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.messages.shown[1].text,
            "The connection to the unit was lost.\nCheck the cable and the USB adapter, then try again.");
  EXPECT_EQ(h.messages.shown[1].caption, "Error");
  EXPECT_EQ(h.unit.Count(WireEvent::Silence), 1u);  // the drain's, and no other wait
  EXPECT_NE(h.unit.SentBytes().back(), 'Q');
  EXPECT_EQ(h.progress.calls.back(), "failed");
  EXPECT_EQ(h.progress.lastStep, 4);
  ExpectNothingTaken();
}

struct GarbledEchoes : ReadFromUnit {
  GarbledEchoes() : ReadFromUnit({.garbleHeaderEchoes = true}) {}
};

TEST_F(GarbledEchoes, WrongEchoesOfTheRequestChangeNothing) {
  EXPECT_EQ(Run(), UnitCommandOutcome::Completed);
  EXPECT_EQ(incoming, UnitUpToBlock(4));
}

struct OneBadChecksum : ReadFromUnit {
  OneBadChecksum() : ReadFromUnit({.badChecksumBlock = 5, .badChecksumTimes = 3}, 400) {}
};

TEST_F(OneBadChecksum, TheBlockIsRequestedAgainUntilItsChecksumIsRight) {
  EXPECT_EQ(Run(), UnitCommandOutcome::Completed);
  EXPECT_EQ(incoming, UnitUpToBlock(38));  // 8 + 6 * 400 bytes
  EXPECT_EQ(h.unit.engine.Stats().blocksServed, 38 + 3);
  std::vector<int> asked(38);
  std::iota(asked.begin(), asked.end(), 0);
  asked.insert(asked.begin() + 5, {5, 5, 5});
  EXPECT_EQ(h.unit.engine.Stats().blocksAsked, asked);
}

// A bad checksum on block 0 is asked for again as any other, and the count
// is taken from the block that came in right.
struct BadChecksumOnTheHeader : ReadFromUnit {
  BadChecksumOnTheHeader() : ReadFromUnit({.badChecksumBlock = 0, .badChecksumTimes = 10}, 400) {}
};

TEST_F(BadChecksumOnTheHeader, IsAskedForAgainAndTheCountTakenFromTheGoodOne) {
  EXPECT_EQ(Run(), UnitCommandOutcome::Completed);
  EXPECT_EQ(incoming, UnitUpToBlock(38));
  EXPECT_EQ(h.unit.engine.Stats().blocksServed, 38 + 10);
  EXPECT_EQ(h.progress.calls, (std::vector<std::string>{"start 1024", "total 38", "done"}));
  EXPECT_EQ(working.Count(), 400);
}

struct NeverRightChecksum : ReadFromUnit {
  NeverRightChecksum() : ReadFromUnit({.badChecksumBlock = 7, .badChecksumTimes = 1000}, 400) {}
};

TEST_F(NeverRightChecksum, IsAbandonedAfterElevenRequestsLikeATimeOut) {
  EXPECT_EQ(Run(), UnitCommandOutcome::TimedOut);
  EXPECT_EQ(h.unit.engine.Stats().blocksServed, 7 + 11);
  EXPECT_EQ(h.unit.SentBytes().back(), 'Q');
  ASSERT_EQ(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.messages.shown[1].text, "Timed out talking to unit. Please retry.");
  EXPECT_EQ(h.messages.shown[1].caption, "Error");
  ExpectNothingTaken();
}

// A unit that stops sending after N bytes, at points all through the read:
// before the first echo, mid-request, mid-data, at a checksum, at the very end.
class UnitGoesSilent : public ::testing::TestWithParam<long> {};

TEST_P(UnitGoesSilent, TheReadEndsWithTheTimeOutMessageAndNothingMerged) {
  LinkHarness h(UnitMode::Database, {.silentAfterBytes = GetParam()});
  h.unit.engine.Memory() = NoisyImageWith(kMaxDatabaseEntries, 3);  // all 1024 blocks
  DatabaseImage working, incoming, scratch;
  bool openAtMessage = true;
  h.messages.onShow = [&](const ShownMessage&) { openAtMessage = h.unit.LineOpen(); };
  EXPECT_EQ(ReadFromUnitCommand(h.command, {working, incoming, scratch}), UnitCommandOutcome::TimedOut);
  EXPECT_EQ(h.Texts().back(), "Timed out talking to unit. Please retry.");
  EXPECT_FALSE(openAtMessage);
  EXPECT_EQ(h.unit.SentBytes().back(), 'Q');
  EXPECT_EQ(h.unit.Count(WireEvent::Silence), 2u);  // the drain's, then the one that ends it
  EXPECT_EQ(working, DatabaseImage{});
  EXPECT_EQ(incoming, DatabaseImage{});
  EXPECT_EQ(h.progress.calls.back(), "failed");
}

INSTANTIATE_TEST_SUITE_P(Points, UnitGoesSilent,
                         ::testing::Values(1L, 2L, 4L, 40L, 1L + 68, 1L + 68 * 500 + 67, 1L + 68 * 1024 - 1));

// A unit read as far as its header says entries go. Each image is read
// twice: as far as its entries go, and whole; the user must not see a
// difference but the time it took.
struct HeldCase {
  const char* name;
  int entries;                                // made with this many entries and noise after them
  std::function<void(DatabaseImage&)> spoil;  // then its header changed, if at all
  int blocks;                                 // what the read asks for
};

const HeldCase kHeldCases[] = {
    {"Empty", 0, nullptr, 1},
    {"NineEntriesEndInBlock0", 9, nullptr, 1},       // bytes 8..61
    {"TenEntriesReachBlock1", 10, nullptr, 2},       // byte 67
    {"TheLastBlockPartlyFilled", 600, nullptr, 57},  // to byte 3607 of 3647
    {"Cameras4491", 4491, nullptr, 422},
    {"Full", kMaxDatabaseEntries, nullptr, kBlockCount},
    {"NoSignature", 40, [](DatabaseImage& image) { image[0] = 0x00; }, kBlockCount},
    {"SecondSignatureByteWrong", 40, [](DatabaseImage& image) { image[1] = 0x55; }, kBlockCount},
    {"CountBeyondCapacity", 40, [](DatabaseImage& image) { image.WriteHeader(kMaxDatabaseEntries + 1); }, kBlockCount},
    {"CountFFFF", 40, [](DatabaseImage& image) { image.WriteHeader(0xFFFF); }, kBlockCount},
};

void PrintTo(const HeldCase& c, std::ostream* os) { *os << c.name; }

class ReadWhatIsHeld : public ::testing::TestWithParam<HeldCase> {};

TEST_P(ReadWhatIsHeld, AsksForTheBlocksWithEntriesAndMergesAsAWholeReadWould) {
  const HeldCase& c = GetParam();
  DatabaseImage unit = NoisyImageWith(c.entries, 17);
  if (c.spoil) c.spoil(unit);
  EXPECT_EQ(BlocksHolding(unit), c.blocks);

  struct Read {
    LinkHarness h;
    DatabaseImage working = ImageWith(DistinctEntries(30, 4, 1));
    DatabaseImage incoming, scratch;
  };
  auto held = std::make_unique<Read>();
  auto whole = std::make_unique<Read>();
  held->h.unit.engine.Memory() = unit;
  whole->h.unit.engine.Memory() = unit;
  held->incoming.Fill(0xEE);
  ASSERT_EQ(ReadFromUnitCommand(held->h.command, {held->working, held->incoming, held->scratch}),
            UnitCommandOutcome::Completed);
  ASSERT_EQ(
      ReadFromUnitCommand(whole->h.command, {whole->working, whole->incoming, whole->scratch}, ReadExtent::WholeMemory),
      UnitCommandOutcome::Completed);

  // Blocks 0 .. blocks - 1, each once and in order, then 'Q'.
  std::vector<int> asked(static_cast<std::size_t>(c.blocks));
  std::iota(asked.begin(), asked.end(), 0);
  EXPECT_EQ(held->h.unit.engine.Stats().blocksAsked, asked);
  EXPECT_EQ(held->h.unit.SentBytes().back(), 'Q');
  EXPECT_EQ(held->h.unit.engine.Stats().endsReceived, 1);
  EXPECT_EQ(whole->h.unit.engine.Stats().blocksAsked.size(), static_cast<std::size_t>(kBlockCount));

  // What was read is the unit's, the rest 0x00: the noise after the last
  // entry of a partly filled last block included.
  const auto readEnd = static_cast<std::size_t>(c.blocks) * kBlockSize;
  for (std::size_t i = 0; i < kDatabaseImageSize; ++i) {
    ASSERT_EQ(held->incoming[i], i < readEnd ? unit[i] : 0x00) << "byte " << i;
  }
  EXPECT_EQ(held->working, whole->working);
  EXPECT_EQ(held->h.messages.shown, whole->h.messages.shown);
  if (unit.HasSignature() && unit.Count() <= kMaxDatabaseEntries) {
    EXPECT_EQ(held->working.Count(), std::min(30 + c.entries, kMaxDatabaseEntries));
  }

  // Progress counts the blocks that are read, once block 0 has told them.
  std::vector<std::string> calls = {"start 1024"};
  if (c.blocks != kBlockCount) calls.push_back("total " + std::to_string(c.blocks));
  calls.push_back("done");
  EXPECT_EQ(held->h.progress.calls, calls);
  EXPECT_EQ(held->h.progress.lastStep, c.blocks);
}

INSTANTIATE_TEST_SUITE_P(Units, ReadWhatIsHeld, ::testing::ValuesIn(kHeldCases),
                         [](const ::testing::TestParamInfo<HeldCase>& param) { return std::string(param.param.name); });

}  // namespace
