#include "app/CZorvaneView.h"
#include "app/view/RunFileCommand.h"

void CZorvaneView::OnReadFromFile() {
  RunFileCommand(*this, [](DatabaseCommandContext& context) { return ReadFromFileCommand(context); });
}
