// SPDX-License-Identifier: GPL-3.0-or-later
// Soak: many write/read cycles against zorvane-unit over pseudo-terminals,
// all in this one process, through the program's own serial backend. Each
// round trip must give back what was written; afterwards the resident
// memory must not have grown by 1 MiB or more since the first cycles, and
// no file descriptor may be left open.
//
//   zorvane_soak [--cycles N] [--lanes K]     (defaults: 200 cycles, 4 lanes)
//
// The lanes run side by side, each with its own zorvane-unit, because every
// cycle is mostly waiting on the line; the cycles are counted together.
#include <dirent.h>
#include <unistd.h>

#include <QThread>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "commands/UnitCommand.h"
#include "link/serial/QtSerialPort.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/UnitProcess.h"

namespace {

constexpr int kMeasureAfter = 10;
constexpr long kAllowedGrowthKiB = 1024;

long ResidentKiB() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = ::opendir("/proc/self/fd")) {
    while (const dirent* entry = ::readdir(dir)) count += entry->d_name[0] != '.' ? 1 : 0;
    ::closedir(dir);
    --count;  // the one opendir holds
  }
  return count;
}

// What a lane's line did last, told when a cycle fails: where in the
// transfer it stopped and whether the unit was really silent.
struct LineWatch {
  int blocksDone = 0;
  int blocksTotal = 0;
  long sent = 0;
  long received = 0;
  int lastSent = -1;
  int lastReceived = -1;
  long lastWaitMs = 0;  // how long the last receive that gave nothing took

  std::string Describe() const {
    char text[200];
    std::snprintf(text, sizeof text,
                  "block %d of %d, %ld bytes sent and %ld received since the port opened, last sent 0x%02X, "
                  "last received 0x%02X, the last empty receive took %ld ms",
                  blocksDone, blocksTotal, sent, received, lastSent & 0xFF, lastReceived & 0xFF, lastWaitMs);
    return text;
  }
};

class WatchedStream : public SerialStream {
 public:
  WatchedStream(std::unique_ptr<SerialStream> inner, LineWatch& watch) : m_inner(std::move(inner)), m_watch(watch) {}
  bool Send(std::uint8_t byte) override {
    ++m_watch.sent;
    m_watch.lastSent = byte;
    return m_inner->Send(byte);
  }
  int Receive(int timeoutMs) override {
    const auto started = std::chrono::steady_clock::now();
    const int got = m_inner->Receive(timeoutMs);
    if (got >= 0) {
      ++m_watch.received;
      m_watch.lastReceived = got;
    } else {
      m_watch.lastWaitMs = static_cast<long>(
          std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count());
    }
    return got;
  }

 private:
  std::unique_ptr<SerialStream> m_inner;
  LineWatch& m_watch;
};

class WatchedOpener : public SerialOpener {
 public:
  explicit WatchedOpener(LineWatch& watch) : m_watch(watch) {}
  OpenResult Open(const std::string& path) override {
    OpenResult result = m_opener.Open(path);
    m_watch.sent = m_watch.received = 0;
    if (result.stream) result.stream = std::make_unique<WatchedStream>(std::move(result.stream), m_watch);
    return result;
  }

 private:
  QtSerialOpener m_opener;
  LineWatch& m_watch;
};

class WatchedProgress : public TransferProgress {
 public:
  explicit WatchedProgress(LineWatch& watch) : m_watch(watch) {}
  void Start(int total) override {
    m_watch.blocksTotal = total;
    m_watch.blocksDone = 0;
  }
  void Retotal(int total) override { m_watch.blocksTotal = total; }
  void Step(int done) override { m_watch.blocksDone = done; }
  void Done() override {}
  void Failed() override {}

 private:
  LineWatch& m_watch;
};

struct Shared {
  int target = 0;  // cycles to reach in the running phase
  std::atomic<int> done{0};
  std::atomic<int> failures{0};
  std::mutex print;
};

void Lane(Shared& shared, const std::string& device, int lane) {
  RecordingMessageBox messages;
  LineWatch watch;
  WatchedOpener opener(watch);
  SteadyClock clock;
  WatchedProgress progress(watch);
  MessageTeller teller(messages);
  TransferContext context{teller, opener, clock, progress};
  context.portPaths = {device, device};

  const auto working = std::make_unique<DatabaseImage>(
      ImageWith(DistinctEntries(500 + 100 * lane, static_cast<std::uint32_t>(lane + 1), lane)));
  const auto incoming = std::make_unique<DatabaseImage>();
  int cycle;
  (void)cycle;
  while ((cycle = shared.done.load()) < shared.target && shared.failures.load() == 0) {
    incoming->Fill(0);
    const UnitCommandOutcome wrote = TransferToUnit(context, *working);
    const UnitCommandOutcome read = TransferFromUnit(context, *incoming);
    const bool ok = wrote == UnitCommandOutcome::Completed && read == UnitCommandOutcome::Completed &&
                    *incoming == *working && messages.shown.empty();
    if (!ok) {
      std::lock_guard<std::mutex> lock(shared.print);
      std::fprintf(stderr, "soak: lane %d failed: write %s, read %s, %s\nsoak: where: %s\n", lane, ToString(wrote),
                   ToString(read), messages.shown.empty() ? "no message" : messages.shown.back().text.c_str(),
                   watch.Describe().c_str());
      ++shared.failures;
      return;
    }
    const int finished = ++shared.done;
    if (finished % 20 == 0) {
      std::lock_guard<std::mutex> lock(shared.print);
      std::printf("soak: %d cycles, resident %ld KiB, %d descriptors\n", finished, ResidentKiB(), OpenDescriptors());
      std::fflush(stdout);
    }
  }
}

}  // namespace

// Runs the lanes until `target` cycles are done in all, then joins them, so
// that nothing of a transfer is open when memory and descriptors are counted.
void RunPhase(Shared& shared, const std::vector<std::unique_ptr<UnitProcess>>& units, int target) {
  shared.target = target;
  std::vector<std::unique_ptr<QThread>> threads;
  for (std::size_t lane = 0; lane < units.size(); ++lane) {
    const std::string device = units[lane]->Device();
    threads.emplace_back(QThread::create([&shared, device, lane] { Lane(shared, device, static_cast<int>(lane)); }));
    threads.back()->start();
  }
  for (auto& thread : threads) thread->wait();
}

int main(int argc, char** argv) {
  Shared shared;
  int cycles = 200;
  int lanes = 4;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--cycles") == 0) cycles = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--lanes") == 0) lanes = std::atoi(argv[i + 1]);
  }
  if (cycles <= kMeasureAfter || lanes < 1) {
    std::fprintf(stderr, "usage: zorvane_soak [--cycles N>%d] [--lanes K>=1]\n", kMeasureAfter);
    return 2;
  }

  std::vector<std::unique_ptr<UnitProcess>> units;
  for (int lane = 0; lane < lanes; ++lane) {
    units.push_back(std::make_unique<UnitProcess>());
    if (!units.back()->Started()) {
      std::fprintf(stderr, "soak: zorvane-unit did not start\n");
      return 1;
    }
  }

  RunPhase(shared, units, kMeasureAfter);
  const int firstCycles = shared.done.load();
  const long first = ResidentKiB();
  const int descriptorsFirst = OpenDescriptors();
  RunPhase(shared, units, cycles);
  const long last = ResidentKiB();
  const int descriptorsLast = OpenDescriptors();
  units.clear();

  std::printf(
      "soak: %d cycles in %d lanes; resident after %d cycles %ld KiB, after the last %ld KiB (%+ld KiB); "
      "descriptors %d then %d\n",
      shared.done.load(), lanes, firstCycles, first, last, last - first, descriptorsFirst, descriptorsLast);
  if (shared.failures.load() > 0 || shared.done.load() < cycles) {
    std::printf("soak: FAILED: a cycle did not round-trip\n");
    return 1;
  }
  if (last - first >= kAllowedGrowthKiB) {
    std::printf("soak: FAILED: memory grew by %ld KiB\n", last - first);
    return 1;
  }
  if (descriptorsLast != descriptorsFirst) {
    std::printf("soak: FAILED: %d file descriptors left open\n", descriptorsLast - descriptorsFirst);
    return 1;
  }
  std::printf("soak: ok\n");
  return 0;
}
