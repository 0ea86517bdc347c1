#include "link/UnitCommand.h"

#include "user/MessageBox.h"
#include "link/LinkConstants.h"
#include "resources/Strings.h"

const char* ToString(UnitCommandOutcome outcome) {
  switch (outcome) {
    case UnitCommandOutcome::Cancelled: return "cancelled";
    case UnitCommandOutcome::OpenFailed: return "port not opened";
    case UnitCommandOutcome::LineNeverQuiet: return "line never quiet";
    case UnitCommandOutcome::NoResponse: return "no response from unit";
    case UnitCommandOutcome::TimedOut: return "timed out";
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
    case LinkStatus::Ok: break;
  }
  return UnitCommandOutcome::Completed;
}

UnitCommandOutcome AbandonTransfer(UnitCommandContext& context, UnitLink& link, UnitCommandOutcome why) {
  link.Send(kEndTransfer);
  link.Close();
  context.progress.Failed();
  if (why == UnitCommandOutcome::TimedOut) context.messages.Show(kMsgTimedOut, kCaptionError, MessageStyle::Ok);
  return why;
}
