#pragma once

// A sysfs-shaped tree of hidraw nodes built by a test (the layout a user's sysfs dump has), and
// a device node opener for CHidrawBackend that records what was asked and hands back one end of
// a socket pair in place of the node.
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TestDirs.h"

namespace testsupport {

class SysfsTree {
public:
    SysfsTree() : root_(MakeTempDir("sysfs")) {
        std::filesystem::create_directories(root_ + "/class/hidraw");
    }
    const std::string& root() const { return root_; }

    // Adds (or moves) hidrawN onto a USB HID device; the links are the result.
    void AddNode(const std::string& node, const std::string& instance, int interfaceNumber,
                 const std::vector<std::uint8_t>& descriptor, const std::string& usbDevice = "1-1",
                 const std::string& vid = "320f", const std::string& pid = "2210") {
        namespace fs = std::filesystem;
        const std::string usbDir = "devices/pci0000:00/0000:00:14.0/usb1/" + usbDevice;
        const std::string ifaceDir =
            usbDir + "/" + usbDevice + ":1." + std::to_string(interfaceNumber);
        const std::string hidDir = ifaceDir + "/" + instance;
        fs::create_directories(root_ + "/" + hidDir + "/hidraw/" + node);
        WriteFile(root_ + "/" + usbDir + "/idVendor", vid + "\n");
        WriteFile(root_ + "/" + usbDir + "/idProduct", pid + "\n");
        WriteFile(root_ + "/" + usbDir + "/bcdDevice", "0102\n");
        WriteFile(root_ + "/" + ifaceDir + "/bInterfaceNumber",
                  "0" + std::to_string(interfaceNumber) + "\n");
        WriteFile(root_ + "/" + hidDir + "/report_descriptor",
                  std::string(descriptor.begin(), descriptor.end()));
        WriteFile(root_ + "/" + hidDir + "/uevent", "DRIVER=hid-generic\nHID_ID=0003:0000" + vid +
                                                        ":0000" + pid + "\nHID_NAME=Test\n");
        const std::string link = root_ + "/class/hidraw/" + node;
        fs::remove(link);
        fs::create_symlink("../../" + hidDir + "/hidraw/" + node, link);
    }
    void RemoveNode(const std::string& node) {
        std::filesystem::remove(root_ + "/class/hidraw/" + node);
    }

private:
    std::string root_;
};

// Pass Opener() to CHidrawBackend::SetNodeOpenerForTesting; the recorder must outlive the
// backend's nodes. The far ends of the socket pairs stay open, so no node looks unplugged.
class RecordingNodeOpener {
public:
    struct Call {
        std::string node;
        int flags = 0;
        bool forWriting() const { return (flags & O_ACCMODE) != O_RDONLY; }
    };

    ~RecordingNodeOpener() {
        for (int fd : farEnds_) {
            ::close(fd);
        }
    }
    auto Opener() {
        return [this](const std::string& node, int flags) {
            std::lock_guard lock(mutex_);
            calls_.push_back({node, flags});
            int fds[2];
            if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) != 0) {
                return -1;
            }
            farEnds_.push_back(fds[1]);
            return fds[0];
        };
    }
    std::vector<Call> Calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<Call> calls_;
    std::vector<int> farEnds_;
};

}  // namespace testsupport
