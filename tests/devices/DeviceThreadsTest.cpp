// The preview and listener threads: events reach the page, threads sleep when idle and stop
// at once.
#include <chrono>

#include "profiles/JsonFile.h"
#include "tests/devices/CoreFixture.h"

namespace devicetest {
namespace {

using namespace std::chrono_literals;

// The idle preview waits for a wake and the listener reads without a time-out, so a thread that
// ends at all was woken by the stop. The limit only keeps a broken wake from hanging the run; it
// is generous so that a loaded machine or a sanitizer build never trips it.
constexpr auto kStopLimit = 10s;

TEST_F(MouseCoreTest, DpiButtonOnTheMouseAsksForTimer1002AndTheRefreshReadsTheNewStage) {
    OpenDevice();
    ASSERT_TRUE(core->OpenEventInterface(rig->EventPath()));
    ASSERT_TRUE(core->ListenerRunning());
    const std::uint8_t before = rig->mouse->ActiveDpiStage();
    ASSERT_TRUE(rig->mouse->PressDpiButton());
    ASSERT_TRUE(listener.WaitForTimer(2000ms));
    {
        std::lock_guard lock(listener.mutex);
        ASSERT_EQ(listener.timers.size(), 1u);  // the release carries no usage
        EXPECT_EQ(listener.timers[0], (std::pair<int, int>{1002, 500}));
    }
    core->RefreshFromDevice();
    EXPECT_EQ(core->GetDeviceState().activeStage, (before + 1) % 4);
    EXPECT_EQ(core->Profile().GetActiveDpiStage(), (before + 1) % 4);
}

TEST_F(MouseCoreTest, OtherUsagesAreIgnored) {
    OpenDevice();
    ASSERT_TRUE(core->OpenEventInterface(rig->EventPath()));
    ASSERT_TRUE(rig->mouse->SendEvent(0x00E9));
    EXPECT_FALSE(listener.WaitForTimer(200ms));
}

TEST_F(MouseCoreTest, BothThreadsEndWhenStopped) {
    OpenDevice();
    ASSERT_TRUE(core->OpenEventInterface(rig->EventPath()));
    ASSERT_TRUE(core->PreviewRunning());
    ASSERT_TRUE(core->ListenerRunning());
    std::this_thread::sleep_for(20ms);  // most likely waiting now: preview idle, listener reading
    const auto start = std::chrono::steady_clock::now();
    core->StopThreads();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(core->PreviewRunning());
    EXPECT_FALSE(core->ListenerRunning());
    EXPECT_LT(took, kStopLimit);
}

TEST_F(MouseCoreTest, EventInterfaceCloseAbandonsTheReadAndReopenListensAgain) {
    OpenDevice();
    ASSERT_TRUE(core->OpenEventInterface(rig->EventPath()));
    const auto start = std::chrono::steady_clock::now();
    core->CloseEventInterface();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kStopLimit);
    EXPECT_FALSE(core->IsEventOpen());
    ASSERT_TRUE(core->ReopenEventInterface(rig->EventPath()));
    ASSERT_TRUE(rig->mouse->SwitchProfileOnDevice(1));
    EXPECT_TRUE(listener.WaitForTimer(2000ms));
}

TEST_F(MouseCoreTest, ListenerSurvivesTheMouseVanishing) {
    OpenDevice();
    ASSERT_TRUE(core->OpenEventInterface(rig->EventPath()));
    rig->Unplug();
    std::this_thread::sleep_for(50ms);
    const auto start = std::chrono::steady_clock::now();
    core->CloseEventInterface();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kStopLimit);
}

TEST_F(MouseCoreTest, FailedEventOpenStillStartsAListenerThatStopsPromptly) {
    EXPECT_FALSE(core->OpenEventInterface("/nonexistent&mi_01&col03"));
    EXPECT_TRUE(core->ListenerRunning());
    const auto start = std::chrono::steady_clock::now();
    core->CloseEventInterface();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kStopLimit);
}

TEST_F(MouseCoreTest, MouseHasNoLedsAndNothingIsStreamed) {
    OpenDevice();
    EXPECT_EQ(core->GetLedCount(), 0);
    core->ShowLightFrame();
    core->SetLiveLight(true);
    std::this_thread::sleep_for(30ms);
    EXPECT_TRUE(Firmware().ReceivedFrames().empty());
}

}  // namespace
}  // namespace devicetest

namespace devicetest {
namespace {

using namespace std::chrono_literals;

// The preview sleeps while there are no LEDs and starts drawing as soon as some appear.
TEST_F(MouseCoreTest, PreviewWakesWhenLedsAppearAndDrawsTheEffect) {
    OpenDevice();
    LightInfoRecord light;
    light.selectItem = 3;  // steady
    light.light = 5;
    light.speed = 5;
    light.red = 1;
    light.green = 2;
    light.blue = 3;
    core->SetLightSettings(light.WordA(), light.WordB(), light.WordC());
    core->SetLedCount(4);
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (core->GetLedColour(3) == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(core->GetLedColour(3), devices::LedWord({1, 2, 3, 255}));
    const auto start = std::chrono::steady_clock::now();
    core->StopThreads();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kStopLimit);
}

// Effects from 9 on play the user light of "tamric_light.config" entry effect - 9.
TEST_F(MouseCoreTest, UserLightEffectIsLoadedAndPlayedByThePreview) {
    OpenDevice();
    const std::string folder = core->DataFolder();
    ASSERT_TRUE(CJsonFile().writejsonFile(
        folder + "tamric_light.config",
        CJsonFile::ParseText(
            R"({"LightInfo": [[], [{"Guid": "other"}, {"Guid": "u1", "LightName": "mine"}]]})")));
    ASSERT_TRUE(CJsonFile().writejsonFile(
        folder + "u1.light",
        CJsonFile::ParseText(R"({"LEDEffectList": [{"LEDREGMode": 1, "LEDBrightness": 5,
            "LEDSpeed": 5, "red": 9, "green": 8, "blue": 7, "Time": 100000}]})")));
    LightInfoRecord light = core->GetLightSettings();
    light.selectItem = 10;  // user light 1
    core->SetLightSettings(light.WordA(), light.WordB(), light.WordC());
    ASSERT_EQ(core->ApplyProfileState(), 1);
    core->SetLedCount(2);
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (core->GetLedColour(1) == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(core->GetLedColour(1), devices::LedWord({9, 8, 7, 255}));
}

}  // namespace
}  // namespace devicetest
