#include "appearance/DeviceEntryPictures.h"

namespace appearance {

namespace {

std::optional<QString> PrefixForKind(int kind, int subKind) {
    switch (kind) {
        case 1:
            return QStringLiteral("kb");
        case 2:
            return QStringLiteral("ms");
        case 3:
            if (subKind == 0) {
                return QStringLiteral("hard_mp");
            }
            if (subKind == 1) {
                return QStringLiteral("soft_mp");
            }
            return std::nullopt;
        case 4:
        case 7:
            return QStringLiteral("hd");
        case 5:
            return QStringLiteral("hub");
        default:
            return QStringLiteral("unknow");
    }
}

}  // namespace

std::optional<DeviceEntryPictures> PicturesForDeviceKind(int kind, int subKind) {
    const std::optional<QString> prefix = PrefixForKind(kind, subKind);
    if (!prefix) {
        return std::nullopt;
    }
    const QString base = QStringLiteral("common/device_ico/") + *prefix;
    DeviceEntryPictures p;
    p.normalImage = base + QStringLiteral("_device_normal.png");
    p.selectedImage = base + QStringLiteral("_device_selected.png");
    p.tipTextId = *prefix + QStringLiteral("_device_name_text");
    p.nameTextId = *prefix + QStringLiteral("_device_short_text");
    p.synchroSelectedImage = base + QStringLiteral("_device_synchro_selected.png");
    p.synchroNormalImage = base + QStringLiteral("_device_synchro_normal.png");
    return p;
}

}  // namespace appearance
