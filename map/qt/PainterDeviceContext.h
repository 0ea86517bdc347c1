// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing surface of the map on a QPainter: the view's widget, or a
// QImage for the command-line renderer and the tests. Draws the pixels
// exactly: no antialiasing, no smoothing when the picture is scaled.
#include <QColor>
#include <QPainter>

#include "map/DeviceContext.h"

class PainterDeviceContext final : public DeviceContext {
 public:
  // `painter` must stay active for the life of this object.
  explicit PainterDeviceContext(QPainter& painter);

  void SetPixel(int x, int y, Rgb colour) override;
  void FillSolidRect(int x, int y, int width, int height, Rgb colour) override;
  // `picture` must be a MapPicture that holds a picture.
  void DrawPicture(const Picture& picture, const PixelRect& rect) override;

 private:
  QPainter& m_painter;
  Rgb m_penColour;
};
