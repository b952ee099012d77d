#pragma once

// The program's version. Its one source is the project version of the build (CMake's
// project(VERSION), passed as ZORVATH_VERSION_STRING); --version, the main window's footer, the
// about window and the update check's program row all take it from here.
#include <cstddef>
#include <string>
#include <string_view>

namespace version {

inline constexpr std::string_view kText = ZORVATH_VERSION_STRING;

// Part index (0 major, 1 minor, 2 patch) of the version; 0 when the version has fewer parts.
constexpr int Part(std::size_t index) {
    std::size_t current = 0;
    int value = 0;
    for (const char c : kText) {
        if (c == '.') {
            if (current == index) {
                return value;
            }
            ++current;
            value = 0;
        } else if (current == index) {
            value = value * 10 + (c - '0');
        }
    }
    return current == index ? value : 0;
}

constexpr bool WellFormed() {
    bool digitBefore = false;
    for (const char c : kText) {
        if (c == '.' && !digitBefore) {
            return false;
        }
        if (c != '.' && (c < '0' || c > '9')) {
            return false;
        }
        digitBefore = c != '.';
    }
    return digitBefore;
}
static_assert(WellFormed(), "the project version is digits separated by dots");
static_assert(Part(0) < 100 && Part(1) < 100, "the version label has two digits per part");

inline constexpr int kMajor = Part(0);
inline constexpr int kMinor = Part(1);

// "V" followed by major and minor as two digits each ("V0102" for 1.2): the label the about
// window shows and the update check gives the program's row.
inline std::string Label() {
    const auto twoDigits = [](int part) {
        return std::string{static_cast<char>('0' + part / 10), static_cast<char>('0' + part % 10)};
    };
    return "V" + twoDigits(kMajor) + twoDigits(kMinor);
}

}  // namespace version
