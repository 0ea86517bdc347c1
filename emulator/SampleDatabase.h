// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A made-up database for demonstrations: camera locations scattered around
// towns of Great Britain, the same every time.
#include "database/DatabaseImage.h"

inline constexpr int kSampleEntries = 600;

DatabaseImage SampleDatabase();
