// Arbitrary light file contents read as each of the three light files.
#include <cstddef>
#include <cstdint>
#include <string>

#include "lighting/LightFiles.h"
#include "profiles/JsonFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Json::Value document =
        CJsonFile::ParseText(std::string(reinterpret_cast<const char*>(data), size));
    for (int d = 0; d < lighting::kDeviceNumberCount; ++d) {
        const auto device = static_cast<lighting::DeviceNumber>(d);
        lighting::LightNameLists lists;
        lighting::ApplyDefaultLightDocument(lists, document, device);
        lighting::ApplyLightConfigDocument(lists, document, device);
        for (int effect = -1; effect < 40; ++effect) {
            (void)lighting::EffectNameForTooltip(lists, device, effect);
        }
        for (const auto& entry : lighting::UserLightEntries(document, device)) {
            (void)lighting::LightFilePath("/nonexistent/", entry.guid);
        }
    }
    (void)lighting::StepsFromLightDocument(document);
    return 0;
}
