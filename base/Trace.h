#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The program's diagnostics channel: silent unless switched on by --trace or ZORVATH_TRACE=1,
// then every line goes to stderr. Safe to call from any thread; lines never interleave.
namespace trace {

// Reads ZORVATH_TRACE once; --trace calls Enable(true) after that.
void InitFromEnvironment();
void Enable(bool on);
bool Enabled();

// Writes one line (a line end is added). Cheap when disabled.
void Line(std::string_view text);

// Formats like printf into a fixed stack buffer (long lines are cut), only when enabled.
void Linef(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The two-line dump of a 64-byte frame: bytes 0-31, then 32-63, groups of four separated by
// three blanks for the first four groups and two blanks after. Shorter input is zero-padded.
void Frame(const std::uint8_t* bytes, std::size_t length);

// Formats one 32-byte half of a frame into out (at least 128 bytes); returns the length.
std::size_t FormatFrameHalf(const std::uint8_t* bytes32, char* out, std::size_t outSize);

}  // namespace trace
