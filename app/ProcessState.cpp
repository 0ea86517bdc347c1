#include "app/ProcessState.h"

#include "link/UnitCommand.h"

DatabaseImage WorkingDatabase;
DatabaseImage IncomingImage;
DatabaseImage MergeScratch;

int CommPortIndex = 0;
std::array<std::string, 2> CommPortPaths = DefaultCommPaths();
