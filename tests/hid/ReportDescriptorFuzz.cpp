// Any bytes as a report descriptor; when one parses, the rest of the input is decoded as a
// report of every collection with the elements an open interface would build.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "hid/HidDevice.h"
#include "hid/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // The first two bytes say how much of the input is the descriptor.
    std::size_t split = (static_cast<std::size_t>(data[0]) | (std::size_t{data[1]} << 8)) % size;
    std::span<const std::uint8_t> descriptor(data + 2, split > 2 ? split - 2 : size - 2);
    std::span<const std::uint8_t> report(data + 2 + descriptor.size(),
                                         size - 2 - descriptor.size());
    hid::ReportDescriptorInfo info;
    std::string error;
    if (!hid::ParseReportDescriptor(descriptor, info, error) || report.empty()) {
        return 0;
    }
    for (const hid::TopLevelCollection& tlc : info.collections) {
        for (const hid::ReportField& field : tlc.fields) {
            hid::HidDataElement element;
            element.reportId = field.reportId;
            element.isButton = field.IsButton();
            std::uint16_t page = 0;
            std::uint16_t usage = 0;
            field.UsageAt(0, page, usage);
            element.usagePage = page;
            element.usage = usage;
            element.usageMin = 0;
            element.usageMax = 0xFFFF;
            element.usageList.assign(field.reportCount % 64 + 1, 0);
            hid::CHidDevice::UnpackReport(&element, 1, report.data(), report.size(), field.type,
                                          tlc);
        }
    }
    return 0;
}
