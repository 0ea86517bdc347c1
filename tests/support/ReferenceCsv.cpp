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

const char* ReferenceScanFloat(const char* p, float& value) {
  while (Space(*p)) ++p;
  char* end = nullptr;
  const float read = ::strtof_l(p, &end, CLocale());
  if (end == p) return nullptr;
  const char* q = p;
  if (*q == '+' || *q == '-') ++q;
  const bool hex = q[0] == '0' && (q[1] | 0x20) == 'x';
  if (hex && (*end | 0x20) == 'x') return nullptr;
  // scanf takes in an exponent mark that has no digits after it.
  const char mark = hex ? 'p' : 'e';
  bool hasExponent = false;
  for (const char* c = p; c < end; ++c) hasExponent = hasExponent || (*c | 0x20) == mark;
  if (!hasExponent && (*end | 0x20) == mark) {
    ++end;
    if (*end == '+' || *end == '-') ++end;
  }
  value = read;
  return end;
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
