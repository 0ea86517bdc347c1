// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/UnitCommand.h"

#include <ctime>

#include "link/LinkConstants.h"
#include "resources/Strings.h"
#include "user/MessageBox.h"

const char* ToString(UnitCommandOutcome outcome) {
  switch (outcome) {
    case UnitCommandOutcome::Cancelled: return "cancelled";
    case UnitCommandOutcome::OpenFailed: return "port not opened";
    case UnitCommandOutcome::LineNeverQuiet: return "line never quiet";
    case UnitCommandOutcome::NoResponse: return "no response from unit";
    case UnitCommandOutcome::TimedOut: return "timed out";
    case UnitCommandOutcome::LineLost: return "line lost";
    case UnitCommandOutcome::Stopped: return "stopped";
    case UnitCommandOutcome::FileRefused: return "file refused";
    case UnitCommandOutcome::NotConfirmed: return "end not confirmed";
    case UnitCommandOutcome::Completed: return "completed";
  }
  return "unknown";
}

UnitCommandOutcome OutcomeOf(LinkStatus status) {
  switch (status) {
    case LinkStatus::OpenFailed: return UnitCommandOutcome::OpenFailed;
    case LinkStatus::LineNeverQuiet: return UnitCommandOutcome::LineNeverQuiet;
    case LinkStatus::NoResponse: return UnitCommandOutcome::NoResponse;
    case LinkStatus::LineLost: return UnitCommandOutcome::LineLost;
    case LinkStatus::Ok: break;
  }
  return UnitCommandOutcome::Completed;
}

std::string OpenFailureText(OpenStatus status, const std::string& path, const std::string& detail,
                            const PortAdvice& advice) {
  const char* reason = nullptr;
  switch (status) {
    case OpenStatus::NoSuchDevice: reason = advice.missing.empty() ? kMsgPortMissing : advice.missing.c_str(); break;
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
      text += advice.howToUse;
    }
  }
  return text;
}

UnitCommandOutcome TellFailure(TransferContext& context, UnitCommandOutcome outcome, const LinkResult& link) {
  std::string text;
  switch (outcome) {
    case UnitCommandOutcome::OpenFailed:
      text = OpenFailureText(link.openStatus, context.PortPath(), link.detail, context.portAdvice);
      break;
    case UnitCommandOutcome::LineNeverQuiet: text = kMsgLineNeverQuiet; break;
    case UnitCommandOutcome::NoResponse: text = kMsgNoResponse; break;
    case UnitCommandOutcome::TimedOut: text = kMsgTimedOut; break;
    case UnitCommandOutcome::LineLost: text = kMsgLineLost; break;
    case UnitCommandOutcome::Cancelled:
    case UnitCommandOutcome::Stopped:
    case UnitCommandOutcome::FileRefused:
    case UnitCommandOutcome::NotConfirmed:
    case UnitCommandOutcome::Completed: return outcome;
  }
  context.messages.Show(text, kCaptionError, MessageStyle::Ok);
  return outcome;
}

UnitCommandOutcome AbandonTransfer(TransferContext& context, UnitLink& link, UnitCommandOutcome why) {
  if (!link.LineLost()) link.Send(kEndTransfer);
  link.Close();
  context.progress.Failed();
  return why;
}

void KeepInHistory(UnitCommandContext& context, const DatabaseImage& image, UnitTransfer transfer) {
  if (context.history == nullptr) return;
  if (context.history->Keep(image, transfer, std::time(nullptr)) == KeepStatus::CannotWrite) {
    context.messages.Show(FormatMessageText(kMsgHistoryNotKept, context.history->Folder()), kCaptionWarning,
                          MessageStyle::Ok);
  }
}
