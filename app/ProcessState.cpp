#include "app/ProcessState.h"

DatabaseImage WorkingDatabase;
DatabaseImage IncomingImage;
DatabaseImage MergeScratch;

int CommPortIndex = 0;

class MapPicture MapPicture;
int MapLoaded = 0;
int MapWidth = 0;
int MapHeight = 0;
