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

int ProbeNodeAccess(const std::string& node) {
    // Asking the kernel is enough: opening would start the node's reader thread.
    return ::access(node.c_str(), R_OK | W_OK) == 0 ? 0 : errno;
}

HidAccess CheckHidAccess(hid::IHidBackend& backend, NodeAccessProbe probe) {
    std::vector<std::string> paths;
    if (!backend.Enumerate(paths)) {
        return HidAccess::NoDevice;
    }
    bool denied = false;
    for (const std::string& path : paths) {
        if (!IsSupported(path)) {
            continue;
        }
        const std::string node = DeviceNodeOfPath(path);
        const int error = node.empty() ? 0 : probe(node);
        if (error == 0) {
            return HidAccess::Accessible;
        }
        if (error == EACCES || error == EPERM) {
            denied = true;
        }
    }
    // Present but gone again, or otherwise unreadable: nothing the user can fix with a rule.
    return denied ? HidAccess::PermissionDenied : HidAccess::NoDevice;
}
