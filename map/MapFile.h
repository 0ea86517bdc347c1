// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which file the map is read from.
#include <string>

// Where the map is installed, relative to the folder of the installed
// programs (share/zorvane beside bin/, whatever the install prefix).
#ifndef ZORVANE_MAP_FOLDER_FROM_PROGRAM
#define ZORVANE_MAP_FOLDER_FROM_PROGRAM "../share/zorvane"
#endif
inline constexpr char kInstalledMapFolder[] = ZORVANE_MAP_FOLDER_FROM_PROGRAM;

// The map file for a view initialisation: kMapFileName in the working
// directory when there is one, so that a user's own picture there wins;
// else the map installed with the program whose folder is `programFolder`;
// else kMapFileName, which then fails to open as a missing map does.
std::string MapFileToLoad(const std::string& programFolder);
