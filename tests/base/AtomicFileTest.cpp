#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "base/AtomicFile.h"
#include "tests/support/TestDirs.h"

namespace {

using testsupport::ReadFile;

TEST(AtomicFile, ReplacesContentAndLeavesNoTemporaryFile) {
    std::string dir = testsupport::MakeTempDir("atomic");
    std::string path = dir + "/a.json";
    ASSERT_TRUE(files::WriteFileAtomically(path, "first"));
    ASSERT_TRUE(files::WriteFileAtomically(path, "second, longer"));
    EXPECT_EQ(ReadFile(path), "second, longer");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(AtomicFile, AFailedWriteKeepsTheOldFileWhole) {
    std::string dir = testsupport::MakeTempDir("atomic-fail");
    std::string path = dir + "/profile.json";
    ASSERT_TRUE(files::WriteFileAtomically(path, "complete old content"));
    files::SetFailBeforeRenameForTesting(true);
    EXPECT_FALSE(files::WriteFileAtomically(path, "new"));
    files::SetFailBeforeRenameForTesting(false);
    EXPECT_EQ(ReadFile(path), "complete old content");
    EXPECT_FALSE(files::WriteFileAtomically(dir + "/missing/x.json", "x"));
}

TEST(AtomicFile, ReadWholeFileRefusesWhatItCannotTrust) {
    std::string dir = testsupport::MakeTempDir("read");
    std::string out = "stale";
    EXPECT_FALSE(files::ReadWholeFile(dir + "/none", out, 100));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(files::ReadWholeFile(dir, out, 100));  // a folder
    testsupport::WriteFile(dir + "/big", std::string(101, 'x'));
    EXPECT_FALSE(files::ReadWholeFile(dir + "/big", out, 100));
    EXPECT_TRUE(files::ReadWholeFile(dir + "/big", out, 101));
    EXPECT_EQ(out.size(), 101u);
}

TEST(AtomicFile, SafeFileNames) {
    for (const char* bad : {"", ".", "..", "../x", "a/b", "a\\b"}) {
        EXPECT_FALSE(files::IsSafeFileName(bad)) << bad;
    }
    EXPECT_FALSE(files::IsSafeFileName(std::string_view("a\0b", 3)));
    for (const char* good : {"2024_03_07_09_05_02_041", "my macro.mac", "..hidden"}) {
        EXPECT_TRUE(files::IsSafeFileName(good)) << good;
    }
}

}  // namespace
