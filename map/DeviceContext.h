// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the map drawing needs of a drawing surface: one pixel, a solid
// rectangle, and the map picture scaled into a rectangle. Coordinates are
// device pixels, origin top-left, y downward; anything outside the surface
// is clipped by the implementation.
#include <cstdint>

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kMarkerRed{255, 0, 0};

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// left/top inclusive, right/bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The overlap of two rectangles; (0, 0, 0, 0) when they do not overlap.
PixelRect IntersectRect(const PixelRect& a, const PixelRect& b);

class Picture;

class DeviceContext {
 public:
  virtual ~DeviceContext() = default;
  virtual void SetPixel(int x, int y, Rgb colour) = 0;
  // The rectangle x, y, x + width, y + height; it may reach past the surface.
  virtual void FillSolidRect(int x, int y, int width, int height, Rgb colour) = 0;
  // The whole of `picture`, stretched or squeezed to fill `rect` exactly.
  // `picture` must hold a picture.
  virtual void DrawPicture(const Picture& picture, const PixelRect& rect) = 0;
};
