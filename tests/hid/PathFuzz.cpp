// Any bytes as an interface path: the identifier parsers and both backends' path checks.
#include <cstddef>
#include <cstdint>
#include <string>

#include "hid/HidInterfaceId.h"
#include "hid/HidrawBackend.h"
#include "hid/SimulatedPath.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path(reinterpret_cast<const char*>(data), size);
    volatile std::uint32_t sink = hid::ParseVendorId(path) + hid::ParseProductId(path) +
                                  hid::ParseInterfaceNumber(path) +
                                  hid::ParseCollectionNumber(path);
    (void)sink;
    hid::HidrawPath hidraw;
    hid::ParseHidrawPath("/dev", path, hidraw);
    hid::SimulatedPath simulated;
    if (hid::ParseSimulatedPath(path, simulated)) {
        hid::FormatSimulatedPath(simulated);
    }
    return 0;
}
