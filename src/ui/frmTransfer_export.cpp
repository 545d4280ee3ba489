#include "frmTransfer.h"

namespace ui {

void frmTransfer::wireExport() {}

} // namespace ui
