#pragma once
// What the serial side does differently on each system. Every system has
// one source file in link/qt/platform/ that defines these, and the build
// takes the one of the system it builds for; nothing else asks which
// system it runs on.
#include <QSerialPort>
#include <string>
#include <vector>

#include "link/CommPorts.h"
#include "link/SerialStream.h"

// Adds what the system knows beyond Qt's list of ports: stable names,
// which ports are the PC's own, and own ports Qt left out.
void CompletePortList(std::vector<SerialPortInfo>& ports);

// Comm1 and Comm2 among `present`, by this system's rule.
CommPaths ChooseCommPorts(const std::vector<SerialPortInfo>& present);

// Before opening `path`: a device that is missing, or that the user may
// not open, told apart from one that can be tried. Ok where the system
// cannot tell in advance (Windows, where a port held by another program is
// refused as "access denied", which therefore means busy).
OpenStatus CheckDeviceBeforeOpen(const std::string& path);

enum class LowLatency {
  Set,          // the driver now passes bytes on at once
  AlreadySet,   // it did so before
  Unsupported,  // the device or the system has no such setting; nothing changed
};
const char* ToString(LowLatency result);

// Right after the port opened: asks the driver to pass the unit's bytes on
// without waiting for its latency timer (a USB adapter then uses 1 ms).
// Never fails the open.
LowLatency RequestLowLatency(QSerialPort& port);
