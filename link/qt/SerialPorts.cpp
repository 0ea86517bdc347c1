#include "link/qt/SerialPorts.h"

#include <QSerialPortInfo>

#include "link/qt/SerialPlatform.h"

std::vector<SerialPortInfo> PresentSerialPorts() {
  std::vector<SerialPortInfo> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    SerialPortInfo port;
    port.device = info.systemLocation().toStdString();
    port.description = info.description().toStdString();
    port.manufacturer = info.manufacturer().toStdString();
    port.usb = info.hasVendorIdentifier();
    if (info.hasVendorIdentifier()) port.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier()) port.productId = info.productIdentifier();
    ports.push_back(std::move(port));
  }
  CompletePortList(ports);
  return ports;
}

PortsNow LookAtPorts(const CommPaths& named) {
  PortsNow now;
  now.present = PresentSerialPorts();
  now.comm = WithNamedPorts(named, ChooseCommPorts(now.present));
  return now;
}
