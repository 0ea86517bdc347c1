#include "tests/support/ReferenceCsv.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

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
  for (std::size_t i = 1; i < pieces.size() && static_cast<int>(entries.size()) < kLimit; ++i) {
    const char* line = pieces[i].c_str();  // a NUL ends what scanf sees
    float lon = 0, lat = 0;
    const char* p = ReferenceScanFloat(line, lon);
    if (p == nullptr || *p != ',' || ReferenceScanFloat(p + 1, lat) == nullptr) continue;
    if (!std::isfinite(lon) || !std::isfinite(lat)) continue;
    if (std::fabs(lon) > 180.0f || std::fabs(lat) > 90.0f) continue;
    entries.push_back({Units(lat), Units(lon)});
  }
  return entries;
}
