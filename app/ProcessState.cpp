#include "app/ProcessState.h"

#include "link/UnitCommand.h"

DatabaseImage WorkingDatabase;
DatabaseImage IncomingImage;
DatabaseImage MergeScratch;

int CommPortIndex = 0;
std::array<std::string, 2> CommPortPaths = DefaultCommPaths();

class MapPicture MapPicture;
int MapLoaded = 0;
int MapWidth = 0;
int MapHeight = 0;
