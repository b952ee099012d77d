// --list-interfaces over a machine with the mouse and another vendor's device: the other
// device is never opened, the mouse only for reading.
#include "app/ListInterfaces.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "hid/HidrawBackend.h"
#include "sim/MouseDescriptors.h"
#include "tests/support/SysfsTree.h"
#include "tests/support/TestDirs.h"

namespace {

std::string Listing(const std::shared_ptr<hid::IHidBackend>& backend, int& exitCode) {
    std::FILE* out = std::tmpfile();
    exitCode = ListInterfaces(backend, out);
    std::rewind(out);
    std::string text;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, out)) {
        text.append(buffer, n);
    }
    std::fclose(out);
    return text;
}

TEST(ListInterfaces, OpensOnlyTheSupportedDeviceAndOnlyForReading) {
    testsupport::SysfsTree tree;
    tree.AddNode("hidraw1", "0003:046D:C52B.0001", 2, sim::MousePointerDescriptor(), "1-2", "046d",
                 "c52b");
    tree.AddNode("hidraw3", "0003:320F:2210.0004", 1, sim::MouseMultiDescriptor());
    const std::string devRoot = testsupport::MakeTempDir("dev");
    testsupport::RecordingNodeOpener recorder;
    auto backend = std::make_shared<hid::CHidrawBackend>(tree.root(), devRoot);
    backend->SetNodeOpenerForTesting(recorder.Opener());

    int exitCode = -1;
    const std::string text = Listing(backend, exitCode);
    EXPECT_EQ(exitCode, 0);
    ASSERT_FALSE(recorder.Calls().empty());
    for (const auto& call : recorder.Calls()) {
        EXPECT_EQ(call.node, devRoot + "/hidraw3");
        EXPECT_FALSE(call.forWriting()) << call.flags;
    }
    // The other vendor's device is described from what enumeration read.
    EXPECT_NE(text.find("/hidraw1&vid_046d&pid_c52b&mi_02#0003:046D:C52B.0001 vid=046d "
                        "pid=c52b ver=0102 mi=2 col=0 page=0001 usage=0002 in=7 out=0 feat=0 "
                        "open=- slot=-\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("mi_01&col04#0003:320F:2210.0004 vid=320f pid=2210 ver=0102 mi=1 col=4 "
                        "page=ff1c usage=0092 in=64 out=64 feat=0 slot=2\n"),
              std::string::npos)
        << text;
}

}  // namespace
