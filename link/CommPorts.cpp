// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CommPorts.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>

namespace {

constexpr const char* kLinuxBuiltIn[2] = {"/dev/ttyS0", "/dev/ttyS1"};
constexpr const char* kWindowsPorts[2] = {"COM1", "COM2"};
constexpr const char* kMacDevicePrefix = "/dev/cu.";
constexpr const char* kMacNoAdapter = "/dev/cu.usbserial";

// Adapters with stable names first, in the order of those names; the rest
// by device. Neither depends on the order they were plugged in.
std::vector<const SerialPortInfo*> AdaptersInStableOrder(const std::vector<SerialPortInfo>& present,
                                                         const std::string& devicePrefix) {
  std::vector<const SerialPortInfo*> adapters;
  for (const SerialPortInfo& port : present) {
    if (port.usb && port.device.starts_with(devicePrefix)) adapters.push_back(&port);
  }
  std::sort(adapters.begin(), adapters.end(), [](const SerialPortInfo* a, const SerialPortInfo* b) {
    if (a->stableName.empty() != b->stableName.empty()) return !a->stableName.empty();
    return OpenPathOf(*a) < OpenPathOf(*b);
  });
  return adapters;
}

// 7 for "COM7", 0 for a name that is no COM port.
int ComNumber(const std::string& device) {
  int number = 0;
  if (device.size() < 4 || device.compare(0, 3, "COM") != 0) return 0;
  const auto [end, error] = std::from_chars(device.data() + 3, device.data() + device.size(), number);
  return error == std::errc() && end == device.data() + device.size() ? number : 0;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The four hex digits after `key` ("VID_") in `id`, or -1.
int HexAfter(const std::string& id, const std::string& key) {
  const std::size_t at = id.find(key);
  if (at == std::string::npos || at + key.size() + 4 > id.size()) return -1;
  int value = -1;
  const char* first = id.data() + at + key.size();
  const auto [end, error] = std::from_chars(first, first + 4, value, 16);
  return error == std::errc() && end == first + 4 ? value : -1;
}

}  // namespace

const std::string& OpenPathOf(const SerialPortInfo& port) {
  return port.stableName.empty() ? port.device : port.stableName;
}

const SerialPortInfo* FindPort(const std::vector<SerialPortInfo>& present, const std::string& path) {
  for (const SerialPortInfo& port : present) {
    if (!path.empty() && (port.device == path || port.stableName == path)) return &port;
  }
  return nullptr;
}

std::string DescribePort(const std::vector<SerialPortInfo>& present, const std::string& path) {
  const SerialPortInfo* port = FindPort(present, path);
  if (port == nullptr) return path;
  return port->description.empty() ? port->device : port->device + " (" + port->description + ")";
}

std::map<std::string, std::string> LinksByTarget(const std::string& folder) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> links;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    std::error_code broken;
    if (!entry->is_symlink(broken)) continue;
    const fs::path target = fs::canonical(entry->path(), broken);
    if (broken) continue;
    // Two names for one device: the first in order, whatever the folder's.
    const auto [kept, added] = links.emplace(target.string(), entry->path().string());
    if (!added && entry->path().string() < kept->second) kept->second = entry->path().string();
  }
  return links;
}

CommPaths LinuxCommPorts(const std::vector<SerialPortInfo>& present) {
  const std::vector<const SerialPortInfo*> adapters = AdaptersInStableOrder(present, "/dev/");
  std::size_t nextAdapter = 0;
  CommPaths comm;
  for (std::size_t i = 0; i < comm.size(); ++i) {
    const SerialPortInfo* builtIn = FindPort(present, kLinuxBuiltIn[i]);
    if (builtIn != nullptr && builtIn->builtIn) {
      comm[i] = kLinuxBuiltIn[i];
    } else if (nextAdapter < adapters.size()) {
      comm[i] = OpenPathOf(*adapters[nextAdapter++]);
    } else {
      comm[i] = kLinuxBuiltIn[i];
    }
  }
  return comm;
}

CommPaths MacCommPorts(const std::vector<SerialPortInfo>& present) {
  const std::vector<const SerialPortInfo*> adapters = AdaptersInStableOrder(present, kMacDevicePrefix);
  CommPaths comm;
  for (std::size_t i = 0; i < comm.size(); ++i)
    comm[i] = i < adapters.size() ? OpenPathOf(*adapters[i]) : kMacNoAdapter;
  return comm;
}

CommPaths WindowsCommPorts(const std::vector<SerialPortInfo>& present) {
  std::vector<const SerialPortInfo*> adapters;
  for (const SerialPortInfo& port : present) {
    const int number = ComNumber(port.device);
    if (port.usb && number > 2) adapters.push_back(&port);
  }
  std::sort(adapters.begin(), adapters.end(), [](const SerialPortInfo* a, const SerialPortInfo* b) {
    return ComNumber(a->device) < ComNumber(b->device);
  });
  std::size_t nextAdapter = 0;
  CommPaths comm;
  for (std::size_t i = 0; i < comm.size(); ++i) {
    if (FindPort(present, kWindowsPorts[i]) == nullptr && nextAdapter < adapters.size()) {
      comm[i] = adapters[nextAdapter++]->device;
    } else {
      comm[i] = kWindowsPorts[i];
    }
  }
  return comm;
}

std::string WindowsPortName(const std::string& named) {
  std::string name = named;
  for (const char* prefix : {"\\\\.\\", "//./"}) {
    if (name.starts_with(prefix)) name.erase(0, std::char_traits<char>::length(prefix));
  }
  const std::string upper = Upper(name);
  return ComNumber(upper) > 0 ? upper : named;
}

void ReadUsbIds(const std::string& hardwareId, SerialPortInfo& port) {
  const std::string id = Upper(hardwareId);
  const int vendor = HexAfter(id, "VID_");
  const int product = HexAfter(id, "PID_");
  if (vendor < 0 || product < 0) return;
  port.usb = true;
  port.vendorId = vendor;
  port.productId = product;
}

CommPaths WithNamedPorts(const CommPaths& named, const CommPaths& chosen) {
  CommPaths comm;
  for (std::size_t i = 0; i < comm.size(); ++i) comm[i] = named[i].empty() ? chosen[i] : named[i];
  return comm;
}

const char* CommNameOf(const SerialPortInfo& port, const CommPaths& comm) {
  for (std::size_t i = 0; i < comm.size(); ++i) {
    if (port.device == comm[i] || (!port.stableName.empty() && port.stableName == comm[i])) return kCommNames[i];
  }
  return nullptr;
}

std::string PortListText(const std::vector<SerialPortInfo>& present, const CommPaths& comm) {
  std::string text;
  for (const SerialPortInfo& port : present) {
    text += "  " + DescribePort(present, port.device);
    if (const char* name = CommNameOf(port, comm)) text += std::string(": ") + name;
    text += '\n';
  }
  return text;
}
