// SPDX-License-Identifier: GPL-3.0-or-later
#include "upgrade/HexLoader.h"

#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr std::uint8_t kRecordData = 0x00;
constexpr std::uint8_t kRecordExtendedLinearAddress = 0x04;
// Count, address high, address low, type, checksum.
constexpr std::size_t kRecordOverhead = 5;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string Printable(char c) {
  char text[8];
  if (c >= 0x20 && c < 0x7F) {
    std::snprintf(text, sizeof text, "'%c'", c);
  } else {
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned char>(c));
  }
  return text;
}

std::string Hex2(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
  return text;
}

// Loads into a private copy so that a fault on any line leaves the caller's
// image untouched; the copy is handed over only when every line was good.
class HexParser {
 public:
  HexParser(const FirmwareBytes& image) : m_image(image) {}

  bool Line(std::string_view line) {
    ++m_lineNumber;
    while (!line.empty() && IsSpace(line.back())) line.remove_suffix(1);
    if (line.empty()) return true;
    if (line.front() != ':')
      return Fail(HexStatus::MissingColon, "expected ':' at the start of the record, found " + Printable(line.front()));
    const std::string_view digits = line.substr(1);
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (HexValue(digits[i]) < 0) {
        return Fail(HexStatus::NotHexDigit,
                    "expected a hex digit at column " + std::to_string(i + 2) + ", found " + Printable(digits[i]));
      }
    }
    if (digits.size() % 2 != 0) {
      return Fail(HexStatus::OddDigitCount,
                  "expected an even number of hex digits, found " + std::to_string(digits.size()));
    }
    m_bytes.clear();
    for (std::size_t i = 0; i < digits.size(); i += 2) {
      m_bytes.push_back(static_cast<std::uint8_t>(HexValue(digits[i]) * 16 + HexValue(digits[i + 1])));
    }
    if (m_bytes.size() < kRecordOverhead) {
      return Fail(HexStatus::TooShort, "expected at least 5 bytes (count, address, type, checksum), found " +
                                           std::to_string(m_bytes.size()));
    }
    const std::size_t count = m_bytes[0];
    if (m_bytes.size() != count + kRecordOverhead) {
      return Fail(HexStatus::LengthMismatch, "byte count " + Hex2(static_cast<unsigned>(count)) + " promises " +
                                                 std::to_string(count) + " data bytes, the line holds " +
                                                 std::to_string(m_bytes.size() - kRecordOverhead));
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < m_bytes.size(); ++i) sum += m_bytes[i];
    const unsigned expected = (0x100u - (sum & 0xFFu)) & 0xFFu;
    if (expected != m_bytes.back()) {
      return Fail(HexStatus::BadChecksum, "expected checksum " + Hex2(expected) + ", found " + Hex2(m_bytes.back()));
    }
    Apply(static_cast<std::uint32_t>(count));
    return m_result.ok();
  }

  HexLoadResult Finish(FirmwareBytes& image, std::uint32_t& highest) {
    if (m_result.ok()) {
      image = m_image;
      highest = m_highest;
    }
    return m_result;
  }

 private:
  bool Fail(HexStatus status, std::string detail) {
    m_result.status = status;
    m_result.line = m_lineNumber;
    m_result.detail = std::move(detail);
    return false;
  }

  void Apply(std::uint32_t count) {
    const std::uint32_t address = (std::uint32_t{m_bytes[1]} << 8) | m_bytes[2];
    const std::uint8_t type = m_bytes[3];
    const std::uint8_t* data = m_bytes.data() + 4;
    if (type == kRecordExtendedLinearAddress) {
      if (count != 2) {
        Fail(HexStatus::BadAddressRecord, "expected 2 address bytes, found " + std::to_string(count));
        return;
      }
      m_extendedAddress = (std::uint32_t{data[0]} << 8) | data[1];
      return;
    }
    if (type != kRecordData || m_extendedAddress != 0) return;
    // A count of 0 at address 0 has no last address; it raises nothing.
    if (count == 0 && address == 0) return;
    const std::uint32_t last = address + count - 1;
    if (last > m_highest) m_highest = last;
    // Records reaching past the image are dropped whole, not clipped.
    if (last >= kFirmwareImageSize || count == 0) return;
    std::memcpy(m_image.data() + address, data, count);
  }

  FirmwareBytes m_image;
  std::uint32_t m_highest = 0;
  std::uint32_t m_extendedAddress = 0;
  int m_lineNumber = 0;
  std::vector<std::uint8_t> m_bytes;
  HexLoadResult m_result;
};

}  // namespace

const char* ToString(HexStatus status) {
  switch (status) {
    case HexStatus::Ok: return "ok";
    case HexStatus::CannotOpen: return "cannot open the file";
    case HexStatus::ReadError: return "error while reading the file";
    case HexStatus::MissingColon: return "not a record";
    case HexStatus::NotHexDigit: return "not a hex digit";
    case HexStatus::OddDigitCount: return "odd number of hex digits";
    case HexStatus::TooShort: return "record too short";
    case HexStatus::LengthMismatch: return "byte count does not match the record";
    case HexStatus::BadChecksum: return "wrong record checksum";
    case HexStatus::BadAddressRecord: return "malformed extended linear address record";
  }
  return "unknown";
}

std::string Describe(const HexLoadResult& result, const std::string& fileName) {
  std::string text = fileName;
  if (result.line > 0) {
    text += ':';
    text += std::to_string(result.line);
  }
  text += ": ";
  text += ToString(result.status);
  if (!result.detail.empty()) {
    text += ": ";
    text += result.detail;
  }
  return text;
}

HexLoadResult LoadFirmwareHex(std::string_view text, FirmwareBytes& image, std::uint32_t& highest) {
  auto parser = std::make_unique<HexParser>(image);
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (!parser->Line(line)) break;
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return parser->Finish(image, highest);
}

HexLoadResult LoadFirmwareHex(std::FILE* file, FirmwareBytes& image, std::uint32_t& highest) {
  std::string text;
  std::array<char, 16384> buffer;
  std::size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) text.append(buffer.data(), got);
  if (std::ferror(file)) {
    HexLoadResult failed;
    failed.status = HexStatus::ReadError;
    return failed;
  }
  return LoadFirmwareHex(std::string_view(text), image, highest);
}
