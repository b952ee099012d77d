#include "hid/HidDevice.h"

#include <algorithm>
#include <map>

#include "hid/HidInterfaceId.h"

namespace hid {

namespace {
// Usage list entries and value elements one report type may need: far above any real device.
constexpr std::size_t kMaxUsageListEntries = 1 << 20;
}  // namespace

CHidDevice::CHidDevice() : CHidDevice(DefaultBackend()) {}

CHidDevice::CHidDevice(std::shared_ptr<IHidBackend> backend) : backend_(std::move(backend)) {}

CHidDevice::~CHidDevice() {
    Close();
    FreeInterfacePaths();
}

bool CHidDevice::EnumerateInterfaces() {
    FreeInterfacePaths();
    if (!backend_ || !backend_->Enumerate(paths_)) {
        FreeInterfacePaths();
        return false;
    }
    havePaths_ = true;
    pathCursor_ = 0;
    return true;
}

const char* CHidDevice::NextInterfacePath() {
    if (!havePaths_ || pathCursor_ >= paths_.size()) {
        return nullptr;
    }
    return paths_[pathCursor_++].c_str();
}

void CHidDevice::FreeInterfacePaths() {
    paths_.clear();
    paths_.shrink_to_fit();
    havePaths_ = false;
    pathCursor_ = 0;
}

bool CHidDevice::Open(const std::string& path, bool read, bool write, bool overlapped,
                      bool exclusive) {
    openedForRead_ = read;
    openedForWrite_ = write;
    openedOverlapped_ = overlapped;
    openedExclusive_ = exclusive;
    devicePath_ = path;
    Close();
    if (!backend_) {
        return false;
    }
    std::shared_ptr<IHidHandle> handle = backend_->Open(path, write);
    if (!handle || !ReadCapabilities(*handle)) {
        FreeCapabilities();
        return false;
    }
    std::lock_guard<std::mutex> guard(handleLock_);
    handle_ = std::move(handle);
    return true;
}

void CHidDevice::Close() {
    std::shared_ptr<IHidHandle> handle;
    {
        std::lock_guard<std::mutex> guard(handleLock_);
        handle.swap(handle_);
    }
    if (handle) {
        // Waiters hold their own reference: they return 0 now and the handle (and with the
        // last handle of its node, the file descriptor) goes when they have left.
        handle->Cancel();
    }
    FreeCapabilities();
}

bool CHidDevice::IsOpen() const {
    std::lock_guard<std::mutex> guard(handleLock_);
    return handle_ != nullptr;
}

std::shared_ptr<IHidHandle> CHidDevice::CurrentHandle() const {
    std::lock_guard<std::mutex> guard(handleLock_);
    return handle_;
}

int CHidDevice::Read(std::uint8_t* buffer, std::uint32_t length, std::uint32_t* bytesTransferred,
                     std::uint32_t timeoutMs) {
    if (bytesTransferred != nullptr) {
        *bytesTransferred = 0;
    }
    std::shared_ptr<IHidHandle> handle = CurrentHandle();
    if (!handle || buffer == nullptr || length == 0) {
        return 0;
    }
    std::uint32_t transferred = 0;
    int result = handle->Read(buffer, length, transferred, timeoutMs);
    if (bytesTransferred != nullptr) {
        *bytesTransferred = transferred;
    }
    return result;
}

int CHidDevice::Write(const std::uint8_t* buffer, std::uint32_t length,
                      std::uint32_t* bytesTransferred, std::uint32_t timeoutMs) {
    if (bytesTransferred != nullptr) {
        *bytesTransferred = 0;
    }
    std::shared_ptr<IHidHandle> handle = CurrentHandle();
    if (!handle || buffer == nullptr || length == 0) {
        return 0;
    }
    std::uint32_t transferred = 0;
    int result = handle->Write(buffer, length, transferred, timeoutMs);
    if (bytesTransferred != nullptr) {
        *bytesTransferred = transferred;
    }
    return result;
}

void CHidDevice::FreeCapabilities() {
    preparsed_ = TopLevelCollection{};
    caps_ = HidCaps{};
    attributes_ = HidAttributes{};
    for (HidReportCaps& caps : reportCaps_) {
        caps = HidReportCaps{};
    }
    interfaceNumber_ = 0;
    collectionNumber_ = 0;
}

bool CHidDevice::ReadCapabilities(const IHidHandle& handle) {
    ReportDescriptorInfo info;
    std::string error;
    if (!ParseReportDescriptor(handle.ReportDescriptor(), info, error)) {
        return false;
    }
    int index = handle.CollectionIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= info.collections.size()) {
        return false;
    }
    preparsed_ = std::move(info.collections[static_cast<std::size_t>(index)]);
    attributes_ = handle.Attributes();
    caps_ = HidCaps{};
    caps_.usage = preparsed_.usage;
    caps_.usagePage = preparsed_.usagePage;
    caps_.inputReportByteLength = preparsed_.InputReportByteLength();
    caps_.outputReportByteLength = preparsed_.OutputReportByteLength();
    caps_.featureReportByteLength = preparsed_.FeatureReportByteLength();
    caps_.numberLinkCollectionNodes = preparsed_.linkCollectionCount;

    for (int t = 0; t < kReportTypeCount; ++t) {
        const ReportType type = static_cast<ReportType>(t);
        HidReportCaps& out = reportCaps_[t];
        out = HidReportCaps{};
        out.reportBuffer.assign(preparsed_.reportByteLength[t], 0);
        // How many usages one report can hold per usage page: the usage list length. Counted
        // per report id, since an element only ever decodes reports of its own id.
        std::map<std::pair<std::uint16_t, std::uint8_t>, std::uint32_t> maxUsages;
        std::size_t valueElements = 0;
        for (std::uint32_t f = 0; f < preparsed_.fields.size(); ++f) {
            const ReportField& field = preparsed_.fields[f];
            if (field.type != type || field.IsConstant() || field.usages.empty()) {
                continue;
            }
            for (const UsageRange& range : field.usages) {
                HidFieldCaps caps;
                caps.usagePage = range.usagePage;
                caps.reportId = field.reportId;
                caps.isRange = range.usageMin != range.usageMax;
                caps.usageMin = range.usageMin;
                caps.usageMax = range.usageMax;
                caps.linkCollection = field.linkCollection;
                caps.fieldIndex = f;
                if (field.IsButton()) {
                    out.buttonCaps.push_back(caps);
                    maxUsages[{range.usagePage, field.reportId}] += field.reportCount;
                } else {
                    // A value range gives one element per usage, at most one per field slot.
                    std::size_t span =
                        static_cast<std::size_t>(range.usageMax - range.usageMin) + 1;
                    valueElements += std::min<std::size_t>(span, field.reportCount);
                    out.valueCaps.push_back(caps);
                }
            }
        }
        caps_.numberButtonCaps[t] = static_cast<std::uint16_t>(out.buttonCaps.size());
        caps_.numberValueCaps[t] = static_cast<std::uint16_t>(out.valueCaps.size());

        // A hostile descriptor must not make us allocate without bound.
        std::size_t listEntries = 0;
        for (const HidFieldCaps& caps : out.buttonCaps) {
            listEntries += maxUsages[{caps.usagePage, caps.reportId}];
        }
        if (listEntries > kMaxUsageListEntries || valueElements > kMaxUsageListEntries) {
            FreeCapabilities();
            return false;
        }
        out.dataElements.reserve(out.buttonCaps.size() + valueElements);
        for (const HidFieldCaps& caps : out.buttonCaps) {
            HidDataElement element;
            element.isButton = true;
            element.usagePage = caps.usagePage;
            element.status = kHidpStatusSuccess;
            element.reportId = caps.reportId;
            element.usageMin = caps.usageMin;
            element.usageMax = caps.usageMax;
            element.usageList.assign(maxUsages[{caps.usagePage, caps.reportId}], 0);
            out.dataElements.push_back(std::move(element));
        }
        for (const HidFieldCaps& caps : out.valueCaps) {
            const ReportField& field = preparsed_.fields[caps.fieldIndex];
            std::uint32_t span = static_cast<std::uint32_t>(caps.usageMax - caps.usageMin) + 1;
            span = std::min(span, field.reportCount);
            for (std::uint32_t u = 0; u < span; ++u) {
                HidDataElement element;
                element.usagePage = caps.usagePage;
                element.reportId = caps.reportId;
                element.usage = static_cast<std::uint16_t>(caps.usageMin + u);
                out.dataElements.push_back(std::move(element));
            }
        }
    }
    interfaceNumber_ = ParseInterfaceNumber(devicePath_);
    collectionNumber_ = ParseCollectionNumber(devicePath_);
    return true;
}

namespace {

std::int32_t ToLogical(std::uint32_t raw, const ReportField& field) {
    if (field.logicalMin < 0 && field.reportSize < 32 &&
        (raw & (std::uint32_t{1} << (field.reportSize - 1))) != 0) {
        return static_cast<std::int32_t>(raw | ~((std::uint32_t{1} << field.reportSize) - 1));
    }
    return static_cast<std::int32_t>(raw);
}

// The usages of page present in the button fields of the report: set bits of variable
// fields, selectors of array fields. Stops at the list's end (status BufferTooSmall).
std::int32_t GetUsages(HidDataElement& element, std::span<const std::uint8_t> report,
                       ReportType type, const TopLevelCollection& tlc) {
    std::uint16_t* list = element.usageList.data();
    const std::size_t capacity = element.usageList.size();
    std::fill(element.usageList.begin(), element.usageList.end(), 0);
    std::size_t count = 0;
    std::int32_t status = kHidpStatusSuccess;
    auto add = [&](std::uint16_t usage) {
        if (count < capacity) {
            list[count++] = usage;
        } else {
            status = kHidpStatusBufferTooSmall;
        }
    };
    for (const ReportField& field : tlc.fields) {
        if (field.type != type || field.reportId != report[0] || !field.IsButton() ||
            field.IsConstant() || field.reportSize > 32) {
            continue;
        }
        std::uint64_t end = field.bitOffset + std::uint64_t{field.reportSize} * field.reportCount;
        if (end > report.size() * 8) {
            return kHidpStatusInvalidReportLength;
        }
        for (std::uint32_t i = 0; i < field.reportCount; ++i) {
            std::uint32_t raw = 0;
            ExtractBits(report, field.bitOffset + i * field.reportSize, field.reportSize, raw);
            std::uint16_t page = 0;
            std::uint16_t usage = 0;
            if (field.IsVariable()) {
                if (raw != 0 && field.UsageAt(i, page, usage) && page == element.usagePage) {
                    add(usage);
                }
                continue;
            }
            std::int64_t value = ToLogical(raw, field);
            if (value < field.logicalMin || value > field.logicalMax) {
                continue;  // out of range: nothing selected
            }
            std::uint64_t index = static_cast<std::uint64_t>(value - field.logicalMin);
            std::uint64_t total = 0;
            for (const UsageRange& range : field.usages) {
                total += static_cast<std::uint64_t>(range.usageMax - range.usageMin) + 1;
            }
            if (index < total && field.UsageAt(static_cast<std::uint32_t>(index), page, usage) &&
                page == element.usagePage && usage != 0) {
                add(usage);
            }
        }
    }
    return status;
}

bool FindValueField(const TopLevelCollection& tlc, ReportType type, std::uint8_t reportId,
                    std::uint16_t page, std::uint16_t usage, const ReportField*& found,
                    std::uint32_t& slot) {
    for (const ReportField& field : tlc.fields) {
        if (field.type != type || field.reportId != reportId || field.IsButton() ||
            field.IsConstant()) {
            continue;
        }
        for (std::uint32_t i = 0; i < field.reportCount; ++i) {
            std::uint16_t p = 0;
            std::uint16_t u = 0;
            if (field.UsageAt(i, p, u) && p == page && u == usage) {
                found = &field;
                slot = i;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool CHidDevice::UnpackReport(HidDataElement* elements, std::size_t elementCount,
                              const std::uint8_t* report, std::size_t reportLength, ReportType type,
                              const TopLevelCollection& preparsed) {
    if (elements == nullptr || report == nullptr || reportLength == 0) {
        return true;
    }
    std::span<const std::uint8_t> bytes(report, reportLength);
    const std::uint8_t reportId = report[0];
    for (std::size_t e = 0; e < elementCount; ++e) {
        HidDataElement& element = elements[e];
        if (element.reportId != reportId) {
            continue;
        }
        if (element.isButton) {
            element.status = GetUsages(element, bytes, type, preparsed);
            // Keep only the usages of the element's own range, 0-terminated when shorter.
            std::size_t kept = 0;
            for (std::size_t i = 0; i < element.usageList.size(); ++i) {
                std::uint16_t usage = element.usageList[i];
                if (usage != 0 && usage >= element.usageMin && usage <= element.usageMax) {
                    element.usageList[kept++] = usage;
                }
            }
            if (kept < element.usageList.size()) {
                element.usageList[kept] = 0;
            }
        } else {
            const ReportField* field = nullptr;
            std::uint32_t slot = 0;
            if (!FindValueField(preparsed, type, reportId, element.usagePage, element.usage, field,
                                slot) ||
                field->reportSize > 32) {
                element.status = kHidpStatusUsageNotFound;
                return false;
            }
            std::uint32_t raw = 0;
            if (!ExtractBits(bytes, field->bitOffset + slot * field->reportSize, field->reportSize,
                             raw)) {
                element.status = kHidpStatusInvalidReportLength;
                return false;
            }
            element.rawValue = raw;
            element.status = kHidpStatusSuccess;
            std::int64_t logical = ToLogical(raw, *field);
            if (field->logicalMax <= field->logicalMin) {
                element.status = kHidpStatusBadLogPhyValues;
            } else if (field->physicalMin == 0 && field->physicalMax == 0) {
                element.scaledValue = static_cast<std::int32_t>(logical);
            } else {
                std::int64_t scaled = field->physicalMin +
                                      (logical - field->logicalMin) *
                                          (std::int64_t{field->physicalMax} - field->physicalMin) /
                                          (std::int64_t{field->logicalMax} - field->logicalMin);
                element.scaledValue = static_cast<std::int32_t>(scaled);
            }
        }
        element.updated = true;
    }
    return true;
}

bool IsInterfacePresent(const std::string& path) {
    std::shared_ptr<IHidBackend> backend = DefaultBackend();
    return backend && backend->IsPresent(path);
}

bool IsInterfacePresent(IHidBackend& backend, const std::string& path) {
    return backend.IsPresent(path);
}

}  // namespace hid
