// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ReferenceCsv.h"

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kPiece = 1023;
constexpr int kLimit = 10900;

bool Space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

locale_t CLocale() {
  static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

std::int32_t Units(float degrees) {
  const double product = static_cast<double>(degrees) * 60000.0;
  const float sum = static_cast<float>(product >= 0 ? product + 5.0 : product - 5.0);
  return static_cast<std::int32_t>(std::trunc(sum)) / 10;
}

}  // namespace

namespace {

bool StartsWithNoCase(const char* p, const char* word) {
  for (; *word != '\0'; ++p, ++word) {
    if ((*p | 0x20) != *word) return false;
  }
  return true;
}

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool HexDigit(char c) { return Digit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }

// An exponent mark is taken in with its sign even when no digit follows.
const char* SkipExponent(const char* q, char mark) {
  if ((*q | 0x20) != mark) return q;
  ++q;
  if (*q == '+' || *q == '-') ++q;
  while (Digit(*q)) ++q;
  return q;
}

}  // namespace

// The longest text scanf takes in as a float, then its value.
const char* ReferenceScanFloat(const char* p, float& value) {
  while (Space(*p)) ++p;
  const char* start = p;
  const char* q = p;
  if (*q == '+' || *q == '-') ++q;
  const bool negative = *start == '-';
  if (StartsWithNoCase(q, "nan")) {
    value = std::nanf("");
    return q + 3;
  }
  if (StartsWithNoCase(q, "inf")) {
    q += 3;
    if (StartsWithNoCase(q, "inity")) {
      q += 5;
    } else if ((*q | 0x20) == 'i') {
      // Part of "infinity" is no number at all.
      return nullptr;
    }
    value = negative ? -INFINITY : INFINITY;
    return q;
  }
  int digits = 0;
  if (q[0] == '0' && (q[1] | 0x20) == 'x') {
    q += 2;
    while (HexDigit(*q)) ++q, ++digits;
    bool point = false;
    if (*q == '.') {
      point = true;
      ++q;
      while (HexDigit(*q)) ++q, ++digits;
    }
    if (digits == 0 && !point) return nullptr;  // "0x" alone
    if (digits > 0) q = SkipExponent(q, 'p');
  } else {
    while (Digit(*q)) ++q, ++digits;
    if (*q == '.') {
      ++q;
      while (Digit(*q)) ++q, ++digits;
    }
    if (digits == 0) return nullptr;
    q = SkipExponent(q, 'e');
  }
  const std::string text(start, q);
  value = ::strtof_l(text.c_str(), nullptr, CLocale());
  return q;
}

namespace {

// A header that names its position columns, written out plainly: fields
// split at commas, trimmed of blanks and quotes, the first longitude name
// and the first latitude name in any case.
struct Columns {
  bool named = false;
  std::size_t lon = 0;
  std::size_t lat = 1;
  bool FirstTwo() const { return lon == 0 && lat == 1; }
};

std::string WithoutMark(const std::string& text) { return text.rfind("\xEF\xBB\xBF", 0) == 0 ? text.substr(3) : text; }

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (const char c : line) {
    if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  for (std::string& field : fields) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '"'; };
    while (!field.empty() && blank(field.back())) field.pop_back();
    std::size_t from = 0;
    while (from < field.size() && blank(field[from])) ++from;
    field.erase(0, from);
  }
  return fields;
}

Columns ColumnsOf(const std::string& header) {
  const std::vector<std::string> fields = SplitFields(WithoutMark(header));
  int lon = -1;
  int lat = -1;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string name;
    for (const char c : fields[i]) name += static_cast<char>((c >= 'A' && c <= 'Z') ? c + 32 : c);
    if (lon < 0 && (name == "x" || name == "lon" || name == "lng" || name == "long" || name == "longitude")) {
      lon = static_cast<int>(i);
    }
    if (lat < 0 && (name == "y" || name == "lat" || name == "latitude")) lat = static_cast<int>(i);
  }
  if (lon < 0 || lat < 0) return {};
  return {true, static_cast<std::size_t>(lon), static_cast<std::size_t>(lat)};
}

// "sep=;" and nothing after but blanks.
bool SeparatorLine(const std::string& header) {
  const std::string text = WithoutMark(header);
  if (text.size() < 5) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if ((text[i] | 0x20) != "sep="[i]) return false;
  }
  if (text[4] == '\n' || text[4] == '\r') return false;
  for (std::size_t i = 5; i < text.size(); ++i) {
    if (!Space(text[i])) return false;
  }
  return true;
}

bool WholeNumber(const std::string& field, float& value) {
  const char* end = ReferenceScanFloat(field.c_str(), value);
  return end != nullptr && end == field.c_str() + field.size();
}

bool Position(float lon, float lat, std::vector<CameraEntry>& entries) {
  if (!std::isfinite(lon) || !std::isfinite(lat)) return false;
  if (std::fabs(lon) > 180.0f || std::fabs(lat) > 90.0f) return false;
  entries.push_back({Units(lat), Units(lon)});
  return true;
}

}  // namespace

std::vector<CameraEntry> ReferenceCsvEntries(std::string_view file) {
  std::vector<std::string> pieces;
  while (!file.empty()) {
    std::size_t n = std::min(file.size(), kPiece);
    const std::size_t newline = file.substr(0, n).find('\n');
    if (newline != std::string_view::npos) n = newline + 1;
    pieces.emplace_back(file.substr(0, n));
    file.remove_prefix(n);
  }
  std::vector<CameraEntry> entries;
  if (pieces.empty()) return entries;
  const std::string header = pieces[0].c_str();
  Columns columns = ColumnsOf(header);
  const bool separator = SeparatorLine(header);
  for (std::size_t i = 1; i < pieces.size() && static_cast<int>(entries.size()) < kLimit; ++i) {
    const std::string line = pieces[i].c_str();  // a NUL ends what scanf sees
    if (columns.named && line.rfind("//", 0) == 0) continue;
    bool made = false;
    float lon = 0, lat = 0;
    if (columns.FirstTwo()) {
      const char* p = ReferenceScanFloat(line.c_str(), lon);
      made = p != nullptr && *p == ',' && ReferenceScanFloat(p + 1, lat) != nullptr && Position(lon, lat, entries);
    } else {
      const std::vector<std::string> fields = SplitFields(line);
      const std::string none;
      const std::string& lonField = columns.lon < fields.size() ? fields[columns.lon] : none;
      const std::string& latField = columns.lat < fields.size() ? fields[columns.lat] : none;
      made = WholeNumber(lonField, lon) && WholeNumber(latField, lat) && Position(lon, lat, entries);
    }
    // After a spreadsheet's "sep=" line, the line after it is the header.
    if (!made && separator && i == 1) columns = ColumnsOf(line);
  }
  return entries;
}
