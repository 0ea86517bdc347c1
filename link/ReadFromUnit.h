#pragma once
// Database > Read from Unit: the unit's whole image in 1024 'R' blocks, then
// merged into the held database.
#include "database/DatabaseImage.h"
#include "link/UnitCommand.h"

struct ReadTargets {
  DatabaseImage& working;
  DatabaseImage& incoming;
  DatabaseImage& scratch;
};

// The whole command, as the window, the command-line tool and the tests
// run it: the OK/Cancel prompt (anything but OK ends it with nothing opened
// and nothing shown), the transfer through the context's runner, then the
// merge into `working`, the redraw, the "database full" warning if entries
// were left out, and "Database loaded successfully". A transfer that did
// not complete leaves both images as they were.
UnitCommandOutcome ReadFromUnitCommand(UnitCommandContext& context, ReadTargets images);

// The transfer step: connects and reads all 1024 blocks into `incoming`,
// then 'Q' and close. A receive that times out, a block whose checksum is
// still wrong after 10 repeats, a line that fails or a cancel abandons the
// transfer and leaves `incoming` untouched. Tells its own failures; runs on
// whichever thread calls it.
UnitCommandOutcome TransferFromUnit(TransferContext& context, DatabaseImage& incoming);
