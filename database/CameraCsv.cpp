// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/CameraCsv.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/CLocale.h"
#include "common/Text.h"

std::int32_t DegreesToUnits(float degrees) {
  double scaled = static_cast<double>(degrees) * 60000.0;
  scaled += scaled >= 0.0 ? 5.0 : -5.0;
  const float rounded = static_cast<float>(scaled);
  return static_cast<std::int32_t>(rounded) / 10;
}

const char* ToString(CsvLineStatus status) {
  switch (status) {
    case CsvLineStatus::Ok: return "ok";
    case CsvLineStatus::NotTwoNumbers: return "expected longitude,latitude";
    case CsvLineStatus::NotFinite: return "expected finite numbers";
    case CsvLineStatus::OutOfRange: return "expected longitude -180..180 and latitude -90..90";
    case CsvLineStatus::NotInColumns: return "expected numbers in the columns the header names";
    case CsvLineStatus::Comment: return "a comment";
  }
  return "unknown";
}

int ScanDegrees(const char* text, float& value) {
  int taken = 0;
  const ScopedCLocale pinned;
  const int read = std::sscanf(text, "%f%n", &value, &taken);
  return read == 1 ? taken : 0;
}

CsvLineStatus ParseCameraLine(const char* line, CameraEntry& entry) {
  float longitude = 0;
  float latitude = 0;
  // scanf's own "%f,%f", so that every line reads exactly as it always has;
  // only the decimal point is pinned, for this thread and this call.
  const ScopedCLocale pinned;
  const int read = std::sscanf(line, "%f,%f", &longitude, &latitude);
  if (read != 2) return CsvLineStatus::NotTwoNumbers;
  if (!std::isfinite(longitude) || !std::isfinite(latitude)) return CsvLineStatus::NotFinite;
  if (std::fabs(longitude) > 180.0f || std::fabs(latitude) > 90.0f) return CsvLineStatus::OutOfRange;
  entry = {DegreesToUnits(latitude), DegreesToUnits(longitude)};
  return CsvLineStatus::Ok;
}

namespace {

std::string_view TrimmedField(std::string_view field) {
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '"'; };
  while (!field.empty() && space(field.front())) field.remove_prefix(1);
  while (!field.empty() && space(field.back())) field.remove_suffix(1);
  return field;
}

// The comma-separated fields of `line`, each trimmed of white space and quotes.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(TrimmedField(line.substr(start, comma == std::string_view::npos ? comma : comma - start)));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

// A number that fills the field, read as a CSV line's numbers are.
bool ReadWholeField(std::string_view field, float& value) {
  const std::string copy(field);
  const int taken = ScanDegrees(copy.c_str(), value);
  return taken > 0 && static_cast<std::size_t>(taken) == copy.size();
}

bool NamesLongitude(const std::string& lower) {
  return lower == "x" || lower == "lon" || lower == "lng" || lower == "long" || lower == "longitude";
}
bool NamesLatitude(const std::string& lower) { return lower == "y" || lower == "lat" || lower == "latitude"; }

}  // namespace

CsvLayout CsvLayoutOf(std::string_view header) {
  const std::vector<std::string_view> fields = Fields(SkipByteOrderMark(header));
  CsvLayout layout;
  int longitude = -1;
  int latitude = -1;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string name = Lowered(fields[i]);
    if (longitude < 0 && NamesLongitude(name)) longitude = static_cast<int>(i);
    if (latitude < 0 && NamesLatitude(name)) latitude = static_cast<int>(i);
  }
  if (longitude >= 0 && latitude >= 0) layout = {true, longitude, latitude};
  return layout;
}

CsvLineStatus ParseCsvLine(const char* line, const CsvLayout& layout, CameraEntry& entry) {
  if (layout.named && line[0] == '/' && line[1] == '/') return CsvLineStatus::Comment;
  if (layout.FirstTwoNumbers()) return ParseCameraLine(line, entry);
  const std::vector<std::string_view> fields = Fields(line);
  const auto column = [&fields](int index) {
    return static_cast<std::size_t>(index) < fields.size() ? fields[static_cast<std::size_t>(index)]
                                                           : std::string_view();
  };
  float longitude = 0;
  float latitude = 0;
  if (!ReadWholeField(column(layout.longitudeColumn), longitude) ||
      !ReadWholeField(column(layout.latitudeColumn), latitude)) {
    return CsvLineStatus::NotInColumns;
  }
  if (!std::isfinite(longitude) || !std::isfinite(latitude)) return CsvLineStatus::NotFinite;
  if (std::fabs(longitude) > 180.0f || std::fabs(latitude) > 90.0f) return CsvLineStatus::OutOfRange;
  entry = {DegreesToUnits(latitude), DegreesToUnits(longitude)};
  return CsvLineStatus::Ok;
}

std::string DegreesText(std::int32_t units) {
  char digits[32];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, static_cast<double>(units) / kUnitsPerDegree,
                                          std::chars_format::fixed, 6);
  return std::string(digits, error == std::errc() ? end : digits);
}

std::string CameraCsvText(const DatabaseImage& image) {
  std::string text = "X,Y\n";
  const int count = image.BoundedCount();
  text.reserve(text.size() + static_cast<std::size_t>(count) * 24);
  for (int i = 0; i < count; ++i) {
    const CameraEntry entry = image.Entry(i);
    text += DegreesText(entry.longitude);
    text += ',';
    text += DegreesText(entry.latitude);
    text += '\n';
  }
  return text;
}

namespace {

constexpr std::string_view kByteOrderMarkBytes = "\xEF\xBB\xBF";

std::string_view Unquoted(std::string_view text) {
  text = Trimmed(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = Trimmed(text.substr(1, text.size() - 2));
  return text;
}

// Optional sign, digits, and at most one decimal separator of `separators`
// followed by digits.
bool IsPlainNumber(std::string_view text, std::string_view separators) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  std::size_t digits = 0;
  while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
  if (digits == 0) return false;
  if (digits == text.size()) return true;
  if (separators.find(text[digits]) == std::string_view::npos || digits + 1 == text.size()) return false;
  for (std::size_t i = digits + 1; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

bool IsSpreadsheetField(std::string_view field) { return IsPlainNumber(Unquoted(field), ".,"); }

}  // namespace

std::string_view SkipByteOrderMark(std::string_view text) {
  if (text.starts_with(kByteOrderMarkBytes)) text.remove_prefix(kByteOrderMarkBytes.size());
  return text;
}

bool IsSeparatorLine(std::string_view line) {
  line = SkipByteOrderMark(line);
  constexpr std::string_view kSep = "sep=";
  if (line.size() < kSep.size()) return false;
  for (std::size_t i = 0; i < kSep.size(); ++i) {
    if (Lowered(line.substr(i, 1))[0] != kSep[i]) return false;
  }
  // One separator character, then only the line end.
  const std::string_view rest = line.substr(kSep.size());
  return !rest.empty() && rest[0] != '\n' && rest[0] != '\r' && Trimmed(rest.substr(1)).empty();
}

bool HoldsPosition(const char* line) {
  const std::string_view text = SkipByteOrderMark(line);
  CameraEntry entry;
  return ParseCameraLine(text.data(), entry) == CsvLineStatus::Ok;
}

bool IsDecimalCommaNumber(std::string_view text) {
  text = Unquoted(text);
  return text.find(',') != std::string_view::npos && IsPlainNumber(text, ",");
}

bool LooksLikeSpreadsheetNumbers(std::string_view line) {
  line = SkipByteOrderMark(line);
  for (const char separator : {';', '\t'}) {
    const std::size_t first = line.find(separator);
    if (first == std::string_view::npos) continue;
    const std::size_t second = line.find(separator, first + 1);
    const std::string_view a = line.substr(0, first);
    const std::string_view b =
        line.substr(first + 1, second == std::string_view::npos ? line.npos : second - first - 1);
    // A tab alone is a fair separator for numbers with points; with
    // semicolons or decimal commas the list came from a spreadsheet.
    const bool spreadsheet = separator == ';' || IsDecimalCommaNumber(a) || IsDecimalCommaNumber(b);
    if (spreadsheet && IsSpreadsheetField(a) && IsSpreadsheetField(b)) return true;
  }
  return false;
}
