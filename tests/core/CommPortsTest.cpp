// Comm1 and Comm2 chosen from the serial ports present, with lists of
// ports made up for each case: no device is needed.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/CommPorts.h"
#include "link/UnitCommand.h"
#include "resources/Strings.h"

namespace {

SerialPortInfo BuiltIn(const std::string& device) {
  SerialPortInfo port;
  port.device = device;
  port.builtIn = true;
  return port;
}

SerialPortInfo NoUart(const std::string& device) {
  SerialPortInfo port;
  port.device = device;
  return port;
}

SerialPortInfo Adapter(const std::string& device, const std::string& stableName = {},
                       const std::string& description = "FT232R USB UART") {
  SerialPortInfo port;
  port.device = device;
  port.stableName = stableName;
  port.description = description;
  port.manufacturer = "FTDI";
  port.usb = true;
  port.vendorId = 0x0403;
  port.productId = 0x6001;
  return port;
}

const std::string kFtdiA = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
const std::string kFtdiB = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_B71122CK-if00-port0";
const std::string kCh340 = "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0";

struct LinuxCase {
  const char* name;
  std::vector<SerialPortInfo> present;
  CommPaths expected;
};

void PrintTo(const LinuxCase& c, std::ostream* os) { *os << c.name; }

class LinuxComm : public ::testing::TestWithParam<LinuxCase> {};

TEST_P(LinuxComm, IsChosenByTheRule) { EXPECT_EQ(LinuxCommPorts(GetParam().present), GetParam().expected); }

const LinuxCase kLinuxCases[] = {
    {"NothingPresentKeepsTheBuiltInNames", {}, {"/dev/ttyS0", "/dev/ttyS1"}},
    {"RealBuiltInPortsStayComm1AndComm2",
     {BuiltIn("/dev/ttyS0"), BuiltIn("/dev/ttyS1"), Adapter("/dev/ttyUSB0", kFtdiA)},
     {"/dev/ttyS0", "/dev/ttyS1"}},
    {"OneAdapterWithoutBuiltInPortsIsComm1ByItsStableName",
     {NoUart("/dev/ttyS0"), NoUart("/dev/ttyS1"), Adapter("/dev/ttyUSB0", kFtdiA)},
     {kFtdiA, "/dev/ttyS1"}},
    {"TwoAdaptersAreComm1AndComm2", {Adapter("/dev/ttyUSB0", kFtdiA), Adapter("/dev/ttyUSB1", kFtdiB)}, {kFtdiA, kFtdiB}},
    {"AnAdapterTakesTheCommThatHasNoBuiltInPort",
     {BuiltIn("/dev/ttyS0"), Adapter("/dev/ttyUSB0", kFtdiA)},
     {"/dev/ttyS0", kFtdiA}},
    {"Comm1WithoutAUartTakesTheAdapterWhileComm2KeepsItsUart",
     {NoUart("/dev/ttyS0"), BuiltIn("/dev/ttyS1"), Adapter("/dev/ttyACM0", kCh340)},
     {kCh340, "/dev/ttyS1"}},
    {"AnAdapterWithoutAStableNameIsOpenedByItsDevice", {Adapter("/dev/ttyUSB3")}, {"/dev/ttyUSB3", "/dev/ttyS1"}},
    {"AdaptersWithStableNamesComeBeforeThoseWithout",
     {Adapter("/dev/ttyUSB0"), Adapter("/dev/ttyUSB1", kFtdiB)},
     {kFtdiB, "/dev/ttyUSB0"}},
    {"APortThatIsNoAdapterIsNeverChosen", {NoUart("/dev/ttyAMA0"), NoUart("/dev/ttyS4")}, {"/dev/ttyS0", "/dev/ttyS1"}},
};

INSTANTIATE_TEST_SUITE_P(Rule, LinuxComm, ::testing::ValuesIn(kLinuxCases),
                         [](const ::testing::TestParamInfo<LinuxCase>& p) { return std::string(p.param.name); });

// The kernel numbers adapters in the order they were plugged in; the
// choice must not follow it.
TEST(LinuxCommOrder, ReplugingAnAdapterGivesItTheSameCommAgain) {
  const CommPaths before = LinuxCommPorts({Adapter("/dev/ttyUSB0", kFtdiB), Adapter("/dev/ttyUSB1", kFtdiA)});
  // B was unplugged and plugged back in: it is now ttyUSB1, A ttyUSB0.
  const CommPaths after = LinuxCommPorts({Adapter("/dev/ttyUSB0", kFtdiA), Adapter("/dev/ttyUSB1", kFtdiB)});
  EXPECT_EQ(before, after);
  EXPECT_EQ(after[0], kFtdiA);
  // With B away for a moment, A stays Comm1.
  EXPECT_EQ(LinuxCommPorts({Adapter("/dev/ttyUSB0", kFtdiA)})[0], kFtdiA);
}

TEST(MacComm, IsTheFirstTwoUsbCallOutDevicesByName) {
  SerialPortInfo bluetooth;
  bluetooth.device = "/dev/cu.Bluetooth-Incoming-Port";
  const std::vector<SerialPortInfo> present = {bluetooth, Adapter("/dev/tty.usbserial-B71122CK"),
                                               Adapter("/dev/cu.usbserial-B71122CK"),
                                               Adapter("/dev/cu.usbserial-A50285BI")};
  EXPECT_EQ(MacCommPorts(present), (CommPaths{"/dev/cu.usbserial-A50285BI", "/dev/cu.usbserial-B71122CK"}));
  EXPECT_EQ(MacCommPorts({bluetooth}), (CommPaths{"/dev/cu.usbserial", "/dev/cu.usbserial"}));
}

TEST(WindowsComm, IsCom1AndCom2WhateverIsPresent) {
  EXPECT_EQ(WindowsCommPorts({Adapter("COM7")}), (CommPaths{"COM1", "COM2"}));
}

TEST(NamedPorts, WinOverTheChoiceOneCommAtATime) {
  const CommPaths chosen = {kFtdiA, "/dev/ttyS1"};
  EXPECT_EQ(WithNamedPorts({"", ""}, chosen), chosen);
  EXPECT_EQ(WithNamedPorts({"/dev/pts/4", ""}, chosen), (CommPaths{"/dev/pts/4", "/dev/ttyS1"}));
  EXPECT_EQ(WithNamedPorts({"", "/dev/ttyUSB5"}, chosen), (CommPaths{kFtdiA, "/dev/ttyUSB5"}));
}

TEST(PortDescriptions, NameTheDeviceAndWhatItIsWhereKnown) {
  const std::vector<SerialPortInfo> present = {Adapter("/dev/ttyUSB0", kFtdiA), NoUart("/dev/ttyS0")};
  EXPECT_EQ(DescribePort(present, kFtdiA), "/dev/ttyUSB0 (FT232R USB UART)");
  EXPECT_EQ(DescribePort(present, "/dev/ttyUSB0"), "/dev/ttyUSB0 (FT232R USB UART)");
  EXPECT_EQ(DescribePort(present, "/dev/ttyS0"), "/dev/ttyS0");
  EXPECT_EQ(DescribePort(present, "/dev/pts/3"), "/dev/pts/3");
  EXPECT_EQ(PortListText(present, {kFtdiA, "/dev/ttyS1"}), "  /dev/ttyUSB0 (FT232R USB UART): Comm1\n  /dev/ttyS0\n");
}

TEST(OpenFailureAdvice, AMissingDeviceListsThePortsThatExistAndHowToUseOne) {
  const PortAdvice advice{{Adapter("/dev/ttyUSB0", kFtdiA)}, {kFtdiA, "/dev/ttyS1"}, "Give one with --port PATH.", {}};
  EXPECT_EQ(OpenFailureText(OpenStatus::NoSuchDevice, "/dev/ttyS1", "", advice),
            "Error Opening Comm Port\n\n"
            "There is no device /dev/ttyS1. Check the cable or USB adapter, or choose the other port under Options.\n\n"
            "The serial ports on this PC are:\n"
            "  /dev/ttyUSB0 (FT232R USB UART): Comm1\n"
            "Give one with --port PATH.");
  EXPECT_EQ(OpenFailureText(OpenStatus::NoSuchDevice, "/dev/ttyS0", "", {}),
            std::string("Error Opening Comm Port\n\nThere is no device /dev/ttyS0. Check the cable or USB adapter, or "
                        "choose the other port under Options.\n\n") +
                kMsgNoSerialPorts);
  // A device that exists but is busy has nothing to do with the others.
  EXPECT_EQ(OpenFailureText(OpenStatus::Busy, "/dev/ttyUSB0", "", advice).find(kMsgSerialPortsHere), std::string::npos);
}

}  // namespace
