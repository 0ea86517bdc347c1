// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes Intel HEX records with correct checksums, for tests and benchmarks.
#include <cstdint>
#include <string>
#include <vector>

std::string HexRecord(std::uint8_t type, std::uint16_t address, const std::vector<std::uint8_t>& data);
std::string HexData(std::uint16_t address, const std::vector<std::uint8_t>& data);
std::string HexExtendedLinear(std::uint16_t upper);
std::string HexEndOfFile();
// `bytes` of data from `start`, in records of `perRecord` bytes, then EOF.
std::string HexFileOf(std::uint16_t start, const std::vector<std::uint8_t>& bytes, int perRecord = 16);
