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

UnitCommandContext FileCommandSession::UnitContext(TransferRunner& runner) {
  return {m_messages, m_prompt, runner, {}, &m_history};
}
