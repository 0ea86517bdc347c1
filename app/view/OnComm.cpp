// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CCmdUI.h"
#include "app/CZorvaneView.h"
#include "app/ProcessState.h"

// The port takes effect when the next unit command opens its connection.
void CZorvaneView::OnComm1() { CommPortIndex = 0; }

void CZorvaneView::OnComm2() { CommPortIndex = 1; }

void CZorvaneView::OnUpdateComm1(CCmdUI* pCmdUI) { pCmdUI->SetCheck(CommPortIndex == 0 ? 1 : 0); }

void CZorvaneView::OnUpdateComm2(CCmdUI* pCmdUI) { pCmdUI->SetCheck(CommPortIndex == 1 ? 1 : 0); }
