#include "hid/SimulatedPath.h"

#include <cstdio>

#include "hid/HidInterfaceId.h"

namespace hid {

namespace {
constexpr char kPrefix[] = "sim/hid";
}

std::string FormatSimulatedPath(const SimulatedPath& path) {
    char text[96];
    int n = std::snprintf(text, sizeof text, "%s%u&vid_%04x&pid_%04x&mi_%02x", kPrefix,
                          path.deviceNumber, path.vendorId, path.productId,
                          static_cast<unsigned>(path.interfaceNumber));
    std::string result(text, static_cast<std::size_t>(n));
    if (path.collectionNumber != 0) {
        std::snprintf(text, sizeof text, "&col%02x", static_cast<unsigned>(path.collectionNumber));
        result += text;
    }
    return result;
}

bool ParseSimulatedPath(const std::string& text, SimulatedPath& path) {
    const std::string prefix = kPrefix;
    if (text.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    std::size_t i = prefix.size();
    unsigned number = 0;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 9) {
        number = number * 10 + static_cast<unsigned>(text[i] - '0');
        ++i;
        ++digits;
    }
    if (digits == 0) {
        return false;
    }
    path.deviceNumber = number;
    path.vendorId = ParseVendorId(text);
    path.productId = ParseProductId(text);
    path.interfaceNumber = ParseInterfaceNumber(text);
    path.collectionNumber = ParseCollectionNumber(text);
    return true;
}

}  // namespace hid
