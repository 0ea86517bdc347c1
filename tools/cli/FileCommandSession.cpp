#include "tools/cli/FileCommandSession.h"

#include <algorithm>
#include <ostream>

#include "resources/Strings.h"

MessageAnswer PrintingMessageBox::Show(const std::string& text, const std::string& caption, MessageStyle) {
  std::ostream& stream = caption == kCaptionError ? m_io.err : m_io.out;
  std::string body = text;
  while (!body.empty() && body.back() == '\n') body.pop_back();
  stream << caption << ": " << body << '\n';
  return MessageAnswer::Ok;
}

FileCommandSession::FileCommandSession(CliStreams& io)
    : m_io(io),
      m_messages(io),
      m_context{m_messages, m_prompt, {}, m_images->working, m_images->incoming, m_images->scratch} {}

bool FileCommandSession::ReadFromFile(const std::string& path) {
  m_prompt.Give(path);
  return ReadFromFileCommand(m_context) == CommandOutcome::Completed;
}

bool FileCommandSession::WriteToFile(const std::string& path) {
  m_prompt.Give(path);
  return WriteToFileCommand(m_context) == CommandOutcome::Completed;
}

const std::string* ParsedArgs::Option(const std::string& name) const {
  for (const auto& [key, value] : options) {
    if (key == name) return &value;
  }
  return nullptr;
}

bool ParsedArgs::Flag(const std::string& name) const {
  return std::find(flags.begin(), flags.end(), name) != flags.end();
}

bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued, ParsedArgs& parsed,
               std::string& error) {
  return ParseArgs(args, valued, {}, parsed, error);
}

bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued,
               const std::vector<std::string>& flags, ParsedArgs& parsed, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      parsed.positional.push_back(arg);
      continue;
    }
    if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
      if (!parsed.Flag(arg)) parsed.flags.push_back(arg);
      continue;
    }
    if (std::find(valued.begin(), valued.end(), arg) == valued.end()) {
      error = "unknown option " + arg;
      return false;
    }
    if (i + 1 == args.size()) {
      error = arg + " needs a value";
      return false;
    }
    if (parsed.Option(arg) != nullptr) {
      error = arg + " given twice";
      return false;
    }
    parsed.options.emplace_back(arg, args[++i]);
  }
  return true;
}
