// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/FileCommandSession.h"

#include <QJsonObject>
#include <ostream>

#include "cli/JsonLines.h"
#include "resources/Strings.h"

MessageAnswer PrintingMessageBox::Show(const std::string& text, const std::string& caption, MessageStyle style) {
  if (style == MessageStyle::OkCancel) return MessageAnswer::Ok;
  // The command line asks nothing: its options have answered.
  if (style == MessageStyle::YesNo) return MessageAnswer::No;
  std::string body = text;
  while (!body.empty() && body.back() == '\n') body.pop_back();
  m_last = body;
  if (m_io.json) {
    PrintJson(m_io.out, {{"caption", QString::fromStdString(caption)}, {"message", QString::fromStdString(body)}});
    return MessageAnswer::Ok;
  }
  if (caption != kCaptionError) {
    m_io.out << caption << ": " << body << '\n';
    return MessageAnswer::Ok;
  }
  m_io.err << caption << ": ";
  if (!m_io.subject.empty() && body.find(m_io.subject) == std::string::npos) m_io.err << m_io.subject << ": ";
  m_io.err << body << '\n';
  return MessageAnswer::Ok;
}

void PrintingMessageBox::Say(std::ostream& plain, const std::string& text, const std::string& caption) {
  if (m_io.json) {
    Show(text, caption, MessageStyle::Ok);
    return;
  }
  m_last = text;
  plain << text << '\n';
}

FileCommandSession::FileCommandSession(CliStreams& io)
    : m_io(io), m_messages(io), m_context{m_messages,        m_prompt,           {},
                                          m_images->working, m_images->incoming, m_images->scratch,
                                          CommandLineWords()} {}

bool FileCommandSession::ReadFromFile(const std::string& path) {
  m_io.subject = path;
  m_prompt.Give(path);
  return ReadFromFileCommand(m_context) == CommandOutcome::Completed;
}

bool FileCommandSession::WriteToFile(const std::string& path) {
  m_io.subject = path;
  m_prompt.Give(path);
  return WriteToFileCommand(m_context) == CommandOutcome::Completed;
}

CliOutcome FileCommandSession::Refused(const std::string& path, int exit) const {
  CliOutcome outcome{"file refused", exit, LastMessage()};
  outcome.file = path;
  return outcome;
}

CliOutcome FileCommandSession::WriteOut(const std::string& path) {
  const bool written = WriteToFile(path);
  CliOutcome outcome{written ? "completed" : "not written", written ? kExitOk : kExitFailed, LastMessage()};
  if (written) outcome.entries = Working().Count();
  outcome.file = path;
  return outcome;
}

UnitCommandContext FileCommandSession::UnitContext(TransferRunner& runner) {
  return {m_messages, m_prompt, runner, {}, &m_history};
}
