// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial line of the system the program runs on, and its ports: Qt
// Serial Port on Linux and macOS (QtSerialPort.cpp with a platform file),
// the Win32 API on Windows (platform/SerialWindows.cpp), whose overlapped
// waits Qt Serial Port relies on. Ports are looked at afresh by every unit
// command, so an adapter plugged in after the program started is found.
#include <memory>
#include <string>
#include <vector>

#include "link/CommPorts.h"
#include "link/SerialStream.h"

// Opens this system's serial devices: 115200 8N1, no flow control. A
// missing device, one the user may not open and one another program holds
// are told apart. A stream it opens belongs to the thread that opened it.
std::unique_ptr<SerialOpener> MakeSerialOpener();

std::vector<SerialPortInfo> PresentSerialPorts();

// Comm1 and Comm2 among `present`, by this system's rule.
CommPaths ChooseCommPorts(const std::vector<SerialPortInfo>& present);

// A port as the user named it, by the name this system lists it under
// ("com7" and "\\.\COM7" are COM7 on Windows).
std::string ListedPortName(const std::string& named);

struct PortsNow {
  std::vector<SerialPortInfo> present;
  CommPaths comm;  // Comm1 and Comm2 for this command
};

// The ports present and Comm1 and Comm2 among them; a Comm that `named`
// gives (the command line's --comm1, --comm2 or --port) keeps that name.
PortsNow LookAtPorts(const CommPaths& named);
