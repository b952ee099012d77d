#include "sim/ImageArea.h"

namespace sim {
namespace {

constexpr std::size_t kHeaderSize = 16;

std::uint16_t Le16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

}  // namespace

ImageArea::ImageArea(std::size_t capacity, std::size_t requiredRecords)
    : capacity_(capacity), requiredRecords_(requiredRecords) {
    bytes_.reserve(capacity);
}

ImageArea::Check ImageArea::Write(std::size_t offset, const std::uint8_t* data,
                                  std::size_t length) {
    if (offset == 0) {
        // A frame at offset 0 always starts a new image; whatever came before is dropped.
        bytes_.clear();
        declaredLength_ = 0;
        state_ = State::Invalid;
        if (length < 4 || data[0] != 0xAA || data[1] != 0x55) {
            return Check::BadMagic;
        }
        std::size_t declared = static_cast<std::size_t>(data[2] | (data[3] << 8));
        if (declared < kHeaderSize || declared > capacity_ || length > declared) {
            return Check::BadLength;
        }
        declaredLength_ = declared;
        state_ = State::Receiving;
    } else if (state_ != State::Receiving || offset != bytes_.size()) {
        state_ = State::Invalid;
        return Check::OutOfOrder;
    } else if (offset + length > declaredLength_) {
        state_ = State::Invalid;
        return Check::BadLength;
    }
    bytes_.insert(bytes_.end(), data, data + length);
    if (bytes_.size() < declaredLength_) {
        return Check::Ok;
    }
    Check layout = CheckLayout();
    state_ = layout == Check::Ok ? State::Complete : State::Invalid;
    return layout;
}

ImageArea::Check ImageArea::CheckLayout() const {
    std::size_t records = Le16(bytes_, 4);
    if (requiredRecords_ != 0 && records != requiredRecords_) {
        return Check::BadLayout;
    }
    std::size_t next = kHeaderSize + 2 * records;
    for (std::size_t i = 0; i < records; ++i) {
        std::size_t tableEntry = kHeaderSize + 2 * i;
        if (tableEntry + 2 > bytes_.size() || Le16(bytes_, tableEntry) != next ||
            next + 4 > bytes_.size()) {
            return Check::BadLayout;
        }
        next += 4 + 4 * static_cast<std::size_t>(Le16(bytes_, next));
    }
    return next == bytes_.size() ? Check::Ok : Check::BadLayout;
}

std::vector<std::uint16_t> ImageArea::RecordEventCounts() const {
    std::vector<std::uint16_t> counts;
    if (state_ != State::Complete) {
        return counts;
    }
    std::size_t records = Le16(bytes_, 4);
    for (std::size_t i = 0; i < records; ++i) {
        counts.push_back(Le16(bytes_, Le16(bytes_, kHeaderSize + 2 * i)));
    }
    return counts;
}

}  // namespace sim
