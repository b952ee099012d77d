#include "sim/EmulatedDevice.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace sim {

CEmulatedDevice::CEmulatedDevice(hid::CSimulatedHidBus& bus, EmulatedDeviceDescription description,
                                 const FirmwareConfig& config)
    : bus_(bus),
      description_(std::move(description)),
      firmware_(config),
      scheduler_(
          [this](std::uint8_t interfaceNumber, std::span<const std::uint8_t> report) {
              bus_.SendInputReport(*this, interfaceNumber, report);
          },
          [this] { UnplugSelf(); }) {}

void CEmulatedDevice::UnplugSelf() {
    std::shared_ptr<CEmulatedDevice> self = weak_from_this().lock();
    bus_.Unplug(*this);
    if (unplugListener_) {
        unplugListener_();
    }
    if (self) {
        // The bus may have held the only other owner: the device must not end on its own
        // scheduler thread, which its destructor joins.
        std::thread([keep = std::move(self)] {}).detach();
    }
}

CEmulatedDevice::~CEmulatedDevice() {
    Stop();
}

void CEmulatedDevice::Stop() {
    scheduler_.Stop();
}

std::vector<hid::SimulatedInterface> CEmulatedDevice::Interfaces() const {
    return description_.interfaces;
}

bool CEmulatedDevice::OnOutputReport(std::uint8_t interfaceNumber,
                                     std::span<const std::uint8_t> report) {
    {
        std::lock_guard lock(recordLock_);
        RecordedReport& slot = record_[(recordHead_ + recordCount_) % kOutputRecordSize];
        slot.interfaceNumber = interfaceNumber;
        slot.length = std::min(report.size(), slot.bytes.size());
        std::memcpy(slot.bytes.data(), report.data(), slot.length);
        if (recordCount_ < kOutputRecordSize) {
            ++recordCount_;
        } else {
            recordHead_ = (recordHead_ + 1) % kOutputRecordSize;
        }
    }
    if (interfaceNumber == description_.commandInterface && !report.empty() &&
        report[0] == description_.commandReportId) {
        if (faults_) {
            if (const std::optional<Fault> fault = faults_->Next()) {
                firmware_.InjectFault(*fault);
            }
        }
        ReplyPlan plan;
        firmware_.HandleRequest(report.data(), report.size(), plan);
        scheduler_.Deliver(interfaceNumber, plan);
    }
    return true;
}

bool CEmulatedDevice::SendInputReport(std::uint8_t interfaceNumber,
                                      std::span<const std::uint8_t> report) {
    return bus_.SendInputReport(*this, interfaceNumber, report);
}

bool CEmulatedDevice::SendEvent(std::uint16_t usage) {
    const std::uint8_t pressed[3] = {description_.eventReportId,
                                     static_cast<std::uint8_t>(usage & 0xFF),
                                     static_cast<std::uint8_t>(usage >> 8)};
    const std::uint8_t released[3] = {description_.eventReportId, 0, 0};
    return SendInputReport(description_.eventInterface, pressed) &&
           SendInputReport(description_.eventInterface, released);
}

std::vector<CEmulatedDevice::OutputReport> CEmulatedDevice::TakeOutputReports() {
    std::lock_guard lock(recordLock_);
    std::vector<OutputReport> taken;
    taken.reserve(recordCount_);
    for (std::size_t i = 0; i < recordCount_; ++i) {
        const RecordedReport& slot = record_[(recordHead_ + i) % kOutputRecordSize];
        taken.push_back(
            {slot.interfaceNumber, {slot.bytes.begin(), slot.bytes.begin() + slot.length}});
    }
    recordHead_ = 0;
    recordCount_ = 0;
    return taken;
}

}  // namespace sim
