#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

CommandLineOptions Parse(std::vector<std::string_view> args) {
    return ParseCommandLine(args);
}

TEST(CommandLine, NoArgumentsRunsNormally) {
    CommandLineOptions o = Parse({});
    EXPECT_TRUE(o.error.empty());
    EXPECT_FALSE(o.simulate);
    EXPECT_EQ(o.quitAfterMs, -1);
}

TEST(CommandLine, SimulateDefaultsToTheMouseAndTakesAKindList) {
    EXPECT_EQ(Parse({"--simulate"}).simulatedKinds, std::vector<std::string>{"mouse"});
    CommandLineOptions o = Parse({"--simulate=mouse,keyboard,headset"});
    EXPECT_TRUE(o.simulate);
    EXPECT_EQ(o.simulatedKinds, (std::vector<std::string>{"mouse", "keyboard", "headset"}));
}

TEST(CommandLine, ValuesInBothSpellings) {
    CommandLineOptions o = Parse({"--screenshot", "a.png", "--quit-after=1500", "--trace"});
    EXPECT_TRUE(o.error.empty()) << o.error;
    EXPECT_EQ(o.screenshotPath, "a.png");
    EXPECT_EQ(o.quitAfterMs, 1500);
    EXPECT_TRUE(o.trace);
}

TEST(CommandLine, BadInputIsAnErrorNotAGuess) {
    const std::vector<std::vector<std::string_view>> cases = {
        {"--bogus"},         {"--simulate=toaster"}, {"--simulate="},      {"--quit-after", "soon"},
        {"--quit-after=-5"}, {"--screenshot"},       {"--quit-after=12x"},
    };
    for (const auto& args : cases) {
        EXPECT_FALSE(Parse(args).error.empty()) << args.front();
    }
}

TEST(CommandLine, HelpNamesEveryEnvironmentVariableTheProgramReads) {
    const std::string usage = CommandLineUsage();
    for (const char* name :
         {"ZORVATH_TRACE", "ZORVATH_SCALE", "ZORVATH_SYSFS_ROOT", "ZORVATH_SIM_FAULTS"}) {
        EXPECT_NE(usage.find(std::string("\n  ") + name + "="), std::string::npos) << name;
    }
}

}  // namespace
