// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneView.h"
#include "app/view/RunFileCommand.h"
#include "dialogs/CUnitHistoryDlg.h"
#include "resources/Strings.h"
#include "user/MessageBox.h"

void CZorvaneView::OnUnitHistory() {
  const UnitHistory history = UnitHistory::ForUser();
  const std::vector<HistoryFile> files = history.List();
  if (files.empty()) {
    const std::string text =
        history.Off() ? std::string(kMsgHistoryOff) : FormatMessageText(kMsgHistoryEmpty, history.Folder());
    Messages().Show(text, kCaptionUnitHistory, MessageStyle::Ok);
    return;
  }
  CUnitHistoryDlg dialog(files, window());
  if (dialog.exec() != QDialog::Accepted || dialog.Chosen().empty()) return;
  const std::string chosen = dialog.Chosen();
  RunFileCommand(*this, [&chosen](DatabaseCommandContext& context) { return ReadFromFileCommand(context, chosen); });
}
