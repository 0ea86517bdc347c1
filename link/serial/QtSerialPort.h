// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial line on Qt Serial Port (Linux and macOS), used in blocking
// style on whichever thread opens it (the transfer's worker thread, or the
// command-line tool's only thread). A stream belongs to the thread that
// opened it.
#include "link/SerialStream.h"

class QtSerialOpener : public SerialOpener {
 public:
  // 115200 8N1, no flow control. Tells a missing device, one the user may
  // not open, and one that another program holds apart.
  OpenResult Open(const std::string& path) override;
};
