// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands with the unit as whole flows, as the window, the command-line
// tool and the tests run them: what they ask and tell on the thread the user
// works on, the transfer handed to a runner, and the words a transfer's
// failures are told in.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/FrontEndWords.h"
#include "common/Files.h"
#include "database/DatabaseImage.h"
#include "database/UnitHistory.h"
#include "link/ReadFromUnit.h"
#include "link/Transfer.h"
#include "link/WriteToUnit.h"
#include "upgrade/FirmwareImage.h"
#include "upgrade/HexLoader.h"
#include "upgrade/UpgradeUnit.h"

class FileNamePrompt;
class MessageBox;
class TransferRunner;

// What a user is told after a port that does not exist: the serial ports
// there are (with the Comm each is) and how to use one of them.
struct PortAdvice {
  std::vector<SerialPortInfo> present;
  CommPaths comm;
  const FrontEndWords* words = &WindowWords();  // how to take another port
};

// "Error Opening Comm Port", then after a blank line why and what to do,
// when the reason is known; for a device that does not exist, then the
// ports that do and how to take one of them, in the advice's words.
std::string OpenFailureText(OpenStatus status, const std::string& path, const std::string& detail,
                            const PortAdvice& advice = {});

// Tells a transfer's failures in `messages` (caption "Error"), and the
// upgrade's end ("Finished ok." as "Completed", else "Unit did not respond
// correctly..." as "Error"), on the thread the transfer runs on.
class MessageTeller : public TransferTeller {
 public:
  explicit MessageTeller(MessageBox& messages, PortAdvice portAdvice = {})
      : advice(std::move(portAdvice)), m_messages(messages) {}
  void Failed(UnitCommandOutcome outcome, const LinkResult& link, const std::string& port) override;
  void UpgradeEnded(UnitCommandOutcome outcome) override;

  PortAdvice advice;  // told when the port does not exist

 private:
  MessageBox& m_messages;
};

// What a unit command is run with on the thread the user works on. The
// command asks and tells the user through `messages` and `prompt`, and
// hands its exchange with the unit to `runner`, which may run it on
// another thread.
struct UnitCommandContext {
  MessageBox& messages;
  FileNamePrompt& prompt;  // the upgrade's "Firmware Upgrade" dialog
  TransferRunner& runner;
  // Puts the held database on screen at once; after a read has merged.
  std::function<void()> redrawNow;
  // Where every database read from or written to the unit is kept once the
  // transfer has succeeded; none keeps nothing.
  const UnitHistory* history = nullptr;
};

// After a transfer's own last message: keeps `image` in the context's
// history. A history that cannot be written never fails the transfer; it is
// told once, as a "Warning".
void KeepInHistory(UnitCommandContext& context, const DatabaseImage& image, UnitTransfer transfer);

struct ReadTargets {
  DatabaseImage& working;
  DatabaseImage& incoming;
  DatabaseImage& scratch;
};

// Database > Read from Unit: the OK/Cancel prompt (anything but OK ends it
// with nothing opened and nothing shown), the transfer through the
// context's runner, then the merge into `working`, the redraw, the
// "database full" warning if entries were left out, and "Database loaded
// successfully". A transfer that did not complete leaves both images as
// they were.
UnitCommandOutcome ReadFromUnitCommand(UnitCommandContext& context, ReadTargets images,
                                       ReadExtent extent = ReadExtent::Held);

// Database > Write to Unit: the OK/Cancel prompt (anything but OK ends it
// with nothing opened), the transfer through the context's runner, then
// "Database written successfully". `working` is only read.
UnitCommandOutcome WriteToUnitCommand(UnitCommandContext& context, const DatabaseImage& working);

// Advanced > Upgrade Unit S/W: the "Firmware Upgrade" dialog (Cancel ends
// it silently, an empty name with "Please specify a filename."), the file
// loaded whole into `firmware` (refused with "Cannot open file %s for
// reading." or "The file %s is not a valid HEX file (line %d)." and nothing
// stored), then the upload without a prompt; the HEX file stays open until
// both are over. `details`, when given, receives what the loader found, for
// a fuller report.
UnitCommandOutcome UpgradeUnitCommand(UnitCommandContext& context, FirmwareTargets firmware,
                                      HexLoadResult* details = nullptr);

struct LoadedFirmware {
  FileHandle file{nullptr, &std::fclose};                        // open until the command ends; null when it ended here
  UnitCommandOutcome otherwise = UnitCommandOutcome::Cancelled;  // why, when null
  HexLoadResult hex;                                             // what the loader found
};

// The upgrade's file step: opens `name` in text mode and loads it whole
// into `image` and `highest`, with the messages above.
LoadedFirmware OpenAndLoadFirmware(MessageBox& messages, const std::string& name, FirmwareBytes& image,
                                   std::uint32_t& highest);
