#include "SerialLayer.h"

namespace instrument {

SerialLayer::~SerialLayer() = default;

} // namespace instrument
