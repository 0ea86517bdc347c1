// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file commands as whole flows: each asks for a file name, checks it,
// does its work and tells the user, through the interfaces in the context.
// The view's handlers only build the context.
#include <functional>
#include <optional>
#include <string>

#include "commands/FrontEndWords.h"
#include "database/CameraList.h"
#include "database/DatabaseFile.h"
#include "database/DatabaseImage.h"
#include "user/FileNamePrompt.h"

struct CsvImportResult;
class HistoryPicker;
class UnitHistory;
class MessageBox;

struct DatabaseCommandContext {
  MessageBox& messages;
  FileNamePrompt& prompt;
  // Puts the held database on screen at once; called after every merge,
  // before any further message.
  std::function<void()> redrawNow;
  DatabaseImage& working;
  DatabaseImage& incoming;
  DatabaseImage& scratch;
  const FrontEndWords& words;  // the front end's own, where the two differ
};

enum class CommandOutcome {
  Cancelled,  // the dialog was not left with OK; nothing was shown
  Failed,     // an error message was shown; the held database is unchanged
  Completed,  // done, perhaps with a warning
};

// Read from File: merges a database file into the held database.
CommandOutcome ReadFromFileCommand(DatabaseCommandContext& context);
// The same for `name`, asking for nothing.
CommandOutcome ReadFromFileCommand(DatabaseCommandContext& context, const std::string& name);
// Write to File: saves the held database as a 65,536-byte file.
CommandOutcome WriteToFileCommand(DatabaseCommandContext& context);
// Write to File's words for a file it could not write: "Cannot open file
// %s for writing." where it could not be made or opened (a read-only file
// among them), else "Cannot write file %s.".
std::string WriteFailureText(DatabaseFileStatus status, const std::string& name);
// Import Camera Data: converts a camera CSV file and merges its locations.
// `details`, when given, receives what the reading of the file found.
CommandOutcome ImportCameraDataCommand(DatabaseCommandContext& context, CsvImportResult* details);
inline CommandOutcome ImportCameraDataCommand(DatabaseCommandContext& context) {
  return ImportCameraDataCommand(context, nullptr);
}
// A front end's reader of lists in every format (see CameraListReader.h).
using ListReader = ListReadResult (*)(const std::string& path, ListFormat format, const ListReadOptions& options);
// Import Camera Data of a list in any format, told by its extension, or by
// its content where that says nothing: CSV exactly as above, any other
// through `readList`, then loaded, told and merged as the command line's
// import does, with what was skipped or passed over told in a "Warning".
CommandOutcome ImportCameraDataCommand(DatabaseCommandContext& context, ListReader readList);
// The same for `name`, asking for nothing.
CommandOutcome ImportCameraDataCommand(DatabaseCommandContext& context, const std::string& name, ListReader readList);

// Database > Unit History...: with nothing kept, says so (or that the
// history is off) and ends; else `picker` shows the kept databases, and the
// one chosen is read as Read from File reads a file.
CommandOutcome UnitHistoryCommand(DatabaseCommandContext& context, const UnitHistory& history, HistoryPicker& picker);

// A file given to the program (on its command line, by "Open with", or
// opened with Ctrl+O): a database file, named .db or beginning with the
// signature 55 AA, and not named as a list is, is read as Read from File
// reads it; any other file is imported as Import Camera Data imports it,
// with the same messages.
CommandOutcome LoadGivenFileCommand(DatabaseCommandContext& context, const std::string& name, ListReader readList);

// Shared by the commands: asks for the name in the dialog of `kind`. No name
// when the dialog was cancelled, or left with an empty name, which has then
// been reported; `otherwise` says which.
struct FileNameAnswer {
  std::optional<std::string> name;
  CommandOutcome otherwise = CommandOutcome::Cancelled;
};
FileNameAnswer AskForFileName(DatabaseCommandContext& context, FileNameDialogKind kind);

// Shared by the loads: merges `incoming` into `working`, redraws, and says
// so when the database had no room for all of the new entries.
void MergeAndRedraw(DatabaseCommandContext& context);
