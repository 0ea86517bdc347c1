// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Database > Read from Unit's transfer: the unit's image in 'R' blocks
// (those that hold its entries, or all 1024).
#include "database/DatabaseImage.h"
#include "link/Transfer.h"

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

// The transfer step: connects and reads the blocks of `extent` into
// `incoming`, in rising order, then 'Q' and close; the bytes past them are
// 0x00. Progress starts at 1024 blocks and, with ReadExtent::Held, learns
// the real number from block 0. A receive that times out, a block whose
// checksum is still wrong after 10 repeats, a line that fails or a cancel
// abandons the transfer and leaves `incoming` untouched. Tells its own
// failures to the context's teller; runs on whichever thread calls it.
UnitCommandOutcome TransferFromUnit(TransferContext& context, DatabaseImage& incoming,
                                    ReadExtent extent = ReadExtent::Held);
