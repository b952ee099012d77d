// Whatever a user's folder holds in place of a data file (a pipe, a folder, a socket, a link)
// reads as missing at once and is kept aside, never destroyed, when a write needs its place.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "base/AtomicFile.h"
#include "tests/support/TestDirs.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::WriteFile;

void MakeSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);  // the socket file stays
}

struct NonRegular {
    const char* name;
    std::function<void(const std::string& dir, const std::string& path)> make;
    bool keptAsideOnWrite;  // false: a folder, which a write must leave alone and fail on
};

const NonRegular kCases[] = {
    {"fifo",
     [](const std::string&, const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
     true},
    {"folder", [](const std::string&, const std::string& p) { fs::create_directory(p); }, false},
    {"socket", [](const std::string&, const std::string& p) { MakeSocket(p); }, true},
    {"dangling link",
     [](const std::string& dir, const std::string& p) { fs::create_symlink(dir + "/gone", p); },
     true},
    {"link to a fifo",
     [](const std::string& dir, const std::string& p) {
         ASSERT_EQ(::mkfifo((dir + "/pipe").c_str(), 0600), 0);
         fs::create_symlink(dir + "/pipe", p);
     },
     true},
    {"link to a device",
     [](const std::string&, const std::string& p) { fs::create_symlink("/dev/zero", p); }, true},
};

// Runs read on its own thread and waits for it with a generous limit. A reader stuck in open()
// on a pipe is released by opening the pipe's other end, so a failing test still ends.
bool ReadWithoutHanging(const std::string& path, std::string& out, bool& returned) {
    std::packaged_task<bool()> task([&] { return files::ReadWholeFile(path, out, 1 << 20); });
    std::future<bool> result = task.get_future();
    std::thread reader(std::move(task));
    returned = result.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    if (!returned) {
        const int release = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (release >= 0) {
            ::close(release);
        }
    }
    reader.join();
    return result.get();
}

TEST(NonRegularFiles, ReadAsMissingWithoutBlocking) {
    for (const NonRegular& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string dir = testsupport::MakeTempDir("nonregular-read");
        const std::string path = dir + "/ProfileList.ini";
        c.make(dir, path);
        std::string out = "stale";
        bool returned = false;
        EXPECT_FALSE(ReadWithoutHanging(path, out, returned));
        EXPECT_TRUE(returned) << "the read blocked";
        EXPECT_TRUE(out.empty());
    }
}

TEST(NonRegularFiles, ALinkToARegularFileIsRead) {
    // A user may keep a data file elsewhere (a dotfiles folder) and link it in.
    const std::string dir = testsupport::MakeTempDir("link-read");
    WriteFile(dir + "/kept-elsewhere.Json", "{}");
    fs::create_symlink(dir + "/kept-elsewhere.Json", dir + "/profile.Json");
    std::string out;
    ASSERT_TRUE(files::ReadWholeFile(dir + "/profile.Json", out, 100));
    EXPECT_EQ(out, "{}");
}

TEST(NonRegularFiles, AWriteKeepsThemAsideAndPutsARegularFileInTheirPlace) {
    for (const NonRegular& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string dir = testsupport::MakeTempDir("nonregular-write");
        const std::string path = dir + "/ShootData_0.Shoot";
        c.make(dir, path);
        const fs::file_status before = fs::symlink_status(path);
        const bool written = files::WriteFileAtomically(path, "new");
        const std::vector<std::string> asides =
            testsupport::KeptAsideCopies(dir, "ShootData_0.Shoot");
        if (!c.keptAsideOnWrite) {
            EXPECT_FALSE(written);
            EXPECT_TRUE(fs::is_directory(path));
            EXPECT_TRUE(asides.empty());
            continue;
        }
        EXPECT_TRUE(written);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
        EXPECT_EQ(ReadFile(path), "new");
        ASSERT_EQ(asides.size(), 1u);
        EXPECT_EQ(fs::symlink_status(asides[0]).type(), before.type());
    }
}

TEST(NonRegularFiles, AWriteNeverGoesThroughALinkToItsTarget) {
    // A data folder copied from someone else may link a data file to one of the user's files.
    const std::string dir = testsupport::MakeTempDir("link-write");
    WriteFile(dir + "/victim", "the user's own file");
    fs::create_symlink(dir + "/victim", dir + "/macro.config");
    ASSERT_TRUE(files::WriteFileAtomically(dir + "/macro.config", "{}"));
    EXPECT_EQ(ReadFile(dir + "/victim"), "the user's own file");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir + "/macro.config")));
    EXPECT_EQ(ReadFile(dir + "/macro.config"), "{}");
    const std::vector<std::string> asides = testsupport::KeptAsideCopies(dir, "macro.config");
    ASSERT_EQ(asides.size(), 1u);
    EXPECT_TRUE(fs::is_symlink(asides[0]));
}

TEST(NonRegularFiles, ARegularFileKeepsItsModeAndNothingIsKeptAside) {
    const std::string dir = testsupport::MakeTempDir("regular-write");
    const std::string path = dir + "/ProfileList.ini";
    WriteFile(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(files::WriteFileAtomically(path, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_TRUE(testsupport::KeptAsideCopies(dir, "ProfileList.ini").empty());
}

}  // namespace
