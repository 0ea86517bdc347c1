// SPDX-License-Identifier: GPL-3.0-or-later
// Upgrade Unit S/W, the command the window runs, from its HEX file on,
// against a bootloader whose answers the fuzzer changes or loses and whose
// adapter it may pull out, behind a USB-serial adapter whose latency timer
// and late echoes the fuzzer picks too, in virtual time: the upload always
// ends within its bounds, with one of its outcomes and the line closed;
// "Finished ok." only follows an upload in which every block was
// acknowledged; a healthy bootloader heard as it spoke gets every block
// exactly once, however late its echoes come; a pulled adapter is a lost
// line.
//
// Input: the unit's fault (byte 0), the adapter's latency in ms (byte 1,
// mod 33), how late the unit's bytes may come in ms (byte 2, mod 64) and a
// seed for how late each one comes (bytes 3 and 4); then the events of
// FuzzedUnit.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "commands/UnitCommand.h"
#include "fuzz/FuzzedUnit.h"
#include "resources/Strings.h"
#include "tests/support/HexBuilder.h"
#include "upgrade/UploadConstants.h"

namespace {

constexpr int kBlocks = 4;
constexpr std::uint32_t kHighest = 0x600 + kBlocks * 64 - 1;
constexpr int kMaxLatencyMs = 32;
constexpr int kMaxLateMs = 63;

// How late each byte the unit sends comes, drawn from the input's seed.
class Lateness {
 public:
  Lateness(std::uint32_t seed, int maxMs) : m_state(seed | 1u), m_range(static_cast<std::uint32_t>(maxMs) + 1) {}
  int Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return static_cast<int>(m_state % m_range);
  }

 private:
  std::uint32_t m_state;
  std::uint32_t m_range;
};

// The file the dialog names, written once: the blocks' bytes from 0x600 up.
struct HexFileOnDisk {
  HexFileOnDisk() {
    std::vector<std::uint8_t> bytes(kBlocks * 64);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>((0x600 + i) * 7 + 3);
    const char* dir = std::getenv("TMPDIR");
    path = std::string(dir ? dir : "/tmp") + "/zorvane-upgrade-fuzz-" + std::to_string(::getpid()) + ".hex";
    std::ofstream(path, std::ios::binary) << HexFileOf(0x600, bytes);
  }
  ~HexFileOnDisk() { std::remove(path.c_str()); }
  std::string path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  UnitInput input(data, size);
  auto fuzzed = std::make_unique<FuzzedUnit>(UnitMode::Bootloader, input);
  LinkHarness& h = fuzzed->harness;
  const int latencyMs = input.Next() % (kMaxLatencyMs + 1);
  const int lateMs = input.Next() % (kMaxLateMs + 1);
  const std::uint32_t seed = input.Next() | static_cast<std::uint32_t>(input.Next()) << 8;
  Lateness lateness(seed, lateMs);
  h.unit.SetLatency(latencyMs);
  if (lateMs > 0) h.unit.lateBy = [&lateness](std::uint8_t) { return lateness.Next(); };

  static const HexFileOnDisk hexFile;
  h.prompt.answers = {hexFile.path};
  auto firmware = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 0;
  std::uint32_t current = 0;

  const UnitCommandOutcome outcome = UpgradeUnitCommand(h.command, {*firmware, highest, current});
  FuzzedUnit::Check(highest == kHighest, "the file is loaded whole");

  FuzzedUnit::Check(!h.unit.LineOpen(), "!h.unit.LineOpen()");
  // A sending is 67 receives and may first drop what is waiting.
  const std::size_t receives = h.unit.Count(WireEvent::Received) + h.unit.Count(WireEvent::Silence);
  FuzzedUnit::Check(receives <= 10'000 / 50 + 10 + 5 + kBlocks * 11 * (67 + 256) + 2 + 256,
                    "receives <= 10'000 / 50 + 10 + 5 + kBlocks * 11 * (67 + 256) + 2 + 256");
  // Each wait for an answer ends at most a second after the last byte in;
  // an adapter and late bytes add their delay to each sending.
  const std::int64_t perSending = 1'200 + kMaxLatencyMs + kMaxLateMs;
  FuzzedUnit::Check(h.unit.clock.NowMs() <= 11'000 + 5'000 + kBlocks * 11 * perSending + 2 * perSending,
                    "the upload's waits are bounded");
  if (fuzzed->adapterPulled)
    FuzzedUnit::Check(outcome == UnitCommandOutcome::LineLost, "a pulled adapter is a lost line");
  if (fuzzed->Healthy() && fuzzed->Untouched()) {
    FuzzedUnit::Check(outcome == UnitCommandOutcome::Completed, "a healthy bootloader is upgraded");
    FuzzedUnit::Check(h.unit.Count(WireEvent::Sent) == 1 + kBlocks * 67 + 2, "every block goes out exactly once");
  }
  const std::string& last = h.messages.shown.back().text;
  switch (outcome) {
    case UnitCommandOutcome::Completed:
      FuzzedUnit::Check(last == kMsgUpgradeFinished, "last == kMsgUpgradeFinished");
      if (fuzzed->changedBytes == 0) {
        FuzzedUnit::Check(std::equal(firmware->begin() + 0x600, firmware->begin() + kHighest + 1,
                                     h.unit.engine.Memory().data() + 0x600),
                          "the bootloader holds every block as sent");
      }
      break;
    case UnitCommandOutcome::TimedOut:
    case UnitCommandOutcome::NotConfirmed:
      FuzzedUnit::Check(last == kMsgUpgradeNotConfirmed, "last == kMsgUpgradeNotConfirmed");
      break;
    case UnitCommandOutcome::NoResponse:
    case UnitCommandOutcome::LineNeverQuiet:
    case UnitCommandOutcome::LineLost:
      FuzzedUnit::Check(h.messages.shown.back().caption == kCaptionError,
                        "h.messages.shown.back().caption == kCaptionError");
      break;
    default: std::abort();
  }
  return 0;
}
