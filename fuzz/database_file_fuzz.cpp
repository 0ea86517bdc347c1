// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a database file, read as Read from File reads it and
// merged into a held database drawn from the input's first bytes: the counts
// stay within what the file holds and the capacity, the held entries are
// unchanged byte for byte, nothing is written past the entries, and the
// merge gives what the nested scan gives.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "database/DatabaseFile.h"
#include "database/Merge.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/ReferenceMerge.h"

namespace {

std::string ScratchFile() {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/zorvane-db-fuzz-" + std::to_string(::getpid()) + ".bin";
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  // The held database: up to the full capacity, from a seed in the input,
  // sometimes sharing entries with the file so that matches happen.
  const int held = (data[0] << 8 | data[1]) % (kMaxDatabaseEntries + 1);
  const std::uint32_t seed = data[2] << 8 | data[3];
  data += 4;
  size -= 4;

  auto working = std::make_unique<DatabaseImage>(ImageWith(DistinctEntries(held, seed)));
  if (held > 0 && size >= 14) std::copy_n(data + 8, kCameraEntrySize, working->EntryBytes(0).begin());
  const auto before = std::make_unique<DatabaseImage>(*working);

  static const std::string path = ScratchFile();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Check(file != nullptr);
  if (size > 0) Check(std::fwrite(data, 1, size, file) == size);
  std::fclose(file);

  auto incoming = std::make_unique<DatabaseImage>();
  const DatabaseFileRead read = LoadDatabaseFile(path, *incoming);
  if (size == 0 || data[0] != 'U') {
    Check(read.status == DatabaseFileStatus::NotADatabase);
    return 0;
  }
  Check(read.status == DatabaseFileStatus::Ok);
  Check(read.bytesRead == std::min(size, kDatabaseImageSize));
  Check(incoming->Count() == read.entries && read.entries <= WholeEntriesIn(read.bytesRead));
  Check(read.entries <= kMaxDatabaseEntries);

  auto scratch = std::make_unique<DatabaseImage>();
  const MergeResult result = MergeIncoming(*working, *incoming, *scratch);
  Check(result.added >= 0 && result.leftOut >= 0 && result.added + result.leftOut <= read.entries);
  Check(working->Count() == held + result.added && working->Count() <= kMaxDatabaseEntries);
  const std::size_t heldEnd = kDatabaseHeaderSize + kCameraEntrySize * static_cast<std::size_t>(held);
  const std::size_t newEnd = heldEnd + kCameraEntrySize * static_cast<std::size_t>(result.added);
  Check(std::memcmp(working->data() + 5, before->data() + 5, heldEnd - 5) == 0);
  Check(std::memcmp(working->data() + newEnd, before->data() + newEnd, kDatabaseImageSize - newEnd) == 0);

  // The nested scan is slow on large pairs; the checks above hold for those.
  if (static_cast<long>(held) * read.entries > 2'000'000) return 0;
  auto reference = std::make_unique<DatabaseImage>(*before);
  auto referenceScratch = std::make_unique<DatabaseImage>();
  Check(ReferenceMergeIncoming(*reference, *incoming, *referenceScratch) == result);
  Check(*reference == *working);
  return 0;
}
