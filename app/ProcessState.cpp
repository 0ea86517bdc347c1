#include "app/ProcessState.h"

DatabaseImage WorkingDatabase;
DatabaseImage IncomingImage;
DatabaseImage MergeScratch;

int CommPortIndex = 0;
