// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unit's camera database as one fixed 65,536-byte image. The same bytes
// are the database file format and the payload of the unit transfers.
//
//   0      'U' (0x55)          signature
//   1      0xAA                signature
//   2..3   entry count, big-endian
//   4      0x00, rewritten with every header
//   5..7   reserved, never written by the program
//   8..    6-byte CameraEntry records, packed

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr std::size_t kDatabaseImageSize = 0x10000;
inline constexpr std::size_t kDatabaseHeaderSize = 8;
inline constexpr std::size_t kCameraEntrySize = 6;
// Whole entries that fit between byte 8 and the end of the image.
inline constexpr int kMaxDatabaseEntries = 10921;
// A CSV import stops short of the full capacity.
inline constexpr int kMaxImportEntries = 10900;

inline constexpr std::uint8_t kSignatureByte0 = 0x55;  // 'U'
inline constexpr std::uint8_t kSignatureByte1 = 0xAA;

// Coordinates are in units of 1/6000 degree (hundredths of an arc-minute),
// north and east positive.
inline constexpr int kUnitsPerDegree = 6000;

struct CameraEntry {
  std::int32_t latitude = 0;
  std::int32_t longitude = 0;
  friend bool operator==(const CameraEntry&, const CameraEntry&) = default;
};

// A 3-byte big-endian field, and the 6 bytes of one entry: latitude, then
// longitude.
inline constexpr std::size_t kField24Size = 3;
using Field24 = std::span<std::uint8_t, kField24Size>;
using ConstField24 = std::span<const std::uint8_t, kField24Size>;
using EntryBytesView = std::span<std::uint8_t, kCameraEntrySize>;
using ConstEntryBytesView = std::span<const std::uint8_t, kCameraEntrySize>;

// Stored as the low 24 bits of the value.
void WriteField24(Field24 field, std::int32_t value);
// The field with bit 23 as the sign (how the map reads it).
std::int32_t ReadSigned24(ConstField24 field);
// The field as 0..16,777,215 with no sign (how the merge compares it).
std::uint32_t ReadUnsigned24(ConstField24 field);

// The latitude field of an entry, and its longitude field.
inline ConstField24 LatitudeField(ConstEntryBytesView entry) { return entry.first<kField24Size>(); }
inline ConstField24 LongitudeField(ConstEntryBytesView entry) { return entry.last<kField24Size>(); }

void EncodeCameraEntry(const CameraEntry& entry, EntryBytesView bytes);
CameraEntry DecodeCameraEntry(ConstEntryBytesView bytes);

struct DatabaseImage {
  std::array<std::uint8_t, kDatabaseImageSize> bytes{};

  std::uint8_t* data() { return bytes.data(); }
  const std::uint8_t* data() const { return bytes.data(); }
  std::uint8_t& operator[](std::size_t i) { return bytes[i]; }
  std::uint8_t operator[](std::size_t i) const { return bytes[i]; }

  // The count field as stored (byte 2 * 256 + byte 3), 0..65,535.
  int Count() const;
  // The count bounded by the capacity, so that it can be used to index
  // entries without leaving the image.
  int BoundedCount() const;
  // Bytes 0..4: signature, count, zero. Bytes 5..7 are left alone.
  void WriteHeader(int count);
  bool HasSignature() const;
  void Fill(std::uint8_t value) { bytes.fill(value); }

  // Entry i starts at byte 8 + 6 * i; i must be below kMaxDatabaseEntries.
  EntryBytesView EntryBytes(int i);
  ConstEntryBytesView EntryBytes(int i) const;
  // Entries first .. first + count - 1 as one run of bytes; they must all
  // lie below kMaxDatabaseEntries.
  std::span<std::uint8_t> EntryRun(int first, int count);
  CameraEntry Entry(int i) const { return DecodeCameraEntry(EntryBytes(i)); }
  void SetEntry(int i, const CameraEntry& entry) { EncodeCameraEntry(entry, EntryBytes(i)); }

  friend bool operator==(const DatabaseImage&, const DatabaseImage&) = default;
};
