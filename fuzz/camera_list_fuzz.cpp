// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a camera list in any format (the first byte picks the
// format and the reading options). The readers are checked against each
// other: whatever positions one gives go out through every writer and come
// back through every reader unchanged (OV2 in an order of its own), and a
// CSV list gives in its first 10,900 entries exactly what the window's
// import makes of the same file.
// A reader may refuse the bytes as Malformed, but then it gives nothing.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>

#include "commands/ListMistakes.h"
#include "database/CameraCsv.h"
#include "database/CameraFilter.h"
#include "database/qt/CameraListReader.h"
#include "database/qt/CameraListWriter.h"

namespace {

constexpr ListFormat kFormats[] = {ListFormat::Csv,     ListFormat::Gpx, ListFormat::Kml,
                                   ListFormat::GeoJson, ListFormat::Osm, ListFormat::Ov2};

std::string ScratchFile() {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/zorvane-list-fuzz-" + std::to_string(::getpid()) + ".txt";
}

void WriteScratch(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
  std::fclose(file);
}

ListReadResult ReadAs(const std::string& path, std::string_view bytes, ListFormat format,
                      const ListReadOptions& options) {
  if (format != ListFormat::Csv) return ReadCameraListBytes(bytes, format, options);
  WriteScratch(path, bytes);
  return ReadCameraList(path, format, options);
}

void CheckList(const ListReadResult& read) {
  if (read.status == ListReadStatus::Malformed) {
    const bool placed = read.offset >= 0 || (read.line >= 1 && read.column >= 1);
    if (!read.list.entries.empty() || read.detail.empty() || !placed) std::abort();
    return;
  }
  if (read.status != ListReadStatus::Ok) std::abort();
  const CameraList& list = read.list;
  if (list.skipped < static_cast<int>(list.firstSkipped.size()) || list.firstSkipped.size() > kSkippedLinesKept) {
    std::abort();
  }
  for (const CameraEntry& entry : list.entries) {
    if (std::abs(entry.latitude) > 90 * kUnitsPerDegree || std::abs(entry.longitude) > 180 * kUnitsPerDegree) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = ScratchFile();
  if (size == 0) return 0;
  const ListFormat format = kFormats[(data[0] & 0x0F) % std::size(kFormats)];
  const ListReadOptions options{.allPoints = (data[0] & 0x10) != 0, .latitudeFirst = (data[0] & 0x20) != 0};
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  const ListReadResult read = ReadAs(path, bytes, format, options);
  CheckList(read);
  const std::vector<CameraEntry>& entries = read.list.entries;
  FindListMistakes(entries, read.list.spreadsheetItems, read.list.headerHoldsPosition);
  CameraFilter filter;
  filter.near = CameraEntry{309000, -600};
  filter.max = 7;
  if (ApplyFilter(entries, filter).size() != std::min<std::size_t>(entries.size(), 7)) std::abort();

  if (format == ListFormat::Csv && !options.latitudeFirst) {
    auto incoming = std::make_unique<DatabaseImage>();
    const CsvImportResult window = ReadCameraCsv(path, *incoming);
    if (window.status != CsvImportStatus::Ok) std::abort();
    if (static_cast<std::size_t>(window.entries) != std::min<std::size_t>(entries.size(), kMaxImportEntries)) {
      std::abort();
    }
    for (int i = 0; i < window.entries; ++i) {
      if (incoming->Entry(i) != entries[static_cast<std::size_t>(i)]) std::abort();
    }
  }

  auto image = std::make_unique<DatabaseImage>();
  const int count = static_cast<int>(std::min<std::size_t>(entries.size(), kMaxDatabaseEntries));
  for (int i = 0; i < count; ++i) image->SetEntry(i, entries[static_cast<std::size_t>(i)]);
  image->WriteHeader(count);
  for (const ListFormat out : kFormats) {
    const std::optional<std::string> text = CameraListText(*image, out);
    if (!text) continue;
    const ListReadResult back = ReadAs(path, *text, out, {});
    if (back.status != ListReadStatus::Ok || back.list.skipped != 0) std::abort();
    if (back.list.entries.size() != static_cast<std::size_t>(count)) std::abort();
    std::vector<CameraEntry> got = back.list.entries;
    std::vector<CameraEntry> sent;
    for (int i = 0; i < count; ++i) sent.push_back(image->Entry(i));
    // OV2 follows the map, not the database: the same entries, in its own order.
    if (out == ListFormat::Ov2) {
      auto byPlace = [](const CameraEntry& a, const CameraEntry& b) {
        return std::pair(a.latitude, a.longitude) < std::pair(b.latitude, b.longitude);
      };
      std::sort(got.begin(), got.end(), byPlace);
      std::sort(sent.begin(), sent.end(), byPlace);
    }
    if (got != sent) std::abort();
  }
  return 0;
}
