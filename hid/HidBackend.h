#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The transport below CHidDevice: one implementation per platform (hidraw) plus the simulated
// bus of the device emulator. Paths look like Windows HID interface paths so the path parsers
// work unchanged, e.g. "/dev/hidraw3&vid_320f&pid_2210&mi_01&col04#0003:320F:2210.0004".
namespace hid {

// Time-out value that never expires.
inline constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;

struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
};

// One open interface (top-level collection). Read and Write may run at the same time on two
// threads; Cancel may come from a third and releases both at once. After Cancel every call
// returns 0 immediately: the state is level, a new handle comes from a new Open.
class IHidHandle {
public:
    virtual ~IHidHandle() = default;

    virtual HidAttributes Attributes() const = 0;
    // The report descriptor of the whole node and the 0-based top-level collection this
    // handle stands for.
    virtual const std::vector<std::uint8_t>& ReportDescriptor() const = 0;
    virtual int CollectionIndex() const = 0;

    // One input report of this collection, report id (0 when the device uses none) in byte 0.
    // Returns 1 when a report arrived within timeoutMs, else 0; transferred gets its length.
    virtual int Read(std::uint8_t* buffer, std::uint32_t length, std::uint32_t& transferred,
                     std::uint32_t timeoutMs) = 0;
    // Writes one output report (byte 0 = report id). 1 when the device took it within timeoutMs.
    virtual int Write(const std::uint8_t* report, std::uint32_t length, std::uint32_t& transferred,
                      std::uint32_t timeoutMs) = 0;
    virtual void Cancel() = 0;
};

class IHidBackend {
public:
    virtual ~IHidBackend() = default;

    // Every present interface path, in a stable order. False when the system could not be read.
    virtual bool Enumerate(std::vector<std::string>& paths) = 0;
    // True while the node and device instance named by path still exist.
    virtual bool IsPresent(const std::string& path) = 0;
    // Null when the path names nothing present or the node cannot be opened.
    virtual std::unique_ptr<IHidHandle> Open(const std::string& path, bool write) = 0;
    // What enumeration learned about path without opening it (a replayed sysfs tree has no
    // device nodes); false when the path is unknown.
    virtual bool Describe(const std::string& /*path*/, HidAttributes& /*attributes*/,
                          std::vector<std::uint8_t>& /*descriptor*/, int& /*collectionIndex*/) {
        return false;
    }
};

// The backend of this process: hidraw unless UseBackend chose another (--simulate does, once,
// at start). Tests pass their backend to CHidDevice directly instead.
std::shared_ptr<IHidBackend> DefaultBackend();
void UseBackend(std::shared_ptr<IHidBackend> backend);

}  // namespace hid
