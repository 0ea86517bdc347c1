// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What Linux and macOS share: device files that say up front whether they
// exist and whether the user may open them.
#include <string>

#include "link/SerialStream.h"

OpenStatus CheckPosixDevice(const std::string& path);
