// End to end through the kernel: a 320f:2210 device made with /dev/uhid (root only) becomes a
// real hidraw node, and the hidraw backend enumerates, opens, writes and reads it. Skipped
// where /dev/uhid cannot be opened. Every wait is bounded.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "hid/HidDevice.h"
#include "hid/HidInterfaceId.h"
#include "hid/HidrawBackend.h"
#include "sim/MouseDescriptors.h"

namespace {

class UhidDevice {
public:
    bool Create() {
        fd_ = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
        if (fd_ < 0) {
            return false;
        }
        const std::vector<std::uint8_t>& rd = sim::MouseMultiDescriptor();
        uhid_event ev{};
        ev.type = UHID_CREATE2;
        std::strncpy(reinterpret_cast<char*>(ev.u.create2.name), "Zorvath ZR-310 test",
                     sizeof ev.u.create2.name - 1);
        ev.u.create2.rd_size = static_cast<__u16>(rd.size());
        std::memcpy(ev.u.create2.rd_data, rd.data(), rd.size());
        ev.u.create2.bus = 0x03;  // USB
        ev.u.create2.vendor = 0x320F;
        ev.u.create2.product = 0x2210;
        ev.u.create2.version = 0x0102;
        return ::write(fd_, &ev, sizeof ev) == static_cast<ssize_t>(sizeof ev);
    }
    ~UhidDevice() {
        if (fd_ >= 0) {
            uhid_event ev{};
            ev.type = UHID_DESTROY;
            ssize_t ignored = ::write(fd_, &ev, sizeof ev);
            (void)ignored;
            ::close(fd_);
        }
    }
    // Answers the kernel's requests until an output report arrives or the time-out passes.
    std::vector<std::uint8_t> NextOutput(int timeoutMs) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) {
                continue;
            }
            uhid_event ev{};
            if (::read(fd_, &ev, sizeof ev) <= 0) {
                return {};
            }
            if (ev.type == UHID_OUTPUT) {
                return {ev.u.output.data, ev.u.output.data + ev.u.output.size};
            }
        }
        return {};
    }
    bool SendInput(const std::vector<std::uint8_t>& report) {
        uhid_event ev{};
        ev.type = UHID_INPUT2;
        ev.u.input2.size = static_cast<__u16>(report.size());
        std::memcpy(ev.u.input2.data, report.data(), report.size());
        return ::write(fd_, &ev, sizeof ev) == static_cast<ssize_t>(sizeof ev);
    }

private:
    int fd_ = -1;
};

// Only our own virtual device: a real mouse plugged into the machine must not get frames.
bool IsUhidNode(const std::string& path) {
    hid::HidrawPath parsed;
    if (!hid::ParseHidrawPath("/dev", path, parsed)) {
        return false;
    }
    char target[4096];
    const std::string link = "/sys/class/hidraw/" + parsed.nodeName;
    ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    return n > 0 &&
           std::string(target, static_cast<std::size_t>(n)).find("/uhid/") != std::string::npos;
}

TEST(UhidIntegration, BackendDrivesARealHidrawNode) {
    UhidDevice uhid;
    if (!uhid.Create()) {
        GTEST_SKIP() << "/dev/uhid is not available here";
    }
    auto backend = std::make_shared<hid::CHidrawBackend>("/sys", "/dev");
    std::string commandPath;
    for (int attempt = 0; attempt < 40 && commandPath.empty(); ++attempt) {
        std::vector<std::string> paths;
        ASSERT_TRUE(backend->Enumerate(paths));
        for (const std::string& path : paths) {
            if (hid::ParseVendorId(path) == 0x320F && hid::ParseCollectionNumber(path) == 4 &&
                backend->IsPresent(path) && IsUhidNode(path)) {
                commandPath = path;
            }
        }
        if (commandPath.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    ASSERT_FALSE(commandPath.empty()) << "no hidraw node appeared within 2 s";

    hid::CHidDevice dev(backend);
    ASSERT_TRUE(dev.Open(commandPath, true, true, true, false));
    EXPECT_EQ(dev.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(dev.Caps().outputReportByteLength, 64);

    std::uint8_t frame[64] = {0x04, 0x01, 0x02, 0x03};
    std::uint32_t n = 0;
    std::thread writer([&] { EXPECT_EQ(dev.Write(frame, 64, &n, 2000), 1); });
    std::vector<std::uint8_t> out = uhid.NextOutput(2000);
    writer.join();
    ASSERT_GE(out.size(), 4u);
    EXPECT_EQ(out[0], 0x04);
    EXPECT_EQ(out[3], 0x03);

    std::vector<std::uint8_t> reply(64, 0);
    reply[0] = 0x04;
    reply[1] = 0x77;
    ASSERT_TRUE(uhid.SendInput(reply));
    std::uint8_t buffer[64] = {};
    ASSERT_EQ(dev.Read(buffer, 64, &n, 2000), 1);
    EXPECT_EQ(buffer[1], 0x77);
}

}  // namespace
