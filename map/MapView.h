// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view's drawing: the map picture at the top-left of the client area,
// one red pixel per held camera location, white everywhere else.
#include "database/DatabaseImage.h"
#include "map/DeviceContext.h"
#include "map/Picture.h"

// The process-wide map state the drawing reads and writes.
struct MapDisplayState {
  const Picture& picture;
  bool loaded;  // the last load of the map file opened it
  int& width;   // the picture's size as measured by the last drawing that had one
  int& height;
};

// The pixel for the six bytes of one entry of the image (signed 24-bit
// big-endian latitude, then longitude), as the drawing places it.
PixelPoint ProjectCameraEntry(ConstEntryBytesView entry);

// Draws the whole client area (0, 0, client.width, client.height) onto `dc`:
// with no picture, white and nothing else; otherwise the picture squeezed
// into the part of the client area it covers, the markers of `working`
// (at most the image's capacity, never read past its end), then white over
// everything right of and below the picture, markers included.
void DrawMapView(DeviceContext& dc, PixelSize client, MapDisplayState& map, const DatabaseImage& working);
