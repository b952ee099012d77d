#include <gtest/gtest.h>

#include <climits>

#include "app/routing/RouteNames.h"

namespace {

TEST(RouteNames, SplitsAtTheLastUnderscore) {
    struct Case {
        const char* name;
        const char* prefix;
        int number;
    };
    const Case cases[] = {
        {"DPI_slider_2", "DPI_slider_", 2},
        {"tamric_DPI_slider_3", "tamric_DPI_slider_", 3},
        {"key_", "key_", 0},  // nothing after the underscore passes 0
        {"key_12", "key_", 12},
        {"key_007", "key_", 7},
        {"key_5x", "key_", 5},  // digits up to the first other character
        {"key_x5", "key_", 0},
        {"key_-1", "key_", -1},
        {"_4", "_", 4},
        {"key_99999999999999999999", "key_", INT_MAX},  // clamped, never overflowing
        {"key_-99999999999999999999", "key_", INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto split = routing::SplitIndexedName(c.name);
        ASSERT_TRUE(split.has_value());
        EXPECT_EQ(split->prefix, c.prefix);
        EXPECT_EQ(split->number, c.number);
    }
}

TEST(RouteNames, ANameWithoutUnderscoreHasNoSplit) {
    EXPECT_FALSE(routing::SplitIndexedName("closebtn").has_value());
    EXPECT_FALSE(routing::SplitIndexedName("").has_value());
}

TEST(RouteNames, CaseIsIgnoredForAsciiLettersOnly) {
    EXPECT_TRUE(routing::EqualsIgnoringCase("Key_", "kEY_"));
    EXPECT_FALSE(routing::EqualsIgnoringCase("key_", "key"));
    EXPECT_FALSE(routing::EqualsIgnoringCase("a_", "a-"));
    EXPECT_FALSE(routing::EqualsIgnoringCase("\xC3\xA9", "\xC3\x89"));  // é / É: not ASCII
}

}  // namespace
