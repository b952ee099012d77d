#include <gtest/gtest.h>

#include <string_view>

#include "lighting/panel/ColourChannelText.h"

namespace {

struct Case {
    std::string_view text;
    int value;
};

TEST(ColourChannelText, LimitsTheTypedNumberToAColourByte) {
    constexpr Case cases[] = {
        {"0", 0},     {"255", 255},
        {"300", 255}, {"", 0},
        {"abc", 0},   {"12abc", 12},
        {" 7", 7},    {"+9", 9},
        {"-5", 0},                                       // no wrap-round to 251
        {"-300", 0},                                     // nor to 212
        {"256", 255}, {"99999999999999999999999", 255},  // no overflow into a small number
        {"007", 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lightpanel::ColourChannelFromText(c.text), c.value) << "text '" << c.text << "'";
    }
}

}  // namespace
