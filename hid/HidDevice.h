#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "hid/HidBackend.h"
#include "hid/ReportDescriptor.h"

namespace hid {

// Status codes of report decoding, as the HID parser library reports them.
inline constexpr std::int32_t kHidpStatusSuccess = 0x00110000;
inline constexpr std::int32_t kHidpStatusInvalidReportLength =
    static_cast<std::int32_t>(0xC0110003);
inline constexpr std::int32_t kHidpStatusUsageNotFound = static_cast<std::int32_t>(0xC0110004);
inline constexpr std::int32_t kHidpStatusBufferTooSmall = static_cast<std::int32_t>(0xC0110007);
inline constexpr std::int32_t kHidpStatusBadLogPhyValues = static_cast<std::int32_t>(0xC0110006);

// Top-level capabilities of an interface.
struct HidCaps {
    std::uint16_t usage = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t inputReportByteLength = 0;
    std::uint16_t outputReportByteLength = 0;
    std::uint16_t featureReportByteLength = 0;
    std::uint16_t numberLinkCollectionNodes = 0;
    std::uint16_t numberButtonCaps[kReportTypeCount] = {0, 0, 0};
    std::uint16_t numberValueCaps[kReportTypeCount] = {0, 0, 0};
};

// A button or value capability: the field it comes from in the interface's collection.
struct HidFieldCaps {
    std::uint16_t usagePage = 0;
    std::uint8_t reportId = 0;
    bool isRange = false;
    std::uint16_t usageMin = 0;  // the single usage when not a range
    std::uint16_t usageMax = 0;
    std::uint16_t linkCollection = 0;
    std::uint32_t fieldIndex = 0;  // into TopLevelCollection::fields
};

// One decoded piece of a report: the pressed usages of a button capability, or one value.
struct HidDataElement {
    bool isButton = false;
    std::uint16_t usagePage = 0;
    std::int32_t status = 0;
    std::uint32_t reportId = 0;
    bool updated = false;
    // Button data.
    std::uint32_t usageMin = 0;
    std::uint32_t usageMax = 0;
    std::vector<std::uint16_t> usageList;  // sized when capabilities are read; 0 ends it early
    // Value data.
    std::uint16_t usage = 0;
    std::uint32_t rawValue = 0;
    std::int32_t scaledValue = 0;
};

// Everything read from an interface at open time for one report type.
struct HidReportCaps {
    std::vector<std::uint8_t> reportBuffer;
    std::vector<HidDataElement> dataElements;
    std::vector<HidFieldCaps> buttonCaps;
    std::vector<HidFieldCaps> valueCaps;
};

// One HID interface: enumeration's path list, an open handle with its capabilities, and reads
// and writes bounded by a time-out and abandonable from another thread (Close).
class CHidDevice {
public:
    // Uses the process's backend (hidraw, or the simulated bus under --simulate).
    CHidDevice();
    explicit CHidDevice(std::shared_ptr<IHidBackend> backend);
    ~CHidDevice();
    CHidDevice(const CHidDevice&) = delete;
    CHidDevice& operator=(const CHidDevice&) = delete;

    // Path list of the present interfaces, cursor at its start.
    bool EnumerateInterfaces();
    // The path at the cursor, advancing it; null at the end or without a list. Valid until the
    // next EnumerateInterfaces or FreeInterfacePaths.
    const char* NextInterfacePath();
    void FreeInterfacePaths();

    // Opens path and reads its capabilities; false (and closed) when either fails. There is no
    // sharing mode on Linux: exclusive is recorded only.
    bool Open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive);
    // Releases a waiting Read or Write at once. Safe when closed and from any thread.
    void Close();
    bool IsOpen() const;

    // 1 when a whole report moved within timeoutMs (or kInfinite), else 0; bytesTransferred
    // (optional) gets the byte count. No allocation.
    int Read(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* bytesTransferred,
             std::uint32_t timeoutMs);
    int Write(const std::uint8_t* buffer, std::uint32_t length, std::uint32_t* bytesTransferred,
              std::uint32_t timeoutMs);

    // Decodes report into the elements of its report id; false when a value element's usage
    // cannot be read. Allocates nothing.
    static bool UnpackReport(HidDataElement* elements, std::size_t elementCount,
                             const std::uint8_t* report, std::size_t reportLength, ReportType type,
                             const TopLevelCollection& preparsed);

    const std::string& DevicePath() const { return devicePath_; }
    const HidAttributes& Attributes() const { return attributes_; }
    const HidCaps& Caps() const { return caps_; }
    const TopLevelCollection& PreparsedData() const { return preparsed_; }
    HidReportCaps& ReportCaps(ReportType type) { return reportCaps_[static_cast<int>(type)]; }
    std::uint32_t InterfaceNumber() const { return interfaceNumber_; }
    std::uint32_t CollectionNumber() const { return collectionNumber_; }
    bool OpenedForRead() const { return openedForRead_; }
    bool OpenedForWrite() const { return openedForWrite_; }

private:
    bool ReadCapabilities(const IHidHandle& handle);
    void FreeCapabilities();
    std::shared_ptr<IHidHandle> CurrentHandle() const;

    std::shared_ptr<IHidBackend> backend_;
    std::vector<std::string> paths_;
    bool havePaths_ = false;
    std::uint32_t pathCursor_ = 0;

    bool openedForRead_ = false;
    bool openedForWrite_ = false;
    bool openedOverlapped_ = false;
    bool openedExclusive_ = false;
    std::string devicePath_;

    // Guards only the handle pointer: Read and Write take a reference and wait without the lock,
    // so Close can cancel them; the handle dies when the last of them has left.
    mutable std::mutex handleLock_;
    std::shared_ptr<IHidHandle> handle_;

    TopLevelCollection preparsed_;
    HidCaps caps_;
    HidAttributes attributes_;
    HidReportCaps reportCaps_[kReportTypeCount];
    std::uint32_t interfaceNumber_ = 0;
    std::uint32_t collectionNumber_ = 0;
};

// True while the node and device instance named by path exist.
bool IsInterfacePresent(const std::string& path);
bool IsInterfacePresent(IHidBackend& backend, const std::string& path);

}  // namespace hid
