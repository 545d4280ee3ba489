#include "frmTransfer.h"

namespace ui {

void frmTransfer::wireTable() {}

} // namespace ui
