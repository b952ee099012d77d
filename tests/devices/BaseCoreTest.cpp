// The base core with LEDs (the mouse has none): live colour streaming and its back-off,
// live light, function pages, LED entries.
#include "devices/core/UsbDeviceCore.h"
#include "sim/FirmwareFaults.h"
#include "tests/devices/CoreFixture.h"

namespace devicetest {
namespace {

constexpr std::uint8_t kLiveColours = 18;

class LedCore : public devices::CUsbDeviceCore {
public:
    LedCore(int kind, std::shared_ptr<hid::IHidBackend> backend)
        : CUsbDeviceCore(kind, std::move(backend)) {}
};

class BaseCoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig = std::make_unique<sim::CSimulatedMouseRig>();
        core = std::make_unique<LedCore>(hid::kKindMousePad, rig->bus);
        core->SetListener(&listener);
        core->SetClockForTesting([this] { return now; });
        ASSERT_TRUE(core->OpenCommandInterface(rig->CommandPath(), false));
        core->SetLedCount(3);
        LightInfoRecord light;
        light.light = 3;  // 0x80
        light.red = 200;
        light.green = 100;
        light.blue = 2;
        core->SetLightSettings(light.WordA(), light.WordB(), light.WordC());
    }
    sim::CommandFirmware& Firmware() { return rig->mouse->Firmware(); }

    std::uint64_t now = 1000;
    RecordingListener listener;
    std::unique_ptr<sim::CSimulatedMouseRig> rig;
    std::unique_ptr<LedCore> core;
};

TEST_F(BaseCoreTest, ShowLightFrameStreamsColoursScaledByAlpha) {
    core->StepStatic();
    core->ShowLightFrame();
    const auto frames = Firmware().ReceivedFrames(kLiveColours);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][4], 9);
    for (int led = 0; led < 3; ++led) {
        EXPECT_EQ(frames[0][8 + 3 * led], 200 * 0x80 / 256);
        EXPECT_EQ(frames[0][9 + 3 * led], 100 * 0x80 / 256);
        EXPECT_EQ(frames[0][10 + 3 * led], 2 * 0x80 / 256);
    }
    ASSERT_EQ(listener.lastFrame.size(), 3u);
    EXPECT_EQ(listener.lastFrame[1], (devices::LedColour{200, 100, 2, 0x80}));
    EXPECT_EQ(Firmware().Memory().liveColours[0], 100);
}

TEST_F(BaseCoreTest, FailedStreamRestsFor200Ms) {
    core->StepStatic();
    sim::Fault fault;
    fault.kind = sim::FaultKind::Status;
    fault.command = kLiveColours;
    Firmware().InjectFault(fault);
    core->ShowLightFrame();  // refused
    ASSERT_EQ(Firmware().ReceivedFrames(kLiveColours).size(), 1u);
    now += 199;
    core->ShowLightFrame();
    EXPECT_EQ(Firmware().ReceivedFrames(kLiveColours).size(), 1u);
    EXPECT_EQ(listener.frames, 2);  // the preview still shows it
    now += 1;
    core->ShowLightFrame();
    EXPECT_EQ(Firmware().ReceivedFrames(kLiveColours).size(), 2u);
}

TEST_F(BaseCoreTest, NothingIsStreamedWithoutLiveLightWhilePausedOrThroughAReceiver) {
    core->StepStatic();
    core->SetLiveLight(false);
    core->ShowLightFrame();
    EXPECT_EQ(listener.frames, 0);
    core->SetLiveLight(true);
    core->commandProtocol.previewPaused = true;
    core->ShowLightFrame();
    core->commandProtocol.previewPaused = false;
    core->commandProtocol.receiverMode = true;
    core->ShowLightFrame();
    EXPECT_EQ(listener.frames, 2);
    EXPECT_TRUE(Firmware().ReceivedFrames(kLiveColours).empty());
}

// The page may read the core while it paints a frame.
TEST_F(BaseCoreTest, FrameListenerMayCallBackIntoTheCore) {
    struct Reentrant : devices::IDeviceCoreListener {
        void OnLightFrame(std::span<const devices::LedColour>) override {
            seen = core->GetLedColour(0);
        }
        devices::CUsbDeviceCore* core = nullptr;
        std::uint32_t seen = 0;
    } reentrant;
    reentrant.core = core.get();
    core->SetListener(&reentrant);
    core->StepStatic();
    core->ShowLightFrame();
    EXPECT_EQ(reentrant.seen, devices::LedWord({200, 100, 2, 0x80}));
}

TEST_F(BaseCoreTest, LiveLightOnSendsCommand28OnlyForAKeyboard) {
    core->SetLiveLight(true);
    EXPECT_TRUE(Firmware().ReceivedFrames(28).empty());
    LedCore keyboard(hid::kKindKeyboard, rig->bus);
    ASSERT_TRUE(keyboard.OpenCommandInterface(rig->CommandPath(), false));
    keyboard.SetLiveLight(true);
    EXPECT_EQ(Firmware().ReceivedFrames(28).size(), 1u);
}

TEST_F(BaseCoreTest, LedEntriesOutOfRangeReadAsZero) {
    core->SetLedColour(1, 0x11223344);
    EXPECT_EQ(core->GetLedColour(1), 0x11223344u);
    EXPECT_EQ(core->GetLedColour(-1), 0u);
    EXPECT_EQ(core->GetLedColour(3), 0u);
    core->SetLedColour(3, 5);  // ignored
    core->SetLedCount(3);      // zeroes the entries
    EXPECT_EQ(core->GetLedColour(1), 0u);
}

TEST(FunctionPages, ByModeAndKind) {
    struct Case {
        int mode, kind, function, key;
    };
    for (const Case& c : {Case{3, 2, 1, -1}, Case{8, 2, 1, -1}, Case{4, 1, 3, -1},
                          Case{4, 2, 3, -1}, Case{4, 3, 0, 2}, Case{5, 2, 2, -1}, Case{6, 2, 0, 1},
                          Case{7, 2, 0, 2}, Case{1, 2, 0, 0}, Case{42, 7, 0, 0}}) {
        const devices::FunctionPages p = devices::FunctionPagesForMode(c.mode, c.kind);
        EXPECT_EQ(p.functionPage, c.function) << c.mode << "/" << c.kind;
        EXPECT_EQ(p.keyFunctionPage, c.key) << c.mode << "/" << c.kind;
    }
}

TEST(SlotRecord, ReplacesKindAndRole) {
    devices::CUsbDeviceCore core(2, std::make_shared<hid::CSimulatedHidBus>());
    hid::HidInterfaceId record;
    record.deviceKind = hid::kKindWirelessMouse;
    record.interfaceRole = hid::kRoleEvent;
    core.SetSlotRecord(record);
    EXPECT_EQ(core.GetDeviceKind(), hid::kKindWirelessMouse);
    EXPECT_EQ(core.GetInterfaceRole(), hid::kRoleEvent);
}

}  // namespace
}  // namespace devicetest
