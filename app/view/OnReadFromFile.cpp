#include "app/CZorvaneView.h"

void CZorvaneView::OnReadFromFile() {}
