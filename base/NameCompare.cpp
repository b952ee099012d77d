#include "base/NameCompare.h"

#include <cstdint>

namespace names {

namespace {

// Decodes one UTF-8 sequence at text[i]; on an invalid sequence returns the byte itself with
// the high bit marking it, so it only equals the same byte.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    auto invalid = [&]() {
        ++i;
        return static_cast<char32_t>(0x80000000u | lead);
    };
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return invalid();
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) {
        return invalid();
    }
    for (int k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) {
            return invalid();
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

char32_t FoldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z') {
        return c + 0x20;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {  // Latin-1 capitals, not the multiplication sign
        return c + 0x20;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) {  // Greek capitals
        return c + 0x20;
    }
    if (c >= 0x410 && c <= 0x42F) {  // Cyrillic А..Я
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {  // Cyrillic Ѐ..Џ
        return c + 0x50;
    }
    return c;
}

}  // namespace

bool NamesEqualIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

}  // namespace names
