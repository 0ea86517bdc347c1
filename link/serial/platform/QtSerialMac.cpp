// SPDX-License-Identifier: GPL-3.0-or-later
// macOS: Qt's list as it is; Comm1 and Comm2 are the first two USB
// adapters among the /dev/cu.* devices. The latency timer of an FTDI
// adapter is a setting of its driver there (see "USB serial adapters" in the user guide), not of a port.
#include "link/serial/QtSerialPlatform.h"
#include "link/serial/SerialPorts.h"
#include "link/serial/platform/PosixDevice.h"

void CompletePortList(std::vector<SerialPortInfo>&) {}

std::string ListedPortName(const std::string& named) { return named; }

CommPaths ChooseCommPorts(const std::vector<SerialPortInfo>& present) { return MacCommPorts(present); }

OpenStatus CheckDeviceBeforeOpen(const std::string& path) { return CheckPosixDevice(path); }

LowLatency RequestLowLatency(QSerialPort&) { return LowLatency::Unsupported; }
