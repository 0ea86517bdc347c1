// SPDX-License-Identifier: GPL-3.0-or-later
// Comm1 and Comm2 chosen from the serial ports present, with lists of
// ports made up for each case: no device is needed.
#include <gtest/gtest.h>

#include <algorithm>

#include "commands/UnitCommand.h"
#include "link/CommPorts.h"
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
    {"TwoAdaptersAreComm1AndComm2",
     {Adapter("/dev/ttyUSB0", kFtdiA), Adapter("/dev/ttyUSB1", kFtdiB)},
     {kFtdiA, kFtdiB}},
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

struct WindowsCase {
  const char* name;
  std::vector<SerialPortInfo> present;
  CommPaths expected;
};

void PrintTo(const WindowsCase& c, std::ostream* os) { *os << c.name; }

class WindowsComm : public ::testing::TestWithParam<WindowsCase> {};

TEST_P(WindowsComm, IsChosenByTheRule) { EXPECT_EQ(WindowsCommPorts(GetParam().present), GetParam().expected); }

const WindowsCase kWindowsCases[] = {
    {"NothingPresentKeepsCom1AndCom2", {}, {"COM1", "COM2"}},
    {"ThePcsOwnPortsStayComm1AndComm2", {NoUart("COM1"), NoUart("COM2"), Adapter("COM3")}, {"COM1", "COM2"}},
    {"AnAdapterIsComm1OnAPcWithoutPorts", {Adapter("COM7")}, {"COM7", "COM2"}},
    {"AnAdapterTakesTheCommThatHasNoPort", {NoUart("COM1"), Adapter("COM5")}, {"COM1", "COM5"}},
    {"AdaptersGoByTheirNumbersNotByName", {Adapter("COM12"), Adapter("COM4")}, {"COM4", "COM12"}},
    {"APortThatIsNoAdapterIsNeverChosen", {NoUart("COM5")}, {"COM1", "COM2"}},
};

INSTANTIATE_TEST_SUITE_P(Rule, WindowsComm, ::testing::ValuesIn(kWindowsCases),
                         [](const ::testing::TestParamInfo<WindowsCase>& p) { return std::string(p.param.name); });

TEST(WindowsPortNames, AreTheNamesTheSystemListsThePortsUnder) {
  for (const auto& [named, listed] :
       std::vector<std::pair<std::string, std::string>>{{"COM7", "COM7"},
                                                        {"com7", "COM7"},
                                                        {"\\\\.\\COM12", "COM12"},
                                                        {"//./com3", "COM3"},
                                                        {"\\\\.\\CNCA0", "\\\\.\\CNCA0"},
                                                        {"COMX", "COMX"},
                                                        {"/dev/ttyUSB0", "/dev/ttyUSB0"}}) {
    EXPECT_EQ(WindowsPortName(named), listed) << named;
  }
}

TEST(WindowsHardwareIds, GiveTheAdaptersUsbIds) {
  SerialPortInfo ftdi;
  ReadUsbIds("FTDIBUS\\COMPORT&VID_0403&PID_6001", ftdi);
  EXPECT_TRUE(ftdi.usb);
  EXPECT_EQ(ftdi.vendorId, 0x0403);
  EXPECT_EQ(ftdi.productId, 0x6001);
  SerialPortInfo cdc;
  ReadUsbIds("USB\\Vid_2341&Pid_0043&Rev_0001", cdc);
  EXPECT_EQ(cdc.productId, 0x0043);
  SerialPortInfo builtIn;
  ReadUsbIds("ACPI\\PNP0501", builtIn);
  EXPECT_FALSE(builtIn.usb);
  EXPECT_EQ(builtIn.vendorId, -1);
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
  const FrontEndWords words{WindowWords().latitudeFirst, "Give one with --port PATH.", WindowWords().portMissing};
  const PortAdvice advice{{Adapter("/dev/ttyUSB0", kFtdiA)}, {kFtdiA, "/dev/ttyS1"}, &words};
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
