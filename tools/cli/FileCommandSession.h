#pragma once
// The program's file commands run without a window: names come from the
// command line instead of a dialog, and messages are printed instead of
// shown. One session holds one database, empty at the start.
#include <memory>
#include <string>

#include "database/FileCommands.h"
#include "user/FileNamePrompt.h"
#include "user/MessageBox.h"
#include "tools/cli/Subcommand.h"

// Prints "Caption: text"; errors go to the error stream.
class PrintingMessageBox : public MessageBox {
 public:
  explicit PrintingMessageBox(CliStreams& io) : m_io(io) {}
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageStyle style) override;

 private:
  CliStreams& m_io;
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
  // For commands that run a flow of their own on the session's database.
  DatabaseCommandContext& Context() { return m_context; }

 private:
  struct Images {
    DatabaseImage working, incoming, scratch;
  };
  CliStreams& m_io;
  std::unique_ptr<Images> m_images = std::make_unique<Images>();
  PrintingMessageBox m_messages;
  GivenNamePrompt m_prompt;
  DatabaseCommandContext m_context;
};

// Splits "-o OUT" (and further options named in `valued`) from the
// positional arguments. Returns false, with `error` set, on a repeated or
// unknown option or one without its value.
struct ParsedArgs {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;
  std::vector<std::string> flags;
  const std::string* Option(const std::string& name) const;
  bool Flag(const std::string& name) const;
};
bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued, ParsedArgs& parsed,
               std::string& error);
// The same, with options in `flags` that take no value.
bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued,
               const std::vector<std::string>& flags, ParsedArgs& parsed, std::string& error);
