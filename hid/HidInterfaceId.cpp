#include "hid/HidInterfaceId.h"

#include <cctype>

namespace hid {

bool operator==(const HidInterfaceId& a, const HidInterfaceId& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId &&
           a.interfaceNumber == b.interfaceNumber && a.collectionNumber == b.collectionNumber &&
           a.deviceKind == b.deviceKind && a.interfaceRole == b.interfaceRole &&
           a.usagePage == b.usagePage && a.usage == b.usage;
}

const std::array<HidInterfaceId, kHidInterfaceTableSize>& HidInterfaceTable() {
    static const std::array<HidInterfaceId, kHidInterfaceTableSize> table = [] {
        auto row = [](std::uint16_t vid, std::uint16_t pid, std::uint16_t mi, std::uint16_t col,
                      std::uint16_t kind, std::uint16_t role, std::uint16_t page,
                      std::uint16_t usage) {
            HidInterfaceId id;
            id.vendorId = vid;
            id.productId = pid;
            id.interfaceNumber = mi;
            id.collectionNumber = col;
            id.deviceKind = kind;
            id.interfaceRole = role;
            id.usagePage = page;
            id.usage = usage;
            return id;
        };
        return std::array<HidInterfaceId, kHidInterfaceTableSize>{
            row(0, 0, 1, 4, kKindKeyboard, kRoleCommand, 0xFF1C, 0x92),
            row(0, 0, 1, 3, kKindKeyboard, kRoleEvent, 0x000C, 0x01),
            row(0x320F, 0x2210, 1, 4, kKindMouse, kRoleCommand, 0xFF1C, 0x92),
            row(0x320F, 0x2210, 1, 3, kKindMouse, kRoleEvent, 0x000C, 0x01),
            row(0, 0, 1, 4, kKindMousePad, kRoleCommand, 0xFF1C, 0x92),
            row(0, 0, 1, 3, kKindMousePad, kRoleEvent, 0x000C, 0x01),
            row(0, 0, 3, 0, kKindHeadset, kRoleCommand, 0x000C, 0x01),
        };
    }();
    return table;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// First case-insensitive occurrence of tag in path, or npos.
std::size_t FindNoCase(std::string_view path, std::string_view tag) {
    if (tag.size() > path.size()) {
        return std::string_view::npos;
    }
    for (std::size_t i = 0; i + tag.size() <= path.size(); ++i) {
        bool same = true;
        for (std::size_t k = 0; k < tag.size() && same; ++k) {
            same = std::tolower(static_cast<unsigned char>(path[i + k])) ==
                   std::tolower(static_cast<unsigned char>(tag[k]));
        }
        if (same) {
            return i;
        }
    }
    return std::string_view::npos;
}

// Like "%x": optional blanks, an optional "0x", then hex digits; the low 16 bits are kept.
std::uint16_t ParseHexAfterTag(std::string_view path, std::string_view tag) {
    std::size_t at = FindNoCase(path, tag);
    if (at == std::string_view::npos) {
        return 0;
    }
    std::size_t i = at + tag.size();
    while (i < path.size() && std::isspace(static_cast<unsigned char>(path[i]))) {
        ++i;
    }
    if (i + 2 < path.size() && path[i] == '0' && (path[i + 1] == 'x' || path[i + 1] == 'X') &&
        HexDigit(path[i + 2]) >= 0) {
        i += 2;
    }
    std::uint32_t value = 0;
    for (; i < path.size(); ++i) {
        int digit = HexDigit(path[i]);
        if (digit < 0) {
            break;
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

}  // namespace

std::uint16_t ParseVendorId(std::string_view path) {
    return ParseHexAfterTag(path, "vid_");
}

std::uint16_t ParseProductId(std::string_view path) {
    return ParseHexAfterTag(path, "pid_");
}

std::uint16_t ParseInterfaceNumber(std::string_view path) {
    return ParseHexAfterTag(path, "&mi_");
}

std::uint16_t ParseCollectionNumber(std::string_view path) {
    return ParseHexAfterTag(path, "&col");
}

}  // namespace hid
