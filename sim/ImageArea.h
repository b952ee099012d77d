#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

// A device area that receives a macro or shoot image frame by frame. The image must start with
// the 0x55AA magic and its declared length, fit the area, arrive in order, and once complete its
// record table must add up to the declared length.
class ImageArea {
public:
    enum class State { Empty, Receiving, Complete, Invalid };
    enum class Check { Ok, BadMagic, BadLength, OutOfOrder, BadLayout };

    // requiredRecords 0 accepts any record count.
    ImageArea(std::size_t capacity, std::size_t requiredRecords);

    Check Write(std::size_t offset, const std::uint8_t* data, std::size_t length);

    State state() const { return state_; }
    std::size_t capacity() const { return capacity_; }
    // The image as received so far (the declared length once complete).
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    // Event count of each record of a complete image.
    std::vector<std::uint16_t> RecordEventCounts() const;

private:
    Check CheckLayout() const;

    std::size_t capacity_;
    std::size_t requiredRecords_;
    State state_ = State::Empty;
    std::size_t declaredLength_ = 0;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace sim
