// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, draining and waking the unit, against the emulated unit in
// virtual time.
#include <gtest/gtest.h>

#include <cctype>

#include "commands/UnitCommand.h"
#include "link/LinkConstants.h"
#include "link/UnitLink.h"
#include "resources/Strings.h"
#include "tests/support/LinkHarness.h"

namespace {

class UnitLinkTest : public ::testing::Test {
 protected:
  explicit UnitLinkTest(const UnitFaults& faults = {}) : h(UnitMode::Database, faults) {}
  LinkStatus Connect() { return link.Connect("/dev/ttyS0").status; }

  LinkHarness h;
  UnitLink link{h.unit, h.unit.clock};
};

// The link tells what happened and shows nothing: the words are the
// command's (TellFailure), once it ends.
TEST_F(UnitLinkTest, AQuietUnitIsDrainedForOneSecondThenWokenByOneX) {
  EXPECT_EQ(Connect(), LinkStatus::Ok);
  EXPECT_TRUE(link.IsOpen());
  EXPECT_EQ(h.unit.SentBytes(), std::vector<std::uint8_t>{'X'});
  ASSERT_FALSE(h.unit.wire.empty());
  EXPECT_EQ(h.unit.wire.front(), (WireEvent{WireEvent::Silence, -1, kQuietLineMs}));
  EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(UnitLinkTest, GOnTheThirdXMeansExactlyThreeX) {
  int answers = 0;
  h.unit.tamper = [&](std::uint8_t byte) { return byte == 'G' && ++answers < 3 ? int{'?'} : int{byte}; };
  EXPECT_EQ(Connect(), LinkStatus::Ok);
  EXPECT_EQ(h.unit.Count(WireEvent::Sent, 'X'), 3u);
  // Wrong answers cost no waiting: only the drain's second has passed.
  EXPECT_EQ(h.unit.clock.NowMs(), kQuietLineMs);
}

struct SilentUnit : UnitLinkTest {
  SilentUnit() : UnitLinkTest({.silentAfterBytes = 0}) {}
};

TEST_F(SilentUnit, FailsAfterTheDrainAndFiveXAboutSixSecondsInWithTheLineClosed) {
  EXPECT_EQ(Connect(), LinkStatus::NoResponse);
  EXPECT_EQ(h.unit.SentBytes(), std::vector<std::uint8_t>(5, 'X'));
  EXPECT_EQ(h.unit.clock.NowMs(), kQuietLineMs + kWakeAttempts * kReplyTimeoutMs);
  EXPECT_FALSE(link.IsOpen());
  EXPECT_FALSE(h.unit.LineOpen());
  EXPECT_TRUE(h.messages.shown.empty());
}

struct EchoingUnit : UnitLinkTest {
  EchoingUnit() : UnitLinkTest({.echoWake = true}) {}
};

TEST_F(EchoingUnit, FiveEchoedXFailWithoutWaiting) {
  EXPECT_EQ(Connect(), LinkStatus::NoResponse);
  EXPECT_EQ(h.unit.Count(WireEvent::Sent, 'X'), 5u);
  EXPECT_EQ(h.unit.Count(WireEvent::Received, 'X'), 5u);
  EXPECT_EQ(h.unit.clock.NowMs(), kQuietLineMs);
}

struct ChatteringUnit : UnitLinkTest {
  ChatteringUnit() : UnitLinkTest({.chatterMs = 3000}) {}
};

TEST_F(ChatteringUnit, ChatterIsDrainedAndNeverReachesTheHandshake) {
  EXPECT_EQ(Connect(), LinkStatus::Ok);
  EXPECT_GT(h.unit.Count(WireEvent::Received, kChatterByte), 50u);
  // The first 'X' goes out a quiet second after the last chatter byte.
  const auto firstSend = std::find_if(h.unit.wire.begin(), h.unit.wire.end(),
                                      [](const WireEvent& e) { return e.kind == WireEvent::Sent; });
  ASSERT_NE(firstSend, h.unit.wire.end());
  EXPECT_GE(firstSend->atMs, 3000 + kQuietLineMs - kChatterPeriodMs);
  EXPECT_EQ(std::next(firstSend)->byte, 'G');
}

struct EndlessChatter : UnitLinkTest {
  EndlessChatter() : UnitLinkTest({.chatterMs = 3600 * 1000}) {}
};

TEST_F(EndlessChatter, DrainGivesUpAfterTenSecondsWithTheLinkClosed) {
  EXPECT_EQ(Connect(), LinkStatus::LineNeverQuiet);
  EXPECT_GE(h.unit.clock.NowMs(), kDrainLimitMs);
  EXPECT_LT(h.unit.clock.NowMs(), kDrainLimitMs + kQuietLineMs);
  EXPECT_TRUE(h.unit.SentBytes().empty());
  EXPECT_FALSE(h.unit.LineOpen());
}

// A line that fails is no silence: the link says so at once, whether the
// drain or the wake runs into it, and lets the port go.
TEST(UnitLinkLost, AFailedLineIsToldApartFromSilenceWithoutWaiting) {
  LinkHarness drained(UnitMode::Database, {.vanishAfterBytes = 0});
  UnitLink gone(drained.unit, drained.unit.clock);
  EXPECT_EQ(gone.Connect("/dev/ttyUSB0").status, LinkStatus::LineLost);
  EXPECT_EQ(drained.unit.clock.NowMs(), 0);
  EXPECT_FALSE(drained.unit.LineOpen());

  // 'X' answered by an echo, then the adapter is pulled out.
  LinkHarness woken(UnitMode::Database, {.vanishAfterBytes = 1, .echoWake = true});
  UnitLink pulled(woken.unit, woken.unit.clock);
  EXPECT_EQ(pulled.Connect("/dev/ttyUSB0").status, LinkStatus::LineLost);
  EXPECT_EQ(woken.unit.SentBytes(), std::vector<std::uint8_t>{'X'});
  EXPECT_EQ(woken.unit.clock.NowMs(), kQuietLineMs);
  EXPECT_TRUE(pulled.LineLost());
  EXPECT_FALSE(pulled.Send('X'));
  EXPECT_EQ(pulled.Receive(kReplyTimeoutMs), kLineLost);
  EXPECT_FALSE(woken.unit.LineOpen());
}

struct OpenFailureCase {
  OpenStatus status;
  std::string mustSay;
};

class OpenFailures : public ::testing::TestWithParam<OpenFailureCase> {};

TEST_P(OpenFailures, SayErrorOpeningCommPortThenWhyAndOpenNothing) {
  LinkHarness h;
  h.unit.failOpenWith = GetParam().status;
  h.transfer.portPaths = {"/dev/ttyUSB7", "/dev/ttyS1"};
  UnitLink link(h.unit, h.unit.clock);
  const LinkResult result = link.Connect(h.transfer.PortPath());
  EXPECT_EQ(result.status, LinkStatus::OpenFailed);
  EXPECT_EQ(result.openStatus, GetParam().status);
  EXPECT_FALSE(link.IsOpen());
  EXPECT_TRUE(h.unit.wire.empty());
  EXPECT_TRUE(h.messages.shown.empty());

  EXPECT_EQ(TellFailure(h.transfer, OutcomeOf(result.status), result), UnitCommandOutcome::OpenFailed);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  const std::string& text = h.messages.shown[0].text;
  EXPECT_EQ(h.messages.shown[0].caption, "Error");
  EXPECT_TRUE(text.starts_with(GetParam().mustSay.empty() ? "Error Opening Comm Port" : "Error Opening Comm Port\n\n"))
      << text;
  if (!GetParam().mustSay.empty()) {
    EXPECT_NE(text.find("/dev/ttyUSB7"), std::string::npos) << text;
    EXPECT_NE(text.find(GetParam().mustSay), std::string::npos) << text;
  } else {
    EXPECT_EQ(text, "Error Opening Comm Port");
  }
}

INSTANTIATE_TEST_SUITE_P(Reasons, OpenFailures,
                         ::testing::Values(OpenFailureCase{OpenStatus::NoSuchDevice, "There is no device"},
                                           OpenFailureCase{OpenStatus::PermissionDenied, "dialout"},
                                           OpenFailureCase{OpenStatus::Busy, "another program"},
                                           OpenFailureCase{OpenStatus::Other, ""}),
                         // Named by reason: the raw bytes of the case would differ from run to run.
                         [](const ::testing::TestParamInfo<OpenFailureCase>& param) {
                           std::string name;
                           for (const char c : std::string(ToString(param.param.status))) {
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           }
                           return name;
                         });

}  // namespace
