#include "macros/EventImage.h"

namespace macros {

namespace {

void PutU16(std::vector<std::uint8_t>& image, std::size_t at, std::size_t value) {
    image[at] = static_cast<std::uint8_t>(value & 0xFF);
    image[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

std::size_t EventImageLength(const std::vector<std::vector<DeviceEventRecord>>& records) {
    std::size_t length = kEventImageHeaderBytes + 6 * records.size();
    for (const auto& events : records) {
        length += 4 * events.size();
    }
    return length;
}

std::vector<std::uint8_t> BuildEventImage(
    const std::vector<std::vector<DeviceEventRecord>>& records) {
    const std::size_t length = EventImageLength(records);
    if (length > 0xFFFF) {
        return {};
    }
    std::vector<std::uint8_t> image(length, 0);
    PutU16(image, 0, kEventImageMagic);
    PutU16(image, 2, length);
    PutU16(image, 4, records.size());
    std::size_t offset = kEventImageHeaderBytes + 2 * records.size();
    for (std::size_t m = 0; m < records.size(); ++m) {
        PutU16(image, kEventImageHeaderBytes + 2 * m, offset);
        PutU16(image, offset, records[m].size());
        offset += 4;
        for (const DeviceEventRecord& event : records[m]) {
            for (std::size_t k = 0; k < event.size(); ++k) {
                image[offset + k] = event[k];
            }
            offset += 4;
        }
    }
    return image;
}

}  // namespace macros
