// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of one menu item while its update handler runs.
class QAction;

class CCmdUI {
 public:
  explicit CCmdUI(QAction* action) : m_action(action) {}
  void SetCheck(int check);
  void Enable(bool on = true);
  // Whether the update handler said anything about the enabled state; if it
  // did not, a command without a handler is greyed.
  bool EnableChanged() const { return m_enableChanged; }

 private:
  QAction* m_action;
  bool m_enableChanged = false;
};
