// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The map picture as the drawing sees it: a size in pixels and a way to be
// drawn into a rectangle of a device context. The decoding lives with the
// platform (map/qt/MapPicture.h).
#include "map/DeviceContext.h"

// The map is read from this file in the working directory, once for every
// view initialisation.
inline constexpr char kMapFileName[] = "uk.bmp";

class Picture {
 public:
  virtual ~Picture() = default;

  virtual bool IsHeld() const = 0;
  // The picture's size in device pixels; (0, 0) when none is held.
  virtual PixelSize GetImageSize() const = 0;

  // Draws the whole picture scaled to fill `rect`; the rectangle
  // (0, 0, 0, 0) stands for the picture at its own size at the origin.
  // Requires a held picture.
  void Render(DeviceContext& dc, PixelRect rect) const;
};
