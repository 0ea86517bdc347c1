// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as an OV2 list. A file is either read whole, every point
// a position on the earth, or refused at a byte inside it with nothing
// given; whether its start looks like OV2 never depends on more than it.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "database/Ov2List.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ListReadResult read = ReadOv2(bytes);
  if (read.status == ListReadStatus::Malformed) {
    if (!read.list.entries.empty() || read.detail.empty()) std::abort();
    if (read.offset < 0 || static_cast<std::size_t>(read.offset) >= size) std::abort();
  } else {
    if (read.status != ListReadStatus::Ok || read.offset != -1) std::abort();
    for (const CameraEntry& entry : read.list.entries) {
      if (std::abs(entry.latitude) > 90 * kUnitsPerDegree || std::abs(entry.longitude) > 180 * kUnitsPerDegree) {
        std::abort();
      }
    }
  }
  if (size > 0 && LooksLikeOv2(bytes) != LooksLikeOv2(bytes.substr(0, 64))) std::abort();
  return 0;
}
