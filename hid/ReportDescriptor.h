#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Our own HID report descriptor parser: what the HID class driver computes per top-level
// collection (usage, report lengths, button and value capabilities) and the field layout that
// report decoding needs.
namespace hid {

enum class ReportType : std::uint8_t { Input = 0, Output = 1, Feature = 2 };
inline constexpr int kReportTypeCount = 3;

// Main item flag bits.
inline constexpr std::uint32_t kFieldConstant = 0x01;
inline constexpr std::uint32_t kFieldVariable = 0x02;

// One usage or usage range of a field, with its page resolved.
struct UsageRange {
    std::uint16_t usagePage = 0;
    std::uint16_t usageMin = 0;
    std::uint16_t usageMax = 0;
};

// One Input, Output or Feature main item.
struct ReportField {
    ReportType type = ReportType::Input;
    std::uint8_t reportId = 0;
    std::uint32_t flags = 0;
    std::uint32_t bitOffset = 0;  // from the start of the report, report id byte included
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::int32_t logicalMin = 0;
    std::int32_t logicalMax = 0;
    std::int32_t physicalMin = 0;
    std::int32_t physicalMax = 0;
    std::uint16_t linkCollection = 0;  // 0 = the top-level collection itself
    std::vector<UsageRange> usages;    // in order; empty for padding

    bool IsConstant() const { return (flags & kFieldConstant) != 0; }
    bool IsVariable() const { return (flags & kFieldVariable) != 0; }
    // Buttons are arrays (usage selectors) and one-bit variables; everything else is a value.
    bool IsButton() const { return !IsVariable() || reportSize == 1; }
    // The usage of slot index of a variable field; the last usage repeats past the list.
    bool UsageAt(std::uint32_t index, std::uint16_t& page, std::uint16_t& usage) const;
};

struct TopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    // Longest report of each type in bytes, plus the report id byte; 0 when there is none.
    std::uint16_t reportByteLength[kReportTypeCount] = {0, 0, 0};
    std::uint16_t linkCollectionCount = 1;
    std::vector<ReportField> fields;
    std::vector<std::uint8_t> inputReportIds;  // input report ids that belong here

    std::uint16_t InputReportByteLength() const { return reportByteLength[0]; }
    std::uint16_t OutputReportByteLength() const { return reportByteLength[1]; }
    std::uint16_t FeatureReportByteLength() const { return reportByteLength[2]; }
};

struct ReportDescriptorInfo {
    bool usesReportIds = false;
    std::vector<TopLevelCollection> collections;
};

// Largest descriptor and report the kernel accepts.
inline constexpr std::size_t kMaxDescriptorSize = 4096;
inline constexpr std::size_t kMaxReportBytes = 4096;

// Parses a whole descriptor. On failure out is empty and error says why.
bool ParseReportDescriptor(std::span<const std::uint8_t> bytes, ReportDescriptorInfo& out,
                           std::string& error);

// Reads bitCount (1..32) bits at bitOffset of report (little endian, as HID packs them).
// False when the bits lie outside the report.
bool ExtractBits(std::span<const std::uint8_t> report, std::uint32_t bitOffset,
                 std::uint32_t bitCount, std::uint32_t& value);

}  // namespace hid
