// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a HEX file: either the file is refused with a line
// number and nothing changes, or it loads; never a write outside the image.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "upgrade/HexLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The image lives on the heap at its exact size, so ASan sees any write
  // past its end.
  auto image = std::make_unique<FirmwareBytes>();
  std::memset(image->data(), 0xA5, image->size());
  const auto before = std::make_unique<FirmwareBytes>(*image);
  std::uint32_t highest = 0xDEADBEEF;

  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const HexLoadResult result = LoadFirmwareHex(text, *image, highest);
  if (result.ok()) {
    if (result.line != 0) std::abort();
    // A data record's last address is at most 0xFFFF + 255 - 1.
    if (highest > 0xFFFFu + 254u) std::abort();
  } else {
    if (result.line < 1) std::abort();
    if (highest != 0xDEADBEEF || *image != *before) std::abort();
  }
  return 0;
}
