// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial/SerialPorts.h"

PortsNow LookAtPorts(const CommPaths& named) {
  PortsNow now;
  now.present = PresentSerialPorts();
  CommPaths listed;
  for (std::size_t i = 0; i < named.size(); ++i) listed[i] = named[i].empty() ? named[i] : ListedPortName(named[i]);
  now.comm = WithNamedPorts(listed, ChooseCommPorts(now.present));
  return now;
}
