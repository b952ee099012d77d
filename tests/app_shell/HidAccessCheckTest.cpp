#include "app/HidAccessCheck.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>

namespace {

class ListedBackend : public hid::IHidBackend {
public:
    std::vector<std::string> paths;
    bool readable = true;
    bool Enumerate(std::vector<std::string>& out) override {
        out = paths;
        return readable;
    }
    bool IsPresent(const std::string&) override { return true; }
    std::unique_ptr<hid::IHidHandle> Open(const std::string&, bool) override { return nullptr; }
};

std::map<std::string, int> gNodeErrors;
int FakeProbe(const std::string& node) {
    auto it = gNodeErrors.find(node);
    return it == gNodeErrors.end() ? ENOENT : it->second;
}

const char kMouseCommand[] = "/dev/hidraw3&vid_320f&pid_2210&mi_01&col04#0003:320F:2210.0004";
const char kMouseEvent[] = "/dev/hidraw3&vid_320f&pid_2210&mi_01&col03#0003:320F:2210.0004";
const char kMousePointer[] = "/dev/hidraw2&vid_320f&pid_2210&mi_00#0003:320F:2210.0003";
const char kOtherDevice[] = "/dev/hidraw0&vid_046d&pid_c52b&mi_00#0003:046D:C52B.0001";

TEST(HidAccessCheck, NodeOfPath) {
    EXPECT_EQ(DeviceNodeOfPath(kMouseCommand), "/dev/hidraw3");
    EXPECT_EQ(DeviceNodeOfPath("/dev/hidraw12#0003:320F:2210.0004"), "/dev/hidraw12");
    EXPECT_EQ(DeviceNodeOfPath("sim:mouse&vid_320f&pid_2210&mi_01&col04"), "");
    EXPECT_EQ(DeviceNodeOfPath(""), "");
}

TEST(HidAccessCheck, Cases) {
    struct Case {
        const char* what;
        std::vector<std::string> paths;
        std::map<std::string, int> errors;
        HidAccess expected;
    };
    const Case cases[] = {
        {"nothing plugged in", {}, {}, HidAccess::NoDevice},
        {"only other devices, even unreadable ones",
         {kOtherDevice},
         {{"/dev/hidraw0", EACCES}},
         HidAccess::NoDevice},
        {"mouse readable",
         {kOtherDevice, kMouseCommand},
         {{"/dev/hidraw3", 0}},
         HidAccess::Accessible},
        {"mouse present without the rule",
         {kMousePointer, kMouseCommand, kMouseEvent},
         {{"/dev/hidraw2", EACCES}, {"/dev/hidraw3", EACCES}},
         HidAccess::PermissionDenied},
        {"one node readable is enough",
         {kMousePointer, kMouseCommand},
         {{"/dev/hidraw2", EACCES}, {"/dev/hidraw3", 0}},
         HidAccess::Accessible},
        {"node gone between enumeration and check", {kMouseCommand}, {}, HidAccess::NoDevice},
        {"emulated mouse has no node",
         {"sim0&vid_320f&pid_2210&mi_01&col04"},
         {},
         HidAccess::Accessible},
    };
    for (const Case& c : cases) {
        ListedBackend backend;
        backend.paths = c.paths;
        gNodeErrors = c.errors;
        EXPECT_EQ(CheckHidAccess(backend, &FakeProbe), c.expected) << c.what;
    }
}

TEST(HidAccessCheck, UnreadableSystemIsNoDevice) {
    ListedBackend backend;
    backend.paths = {kMouseCommand};
    backend.readable = false;
    gNodeErrors = {{"/dev/hidraw3", EACCES}};
    EXPECT_EQ(CheckHidAccess(backend, &FakeProbe), HidAccess::NoDevice);
}

}  // namespace
