// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/FileCommands.h"
#include "database/UnitHistory.h"
#include "resources/Strings.h"
#include "user/HistoryPicker.h"
#include "user/MessageBox.h"

CommandOutcome UnitHistoryCommand(DatabaseCommandContext& context, const UnitHistory& history, HistoryPicker& picker) {
  const std::vector<HistoryFile> files = history.List();
  if (files.empty()) {
    const std::string text =
        history.Off() ? std::string(kMsgHistoryOff) : FormatMessageText(kMsgHistoryEmpty, history.Folder());
    context.messages.Show(text, kCaptionUnitHistory, MessageStyle::Ok);
    return CommandOutcome::Cancelled;
  }
  const std::optional<std::string> chosen = picker.Choose(files);
  if (!chosen || chosen->empty()) return CommandOutcome::Cancelled;
  return ReadFromFileCommand(context, *chosen);
}
