#include "app/DeviceQueryBlock.h"

namespace {

struct KindRow {
    std::uint32_t vendorId;
    std::uint32_t productId;
    std::uint32_t kindCode;
};

// The device kind rows in their order: mouse, keyboard, mouse pad, headset. Only the mouse
// carries real ids in this build.
constexpr std::array<KindRow, 4> kKindRows{{
    {0x320F, 0x2210, 2},
    {0, 0, 1},
    {0, 0, 3},
    {0, 0, 7},
}};

constexpr std::array<std::uint32_t, 4> kSoftwareVersion{2, 3, 0, 2};

void Put(DeviceQueryBlock& block, std::size_t& offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        block[offset++] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace

DeviceQueryBlock BuildDeviceQueryBlock() {
    DeviceQueryBlock block{};
    std::size_t offset = 0;
    for (std::uint32_t part : kSoftwareVersion) {
        Put(block, offset, part);
    }
    Put(block, offset, static_cast<std::uint32_t>(kKindRows.size()));
    for (const KindRow& row : kKindRows) {
        Put(block, offset, row.vendorId);
        Put(block, offset, row.productId);
        Put(block, offset, row.kindCode);
    }
    return block;
}
