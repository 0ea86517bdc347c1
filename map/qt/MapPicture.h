// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The map picture decoded with Qt's image readers (any format they know).
#include <QImage>
#include <QString>

#include "map/Picture.h"

class MapPicture final : public Picture {
 public:
  // True if `path` could be opened for reading, else false with the held
  // picture left alone. Once the file is open the held picture is released
  // first, so a file that does not decode leaves none held (and still
  // answers true).
  bool Load(const QString& path);
  void Release() { m_image = QImage(); }

  bool IsHeld() const override { return !m_image.isNull(); }
  PixelSize GetImageSize() const override { return {m_image.width(), m_image.height()}; }
  const QImage& Image() const { return m_image; }

 private:
  QImage m_image;  // null when no picture is held
};
