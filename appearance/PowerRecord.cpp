#include "appearance/PowerRecord.h"

#include <algorithm>
#include <array>

namespace appearance {

PowerDisplay DecodePowerRecord(int deviceKind, const std::uint8_t* record, std::size_t length) {
    std::array<std::uint8_t, kPowerRecordSize> bytes{};
    if (record != nullptr) {
        std::copy_n(record, std::min(length, bytes.size()), bytes.begin());
    }
    PowerDisplay out;
    // Byte 0 comes from the firmware unchecked; a value above 100 would give a negative bar.
    out.percent = std::min<int>(bytes[0], 100);
    out.progressValue = 100 - out.percent;
    out.valueText = QString::number(out.percent) + QLatin1Char('%');

    const bool wireless = bytes[3] != 0;
    if (deviceKind == kPowerKindMouse) {
        out.wirelessLogoVisible = wireless;
    }
    switch (bytes[1]) {
        case 0:
            out.progressVisible = true;
            out.statusImage = QStringLiteral("file='power/powered.png'");
            break;
        case 1:
            out.progressVisible = !wireless;
            out.statusImage = wireless ? QStringLiteral("file='power/wuxian_powering.png'")
                                       : QStringLiteral("file='power/powering.png'");
            break;
        case 2:
            out.progressVisible = true;
            out.statusImage = QStringLiteral("file='power/power.png'");
            break;
        default:
            break;
    }
    if (deviceKind == kPowerKindMousePad) {
        static constexpr std::array<const char*, 4> kPhones = {
            "Phone_type_no_device", "Phone_type_iphone", "Phone_type_samsung", "Phone_type_other"};
        const std::size_t phone = bytes[5] <= 3 ? bytes[5] : 0;
        const QString name = QLatin1String(kPhones[phone]);
        out.phoneTip = name;
        out.phoneImage = QStringLiteral("file='power/") + name + QStringLiteral(".png'");
    }
    return out;
}

}  // namespace appearance
