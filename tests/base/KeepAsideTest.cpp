#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "base/AtomicFile.h"
#include "base/KeepAside.h"
#include "tests/support/TestDirs.h"

namespace {

using testsupport::ReadFile;

TEST(KeepAside, MovesTheFileWithItsBytesAndNeverOverwritesAnEarlierCopy) {
    const std::string dir = testsupport::MakeTempDir("aside");
    const std::string path = dir + "/ProfileList.ini";
    std::set<std::string> asides;
    // Several in a row land within one millisecond: each must get its own name.
    for (const char* bytes : {"one", "two", "three"}) {
        ASSERT_TRUE(files::WriteFileAtomically(path, bytes));
        const std::string aside = files::KeepAside(path);
        ASSERT_FALSE(aside.empty());
        EXPECT_TRUE(aside.starts_with(path + "."));
        EXPECT_TRUE(aside.ends_with(".unreadable"));
        EXPECT_EQ(ReadFile(aside), bytes);
        EXPECT_FALSE(std::filesystem::exists(path));
        asides.insert(aside);
    }
    EXPECT_EQ(asides.size(), 3u);
}

TEST(KeepAside, MovesAPipeButLeavesFoldersAndMissingPathsAlone) {
    const std::string dir = testsupport::MakeTempDir("aside-kinds");
    const std::string fifo = dir + "/gun.Shoot";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string aside = files::KeepAside(fifo);
    ASSERT_FALSE(aside.empty());
    EXPECT_TRUE(std::filesystem::is_fifo(aside));

    std::filesystem::create_directory(dir + "/folder");
    EXPECT_EQ(files::KeepAside(dir + "/folder"), "");
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/folder"));
    EXPECT_EQ(files::KeepAside(dir + "/missing"), "");
    EXPECT_EQ(files::KeepAside(""), "");
}

}  // namespace
