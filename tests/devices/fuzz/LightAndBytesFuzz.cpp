// Device bytes and light state from arbitrary input: key tables and settings blocks as a device
// might answer them, light settings, animation state and user light steps as files might hold
// them. Nothing may read or write outside its tables.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "devices/core/AreaLightSteps.h"
#include "devices/core/LightSteps.h"
#include "devices/core/MouseKeyTable.h"
#include "devices/core/MouseSettingsBlock.h"
#include "devices/core/UserLightPlayer.h"

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    std::uint8_t Byte() { return at < size ? data[at++] : 0; }
};

LightInfoRecord Settings(Reader& r) {
    std::array<std::uint8_t, 12> bytes{};
    for (auto& b : bytes) {
        b = r.Byte();
    }
    return LightInfoRecord::FromBytes(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace devices;
    Reader r{data, size};

    const std::size_t slots = r.Byte();
    const std::span<const std::uint8_t> table(data, size);
    const ButtonMap map = BuildButtonMap(table, slots);
    std::vector<std::uint8_t> work(data, data + std::min<std::size_t>(size, 3 * slots));
    std::vector<KeyListEntry> keys(r.Byte() % 12);
    ApplyKeysToTable(work, map, keys);
    if (size >= kMouseSettingsSize) {
        (void)ParseMouseSettingsBlock(data, data[0]);
    }

    const LightInfoRecord s = Settings(r);
    lightsteps::LightAnimation a;
    a.phase = r.Byte();
    a.colourStep = r.Byte();
    a.blinkOn = r.Byte();
    std::vector<LedColour> leds(r.Byte() % 40);
    std::uint64_t now = r.Byte() * 100u;
    for (int i = 0; i < 8; ++i) {
        now += r.Byte() * 10u;
        switch (r.Byte() % 10) {
            case 0:
                lightsteps::StepBreatheWheel(a, s, leds);
                break;
            case 1:
                lightsteps::StepBreatheFour(a, s, leds);
                break;
            case 2:
                lightsteps::StepStatic(s, leds);
                break;
            case 3:
                lightsteps::StepWheel(a, s, leds);
                break;
            case 4:
                lightsteps::StepBlinkWheel(a, s, leds, now);
                break;
            case 5:
                lightsteps::StepBlinkFour(a, s, leds, now);
                break;
            case 6:
                lightsteps::StepSpectrumEffect(a, s, leds);
                break;
            case 7:
                lightsteps::StepStageColourEffect(a, s, leds);
                break;
            case 8:
                lightsteps::DecayLevel(a, r.Byte(), r.Byte() & 1);
                break;
            default:
                lightsteps::ShiftRing(a, r.Byte() & 1);
                break;
        }
    }

    std::recursive_mutex lock;
    UserLightSteps steps;
    std::vector<LightListEntry> list;
    for (int i = r.Byte() % 6; i > 0; --i) {
        LightEffectStep step;
        step.ledRegMode = r.Byte() % 8;
        step.ledBrightness = r.Byte();
        step.ledSpeed = r.Byte();
        step.ledDirection = r.Byte();
        step.ledMultiColor = r.Byte();
        step.time = static_cast<std::int8_t>(r.Byte());
        steps.steps.push_back(step);
        LightListEntry entry;
        entry.ledRegMode = r.Byte() % 6;
        entry.ledBrightness = r.Byte();
        entry.ledSpeed = r.Byte();
        entry.ledMultiColor = r.Byte();
        entry.present = r.Byte() & 1;
        list.push_back(entry);
    }
    steps.count = r.Byte() % 8;
    CUserLightPlayer player;
    CAreaLightSteps area;
    area.Init(list, leds.size());
    for (int i = 0; i < 300; ++i) {
        now += 2;
        player.Step(lock, steps, s.speed, leds, now);
        area.RunMode(i % 5, list, leds, now);
    }
    return 0;
}
