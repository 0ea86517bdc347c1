// SPDX-License-Identifier: GPL-3.0-or-later
// The emulated unit's bootloader mode and command line, driven byte by byte
// (the firmware upload relies on both).
#include <gtest/gtest.h>

#include "emulator/SampleDatabase.h"
#include "emulator/UnitOptions.h"
#include "link/LinkConstants.h"
#include "tests/support/InProcessUnit.h"

namespace {

class Bootloader : public ::testing::Test {
 protected:
  explicit Bootloader(const UnitFaults& faults = {}) : unit(UnitMode::Bootloader, faults) {
    stream = std::move(unit.Open("pty").stream);
  }

  int Exchange(std::uint8_t byte, int timeoutMs = 1000) {
    stream->Send(byte);
    return stream->Receive(timeoutMs);
  }

  // Sends one block; gives the answer to its checksum and the echoes seen.
  int SendBlock(int address, std::uint8_t fill, std::vector<int>* echoes = nullptr, int checksumAdjust = 0) {
    unsigned sum = 0;
    std::vector<int> seen;
    for (std::uint8_t byte : {static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF)}) {
      sum += byte;
      seen.push_back(Exchange(byte, 10));
    }
    for (int k = 0; k < 64; ++k) {
      sum += fill;
      seen.push_back(Exchange(fill, 1));
    }
    if (echoes) *echoes = seen;
    return Exchange(static_cast<std::uint8_t>(sum + static_cast<unsigned>(checksumAdjust)));
  }

  InProcessUnit unit;
  std::unique_ptr<SerialStream> stream;
};

TEST_F(Bootloader, WakesStoresChecksummedBlocksAndAnswersTheEndWithZ) {
  EXPECT_EQ(Exchange('X'), 'G');
  std::vector<int> echoes;
  EXPECT_EQ(SendBlock(0x600, 0xFF, &echoes), 'Y');  // checksum 0xC6
  EXPECT_EQ(echoes.size(), 66u);
  for (std::size_t i = 2; i < echoes.size(); ++i) EXPECT_EQ(echoes[i], 0xFF);
  EXPECT_EQ(echoes[0], 0x06);
  EXPECT_EQ(SendBlock(0x640, 0x00), 'Y');  // checksum 0x46
  EXPECT_EQ(Exchange(0x00, 10), 0x00);
  EXPECT_EQ(Exchange(0x00), 'Z');
  EXPECT_EQ(unit.engine.Memory()[0x600], 0xFF);
  EXPECT_EQ(unit.engine.Memory()[0x63F], 0xFF);
  EXPECT_EQ(unit.engine.Memory()[0x640], 0x00);
  EXPECT_EQ(unit.engine.Stats().highestBlockAddress, 0x640);
  EXPECT_TRUE(unit.engine.TakeSaveRequest());
}

TEST_F(Bootloader, AWrongChecksumIsRefusedAndNothingStored) {
  EXPECT_EQ(Exchange('X'), 'G');
  EXPECT_EQ(SendBlock(0x600, 0x5A, nullptr, 1), 'N');
  EXPECT_EQ(unit.engine.Memory()[0x600], 0x00);
  EXPECT_EQ(SendBlock(0x600, 0x5A), 'Y');
  EXPECT_EQ(unit.engine.Memory()[0x600], 0x5A);
}

struct RefusingBootloader : Bootloader {
  RefusingBootloader() : Bootloader({.nakFirstBlocks = 2, .noEndAnswer = true}) {}
};

TEST_F(RefusingBootloader, RefusesTheFirstBlocksAndNeverSaysZ) {
  EXPECT_EQ(Exchange('X'), 'G');
  EXPECT_EQ(SendBlock(0x600, 1), 'N');
  EXPECT_EQ(SendBlock(0x600, 1), 'N');
  EXPECT_EQ(SendBlock(0x600, 1), 'Y');
  EXPECT_EQ(Exchange(0x00, 10), 0x00);
  EXPECT_EQ(Exchange(0x00), kReceiveTimeout);
}

struct SilentBootloader : Bootloader {
  SilentBootloader() : Bootloader({.silentAfterBytes = 10}) {}
};

TEST_F(SilentBootloader, StopsAnsweringPartWayThroughABlock) {
  EXPECT_EQ(Exchange('X'), 'G');
  std::vector<int> echoes;
  EXPECT_EQ(SendBlock(0x600, 7, &echoes), kReceiveTimeout);
  EXPECT_EQ(echoes[8], 7);
  EXPECT_EQ(echoes[9], kReceiveTimeout);
}

TEST(UnitOptions, EveryFaultHasItsOption) {
  UnitProgramOptions options;
  std::string error;
  ASSERT_TRUE(ParseUnitOptions({"--bootloader",
                                "--db",
                                "a.bin",
                                "--save",
                                "b.bin",
                                "--link",
                                "/tmp/u",
                                "--silent-after",
                                "500",
                                "--vanish-after",
                                "700",
                                "--nak-first",
                                "3",
                                "--bad-checksum",
                                "9:4",
                                "--chatter",
                                "2",
                                "--never-echo",
                                "--echo-wake",
                                "--no-end-answer"},
                               options, error))
      << error;
  EXPECT_EQ(options.mode, UnitMode::Bootloader);
  EXPECT_EQ(options.dbFile, "a.bin");
  EXPECT_EQ(options.saveFile, "b.bin");
  EXPECT_EQ(options.linkPath, "/tmp/u");
  EXPECT_EQ(options.faults.silentAfterBytes, 500);
  EXPECT_EQ(options.faults.vanishAfterBytes, 700);
  EXPECT_EQ(options.faults.nakFirstBlocks, 3);
  EXPECT_EQ(options.faults.badChecksumBlock, 9);
  EXPECT_EQ(options.faults.badChecksumTimes, 4);
  EXPECT_EQ(options.faults.chatterMs, 2000);
  EXPECT_TRUE(options.faults.neverEcho && options.faults.echoWake && options.faults.noEndAnswer);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{{"--db"},
                                                                                   {"--silent-after", "x"},
                                                                                   {"--bad-checksum", "1024"},
                                                                                   {"--frob"},
                                                                                   {"--nak-first", "-1"},
                                                                                   {"--latency", "256"},
                                                                                   {"--db", "a", "--db", "b"},
                                                                                   {"stray"}}) {
    UnitProgramOptions ignored;
    EXPECT_FALSE(ParseUnitOptions(bad, ignored, error)) << bad[0];
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace

namespace {

TEST(SampleDatabase, HoldsItsEntriesAllOnTheMapOfBritain) {
  const DatabaseImage sample = SampleDatabase();
  ASSERT_TRUE(sample.HasSignature());
  ASSERT_EQ(sample.Count(), kSampleEntries);
  for (int i = 0; i < kSampleEntries; ++i) {
    const CameraEntry e = sample.Entry(i);
    EXPECT_GT(e.latitude, 49.5 * kUnitsPerDegree) << i;
    EXPECT_LT(e.latitude, 59.0 * kUnitsPerDegree) << i;
    EXPECT_GT(e.longitude, -8.0 * kUnitsPerDegree) << i;
    EXPECT_LT(e.longitude, 2.0 * kUnitsPerDegree) << i;
  }
  EXPECT_EQ(SampleDatabase(), sample);
}

// What zorvane-unit says it was asked for when it stops.
TEST(BlockRuns, TellsRisingRunsAndStartsANewOneAtARepeat) {
  EXPECT_EQ(BlockRuns({}), "");
  EXPECT_EQ(BlockRuns({0}), "0");
  std::vector<int> rising(57);
  for (int i = 0; i < 57; ++i) rising[static_cast<std::size_t>(i)] = i;
  EXPECT_EQ(BlockRuns(rising), "0-56");
  EXPECT_EQ(BlockRuns({0, 1, 2, 2, 2, 3}), "0-2, 2, 2-3");
  EXPECT_EQ(BlockRuns({0, 5, 6}), "0, 5-6");
}

}  // namespace
