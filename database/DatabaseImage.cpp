#include "database/DatabaseImage.h"

#include <algorithm>
#include <cassert>

void WriteField24(std::uint8_t* field, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  field[0] = static_cast<std::uint8_t>((bits >> 16) & 0xFF);
  field[1] = static_cast<std::uint8_t>((bits >> 8) & 0xFF);
  field[2] = static_cast<std::uint8_t>(bits & 0xFF);
}

std::uint32_t ReadUnsigned24(const std::uint8_t* field) {
  return (std::uint32_t{field[0]} << 16) | (std::uint32_t{field[1]} << 8) | std::uint32_t{field[2]};
}

std::int32_t ReadSigned24(const std::uint8_t* field) {
  const std::uint32_t raw = ReadUnsigned24(field);
  return (raw & 0x800000u) ? static_cast<std::int32_t>(raw) - 0x1000000 : static_cast<std::int32_t>(raw);
}

void EncodeCameraEntry(const CameraEntry& entry, std::uint8_t* bytes) {
  WriteField24(bytes, entry.latitude);
  WriteField24(bytes + 3, entry.longitude);
}

CameraEntry DecodeCameraEntry(const std::uint8_t* bytes) {
  return CameraEntry{ReadSigned24(bytes), ReadSigned24(bytes + 3)};
}

int DatabaseImage::Count() const { return bytes[2] * 256 + bytes[3]; }

int DatabaseImage::BoundedCount() const { return std::min(Count(), kMaxDatabaseEntries); }

void DatabaseImage::WriteHeader(int count) {
  assert(count >= 0 && count <= 0xFFFF);
  bytes[0] = kSignatureByte0;
  bytes[1] = kSignatureByte1;
  bytes[2] = static_cast<std::uint8_t>(count / 256);
  bytes[3] = static_cast<std::uint8_t>(count % 256);
  bytes[4] = 0x00;
}

bool DatabaseImage::HasSignature() const {
  return bytes[0] == kSignatureByte0 && bytes[1] == kSignatureByte1;
}

std::uint8_t* DatabaseImage::EntryBytes(int i) {
  assert(i >= 0 && i < kMaxDatabaseEntries);
  return bytes.data() + kDatabaseHeaderSize + kCameraEntrySize * static_cast<std::size_t>(i);
}

const std::uint8_t* DatabaseImage::EntryBytes(int i) const {
  assert(i >= 0 && i < kMaxDatabaseEntries);
  return bytes.data() + kDatabaseHeaderSize + kCameraEntrySize * static_cast<std::size_t>(i);
}
