// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's commands run without a window: names come from the command
// line instead of a dialog, and messages are printed instead of shown. One
// session holds one database, empty at the start. The file commands run on
// it through ReadFromFile and WriteToFile; a unit command runs on it as
// the window runs it, with the session's UnitContext:
//
//   FileCommandSession session(io);
//   CliTransferRunner runner(io, session.Messages(), port);
//   UnitCommandContext context = session.UnitContext(runner);
//   ReadFromUnitCommand(context, session.Targets());
#include <memory>
#include <string>

#include "cli/JsonLines.h"
#include "cli/Subcommand.h"
#include "commands/FileCommands.h"
#include "commands/UnitCommand.h"
#include "common/CommandLine.h"
#include "user/FileNamePrompt.h"
#include "user/MessageBox.h"

// Prints "Caption: text"; errors go to the error stream. With --json each
// message is {"caption": ..., "message": ...} on the output stream. An
// OK/Cancel question (the unit commands' "Apply power to your unit...") is
// neither printed nor waited for: running the command was the user's OK.
class PrintingMessageBox : public MessageBox {
 public:
  explicit PrintingMessageBox(CliStreams& io) : m_io(io) {}
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageStyle style) override;
  // A line of the command line's own (a filter's count, a list's skipped
  // items): as it is on `plain` (the output or the error stream); with
  // --json a message like the others, under `caption`.
  void Say(std::ostream& plain, const std::string& text, const std::string& caption);
  // The text of the last message printed, without its trailing newlines.
  const std::string& LastText() const { return m_last; }

 private:
  CliStreams& m_io;
  std::string m_last;
};

// Answers every dialog with the name it was given last.
class GivenNamePrompt : public FileNamePrompt {
 public:
  void Give(std::string name) { m_name = std::move(name); }
  std::optional<std::string> Ask(FileNameDialogKind) override { return m_name; }

 private:
  std::string m_name;
};

class FileCommandSession {
 public:
  explicit FileCommandSession(CliStreams& io);

  // Each runs the program's command on `path`; false when it failed.
  bool ReadFromFile(const std::string& path);
  bool WriteToFile(const std::string& path);

  const DatabaseImage& Working() const { return m_images->working; }
  PrintingMessageBox& Messages() { return m_messages; }
  // The text of the last message the session printed.
  const std::string& LastMessage() const { return m_messages.LastText(); }
  // The outcome of a file that a read refused: "file refused", `exit`, the
  // last message, the file.
  CliOutcome Refused(const std::string& path, int exit) const;
  // Write to File on `path`, and its outcome: "completed" with the entries
  // written, or "not written" with the status kExitFailed; the file either way.
  CliOutcome WriteOut(const std::string& path);
  // The answer of the next file-name dialog (the upgrade's HEX file).
  void GiveName(std::string name) { m_prompt.Give(std::move(name)); }
  // For commands that run a flow of their own on the session's database.
  DatabaseCommandContext& Context() { return m_context; }
  // For the unit commands: the session's messages and names, their
  // exchange with the unit run by `runner`, on the session's images.
  UnitCommandContext UnitContext(TransferRunner& runner);
  ReadTargets Targets() { return {m_images->working, m_images->incoming, m_images->scratch}; }

 private:
  struct Images {
    DatabaseImage working, incoming, scratch;
  };
  CliStreams& m_io;
  std::unique_ptr<Images> m_images = std::make_unique<Images>();
  PrintingMessageBox m_messages;
  GivenNamePrompt m_prompt;
  DatabaseCommandContext m_context;
  // Every database to or from the unit is kept there, as the window keeps it.
  UnitHistory m_history = UnitHistory::ForUser();
};
