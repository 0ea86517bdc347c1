// SPDX-License-Identifier: GPL-3.0-or-later
// Upgrade Unit S/W against the emulated bootloader, in virtual time.
#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "commands/UnitCommand.h"
#include "resources/Strings.h"
#include "tests/support/HexBuilder.h"
#include "tests/support/LinkHarness.h"
#include "tests/support/ScriptedFileNamePrompt.h"
#include "tests/support/TempDir.h"
#include "upgrade/UploadConstants.h"

namespace {

using Sending = std::vector<std::uint8_t>;

Sending BlockSending(std::uint32_t address, std::uint8_t fill, std::uint8_t checksum) {
  // Sized once and filled in place: growing a two-byte vector by insert
  // draws a false -Warray-bounds from GCC 12 at -O3.
  Sending s(2 + 64 + 1, fill);
  s.front() = static_cast<std::uint8_t>(address >> 8);
  s[1] = static_cast<std::uint8_t>(address & 0xFF);
  s.back() = checksum;
  return s;
}

// The bytes sent after the one 'X', cut into 67-byte sendings up to the
// end marker, which must close them.
std::vector<Sending> SendingsIn(const std::vector<std::uint8_t>& sent) {
  EXPECT_GE(sent.size(), 3u);
  EXPECT_EQ(sent.front(), 'X');
  std::vector<Sending> sendings;
  std::size_t i = 1;
  while (i + 67 <= sent.size() && !(sent[i] == 0 && sent[i + 1] == 0)) {
    sendings.emplace_back(sent.begin() + static_cast<long>(i), sent.begin() + static_cast<long>(i + 67));
    i += 67;
  }
  EXPECT_EQ(Sending(sent.begin() + static_cast<long>(i), sent.end()), (Sending{0x00, 0x00})) << "end marker";
  return sendings;
}

std::vector<std::uint32_t> BlockAddressesIn(const std::vector<std::uint8_t>& sent) {
  std::vector<std::uint32_t> addresses;
  for (const Sending& s : SendingsIn(sent)) addresses.push_back(std::uint32_t{s[0]} << 8 | s[1]);
  return addresses;
}

class UpgradeUnit : public ::testing::Test {
 protected:
  explicit UpgradeUnit(const UnitFaults& faults = {}) : h(UnitMode::Bootloader, faults) {}

  UnitCommandOutcome Upload(std::uint32_t highestAddress) {
    highest = highestAddress;
    const UnitCommandOutcome outcome = UploadFirmware(h.transfer, *image, highest, current);
    EXPECT_FALSE(h.unit.LineOpen());
    return outcome;
  }

  std::vector<Sending> Sendings() const { return SendingsIn(h.unit.SentBytes()); }
  std::vector<std::uint32_t> BlockAddresses() const { return BlockAddressesIn(h.unit.SentBytes()); }

  LinkHarness h;
  std::unique_ptr<FirmwareBytes> image = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 0;
  std::uint32_t current = 0;
};

TEST_F(UpgradeUnit, BelowTheFirstBlockOnlyTheEndMarkerGoesOut) {
  EXPECT_EQ(Upload(0x5FF), UnitCommandOutcome::Completed);
  EXPECT_EQ(h.unit.SentBytes(), (std::vector<std::uint8_t>{'X', 0x00, 0x00}));
  EXPECT_EQ(h.Texts(), std::vector<std::string>{"Finished ok."});
  EXPECT_EQ(h.messages.shown[0].caption, "Completed");
  EXPECT_EQ(h.progress.calls, (std::vector<std::string>{"start 0", "done"}));
}

TEST_F(UpgradeUnit, BlocksRunFrom0x600ToTheOneHoldingTheHighestAddress) {
  const struct {
    std::uint32_t highest;
    std::vector<std::uint32_t> blocks;
  } cases[] = {{0x600, {0x600}}, {0x63F, {0x600}}, {0x640, {0x600, 0x640}}, {0x6BF, {0x600, 0x640, 0x680}}};
  for (const auto& c : cases) {
    LinkHarness fresh(UnitMode::Bootloader);
    ASSERT_EQ(UploadFirmware(fresh.transfer, *image, c.highest, current), UnitCommandOutcome::Completed);
    EXPECT_EQ(BlockAddressesIn(fresh.unit.SentBytes()), c.blocks) << c.highest;
    EXPECT_EQ(current, c.blocks.back());
  }
}

TEST_F(UpgradeUnit, BlocksLeadWithTheirAddressAndCarryAPlainAdditiveChecksum) {
  std::fill(image->begin() + 0x600, image->begin() + 0x640, 0xFF);
  (*image)[0x5FF] = 0x77;  // below the first block: never sent
  EXPECT_EQ(Upload(0x67F), UnitCommandOutcome::Completed);
  EXPECT_EQ(Sendings(), (std::vector<Sending>{BlockSending(0x600, 0xFF, 0xC6), BlockSending(0x640, 0x00, 0x46)}));
  EXPECT_EQ(h.unit.engine.Memory()[0x600], 0xFF);
  EXPECT_EQ(h.unit.engine.Memory()[0x5FF], 0x00);
  EXPECT_EQ(h.progress.calls, (std::vector<std::string>{"start 2", "done"}));
  EXPECT_EQ(h.progress.lastStep, 2);
}

// Past 64,999 there is no image: the last block is the one at 0xFDC0 and its
// bytes beyond the image go as 0xFF, whatever the highest address says.
TEST_F(UpgradeUnit, TheLastBlockIs0xFDC0FilledWith0xFFPastTheImage) {
  image->fill(0x11);
  EXPECT_EQ(Upload(65789), UnitCommandOutcome::Completed);
  const std::vector<Sending> sendings = Sendings();
  ASSERT_EQ(sendings.size(), 992u);
  const Sending& last = sendings.back();
  EXPECT_EQ(last[0], 0xFD);
  EXPECT_EQ(last[1], 0xC0);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(last[2 + i], 0xFDC0 + i < 65000 ? 0x11 : 0xFF) << i;
  EXPECT_EQ(h.unit.engine.Memory()[64999], 0x11);
  EXPECT_EQ(h.unit.engine.Memory()[65000], 0xFF);
  EXPECT_EQ(h.unit.engine.Memory()[0xFE00], 0x00);
}

// Address bytes wait 10 ms for their echo, data bytes 1 ms, the checksum
// up to 1000 ms for the answer; a unit that echoes nothing shows the waits.
TEST(UpgradeUnitPacing, EachByteIsFollowedByItsOwnShortWait) {
  LinkHarness h(UnitMode::Bootloader, {.neverEcho = true});
  auto image = std::make_unique<FirmwareBytes>();
  std::uint32_t current = 0;
  ASSERT_EQ(UploadFirmware(h.transfer, *image, 0x600, current), UnitCommandOutcome::Completed);
  std::vector<std::int64_t> waits;  // from each send to the event after it
  const std::vector<WireEvent>& wire = h.unit.wire;
  for (std::size_t i = 0; i + 1 < wire.size(); ++i) {
    if (wire[i].kind == WireEvent::Sent) waits.push_back(wire[i + 1].atMs - wire[i].atMs);
  }
  std::vector<std::int64_t> expected = {0, 10, 10};  // 'X' answered at once, then the address
  expected.insert(expected.end(), 64, 1);
  expected.push_back(0);   // 'Y' at once
  expected.push_back(10);  // the end marker's first byte ...
  expected.push_back(0);   // ... and its second, answered 'Z' at once
  ASSERT_EQ(waits, expected);
  EXPECT_EQ(h.unit.wire.back().byte, 'Z');
}

struct UpgradeToRefusingUnit : UpgradeUnit {
  UpgradeToRefusingUnit() : UpgradeUnit({.nakFirstBlocks = 10}) {}
};

// 'N' ten times, 'Y' at the eleventh sending; then the next block loses its
// first answer and goes again, with a counter of its own.
TEST_F(UpgradeToRefusingUnit, ResendsAtOnceAndEachBlockHasItsOwnElevenSendings) {
  int answers = 0;
  h.unit.tamper = [&answers](std::uint8_t byte) {
    if (byte == 'Y' && ++answers == 2) return -1;
    return int{byte};
  };
  EXPECT_EQ(Upload(0x640), UnitCommandOutcome::Completed);
  const std::vector<Sending> sendings = Sendings();
  ASSERT_EQ(sendings.size(), 13u);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(sendings[i], BlockSending(0x600, 0, 0x06)) << i;
  EXPECT_EQ(sendings[11], sendings[12]);
  EXPECT_EQ(h.Texts(), std::vector<std::string>{"Finished ok."});
  // Echoes and refusals come at once and cost nothing; after the drain's
  // second only the lost answer waited, its full second.
  EXPECT_EQ(h.unit.clock.NowMs(), 1000 + kBootloaderReplyMs);
}

struct UpgradeToSilentUnit : UpgradeUnit {
  UpgradeToSilentUnit() : UpgradeUnit({.silentAfterBytes = 1}) {}  // 'G', then nothing
};

TEST_F(UpgradeToSilentUnit, ElevenSendingsThenTheTimeOutThenTheEndMarkerAnyway) {
  std::vector<std::size_t> sentAtMessage;
  std::vector<bool> openAtMessage;
  h.messages.onShow = [&](const ShownMessage&) {
    sentAtMessage.push_back(h.unit.SentBytes().size());
    openAtMessage.push_back(h.unit.LineOpen());
  };
  EXPECT_EQ(Upload(0x6FF), UnitCommandOutcome::TimedOut);
  const std::vector<Sending> sendings = Sendings();
  ASSERT_EQ(sendings.size(), 11u);
  for (const Sending& s : sendings) EXPECT_EQ(s, sendings.front());
  EXPECT_EQ(h.Texts(), (std::vector<std::string>{"Timed out talking to unit. Please retry.",
                                                 "Unit did not respond correctly.\nI suggest you reprogram it."}));
  EXPECT_EQ(h.messages.shown[1].caption, "Error");
  EXPECT_EQ(sentAtMessage, (std::vector<std::size_t>{1 + 11 * 67, 1 + 11 * 67 + 2}));
  EXPECT_EQ(openAtMessage, (std::vector<bool>{true, true}));  // closed only after the result
  EXPECT_EQ(h.progress.calls, (std::vector<std::string>{"start 4", "failed"}));
  EXPECT_EQ(current, 0x600u);
  const std::int64_t sending = 2 * kAddressEchoWaitMs + 64 * kDataEchoWaitMs + kBootloaderReplyMs;
  EXPECT_EQ(sending, 1084);
  EXPECT_EQ(h.unit.clock.NowMs(), 1000 + 11 * sending + kAddressEchoWaitMs + kBootloaderReplyMs);
}

// A unit that refuses a block to the end but still says 'Z': the upload is
// incomplete, so that is not "Finished ok.".
struct UpgradeToAlwaysRefusingUnit : UpgradeUnit {
  UpgradeToAlwaysRefusingUnit() : UpgradeUnit({.nakFirstBlocks = 11}) {}
};

TEST_F(UpgradeToAlwaysRefusingUnit, AZAfterABlockThatNeverWentIsNoSuccess) {
  EXPECT_EQ(Upload(0x640), UnitCommandOutcome::TimedOut);
  EXPECT_EQ(h.unit.wire.back().byte, 'Z');
  EXPECT_EQ(h.Texts(), (std::vector<std::string>{"Timed out talking to unit. Please retry.",
                                                 "Unit did not respond correctly.\nI suggest you reprogram it."}));
}

struct UpgradeToUnitMuteAtTheEnd : UpgradeUnit {
  UpgradeToUnitMuteAtTheEnd() : UpgradeUnit({.noEndAnswer = true}) {}
};

TEST_F(UpgradeToUnitMuteAtTheEnd, NoZIsReportedWhileTheLinkIsStillOpen) {
  bool openAtMessage = false;
  h.messages.onShow = [&](const ShownMessage&) { openAtMessage = h.unit.LineOpen(); };
  EXPECT_EQ(Upload(0x600), UnitCommandOutcome::NotConfirmed);
  EXPECT_EQ(h.Texts(), std::vector<std::string>{"Unit did not respond correctly.\nI suggest you reprogram it."});
  EXPECT_EQ(h.messages.shown[0].caption, "Error");
  EXPECT_TRUE(openAtMessage);
  EXPECT_EQ(h.unit.engine.Stats().blocksAccepted, 1);
}

// One byte more than the unit was asked for (a late echo, line noise) would
// shift every later answer by one: each checksum would be answered by the
// echo of a data byte. Bytes waiting before a sending are dropped instead,
// so the block goes once more and the rest follow in step.
class StrayByteOpener : public SerialOpener {
 public:
  StrayByteOpener(InProcessUnit& unit, std::size_t afterSend) : m_unit(unit), m_afterSend(afterSend) {}
  OpenResult Open(const std::string& path) override {
    OpenResult result = m_unit.Open(path);
    if (result.stream) result.stream = std::make_unique<Stream>(std::move(result.stream), m_afterSend);
    return result;
  }

 private:
  // Bytes queue up behind the stray one as on a real line.
  class Stream : public SerialStream {
   public:
    Stream(std::unique_ptr<SerialStream> inner, std::size_t afterSend) : m_inner(std::move(inner)), m_left(afterSend) {}
    bool Send(std::uint8_t byte) override {
      const bool sent = m_inner->Send(byte);
      if (m_left > 0 && --m_left == 0) m_queue.push_back(0xEE);
      return sent;
    }
    int Receive(int timeoutMs) override {
      if (m_queue.empty()) return m_inner->Receive(timeoutMs);
      if (const int next = m_inner->Receive(0); next != kReceiveTimeout) m_queue.push_back(next);
      const int byte = m_queue.front();
      m_queue.pop_front();
      return byte;
    }

   private:
    std::unique_ptr<SerialStream> m_inner;
    std::size_t m_left;
    std::deque<int> m_queue;
  };
  InProcessUnit& m_unit;
  std::size_t m_afterSend;
};

TEST_F(UpgradeUnit, AStrayByteCostsOneSendingNotTheRestOfTheUpload) {
  for (std::size_t i = 0x600; i < 0x700; ++i) (*image)[i] = static_cast<std::uint8_t>(i);
  StrayByteOpener opener(h.unit, 1 + 10);  // in the first block's data
  TransferContext context{h.teller, opener, h.unit.clock, h.progress};
  EXPECT_EQ(UploadFirmware(context, *image, 0x6FF, current), UnitCommandOutcome::Completed);
  EXPECT_EQ(BlockAddresses(), (std::vector<std::uint32_t>{0x600, 0x600, 0x640, 0x680, 0x6C0}));
  EXPECT_TRUE(std::equal(image->begin() + 0x600, image->begin() + 0x700, h.unit.engine.Memory().data() + 0x600));
}

// The whole command, from the dialog on.
class UpgradeCommand : public UpgradeUnit {
 protected:
  UnitCommandOutcome Run() { return UpgradeUnitCommand(h.command, {*image, highest, current}); }

  void ExpectNothingSentAndImageKept(std::uint8_t kept) const {
    EXPECT_TRUE(h.unit.openedPaths.empty());
    EXPECT_EQ((*image)[0x600], kept);
    EXPECT_EQ(highest, 0x1234u);
  }

  TempDir dir;
  ScriptedFileNamePrompt& prompt = h.prompt;
};

TEST_F(UpgradeCommand, CancelEmptyMissingAndMalformedFilesEndBeforeTheUnit) {
  (*image)[0x600] = 0xAB;
  highest = 0x1234;
  const std::string good = HexData(0x600, {1, 2, 3});
  const std::string bad = good + HexData(0x700, {4}).substr(0, 9) + "ZZ\n";
  const struct {
    std::optional<std::string> name;
    UnitCommandOutcome outcome;
    std::vector<std::string> texts;
  } cases[] = {
      {std::nullopt, UnitCommandOutcome::Cancelled, {}},
      {"", UnitCommandOutcome::FileRefused, {"Please specify a filename."}},
      {" ", UnitCommandOutcome::FileRefused, {"Cannot open file   for reading."}},
      {dir.File("gone.hex"),
       UnitCommandOutcome::FileRefused,
       {"Cannot open file " + dir.File("gone.hex") + " for reading."}},
      {dir.Write("bad.hex", bad),
       UnitCommandOutcome::FileRefused,
       {"The file " + dir.File("bad.hex") + " is not a valid HEX file (line 2)."}},
  };
  for (const auto& c : cases) {
    h.messages.shown.clear();
    prompt.answers = {c.name};
    EXPECT_EQ(Run(), c.outcome);
    EXPECT_EQ(h.Texts(), c.texts);
    for (const ShownMessage& m : h.messages.shown) EXPECT_EQ(m.caption, "Error");
    ExpectNothingSentAndImageKept(0xAB);
  }
  EXPECT_EQ(prompt.asked, std::vector<FileNameDialogKind>(5, FileNameDialogKind::Upgrade));
}

TEST_F(UpgradeCommand, LoadsTheFileThenSendsItFrom0x600) {
  (*image)[0x700] = 0x99;  // an earlier file's byte, where this one has none
  std::vector<std::uint8_t> data(0x100);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
  prompt.answers = {dir.Write("fw.hex", HexData(0x100, {0x42}) + HexFileOf(0x600, data))};
  EXPECT_EQ(Run(), UnitCommandOutcome::Completed);
  EXPECT_EQ(highest, 0x6FFu);
  EXPECT_EQ(BlockAddresses(), (std::vector<std::uint32_t>{0x600, 0x640, 0x680, 0x6C0}));
  EXPECT_TRUE(std::equal(data.begin(), data.end(), h.unit.engine.Memory().data() + 0x600));
  EXPECT_EQ((*image)[0x100], 0x42);
  EXPECT_EQ((*image)[0x700], 0x99);
  EXPECT_EQ(h.Texts(), std::vector<std::string>{"Finished ok."});
}

TEST_F(UpgradeCommand, AFailedConnectionLeavesTheNewFileLoadedAndShowsOnlyTheLinksMessage) {
  h.unit.failOpenWith = OpenStatus::Other;
  prompt.answers = {dir.Write("fw.hex", HexData(0x640, {5, 6}))};
  EXPECT_EQ(Run(), UnitCommandOutcome::OpenFailed);
  EXPECT_EQ(h.Texts(), std::vector<std::string>{"Error Opening Comm Port"});
  EXPECT_EQ((*image)[0x641], 6);
  EXPECT_EQ(highest, 0x641u);
  EXPECT_TRUE(h.unit.wire.empty());
}

}  // namespace
