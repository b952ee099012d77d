// The whole program over an emulated mouse that misbehaves by ZORVATH_SIM_FAULTS.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <string>

#include "tests/app_shell/ProgramRun.h"
#include "tests/support/TestDirs.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

using testsupport::ProgramRun;

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

TEST(EmulatorFaults, TheProgramRidesOutAMouseThatLosesGarblesAndUnplugs) {
    testsupport::UiApplication();
    ProgramRun run("faults");
    run.SetEnvironment(
        QStringLiteral("ZORVATH_SIM_FAULTS"),
        QStringLiteral(
            "drop=0.05,garbage=0.05,stale=0.05,unplug-after=1-6,replug-after=50,seed=3"));
    ASSERT_TRUE(run.RunToEnd({QStringLiteral("--simulate"), QStringLiteral("--trace"),
                              QStringLiteral("--quit-after"), QStringLiteral("8000")}))
        << "the program hung";
    EXPECT_EQ(run.ExitCode(), 0);
    const std::string& log = run.Log();
    EXPECT_NE(log.find("emulator faults: drop=0.05 garbage=0.05 stale=0.05"), std::string::npos);
    const std::size_t replugs = Count(log, "emulated mouse plugged in again");
    EXPECT_GE(replugs, 1u) << log;
    // Every unplug is a removal of both slots, every return an arrival of both; the last cycle
    // may still be under way when the program ends.
    EXPECT_GE(Count(log, "device removal: slot"), 2 * (replugs - 1));
    EXPECT_GE(Count(log, "device arrival: slot"), 2 * replugs);
    EXPECT_EQ(log.find("MAIN_WND stopping threads"), log.rfind("MAIN_WND stopping threads"));

    // The profile list is whole.
    const QJsonDocument list = QJsonDocument::fromJson(
        QByteArray::fromStdString(testsupport::ReadFile(run.MouseFolder() + "/ProfileList.ini")));
    ASSERT_TRUE(list.isObject());
    EXPECT_FALSE(list.object().value(QStringLiteral("profilelist")).toArray().isEmpty());
}

TEST(EmulatorFaults, ABadValueStopsTheProgramAtOnceWithTheReason) {
    testsupport::UiApplication();
    ProgramRun run("faults-bad");
    run.SetEnvironment(QStringLiteral("ZORVATH_SIM_FAULTS"), QStringLiteral("drop=2"));
    ASSERT_TRUE(run.RunToEnd({QStringLiteral("--simulate")}));
    EXPECT_EQ(run.ExitCode(), 2);
    EXPECT_NE(run.Log().find("ZORVATH_SIM_FAULTS: drop needs a rate from 0 to 1, not \"2\""),
              std::string::npos)
        << run.Log();
}

}  // namespace
