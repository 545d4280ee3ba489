#pragma once

#include <QString>

namespace shell {
struct DeviceIdentity;
}

namespace instrument {

// Reads an identification answer ("$kova00$") line by line into the device identity: the variant from the first
// line, then the firmware, memory counts, MAC address and probe lines. Values read before a failure stay set, as
// a broken answer still tells what it told up to there.
namespace Identification {

struct Failure {
    QString description; // the system's description, in the user's language
};

// Throws Failure for a first line without "-", a number that is not one or does not fit 16 bits, a line that
// cannot be cut at its ":". english picks the language of the description.
void parse(const QString& answer, shell::DeviceIdentity& device, bool english);

} // namespace Identification
} // namespace instrument
