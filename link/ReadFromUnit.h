// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Database > Read from Unit: the unit's image in 'R' blocks (those that hold
// its entries, or all 1024), then merged into the held database.
#include "database/DatabaseImage.h"
#include "link/UnitCommand.h"

// How much of the unit's memory a read asks for.
enum class ReadExtent {
  Held,         // block 0, then only as far as its header says entries go
  WholeMemory,  // all 1024 blocks, filler included
};

// The blocks, from block 0, that hold the header and every entry of an
// image whose first 64 bytes are `image`'s: ceil((8 + 6 * count) / 64) for
// a signed header with a count within capacity; all 1024 otherwise, since
// nothing then says where the entries end.
int BlocksHolding(const DatabaseImage& image);

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
UnitCommandOutcome ReadFromUnitCommand(UnitCommandContext& context, ReadTargets images,
                                       ReadExtent extent = ReadExtent::Held);

// The transfer step: connects and reads the blocks of `extent` into
// `incoming`, in rising order, then 'Q' and close; the bytes past them are
// 0x00. Progress starts at 1024 blocks and, with ReadExtent::Held, learns
// the real number from block 0. A receive that times out, a block whose checksum is
// still wrong after 10 repeats, a line that fails or a cancel abandons the
// transfer and leaves `incoming` untouched. Tells its own failures; runs on
// whichever thread calls it.
UnitCommandOutcome TransferFromUnit(TransferContext& context, DatabaseImage& incoming,
                                    ReadExtent extent = ReadExtent::Held);
