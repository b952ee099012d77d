// The mouse's settings block and key table mapping on plain data.
#include <gtest/gtest.h>

#include <algorithm>

#include "devices/core/MouseKeyTable.h"
#include "devices/core/MouseSettingsBlock.h"

namespace {

using namespace devices;

MouseSettingsInput Input() {
    MouseSettingsInput in;
    in.light.selectItem = 4;
    in.light.light = 3;
    in.light.speed = 1;
    in.light.fx = 1;
    in.light.multiColor = 1;
    in.light.red = 0x11;
    in.light.green = 0x22;
    in.light.blue = 0x33;
    in.stages = {DpiStage{1, 0, 0x1234, 0, 0, 0, 0}, DpiStage{1, 0, 16, 0, 0, 0, 0},
                 DpiStage{1, 0, 520, 0, 0, 0, 0}};
    in.activeStage = 2;
    in.reportRate = 3;
    in.scorllPage = 0x0102;
    in.screenWidth = 2560;
    in.screenHeight = 1440;
    return in;
}

TEST(MouseSettingsBlock, EveryByteAsTheTableSays) {
    const auto b = BuildMouseSettingsBlock(Input());
    std::array<std::uint8_t, kMouseSettingsWriteSize> expected{};
    expected[1] = 4;
    expected[2] = 3;
    expected[3] = 1;
    expected[4] = 1;
    expected[5] = 1;
    expected[6] = 0x11;
    expected[7] = 0x22;
    expected[8] = 0x33;
    expected[14] = 3;
    expected[16] = 0x34;
    expected[17] = 0x12;
    expected[18] = 16;
    expected[20] = 520 & 0xFF;
    expected[21] = 520 >> 8;
    // stage 3 missing: bytes 22 and 23 stay 0
    expected[24] = 2;
    expected[25] = 2560 >> 8;
    expected[26] = 1440 & 0xFF;
    expected[29] = 0x02;
    expected[30] = 0x01;
    EXPECT_EQ(b, expected);
}

TEST(MouseSettingsBlock, EffectsFromNineAreSentAsZeroAndReceiverInvertsSpeed) {
    struct Case {
        std::uint8_t effect, sent;
    };
    for (const Case& c : {Case{8, 8}, Case{9, 0}, Case{12, 0}, Case{255, 0}}) {
        MouseSettingsInput in = Input();
        in.light.selectItem = c.effect;
        EXPECT_EQ(BuildMouseSettingsBlock(in)[1], c.sent) << int(c.effect);
    }
    MouseSettingsInput in = Input();
    in.receiverMode = true;
    EXPECT_EQ(BuildMouseSettingsBlock(in)[3], 4);
}

TEST(MouseSettingsBlock, ParseTakesTheReadBytes) {
    std::array<std::uint8_t, kMouseSettingsSize> block{};
    block[1] = 7;
    block[2] = 2;
    block[3] = 1;
    block[5] = 1;
    block[6] = 9;
    block[7] = 8;
    block[8] = 7;
    block[14] = 4;
    block[24] = 3;
    const MouseDeviceState s = ParseMouseSettingsBlock(block.data(), 2);
    EXPECT_EQ(s, (MouseDeviceState{2, 7, 2, 4, 1, 9, 8, 7, 4, 3}));
}

std::vector<std::uint8_t> Table(std::initializer_list<KeyCode> codes) {
    std::vector<std::uint8_t> t;
    for (const KeyCode& c : codes) {
        t.insert(t.end(), c.begin(), c.end());
    }
    return t;
}

TEST(ButtonMap, FirstSlotWithTheCodeElseNotPresent) {
    const auto table = Table({kDefaultButtonCodes[1],
                              {0, 0, 0},
                              kDefaultButtonCodes[0],
                              kDefaultButtonCodes[1],
                              kDefaultButtonCodes[9]});
    const ButtonMap map = BuildButtonMap(table, 5);
    EXPECT_EQ(map[0], 2);
    EXPECT_EQ(map[1], 0);
    EXPECT_EQ(map[9], 4);
    for (int j : {2, 3, 4, 5, 6, 7, 8}) {
        EXPECT_EQ(map[static_cast<std::size_t>(j)], kButtonNotPresent) << j;
    }
    // Fewer slots than the table holds: slot 4 is not looked at.
    EXPECT_EQ(BuildButtonMap(table, 4)[9], kButtonNotPresent);
}

TEST(ButtonMap, KeysGoIntoMappedSlotsOnly) {
    auto table = Table({kDefaultButtonCodes[1], {0xEE, 0xEE, 0xEE}, kDefaultButtonCodes[0]});
    const ButtonMap map = BuildButtonMap(table, 3);
    std::vector<KeyListEntry> keys(1);  // only button 0 has an entry
    keys[0].assignment = {0x20, 0x00, 0x04};
    ApplyKeysToTable(table, map, keys);
    EXPECT_EQ(table, Table({kDefaultButtonCodes[1], {0xEE, 0xEE, 0xEE}, {0x20, 0x00, 0x04}}));
}

}  // namespace
