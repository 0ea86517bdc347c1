// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneView.h"
#include "app/view/RunFileCommand.h"

void CZorvaneView::OnWriteToFile() { RunFileCommand(*this, &WriteToFileCommand); }
