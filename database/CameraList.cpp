// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/CameraList.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "common/Files.h"
#include "common/Text.h"
#include "database/CameraCsv.h"
#include "database/Ov2List.h"

const char* ToString(ListFormat format) {
  switch (format) {
    case ListFormat::Csv: return "CSV";
    case ListFormat::Gpx: return "GPX";
    case ListFormat::Kml: return "KML";
    case ListFormat::GeoJson: return "GeoJSON";
    case ListFormat::Osm: return "OpenStreetMap XML";
    case ListFormat::Ov2: return "OV2";
  }
  return "unknown";
}

std::optional<ListFormat> ListFormatNamed(std::string_view name) {
  const std::string lower = Lowered(name);
  if (lower == "csv") return ListFormat::Csv;
  if (lower == "gpx") return ListFormat::Gpx;
  if (lower == "kml") return ListFormat::Kml;
  if (lower == "geojson" || lower == "json") return ListFormat::GeoJson;
  if (lower == "osm") return ListFormat::Osm;
  if (lower == "ov2") return ListFormat::Ov2;
  return std::nullopt;
}

std::optional<ListFormat> ListFormatOfFile(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::nullopt;
  return ListFormatNamed(name.substr(dot + 1));
}

ListFormat ListFormatOfContent(std::string_view head) {
  if (LooksLikeOv2(head)) return ListFormat::Ov2;
  head = SkipByteOrderMark(head);
  while (!head.empty() && IsSpace(head.front())) head.remove_prefix(1);
  if (head.starts_with("{")) return ListFormat::GeoJson;
  if (head.starts_with("<")) {
    // The first element that is no declaration, comment or doctype.
    for (std::size_t open = head.find('<'); open != std::string_view::npos; open = head.find('<', open + 1)) {
      const std::string_view tag = head.substr(open + 1);
      if (tag.starts_with("?") || tag.starts_with("!")) continue;
      const std::string name = Lowered(tag.substr(0, tag.find_first_of(" \t\r\n>/")));
      if (name == "gpx") return ListFormat::Gpx;
      if (name == "kml") return ListFormat::Kml;
      if (name == "osm") return ListFormat::Osm;
      break;
    }
  }
  return ListFormat::Csv;
}

ListFormat ListFormatToRead(const std::string& path) {
  if (const std::optional<ListFormat> named = ListFormatOfFile(path)) return *named;
  constexpr std::size_t kHeadBytes = 4096;
  std::string head;
  if (ReadFileHead(path, kHeadBytes, head) != ListReadStatus::Ok) return ListFormat::Csv;
  return ListFormatOfContent(head);
}

ListReadStatus ReadFileHead(const std::string& path, std::size_t count, std::string& bytes) {
  FileHandle file = OpenToRead(path);
  if (!file) return ListReadStatus::CannotOpen;
  bytes.assign(count, '\0');
  bytes.resize(std::fread(bytes.data(), 1, count, file.get()));
  return std::ferror(file.get()) ? ListReadStatus::ReadError : ListReadStatus::Ok;
}

void CameraList::Skip(SkippedItem item) {
  ++skipped;
  if (firstSkipped.size() < kSkippedLinesKept) firstSkipped.push_back(std::move(item));
}

ListReadStatus ReadFileBytes(const std::string& path, std::string& bytes) {
  FileHandle file = OpenToRead(path);
  if (!file) return ListReadStatus::CannotOpen;
  bytes.clear();
  char buffer[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  return std::ferror(file.get()) ? ListReadStatus::ReadError : ListReadStatus::Ok;
}

ListReadResult ReadCsvList(const std::string& path, const ListReadOptions& options) {
  ListReadResult result;
  FileHandle file = OpenToRead(path);
  if (!file) {
    result.status = ListReadStatus::CannotOpen;
    return result;
  }
  CameraList& list = result.list;
  char line[kCsvLineBufferSize];
  int lineNumber = 1;
  // The header is skipped whatever it holds, as the window's import does.
  const bool hasHeader = std::fgets(line, sizeof line, file.get()) != nullptr;
  const bool separatorLine = hasHeader && IsSeparatorLine(line);
  list.headerHoldsPosition = hasHeader && HoldsPosition(line);
  CsvLayout layout = hasHeader ? CsvLayoutOf(line) : CsvLayout{};
  auto full = [&] {
    return options.stopAtMaximum && list.entries.size() >= static_cast<std::size_t>(kMaxImportEntries);
  };
  while (hasHeader && !full() && std::fgets(line, sizeof line, file.get()) != nullptr) {
    ++lineNumber;
    if (LooksLikeSpreadsheetNumbers(line)) ++list.spreadsheetItems;
    CameraEntry entry;
    // Named columns say which is which; --lat-lon speaks for the rest.
    const CsvLineStatus status = layout.named || !options.latitudeFirst
                                     ? ParseCsvLine(line, layout, entry)
                                     : ReadNumberPair(line, options.latitudeFirst, entry, nullptr);
    if (status == CsvLineStatus::Ok) {
      list.entries.push_back(entry);
    } else if (status == CsvLineStatus::Comment) {
      continue;
    } else if (separatorLine && lineNumber == 2) {  // the real header
      layout = CsvLayoutOf(line);
    } else {
      list.Skip({lineNumber, "", ToString(status), Excerpt(line)});
    }
  }
  if (std::ferror(file.get())) result.status = ListReadStatus::ReadError;
  return result;
}

// The window's CSV import reads through the same reader as every other
// import; only its stop at the maximum and its result's shape are its own.
CsvImportResult ReadCameraCsv(const std::string& path, DatabaseImage& incoming) {
  ListReadOptions options;
  options.stopAtMaximum = true;
  const ListReadResult read = ReadCsvList(path, options);
  CsvImportResult result;
  if (read.status == ListReadStatus::CannotOpen) {
    result.status = CsvImportStatus::CannotOpen;
    return result;
  }
  if (read.status != ListReadStatus::Ok) result.status = CsvImportStatus::ReadError;
  incoming.Fill(0xFF);
  const CameraList& list = read.list;
  result.entries = static_cast<int>(std::min<std::size_t>(list.entries.size(), kMaxImportEntries));
  for (int i = 0; i < result.entries; ++i) incoming.SetEntry(i, list.entries[static_cast<std::size_t>(i)]);
  result.skipped = list.skipped;
  result.spreadsheetLines = list.spreadsheetItems;
  result.headerHoldsPosition = list.headerHoldsPosition;
  result.firstSkipped = list.firstSkipped;
  return result;
}

CsvLineStatus PositionOf(float latitude, float longitude, CameraEntry& entry) {
  if (!std::isfinite(longitude) || !std::isfinite(latitude)) return CsvLineStatus::NotFinite;
  if (std::fabs(longitude) > 180.0f || std::fabs(latitude) > 90.0f) return CsvLineStatus::OutOfRange;
  entry = {DegreesToUnits(latitude), DegreesToUnits(longitude)};
  return CsvLineStatus::Ok;
}

CsvLineStatus ReadNumberPair(const char* text, bool latitudeFirst, CameraEntry& entry, const char** end) {
  float first = 0;
  float second = 0;
  // "%f,%f" taken apart: the comma must follow the first number directly.
  const int firstLength = ScanDegrees(text, first);
  if (firstLength == 0 || text[firstLength] != ',') return CsvLineStatus::NotTwoNumbers;
  const char* rest = text + firstLength + 1;
  const int secondLength = ScanDegrees(rest, second);
  if (secondLength == 0) return CsvLineStatus::NotTwoNumbers;
  const CsvLineStatus status = latitudeFirst ? PositionOf(first, second, entry) : PositionOf(second, first, entry);
  if (status == CsvLineStatus::Ok && end != nullptr) *end = rest + secondLength;
  return status;
}

bool ReadWholeNumber(std::string_view text, float& value) {
  const std::string copy(text);
  const int taken = ScanDegrees(copy.c_str(), value);
  if (taken == 0) return false;
  for (std::size_t i = static_cast<std::size_t>(taken); i < copy.size(); ++i) {
    if (!IsSpace(copy[i])) return false;
  }
  return true;
}

float CsvFloatOf(double value) {
  char digits[64];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits - 1, value);
  if (error != std::errc()) return static_cast<float>(value);
  *end = '\0';
  float read = 0;
  // to_chars writes "inf" and "nan" as the CSV import reads them, too.
  return ScanDegrees(digits, read) > 0 ? read : static_cast<float>(value);
}

std::string Excerpt(std::string_view text) {
  constexpr std::size_t kMax = 40;
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  std::string excerpt;
  for (const char c : text) {
    if (c == '\n' || c == '\r' || c == '\0' || excerpt.size() == kMax) break;
    excerpt += c;
  }
  while (!excerpt.empty() && IsSpace(excerpt.back())) excerpt.pop_back();
  return excerpt;
}
