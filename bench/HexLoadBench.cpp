// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a HEX file of 60 KiB of firmware (about 170 KB of text) from disk.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "tests/support/HexBuilder.h"
#include "tests/support/TempDir.h"
#include "upgrade/HexLoader.h"

namespace {

void BM_LoadFirmwareHex60KiB(benchmark::State& state) {
  std::vector<std::uint8_t> data(60 * 1024);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 3);
  const TempDir dir;
  const std::string path = dir.Write("fw.hex", HexFileOf(0x0600, data, 32));
  auto image = std::make_unique<FirmwareBytes>();
  std::uint32_t highest = 0;
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    const HexLoadResult result = LoadFirmwareHex(file, *image, highest);
    std::fclose(file);
    if (!result.ok()) state.SkipWithError("the generated file did not load");
    benchmark::DoNotOptimize(image->data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

BENCHMARK(BM_LoadFirmwareHex60KiB)->Unit(benchmark::kMicrosecond);

}  // namespace
