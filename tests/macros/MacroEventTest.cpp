#include <gtest/gtest.h>

#include <string>

#include "macros/MacroEvent.h"
#include "macros/MouseEventTable.h"
#include "profiles/JsonFile.h"

namespace {

using macros::DeviceEventRecord;

Json::Value Parse(const std::string& text) {
    Json::Value value = CJsonFile::ParseText(text);
    EXPECT_FALSE(value.isNull()) << text;
    return value;
}

TEST(MacroDelay, StringsAndNumbersGiveTheirDecimalValue) {
    constexpr std::int64_t kAnyValue = -999;
    struct Case {
        const char* json;
        std::int64_t value;
        std::uint16_t shown;
    } cases[] = {
        {R"("120")", 120, 120},
        {R"(120)", 120, 120},
        {R"("  42ms")", 42, 42},
        {R"("+7")", 7, 7},
        {R"("abc")", 0, 0},
        {R"("")", 0, 0},
        {R"("-5")", -5, 65535},
        {R"(-5)", -5, 65535},
        {R"(70000)", 70000, 65535},
        {R"("70000")", 70000, 65535},
        {R"(65535)", 65535, 65535},
        {R"("99999999999999999999999")", kAnyValue, 65535},  // saturates, never overflows
        {R"(12.9)", 12, 12},
        {R"(true)", 0, 0},
        {R"(null)", 0, 0},
        {R"([1])", 0, 0},
    };
    for (const Case& c : cases) {
        Json::Value delay = Parse(std::string("[") + c.json + "]")[0];
        const std::int64_t value = macros::DelayValue(&delay);
        if (c.value != kAnyValue) {
            EXPECT_EQ(value, c.value) << c.json;
        }
        EXPECT_EQ(macros::ClampDelay(value), c.shown) << c.json;
    }
}

TEST(DeviceEventRecord, IsDelayLowHighTypeWithDownBitButton) {
    struct Case {
        const char* event;
        DeviceEventRecord record;
    } cases[] = {
        {R"({"Action":"down","Button":1,"Type":1,"Delay":"100"})", {0x64, 0x00, 0x81, 0x01}},
        {R"({"Action":"up","Button":4,"Type":10,"Delay":"0"})", {0x00, 0x00, 0x0A, 0x04}},
        {R"({"Action":"down","Button":2,"Type":1,"Delay":"300"})", {0x2C, 0x01, 0x81, 0x02}},
        {R"({"Action":"down","Button":2,"Type":9,"Delay":300})", {0x2C, 0x01, 0x89, 0x02}},
        {R"({"Action":"up","Button":300,"Type":261,"Delay":"65535"})", {0xFF, 0xFF, 0x05, 0x2C}},
        // A delay the editor shows as 65535 is sent as 65535, not wrapped to 4464.
        {R"({"Action":"down","Button":7,"Type":5,"Delay":70000})", {0xFF, 0xFF, 0x85, 0x07}},
        {R"({"Action":"DOWN","Button":"7","Type":"5"})", {0x00, 0x00, 0x00, 0x00}},
        {R"(null)", {0x00, 0x00, 0x00, 0x00}},
        {R"([1,2,3])", {0x00, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        Json::Value event = Parse(std::string("[") + c.event + "]")[0];
        EXPECT_EQ(macros::EncodeDeviceEvent(event), c.record) << c.event;
    }
}

TEST(DeviceEventRecord, MadeEventsWriteDelayAsString) {
    Json::Value event = macros::MakeEvent(true, 0x04, macros::EventType::Key, 250);
    EXPECT_TRUE(event["Delay"].isString());
    EXPECT_EQ(event["Delay"].asString(), "250");
    EXPECT_EQ(macros::EncodeDeviceEvent(event), (DeviceEventRecord{0xFA, 0x00, 0x8A, 0x04}));
}

TEST(MouseEventTable, RecorderMessagesFindTheirRows) {
    struct Case {
        std::uint32_t message;
        int xButton;
        int button;
        bool down;
        const char* name;
    } cases[] = {
        {0x201, 0, 0x01, true, "mouse_key_left"},    {0x202, 0, 0x01, false, "mouse_key_left"},
        {0x204, 0, 0x02, true, "mouse_key_right"},   {0x205, 0, 0x02, false, "mouse_key_right"},
        {0x207, 0, 0x04, true, "mouse_key_middle"},  {0x208, 0, 0x04, false, "mouse_key_middle"},
        {0x20B, 2, 0x10, true, "mouse_key_forward"}, {0x20C, 2, 0x10, false, "mouse_key_forward"},
        {0x20B, 1, 0x08, true, "mouse_key_back"},    {0x20C, 1, 0x08, false, "mouse_key_back"},
    };
    for (const auto& c : cases) {
        const macros::MouseEventRow* row = macros::FindMouseEventByMessage(c.message, c.xButton);
        ASSERT_NE(row, nullptr) << c.message;
        EXPECT_EQ(row->button, c.button);
        EXPECT_EQ(row->down, c.down);
        EXPECT_EQ(row->type, macros::EventType::MouseButton);
        EXPECT_EQ(row->nameId, c.name);
    }
    EXPECT_EQ(macros::FindMouseEventByMessage(0x20B, 3), nullptr);
    EXPECT_EQ(macros::FindMouseEventByMessage(0x200, 0), nullptr);
    EXPECT_EQ(macros::FindMouseEventByMessage(0, 0), nullptr);
}

TEST(MouseEventTable, EditorNamesByTypeButtonAndAction) {
    EXPECT_EQ(macros::FindMouseEventByCode(1, 0x08, true)->nameId, "mouse_key_back");
    EXPECT_EQ(macros::FindMouseEventByCode(4, 17, true)->nameId, "mouse_move_to_left_text");
    EXPECT_EQ(macros::FindMouseEventByCode(4, 0, false)->nameId, "mouse_move_to_right_text");
    EXPECT_EQ(macros::FindMouseEventByCode(5, 255, true)->nameId, "mouse_move_to_up_text");
    EXPECT_EQ(macros::FindMouseEventByCode(5, 3, false)->nameId, "mouse_move_to_down_text");
    // Types 2 and 3 load but have no name; unknown button bits neither.
    EXPECT_EQ(macros::FindMouseEventByCode(2, 1, true), nullptr);
    EXPECT_EQ(macros::FindMouseEventByCode(1, 0x20, true), nullptr);
    EXPECT_TRUE(macros::IsKnownEventType(2));
    EXPECT_TRUE(macros::IsKnownEventType(3));
    EXPECT_FALSE(macros::IsKnownEventType(6));
}

}  // namespace
