#pragma once

#include <string>

#include "hid/HidBackend.h"

// Whether the user can reach the supported devices: a device node that is present but refuses
// this user is almost always a missing udev rule, which the "No device" page then explains.
enum class HidAccess {
    NoDevice,          // no interface of a supported device is present
    Accessible,        // a supported interface is present and its node may be opened
    PermissionDenied,  // supported interfaces are present, but none of their nodes may be opened
};

// Whether this user may open a device node for reading and writing: 0, or the errno value.
using NodeAccessProbe = int (*)(const std::string& node);
int ProbeNodeAccess(const std::string& node);

HidAccess CheckHidAccess(hid::IHidBackend& backend, NodeAccessProbe probe = &ProbeNodeAccess);

// The device node of an interface path ("/dev/hidraw3&vid_..." -> "/dev/hidraw3"); empty for
// paths that name no node (simulated interfaces).
std::string DeviceNodeOfPath(const std::string& path);
