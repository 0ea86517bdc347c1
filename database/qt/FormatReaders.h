// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One reader per format, each over the whole file's bytes; ReadCameraList
// picks among them.
#include <string_view>

#include "database/CameraList.h"

ListReadResult ReadGpx(std::string_view bytes, const ListReadOptions& options);
ListReadResult ReadKml(std::string_view bytes, const ListReadOptions& options);
ListReadResult ReadOsm(std::string_view bytes, const ListReadOptions& options);
ListReadResult ReadGeoJson(std::string_view bytes, const ListReadOptions& options);
