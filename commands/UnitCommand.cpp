// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/UnitCommand.h"

#include <ctime>

#include "resources/Strings.h"
#include "user/MessageBox.h"

std::string OpenFailureText(OpenStatus status, const std::string& path, const std::string& detail,
                            const PortAdvice& advice) {
  const char* reason = nullptr;
  switch (status) {
    case OpenStatus::NoSuchDevice: reason = advice.words->portMissing; break;
    case OpenStatus::PermissionDenied: reason = kMsgPortPermission; break;
    case OpenStatus::Busy: reason = kMsgPortBusy; break;
    case OpenStatus::Ok:
    case OpenStatus::Other: break;
  }
  std::string text = kMsgErrorOpeningCommPort;
  if (reason != nullptr) {
    text += "\n\n";
    text += FormatMessageText(reason, path);
  } else if (!detail.empty()) {
    text += "\n\n";
    text += path;
    text += ": ";
    text += detail;
  }
  if (status == OpenStatus::NoSuchDevice) {
    text += "\n\n";
    if (advice.present.empty()) {
      text += kMsgNoSerialPorts;
    } else {
      text += kMsgSerialPortsHere;
      text += '\n';
      text += PortListText(advice.present, advice.comm);
      text += advice.words->useAnotherPort;
    }
  }
  return text;
}

void MessageTeller::Failed(UnitCommandOutcome outcome, const LinkResult& link, const std::string& port) {
  std::string text;
  switch (outcome) {
    case UnitCommandOutcome::OpenFailed: text = OpenFailureText(link.openStatus, port, link.detail, advice); break;
    case UnitCommandOutcome::LineNeverQuiet: text = kMsgLineNeverQuiet; break;
    case UnitCommandOutcome::NoResponse: text = kMsgNoResponse; break;
    case UnitCommandOutcome::TimedOut: text = kMsgTimedOut; break;
    case UnitCommandOutcome::LineLost: text = kMsgLineLost; break;
    case UnitCommandOutcome::Cancelled:
    case UnitCommandOutcome::Stopped:
    case UnitCommandOutcome::FileRefused:
    case UnitCommandOutcome::NotConfirmed:
    case UnitCommandOutcome::Completed: return;
  }
  m_messages.Show(text, kCaptionError, MessageStyle::Ok);
}

void MessageTeller::UpgradeEnded(UnitCommandOutcome outcome) {
  if (outcome == UnitCommandOutcome::Completed) {
    m_messages.Show(kMsgUpgradeFinished, kCaptionCompleted, MessageStyle::Ok);
  } else {
    m_messages.Show(kMsgUpgradeNotConfirmed, kCaptionError, MessageStyle::Ok);
  }
}

void KeepInHistory(UnitCommandContext& context, const DatabaseImage& image, UnitTransfer transfer) {
  if (context.history == nullptr) return;
  if (context.history->Keep(image, transfer, std::time(nullptr)) == KeepStatus::CannotWrite) {
    context.messages.Show(FormatMessageText(kMsgHistoryNotKept, context.history->Folder()), kCaptionWarning,
                          MessageStyle::Ok);
  }
}
