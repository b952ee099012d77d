#include "profiles/ProfileRecords.h"

namespace {

std::uint32_t Word(const std::array<std::uint8_t, 12>& bytes, int first) {
    return static_cast<std::uint32_t>(bytes[first]) |
           (static_cast<std::uint32_t>(bytes[first + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[first + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[first + 3]) << 24);
}

void PutWord(std::array<std::uint8_t, 12>& bytes, int first, std::uint32_t word) {
    for (int i = 0; i < 4; ++i) {
        bytes[first + i] = static_cast<std::uint8_t>(word >> (8 * i));
    }
}

}  // namespace

std::array<std::uint8_t, 12> LightInfoRecord::Bytes() const {
    return {selectItem, light, speed,     fx,        multiColor, red,
            green,      blue,  unused[0], unused[1], unused[2],  zzccLedMode};
}

std::uint32_t LightInfoRecord::WordA() const {
    return Word(Bytes(), 0);
}

std::uint32_t LightInfoRecord::WordB() const {
    return Word(Bytes(), 4);
}

std::uint32_t LightInfoRecord::WordC() const {
    return Word(Bytes(), 8);
}

LightInfoRecord LightInfoRecord::FromBytes(const std::array<std::uint8_t, 12>& b) {
    LightInfoRecord r;
    r.selectItem = b[0];
    r.light = b[1];
    r.speed = b[2];
    r.fx = b[3];
    r.multiColor = b[4];
    r.red = b[5];
    r.green = b[6];
    r.blue = b[7];
    r.unused = {b[8], b[9], b[10]};
    r.zzccLedMode = b[11];
    return r;
}

LightInfoRecord LightInfoRecord::FromWords(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::array<std::uint8_t, 12> bytes{};
    PutWord(bytes, 0, a);
    PutWord(bytes, 4, b);
    PutWord(bytes, 8, c);
    return FromBytes(bytes);
}

KeyCode KeyCodeFromValue(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)};
}

std::uint32_t KeyCodeValue(const KeyCode& code) {
    return (static_cast<std::uint32_t>(code[0]) << 16) |
           (static_cast<std::uint32_t>(code[1]) << 8) | code[2];
}
