// SPDX-License-Identifier: GPL-3.0-or-later
// Database > Write to Unit against the emulated unit, in virtual time.
#include <gtest/gtest.h>

#include "commands/UnitCommand.h"
#include "link/BlockChecksum.h"
#include "link/LinkConstants.h"
#include "resources/Strings.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/LinkExpectations.h"

namespace {

struct ChecksumCase {
  std::uint8_t command;
  std::uint32_t address;
  std::vector<std::uint8_t> data;
  std::uint8_t checksum;
};

// The write blocks' worked examples, and the bootloader's, which have no
// command byte.
TEST(BlockChecksum, CountsCommandAddressAndDataModulo256) {
  std::vector<std::uint8_t> header(64, 0);
  header[0] = 0x55;
  header[1] = 0xAA;
  const ChecksumCase cases[] = {
      {'W', 0x0000, header, 0x56},
      {'W', 0xFFC0, std::vector<std::uint8_t>(64, 0xFF), 0xD6},
      {'W', 0x0040, std::vector<std::uint8_t>(64, 0x00), 0x97},
      {kNoCommandByte, 0x0600, std::vector<std::uint8_t>(64, 0xFF), 0xC6},
      {kNoCommandByte, 0x0640, std::vector<std::uint8_t>(64, 0x00), 0x46},
  };
  for (const ChecksumCase& c : cases) {
    EXPECT_EQ(BlockChecksum(c.command, c.address, BlockBytes(c.data.data(), 64)), c.checksum) << c.address;
  }
}

class WriteToUnit : public ::testing::Test {
 protected:
  explicit WriteToUnit(const UnitFaults& faults = {}) : h(UnitMode::Database, faults) {
    working = ImageWith(DistinctEntries(30, 11));
    h.unit.engine.Memory().Fill(0x11);
  }

  UnitCommandOutcome Run() {
    const DatabaseImage before = working;
    const UnitCommandOutcome outcome = WriteToUnitCommand(h.command, working);
    EXPECT_EQ(working, before);
    EXPECT_FALSE(h.unit.LineOpen());
    return outcome;
  }

  // The sendings of the block at `address`, cut from the bytes sent after the
  // one 'X' in whole 68-byte sendings (for runs without time-outs).
  std::vector<std::vector<std::uint8_t>> SendingsOf(int address) const {
    const std::vector<std::uint8_t> sent = h.unit.SentBytes();
    std::vector<std::vector<std::uint8_t>> sendings;
    for (std::size_t i = 1; i + 68 <= sent.size(); i += 68) {
      if (sent[i + 1] == (address >> 8) && sent[i + 2] == (address & 0xFF)) {
        sendings.emplace_back(sent.begin() + static_cast<long>(i), sent.begin() + static_cast<long>(i + 68));
      }
    }
    return sendings;
  }

  LinkHarness h;
  DatabaseImage working;
};

TEST_F(WriteToUnit, CancelAtThePromptSendsNothingAndOpensNoPort) {
  h.messages.answers = {MessageAnswer::Cancel};
  EXPECT_EQ(Run(), UnitCommandOutcome::Cancelled);
  ExpectStoppedAtPrompt(h, "Write Database To Unit ",
                        "Apply power to your unit, switch it on, connect the RS232 cable to the PC\n"
                        "and then select the 'Connect to PC' option.\n\n"
                        "When ready, click on OK to write the database to the unit.\n"
                        "A message will appear when the write finishes.");
}

TEST_F(WriteToUnit, WritesEveryBlockThenQuitsClosesAndReports) {
  EXPECT_EQ(Run(), UnitCommandOutcome::Completed);
  EXPECT_EQ(h.unit.engine.Memory(), working);
  EXPECT_EQ(h.unit.engine.Stats().blocksAccepted, kBlockCount);
  EXPECT_EQ(h.unit.SentBytes().back(), 'Q');
  EXPECT_EQ(h.Texts().back(), "Database written successfully");
  EXPECT_EQ(h.messages.shown.back().caption, "Completed");
  EXPECT_EQ(h.progress.calls, (std::vector<std::string>{"start 1024", "done"}));

  std::vector<std::uint8_t> first = {'W', 0x00, 0x00};
  first.insert(first.end(), working.data(), working.data() + 64);
  first.push_back(BlockChecksum('W', 0, BlockBytes(working.data(), 64)));
  EXPECT_EQ(SendingsOf(0x0000), std::vector<std::vector<std::uint8_t>>{first});
  std::vector<std::uint8_t> last = {'W', 0xFF, 0xC0};
  last.insert(last.end(), working.data() + 0xFFC0, working.data() + 0x10000);
  last.push_back(BlockChecksum('W', 0xFFC0, BlockBytes(working.data() + 0xFFC0, 64)));
  EXPECT_EQ(SendingsOf(0xFFC0), std::vector<std::vector<std::uint8_t>>{last});
}

// Every byte of 'W' to the last data byte is followed by one receive before
// the next send; the checksum is followed by the answer.
TEST_F(WriteToUnit, EverySentByteWaitsForItsReply) {
  ASSERT_EQ(Run(), UnitCommandOutcome::Completed);
  const std::vector<WireEvent>& wire = h.unit.wire;
  std::size_t sends = 0;
  for (std::size_t i = 0; i + 1 < wire.size(); ++i) {
    if (wire[i].kind != WireEvent::Sent) continue;
    ++sends;
    if (i + 1 == wire.size() - 1 && wire[i + 1].byte == 'Q') break;
    ASSERT_EQ(wire[i + 1].kind, WireEvent::Received) << "send " << sends;
  }
  EXPECT_EQ(h.unit.Count(WireEvent::Sent), 1u + 68u * kBlockCount + 1u);
}

TEST_F(WriteToUnit, AnEmptyDatabaseIsStillWrittenInFull) {
  working = DatabaseImage{};
  EXPECT_EQ(Run(), UnitCommandOutcome::Completed);
  EXPECT_EQ(h.unit.engine.Memory(), DatabaseImage{});
  EXPECT_EQ(h.unit.engine.Stats().blocksAccepted, kBlockCount);
}

struct RefusingUnit : WriteToUnit {
  RefusingUnit() : WriteToUnit({.nakFirstBlocks = 3}) {}
};

TEST_F(RefusingUnit, RefusedBlockGoesAgainUnchangedUntilAccepted) {
  EXPECT_EQ(Run(), UnitCommandOutcome::Completed);
  const auto sendings = SendingsOf(0);
  ASSERT_EQ(sendings.size(), 4u);
  for (const auto& sending : sendings) EXPECT_EQ(sending, sendings.front());
  EXPECT_EQ(SendingsOf(0x40).size(), 1u);
  EXPECT_EQ(h.unit.engine.Memory(), working);
}

struct AlwaysRefusingUnit : WriteToUnit {
  AlwaysRefusingUnit() : WriteToUnit({.nakFirstBlocks = 11}) {}
};

TEST_F(AlwaysRefusingUnit, GivesUpAfterTheEleventhSending) {
  EXPECT_EQ(Run(), UnitCommandOutcome::TimedOut);
  EXPECT_EQ(SendingsOf(0).size(), 11u);
  EXPECT_TRUE(SendingsOf(0x40).empty());
  EXPECT_EQ(h.unit.SentBytes().back(), 'Q');
  EXPECT_EQ(h.Texts().back(), "Timed out talking to unit. Please retry.");
  EXPECT_EQ(h.messages.shown.back().caption, "Error");
  EXPECT_EQ(h.progress.calls.back(), "failed");
}

// Silent after N bytes: before the first echo, mid-address, mid-data, at an
// acknowledgement, at the very last one.
class UnitGoesSilentDuringWrite : public ::testing::TestWithParam<long> {};

TEST_P(UnitGoesSilentDuringWrite, EachSendingStopsAtItsFirstTimeOutAndElevenEndIt) {
  LinkHarness h(UnitMode::Database, {.silentAfterBytes = GetParam()});
  const DatabaseImage working = ImageWith(DistinctEntries(5, 2));
  EXPECT_EQ(WriteToUnitCommand(h.command, working), UnitCommandOutcome::TimedOut);
  EXPECT_EQ(h.Texts().back(), "Timed out talking to unit. Please retry.");
  EXPECT_FALSE(h.unit.LineOpen());
  EXPECT_EQ(h.unit.SentBytes().back(), 'Q');
  // The drain's quiet second, then one time-out per failed sending.
  EXPECT_EQ(h.unit.Count(WireEvent::Silence), 1u + 11u);
}

INSTANTIATE_TEST_SUITE_P(Points, UnitGoesSilentDuringWrite,
                         ::testing::Values(1L, 3L, 30L, 1L + 68 * 200 + 67, 1L + 68 * 1024 - 1));

}  // namespace
