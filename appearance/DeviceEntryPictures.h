#pragma once

#include <optional>

#include <QString>

namespace appearance {

// The pictures, the tooltip and the name of a device list entry for one device kind.
struct DeviceEntryPictures {
    QString normalImage;  // also the disabled image
    QString selectedImage;
    QString tipTextId;   // language text id: the device's full name
    QString nameTextId;  // language text id: the short name shown under the picture
    QString synchroSelectedImage;
    QString synchroNormalImage;
};

// Kind codes of the device list; sub-kind matters for mouse pads only (0 hard, 1 soft).
// A mouse pad of another sub-kind keeps its pictures: nullopt.
std::optional<DeviceEntryPictures> PicturesForDeviceKind(int kind, int subKind);

}  // namespace appearance
