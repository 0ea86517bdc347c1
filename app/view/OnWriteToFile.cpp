#include "app/CZorvaneView.h"

void CZorvaneView::OnWriteToFile() {}
