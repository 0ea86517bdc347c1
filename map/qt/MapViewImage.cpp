// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/qt/MapViewImage.h"

#include <QPainter>

#include "map/MapView.h"
#include "map/qt/PainterDeviceContext.h"

QImage DrawMapViewImage(PixelSize client, const MapPicture& picture, bool loaded, const DatabaseImage& working) {
  QImage image(client.width, client.height, QImage::Format_RGB32);
  QPainter painter(&image);
  PainterDeviceContext dc(painter);
  int width = 0;
  int height = 0;
  MapDisplayState map{picture, loaded, width, height};
  DrawMapView(dc, client, map, working);
  return image;
}
