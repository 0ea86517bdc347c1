// SPDX-License-Identifier: GPL-3.0-or-later
// The emulated USB-serial adapter: when the unit's bytes reach the program,
// and when the program's reach the unit, in virtual time.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "link/LinkConstants.h"
#include "tests/support/InProcessUnit.h"

namespace {

class Adapter : public ::testing::Test {
 protected:
  void Connect(int latencyMs, UnitMode mode = UnitMode::Database) {
    unit = std::make_unique<InProcessUnit>(mode);
    unit->SetLatency(latencyMs);
    stream = std::move(unit->Open("usb").stream);
  }
  // When (virtual ms) each of the unit's answers reached the program.
  std::vector<std::int64_t> ArrivalTimes() const {
    std::vector<std::int64_t> times;
    for (const WireEvent& e : unit->wire) {
      if (e.kind == WireEvent::Received) times.push_back(e.atMs);
    }
    return times;
  }

  std::unique_ptr<InProcessUnit> unit;
  std::unique_ptr<SerialStream> stream;
};

struct RoundTripCase {
  int latencyMs;
  std::int64_t answerAt;  // for an 'X' sent at 0
};

class AdapterRoundTrip : public Adapter, public ::testing::WithParamInterface<RoundTripCase> {};

// One frame to the unit, then the first tick after its answer.
TEST_P(AdapterRoundTrip, AnswerWaitsForTheFrameAndTheNextTick) {
  Connect(GetParam().latencyMs);
  stream->Send(kWakeRequest);
  EXPECT_EQ(stream->Receive(1000), kWakeAnswer);
  EXPECT_EQ(unit->clock.NowMs(), GetParam().answerAt);
}

INSTANTIATE_TEST_SUITE_P(Latencies, AdapterRoundTrip,
                         ::testing::Values(RoundTripCase{0, 0}, RoundTripCase{1, 2}, RoundTripCase{4, 4},
                                           RoundTripCase{16, 16}));

TEST_F(Adapter, AnAnswerDueAfterTheTimeoutIsSilenceThenArrivesLater) {
  Connect(16);
  stream->Send(kWakeRequest);
  EXPECT_EQ(stream->Receive(10), kReceiveTimeout);
  EXPECT_EQ(unit->clock.NowMs(), 10);
  EXPECT_EQ(stream->Receive(10), kWakeAnswer);
  EXPECT_EQ(unit->clock.NowMs(), 16);
}

TEST_F(Adapter, BytesThatCameInBetweenTicksArriveTogether) {
  Connect(16, UnitMode::Bootloader);
  stream->Send(kWakeRequest);
  ASSERT_EQ(stream->Receive(1000), kWakeAnswer);  // at 16
  // Address and data bytes 1 ms apart: each is echoed, and the echoes wait
  // for the ticks at 32 and 48.
  for (int k = 0; k < 20; ++k) {
    stream->Send(static_cast<std::uint8_t>(k == 0 ? 0x06 : 0x10 + k));
    stream->Receive(1);
  }
  while (stream->Receive(100) != kReceiveTimeout) {
  }
  const std::vector<std::int64_t> times = ArrivalTimes();
  ASSERT_EQ(times.size(), 21u);
  for (std::size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i] % 16, 0) << "byte " << i;
  EXPECT_EQ(times[1], 32);
  EXPECT_EQ(times.back(), 48);
}

TEST_F(Adapter, ALateUnitDelaysItsBytesInOrder) {
  unit = std::make_unique<InProcessUnit>(UnitMode::Bootloader);
  unit->SetLatency(4);
  int calls = 0;
  // The first echo is 30 ms late; the second, due at once, must not pass it.
  unit->lateBy = [&calls](std::uint8_t) { return ++calls == 2 ? 30 : 0; };
  stream = std::move(unit->Open("usb").stream);
  stream->Send(kWakeRequest);
  ASSERT_EQ(stream->Receive(1000), kWakeAnswer);
  stream->Send(0x06);
  stream->Send(0x00);
  EXPECT_EQ(stream->Receive(1000), 0x06);
  EXPECT_EQ(unit->clock.NowMs(), 36);  // sent by the unit at 5, held to 35, tick at 36
  EXPECT_EQ(stream->Receive(0), 0x00);
}

TEST_F(Adapter, AWholeReadBlockCostsOneRoundTripPerByte) {
  Connect(16);
  stream->Send(kWakeRequest);
  ASSERT_EQ(stream->Receive(1000), kWakeAnswer);
  const std::int64_t start = unit->clock.NowMs();
  for (std::uint8_t byte : {kReadBlockCommand, std::uint8_t{0}, std::uint8_t{0}}) {
    stream->Send(byte);
    ASSERT_NE(stream->Receive(1000), kReceiveTimeout);
  }
  for (int k = 0; k < kBlockSize; ++k) {
    const int data = stream->Receive(1000);
    ASSERT_NE(data, kReceiveTimeout);
    stream->Send(static_cast<std::uint8_t>(data));
  }
  ASSERT_NE(stream->Receive(1000), kReceiveTimeout);
  // 'R', high and low; the first data byte comes with the echo of low, each
  // later one and the checksum after the program's echo: 67 round trips.
  EXPECT_EQ(unit->clock.NowMs() - start, 67 * 16);
  EXPECT_EQ(unit->engine.Stats().echoMismatches, 0);
}

}  // namespace
