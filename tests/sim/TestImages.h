#pragma once

#include <cstdint>
#include <vector>

namespace simtest {

// A well-formed macro or shoot image: header, offset table, then one record per entry of
// eventCounts whose event bytes count up from `seed`.
inline std::vector<std::uint8_t> BuildImage(const std::vector<std::uint16_t>& eventCounts,
                                            std::uint8_t seed = 1) {
    std::size_t records = eventCounts.size();
    std::size_t length = 16 + 6 * records;
    for (auto count : eventCounts) {
        length += 4 * std::size_t{count};
    }
    std::vector<std::uint8_t> image(length, 0);
    auto put16 = [&image](std::size_t at, std::size_t value) {
        image[at] = static_cast<std::uint8_t>(value & 0xFF);
        image[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    };
    put16(0, 0x55AA);
    put16(2, length);
    put16(4, records);
    std::size_t next = 16 + 2 * records;
    std::uint8_t value = seed;
    for (std::size_t i = 0; i < records; ++i) {
        put16(16 + 2 * i, next);
        put16(next, eventCounts[i]);
        for (std::size_t b = 0; b < 4 * std::size_t{eventCounts[i]}; ++b) {
            image[next + 4 + b] = value++;
        }
        next += 4 + 4 * std::size_t{eventCounts[i]};
    }
    return image;
}

}  // namespace simtest
