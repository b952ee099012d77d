// The whole program started on data folders that a crash, a full disk or a hostile copy left
// behind: it comes up, tells what it must, and --quit-after ends it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "tests/app_shell/ProgramRun.h"
#include "tests/support/TestDirs.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ProgramRun;

TEST(StartupData, AMessageAtStartShowsAfterTheWindowAndQuitAfterStillEnds) {
    testsupport::UiApplication();
    ProgramRun run("startup-message");
    // A folder in place of a gun file: it cannot be read nor replaced, which is told.
    fs::create_directory(run.MouseFolder() + "/ShootData_0.Shoot");
    ASSERT_TRUE(run.RunToEnd({QStringLiteral("--simulate"), QStringLiteral("--trace"),
                              QStringLiteral("--quit-after"), QStringLiteral("8000")}))
        << run.Log();
    EXPECT_EQ(run.ExitCode(), 0);
    const std::size_t shown = run.Log().find("MAIN_WND ActivateMainWindow");
    const std::size_t message = run.Log().find("MSG_WND shoot_write_failed_text");
    ASSERT_NE(shown, std::string::npos) << run.Log();
    ASSERT_NE(message, std::string::npos) << run.Log();
    EXPECT_LT(shown, message) << run.Log();
    EXPECT_TRUE(fs::is_directory(run.MouseFolder() + "/ShootData_0.Shoot"));
}

// Everything in folder whose name starts with name + "." and ends with ".unreadable".
std::vector<fs::path> AsidesOf(const std::string& folder, const std::string& name) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string file = entry.path().filename().string();
        if (file.starts_with(name + ".") && file.ends_with(".unreadable")) {
            found.push_back(entry.path());
        }
    }
    return found;
}

TEST(StartupData, PipesInPlaceOfDataFilesNeitherHangTheProgramNorGetLost) {
    testsupport::UiApplication();
    ProgramRun run("startup-pipes");
    for (const char* name : {"ProfileList.ini", "ShootData_1.Shoot"}) {
        ASSERT_EQ(::mkfifo((run.MouseFolder() + "/" + name).c_str(), 0600), 0);
    }
    ASSERT_TRUE(run.RunToEnd(
        {QStringLiteral("--simulate"), QStringLiteral("--quit-after"), QStringLiteral("5000")}))
        << "the program hung";
    EXPECT_EQ(run.ExitCode(), 0);
    for (const char* name : {"ProfileList.ini", "ShootData_1.Shoot"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(run.MouseFolder() + "/" + name)));
        bool pipeKept = false;
        for (const fs::path& aside : AsidesOf(run.MouseFolder(), name)) {
            pipeKept = pipeKept || fs::is_fifo(fs::symlink_status(aside));
        }
        EXPECT_TRUE(pipeKept);
    }
}

void SetAge(const std::string& path, std::chrono::seconds age) {
    const auto when = std::chrono::system_clock::now() - age;
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
    timespec times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

TEST(StartupData, TemporariesLeftByACrashAreRemovedFromTheDataFoldersOnly) {
    testsupport::UiApplication();
    ProgramRun run("startup-temporaries");
    struct Leftover {
        std::string path;
        std::chrono::seconds age;
        bool removed;
    };
    const std::vector<Leftover> leftovers = {
        {run.DataRoot() + "/updatetime.config.tmp-a1b2c3", std::chrono::seconds(120), true},
        {run.MouseFolder() + "/ProfileList.ini.tmp-Xy12Z9", std::chrono::hours(48), true},
        // Perhaps a write in progress.
        {run.MouseFolder() + "/profile.Json.tmp-young1", std::chrono::seconds(-50), false},
        // Not a folder of the program's.
        {run.DataHome() + "/other.tmp-abcdef", std::chrono::hours(48), false},
    };
    for (const Leftover& leftover : leftovers) {
        testsupport::WriteFile(leftover.path, "{\"partial\":");
        SetAge(leftover.path, leftover.age);
    }
    ASSERT_TRUE(run.RunToEnd({QStringLiteral("--quit-after"), QStringLiteral("1000")}));
    EXPECT_EQ(run.ExitCode(), 0);
    for (const Leftover& leftover : leftovers) {
        EXPECT_EQ(fs::exists(leftover.path), !leftover.removed) << leftover.path;
    }
}

}  // namespace
