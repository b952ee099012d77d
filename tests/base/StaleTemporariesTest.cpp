// Temporary files left behind by writes that a crash cut short are removed at start, and
// nothing else is.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "base/StaleTemporaries.h"
#include "tests/support/TestDirs.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::system_clock;
using std::chrono::seconds;

// A fixed "now", so that ages are exact and nothing waits.
const Clock::time_point kNow = Clock::time_point(seconds(1900000000));

void SetChangeTime(const std::string& path, Clock::time_point when) {
    const auto since = when.time_since_epoch();
    const auto whole = std::chrono::duration_cast<seconds>(since);
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(whole.count());
    times[0].tv_nsec = times[1].tv_nsec = static_cast<long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(since - whole).count());
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

enum class Kind { File, Folder, Link };

struct Entry {
    const char* name;
    Kind kind;
    seconds age;
    bool removed;
};

const Entry kEntries[] = {
    {"ProfileList.ini.tmp-a1B2c3", Kind::File, seconds(61), true},
    {"ShootData_0.Shoot.tmp-ZZZZZZ", Kind::File, seconds(60), true},
    {"profile.Json.tmp-000000", Kind::File, seconds(86400), true},
    {"macro.config.tmp-abcdef", Kind::File, seconds(59), false},     // perhaps being written
    {"macro.config.tmp-abcdeg", Kind::File, seconds(-3600), false},  // from the future
    {"ProfileList.ini", Kind::File, seconds(86400), false},          // not a temporary
    {"notes.tmp-abc", Kind::File, seconds(86400), false},            // too short
    {"notes.tmp-abcdefg", Kind::File, seconds(86400), false},        // too long
    {"notes.tmp-abc_ef", Kind::File, seconds(86400), false},         // not mkstemp's letters
    {".tmp-abcdef", Kind::File, seconds(86400), false},              // no file name before it
    {"notes.TMP-abcdef", Kind::File, seconds(86400), false},         // not our naming
    {"saved.tmp-folder", Kind::Folder, seconds(86400), false},       // a folder
    {"linked.tmp-abcdef", Kind::Link, seconds(86400), false},        // a link, never followed
};

TEST(StaleTemporaries, OnlyOurOldTemporaryFilesGo) {
    const std::string dir = testsupport::MakeTempDir("stale");
    testsupport::WriteFile(dir + "/target", "the link's target");
    for (const Entry& e : kEntries) {
        const std::string path = dir + "/" + e.name;
        switch (e.kind) {
            case Kind::File:
                testsupport::WriteFile(path, "partial");
                break;
            case Kind::Folder:
                fs::create_directory(path);
                break;
            case Kind::Link:
                fs::create_symlink(dir + "/target", path);
                break;
        }
        SetChangeTime(path, kNow - e.age);
    }
    SetChangeTime(dir + "/target", kNow - seconds(86400));
    // Only the folder given is swept, not the folders below it.
    fs::create_directory(dir + "/below");
    testsupport::WriteFile(dir + "/below/x.tmp-abcdef", "partial");
    SetChangeTime(dir + "/below/x.tmp-abcdef", kNow - seconds(86400));

    std::size_t expected = 0;
    for (const Entry& e : kEntries) {
        expected += e.removed ? 1 : 0;
    }
    EXPECT_EQ(files::RemoveStaleTemporaries(dir, kNow), expected);
    for (const Entry& e : kEntries) {
        EXPECT_EQ(fs::exists(fs::symlink_status(dir + "/" + e.name)), !e.removed) << e.name;
    }
    EXPECT_EQ(testsupport::ReadFile(dir + "/target"), "the link's target");
    EXPECT_TRUE(fs::exists(dir + "/below/x.tmp-abcdef"));
    EXPECT_EQ(files::RemoveStaleTemporaries(dir + "/missing", kNow), 0u);
}

TEST(StaleTemporaries, TheNamesOfAtomicWritesAreRecognised) {
    const std::string dir = testsupport::MakeTempDir("stale-names");
    for (int i = 0; i < 20; ++i) {
        std::string pattern =
            dir + "/ProfileList.ini" + std::string(files::kTemporarySuffix) + "XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        ASSERT_GE(fd, 0);
        ::close(fd);
        EXPECT_TRUE(files::IsTemporaryFileName(fs::path(pattern).filename().string())) << pattern;
    }
}

}  // namespace
