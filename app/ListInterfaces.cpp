#include "app/ListInterfaces.h"

#include <memory>
#include <string>

#include "hid/HidDevice.h"
#include "hid/HidInterfaceId.h"
#include "hid/HidSlotList.h"
#include "hid/ReportDescriptor.h"
#include "hid/SimulatedHid.h"
#include "sim/SimulatedMouse.h"

namespace {

// Puts the emulated devices on a simulated bus and makes it the process's backend.
void UseSimulatedDevices(const CommandLineOptions& options) {
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
}

struct InterfaceFacts {
    hid::HidAttributes attributes;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t lengths[hid::kReportTypeCount] = {0, 0, 0};
};

bool OpenAndRead(hid::CHidDevice& probe, const char* path, InterfaceFacts& facts) {
    if (!probe.Open(path, true, false, true, false)) {
        return false;
    }
    facts.attributes = probe.Attributes();
    facts.usagePage = probe.Caps().usagePage;
    facts.usage = probe.Caps().usage;
    facts.lengths[0] = probe.Caps().inputReportByteLength;
    facts.lengths[1] = probe.Caps().outputReportByteLength;
    facts.lengths[2] = probe.Caps().featureReportByteLength;
    probe.Close();
    return true;
}

// Without a device node (no permission, or a replayed sysfs tree): what enumeration read.
bool Describe(hid::IHidBackend& backend, const char* path, InterfaceFacts& facts) {
    std::vector<std::uint8_t> descriptor;
    int index = 0;
    hid::ReportDescriptorInfo info;
    std::string error;
    if (!backend.Describe(path, facts.attributes, descriptor, index) ||
        !hid::ParseReportDescriptor(descriptor, info, error) || index < 0 ||
        static_cast<std::size_t>(index) >= info.collections.size()) {
        return false;
    }
    const hid::TopLevelCollection& tlc = info.collections[static_cast<std::size_t>(index)];
    facts.usagePage = tlc.usagePage;
    facts.usage = tlc.usage;
    for (int t = 0; t < hid::kReportTypeCount; ++t) {
        facts.lengths[t] = tlc.reportByteLength[t];
    }
    return true;
}

// An interface of a device the program supports (vendor and product of a row of the interface
// table). Only these are ever opened here.
bool IsSupportedDevice(const hid::HidInterfaceId& record) {
    if (record.vendorId == 0 && record.productId == 0) {
        return false;
    }
    for (const hid::HidInterfaceId& row : hid::HidInterfaceTable()) {
        if (row.vendorId == record.vendorId && row.productId == record.productId) {
            return true;
        }
    }
    return false;
}

}  // namespace

int ListInterfaces(const CommandLineOptions& options, std::FILE* out) {
    if (options.simulate) {
        UseSimulatedDevices(options);
    }
    return ListInterfaces(hid::DefaultBackend(), out);
}

int ListInterfaces(const std::shared_ptr<hid::IHidBackend>& backend, std::FILE* out) {
    hid::CHidDevice enumerator(backend);
    if (!enumerator.EnumerateInterfaces()) {
        std::fprintf(stderr, "zorvath-config: the HID interfaces could not be listed\n");
        return 1;
    }
    // What discovery would claim, on a slot list of its own.
    hid::CHidSlotList slots;
    hid::CHidDevice probe(backend);
    while (const char* path = enumerator.NextInterfacePath()) {
        hid::HidInterfaceId record;
        record.vendorId = hid::ParseVendorId(path);
        record.productId = hid::ParseProductId(path);
        record.interfaceNumber = hid::ParseInterfaceNumber(path);
        record.collectionNumber = hid::ParseCollectionNumber(path);
        record.path = path;
        const bool candidate = slots.IsCandidate(record);

        // Another vendor's device (a keyboard, say) is never opened: enumeration described it.
        // A supported one is opened for reading only, which tells whether this user may.
        const bool supported = IsSupportedDevice(record);
        const char* openText = supported ? " open=no" : " open=-";
        InterfaceFacts facts;
        const bool opened = supported && OpenAndRead(probe, path, facts);
        if (!opened && !Describe(*backend, path, facts)) {
            std::fprintf(out,
                         "path=%s vid=%04x pid=%04x ver=- mi=%u col=%u page=- usage=- in=- out=- "
                         "feat=-%s slot=-\n",
                         path, record.vendorId, record.productId, record.interfaceNumber,
                         record.collectionNumber, openText);
            continue;
        }
        record.vendorId = facts.attributes.vendorId;
        record.productId = facts.attributes.productId;
        record.usagePage = facts.usagePage;
        record.usage = facts.usage;
        std::size_t slot = 0;
        std::string slotText = "-";
        if (candidate && slots.ClaimSlot(record, slot)) {
            slotText = std::to_string(slot);
        }
        std::fprintf(out,
                     "path=%s vid=%04x pid=%04x ver=%04x mi=%u col=%u page=%04x usage=%04x in=%u "
                     "out=%u feat=%u%s slot=%s\n",
                     path, facts.attributes.vendorId, facts.attributes.productId,
                     facts.attributes.versionNumber, record.interfaceNumber,
                     record.collectionNumber, facts.usagePage, facts.usage, facts.lengths[0],
                     facts.lengths[1], facts.lengths[2], opened ? "" : openText, slotText.c_str());
    }
    return 0;
}
