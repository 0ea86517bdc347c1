// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unit's database around a write: read whole, saved as a backup, or
// compared with what was meant to be written. Each takes the runner that
// talks to the unit (a CliTransferRunner in the tool; tests give one on
// the in-process unit in virtual time).
#include <functional>
#include <optional>
#include <string>

#include "cli/DifferenceReport.h"
#include "cli/FileCommandSession.h"
#include "commands/TransferRunner.h"
#include "database/DatabaseFile.h"
#include "database/DatabaseImage.h"

// Reads the unit's whole database into `session`'s database, which must
// still be empty: it then holds the unit's entries, in the unit's order.
// The program's messages print through the session as they come.
UnitCommandOutcome ReadUnitDatabase(FileCommandSession& session, TransferRunner& runner);

// What came of saving the unit's database to a file.
struct UnitSave {
  UnitCommandOutcome read = UnitCommandOutcome::Completed;  // anything else: nothing was saved
  DatabaseFileStatus written = DatabaseFileStatus::Ok;      // only when the read completed
  int entries = 0;
  bool Ok() const { return read == UnitCommandOutcome::Completed && written == DatabaseFileStatus::Ok; }
};

// Reads the unit and writes its database to `path` with the atomic writer
// (an empty unit still gives a file); refuses where Write to File refuses,
// leaving the old file as it was. Prints "N entries written to PATH", or
// Write to File's message on why the file was not written.
UnitSave SaveUnitDatabase(CliStreams& io, TransferRunner& runner, const std::string& path);

// Reads the unit and reports how its database (A) differs from `expected`
// (B). A unit that fails gives the exit status of its outcome instead, and
// nothing is reported.
struct UnitVerdict {
  UnitCommandOutcome read = UnitCommandOutcome::Completed;
  DifferenceVerdict difference{};
};
UnitVerdict VerifyUnit(CliStreams& io, TransferRunner& runner, const DatabaseImage& expected);
// How a verify ended: the unit's outcome (with `unitMessage`) when the read
// failed, else the comparison's verdict; with the blocks moved either way.
CliOutcome VerifyOutcome(const UnitVerdict& verdict, const std::string& unitMessage, std::optional<int> blocks);

// What `write` does once FILE is in `session`: with a backup path, the
// unit's database saved there first (nothing is written when that fails);
// without one, a word on standard error that --backup exists; the write;
// then, with `verify`, the unit read back and compared with FILE. Gives
// the command's exit status and, with --json, prints its outcome line.
// Said on standard error by a write without --backup.
inline constexpr const char* kBackupHint =
    "zorvane-cli write: --backup OLD would first save the unit's database to OLD\n";

struct SafeWriteOptions {
  const std::string* backup = nullptr;
  bool verify = false;
  // Told which part is going on ("backup", "" for the write, "verifying"),
  // for the runner's progress; may be empty.
  std::function<void(const std::string&)> setPhase{};
  // The blocks the runner has moved so far, for the outcome line; may be
  // empty, and then the outcome tells none.
  std::function<std::optional<int>()> blocksMoved{};
  void Phase(const std::string& phase) const {
    if (setPhase) setPhase(phase);
  }
  std::optional<int> Blocks() const { return blocksMoved ? blocksMoved() : std::nullopt; }
};
int WriteSafely(CliStreams& io, FileCommandSession& session, TransferRunner& runner, const SafeWriteOptions& options);
