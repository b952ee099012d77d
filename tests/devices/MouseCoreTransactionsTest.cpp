// The mouse core against the emulated mouse, frame by frame.
#include <json/json.h>

#include <algorithm>
#include <chrono>
#include <fstream>

#include "devices/core/MouseSettingsBlock.h"
#include "lighting/LightModel.h"
#include "profiles/JsonFile.h"
#include "protocol/FrameLayout.h"
#include "sim/FirmwareFaults.h"
#include "tests/devices/CoreFixture.h"

namespace devicetest {
namespace {

using devices::kButtonNotPresent;

constexpr std::uint8_t kBegin = 1, kEnd = 2, kInfo = 3, kReadSettings = 5, kWriteSettings = 6,
                       kReadKeys = 7, kWriteKeys = 9, kWriteMacros = 21, kLink = 0xAA;

std::vector<std::uint8_t> Only(const std::vector<std::uint8_t>& commands,
                               std::initializer_list<std::uint8_t> keep) {
    std::vector<std::uint8_t> out;
    for (std::uint8_t c : commands) {
        if (std::find(keep.begin(), keep.end(), c) != keep.end()) {
            out.push_back(c);
        }
    }
    return out;
}

TEST_F(MouseCoreTest, OpenDeviceReadsTheKeyTableThenTheSettingsOfTheCurrentProfile) {
    Firmware().EditMemory([](sim::FirmwareMemory& m) { m.settings[0] = 2; });
    core->OpenDevice();
    const auto frames = Firmware().ReceivedFrames();
    std::vector<std::uint8_t> commands;
    for (const auto& f : frames) {
        commands.push_back(f[3]);
    }
    // begin, info, the key table (48 bytes: one frame), end, then the profile byte and the
    // 53-byte block of profile 2.
    const std::vector<std::uint8_t> expected = {kBegin, kInfo,         kReadKeys,
                                                kEnd,   kReadSettings, kReadSettings};
    ASSERT_EQ(commands, expected);
    EXPECT_EQ(protocol::FrameLength(frames[4].data()), 1);
    EXPECT_EQ(protocol::FrameDataOffset(frames[4].data()), 0);
    EXPECT_EQ(protocol::FrameLength(frames[5].data()), 53);
    EXPECT_EQ(protocol::FrameDataOffset(frames[5].data()), 2 * 128);

    // Factory slots: left, right, middle, back, forward, DPI cycle, tilt, DPI up, DPI down,
    // DPI shift, key A, game mode.
    const devices::ButtonMap expectedMap = {0, 1, 2, 4, 3, 7, 8, 5, 11, 9};
    EXPECT_EQ(core->GetButtonMap(), expectedMap);
    EXPECT_EQ(core->GetDeviceState().profile, 2);
    EXPECT_EQ(core->GetDeviceState().activeStage, 1 + 2 % 3);
    EXPECT_EQ(core->GetDeviceState().reportRate, 4);
    EXPECT_EQ(core->Profile().GetActiveDpiStage(), 3);
    const devices::DpiLimits limits = core->GetDpiLimits();
    EXPECT_EQ(limits.sliderMin, 2);
    EXPECT_EQ(limits.sliderMax, sim::kMouseMaxDpiSlider);
    EXPECT_EQ(limits.editMax, sim::kMouseMaxDpiSlider * sim::kMouseDpiStep);
    EXPECT_GE(listener.infoReads, 1);
    EXPECT_GE(listener.refreshes, 1);
    EXPECT_TRUE(core->PreviewRunning());
}

// The emulator out of the box is a state a real mouse reports: every profile's settings read in
// the ranges the program offers, and writing an untouched profile sends them back as they were.
TEST_F(MouseCoreTest, FactorySettingsOfEveryProfileAreInTheRangesTheProgramOffers) {
    const auto factory = Firmware().Memory().settings;
    core->OpenDevice();
    const devices::DpiLimits limits = core->GetDpiLimits();
    const int maxLevel = lighting::MaxLightLevel(lighting::DeviceNumber::Mouse);
    for (std::size_t p = 0; p < sim::kMouseProfiles; ++p) {
        SCOPED_TRACE(p);
        Firmware().EditMemory(
            [p](sim::FirmwareMemory& m) { m.settings[0] = static_cast<std::uint8_t>(p); });
        ASSERT_EQ(core->ReadSettings(), 1);
        const devices::MouseDeviceState& state = core->GetDeviceState();
        EXPECT_LT(int{state.lightEffect},
                  lighting::BuiltInEffectCount(lighting::DeviceNumber::Mouse));
        EXPECT_LE(int{state.brightness}, maxLevel);
        EXPECT_LE(int{state.speedIndex}, maxLevel);
        EXPECT_LE(int{state.multiColor}, 1);
        EXPECT_LT(int{state.reportRate}, devices::kMouseReportRateCount);
        EXPECT_LT(int{state.activeStage}, devices::kMouseDpiStageCount);
        const std::uint8_t* slot = factory.data() + p * 128;
        EXPECT_LE(int{slot[4]}, 1);  // direction
        for (int stage = 0; stage < devices::kMouseDpiStageCount; ++stage) {
            const int dpi = slot[16 + 2 * stage] | slot[17 + 2 * stage] << 8;
            EXPECT_GE(dpi, limits.sliderMin) << stage;
            EXPECT_LE(dpi, limits.sliderMax) << stage;
        }
    }

    // Profile 0 read and written back untouched: the light setting, report rate and active
    // stage the mouse holds come back unchanged.
    Firmware().EditMemory([](sim::FirmwareMemory& m) { m.settings[0] = 0; });
    ASSERT_EQ(core->ReadSettings(), 1);
    ASSERT_EQ(core->WriteSettings(0, 0, 1, 2560, 1440), 1);
    const auto written = Firmware().Memory().settings;
    for (std::size_t byte : {1, 2, 3, 5, 6, 7, 8, 14, 24}) {
        EXPECT_EQ(int{written[byte]}, int{factory[byte]}) << "byte " << byte;
    }
}

TEST_F(MouseCoreTest, DpiChangeOfStageTwoIsSavedThenWrittenAsFiftySevenBytes) {
    OpenDevice();
    ASSERT_EQ(core->SetStageDpi(2, 77), 1);

    const Json::Value file = CJsonFile().readjsonValue(core->GetProfileFile());
    EXPECT_EQ(file["Device"][0]["DPIStages"]["StageDPIs"][2]["StageDPIX"].asInt(), 77);

    const auto frames = Firmware().ReceivedFrames();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0][3], kBegin);
    EXPECT_EQ(frames[1][3], kWriteSettings);
    EXPECT_EQ(protocol::FrameLength(frames[1].data()), 56);
    EXPECT_EQ(protocol::FrameDataOffset(frames[1].data()), 0);
    EXPECT_EQ(frames[2][3], kWriteSettings);
    EXPECT_EQ(protocol::FrameLength(frames[2].data()), 1);
    EXPECT_EQ(protocol::FrameDataOffset(frames[2].data()), 56);
    EXPECT_EQ(frames[3][3], kEnd);

    const auto settings = Firmware().Memory().settings;
    EXPECT_EQ(settings[20], 77);
    EXPECT_EQ(settings[21], 0);
    EXPECT_EQ(settings[25], 2560 >> 8);
    EXPECT_EQ(settings[26], 1440 & 0xFF);
}

TEST_F(MouseCoreTest, ReportRateGoesToByteFourteenAndIndexFiveSelectsOptionZero) {
    OpenDevice();
    ASSERT_EQ(core->SetReportRate(2), 1);
    EXPECT_EQ(Firmware().Memory().settings[14], 2);
    EXPECT_EQ(core->GetReportRateOption(), 2);
    ASSERT_EQ(core->SetReportRate(5), 1);
    EXPECT_EQ(Firmware().Memory().settings[14], 0);
    EXPECT_EQ(core->GetReportRateOption(), 0);
}

TEST_F(MouseCoreTest, KeyTableWritePutsEachMappedButtonInItsSlotOnly) {
    OpenDevice();
    const auto before = Firmware().Memory().keyTable;
    std::vector<KeyListEntry> keys(10);
    for (std::size_t j = 0; j < keys.size(); ++j) {
        keys[j].assignment = {0x20, 0x00, static_cast<std::uint8_t>(0x04 + j)};
    }
    ASSERT_EQ(core->WriteKeyTable(0, keys), 1);
    const auto after = Firmware().Memory().keyTable;
    const devices::ButtonMap& map = core->GetButtonMap();
    std::vector<bool> mapped(after.size() / 3, false);
    for (std::size_t j = 0; j < 10; ++j) {
        const std::size_t slot = map[j];
        mapped[slot] = true;
        EXPECT_TRUE(std::equal(keys[j].assignment.begin(), keys[j].assignment.end(),
                               after.begin() + 3 * slot))
            << "button " << j;
    }
    for (std::size_t slot = 0; slot < mapped.size(); ++slot) {
        if (!mapped[slot]) {
            EXPECT_TRUE(std::equal(before.begin() + 3 * slot, before.begin() + 3 * slot + 3,
                                   after.begin() + 3 * slot))
                << "slot " << slot;
        }
    }
    EXPECT_EQ(Only(Commands(), {kBegin, kWriteKeys, kEnd}),
              (std::vector<std::uint8_t>{kBegin, kWriteKeys, kEnd}));
}

TEST_F(MouseCoreTest, ButtonMissingFromTheKeyTableIsNeverWritten) {
    sim::FirmwareConfig config = sim::MouseFirmwareConfig();
    // No game mode code in any slot.
    std::fill_n(config.keyTable.begin() + 3 * 11, 3, 0);
    Start(config, false);
    OpenDevice();
    EXPECT_EQ(core->GetButtonMap()[8], kButtonNotPresent);
    std::vector<KeyListEntry> keys(10);
    keys[8].assignment = {0x20, 0x00, 0x2C};
    ASSERT_EQ(core->WriteKeyTable(0, keys), 1);
    const auto table = Firmware().Memory().keyTable;
    for (std::size_t slot = 0; slot < table.size() / 3; ++slot) {
        EXPECT_FALSE(table[3 * slot] == 0x20 && table[3 * slot + 2] == 0x2C) << slot;
    }
}

TEST_F(MouseCoreTest, KeyTableIsNotWrittenBeforeItWasRead) {
    std::vector<KeyListEntry> keys(10);
    EXPECT_EQ(core->WriteKeyTable(0, keys), 0);
    EXPECT_TRUE(Firmware().ReceivedFrames(kWriteKeys).empty());
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A macro list of `counts.size()` macros with the given event counts.
void WriteMacros(const std::string& folder, const std::vector<int>& counts) {
    Json::Value list;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const std::string guid = "m" + std::to_string(i);
        Json::Value entry;
        entry["MacroName"] = "macro_" + std::to_string(i + 1);
        entry["Guid"] = guid;
        list["MacroInfo"].append(entry);
        Json::Value doc;
        doc["Events"] = Json::Value(Json::arrayValue);
        for (int e = 0; e < counts[i]; ++e) {
            Json::Value ev;
            ev["Action"] = e % 2 ? "up" : "down";
            ev["Button"] = 4;
            ev["Type"] = 10;
            ev["Delay"] = "10";
            doc["Events"].append(ev);
        }
        ASSERT_TRUE(CJsonFile().writejsonFile(folder + guid + ".mac", doc));
    }
    ASSERT_TRUE(CJsonFile().writejsonFile(folder + "macro.config", list));
}

TEST_F(MouseCoreTest, DownloadMacrosResults) {
    sim::FirmwareConfig config = sim::MouseFirmwareConfig();
    config.deviceInfo[sim::kInfoMacroUnits] = 1;  // 128 bytes
    Start(config, false);
    OpenDevice();
    const std::string folder = core->DataFolder();

    // No list file, then a list without macros: nothing to send.
    EXPECT_EQ(core->DownloadMacros(), 0);
    WriteText(folder + "macro.config", "{\"MacroInfo\": []}");
    EXPECT_EQ(core->DownloadMacros(), 0);
    EXPECT_TRUE(Firmware().ReceivedFrames(kWriteMacros).empty());

    // 16 + 6 × 2 + 4 × 26 = 132: four bytes over 128, one event and one more must go.
    WriteMacros(folder, {20, 6});
    EXPECT_EQ(core->DownloadMacros(), 2);
    EXPECT_TRUE(Firmware().ReceivedFrames(kWriteMacros).empty());

    // 128 exactly fits and is sent inside a session.
    WriteMacros(folder, {20, 5});
    Firmware().ClearLog();
    EXPECT_EQ(core->DownloadMacros(), 0);
    EXPECT_EQ(Only(Commands(), {kBegin, kWriteMacros, kEnd}).front(), kBegin);
    EXPECT_EQ(Only(Commands(), {kBegin, kWriteMacros, kEnd}).back(), kEnd);
    const auto image = Firmware().Memory().macros;
    (void)image;

    // A refused write.
    sim::Fault fault;
    fault.kind = sim::FaultKind::Status;
    fault.command = kWriteMacros;
    Firmware().InjectFault(fault);
    EXPECT_EQ(core->DownloadMacros(), -1);
}

// What the core knows of the device's macro area: the image it sent whole over this connection.
TEST_F(MouseCoreTest, TheMacroImageIsCurrentOnlyWhileTheSentOneMatchesTheFiles) {
    OpenDevice();
    const std::string folder = core->DataFolder();
    EXPECT_TRUE(core->MacroImageIsCurrent());  // no macros: nothing the device could lack
    WriteMacros(folder, {3});
    EXPECT_FALSE(core->MacroImageIsCurrent());  // never sent
    ASSERT_EQ(core->DownloadMacros(), 0);
    EXPECT_TRUE(core->MacroImageIsCurrent());

    WriteMacros(folder, {3, 2});  // a macro added on disk
    EXPECT_FALSE(core->MacroImageIsCurrent());
    ASSERT_EQ(core->DownloadMacros(), 0);
    EXPECT_TRUE(core->MacroImageIsCurrent());

    // A device plugged in again may hold anything.
    core->CloseCommandInterface();
    ASSERT_TRUE(core->OpenCommandInterface(rig->CommandPath(), false));
    EXPECT_FALSE(core->MacroImageIsCurrent());
    ASSERT_EQ(core->DownloadMacros(), 0);

    // A transfer refused half-way leaves the area unknown, even for the same image.
    sim::Fault fault;
    fault.kind = sim::FaultKind::Status;
    fault.command = kWriteMacros;
    Firmware().InjectFault(fault);
    EXPECT_EQ(core->DownloadMacros(), -1);
    EXPECT_FALSE(core->MacroImageIsCurrent());
}

TEST_F(MouseCoreTest, ReceiverWithTheMouseSwitchedOffSendsNoSession) {
    sim::FirmwareConfig config = sim::MouseFirmwareConfig();
    config.receiverLinkUp = false;
    Start(config, true);
    core->OpenDevice();
    EXPECT_EQ(core->WriteSettings(0, 0, 1, 1920, 1080), 0);
    EXPECT_EQ(core->DownloadMacros(), -1);
    EXPECT_EQ(core->WriteKeys(0), 0);
    EXPECT_EQ(core->ReadSettings(), 0);
    core->DownloadShootData();
    const auto commands = Commands();
    EXPECT_FALSE(commands.empty());
    EXPECT_TRUE(
        std::all_of(commands.begin(), commands.end(), [](std::uint8_t c) { return c == kLink; }));
}

TEST_F(MouseCoreTest, ReceiverModeChecksTheLinkBeforeEachStepAndInvertsTheSpeed) {
    Start(sim::MouseFirmwareConfig(), true);
    OpenDevice();
    LightInfoRecord light = core->Profile().GetLightInfo();
    light.speed = 1;
    core->Profile().SetLightInfo(light);
    ASSERT_EQ(core->WriteSettings(0, 0, 1, 1920, 1080), 1);
    // link, begin, link, two frames, link, end
    EXPECT_EQ(Commands(), (std::vector<std::uint8_t>{kLink, kBegin, kLink, kWriteSettings,
                                                     kWriteSettings, kLink, kEnd}));
    EXPECT_EQ(Firmware().Memory().settings[3], 4);
    // Read back through the receiver: the same speed again.
    ASSERT_EQ(core->ReadSettings(), 1);
    EXPECT_EQ(core->GetLightSettings().speed, 1);
}

TEST_F(MouseCoreTest, SpeedSurvivesAWriteAndReadOverTheCable) {
    OpenDevice();
    LightInfoRecord light = core->Profile().GetLightInfo();
    light.speed = 1;
    core->Profile().SetLightInfo(light);
    ASSERT_EQ(core->WriteSettings(0, 0, 1, 1920, 1080), 1);
    EXPECT_EQ(Firmware().Memory().settings[3], 1);
    ASSERT_EQ(core->ReadSettings(), 1);
    EXPECT_EQ(core->GetLightSettings().speed, 1);
    EXPECT_EQ(core->Profile().GetLightInfo().speed, 1);
}

TEST_F(MouseCoreTest, FailedReadKeepsStateAndProfile) {
    OpenDevice();
    const devices::MouseDeviceState before = core->GetDeviceState();
    sim::Fault fault;
    fault.kind = sim::FaultKind::Status;
    fault.command = kReadSettings;
    fault.skip = 1;  // the profile byte is read, the block fails
    Firmware().InjectFault(fault);
    Firmware().EditMemory([](sim::FirmwareMemory& m) { m.settings[24] = 3; });
    EXPECT_EQ(core->ReadSettings(), 0);
    EXPECT_EQ(core->GetDeviceState(), before);
}

TEST_F(MouseCoreTest, MouseVanishingMidWriteFailsCleanlyAndKeepsTheProfile) {
    OpenDevice();
    sim::Fault fault;
    fault.kind = sim::FaultKind::Unplug;
    fault.command = kWriteSettings;
    fault.skip = 1;  // the first of the two frames arrives
    Firmware().InjectFault(fault);
    EXPECT_EQ(core->SetStageDpi(0, 40), 0);
    // Saved before the write, as the order of operations asks.
    const Json::Value file = CJsonFile().readjsonValue(core->GetProfileFile());
    EXPECT_EQ(file["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt(), 40);
    const devices::MouseDeviceState before = core->GetDeviceState();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(core->ReadSettings(), 0);
    EXPECT_EQ(core->WriteKeys(0), 0);
    EXPECT_EQ(core->DownloadMacros(), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(core->GetDeviceState(), before);
}

TEST_F(MouseCoreTest, StatusIsReportedWithTheWirelessMark) {
    OpenDevice();
    core->RefreshStatus();
    EXPECT_EQ(listener.status[0], 100);
    EXPECT_EQ(listener.status[3], 0);
    ASSERT_EQ(listener.messages.size(), 1u);
    EXPECT_EQ(listener.messages[0].first, 0xD01);
}

TEST_F(MouseCoreTest, ShootImageIsWrittenWithFourRecords) {
    OpenDevice();
    core->DownloadShootData();
    const auto shoot = Firmware().ReceivedFrames(23);
    ASSERT_FALSE(shoot.empty());
    // magic AA 55, then the record count 4 at bytes 4-5 of the image
    EXPECT_EQ(shoot[0][8], 0xAA);
    EXPECT_EQ(shoot[0][9], 0x55);
    EXPECT_EQ(shoot[0][12], 4);
    EXPECT_TRUE(Firmware().Problems().empty());
}

}  // namespace
}  // namespace devicetest
