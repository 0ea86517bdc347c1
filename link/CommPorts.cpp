#include "link/CommPorts.h"

#include <algorithm>
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
  for (std::size_t i = 0; i < comm.size(); ++i) comm[i] = i < adapters.size() ? OpenPathOf(*adapters[i]) : kMacNoAdapter;
  return comm;
}

CommPaths WindowsCommPorts(const std::vector<SerialPortInfo>&) { return {kWindowsPorts[0], kWindowsPorts[1]}; }

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
