// SPDX-License-Identifier: GPL-3.0-or-later
#include "upgrade/FirmwareImage.h"

#include <algorithm>

int UploadBlockCount(std::uint32_t highest) {
  if (highest < kFirstUploadBlock) return 0;
  const std::uint32_t last = std::min(highest - highest % kUploadBlockSize, kLastUploadBlock);
  return static_cast<int>((last - kFirstUploadBlock) / kUploadBlockSize + 1);
}
