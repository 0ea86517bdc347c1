// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProcessState.h"

DatabaseImage WorkingDatabase;
DatabaseImage IncomingImage;
DatabaseImage MergeScratch;

FirmwareBytes FirmwareImage{};
std::uint32_t HighestFirmwareAddress = 0;
std::uint32_t CurrentBlockAddress = 0;

int CommPortIndex = 0;
std::array<std::string, 2> CommPortPaths;

std::string ProgramFolder;

class MapPicture MapPicture;
int MapLoaded = 0;
int MapWidth = 0;
int MapHeight = 0;
