// SPDX-License-Identifier: GPL-3.0-or-later
// Every unit command against every way the unit can fail, in virtual time,
// run as the window runs it (prompt or dialog, transfer, what follows),
// with the transfer step on the test's thread: what the user is told last,
// that the line is closed, that the held database only changes when a
// whole, verified image arrived, and how long the user waited. The
// fault table of docs/testing.md is this table.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "commands/UnitCommand.h"
#include "link/LinkConstants.h"
#include "resources/Strings.h"
#include "tests/support/HexBuilder.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/LinkHarness.h"
#include "tests/support/TempDir.h"

namespace {

enum class Command { Read, Write, Upgrade };

// Loses every byte the unit sends from the `from`-th after its wake answer
// on (0 is the first byte after the 'G').
std::function<int(std::uint8_t)> SilentFrom(long from) {
  auto seenWake = std::make_shared<bool>(false);
  auto index = std::make_shared<long>(0);
  return [=](std::uint8_t byte) {
    if (!*seenWake) {
      *seenWake = byte == kWakeAnswer;
      return int{byte};
    }
    return (*index)++ >= from ? -1 : int{byte};
  };
}

// Loses everything: a unit that is switched off.
int Dead(std::uint8_t) { return -1; }

struct FaultCase {
  const char* name;
  Command command;
  UnitFaults faults;
  std::function<int(std::uint8_t)> tamper;
  UnitCommandOutcome outcome;
  const char* lastMessage;
  const char* lastCaption;
  std::int64_t maxWaitMs;       // virtual time from OK to the last message
  int latencyMs = 0;            // behind a USB-serial adapter with this latency timer
  bool everyBlockOnce = false;  // upgrade: no block may go out twice
  int unitEntries = 100;        // the unit's database: a read asks for its first 10 blocks ...
  bool unitSigned = true;       // ... unless its first byte is no 'U': then for all 1024
};

// Bytes the unit sends per block: a read block is the three echoes, the 64
// data bytes and the checksum; a written block is 67 echoes and the answer.
constexpr long kReadBlockBytes = 3 + 64 + 1;
constexpr long kWriteBlockBytes = 3 + 64 + 1;
// The bootloader echoes the two address bytes and 64 data bytes, then answers.
constexpr long kUploadBlockBytes = 2 + 64 + 1;
constexpr long kBlock = 5;        // where the mid-transfer faults strike
constexpr long kReadBlocks = 10;  // the blocks that hold 100 entries: 8 + 600 bytes
// The firmware of the upgrade rows: eight blocks from 0x600.
constexpr int kFirmwareBlocks = 8;
constexpr std::uint32_t kFirmwareHighest = 0x600 + kFirmwareBlocks * 64 - 1;

const FaultCase kFaultMatrix[] = {
    // Read from Unit.
    {"ReadHealthy",
     Command::Read,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseLoaded,
     kCaptionCompleted,
     1500},
    {"ReadDeadUnit", Command::Read, {}, Dead, UnitCommandOutcome::NoResponse, kMsgNoResponse, kCaptionError, 6500},
    {"ReadWakeEchoed",
     Command::Read,
     {.echoWake = true},
     nullptr,
     UnitCommandOutcome::NoResponse,
     kMsgNoResponse,
     kCaptionError,
     1500},
    {"ReadChatterThatNeverStops",
     Command::Read,
     {.chatterMs = 3'600'000},
     nullptr,
     UnitCommandOutcome::LineNeverQuiet,
     kMsgLineNeverQuiet,
     kCaptionError,
     11'500},
    {"ReadChatterThenQuiet",
     Command::Read,
     {.chatterMs = 4000},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseLoaded,
     kCaptionCompleted,
     6000},
    {"ReadSilentAtRequestEcho",
     Command::Read,
     {},
     SilentFrom(kBlock* kReadBlockBytes),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     2500},
    {"ReadSilentAtDataByte",
     Command::Read,
     {},
     SilentFrom(kBlock* kReadBlockBytes + 3 + 20),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     2500},
    {"ReadSilentAtChecksum",
     Command::Read,
     {},
     SilentFrom(kBlock* kReadBlockBytes + 67),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     2500},
    {"ReadSilentAtLastByte",
     Command::Read,
     {},
     SilentFrom(kReadBlocks* kReadBlockBytes - 1),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     2500},
    {"ReadSilentAtLastByteOfAllBlocks",
     Command::Read,
     {},
     SilentFrom(kBlockCount* kReadBlockBytes - 1),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     2500,
     0,
     false,
     100,
     false},
    // Block 0 says how far the read goes; it fails as any other block does.
    {"ReadEmptyUnit",
     Command::Read,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseLoaded,
     kCaptionCompleted,
     1500,
     0,
     false,
     0},
    {"ReadSilentRightAfterBlock0",
     Command::Read,
     {},
     SilentFrom(kReadBlockBytes),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     2500},
    {"ReadSilentAtTheCountOfBlock0",
     Command::Read,
     {},
     SilentFrom(3 + 2),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     2500},
    {"ReadWrongChecksumOnBlock0TenTimes",
     Command::Read,
     {.badChecksumBlock = 0, .badChecksumTimes = 10},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseLoaded,
     kCaptionCompleted,
     1500},
    {"ReadWrongChecksumOnBlock0ElevenTimes",
     Command::Read,
     {.badChecksumBlock = 0, .badChecksumTimes = 11},
     nullptr,
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     1500},
    {"ReadNoSignatureWrongChecksumAtTheLastBlock",
     Command::Read,
     {.badChecksumBlock = kBlockCount - 1, .badChecksumTimes = 10},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseLoaded,
     kCaptionCompleted,
     1500,
     0,
     false,
     100,
     false},
    {"ReadNeverEchoes",
     Command::Read,
     {.neverEcho = true},
     nullptr,
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     2500},
    {"ReadWrongEchoes",
     Command::Read,
     {.garbleHeaderEchoes = true},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseLoaded,
     kCaptionCompleted,
     1500},
    {"ReadWrongChecksumTenTimes",
     Command::Read,
     {.badChecksumBlock = kBlock, .badChecksumTimes = 10},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseLoaded,
     kCaptionCompleted,
     1500},
    {"ReadWrongChecksumElevenTimes",
     Command::Read,
     {.badChecksumBlock = kBlock, .badChecksumTimes = 11},
     nullptr,
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     1500},
    // An adapter pulled out part-way: the line fails, which is no silence.
    // Nothing is waited for and nothing is retried.
    {"ReadAdapterGoneBeforeTheWake",
     Command::Read,
     {.vanishAfterBytes = 0},
     nullptr,
     UnitCommandOutcome::LineLost,
     kMsgLineLost,
     kCaptionError,
     0},
    {"ReadAdapterGoneAtADataByte",
     Command::Read,
     {.vanishAfterBytes = 1 + kBlock * kReadBlockBytes + 3 + 20},
     nullptr,
     UnitCommandOutcome::LineLost,
     kMsgLineLost,
     kCaptionError,
     1000},
    // Write to Unit.
    {"WriteHealthy",
     Command::Write,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseWritten,
     kCaptionCompleted,
     1500},
    {"WriteDeadUnit", Command::Write, {}, Dead, UnitCommandOutcome::NoResponse, kMsgNoResponse, kCaptionError, 6500},
    {"WriteChatterThatNeverStops",
     Command::Write,
     {.chatterMs = 3'600'000},
     nullptr,
     UnitCommandOutcome::LineNeverQuiet,
     kMsgLineNeverQuiet,
     kCaptionError,
     11'500},
    {"WriteSilentAtRequestEcho",
     Command::Write,
     {},
     SilentFrom(kBlock* kWriteBlockBytes),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     12'500},
    {"WriteSilentAtDataEcho",
     Command::Write,
     {},
     SilentFrom(kBlock* kWriteBlockBytes + 3 + 30),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     12'500},
    {"WriteSilentAtAcknowledgement",
     Command::Write,
     {},
     SilentFrom(kBlock* kWriteBlockBytes + 67),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     12'500},
    {"WriteNeverEchoes",
     Command::Write,
     {.neverEcho = true},
     nullptr,
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     12'500},
    {"WriteWrongEchoes",
     Command::Write,
     {.garbleHeaderEchoes = true},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseWritten,
     kCaptionCompleted,
     1500},
    {"WriteRefusedTenTimes",
     Command::Write,
     {.nakFirstBlocks = 10},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseWritten,
     kCaptionCompleted,
     1500},
    {"WriteRefusedElevenTimes",
     Command::Write,
     {.nakFirstBlocks = 11},
     nullptr,
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     1500},
    {"WriteAdapterGoneAtADataEcho",
     Command::Write,
     {.vanishAfterBytes = 1 + kBlock * kWriteBlockBytes + 3 + 30},
     nullptr,
     UnitCommandOutcome::LineLost,
     kMsgLineLost,
     kCaptionError,
     1000},
    // Upgrade Unit S/W. A block never acknowledged costs its 11 sendings of
    // about 1.1 s each before "Timed out...", then the end marker is sent.
    {"UpgradeHealthy",
     Command::Upgrade,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     1500},
    {"UpgradeDeadUnit",
     Command::Upgrade,
     {},
     Dead,
     UnitCommandOutcome::NoResponse,
     kMsgNoResponse,
     kCaptionError,
     6500},
    {"UpgradeChatterThatNeverStops",
     Command::Upgrade,
     {.chatterMs = 3'600'000},
     nullptr,
     UnitCommandOutcome::LineNeverQuiet,
     kMsgLineNeverQuiet,
     kCaptionError,
     11'500},
    {"UpgradeSilentAtAddressEcho",
     Command::Upgrade,
     {},
     SilentFrom(kBlock* kUploadBlockBytes),
     UnitCommandOutcome::TimedOut,
     kMsgUpgradeNotConfirmed,
     kCaptionError,
     14'000},
    {"UpgradeSilentAtDataEcho",
     Command::Upgrade,
     {},
     SilentFrom(kBlock* kUploadBlockBytes + 2 + 40),
     UnitCommandOutcome::TimedOut,
     kMsgUpgradeNotConfirmed,
     kCaptionError,
     14'000},
    {"UpgradeSilentAtAcknowledgement",
     Command::Upgrade,
     {},
     SilentFrom(kBlock* kUploadBlockBytes + 66),
     UnitCommandOutcome::TimedOut,
     kMsgUpgradeNotConfirmed,
     kCaptionError,
     14'000},
    {"UpgradeSilentAtEndMarker",
     Command::Upgrade,
     {},
     SilentFrom(kFirmwareBlocks* kUploadBlockBytes + 1),
     UnitCommandOutcome::NotConfirmed,
     kMsgUpgradeNotConfirmed,
     kCaptionError,
     2500},
    {"UpgradeNoEndAnswer",
     Command::Upgrade,
     {.noEndAnswer = true},
     nullptr,
     UnitCommandOutcome::NotConfirmed,
     kMsgUpgradeNotConfirmed,
     kCaptionError,
     2500},
    {"UpgradeNeverEchoes",
     Command::Upgrade,
     {.neverEcho = true},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     2500},
    {"UpgradeRefusedTenTimes",
     Command::Upgrade,
     {.nakFirstBlocks = 10},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     1500},
    {"UpgradeRefusedElevenTimes",
     Command::Upgrade,
     {.nakFirstBlocks = 11},
     nullptr,
     UnitCommandOutcome::TimedOut,
     kMsgUpgradeNotConfirmed,
     kCaptionError,
     1500},
    {"UpgradeAdapterGoneAtADataEcho",
     Command::Upgrade,
     {.vanishAfterBytes = 1 + kBlock * kUploadBlockBytes + 2 + 40},
     nullptr,
     UnitCommandOutcome::LineLost,
     kMsgLineLost,
     kCaptionError,
     1500},
    {"UpgradeAdapterGoneAtTheEndMarker",
     Command::Upgrade,
     {.vanishAfterBytes = 1 + kFirmwareBlocks * kUploadBlockBytes},
     nullptr,
     UnitCommandOutcome::LineLost,
     kMsgLineLost,
     kCaptionError,
     1500},
    // Behind a USB-serial adapter every byte of the unit comes at the next
    // tick of the adapter's latency timer. A database block costs one round
    // trip (a frame, then the next tick) per byte: 67 for a read, 68 for a
    // write; the echoes of an upgrade come after their short waits.
    {"ReadLatency1",
     Command::Read,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseLoaded,
     kCaptionCompleted,
     1500 + kReadBlocks * 67 * 2,
     1},
    {"ReadLatency16",
     Command::Read,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseLoaded,
     kCaptionCompleted,
     1500 + kReadBlocks * 67 * 16,
     16},
    {"ReadLatency16NoSignature",
     Command::Read,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseLoaded,
     kCaptionCompleted,
     1500 + kBlockCount * 67 * 16,
     16,
     false,
     100,
     false},
    {"ReadLatency16SilentAtDataByte",
     Command::Read,
     {},
     SilentFrom(kBlock* kReadBlockBytes + 3 + 20),
     UnitCommandOutcome::TimedOut,
     kMsgTimedOut,
     kCaptionError,
     2500 + kBlock * 67 * 16,
     16},
    {"ReadLatency16AdapterGoneAtADataByte",
     Command::Read,
     {.vanishAfterBytes = 1 + kBlock * kReadBlockBytes + 3 + 20},
     nullptr,
     UnitCommandOutcome::LineLost,
     kMsgLineLost,
     kCaptionError,
     1500 + (kBlock + 1) * 67 * 16,
     16},
    {"WriteLatency1",
     Command::Write,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseWritten,
     kCaptionCompleted,
     1500 + kBlockCount * 68 * 2,
     1},
    {"WriteLatency16",
     Command::Write,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseWritten,
     kCaptionCompleted,
     1500 + kBlockCount * 68 * 16,
     16},
    {"WriteLatency16RefusedTenTimes",
     Command::Write,
     {.nakFirstBlocks = 10},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgDatabaseWritten,
     kCaptionCompleted,
     1500 + (kBlockCount + 10) * 68 * 16,
     16},
    {"UpgradeLatency1",
     Command::Upgrade,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     2000,
     1,
     true},
    {"UpgradeLatency4",
     Command::Upgrade,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     2000,
     4,
     true},
    {"UpgradeLatency16",
     Command::Upgrade,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     2000,
     16,
     true},
    {"UpgradeLatency32",
     Command::Upgrade,
     {},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     2000,
     32,
     true},
    {"UpgradeLatency1NeverEchoes",
     Command::Upgrade,
     {.neverEcho = true},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     2500,
     1,
     true},
    {"UpgradeLatency4NeverEchoes",
     Command::Upgrade,
     {.neverEcho = true},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     2500,
     4,
     true},
    {"UpgradeLatency16NeverEchoes",
     Command::Upgrade,
     {.neverEcho = true},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     2500,
     16,
     true},
    {"UpgradeLatency16RefusedTenTimes",
     Command::Upgrade,
     {.nakFirstBlocks = 10},
     nullptr,
     UnitCommandOutcome::Completed,
     kMsgUpgradeFinished,
     kCaptionCompleted,
     3500,
     16},
    {"UpgradeLatency16RefusedElevenTimes",
     Command::Upgrade,
     {.nakFirstBlocks = 11},
     nullptr,
     UnitCommandOutcome::TimedOut,
     kMsgUpgradeNotConfirmed,
     kCaptionError,
     3500,
     16},
    {"UpgradeLatency16SilentAtDataEcho",
     Command::Upgrade,
     {},
     SilentFrom(kBlock* kUploadBlockBytes + 2 + 40),
     UnitCommandOutcome::TimedOut,
     kMsgUpgradeNotConfirmed,
     kCaptionError,
     14'500,
     16},
    {"UpgradeLatency16SilentAtAcknowledgement",
     Command::Upgrade,
     {},
     SilentFrom(kBlock* kUploadBlockBytes + 66),
     UnitCommandOutcome::TimedOut,
     kMsgUpgradeNotConfirmed,
     kCaptionError,
     14'500,
     16},
    {"UpgradeLatency16NoEndAnswer",
     Command::Upgrade,
     {.noEndAnswer = true},
     nullptr,
     UnitCommandOutcome::NotConfirmed,
     kMsgUpgradeNotConfirmed,
     kCaptionError,
     3000,
     16},
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class FaultMatrix : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultMatrix, EndsWithItsMessageTheLineClosedAndNothingHalfDone) {
  const FaultCase& c = GetParam();
  LinkHarness h(c.command == Command::Upgrade ? UnitMode::Bootloader : UnitMode::Database, c.faults);
  h.unit.tamper = c.tamper;
  h.unit.SetLatency(c.latencyMs);
  DatabaseImage unitBefore = NoisyImageWith(c.unitEntries, 1);
  if (!c.unitSigned) unitBefore[0] = 0x00;
  h.unit.engine.Memory() = unitBefore;
  DatabaseImage working = ImageWith(DistinctEntries(20, 2, 1));
  const DatabaseImage held = working;
  DatabaseImage incoming, scratch;

  // The upgrade's file: eight blocks from 0x600, named in its dialog.
  TempDir dir;
  std::vector<std::uint8_t> blocks(kFirmwareBlocks * 64);
  for (std::size_t i = 0; i < blocks.size(); ++i) blocks[i] = static_cast<std::uint8_t>(i * 13 + 1);
  h.prompt.answers = {dir.Write("firmware.hex", HexFileOf(0x600, blocks))};
  auto firmware = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 0;
  std::uint32_t currentBlock = 0;

  UnitCommandOutcome outcome = UnitCommandOutcome::Cancelled;
  switch (c.command) {
    case Command::Read: outcome = ReadFromUnitCommand(h.command, {working, incoming, scratch}); break;
    case Command::Write: outcome = WriteToUnitCommand(h.command, working); break;
    case Command::Upgrade: outcome = UpgradeUnitCommand(h.command, {*firmware, highest, currentBlock}); break;
  }

  EXPECT_EQ(outcome, c.outcome) << ToString(outcome);
  ASSERT_FALSE(h.messages.shown.empty());
  EXPECT_EQ(h.messages.shown.back().text, c.lastMessage);
  EXPECT_EQ(h.messages.shown.back().caption, c.lastCaption);
  EXPECT_FALSE(h.unit.LineOpen());
  EXPECT_LE(h.unit.clock.NowMs(), c.maxWaitMs);
  RecordProperty("virtual_ms", static_cast<int>(h.unit.clock.NowMs()));

  if (c.command == Command::Upgrade) {
    EXPECT_EQ(working, held);
    EXPECT_EQ(highest, kFirmwareHighest);
    if (outcome == UnitCommandOutcome::Completed) {
      // The bootloader holds every block, as sent.
      EXPECT_EQ(h.unit.engine.Stats().blocksAccepted, kFirmwareBlocks);
      EXPECT_TRUE(std::equal(firmware->begin() + 0x600, firmware->begin() + kFirmwareHighest + 1,
                             h.unit.engine.Memory().data() + 0x600));
    }
    if (c.everyBlockOnce) {
      // One 'X', each block's 67 bytes once, the end marker.
      EXPECT_EQ(h.unit.SentBytes().size(), 1u + kFirmwareBlocks * 67 + 2);
      EXPECT_EQ(h.unit.engine.Stats().blocksRefused, 0);
    }
  } else if (c.command == Command::Read) {
    if (outcome == UnitCommandOutcome::Completed) {
      // The blocks that hold its entries arrived and were checked, each
      // once and in order, and 0x00 stands after them; its entries join
      // the 20.
      const int readBlocks = c.unitSigned ? (8 + 6 * c.unitEntries + 63) / 64 : kBlockCount;
      EXPECT_EQ(h.unit.engine.Stats().blocksAsked.size(),
                static_cast<std::size_t>(readBlocks + c.faults.badChecksumTimes * (c.faults.badChecksumBlock >= 0)));
      EXPECT_EQ(h.unit.engine.Stats().blocksAsked.back(), readBlocks - 1);
      const auto readEnd = static_cast<std::ptrdiff_t>(readBlocks) * kBlockSize;
      EXPECT_TRUE(std::equal(incoming.bytes.begin(), incoming.bytes.begin() + readEnd, unitBefore.bytes.begin()));
      EXPECT_TRUE(
          std::all_of(incoming.bytes.begin() + readEnd, incoming.bytes.end(), [](std::uint8_t b) { return b == 0; }));
      EXPECT_EQ(working.Count(), 20 + c.unitEntries);
    } else {
      EXPECT_EQ(working, held);
    }
  } else {
    EXPECT_EQ(working, held);
    if (outcome == UnitCommandOutcome::Completed) {
      EXPECT_EQ(h.unit.engine.Memory(), held);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(UnitCommands, FaultMatrix, ::testing::ValuesIn(kFaultMatrix),
                         [](const ::testing::TestParamInfo<FaultCase>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
