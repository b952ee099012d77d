// Any bytes as a report descriptor; when one parses, every collection is opened on the
// simulated bus (so capabilities are built as for a device) and the rest of the input is
// decoded as a report of each type with the elements that open built.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "hid/HidDevice.h"
#include "hid/ReportDescriptor.h"
#include "hid/SimulatedHid.h"
#include "hid/SimulatedPath.h"

namespace {

class FuzzedDevice : public hid::ISimulatedDevice {
public:
    explicit FuzzedDevice(std::vector<std::uint8_t> descriptor)
        : descriptor_(std::move(descriptor)) {}
    std::uint16_t VendorId() const override { return 0x320F; }
    std::uint16_t ProductId() const override { return 0x2210; }
    std::uint16_t VersionNumber() const override { return 1; }
    std::vector<hid::SimulatedInterface> Interfaces() const override { return {{1, descriptor_}}; }
    bool OnOutputReport(std::uint8_t, std::span<const std::uint8_t>) override { return true; }

private:
    std::vector<std::uint8_t> descriptor_;
};

}  // namespace

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
    if (!hid::ParseReportDescriptor(descriptor, info, error)) {
        return 0;
    }
    auto bus = std::make_shared<hid::CSimulatedHidBus>();
    auto device = std::make_shared<FuzzedDevice>(
        std::vector<std::uint8_t>(descriptor.begin(), descriptor.end()));
    bus->Plug(device);
    hid::CHidDevice dev(bus);
    const std::size_t count = info.collections.size();
    for (std::size_t c = 0; c < count && c < 16; ++c) {
        hid::SimulatedPath path;
        path.vendorId = 0x320F;
        path.productId = 0x2210;
        path.interfaceNumber = 1;
        path.collectionNumber = count > 1 ? static_cast<int>(c + 1) : 0;
        if (!dev.Open(hid::FormatSimulatedPath(path), true, true, true, false) || report.empty()) {
            continue;
        }
        for (int t = 0; t < hid::kReportTypeCount; ++t) {
            hid::HidReportCaps& caps = dev.ReportCaps(static_cast<hid::ReportType>(t));
            hid::CHidDevice::UnpackReport(caps.dataElements.data(), caps.dataElements.size(),
                                          report.data(), report.size(),
                                          static_cast<hid::ReportType>(t), dev.PreparsedData());
        }
    }
    return 0;
}
