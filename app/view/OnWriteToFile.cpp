#include "app/CZorvaneView.h"
#include "app/view/RunFileCommand.h"

void CZorvaneView::OnWriteToFile() { RunFileCommand(*this, &WriteToFileCommand); }
