// SPDX-License-Identifier: GPL-3.0-or-later
// Linux: ports found through Qt, with udev's stable names and the kernel's
// word on which ttyS ports have a UART behind them; Comm1 and Comm2 by
// LinuxCommPorts; the low-latency flag asked of the driver on every open.
#include <linux/serial.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "link/serial/QtSerialPlatform.h"
#include "link/serial/SerialPorts.h"
#include "link/serial/platform/PosixDevice.h"

namespace {

constexpr const char* kStableNameFolder = "/dev/serial/by-id";
constexpr const char* kBuiltInPorts[] = {"ttyS0", "ttyS1"};

// The kernel lists ttyS0 to ttyS31 whether or not a UART is there; its
// type says which are real (0 is none). Readable by every user.
bool HasUart(const std::string& name) {
  std::ifstream type("/sys/class/tty/" + name + "/type");
  int value = 0;
  return static_cast<bool>(type >> value) && value != 0;
}

}  // namespace

void CompletePortList(std::vector<SerialPortInfo>& ports) {
  const std::map<std::string, std::string> stable = LinksByTarget(kStableNameFolder);
  for (SerialPortInfo& port : ports) {
    std::error_code error;
    const std::filesystem::path device = std::filesystem::canonical(port.device, error);
    if (error) continue;
    if (const auto found = stable.find(device.string()); found != stable.end()) port.stableName = found->second;
  }
  // Qt leaves out a port the user may not open; it is still Comm1's.
  for (const char* name : kBuiltInPorts) {
    if (!HasUart(name)) continue;
    const std::string device = std::string("/dev/") + name;
    auto listed = std::find_if(ports.begin(), ports.end(), [&](const SerialPortInfo& p) { return p.device == device; });
    if (listed == ports.end()) {
      SerialPortInfo unlisted;
      unlisted.device = device;
      ports.push_back(unlisted);
      listed = ports.end() - 1;
    }
    listed->builtIn = true;
  }
}

std::string ListedPortName(const std::string& named) { return named; }

CommPaths ChooseCommPorts(const std::vector<SerialPortInfo>& present) { return LinuxCommPorts(present); }

OpenStatus CheckDeviceBeforeOpen(const std::string& path) { return CheckPosixDevice(path); }

LowLatency RequestLowLatency(QSerialPort& port) {
  const int descriptor = port.handle();
  serial_struct settings{};
  if (descriptor < 0 || ::ioctl(descriptor, TIOCGSERIAL, &settings) != 0) return LowLatency::Unsupported;
  if ((settings.flags & ASYNC_LOW_LATENCY) != 0) return LowLatency::AlreadySet;
  settings.flags |= ASYNC_LOW_LATENCY;
  return ::ioctl(descriptor, TIOCSSERIAL, &settings) == 0 ? LowLatency::Set : LowLatency::Unsupported;
}
