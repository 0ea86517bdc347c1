#pragma once
// The serial ports present now, and which of them are Comm1 and Comm2.
// Looked at afresh by every unit command, so an adapter plugged in after
// the program started is found.
#include <vector>

#include "link/CommPorts.h"

std::vector<SerialPortInfo> PresentSerialPorts();

struct PortsNow {
  std::vector<SerialPortInfo> present;
  CommPaths comm;  // Comm1 and Comm2 for this command
};

// The ports present and Comm1 and Comm2 among them; a Comm that `named`
// gives (the command line's --comm1, --comm2 or --port) keeps that name.
PortsNow LookAtPorts(const CommPaths& named);
