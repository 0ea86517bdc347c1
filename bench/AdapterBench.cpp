// SPDX-License-Identifier: GPL-3.0-or-later
// Read, write and a 60 KiB upgrade through a USB-serial adapter's latency
// timer (0, 1 and 16 ms), each beside the time the adapter alone imposes.
// A read asks for the blocks that hold the unit's entries, so it is timed
// for units of 0, 600, 4,491 and 10,921 entries.
//
// The model. An adapter passes a byte of the PC's on with the next USB
// frame (1 ms), and the unit's answer to it at the first tick of its
// latency timer after that: a round trip is 2 ms at 1 ms, 16 ms at 16.
// A database block alternates strictly, so it costs one round trip per
// byte the unit sends (67 for a read block, 68 for a written one). An
// upgrade block is paced by the upload's own waits instead: each byte goes
// out when a byte has come in, or when its wait has run out (10 ms after
// an address byte, 1 ms after a data byte); the echoes that come at one
// tick end the waits of as many bytes at once, and the block ends when the
// answer to its checksum comes, a round trip after the checksum went. The
// model plays exactly that schedule through, block by block, without the
// program. Without an adapter the model is the wire time at 115200 baud,
// 10 bits a byte, both ways.
//
// Virtual time runs the program's own commands against the in-process unit;
// real time (the *Pty runs) against zorvane-unit --latency on a
// pseudo-terminal. Only the blocks are timed, not the quiet second of the
// drain.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "commands/UnitCommand.h"
#include "link/LinkConstants.h"
#include "link/TimeLeft.h"
#include "link/serial/QtSerialPort.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/LinkHarness.h"
#include "tests/support/UnitProcess.h"
#include "upgrade/UploadConstants.h"

namespace {

enum class Transfer { Read, Write, Upgrade };

constexpr std::uint32_t kUpgradeHighest = 0x600 + 60 * 1024 - 1;

// A USB frame to the unit, then the first tick after it.
double RoundTripMs(int latencyMs) {
  if (latencyMs == 0) return 0;
  return static_cast<double>((kUsbFrameMs / latencyMs + 1) * latencyMs);
}

double WireMs(double bytes) { return PlainLineMs(bytes); }

// When the unit's answer to a byte that reached it at `ms` reaches the PC:
// the first tick of the latency timer after it.
std::int64_t NextTick(std::int64_t ms, int latencyMs) { return (ms / latencyMs + 1) * latencyMs; }

// An upgrade's blocks through the adapter, from the upload's waits alone.
// Blocks start at a tick, as the answer before them came at one.
double UpgradeModelMs(int blocks, int latencyMs) {
  constexpr int kBytesBeforeChecksum = 2 + kUploadBlockSize;
  std::int64_t now = 0;
  for (int block = 0; block < blocks; ++block) {
    std::deque<std::int64_t> echoes;  // when each echo still to come reaches the PC
    for (int k = 0; k < kBytesBeforeChecksum; ++k) {
      echoes.push_back(NextTick(now + kUsbFrameMs, latencyMs));
      const std::int64_t waitEnds = now + (k < 2 ? kAddressEchoWaitMs : kDataEchoWaitMs);
      if (echoes.front() <= waitEnds) {
        now = std::max(now, echoes.front());
        echoes.pop_front();
      } else {
        now = waitEnds;
      }
    }
    now = NextTick(now + kUsbFrameMs, latencyMs);  // the answer, after every echo before it
  }
  return static_cast<double>(now);
}

// What the adapter alone imposes on the blocks of one transfer, in ms.
double ModelMs(Transfer transfer, int latencyMs, int readBlocks = kBlockCount) {
  const int blocks = transfer == Transfer::Upgrade ? UploadBlockCount(kUpgradeHighest)
                     : transfer == Transfer::Read  ? readBlocks
                                                   : kBlockCount;
  switch (transfer) {
    case Transfer::Read:
      return latencyMs == 0 ? WireMs(blocks * double{kReadBlockLineBytes}) : blocks * 67 * RoundTripMs(latencyMs);
    case Transfer::Write:
      return latencyMs == 0 ? WireMs(blocks * double{kWriteBlockLineBytes}) : blocks * 68 * RoundTripMs(latencyMs);
    case Transfer::Upgrade:
      return latencyMs == 0 ? WireMs(blocks * double{kUploadBlockLineBytes}) : UpgradeModelMs(blocks, latencyMs);
  }
  return 0;
}

std::unique_ptr<FirmwareBytes> UpgradeImage() {
  auto image = std::make_unique<FirmwareBytes>();
  for (std::size_t i = 0; i < image->size(); ++i) (*image)[i] = static_cast<std::uint8_t>(i * 13 + i / 251);
  return image;
}

UnitCommandOutcome RunTransfer(Transfer transfer, TransferContext& context, const DatabaseImage& image,
                               DatabaseImage& incoming, const FirmwareBytes& firmware) {
  std::uint32_t current = 0;
  switch (transfer) {
    case Transfer::Read: return TransferFromUnit(context, incoming, ReadExtent::WholeMemory);
    case Transfer::Write: return TransferToUnit(context, image);
    case Transfer::Upgrade: return UploadFirmware(context, firmware, kUpgradeHighest, current);
  }
  return UnitCommandOutcome::Cancelled;
}

void Report(benchmark::State& state, double programMs, double modelMs) {
  state.counters["program_s"] = programMs / 1000.0;
  state.counters["model_s"] = modelMs / 1000.0;
  state.counters["program_over_model"] = modelMs > 0 ? programMs / modelMs : 0;
}

// Virtual time: the clock the in-process unit moves, from the first block
// (progress Start) to the end.
class VirtualProgress : public TransferProgress {
 public:
  explicit VirtualProgress(const Clock& clock) : m_clock(clock) {}
  void Start(int) override { started = m_clock.NowMs(); }
  void Retotal(int) override {}
  void Step(int) override {}
  void Done() override { ended = m_clock.NowMs(); }
  void Failed() override { ended = m_clock.NowMs(); }
  std::int64_t started = 0, ended = 0;

 private:
  const Clock& m_clock;
};

// The transfer `run` makes against the in-process unit holding `image`,
// in virtual ms from its first block to its end; negative when it failed.
double VirtualMs(benchmark::State& state, UnitMode mode, const DatabaseImage& image, int latencyMs,
                 const std::function<UnitCommandOutcome(TransferContext&)>& run) {
  LinkHarness h(mode);
  h.unit.engine.Memory() = image;
  h.unit.SetLatency(latencyMs);
  VirtualProgress progress(h.unit.clock);
  TransferContext context{h.teller, h.unit, h.unit.clock, progress};
  const UnitCommandOutcome outcome = run(context);
  if (outcome != UnitCommandOutcome::Completed) {
    state.SkipWithError(ToString(outcome));
    return -1;
  }
  return static_cast<double>(progress.ended - progress.started);
}

void BM_AdapterVirtual(benchmark::State& state, Transfer transfer) {
  const int latencyMs = static_cast<int>(state.range(0));
  const auto image = std::make_unique<DatabaseImage>(ImageWith(DistinctEntries(5000, 3)));
  const auto firmware = UpgradeImage();
  auto incoming = std::make_unique<DatabaseImage>();
  double programMs = 0;
  for (auto _ : state) {
    programMs = VirtualMs(
        state, transfer == Transfer::Upgrade ? UnitMode::Bootloader : UnitMode::Database, *image, latencyMs,
        [&](TransferContext& context) { return RunTransfer(transfer, context, *image, *incoming, *firmware); });
    if (programMs < 0) return;
  }
  Report(state, programMs, ModelMs(transfer, latencyMs));
}

// Read from Unit of a unit holding range(0) entries: block 0, then the
// blocks up to its last entry.
void BM_AdapterVirtualRead(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  const int latencyMs = static_cast<int>(state.range(1));
  const auto image = std::make_unique<DatabaseImage>(ImageWith(DistinctEntries(entries, 3)));
  const int blocks = (8 + 6 * entries + kBlockSize - 1) / kBlockSize;
  auto incoming = std::make_unique<DatabaseImage>();
  double programMs = 0;
  for (auto _ : state) {
    programMs = VirtualMs(state, UnitMode::Database, *image, latencyMs,
                          [&](TransferContext& context) { return TransferFromUnit(context, *incoming); });
    if (programMs < 0) return;
  }
  state.counters["blocks"] = blocks;
  Report(state, programMs, ModelMs(Transfer::Read, latencyMs, blocks));
}

void EnsureQt() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "zorvane_bench";
  static char* argv[] = {name, nullptr};
  new QCoreApplication(argc, argv);
}

class WallProgress : public TransferProgress {
 public:
  using Steady = std::chrono::steady_clock;
  void Start(int) override { started = Steady::now(); }
  void Retotal(int) override {}
  void Step(int) override {}
  void Done() override { ended = Steady::now(); }
  void Failed() override { ended = Steady::now(); }
  double Ms() const { return std::chrono::duration<double, std::milli>(ended - started).count(); }
  Steady::time_point started, ended;
};

// Real time over a pseudo-terminal, the program's own serial line.
void BM_AdapterPty(benchmark::State& state, Transfer transfer) {
  EnsureQt();
  const int latencyMs = static_cast<int>(state.range(0));
  const auto image = std::make_unique<DatabaseImage>(ImageWith(DistinctEntries(5000, 3)));
  const auto firmware = UpgradeImage();
  double programMs = 0;
  for (auto _ : state) {
    std::vector<std::string> args = {"--latency", std::to_string(latencyMs)};
    if (transfer == Transfer::Upgrade) args.push_back("--bootloader");
    UnitProcess unit(args);
    if (!unit.Started()) {
      state.SkipWithError("zorvane-unit did not start");
      return;
    }
    RecordingMessageBox messages;
    QtSerialOpener opener;
    SteadyClock clock;
    WallProgress progress;
    MessageTeller teller(messages);
    TransferContext context{teller, opener, clock, progress};
    context.portPaths = {unit.Device(), unit.Device()};
    auto incoming = std::make_unique<DatabaseImage>();
    const UnitCommandOutcome outcome = RunTransfer(transfer, context, *image, *incoming, *firmware);
    if (outcome != UnitCommandOutcome::Completed) {
      state.SkipWithError(ToString(outcome));
      return;
    }
    programMs = progress.Ms();
    state.SetIterationTime(programMs / 1000.0);
  }
  Report(state, programMs, ModelMs(transfer, latencyMs));
}

BENCHMARK(BM_AdapterVirtualRead)
    ->ArgNames({"entries", "latency"})
    ->ArgsProduct({{0, 600, 4491, 10921}, {0, 1, 16}})
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_AdapterVirtual, Write, Transfer::Write)->Arg(0)->Arg(1)->Arg(16)->Iterations(1);
BENCHMARK_CAPTURE(BM_AdapterVirtual, Upgrade, Transfer::Upgrade)->Arg(0)->Arg(1)->Arg(16)->Iterations(1);
BENCHMARK_CAPTURE(BM_AdapterPty, Read, Transfer::Read)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AdapterPty, Write, Transfer::Write)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AdapterPty, Upgrade, Transfer::Upgrade)
    ->Arg(0)
    ->Arg(1)
    ->Arg(16)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
