// SPDX-License-Identifier: GPL-3.0-or-later
// Upgrade Unit S/W through a USB-serial adapter, whose latency timer holds
// the bootloader's echoes back past the upload's short waits: a late echo
// must never be taken for the answer to a block.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "commands/UnitCommand.h"
#include "resources/Strings.h"
#include "tests/support/LinkHarness.h"

namespace {

class UpgradeThroughAdapter : public ::testing::Test {
 protected:
  UpgradeThroughAdapter() { FillImage(0); }

  void FillImage(int seed) {
    for (std::size_t i = 0; i < image->size(); ++i) (*image)[i] = static_cast<std::uint8_t>(i * 31 + seed);
  }

  UnitCommandOutcome Upload(int latencyMs) {
    h.unit.SetLatency(latencyMs);
    const UnitCommandOutcome outcome = UploadFirmware(h.transfer, *image, kHighest, current);
    EXPECT_FALSE(h.unit.LineOpen());
    return outcome;
  }

  void ExpectEveryBlockOnceAndStored() const {
    EXPECT_EQ(h.unit.SentBytes().size(), 1u + kBlocks * 67 + 2) << "a block went out more than once";
    EXPECT_EQ(h.unit.engine.Stats().blocksAccepted, kBlocks);
    EXPECT_TRUE(
        std::equal(image->begin() + 0x600, image->begin() + kHighest + 1, h.unit.engine.Memory().data() + 0x600));
    ASSERT_FALSE(h.messages.shown.empty());
    EXPECT_EQ(h.messages.shown.back().text, kMsgUpgradeFinished);
  }

  static constexpr int kBlocks = 12;
  static constexpr std::uint32_t kHighest = 0x600 + kBlocks * 64 - 1;
  LinkHarness h{UnitMode::Bootloader};
  std::unique_ptr<FirmwareBytes> image = std::make_unique<FirmwareBytes>();
  std::uint32_t current = 0;
};

TEST_F(UpgradeThroughAdapter, EchoesThatAreAllAnswerBytesAreStillCountedAsEchoes) {
  std::fill(image->begin(), image->end(), std::uint8_t{'Y'});
  EXPECT_EQ(Upload(16), UnitCommandOutcome::Completed);
  ExpectEveryBlockOnceAndStored();
}

TEST_F(UpgradeThroughAdapter, ALatencyLongerThanASendingIsLearntFromTheFirstEcho) {
  // Nothing comes back while the first block goes out; the first byte
  // after its checksum is the echo of its address, not the answer.
  EXPECT_EQ(Upload(100), UnitCommandOutcome::Completed);
  ExpectEveryBlockOnceAndStored();
}

TEST_F(UpgradeThroughAdapter, EchoesLateByRandomAmountsStillLeaveEachBlockSentOnce) {
  for (unsigned seed : {1u, 2u, 3u}) {
    LinkHarness fresh{UnitMode::Bootloader};
    std::mt19937 random(seed);
    fresh.unit.lateBy = [&random](std::uint8_t) { return static_cast<int>(random() % 40); };
    fresh.unit.SetLatency(static_cast<int>(seed * 5));
    EXPECT_EQ(UploadFirmware(fresh.transfer, *image, kHighest, current), UnitCommandOutcome::Completed) << seed;
    EXPECT_EQ(fresh.unit.SentBytes().size(), 1u + kBlocks * 67 + 2) << seed;
    EXPECT_TRUE(
        std::equal(image->begin() + 0x600, image->begin() + kHighest + 1, fresh.unit.engine.Memory().data() + 0x600))
        << seed;
  }
}

TEST_F(UpgradeThroughAdapter, AUnitThatLosesAnEchoIsNeverTakenAsAccepting) {
  // Every 67th byte of the unit is lost: each sending is one echo short,
  // so its 'Y' is counted as the missing echo, the wait runs out and the
  // block goes again, until the bound is reached.
  long index = 0;
  bool awake = false;
  h.unit.tamper = [&](std::uint8_t byte) {
    if (!awake) {
      awake = byte == 'G';
      return int{byte};
    }
    return ++index % 67 == 5 ? -1 : int{byte};
  };
  EXPECT_EQ(Upload(16), UnitCommandOutcome::TimedOut);
  EXPECT_EQ(h.unit.SentBytes().size(), 1u + 11 * 67 + 2);
  ASSERT_GE(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.messages.shown[h.messages.shown.size() - 2].text, kMsgTimedOut);
  // Each sending's wait ended at most a second after the last byte in.
  EXPECT_LE(h.unit.clock.NowMs(), 1000 + 11 * (84 + 16 + 1000) + 1100);
}

TEST_F(UpgradeThroughAdapter, ARefusalAfterLateEchoesSendsTheBlockAgainOnce) {
  LinkHarness refusing{UnitMode::Bootloader, {.nakFirstBlocks = 3}};
  refusing.unit.SetLatency(16);
  EXPECT_EQ(UploadFirmware(refusing.transfer, *image, kHighest, current), UnitCommandOutcome::Completed);
  EXPECT_EQ(refusing.unit.SentBytes().size(), 1u + (kBlocks + 3) * 67 + 2);
  EXPECT_EQ(refusing.unit.engine.Stats().blocksRefused, 3);
}

}  // namespace
