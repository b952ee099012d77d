#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "hid/HidDevice.h"
#include "hid/ReportDescriptor.h"
#include "sim/MouseDescriptors.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

hid::ReportDescriptorInfo Parse(const Bytes& bytes) {
    hid::ReportDescriptorInfo info;
    std::string error;
    EXPECT_TRUE(hid::ParseReportDescriptor(bytes, info, error)) << error;
    return info;
}

TEST(ReportDescriptor, MouseInterfaceOneHasFourCollectionsWithWindowsLengths) {
    hid::ReportDescriptorInfo info = Parse(sim::MouseMultiDescriptor());
    EXPECT_TRUE(info.usesReportIds);
    ASSERT_EQ(info.collections.size(), 4u);
    struct Expected {
        std::uint16_t page, usage, in, out, feat;
    };
    const Expected expected[] = {
        {0x0001, 0x06, 9, 2, 0},    // keyboard: modifiers, reserved, 6 keys; LEDs
        {0x0001, 0x80, 2, 0, 0},    // system control
        {0x000C, 0x01, 3, 0, 0},    // consumer control, one 16-bit selector
        {0xFF1C, 0x92, 64, 64, 0},  // vendor command collection
    };
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const hid::TopLevelCollection& c = info.collections[i];
        EXPECT_EQ(c.usagePage, expected[i].page);
        EXPECT_EQ(c.usage, expected[i].usage);
        EXPECT_EQ(c.InputReportByteLength(), expected[i].in);
        EXPECT_EQ(c.OutputReportByteLength(), expected[i].out);
        EXPECT_EQ(c.FeatureReportByteLength(), expected[i].feat);
        ASSERT_EQ(c.inputReportIds.size(), 1u);
        EXPECT_EQ(c.inputReportIds[0], i + 1);
    }
}

TEST(ReportDescriptor, PointerWithoutReportIdsCountsAZeroIdByte) {
    hid::ReportDescriptorInfo info = Parse(sim::MousePointerDescriptor());
    EXPECT_FALSE(info.usesReportIds);
    ASSERT_EQ(info.collections.size(), 1u);
    const hid::TopLevelCollection& c = info.collections[0];
    EXPECT_EQ(c.usagePage, 0x01);
    EXPECT_EQ(c.usage, 0x02);
    EXPECT_EQ(c.InputReportByteLength(), 7);  // id 0 + buttons + X16 + Y16 + wheel
    EXPECT_EQ(c.linkCollectionCount, 2);      // the application and its physical collection
    ASSERT_FALSE(c.fields.empty());
    EXPECT_EQ(c.fields[0].bitOffset, 8u);
    EXPECT_EQ(c.fields[0].linkCollection, 1);
}

TEST(ReportDescriptor, PushPopExtendedUsagesAndFeatureReports) {
    const Bytes bytes = {
        0x06, 0x00, 0xFF,              // Usage Page (vendor 0xFF00)
        0x09, 0x01,                    // Usage (1)
        0xA1, 0x01,                    // Collection (Application)
        0x85, 0x07,                    //   Report ID 7
        0x75, 0x08, 0x95, 0x02,        //   Size 8, Count 2
        0xA4,                          //   Push
        0x75, 0x10, 0x95, 0x05,        //     Size 16, Count 5
        0x0B, 0x30, 0x00, 0x01, 0x00,  //     Usage (Generic Desktop X), 4-byte form
        0xB1, 0x02,                    //     Feature (Variable)
        0xB4,                          //   Pop: back to 8 x 2
        0x09, 0x02,                    //   Usage (2)
        0x81, 0x02,                    //   Input
        0xC0,
    };
    hid::ReportDescriptorInfo info = Parse(bytes);
    ASSERT_EQ(info.collections.size(), 1u);
    const hid::TopLevelCollection& c = info.collections[0];
    EXPECT_EQ(c.FeatureReportByteLength(), 11);  // id + 5 x 2 bytes
    EXPECT_EQ(c.InputReportByteLength(), 3);     // id + 2 x 1 byte after the pop
    ASSERT_EQ(c.fields.size(), 2u);
    ASSERT_EQ(c.fields[0].usages.size(), 1u);
    EXPECT_EQ(c.fields[0].usages[0].usagePage, 0x0001);
    EXPECT_EQ(c.fields[0].usages[0].usageMin, 0x30);
    EXPECT_EQ(c.fields[1].usages[0].usagePage, 0xFF00);
}

TEST(ReportDescriptor, MalformedInputGivesAClearFailure) {
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"truncated item", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x26, 0xFF}},
        {"unclosed collection", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01}},
        {"end without collection", {0xC0}},
        {"pop without push", {0xB4}},
        {"report id 0", {0xA1, 0x01, 0x85, 0x00, 0xC0}},
        {"usage maximum before minimum", {0xA1, 0x01, 0x29, 0x05, 0xC0}},
        {"maximum below minimum", {0xA1, 0x01, 0x19, 0x09, 0x29, 0x05, 0xC0}},
        {"report too long", {0xA1, 0x01, 0x75, 0x20, 0x96, 0x00, 0x04, 0x81, 0x02, 0xC0}},
        {"no top-level collection", {0x05, 0x01}},
        {"truncated long item", {0xFE, 0x10, 0x00, 0x01}},
        {"nested too deeply", Bytes(40, 0xA0)},
        {"unknown main item", {0xA1, 0x01, 0xF0, 0xC0}},
        {"id shared by two collections",
         {0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0, 0xA1, 0x01, 0x81, 0x02,
          0xC0}},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        hid::ReportDescriptorInfo info;
        std::string error;
        EXPECT_FALSE(hid::ParseReportDescriptor(bytes, info, error));
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(info.collections.empty());
    }
    Bytes tooBig(hid::kMaxDescriptorSize + 1, 0x00);
    hid::ReportDescriptorInfo info;
    std::string error;
    EXPECT_FALSE(hid::ParseReportDescriptor(tooBig, info, error));
}

TEST(ReportDescriptor, ExtractBitsStaysInsideTheReport) {
    const Bytes report = {0x04, 0xA5, 0x3C, 0xFF};
    std::uint32_t value = 0;
    ASSERT_TRUE(hid::ExtractBits(report, 8, 8, value));
    EXPECT_EQ(value, 0xA5u);
    ASSERT_TRUE(hid::ExtractBits(report, 12, 8, value));
    EXPECT_EQ(value, 0xCAu);
    ASSERT_TRUE(hid::ExtractBits(report, 0, 32, value));
    EXPECT_EQ(value, 0xFF3CA504u);
    EXPECT_FALSE(hid::ExtractBits(report, 25, 8, value));
    EXPECT_FALSE(hid::ExtractBits(report, 0, 33, value));
    EXPECT_FALSE(hid::ExtractBits(report, 0xFFFFFFF0u, 20, value));
}

// Data elements as ReadCapabilities builds them, without a device.
std::vector<hid::HidDataElement> ButtonElement(std::uint8_t reportId, std::uint16_t page,
                                               std::uint16_t min, std::uint16_t max,
                                               std::size_t listLength) {
    hid::HidDataElement e;
    e.isButton = true;
    e.usagePage = page;
    e.reportId = reportId;
    e.usageMin = min;
    e.usageMax = max;
    e.usageList.assign(listLength, 0xEEEE);
    return {e};
}

TEST(UnpackReport, DecodesConsumerUsagesOfTheEventCollection) {
    hid::ReportDescriptorInfo info = Parse(sim::MouseMultiDescriptor());
    const hid::TopLevelCollection& consumer = info.collections[2];
    auto elements = ButtonElement(3, 0x0C, 0x0000, 0x0FFF, 1);
    const std::uint8_t report[] = {0x03, 0x01, 0x04};  // usage 0x0401
    ASSERT_TRUE(hid::CHidDevice::UnpackReport(elements.data(), elements.size(), report,
                                              sizeof report, hid::ReportType::Input, consumer));
    EXPECT_TRUE(elements[0].updated);
    EXPECT_EQ(elements[0].status, hid::kHidpStatusSuccess);
    EXPECT_EQ(elements[0].usageList[0], 0x0401);

    const std::uint8_t released[] = {0x03, 0x00, 0x00};
    ASSERT_TRUE(hid::CHidDevice::UnpackReport(elements.data(), elements.size(), released,
                                              sizeof released, hid::ReportType::Input, consumer));
    EXPECT_EQ(elements[0].usageList[0], 0);
}

TEST(UnpackReport, OtherReportIdChangesNothingAndShortReportsAreRefused) {
    hid::ReportDescriptorInfo info = Parse(sim::MouseMultiDescriptor());
    const hid::TopLevelCollection& consumer = info.collections[2];
    auto elements = ButtonElement(3, 0x0C, 0x0000, 0x0FFF, 1);
    const std::uint8_t other[] = {0x04, 0x01, 0x04};
    ASSERT_TRUE(hid::CHidDevice::UnpackReport(elements.data(), elements.size(), other, sizeof other,
                                              hid::ReportType::Input, consumer));
    EXPECT_FALSE(elements[0].updated);
    EXPECT_EQ(elements[0].usageList[0], 0xEEEE);

    const std::uint8_t shortReport[] = {0x03, 0x01};
    hid::CHidDevice::UnpackReport(elements.data(), elements.size(), shortReport, sizeof shortReport,
                                  hid::ReportType::Input, consumer);
    EXPECT_EQ(elements[0].status, hid::kHidpStatusInvalidReportLength);
}

TEST(UnpackReport, ButtonsKeepTheirRangeAndValuesAreSignedAndScaled) {
    hid::ReportDescriptorInfo info = Parse(sim::MousePointerDescriptor());
    const hid::TopLevelCollection& pointer = info.collections[0];
    std::vector<hid::HidDataElement> elements = ButtonElement(0, 0x09, 1, 3, 5);
    hid::HidDataElement x;
    x.usagePage = 0x01;
    x.usage = 0x30;
    hid::HidDataElement wheel;
    wheel.usagePage = 0x01;
    wheel.usage = 0x38;
    elements.push_back(x);
    elements.push_back(wheel);
    // Buttons 1, 3 and 5 pressed; X = -2; Y = 7; wheel = -1.
    const std::uint8_t report[] = {0x00, 0x15, 0xFE, 0xFF, 0x07, 0x00, 0xFF};
    ASSERT_TRUE(hid::CHidDevice::UnpackReport(elements.data(), elements.size(), report,
                                              sizeof report, hid::ReportType::Input, pointer));
    // Button 5 lies outside the element's 1..3 range: the list holds 1, 3, then 0.
    EXPECT_EQ(elements[0].usageList[0], 1);
    EXPECT_EQ(elements[0].usageList[1], 3);
    EXPECT_EQ(elements[0].usageList[2], 0);
    EXPECT_EQ(elements[1].rawValue, 0xFFFEu);
    EXPECT_EQ(elements[1].scaledValue, -2);
    EXPECT_EQ(elements[2].scaledValue, -1);

    // A value usage the report does not carry fails the whole call.
    hid::HidDataElement missing;
    missing.usagePage = 0x01;
    missing.usage = 0x48;
    EXPECT_FALSE(hid::CHidDevice::UnpackReport(&missing, 1, report, sizeof report,
                                               hid::ReportType::Input, pointer));
    EXPECT_EQ(missing.status, hid::kHidpStatusUsageNotFound);
}

}  // namespace
