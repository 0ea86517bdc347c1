// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a camera CSV file: the import makes exactly the entries
// a plain reference reader accepts, in order, never more than 10,900, and
// leaves every other byte of the image as 0xFF.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "database/CameraCsv.h"
#include "tests/support/ReferenceCsv.h"

namespace {

std::string ScratchFile() {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/zorvane-csv-fuzz-" + std::to_string(::getpid()) + ".csv";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = ScratchFile();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);

  auto incoming = std::make_unique<DatabaseImage>();
  const CsvImportResult result = ReadCameraCsv(path, *incoming);
  if (result.status != CsvImportStatus::Ok) std::abort();

  const std::vector<CameraEntry> expected =
      ReferenceCsvEntries(std::string_view(reinterpret_cast<const char*>(data), size));
  if (result.entries != static_cast<int>(expected.size()) || result.entries > kMaxImportEntries) std::abort();
  for (int i = 0; i < result.entries; ++i) {
    if (incoming->Entry(i) != expected[static_cast<std::size_t>(i)]) std::abort();
  }
  const std::size_t used = kDatabaseHeaderSize + kCameraEntrySize * static_cast<std::size_t>(result.entries);
  for (std::size_t i = 0; i < kDatabaseImageSize; ++i) {
    if ((i < kDatabaseHeaderSize || i >= used) && (*incoming)[i] != 0xFF) std::abort();
  }
  return 0;
}
