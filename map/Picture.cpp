// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/Picture.h"

#include <algorithm>
#include <cassert>

PixelRect IntersectRect(const PixelRect& a, const PixelRect& b) {
  const PixelRect overlap{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                          std::min(a.bottom, b.bottom)};
  return overlap.IsEmpty() ? PixelRect{} : overlap;
}

void Picture::Render(DeviceContext& dc, PixelRect rect) const {
  assert(IsHeld());
  if (rect == PixelRect{}) {
    const PixelSize size = GetImageSize();
    rect = {0, 0, size.width, size.height};
  }
  dc.DrawPicture(*this, rect);
}
