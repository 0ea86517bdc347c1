// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/qt/PainterDeviceContext.h"

#include <stdexcept>

#include "map/qt/MapPicture.h"

namespace {
QColor ToQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }
}  // namespace

PainterDeviceContext::PainterDeviceContext(QPainter& painter) : m_painter(painter), m_penColour(kMarkerRed) {
  m_painter.setRenderHint(QPainter::Antialiasing, false);
  m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  m_painter.setPen(QPen(ToQColor(m_penColour), 0));
}

void PainterDeviceContext::SetPixel(int x, int y, Rgb colour) {
  // Changing the pen costs more than the point itself; markers share one.
  if (!(colour == m_penColour)) {
    m_penColour = colour;
    m_painter.setPen(QPen(ToQColor(colour), 0));
  }
  m_painter.drawPoint(x, y);
}

void PainterDeviceContext::FillSolidRect(int x, int y, int width, int height, Rgb colour) {
  m_painter.fillRect(QRect(x, y, width, height), ToQColor(colour));
}

void PainterDeviceContext::DrawPicture(const Picture& picture, const PixelRect& rect) {
  const auto* map = dynamic_cast<const MapPicture*>(&picture);
  if (map == nullptr || !map->IsHeld()) throw std::logic_error("PainterDeviceContext draws only a held MapPicture");
  m_painter.drawImage(QRect(rect.left, rect.top, rect.Width(), rect.Height()), map->Image());
}
