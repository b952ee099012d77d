#pragma once

#include <cstdint>
#include <string>

namespace hid {

// Paths of the simulated bus, in the same shape as real ones:
// "sim/hid<device>&vid_320f&pid_2210&mi_01&col04".
struct SimulatedPath {
    unsigned deviceNumber = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    int interfaceNumber = 0;
    int collectionNumber = 0;  // 0: the interface's only collection
};

std::string FormatSimulatedPath(const SimulatedPath& path);
bool ParseSimulatedPath(const std::string& text, SimulatedPath& path);

}  // namespace hid
