#pragma once

namespace shell {

struct AppState;

// Fills the device information window's fields from the identification (on each activation).
void fillDeviceInfo(AppState& st);

} // namespace shell
