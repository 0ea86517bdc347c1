#include "app/CZorvaneView.h"
#include "app/view/RunFileCommand.h"

void CZorvaneView::OnImportCameraData() { RunFileCommand(*this, &ImportCameraDataCommand); }
