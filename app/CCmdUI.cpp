// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CCmdUI.h"

#include <QAction>

void CCmdUI::SetCheck(int check) {
  m_action->setCheckable(true);
  m_action->setChecked(check != 0);
}

void CCmdUI::Enable(bool on) {
  m_action->setEnabled(on);
  m_enableChanged = true;
}
