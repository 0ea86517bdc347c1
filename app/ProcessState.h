// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's process-wide working state, in one place. It exists for the
// whole run and is only touched on the user-interface thread (or by the one
// command that holds the modal progress dialog). Core functions never reach
// for these: the handlers pass them in.
#include <array>
#include <string>

#include <cstdint>

#include "database/DatabaseImage.h"
#include "map/qt/MapPicture.h"
#include "upgrade/FirmwareImage.h"

// The database the program holds: plotted, written to the unit and to files.
extern DatabaseImage WorkingDatabase;
// Receives a database from the unit, a file or a CSV import before the merge.
extern DatabaseImage IncomingImage;
// The merge's list of entries to append.
extern DatabaseImage MergeScratch;

// The unit's software as the last HEX file left it: never cleared, so bytes
// a later file does not name keep an earlier file's values.
extern FirmwareBytes FirmwareImage;
// The highest address the data records of the last HEX file named.
extern std::uint32_t HighestFirmwareAddress;
// The address of the block the last upgrade sent last.
extern std::uint32_t CurrentBlockAddress;

// Serial port selection: 0 = Comm1, 1 = Comm2. Not saved between runs.
extern int CommPortIndex;
// The devices the command line named for Comm1 and Comm2 (--comm1,
// --comm2); an empty one is chosen from the ports present whenever a unit
// command starts.
extern std::array<std::string, 2> CommPortPaths;

// The folder of the running program, from which the map installed with it
// is found (map/MapFile.h); set at start-up.
extern std::string ProgramFolder;

// The map picture held since the last view initialisation. The object and
// its class share the name; where both are in view, the type is written
// `class MapPicture`.
extern class MapPicture MapPicture;
// 1 when the last load of the map file could open it (the picture may still
// have failed to decode), else 0.
extern int MapLoaded;
// The picture's size in pixels as measured by the last drawing that had one.
extern int MapWidth;
extern int MapHeight;
