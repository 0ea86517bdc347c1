// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapView.h"

#include "map/Projection.h"

PixelPoint ProjectCameraEntry(ConstEntryBytesView entry) {
  return ProjectCoordinates(ReadSigned24(LatitudeField(entry)), ReadSigned24(LongitudeField(entry)));
}

void DrawMapView(DeviceContext& dc, PixelSize client, MapDisplayState& map, const DatabaseImage& working) {
  const int w = client.width;
  const int h = client.height;
  // A file that opened but did not decode leaves no picture to measure or
  // render: drawn as if there were no file.
  if (!map.loaded || !map.picture.IsHeld()) {
    dc.FillSolidRect(0, 0, w, h, kWhite);
    return;
  }

  const PixelSize size = map.picture.GetImageSize();
  map.width = size.width;
  map.height = size.height;

  const PixelRect visible = IntersectRect({0, 0, map.width, map.height}, {0, 0, w, h});
  map.picture.Render(dc, visible);

  // Markers keep their unscaled places even when the picture is squeezed.
  // A count beyond the image's capacity draws what the image can hold.
  const int count = working.BoundedCount();
  for (int i = 0; i < count; ++i) {
    const PixelPoint p = ProjectCameraEntry(working.EntryBytes(i));
    dc.SetPixel(p.x, p.y, kMarkerRed);
  }

  // After the markers, so that only those on the picture stay visible.
  dc.FillSolidRect(map.width, 0, w, h, kWhite);
  dc.FillSolidRect(0, map.height, map.width, h, kWhite);
}
