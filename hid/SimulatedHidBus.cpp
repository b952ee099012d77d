#include <algorithm>
#include <string>

#include "hid/HidInterfaceId.h"
#include "hid/HidNode.h"
#include "hid/SimulatedHid.h"
#include "hid/SimulatedPath.h"

namespace hid {

namespace {

// Hands the host's output reports to the emulated device on the node's writer thread.
class SimulatedTransport final : public INodeTransport {
public:
    SimulatedTransport(std::weak_ptr<ISimulatedDevice> device, std::uint8_t interfaceNumber)
        : device_(std::move(device)), interfaceNumber_(interfaceNumber) {}

    TransportResult WriteReport(std::span<const std::uint8_t> report) override {
        std::shared_ptr<ISimulatedDevice> device = device_.lock();
        if (!device) {
            return TransportResult::Gone;
        }
        return device->OnOutputReport(interfaceNumber_, report) ? TransportResult::Ok
                                                                : TransportResult::Failed;
    }

private:
    std::weak_ptr<ISimulatedDevice> device_;
    std::uint8_t interfaceNumber_;
};

struct PluggedInterface {
    std::uint8_t interfaceNumber = 0;
    std::vector<std::uint8_t> descriptor;
    ReportDescriptorInfo info;
    std::weak_ptr<CHidNode> node;  // while some handle is open
};

struct PluggedDevice {
    std::shared_ptr<ISimulatedDevice> device;
    unsigned number = 0;  // makes every plug-in a new instance
    std::vector<PluggedInterface> interfaces;
};

}  // namespace

struct CSimulatedHidBus::State {
    std::mutex lock;
    std::vector<PluggedDevice> devices;
    unsigned nextNumber = 0;

    PluggedDevice* Find(const ISimulatedDevice& device) {
        for (PluggedDevice& plugged : devices) {
            if (plugged.device.get() == &device) {
                return &plugged;
            }
        }
        return nullptr;
    }
    // The device a path names: its number, and the ids the path carries must fit too.
    PluggedDevice* FindPath(const SimulatedPath& path) {
        for (PluggedDevice& plugged : devices) {
            if (plugged.number == path.deviceNumber &&
                plugged.device->VendorId() == path.vendorId &&
                plugged.device->ProductId() == path.productId) {
                return &plugged;
            }
        }
        return nullptr;
    }
};

CSimulatedHidBus::CSimulatedHidBus() : state_(std::make_shared<State>()) {}

CSimulatedHidBus::~CSimulatedHidBus() {
    std::vector<std::shared_ptr<CHidNode>> nodes;
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        for (PluggedDevice& plugged : state_->devices) {
            for (PluggedInterface& iface : plugged.interfaces) {
                if (auto node = iface.node.lock()) {
                    nodes.push_back(std::move(node));
                }
            }
        }
        state_->devices.clear();
    }
    for (auto& node : nodes) {
        node->MarkGone();
    }
}

void CSimulatedHidBus::Plug(std::shared_ptr<ISimulatedDevice> device) {
    if (!device) {
        return;
    }
    PluggedDevice plugged;
    plugged.device = device;
    for (SimulatedInterface& iface : device->Interfaces()) {
        PluggedInterface entry;
        entry.interfaceNumber = iface.interfaceNumber;
        std::string error;
        if (!ParseReportDescriptor(iface.reportDescriptor, entry.info, error)) {
            continue;  // the class driver would not bind it either
        }
        entry.descriptor = std::move(iface.reportDescriptor);
        plugged.interfaces.push_back(std::move(entry));
    }
    std::lock_guard<std::mutex> guard(state_->lock);
    if (state_->Find(*device) != nullptr) {
        return;
    }
    plugged.number = state_->nextNumber++;
    state_->devices.push_back(std::move(plugged));
}

void CSimulatedHidBus::Unplug(const ISimulatedDevice& device) {
    std::vector<std::shared_ptr<CHidNode>> nodes;
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        auto it = std::find_if(state_->devices.begin(), state_->devices.end(),
                               [&](const PluggedDevice& p) { return p.device.get() == &device; });
        if (it == state_->devices.end()) {
            return;
        }
        for (PluggedInterface& iface : it->interfaces) {
            if (auto node = iface.node.lock()) {
                nodes.push_back(std::move(node));
            }
        }
        state_->devices.erase(it);
    }
    for (auto& node : nodes) {
        node->MarkGone();
    }
}

bool CSimulatedHidBus::SendInputReport(const ISimulatedDevice& device, std::uint8_t interfaceNumber,
                                       std::span<const std::uint8_t> report) {
    std::shared_ptr<CHidNode> node;
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        PluggedDevice* plugged = state_->Find(device);
        if (plugged == nullptr) {
            return false;
        }
        auto it = std::find_if(
            plugged->interfaces.begin(), plugged->interfaces.end(),
            [&](const PluggedInterface& i) { return i.interfaceNumber == interfaceNumber; });
        if (it == plugged->interfaces.end()) {
            return false;
        }
        node = it->node.lock();
    }
    if (node) {  // nobody listening: the report is lost, as on a real bus
        node->DeliverInput(report);
    }
    return true;
}

bool CSimulatedHidBus::Enumerate(std::vector<std::string>& paths) {
    std::lock_guard<std::mutex> guard(state_->lock);
    for (const PluggedDevice& plugged : state_->devices) {
        for (const PluggedInterface& iface : plugged.interfaces) {
            std::size_t count = iface.info.collections.size();
            for (std::size_t c = 0; c < count; ++c) {
                SimulatedPath path;
                path.deviceNumber = plugged.number;
                path.vendorId = plugged.device->VendorId();
                path.productId = plugged.device->ProductId();
                path.interfaceNumber = iface.interfaceNumber;
                path.collectionNumber = count > 1 ? static_cast<int>(c + 1) : 0;
                paths.push_back(FormatSimulatedPath(path));
            }
        }
    }
    return true;
}

bool CSimulatedHidBus::IsPresent(const std::string& path) {
    SimulatedPath parsed;
    if (!ParseSimulatedPath(path, parsed)) {
        return false;
    }
    std::lock_guard<std::mutex> guard(state_->lock);
    PluggedDevice* plugged = state_->FindPath(parsed);
    if (plugged == nullptr) {
        return false;
    }
    for (const PluggedInterface& iface : plugged->interfaces) {
        if (iface.interfaceNumber == parsed.interfaceNumber) {
            std::size_t count = iface.info.collections.size();
            return parsed.collectionNumber == 0
                       ? count == 1
                       : static_cast<std::size_t>(parsed.collectionNumber) <= count;
        }
    }
    return false;
}

std::unique_ptr<IHidHandle> CSimulatedHidBus::Open(const std::string& path, bool /*write*/) {
    SimulatedPath parsed;
    if (!ParseSimulatedPath(path, parsed)) {
        return nullptr;
    }
    std::shared_ptr<CHidNode> node;
    int collectionIndex = 0;
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        PluggedDevice* plugged = state_->FindPath(parsed);
        if (plugged == nullptr) {
            return nullptr;
        }
        auto it = std::find_if(
            plugged->interfaces.begin(), plugged->interfaces.end(),
            [&](const PluggedInterface& i) { return i.interfaceNumber == parsed.interfaceNumber; });
        if (it == plugged->interfaces.end()) {
            return nullptr;
        }
        std::size_t count = it->info.collections.size();
        if (parsed.collectionNumber == 0
                ? count != 1
                : static_cast<std::size_t>(parsed.collectionNumber) > count) {
            return nullptr;
        }
        collectionIndex = parsed.collectionNumber == 0 ? 0 : parsed.collectionNumber - 1;
        node = it->node.lock();
        if (!node) {
            HidAttributes attributes{plugged->device->VendorId(), plugged->device->ProductId(),
                                     plugged->device->VersionNumber()};
            node = std::make_shared<CHidNode>(
                attributes, it->descriptor, it->info,
                std::make_unique<SimulatedTransport>(plugged->device, it->interfaceNumber));
            it->node = node;
        }
    }
    return node->OpenCollection(collectionIndex);
}

}  // namespace hid
