#include "app/HidAccessCheck.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "hid/HidInterfaceId.h"

namespace {

bool IsSupported(const std::string& path) {
    const std::uint16_t vendor = hid::ParseVendorId(path);
    const std::uint16_t product = hid::ParseProductId(path);
    if (vendor == 0 && product == 0) {
        return false;
    }
    for (const hid::HidInterfaceId& row : hid::HidInterfaceTable()) {
        if (row.vendorId == vendor && row.productId == product) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string DeviceNodeOfPath(const std::string& path) {
    if (!path.starts_with("/dev/")) {
        return {};
    }
    return path.substr(0, path.find_first_of("&#"));
}

HidAccess CheckHidAccess(hid::IHidBackend& backend) {
    std::vector<std::string> paths;
    if (!backend.Enumerate(paths)) {
        return HidAccess::NoDevice;
    }
    bool present = false;
    bool denied = false;
    for (const std::string& path : paths) {
        if (!IsSupported(path)) {
            continue;
        }
        present = true;
        const std::string node = DeviceNodeOfPath(path);
        // Asking the kernel is enough: opening would start the node's reader thread.
        if (node.empty() || ::access(node.c_str(), R_OK | W_OK) == 0) {
            return HidAccess::Accessible;
        }
        if (errno == EACCES || errno == EPERM) {
            denied = true;
        }
    }
    if (denied) {
        return HidAccess::PermissionDenied;
    }
    return present ? HidAccess::Accessible : HidAccess::NoDevice;
}
