// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli read, write and ports against zorvane-unit on a real
// pseudo-terminal.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPort>
#include <map>
#include <sstream>

#include "cli/CliUnit.h"
#include "cli/Subcommand.h"
#include "cli/UnitDatabase.h"
#include "database/DatabaseFile.h"
#include "link/LinkConstants.h"
#include "link/TimeLeft.h"
#include "resources/Strings.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/ImageBuilders.h"
#include "tests/support/TempDir.h"
#include "tests/support/UnitProcess.h"
#include "upgrade/UploadConstants.h"

namespace {

class UnitCommands : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(UnitCommands, AFullWriteThenAFullReadGivesBackEveryByte) {
  const std::string saved = dir.File("unit-saved.bin");
  UnitProcess unit({"--save", saved});
  ASSERT_TRUE(unit.Started());
  const DatabaseImage written = ImageWith(DistinctEntries(700, 21));
  const std::string source = dir.Write("source.bin", Bytes(written));

  const CliRun write = RunCliWith({"write", "--port", unit.Device(), source});
  EXPECT_EQ(write.status, kExitOk) << write.err;
  EXPECT_EQ(write.out, "Completed: Database written successfully\n");
  EXPECT_EQ(write.err, kBackupHint);  // not a terminal: no progress bar

  const std::string back = dir.File("back.bin");
  const CliRun read = RunCliWith({"read", "--port", unit.Device(), "-o", back});
  EXPECT_EQ(read.status, kExitOk) << read.err;
  EXPECT_NE(read.out.find("Database loaded successfully"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(back), Bytes(written));

  EXPECT_EQ(unit.Stop(), 0);
  EXPECT_EQ(ReadWholeFile(saved), Bytes(written));
}

TEST_F(UnitCommands, ReadMergesIntoTheFileGiven) {
  const std::string db = dir.Write("unit.bin", Bytes(ImageWith(DistinctEntries(20, 5, 0))));
  UnitProcess unit({"--db", db});
  ASSERT_TRUE(unit.Started());
  const std::string into = dir.Write("into.bin", Bytes(ImageWith(DistinctEntries(10, 6, 1))));
  const std::string out = dir.File("out.bin");
  const CliRun read = RunCliWith({"read", "--port", unit.Device(), "--into", into, "-o", out});
  EXPECT_EQ(read.status, kExitOk) << read.err;
  DatabaseImage merged;
  ASSERT_EQ(LoadDatabaseFile(out, merged).status, DatabaseFileStatus::Ok);
  EXPECT_EQ(merged.Count(), 30);
}

TEST_F(UnitCommands, AMissingDeviceIsNamedAndFailsWithStatus1) {
  const CliRun read = RunCliWith({"read", "--port", dir.File("ttyUSB9"), "-o", dir.File("out.bin")});
  EXPECT_EQ(read.status, kExitFailed);
  EXPECT_TRUE(read.err.starts_with("Error: Error Opening Comm Port\n\nThere is no device " + dir.File("ttyUSB9") +
                                   ". Check the cable or USB adapter, or give another port with --port PATH.\n\n"))
      << read.err;
  // Then the ports this machine has, and how to give one; or that it has none.
  const bool listed = read.err.find(std::string(kMsgSerialPortsHere) + "\n") != std::string::npos &&
                      read.err.ends_with(std::string(kMsgUsePortOnCommandLine) + "\n");
  EXPECT_TRUE(listed || read.err.ends_with(std::string(kMsgNoSerialPorts) + "\n")) << read.err;
}

// The ports that do exist, each with the Comm it is without --port, as
// `ports` marks them, and the command line's way to take one.
TEST(CommandLinePortAdvice, ListsThePortsWithTheirCommAndTellsOfPort) {
  SerialPortInfo adapter;
  adapter.device = "/dev/ttyUSB0";
  adapter.description = "FT232R USB UART";
  adapter.usb = true;
  const std::string text = OpenFailureText(OpenStatus::NoSuchDevice, "/dev/ttyUSB9", "",
                                           CommandLinePortAdvice({adapter}, {"/dev/ttyUSB0", "/dev/ttyS1"}));
  EXPECT_EQ(text, std::string("Error Opening Comm Port\n\n"
                              "There is no device /dev/ttyUSB9. Check the cable or USB adapter, or give another port "
                              "with --port PATH.\n\n"
                              "The serial ports on this PC are:\n"
                              "  /dev/ttyUSB0 (FT232R USB UART): Comm1\n") +
                      kMsgUsePortOnCommandLine);
  EXPECT_NE(std::string(kMsgUsePortOnCommandLine).find("--comm1"), std::string::npos);
}

TEST_F(UnitCommands, PortIsOptionalAndPortsNamesComm1AndComm2) {
  // Whatever this machine has, `ports` says which device each Comm is.
  const CliRun ports = RunCliWith({"ports"});
  EXPECT_EQ(ports.status, kExitOk);
  EXPECT_NE(ports.out.find("Comm1"), std::string::npos) << ports.out;
  EXPECT_NE(ports.out.find("Comm2"), std::string::npos) << ports.out;
  for (const char* command : {"read", "write", "upgrade"}) {
    const CliRun usage = RunCliWith({command});
    EXPECT_EQ(usage.status, kExitUsage);
    EXPECT_EQ(usage.err.find("expected --port"), std::string::npos) << usage.err;
    EXPECT_NE(usage.err.find("[--port PATH]"), std::string::npos) << usage.err;
  }
}

TEST_F(UnitCommands, ADeviceAnotherProgramHoldsIsReportedBusy) {
  UnitProcess unit;
  ASSERT_TRUE(unit.Started());
  EnsureQtCore();
  QSerialPort holder(QString::fromStdString(unit.Device()));
  ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
  const std::string source = dir.Write("source.bin", Bytes(ImageWith({{1, 2}})));
  const CliRun write = RunCliWith({"write", "--port", unit.Device(), source});
  EXPECT_EQ(write.status, kExitFailed);
  EXPECT_NE(write.err.find("Error Opening Comm Port\n\n" + unit.Device() + " is in use by another program"),
            std::string::npos)
      << write.err;
}

TEST_F(UnitCommands, AUnitThatNeverEchoesTimesOutWithStatus3) {
  UnitProcess unit({"--never-echo"});
  ASSERT_TRUE(unit.Started());
  const CliRun read = RunCliWith({"read", "--port", unit.Device(), "-o", dir.File("out.bin")});
  EXPECT_EQ(read.status, kExitNoAnswer);
  EXPECT_EQ(read.err, "Error: " + unit.Device() + ": Timed out talking to unit. Please retry.\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.bin")));
}

TEST_F(UnitCommands, VerifyOfAUnitThatNeverEchoesTimesOutWithStatus3) {
  UnitProcess unit({"--never-echo"});
  ASSERT_TRUE(unit.Started());
  const std::string file = dir.Write("file.bin", Bytes(ImageWith({{1, 2}})));
  const CliRun verify = RunCliWith({"verify", "--port", unit.Device(), file});
  EXPECT_EQ(verify.status, kExitNoAnswer);
  EXPECT_EQ(verify.err, "Error: " + unit.Device() + ": Timed out talking to unit. Please retry.\n");
  EXPECT_EQ(verify.out, "");
}

// The safe update the command-line guide shows, with --json as a front end reads it:
// every line an object, the three phases in order, the outcome last.
TEST_F(UnitCommands, BackupWriteAndVerifyInOneCommandWithJson) {
  const DatabaseImage before = ImageWith(DistinctEntries(120, 31, 0));
  UnitProcess unit({"--db", dir.Write("unit.bin", Bytes(before))});
  ASSERT_TRUE(unit.Started());
  const std::string file = dir.Write("new.bin", Bytes(ImageWith(DistinctEntries(80, 32, 1))));
  const std::string backup = dir.File("old.bin");
  const CliRun write = RunCliWith({"write", "--port", unit.Device(), file, "--backup", backup, "--verify", "--json"});
  EXPECT_EQ(write.status, kExitOk) << write.out;
  EXPECT_EQ(write.err, "");
  EXPECT_TRUE(ReadWholeFile(backup) == Bytes(before));

  std::vector<std::string> phases;
  // The totals each phase gave, in turn: a read counts 1024 blocks until
  // block 0 tells how many hold entries (120 entries: 12; 80: 8).
  std::map<std::string, std::vector<int>> totals;
  QJsonObject last;
  std::istringstream lines(write.out);
  for (std::string line; std::getline(lines, line);) {
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line));
    ASSERT_TRUE(document.isObject()) << line;
    last = document.object();
    const std::string phase = last["phase"].toString().toStdString();
    if (!phase.empty() && (phases.empty() || phases.back() != phase)) phases.push_back(phase);
    if (!phase.empty() && (totals[phase].empty() || totals[phase].back() != last["total"].toInt())) {
      totals[phase].push_back(last["total"].toInt());
    }
  }
  EXPECT_EQ(phases, (std::vector<std::string>{"backup", "writing", "verifying"}));
  EXPECT_EQ(totals["backup"], (std::vector<int>{kBlockCount, 12}));
  EXPECT_EQ(totals["writing"], (std::vector<int>{kBlockCount}));
  EXPECT_EQ(totals["verifying"], (std::vector<int>{kBlockCount, 8}));
  EXPECT_EQ(unit.Stop(), 0);
  EXPECT_EQ(last["status"].toString(), "same");
  EXPECT_EQ(last["message"].toString(), "same 80 entries");
  EXPECT_EQ(last["exit"].toInt(), kExitOk);
  EXPECT_EQ(last["added"].toInt(-1), 0);
  EXPECT_EQ(last["removed"].toInt(-1), 0);
  // Every block the three transfers moved: the backup's 12, the write's
  // 1024, the verify's 8.
  EXPECT_EQ(last["blocks"].toInt(), 12 + kBlockCount + 8);
}

TEST_F(UnitCommands, AUnitThatEchoesTheWakeGivesNoResponseWithStatus3) {
  UnitProcess unit({"--echo-wake"});
  ASSERT_TRUE(unit.Started());
  const std::string source = dir.Write("source.bin", Bytes(ImageWith({{1, 2}})));
  const CliRun write = RunCliWith({"write", "--port", unit.Device(), source});
  EXPECT_EQ(write.status, kExitNoAnswer);
  EXPECT_EQ(write.err, std::string(kBackupHint) + "Error: " + unit.Device() + ": No response from Unit\n");
}

TEST_F(UnitCommands, UsageErrorsGiveStatus2AndNonDatabasesAreRefused) {
  EXPECT_EQ(RunCliWith({"read", "--port", "/dev/null"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({"read", "--into", "x"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({"write", "--port", "/dev/null"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({"write", "a", "b", "--port", "p"}).status, kExitUsage);
  EXPECT_EQ(RunCliWith({"ports", "extra"}).status, kExitUsage);
  // Read as Read from File reads it, with its message, before any port.
  const std::string notDb = dir.Write("notes.txt", "hello");
  const CliRun write = RunCliWith({"write", "--port", "/dev/null", notDb});
  EXPECT_EQ(write.status, kExitFailed);
  EXPECT_EQ(write.err, "Error: " + notDb + ": The file does not contain a valid database.\n");
}

// A file cut short after seven whole entries, whose header still counts
// 40: read as Read from File reads it, it holds those seven, and the
// filler after them never passes for camera locations.
TEST_F(UnitCommands, ReadIntoAShortFileTakesOnlyItsWholeEntries) {
  const std::vector<CameraEntry> unitEntries = DistinctEntries(3, 5, 0);
  UnitProcess unit({"--db", dir.Write("unit.bin", Bytes(ImageWith(unitEntries)))});
  ASSERT_TRUE(unit.Started());
  const std::vector<CameraEntry> fileEntries = DistinctEntries(7, 6, 1);
  DatabaseImage held = ImageWith(fileEntries);
  held.WriteHeader(40);
  const std::string shortFile = dir.Write("short.bin", Bytes(held, 8 + 7 * 6 + 4));
  const std::string out = dir.File("out.bin");

  const CliRun read = RunCliWith({"read", "--port", unit.Device(), "--into", shortFile, "-o", out});
  EXPECT_EQ(read.status, kExitOk) << read.err;
  EXPECT_EQ(read.out, "Completed: Database loaded successfully\n10 entries written to " + out + "\n");
  std::vector<CameraEntry> expected = fileEntries;
  expected.insert(expected.end(), unitEntries.begin(), unitEntries.end());
  EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith(expected)));
}

// A read asks for the blocks that hold the unit's entries and no more, and
// gives the same file as a read of the whole memory: 600 entries end in
// block 56. The unit says which blocks it was asked for when it stops.
TEST_F(UnitCommands, ReadAsksForTheBlocksWithEntriesAndAllBlocksForEveryOne) {
  const std::vector<CameraEntry> entries = DistinctEntries(600, 8);
  const std::string log = dir.File("unit.log");
  struct Way {
    std::vector<std::string> flags;
    const char* asked;
  };
  for (const Way& way :
       {Way{{}, "asked for 57 blocks: 0-56\n"}, Way{{"--all-blocks"}, "asked for 1024 blocks: 0-1023\n"}}) {
    UnitProcess unit({"--db", dir.Write("unit.bin", Bytes(NoisyImageWith(600, 8)))}, log);
    ASSERT_TRUE(unit.Started());
    const std::string out = dir.File("out.bin");
    std::vector<std::string> args = {"read", "--port", unit.Device(), "-o", out};
    args.insert(args.end(), way.flags.begin(), way.flags.end());
    const CliRun read = RunCliWith(args);
    EXPECT_EQ(read.status, kExitOk) << read.err;
    EXPECT_EQ(read.out, "Completed: Database loaded successfully\n600 entries written to " + out + "\n");
    // The unit's entries, and 0x00 past them however much was asked for.
    EXPECT_EQ(ReadWholeFile(out), Bytes(ImageWith(entries)));
    EXPECT_EQ(unit.Stop(), 0);
    const std::string said = ReadWholeFile(log);
    EXPECT_NE(said.find(way.asked), std::string::npos) << said;
    // And how long its line was in use, which the Wine benchmark times runs by.
    const std::string inUse = "the line was in use ";
    const std::size_t at = said.find(inUse);
    ASSERT_NE(at, std::string::npos) << said;
    std::size_t digits = 0;
    EXPECT_GT(std::stoi(said.substr(at + inUse.size()), &digits), 0);
    EXPECT_EQ(said.compare(at + inUse.size() + digits, 25, " ms, from the first byte "), 0) << said;
  }
}

// verify, write --backup and write --verify read as `read` does.
TEST_F(UnitCommands, VerifyAsksForTheBlocksWithEntriesOnly) {
  const DatabaseImage held = ImageWith(DistinctEntries(10, 9));
  const std::string log = dir.File("unit.log");
  UnitProcess unit({"--db", dir.Write("unit.bin", Bytes(held))}, log);
  ASSERT_TRUE(unit.Started());
  const CliRun verify = RunCliWith({"verify", "--port", unit.Device(), dir.Write("file.bin", Bytes(held))});
  EXPECT_EQ(verify.status, kExitOk) << verify.err;
  EXPECT_NE(verify.out.find("same 10 entries"), std::string::npos) << verify.out;
  EXPECT_EQ(unit.Stop(), 0);
  EXPECT_NE(ReadWholeFile(log).find("asked for 2 blocks: 0-1\n"), std::string::npos) << ReadWholeFile(log);
}

// An adapter pulled out part-way through a read: the unit's side of the
// pseudo-terminal closes. That is a lost line, told at once, not a time-out
// to retry; nothing is written.
TEST_F(UnitCommands, AUnitThatVanishesMidReadIsALostLineNotATimeOut) {
  UnitProcess unit({"--sample", "--vanish-after", "3000"});  // mid-read: 57 blocks are 3,877 bytes
  ASSERT_TRUE(unit.Started());
  const std::string out = dir.File("out.bin");
  const CliRun read = RunCliWith({"read", "--port", unit.Device(), "-o", out});
  EXPECT_EQ(read.status, kExitFailed);
  EXPECT_EQ(read.err, "Error: " + unit.Device() + ": " + kMsgLineLost + "\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(ProgressBar, ShowsBlocksAndPercentOnOneLine) {
  EXPECT_EQ(ProgressBar::Line("reading", 0, 1024), "reading [..............................]    0/1024 blocks   0%");
  EXPECT_EQ(ProgressBar::Line("writing", 512, 1024), "writing [###############...............]  512/1024 blocks  50%");
  EXPECT_EQ(ProgressBar::Line("reading", 1024, 1024), "reading [##############################] 1024/1024 blocks 100%");
  // The time left is padded, so a shorter one covers a longer one.
  EXPECT_EQ(ProgressBar::Line("reading", 512, 1024, "about 45 s left").size(),
            ProgressBar::Line("reading", 512, 1024, "about 1 min 50 s left").size());
  VirtualClock clock;
  std::ostringstream err;
  ProgressBar bar(err, "reading", clock, PlainLineMs(kReadBlockLineBytes));
  bar.Start(1024);
  for (int i = 1; i <= 1024; ++i) {
    clock.Advance(12);  // about the pace of a plain serial line
    bar.Step(i);
  }
  bar.Done();
  EXPECT_EQ(err.str().find('\n'), err.str().size() - 1);
  // Built by append: GCC 12 at -O2 warns falsely (-Wrestrict) inside
  // operator+(const char*, std::string&&).
  EXPECT_NE(err.str().find(std::string("\r").append(ProgressBar::Line("reading", 8, 1024, "about 15 s left"))),
            std::string::npos);
  EXPECT_NE(err.str().find(std::string("\r").append(ProgressBar::Line("reading", 1024, 1024))), std::string::npos);

  // A read told after block 0 that 57 blocks hold the entries ends at 57.
  std::ostringstream held;
  ProgressBar heldBar(held, "reading", clock, PlainLineMs(kReadBlockLineBytes));
  heldBar.Start(1024);
  clock.Advance(12);
  heldBar.Retotal(57);
  for (int i = 1; i <= 57; ++i) {
    if (i > 1) clock.Advance(12);
    heldBar.Step(i);
  }
  heldBar.Done();
  EXPECT_NE(held.str().find(std::string("\r").append(ProgressBar::Line("reading", 8, 57, "about 5 s left"))),
            std::string::npos)
      << held.str();
  EXPECT_TRUE(held.str().ends_with(std::string("\r").append(ProgressBar::Line("reading", 57, 57)).append("\n")))
      << held.str();
}

TEST(ProgressBar, AddsTheAdviceOnTheLatencyTimerWhenThePaceIsFarBelowTheLine) {
  // A read through a 16 ms adapter: 67 round trips of 16 ms a block.
  VirtualClock clock;
  std::ostringstream err;
  ProgressBar bar(err, "reading", clock, PlainLineMs(kReadBlockLineBytes));
  bar.Start(1024);
  for (int i = 1; i <= 16; ++i) {
    clock.Advance(67 * 16);
    bar.Step(i);
  }
  bar.Failed();
  EXPECT_NE(err.str().find(std::string("\n").append(kMsgSlowAdapter).append("\n")), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("about 18 min left"), std::string::npos) << err.str();
}

TEST(ProgressBar, AnUpgradeThroughASlowAdapterGetsNoAdviceItCouldNotUse) {
  // The upload's own waits set its pace: 64 ms a block at 16 ms, 70 at 1 ms.
  VirtualClock clock;
  std::ostringstream err;
  ProgressBar bar(err, "upgrading", clock, kUploadBlockPlainLineMs);
  bar.Start(960);
  for (int i = 1; i <= 960; ++i) {
    clock.Advance(70);
    bar.Step(i);
  }
  bar.Done();
  EXPECT_EQ(err.str().find(kMsgSlowAdapter), std::string::npos) << err.str();
}

TEST(PortsListing, MarksComm1AndComm2AndShowsStableNames) {
  SerialPortInfo builtIn;
  builtIn.device = "/dev/ttyS0";
  builtIn.builtIn = true;
  SerialPortInfo adapter;
  adapter.device = "/dev/ttyUSB0";
  adapter.stableName = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
  adapter.description = "FT232R USB UART";
  adapter.manufacturer = "FTDI";
  adapter.usb = true;
  adapter.vendorId = 0x0403;
  adapter.productId = 0x6001;
  EXPECT_EQ(PortsListing({builtIn, adapter}, {"/dev/ttyS0", adapter.stableName}),
            "/dev/ttyS0  [Comm1]\n"
            "/dev/ttyUSB0  FT232R USB UART (FTDI)  usb 0403:6001  [Comm2]\n"
            "    /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\n");
  EXPECT_EQ(PortsListing({}, {"/dev/ttyS0", "/dev/ttyS1"}),
            "no serial ports found\nComm1 is /dev/ttyS0, not present\nComm2 is /dev/ttyS1, not present\n");
}

}  // namespace
