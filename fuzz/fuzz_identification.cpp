// The identification parser on any answer: it either fails with a description or leaves 16-bit counts.
#include "FuzzData.h"

#include "link/Identification.h"
#include "shell/DeviceIdentity.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const modes[] = {"1", "2", "3", "2N", "2E", "X"};
    fuzz::FuzzData in(data, size);
    const uint8_t choice = in.byte();
    shell::DeviceIdentity device;
    device.memoryMode = QString::fromLatin1(modes[choice % 6]);
    try {
        instrument::Identification::parse(in.rest(), device, choice & 0x80);
    } catch (const instrument::Identification::Failure& f) {
        fuzz::check(!f.description.isEmpty(), "a failure says what failed");
    }
    for (int count : {device.memory1Count, device.memory2Count, device.speichernr})
        fuzz::check(count >= -32768 && count <= 32767, "16-bit counts");
    return 0;
}
