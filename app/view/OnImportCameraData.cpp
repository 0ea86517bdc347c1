// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneView.h"
#include "app/view/RunFileCommand.h"
#include "database/qt/CameraListReader.h"

void CZorvaneView::OnImportCameraData() {
  RunFileCommand(*this,
                 [](DatabaseCommandContext& context) { return ImportCameraDataCommand(context, &ReadCameraList); });
}
