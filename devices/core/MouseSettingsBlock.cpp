#include "devices/core/MouseSettingsBlock.h"

namespace devices {

std::array<std::uint8_t, kMouseSettingsWriteSize> BuildMouseSettingsBlock(
    const MouseSettingsInput& in) {
    std::array<std::uint8_t, kMouseSettingsWriteSize> b{};
    b[0] = in.byte0;
    // The device knows effects 0 to 8 only.
    b[1] = in.light.selectItem >= 9 ? 0 : in.light.selectItem;
    b[2] = in.light.light;
    b[3] = in.receiverMode ? static_cast<std::uint8_t>(5 - in.light.speed) : in.light.speed;
    b[4] = in.light.fx;
    b[5] = in.light.multiColor;
    b[6] = in.light.red;
    b[7] = in.light.green;
    b[8] = in.light.blue;
    b[14] = in.reportRate;
    for (std::size_t i = 0; i < 4 && i < in.stages.size(); ++i) {
        b[16 + 2 * i] = static_cast<std::uint8_t>(in.stages[i].dpiX & 0xFF);
        b[17 + 2 * i] = static_cast<std::uint8_t>(in.stages[i].dpiX >> 8);
    }
    b[24] = in.activeStage;
    const auto width = static_cast<unsigned>(in.screenWidth);
    const auto height = static_cast<unsigned>(in.screenHeight);
    b[25] = static_cast<std::uint8_t>((width >> 8) & 0xFF);
    b[26] = static_cast<std::uint8_t>(height & 0xFF);
    b[29] = static_cast<std::uint8_t>(in.scorllPage & 0xFF);
    b[30] = static_cast<std::uint8_t>(in.scorllPage >> 8);
    return b;
}

MouseDeviceState ParseMouseSettingsBlock(const std::uint8_t* block, std::uint8_t profile) {
    MouseDeviceState s;
    s.profile = profile;
    s.lightEffect = block[1];
    s.brightness = block[2];
    s.speedIndex = static_cast<std::uint8_t>(5 - block[3]);
    s.multiColor = block[5];
    s.red = block[6];
    s.green = block[7];
    s.blue = block[8];
    s.reportRate = block[14];
    s.activeStage = block[24];
    return s;
}

}  // namespace devices
