#include "lighting/LightModel.h"

namespace lighting {

std::optional<DeviceNumber> DeviceNumberOfKind(int kind) {
    switch (kind) {
        case kKindKeyboard:
            return DeviceNumber::Keyboard;
        case kKindMouse:
        case kKindWirelessMouse:
            return DeviceNumber::Mouse;
        case kKindMousePad:
            return DeviceNumber::MousePad;
        case kKindHeadset:
            return DeviceNumber::Headset;
        default:
            return std::nullopt;
    }
}

int MaxLightLevel(DeviceNumber device) {
    return device == DeviceNumber::Keyboard ? 5 : 4;
}

int BuiltInEffectCount(DeviceNumber device) {
    return device == DeviceNumber::Keyboard ? 28 : 9;
}

int FirstUserLightNumber(DeviceNumber device) {
    // Past the built-in effects; the keyboard's 0, 19 and 25 also run the user light player but
    // select no user light of their own.
    return BuiltInEffectCount(device);
}

std::size_t UserLightCapacity(DeviceNumber device) {
    return kEffectNumberCount - static_cast<std::size_t>(FirstUserLightNumber(device));
}

std::optional<std::size_t> UserLightIndex(DeviceNumber device, int effect) {
    const int k = effect - FirstUserLightNumber(device);
    if (k < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(k);
}

}  // namespace lighting
