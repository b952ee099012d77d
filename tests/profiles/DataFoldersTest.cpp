#include "profiles/DataFolders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/TestDirs.h"

namespace {

namespace fs = std::filesystem;

class DataFoldersTest : public ::testing::Test {
protected:
    void TearDown() override { datafolders::SetResourceRootForTesting(""); }

    std::string root_ = testsupport::UseFreshXdgFolders("datafolders");
    std::string data_ = std::getenv("XDG_DATA_HOME");
    std::string cache_ = std::getenv("XDG_CACHE_HOME");
};

TEST_F(DataFoldersTest, NothingExistsUntilAFolderIsAskedFor) {
    EXPECT_FALSE(fs::exists(data_ + "/Zorvath ZR-310 Gaming Mouse"));
    EXPECT_EQ(datafolders::GetDeviceDataFolder("HD"), data_ + "/Zorvath ZR-310 Gaming Mouse/HD/");
    EXPECT_TRUE(fs::is_directory(data_ + "/Zorvath ZR-310 Gaming Mouse/HD"));
}

TEST_F(DataFoldersTest, FoldersFollowTheXdgVariables) {
    EXPECT_EQ(datafolders::GetUserDataFolder(), data_ + "/Zorvath ZR-310 Gaming Mouse/");
    for (std::string_view kind :
         {datafolders::kMouseFolderName, datafolders::kKeyboardFolderName,
          datafolders::kMousePadFolderName, datafolders::kHeadsetFolderName}) {
        const std::string folder = datafolders::GetDeviceDataFolder(kind);
        EXPECT_EQ(folder, data_ + "/Zorvath ZR-310 Gaming Mouse/" + std::string(kind) + "/");
        EXPECT_TRUE(fs::is_directory(folder));
    }
    const std::string updates = datafolders::GetUpdateDownloadFolder();
    EXPECT_EQ(updates, cache_ + "/Zorvath ZR-310 Gaming Mouse/UpdateData/");
    EXPECT_TRUE(fs::is_directory(updates));
}

TEST_F(DataFoldersTest, MissingXdgVariablesFallBackToHome) {
    const std::string home = root_ + "/home";
    ::setenv("HOME", home.c_str(), 1);
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("XDG_CACHE_HOME", "relative/ignored", 1);
    EXPECT_EQ(datafolders::GetUserDataFolder(),
              home + "/.local/share/Zorvath ZR-310 Gaming Mouse/");
    EXPECT_EQ(datafolders::GetUpdateDownloadFolder(),
              home + "/.cache/Zorvath ZR-310 Gaming Mouse/UpdateData/");
    EXPECT_TRUE(fs::is_directory(home + "/.local/share/Zorvath ZR-310 Gaming Mouse"));
}

TEST_F(DataFoldersTest, UncreatableFolderIsStillNamed) {
    const std::string blocker = root_ + "/file";
    testsupport::WriteFile(blocker, "x");
    ::setenv("XDG_DATA_HOME", blocker.c_str(), 1);
    EXPECT_EQ(datafolders::GetDeviceDataFolder("mouse"),
              blocker + "/Zorvath ZR-310 Gaming Mouse/mouse/");
}

TEST_F(DataFoldersTest, DefaultDataSitsBesideTheTestProgram) {
    // The build copies skin/ and DefaultData/ beside every executable.
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    ASSERT_FALSE(ec);
    EXPECT_EQ(datafolders::GetResourceRoot(), exe.parent_path().string() + "/");
    EXPECT_EQ(datafolders::GetDefaultProfilePath("MousePad"),
              exe.parent_path().string() + "/DefaultData/MousePad.Json");
}

TEST_F(DataFoldersTest, ResourceRootCanBeOverridden) {
    datafolders::SetResourceRootForTesting("/opt/elsewhere");
    EXPECT_EQ(datafolders::GetDefaultDataFolder(), "/opt/elsewhere/DefaultData/");
    EXPECT_EQ(datafolders::GetDefaultProfilePath("HD"), "/opt/elsewhere/DefaultData/HD.Json");
}

}  // namespace
