// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view's drawing into an image of a given client size, for the
// command-line renderer, the tests and the benchmark.
#include <QImage>

#include "database/DatabaseImage.h"
#include "map/DeviceContext.h"
#include "map/qt/MapPicture.h"

// `loaded` is the result of the picture's last Load (the file opened).
QImage DrawMapViewImage(PixelSize client, const MapPicture& picture, bool loaded, const DatabaseImage& working);
