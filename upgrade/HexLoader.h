// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Intel HEX firmware files. Only data records (type 0) below offset 65,000
// while the extended linear address (type 4) is 0 are stored; every other
// record type is read, checked and ignored, an end-of-file record included.
//
// A file is checked whole before anything is stored: the first line that is
// not a well-formed record with a right checksum refuses the whole file and
// leaves the image and the highest address as they were. Blank lines and
// trailing white space (CR included) are allowed.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "upgrade/FirmwareImage.h"

enum class HexStatus {
  Ok,
  CannotOpen,
  ReadError,
  MissingColon,      // a line that does not start with ':'
  NotHexDigit,       // a character that is not a hex digit
  OddDigitCount,     // half a byte at the end of the line
  TooShort,          // not even count, address, type and checksum
  LengthMismatch,    // the byte count promises other than the line holds
  BadChecksum,       // the record's checksum does not add up
  BadAddressRecord,  // an extended linear address record without 2 bytes
};
const char* ToString(HexStatus status);

struct HexLoadResult {
  HexStatus status = HexStatus::Ok;
  int line = 0;        // 1-based line of the first fault; 0 when Ok
  std::string detail;  // what was expected and what was found
  bool ok() const { return status == HexStatus::Ok; }
};

// "FILE:LINE: status: detail", for the command line.
std::string Describe(const HexLoadResult& result, const std::string& fileName);

// Loads HEX text into `image`, which is never cleared: bytes the file does
// not name keep what they held. `highest` receives the greatest last address
// (address + count - 1) of the data records taken into account, including
// those dropped because they reach offset 65,000; a record of count 0 at
// address 0 leaves it alone. On failure nothing is changed.
HexLoadResult LoadFirmwareHex(std::string_view text, FirmwareBytes& image, std::uint32_t& highest);

// The same over an open file, read whole from its current position to its
// end and then loaded as text. The file stays open and owned by the caller.
// A file that cannot be read gives ReadError, with nothing changed.
HexLoadResult LoadFirmwareHex(std::FILE* file, FirmwareBytes& image, std::uint32_t& highest);
