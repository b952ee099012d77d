// Arbitrary host traffic against the emulated mouse firmware: it must answer or refuse every
// frame without reading or writing outside its areas.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "protocol/FrameLayout.h"
#include "sim/CommandFirmware.h"
#include "sim/MouseFirmware.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static const sim::FirmwareConfig config = sim::MouseFirmwareConfig();
    sim::CommandFirmware firmware(config);
    // Byte 0 bit 0: give every frame a correct checksum so the commands themselves are reached.
    const bool seal = (data[0] & 1) != 0;
    ++data;
    --size;
    sim::ReplyPlan plan;
    while (size > 0) {
        std::size_t length = size < protocol::kFrameSize ? size : protocol::kFrameSize;
        std::uint8_t frame[protocol::kFrameSize] = {};
        for (std::size_t i = 0; i < length; ++i) {
            frame[i] = data[i];
        }
        if (seal && length == protocol::kFrameSize) {
            frame[0] = protocol::kReportId;
            protocol::SealFrame(frame);
        }
        firmware.HandleRequest(frame, length, plan);
        if (plan.count > sim::ReplyPlan::kMaxReplies) {
            std::abort();
        }
        data += length;
        size -= length;
    }
    sim::FirmwareMemory memory = firmware.Memory();
    if (memory.keyTable.size() != config.keyTable.size() ||
        memory.settings.size() != config.settings.size() ||
        memory.macros.bytes().size() > config.macroCapacity ||
        memory.shoot.bytes().size() > config.shootCapacity) {
        std::abort();
    }
    return 0;
}
