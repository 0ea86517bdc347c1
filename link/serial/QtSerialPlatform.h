// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the serial line on Qt Serial Port (Linux and macOS) does differently
// on each: one source file in link/serial/platform/ per system defines these.
#include <QSerialPort>
#include <string>
#include <vector>

#include "link/CommPorts.h"
#include "link/SerialStream.h"

// Adds what the system knows beyond Qt's list of ports: stable names,
// which ports are the PC's own, and own ports Qt left out.
void CompletePortList(std::vector<SerialPortInfo>& ports);

// Before opening `path`: a device that is missing, or that the user may
// not open, told apart from one that can be tried.
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
