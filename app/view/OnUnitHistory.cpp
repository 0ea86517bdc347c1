// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneView.h"
#include "app/view/RunFileCommand.h"
#include "database/UnitHistory.h"
#include "dialogs/CUnitHistoryDlg.h"
#include "user/HistoryPicker.h"

namespace {

// The unit history's list as a dialog over the main window.
class DialogHistoryPicker : public HistoryPicker {
 public:
  explicit DialogHistoryPicker(QWidget* parent) : m_parent(parent) {}
  std::optional<std::string> Choose(const std::vector<HistoryFile>& files) override {
    CUnitHistoryDlg dialog(files, m_parent);
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen().empty()) return std::nullopt;
    return dialog.Chosen();
  }

 private:
  QWidget* m_parent;
};

}  // namespace

void CZorvaneView::OnUnitHistory() {
  const UnitHistory history = UnitHistory::ForUser();
  DialogHistoryPicker picker(window());
  RunFileCommand(*this, [&history, &picker](DatabaseCommandContext& context) {
    return UnitHistoryCommand(context, history, picker);
  });
}
