// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli ports: the serial ports found, with descriptions, USB ids and
// stable names, and which of them are Comm1 and Comm2.
#include <cstdio>
#include <ostream>

#include "cli/CliUnit.h"
#include "link/serial/SerialPorts.h"

namespace {

// A USB vendor or product id: 16 bits.
std::string Hex4(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(value) & 0xFFFFu);
  return text;
}

int RunPorts(const ParsedArgs& args, CliStreams& io) {
  if (!args.positional.empty()) return UsageError(io, "ports", "takes no arguments");
  EnsureQtCore();
  const PortsNow ports = LookAtPorts({});
  io.out << PortsListing(ports.present, ports.comm);
  return kExitOk;
}

}  // namespace

Subcommand PortsSubcommand() {
  return {"ports", "ports", "list the serial ports with descriptions and USB ids, and which are Comm1 and Comm2",
          &RunPorts};
}

std::string PortsListing(const std::vector<SerialPortInfo>& present, const CommPaths& comm) {
  std::string text;
  if (present.empty()) text += "no serial ports found\n";
  for (const SerialPortInfo& port : present) {
    text += port.device;
    if (!port.description.empty()) text += "  " + port.description;
    if (!port.manufacturer.empty()) text += " (" + port.manufacturer + ')';
    if (port.vendorId >= 0 && port.productId >= 0) text += "  usb " + Hex4(port.vendorId) + ':' + Hex4(port.productId);
    if (const char* name = CommNameOf(port, comm)) text += std::string("  [") + name + ']';
    text += '\n';
    if (!port.stableName.empty()) text += "    " + port.stableName + '\n';
  }
  // A Comm that names no port present is still what the commands would try.
  for (std::size_t i = 0; i < comm.size(); ++i) {
    if (FindPort(present, comm[i]) == nullptr)
      text += std::string(kCommNames[i]) + " is " + comm[i] + ", not present\n";
  }
  return text;
}
