#include "frmTransfer.h"

namespace ui {

void frmTransfer::wireLink() {}

} // namespace ui
