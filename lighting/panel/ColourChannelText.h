#pragma once

#include <cstdint>
#include <string_view>

namespace lightpanel {

// The value a colour edit's text stands for: the leading decimal number (after blanks and an
// optional sign), limited to 0..255. Text that does not start with a number and empty text are
// 0; a negative number is 0 rather than its low byte, so a typed value never wraps round.
std::uint8_t ColourChannelFromText(std::string_view text);

}  // namespace lightpanel
