// Upgrade Unit S/W against a bootloader whose answers the fuzzer changes or
// loses, in virtual time: the upload always ends within its bounds, with one
// of its outcomes and the line closed, and "Finished ok." only follows an
// upload in which every block was acknowledged.
#include <memory>

#include "fuzz/FuzzedUnit.h"
#include "resources/Strings.h"
#include "upgrade/UpgradeUnit.h"
#include "upgrade/UploadConstants.h"

namespace {
constexpr int kBlocks = 4;
constexpr std::uint32_t kHighest = 0x600 + kBlocks * 64 - 1;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto fuzzed = std::make_unique<FuzzedUnit>(UnitMode::Bootloader, data, size);
  LinkHarness& h = fuzzed->harness;
  static const auto firmware = [] {
    auto image = std::make_unique<FirmwareBytes>();
    for (std::size_t i = 0; i < image->size(); ++i) (*image)[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
  }();
  std::uint32_t current = 0;

  const UnitCommandOutcome outcome = UploadFirmware(h.context, *firmware, kHighest, current);

  FuzzedUnit::Check(!h.unit.LineOpen(), "!h.unit.LineOpen()");
  // A sending is 67 receives and may first drop what is waiting.
  const std::size_t receives = h.unit.Count(WireEvent::Received) + h.unit.Count(WireEvent::Silence);
  FuzzedUnit::Check(receives <= 10'000 / 50 + 10 + 5 + kBlocks * 11 * (67 + 256) + 2 + 256, "receives <= 10'000 / 50 + 10 + 5 + kBlocks * 11 * (67 + 256) + 2 + 256");
  FuzzedUnit::Check(h.unit.clock.NowMs() <= 11'000 + 5'000 + kBlocks * 11 * 1'100 + 1'100, "h.unit.clock.NowMs() <= 11'000 + 5'000 + kBlocks * 11 * 1'100 + 1'100");
  const std::string& last = h.messages.shown.back().text;
  switch (outcome) {
    case UnitCommandOutcome::Completed:
      FuzzedUnit::Check(last == kMsgUpgradeFinished, "last == kMsgUpgradeFinished");
      if (fuzzed->changedBytes == 0) {
        FuzzedUnit::Check(std::equal(firmware->begin() + 0x600, firmware->begin() + kHighest + 1,
                                     h.unit.engine.Memory().data() + 0x600), "std::equal(firmware->begin() + 0x600, firmware->begin() + kHighest + 1,                                      h.unit.engine.Memory().data() + 0x600)");
      }
      break;
    case UnitCommandOutcome::TimedOut:
    case UnitCommandOutcome::NotConfirmed:
      FuzzedUnit::Check(last == kMsgUpgradeNotConfirmed, "last == kMsgUpgradeNotConfirmed");
      break;
    case UnitCommandOutcome::NoResponse:
    case UnitCommandOutcome::LineNeverQuiet:
      FuzzedUnit::Check(h.messages.shown.back().caption == kCaptionError, "h.messages.shown.back().caption == kCaptionError");
      break;
    default:
      std::abort();
  }
  return 0;
}
