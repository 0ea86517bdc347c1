// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which device is Comm1 and which Comm2, worked out afresh from the serial
// ports present when each unit command starts, so that a user who starts
// the program from a menu reaches a USB adapter without naming it. The
// rules are plain functions of a list of ports, so they can be tried with
// any list; each system's platform file picks its rule and makes the list.
#include <array>
#include <map>
#include <string>
#include <vector>

// One serial port as the system reports it.
struct SerialPortInfo {
  std::string device;        // /dev/ttyUSB0, COM3, /dev/cu.usbserial-A50285BI
  std::string stableName;    // a name that survives replugging (/dev/serial/by-id/...), or empty
  std::string description;   // "FT232R USB UART", or empty
  std::string manufacturer;  // "FTDI", or empty
  bool usb = false;          // a USB serial adapter
  int vendorId = -1;         // its USB ids, or -1
  int productId = -1;
  bool builtIn = false;  // a serial port of the PC itself with a UART behind it
};

// The name to open the port by: its stable name where it has one.
const std::string& OpenPathOf(const SerialPortInfo& port);

// The port that `path` opens (by device or stable name), or null.
const SerialPortInfo* FindPort(const std::vector<SerialPortInfo>& present, const std::string& path);

// "/dev/ttyUSB0 (FT232R USB UART)": the device, and what it is where known.
// A path that is not among `present` is given as it is.
std::string DescribePort(const std::vector<SerialPortInfo>& present, const std::string& path);

// The symbolic links in `folder`, by the canonical path each leads to: the
// stable names a system keeps for its devices (/dev/serial/by-id on Linux).
// A folder that is missing or unreadable gives none.
std::map<std::string, std::string> LinksByTarget(const std::string& folder);

using CommPaths = std::array<std::string, 2>;  // [0] Comm1, [1] Comm2
inline constexpr const char* kCommNames[2] = {"Comm1", "Comm2"};

// Linux: Comm1 and Comm2 are /dev/ttyS0 and /dev/ttyS1 where those are
// built-in ports; a Comm without one takes the next USB adapter, in the
// order of their stable names (then devices), so the same adapter comes
// back as the same Comm when replugged. Nothing left: /dev/ttyS0, /dev/ttyS1.
CommPaths LinuxCommPorts(const std::vector<SerialPortInfo>& present);
// macOS: the first and second USB adapters among the /dev/cu.* devices, in
// the order of their names; nothing left: /dev/cu.usbserial.
CommPaths MacCommPorts(const std::vector<SerialPortInfo>& present);
// Windows: COM1 and COM2 where they are present; a Comm without one takes
// the next USB adapter, in the order of their COM numbers (Windows gives an
// adapter the same number each time it comes back). Nothing left: COM1,
// COM2.
CommPaths WindowsCommPorts(const std::vector<SerialPortInfo>& present);

// A Windows port as the user may name it ("com7", "\\.\COM12") by the name
// the system lists it under ("COM7", "COM12"); other names as they are.
std::string WindowsPortName(const std::string& named);

// The USB ids in a Windows hardware id ("USB\VID_0403&PID_6001&REV_0600",
// "FTDIBUS\COMPORT&VID_0403&PID_6001") into `port`, which is then a USB
// adapter; a hardware id without them changes nothing.
void ReadUsbIds(const std::string& hardwareId, SerialPortInfo& port);

// A Comm the command line named keeps that name; an empty one takes the
// choice.
CommPaths WithNamedPorts(const CommPaths& named, const CommPaths& chosen);

// "Comm1" or "Comm2" when `port` is that Comm, else null.
const char* CommNameOf(const SerialPortInfo& port, const CommPaths& comm);

// The ports of `present` for a message, one a line, each with the Comm it
// is: "  /dev/ttyUSB0 (FT232R USB UART): Comm1".
std::string PortListText(const std::vector<SerialPortInfo>& present, const CommPaths& comm);
