// Enumeration over sysfs-shaped trees built by the test: the layout a user's sysfs dump has.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "hid/HidDevice.h"
#include "hid/HidInterfaceId.h"
#include "hid/HidrawBackend.h"
#include "sim/MouseDescriptors.h"
#include "tests/support/SysfsTree.h"
#include "tests/support/TestDirs.h"

namespace {

namespace fs = std::filesystem;

using testsupport::SysfsTree;

std::vector<std::string> Enumerate(hid::IHidBackend& backend) {
    std::vector<std::string> paths;
    EXPECT_TRUE(backend.Enumerate(paths));
    return paths;
}

TEST(HidrawBackend, OffersEveryTopLevelCollectionWithTheNodeIdentityInItsPath) {
    SysfsTree tree;
    tree.AddNode("hidraw2", "0003:320F:2210.0003", 0, sim::MousePointerDescriptor());
    tree.AddNode("hidraw3", "0003:320F:2210.0004", 1, sim::MouseMultiDescriptor());
    hid::CHidrawBackend backend(tree.root(), "/dev");
    std::vector<std::string> paths = Enumerate(backend);
    const std::vector<std::string> expected = {
        "/dev/hidraw2&vid_320f&pid_2210&mi_00#0003:320F:2210.0003",
        "/dev/hidraw3&vid_320f&pid_2210&mi_01&col01#0003:320F:2210.0004",
        "/dev/hidraw3&vid_320f&pid_2210&mi_01&col02#0003:320F:2210.0004",
        "/dev/hidraw3&vid_320f&pid_2210&mi_01&col03#0003:320F:2210.0004",
        "/dev/hidraw3&vid_320f&pid_2210&mi_01&col04#0003:320F:2210.0004",
    };
    EXPECT_EQ(paths, expected);
    for (const std::string& path : paths) {
        EXPECT_TRUE(backend.IsPresent(path)) << path;
    }
    EXPECT_EQ(hid::ParseCollectionNumber(paths[4]), 4);

    hid::HidrawNodeInfo info;
    ASSERT_TRUE(hid::ReadHidrawNodeInfo(tree.root(), "hidraw3", info));
    EXPECT_EQ(info.attributes.vendorId, 0x320F);
    EXPECT_EQ(info.attributes.productId, 0x2210);
    EXPECT_EQ(info.attributes.versionNumber, 0x0102);
    EXPECT_EQ(info.interfaceNumber, 1);
    EXPECT_EQ(info.instance, "0003:320F:2210.0004");
    EXPECT_EQ(info.info.collections.size(), 4u);
}

TEST(HidrawBackend, UnchangedSystemIsServedFromTheCacheAndAFastReplugIsANewArrival) {
    SysfsTree tree;
    tree.AddNode("hidraw3", "0003:320F:2210.0004", 1, sim::MouseMultiDescriptor());
    hid::CHidrawBackend backend(tree.root(), "/dev");
    std::vector<std::string> first = Enumerate(backend);
    const std::size_t reads = backend.NodeReadsForTesting();
    EXPECT_EQ(reads, 1u);
    EXPECT_EQ(Enumerate(backend), first);
    EXPECT_EQ(backend.NodeReadsForTesting(), reads);

    // Unplugged and plugged in again on the same node number: a new HID device instance.
    tree.AddNode("hidraw3", "0003:320F:2210.0005", 1, sim::MouseMultiDescriptor());
    EXPECT_FALSE(backend.IsPresent(first[3]));
    std::vector<std::string> second = Enumerate(backend);
    EXPECT_EQ(backend.NodeReadsForTesting(), reads + 1);
    ASSERT_EQ(second.size(), 4u);
    EXPECT_NE(second[3], first[3]);
    EXPECT_TRUE(backend.IsPresent(second[3]));

    tree.RemoveNode("hidraw3");
    EXPECT_FALSE(backend.IsPresent(second[3]));
    EXPECT_TRUE(Enumerate(backend).empty());
}

TEST(HidrawBackend, BadNodesAreSkippedAndMissingFoldersMeanAnEmptySystem) {
    SysfsTree tree;
    tree.AddNode("hidraw0", "0003:1234:5678.0001", 0, {0xA1, 0x01});  // unclosed collection
    tree.AddNode("hidraw1", "0003:320F:2210.0002", 0, sim::MousePointerDescriptor(), "1-2");
    fs::create_directories(tree.root() + "/class/hidraw/not-a-node");
    hid::CHidrawBackend backend(tree.root(), "/dev");
    std::vector<std::string> paths = Enumerate(backend);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0].rfind("/dev/hidraw1&", 0), 0u);

    hid::CHidrawBackend empty(testsupport::MakeTempDir("nosysfs"), "/dev");
    EXPECT_TRUE(Enumerate(empty).empty());
}

TEST(HidrawBackend, OpeningAVanishedOrForeignPathFailsAndLeavesTheDeviceClosed) {
    SysfsTree tree;
    tree.AddNode("hidraw3", "0003:320F:2210.0004", 1, sim::MouseMultiDescriptor());
    const std::string devRoot = testsupport::MakeTempDir("dev");  // no device nodes in it
    auto backend = std::make_shared<hid::CHidrawBackend>(tree.root(), devRoot);
    std::vector<std::string> paths = Enumerate(*backend);
    ASSERT_EQ(paths.size(), 4u);
    hid::CHidDevice dev(backend);
    EXPECT_FALSE(dev.Open(paths[3], true, true, true, false));  // no /dev node to open
    EXPECT_FALSE(dev.IsOpen());
    dev.Close();

    // What enumeration read stays available without a device node (a replayed tree).
    hid::HidAttributes attributes;
    std::vector<std::uint8_t> descriptor;
    int index = -1;
    ASSERT_TRUE(backend->Describe(paths[3], attributes, descriptor, index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(attributes.productId, 0x2210);
    EXPECT_EQ(descriptor, sim::MouseMultiDescriptor());
    const std::string bad[] = {
        "",
        "/dev/hidraw3",
        devRoot + "/hidraw3&vid_320f",
        devRoot + "/../etc/passwd&x#y",
        devRoot + "/hidraw3&vid_320f&pid_2210&mi_01&col09#0003:320F:2210.0004",
        devRoot + "/hidraw3&vid_320f&pid_2210&mi_01&col04#0003:320F:2210.0009",
    };
    for (const std::string& path : bad) {
        EXPECT_FALSE(dev.Open(path, true, false, true, false)) << path;
        EXPECT_FALSE(backend->IsPresent(path)) << path;
        EXPECT_FALSE(backend->Describe(path, attributes, descriptor, index)) << path;
    }
}

// Reading descriptors and device events needs no write access: a node is opened for writing
// only when a handle asks to write, and a writer never gets a node opened for reading only.
TEST(HidrawBackend, NodesAreOpenedForWritingOnlyWhenAWriterAsks) {
    SysfsTree tree;
    tree.AddNode("hidraw3", "0003:320F:2210.0004", 1, sim::MouseMultiDescriptor());
    const std::string devRoot = testsupport::MakeTempDir("dev");
    testsupport::RecordingNodeOpener recorder;
    auto backend = std::make_shared<hid::CHidrawBackend>(tree.root(), devRoot);
    backend->SetNodeOpenerForTesting(recorder.Opener());
    const std::vector<std::string> paths = Enumerate(*backend);
    ASSERT_EQ(paths.size(), 4u);

    hid::CHidDevice events(backend);
    ASSERT_TRUE(events.Open(paths[2], true, false, true, false));
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].node, devRoot + "/hidraw3");
    EXPECT_FALSE(recorder.Calls()[0].forWriting());

    hid::CHidDevice command(backend);
    ASSERT_TRUE(command.Open(paths[3], true, true, true, false));
    ASSERT_EQ(recorder.Calls().size(), 2u);
    EXPECT_EQ(recorder.Calls()[1].flags & O_ACCMODE, O_RDWR);

    // Later readers share the node the writer opened.
    hid::CHidDevice keyboard(backend);
    ASSERT_TRUE(keyboard.Open(paths[0], true, false, true, false));
    EXPECT_EQ(recorder.Calls().size(), 2u);
    for (const auto& call : recorder.Calls()) {
        EXPECT_NE(call.flags & O_CLOEXEC, 0);
    }
}

}  // namespace

namespace {

TEST(SysfsAttribute, IsReadToItsEndWhateverItsReportedSize) {
    // Like sysfs, /proc reports sizes that say nothing about the content.
    std::string text;
    ASSERT_TRUE(hid::ReadSysfsAttribute("/proc/self/status", text, 65536));
    EXPECT_NE(text.find("Name:"), std::string::npos);
    EXPECT_FALSE(hid::ReadSysfsAttribute("/proc/self/status", text, 8));  // longer than allowed
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(hid::ReadSysfsAttribute("/proc/self", text, 4096));  // a folder
    EXPECT_FALSE(hid::ReadSysfsAttribute("/nonexistent/idVendor", text, 64));
}

}  // namespace
