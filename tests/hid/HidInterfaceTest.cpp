#include <gtest/gtest.h>

#include <string>

#include "hid/HidInterfaceId.h"
#include "hid/HidSlotList.h"

namespace {

using hid::HidInterfaceId;

struct PathCase {
    const char* path;
    std::uint16_t vid;
    std::uint16_t pid;
    std::uint16_t mi;
    std::uint16_t col;
};

TEST(PathParsers, ReadTheHexNumberAfterEachTag) {
    const PathCase cases[] = {
        {"/dev/hidraw3&vid_320f&pid_2210&mi_01&col04#0003:320F:2210.0004", 0x320F, 0x2210, 1, 4},
        {R"(\\?\hid#vid_320f&pid_2210&mi_01&col03#7&1a2b&0&0002#{4d1e55b2})", 0x320F, 0x2210, 1, 3},
        // Tags are found whatever their case; digits of either case.
        {R"(\\?\HID#VID_320F&PID_2210&MI_01&COL04#x)", 0x320F, 0x2210, 1, 4},
        {"/dev/hidraw0&Vid_abCD&pId_00ef&Mi_02", 0xABCD, 0x00EF, 2, 0},
        // No &col part: collection 0; no &mi_ part: interface 0.
        {"/dev/hidraw1&vid_320f&pid_2210", 0x320F, 0x2210, 0, 0},
        // The number ends at the first non-hex character.
        {"vid_12g4&pid_1-2&mi_0z&col1x", 0x12, 0x1, 0, 1},
        // Tag without a number, or no tags at all.
        {"vid_&pid_zz&mi_&col", 0, 0, 0, 0},
        {"", 0, 0, 0, 0},
        // Only the low 16 bits are kept; a bare "mi_" is not "&mi_".
        {"vid_12345678&pid_0x2210 mi_05", 0x5678, 0x2210, 0, 0},
        // The first occurrence of a tag counts.
        {"vid_0001&vid_0002", 0x0001, 0, 0, 0},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(hid::ParseVendorId(c.path), c.vid);
        EXPECT_EQ(hid::ParseProductId(c.path), c.pid);
        EXPECT_EQ(hid::ParseInterfaceNumber(c.path), c.mi);
        EXPECT_EQ(hid::ParseCollectionNumber(c.path), c.col);
    }
}

TEST(InterfaceTable, HoldsTheSevenRowsInSlotOrder) {
    const auto& table = hid::HidInterfaceTable();
    ASSERT_EQ(table.size(), 7u);
    EXPECT_EQ(table[2].vendorId, 0x320F);
    EXPECT_EQ(table[2].productId, 0x2210);
    EXPECT_EQ(table[2].collectionNumber, 4);
    EXPECT_EQ(table[2].usagePage, 0xFF1C);
    EXPECT_EQ(table[2].usage, 0x92);
    EXPECT_EQ(table[2].deviceKind, hid::kKindMouse);
    EXPECT_EQ(table[2].interfaceRole, hid::kRoleCommand);
    EXPECT_EQ(table[3].collectionNumber, 3);
    EXPECT_EQ(table[3].usagePage, 0x000C);
    EXPECT_EQ(table[3].interfaceRole, hid::kRoleEvent);
    EXPECT_EQ(table[6].interfaceNumber, 3);
    EXPECT_EQ(table[6].deviceKind, hid::kKindHeadset);
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].connected, 0) << i;
        EXPECT_TRUE(table[i].path.empty()) << i;
        if (i != 2 && i != 3) {
            EXPECT_EQ(table[i].vendorId, 0) << i;
        }
    }
}

HidInterfaceId FromPath(const std::string& path) {
    HidInterfaceId id;
    id.vendorId = hid::ParseVendorId(path);
    id.productId = hid::ParseProductId(path);
    id.interfaceNumber = hid::ParseInterfaceNumber(path);
    id.collectionNumber = hid::ParseCollectionNumber(path);
    id.path = path;
    return id;
}

// What the discovery pass does after opening: usage from the capabilities.
HidInterfaceId Opened(const std::string& path, std::uint16_t page, std::uint16_t usage) {
    HidInterfaceId id = FromPath(path);
    id.usagePage = page;
    id.usage = usage;
    return id;
}

const std::string kVendor1 = "/dev/hidraw3&vid_320f&pid_2210&mi_01&col04#0003:320F:2210.0001";
const std::string kConsumer1 = "/dev/hidraw3&vid_320f&pid_2210&mi_01&col03#0003:320F:2210.0001";
const std::string kVendor2 = "/dev/hidraw7&vid_320f&pid_2210&mi_01&col04#0003:320F:2210.0005";
const std::string kConsumer2 = "/dev/hidraw7&vid_320f&pid_2210&mi_01&col03#0003:320F:2210.0005";

TEST(SlotList, MouseCollectionsFillSlotsTwoAndThreeAndASecondMouseFindsThemTaken) {
    hid::CHidSlotList slots;
    EXPECT_FALSE(slots.AllSlotsConnected());

    HidInterfaceId vendor = Opened(kVendor1, 0xFF1C, 0x92);
    ASSERT_TRUE(slots.IsCandidate(FromPath(kVendor1)));
    std::size_t slot = 99;
    ASSERT_TRUE(slots.ClaimSlot(vendor, slot));
    EXPECT_EQ(slot, 2u);
    EXPECT_EQ(vendor.deviceKind, hid::kKindMouse);
    EXPECT_EQ(vendor.interfaceRole, hid::kRoleCommand);
    EXPECT_EQ(slots[2].connected, 1);
    EXPECT_EQ(slots[2].path, kVendor1);

    HidInterfaceId consumer = Opened(kConsumer1, 0x000C, 0x01);
    ASSERT_TRUE(slots.IsCandidate(FromPath(kConsumer1)));
    ASSERT_TRUE(slots.ClaimSlot(consumer, slot));
    EXPECT_EQ(slot, 3u);
    EXPECT_EQ(consumer.interfaceRole, hid::kRoleEvent);

    // A second identical mouse: not a candidate, and a claim fails too.
    EXPECT_FALSE(slots.IsCandidate(FromPath(kVendor2)));
    EXPECT_FALSE(slots.IsCandidate(FromPath(kConsumer2)));
    HidInterfaceId second = Opened(kVendor2, 0xFF1C, 0x92);
    EXPECT_FALSE(slots.ClaimSlot(second, slot));
    EXPECT_EQ(slots[2].path, kVendor1);

    // Removal frees the slot for the second mouse.
    slots.Release(2);
    EXPECT_TRUE(slots.IsCandidate(FromPath(kVendor2)));
    ASSERT_TRUE(slots.ClaimSlot(second, slot));
    EXPECT_EQ(slot, 2u);
}

TEST(SlotList, AnotherUsageBehindAMatchingPathFailsTheClaimAndLeavesTheSlotFree) {
    hid::CHidSlotList slots;
    // The mouse's pointer collection seen under the command interface's numbers.
    HidInterfaceId pointer = Opened(kVendor1, 0x0001, 0x02);
    EXPECT_TRUE(slots.IsCandidate(FromPath(kVendor1)));
    std::size_t slot = 99;
    EXPECT_FALSE(slots.ClaimSlot(pointer, slot));
    EXPECT_EQ(slot, 99u);
    EXPECT_TRUE(hid::CHidSlotList::IsFree(slots[2]));
}

TEST(SlotList, RowsWithZeroIdsAndForeignInterfacesAreNoCandidates) {
    hid::CHidSlotList slots;
    const char* paths[] = {
        "/dev/hidraw0&vid_320f&pid_2210&mi_00#0003:320F:2210.0001",  // pointer interface
        "/dev/hidraw1&vid_046d&pid_c52b&mi_01&col04#0003:046D:C52B.0002",
        "/dev/hidraw2&vid_320f&pid_2211&mi_01&col04#x",
        "/dev/hidraw2&vid_320f&pid_2210&mi_02&col04#x",
        "/dev/hidraw2&vid_320f&pid_2210&mi_01#x",  // no collection part: collection 0
    };
    for (const char* path : paths) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(slots.IsCandidate(FromPath(path)));
    }
}

TEST(SlotList, AllSlotsConnectedOnlyWhenNoSlotIsFree) {
    hid::CHidSlotList slots;
    // Only the mouse rows can be filled by real interfaces, so claim them and check the rest
    // still counts as free.
    HidInterfaceId vendor = Opened(kVendor1, 0xFF1C, 0x92);
    HidInterfaceId consumer = Opened(kConsumer1, 0x000C, 0x01);
    std::size_t slot = 0;
    ASSERT_TRUE(slots.ClaimSlot(vendor, slot));
    ASSERT_TRUE(slots.ClaimSlot(consumer, slot));
    EXPECT_FALSE(slots.AllSlotsConnected());
    // Zero-id rows are claimed by zero-id records (never seen on a real system).
    for (std::size_t row : {0u, 1u, 4u, 5u, 6u}) {
        HidInterfaceId id = hid::HidInterfaceTable()[row];
        id.path = "p" + std::to_string(row);
        ASSERT_TRUE(slots.ClaimSlot(id, slot));
        EXPECT_EQ(slot, row);
    }
    EXPECT_TRUE(slots.AllSlotsConnected());
}

TEST(InterfaceRecord, EqualityIgnoresConnectionPairingAndPath) {
    HidInterfaceId a = hid::HidInterfaceTable()[2];
    HidInterfaceId b = a;
    b.connected = 1;
    b.pairFlag = 1;
    b.pairSlot = 5;
    b.path = "/dev/hidraw9";
    EXPECT_TRUE(a == b);
    const std::pair<const char*, std::uint16_t HidInterfaceId::*> fields[] = {
        {"vendorId", &HidInterfaceId::vendorId},
        {"productId", &HidInterfaceId::productId},
        {"interfaceNumber", &HidInterfaceId::interfaceNumber},
        {"collectionNumber", &HidInterfaceId::collectionNumber},
        {"deviceKind", &HidInterfaceId::deviceKind},
        {"interfaceRole", &HidInterfaceId::interfaceRole},
        {"usagePage", &HidInterfaceId::usagePage},
        {"usage", &HidInterfaceId::usage},
    };
    for (const auto& [name, member] : fields) {
        HidInterfaceId c = a;
        c.*member = static_cast<std::uint16_t>(c.*member + 1);
        EXPECT_FALSE(a == c) << name;
    }
}

}  // namespace
