// SPDX-License-Identifier: GPL-3.0-or-later
// The unit link over a pseudo-terminal: a full read, a full write and a
// firmware upgrade against zorvane-unit, in microseconds per byte exchanged (sent plus received),
// beside a plain poll/read/write echo loop over a pseudo-terminal measured in
// the same run. Only the block transfer is timed, not the connection's quiet
// second of draining.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <memory>
#include <thread>

#include "commands/UnitCommand.h"
#include "link/serial/QtSerialPort.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/UnitProcess.h"
#include "user/MessageBox.h"

namespace {

using Clock = std::chrono::steady_clock;

// Times the transfer from its first block to its last.
class TimedProgress : public TransferProgress {
 public:
  void Start(int) override { started = Clock::now(); }
  void Retotal(int) override {}
  void Step(int) override {}
  void Done() override { ended = Clock::now(); }
  void Failed() override { ended = Clock::now(); }
  double Seconds() const { return std::chrono::duration<double>(ended - started).count(); }
  Clock::time_point started, ended;
};

void EnsureQt() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "zorvane_bench";
  static char* argv[] = {name, nullptr};
  new QCoreApplication(argc, argv);
}

// Bytes on the wire per full transfer, both ways, after the handshake.
constexpr double kReadBytes = 1024.0 * (67 + 68) + 1;
constexpr double kWriteBytes = 1024.0 * (68 + 68) + 1;

template <bool kRead>
void BM_LinkOverPty(benchmark::State& state) {
  EnsureQt();
  UnitProcess unit;
  if (!unit.Started()) {
    state.SkipWithError("zorvane-unit did not start");
    return;
  }
  RecordingMessageBox messages;
  QtSerialOpener opener;
  SteadyClock clock;
  TimedProgress progress;
  MessageTeller teller(messages);
  TransferContext context{teller, opener, clock, progress};
  context.portPaths = {unit.Device(), unit.Device()};
  const auto image = std::make_unique<DatabaseImage>(ImageWith(DistinctEntries(5000, 3)));
  auto incoming = std::make_unique<DatabaseImage>();
  double seconds = 0;
  for (auto _ : state) {
    const UnitCommandOutcome outcome =
        kRead ? TransferFromUnit(context, *incoming, ReadExtent::WholeMemory) : TransferToUnit(context, *image);
    if (outcome != UnitCommandOutcome::Completed) {
      state.SkipWithError(ToString(outcome));
      return;
    }
    state.SetIterationTime(progress.Seconds());
    seconds += progress.Seconds();
  }
  const double bytes = (kRead ? kReadBytes : kWriteBytes) * static_cast<double>(state.iterations());
  state.counters["us_per_byte"] = seconds * 1e6 / bytes;
}

// A 60 KiB upgrade against zorvane-unit --bootloader, which echoes every
// byte: the echo waits then end at the echo, not at their 1 or 10 ms. A
// fresh unit for each run, since a bootloader takes one upload.
void BM_UpgradeOverPty(benchmark::State& state) {
  EnsureQt();
  auto image = std::make_unique<FirmwareBytes>();
  for (std::size_t i = 0; i < image->size(); ++i) (*image)[i] = static_cast<std::uint8_t>(i * 13 + i / 251);
  const std::uint32_t highest = 0x600 + 60 * 1024 - 1;
  RecordingMessageBox messages;
  QtSerialOpener opener;
  SteadyClock clock;
  TimedProgress progress;
  double seconds = 0;
  for (auto _ : state) {
    UnitProcess unit({"--bootloader"});
    if (!unit.Started()) {
      state.SkipWithError("zorvane-unit did not start");
      return;
    }
    MessageTeller teller(messages);
    TransferContext context{teller, opener, clock, progress};
    context.portPaths = {unit.Device(), unit.Device()};
    std::uint32_t current = 0;
    const UnitCommandOutcome outcome = UploadFirmware(context, *image, highest, current);
    if (outcome != UnitCommandOutcome::Completed) {
      state.SkipWithError(ToString(outcome));
      return;
    }
    state.SetIterationTime(progress.Seconds());
    seconds += progress.Seconds();
  }
  state.counters["ms_per_block"] =
      seconds * 1e3 / (UploadBlockCount(highest) * static_cast<double>(state.iterations()));
}

// One byte out, the same byte back, over a raw pseudo-terminal: the floor a
// strictly alternating protocol can reach on this machine.
void BM_PlainPtyEchoLoop(benchmark::State& state) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ::grantpt(master);
  ::unlockpt(master);
  termios raw{};
  ::tcgetattr(master, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(master, TCSANOW, &raw);
  const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
  std::thread echo([master] {
    unsigned char byte = 0;
    while (true) {
      pollfd fd{master, POLLIN, 0};
      if (::poll(&fd, 1, -1) <= 0 || ::read(master, &byte, 1) != 1) return;
      if (byte == 0xFF) return;
      if (::write(master, &byte, 1) != 1) return;
    }
  });
  constexpr int kRoundTrips = 20000;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    unsigned char byte = 0;
    for (int i = 0; i < kRoundTrips; ++i) {
      byte = static_cast<unsigned char>(i % 200);
      if (::write(slave, &byte, 1) != 1) break;
      pollfd fd{slave, POLLIN, 0};
      ::poll(&fd, 1, 1000);
      if (::read(slave, &byte, 1) != 1) break;
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(elapsed);
    seconds += elapsed;
  }
  const unsigned char stop = 0xFF;
  if (::write(slave, &stop, 1) != 1) ::close(master);
  echo.join();
  ::close(slave);
  ::close(master);
  state.counters["us_per_byte"] = seconds * 1e6 / (2.0 * kRoundTrips * static_cast<double>(state.iterations()));
}

BENCHMARK(BM_PlainPtyEchoLoop)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_TEMPLATE(BM_LinkOverPty, true)
    ->Name("BM_LinkRead")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_TEMPLATE(BM_LinkOverPty, false)
    ->Name("BM_LinkWrite")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_UpgradeOverPty)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
