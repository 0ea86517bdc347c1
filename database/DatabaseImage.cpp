// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/DatabaseImage.h"

#include <algorithm>
#include <cassert>

void WriteField24(Field24 field, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  field[0] = static_cast<std::uint8_t>((bits >> 16) & 0xFF);
  field[1] = static_cast<std::uint8_t>((bits >> 8) & 0xFF);
  field[2] = static_cast<std::uint8_t>(bits & 0xFF);
}

std::uint32_t ReadUnsigned24(ConstField24 field) {
  return (std::uint32_t{field[0]} << 16) | (std::uint32_t{field[1]} << 8) | std::uint32_t{field[2]};
}

std::int32_t ReadSigned24(ConstField24 field) {
  const std::uint32_t raw = ReadUnsigned24(field);
  return (raw & 0x800000u) ? static_cast<std::int32_t>(raw) - 0x1000000 : static_cast<std::int32_t>(raw);
}

void EncodeCameraEntry(const CameraEntry& entry, EntryBytesView bytes) {
  WriteField24(bytes.first<kField24Size>(), entry.latitude);
  WriteField24(bytes.last<kField24Size>(), entry.longitude);
}

CameraEntry DecodeCameraEntry(ConstEntryBytesView bytes) {
  return CameraEntry{ReadSigned24(LatitudeField(bytes)), ReadSigned24(LongitudeField(bytes))};
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

bool DatabaseImage::HasSignature() const { return bytes[0] == kSignatureByte0 && bytes[1] == kSignatureByte1; }

EntryBytesView DatabaseImage::EntryBytes(int i) {
  assert(i >= 0 && i < kMaxDatabaseEntries);
  return EntryBytesView(bytes.data() + kDatabaseHeaderSize + kCameraEntrySize * static_cast<std::size_t>(i),
                        kCameraEntrySize);
}

ConstEntryBytesView DatabaseImage::EntryBytes(int i) const {
  assert(i >= 0 && i < kMaxDatabaseEntries);
  return ConstEntryBytesView(bytes.data() + kDatabaseHeaderSize + kCameraEntrySize * static_cast<std::size_t>(i),
                             kCameraEntrySize);
}

std::span<std::uint8_t> DatabaseImage::EntryRun(int first, int count) {
  assert(first >= 0 && count >= 0 && first + count <= kMaxDatabaseEntries);
  return std::span<std::uint8_t>(bytes).subspan(
      kDatabaseHeaderSize + kCameraEntrySize * static_cast<std::size_t>(first),
      kCameraEntrySize * static_cast<std::size_t>(count));
}
