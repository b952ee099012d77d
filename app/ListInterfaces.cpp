#include "app/ListInterfaces.h"

#include <memory>
#include <string>

#include "hid/HidDevice.h"
#include "hid/HidInterfaceId.h"
#include "hid/HidSlotList.h"
#include "hid/SimulatedHid.h"
#include "sim/SimulatedMouse.h"

namespace {

// Puts the emulated devices on a simulated bus and makes it the process's backend.
bool UseSimulatedDevices(const CommandLineOptions& options) {
    auto bus = std::make_shared<hid::CSimulatedHidBus>();
    std::vector<std::string> kinds = options.simulatedKinds;
    if (kinds.empty()) {
        kinds.push_back("mouse");
    }
    for (const std::string& kind : kinds) {
        if (kind == "mouse") {
            bus->Plug(std::make_shared<sim::CSimulatedMouse>(*bus));
        } else {
            std::fprintf(stderr, "zorvath-config: no emulated %s yet\n", kind.c_str());
        }
    }
    hid::UseBackend(bus);
    return true;
}

}  // namespace

int ListInterfaces(const CommandLineOptions& options, std::FILE* out) {
    if (options.simulate) {
        UseSimulatedDevices(options);
    }
    hid::CHidDevice enumerator;
    if (!enumerator.EnumerateInterfaces()) {
        std::fprintf(stderr, "zorvath-config: the HID interfaces could not be listed\n");
        return 1;
    }
    // What discovery would claim, on a copy of the slot list of its own.
    hid::CHidSlotList slots;
    hid::CHidDevice probe;
    while (const char* path = enumerator.NextInterfacePath()) {
        hid::HidInterfaceId record;
        record.vendorId = hid::ParseVendorId(path);
        record.productId = hid::ParseProductId(path);
        record.interfaceNumber = hid::ParseInterfaceNumber(path);
        record.collectionNumber = hid::ParseCollectionNumber(path);
        record.path = path;
        const bool candidate = slots.IsCandidate(record);

        std::string slotText = "-";
        if (probe.Open(path, true, false, true, false)) {
            const hid::HidAttributes& attributes = probe.Attributes();
            const hid::HidCaps& caps = probe.Caps();
            std::fprintf(out,
                         "path=%s vid=%04x pid=%04x ver=%04x mi=%u col=%u page=%04x usage=%04x "
                         "in=%u out=%u feat=%u",
                         path, attributes.vendorId, attributes.productId, attributes.versionNumber,
                         record.interfaceNumber, record.collectionNumber, caps.usagePage,
                         caps.usage, caps.inputReportByteLength, caps.outputReportByteLength,
                         caps.featureReportByteLength);
            record.vendorId = attributes.vendorId;
            record.productId = attributes.productId;
            record.usagePage = caps.usagePage;
            record.usage = caps.usage;
            std::size_t slot = 0;
            if (candidate && slots.ClaimSlot(record, slot)) {
                slotText = std::to_string(slot);
            }
            probe.Close();
        } else {
            // Not openable (permissions, or gone since the enumeration): what the path says.
            std::fprintf(out,
                         "path=%s vid=%04x pid=%04x ver=- mi=%u col=%u page=- usage=- in=- out=- "
                         "feat=-",
                         path, record.vendorId, record.productId, record.interfaceNumber,
                         record.collectionNumber);
        }
        std::fprintf(out, " slot=%s\n", slotText.c_str());
    }
    return 0;
}
