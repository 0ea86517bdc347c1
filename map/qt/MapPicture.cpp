// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/qt/MapPicture.h"

#include <QFile>
#include <QImageReader>

bool MapPicture::Load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  Release();
  QImageReader reader(&file);
  QImage decoded;
  if (reader.read(&decoded)) {
    // Converted once here so that every paint is a plain copy.
    m_image =
        decoded.convertToFormat(decoded.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  }
  return true;
}
