// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Transfer.h"

#include "link/LinkConstants.h"

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

UnitCommandOutcome TellFailure(TransferContext& context, UnitCommandOutcome outcome, const LinkResult& link) {
  switch (outcome) {
    case UnitCommandOutcome::OpenFailed:
    case UnitCommandOutcome::LineNeverQuiet:
    case UnitCommandOutcome::NoResponse:
    case UnitCommandOutcome::TimedOut:
    case UnitCommandOutcome::LineLost: context.teller.Failed(outcome, link, context.PortPath()); break;
    case UnitCommandOutcome::Cancelled:
    case UnitCommandOutcome::Stopped:
    case UnitCommandOutcome::FileRefused:
    case UnitCommandOutcome::NotConfirmed:
    case UnitCommandOutcome::Completed: break;
  }
  return outcome;
}

UnitCommandOutcome AbandonTransfer(TransferContext& context, UnitLink& link, UnitCommandOutcome why) {
  if (!link.LineLost()) link.Send(kEndTransfer);
  link.Close();
  context.progress.Failed();
  return why;
}
