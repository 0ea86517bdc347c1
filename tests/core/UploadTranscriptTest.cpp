// SPDX-License-Identifier: GPL-3.0-or-later
// The upload as the unit sees it, byte for byte and millisecond for
// millisecond, against transcripts kept in tests/golden/upload/. A unit
// whose echoes come in time, and one that sends none, must get exactly
// these bytes at exactly these moments, whatever the upload learns about
// late echoes. ZORVANE_UPDATE_GOLDEN=1 writes the transcripts anew.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "commands/UnitCommand.h"
#include "tests/support/LinkHarness.h"
#include "tests/support/SourceTree.h"

namespace {

struct TranscriptCase {
  const char* name;
  UnitFaults faults;
  std::uint32_t highest;
};

// "S 06 @1000" sent, "R 06 @1000" received, "- @1010" a receive that timed out.
std::string Transcript(const std::vector<WireEvent>& wire) {
  std::ostringstream out;
  for (const WireEvent& e : wire) {
    char line[32];
    if (e.kind == WireEvent::Silence) {
      std::snprintf(line, sizeof line, "- @%lld\n", static_cast<long long>(e.atMs));
    } else {
      std::snprintf(line, sizeof line, "%c %02X @%lld\n", e.kind == WireEvent::Sent ? 'S' : 'R', e.byte,
                    static_cast<long long>(e.atMs));
    }
    out << line;
  }
  return out.str();
}

class UploadTranscript : public ::testing::TestWithParam<TranscriptCase> {};

TEST_P(UploadTranscript, IsTheKeptOneExactly) {
  const TranscriptCase& c = GetParam();
  LinkHarness h(UnitMode::Bootloader, c.faults);
  auto image = std::make_unique<FirmwareBytes>();
  for (std::size_t i = 0; i < image->size(); ++i) (*image)[i] = static_cast<std::uint8_t>(i * 7 + 3);
  std::uint32_t current = 0;
  UploadFirmware(h.transfer, *image, c.highest, current);
  const std::string actual = Transcript(h.unit.wire);

  const std::string path = SourceFile(std::string("tests/golden/upload/") + c.name + ".txt");
  if (std::getenv("ZORVANE_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << actual;
  }
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << path;
  std::ostringstream expected;
  expected << file.rdbuf();
  EXPECT_TRUE(expected.str() == actual) << "the upload's transcript changed: " << c.name;
}

const TranscriptCase kTranscripts[] = {
    {"echoes_in_time", {}, 0x6BF},
    {"no_echoes", {.neverEcho = true}, 0x6BF},
    {"refused_twice", {.nakFirstBlocks = 2}, 0x67F},
    {"no_echoes_refused_twice", {.nakFirstBlocks = 2, .neverEcho = true}, 0x67F},
    {"silent_after_first_block", {.silentAfterBytes = 1 + 67 + 30}, 0x67F},
    {"no_end_answer", {.noEndAnswer = true}, 0x63F},
    {"nothing_to_send", {}, 0x5FF},
};

INSTANTIATE_TEST_SUITE_P(Units, UploadTranscript, ::testing::ValuesIn(kTranscripts),
                         [](const ::testing::TestParamInfo<TranscriptCase>& p) { return std::string(p.param.name); });

}  // namespace
