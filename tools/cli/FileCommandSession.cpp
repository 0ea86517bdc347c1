#include "tools/cli/FileCommandSession.h"

#include <algorithm>
#include <ostream>

#include "database/CameraCsv.h"
#include "resources/Strings.h"

int PrintingMessageBox::Show(const std::string& text, const std::string& caption, MessageStyle) {
  std::ostream& stream = caption == kCaptionError ? m_io.err : m_io.out;
  std::string body = text;
  while (!body.empty() && body.back() == '\n') body.pop_back();
  stream << caption << ": " << body << '\n';
  return IDOK;
}

FileCommandSession::FileCommandSession(CliStreams& io)
    : m_io(io),
      m_messages(io),
      m_context{m_messages, m_prompt, {}, m_images->working, m_images->incoming, m_images->scratch} {}

bool FileCommandSession::ReadFromFile(const std::string& path) {
  m_prompt.Give(path);
  return ReadFromFileCommand(m_context) == CommandOutcome::Completed;
}

bool FileCommandSession::ImportCameraData(const std::string& path) {
  m_prompt.Give(path);
  CsvImportResult details;
  const bool ok = ImportCameraDataCommand(m_context, &details) == CommandOutcome::Completed;
  for (const CsvSkippedLine& line : details.firstSkipped) {
    m_io.err << path << ':' << line.line << ": " << ToString(line.status) << ", found '" << line.found << "'\n";
  }
  if (details.skipped > static_cast<int>(details.firstSkipped.size())) {
    m_io.err << path << ": " << details.skipped - static_cast<int>(details.firstSkipped.size())
             << " more lines skipped\n";
  }
  return ok;
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

bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valued, ParsedArgs& parsed,
               std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      parsed.positional.push_back(arg);
      continue;
    }
    if (std::find(valued.begin(), valued.end(), arg) == valued.end()) {
      error = "unknown option " + arg;
      return false;
    }
    if (i + 1 == args.size()) {
      error = arg + " needs a file name";
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
