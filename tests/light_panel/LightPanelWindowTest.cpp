// The light panel in the assembled main window over the emulated mouse: its controls reach the
// handlers through the window's routing, every change is stored in the profile file and written
// to the mouse, and the paused preview of light synchronisation is cleared where it should be.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <array>
#include <functional>
#include <string>

#include "app/routing/PageRouting.h"
#include "devices/core/MouseDeviceCore.h"
#include "devices/page/ZelvaneUSBDevice.h"
#include "lighting/panel/LightControlUI.h"
#include "profiles/JsonFile.h"
#include "tests/support/ui/MainWindowTest.h"
#include "ui/ColorPalette.h"
#include "ui/ControlLookup.h"
#include "ui/ControlState.h"
#include "ui/TabLayout.h"

namespace {

using lightpanel::CLightControlUI;

// A settings write is two frames (56 and 1 data bytes).
constexpr std::size_t kFramesPerWrite = 2;

// Bytes 1 to 8 of the settings block: effect, brightness, speed, direction, multicolour, RGB.
using DeviceLight = std::array<int, 8>;

class LightPanelWindowTest : public testsupport::MainWindowTest {
public:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        QTest::mouseClick(window_->FindControl<QAbstractButton>(QStringLiteral("deng_Op_tab")),
                          Qt::LeftButton);
        ASSERT_NE(Panel(), nullptr);
    }

    CLightControlUI* Panel() const {
        CZelvaneUSBDevice* page = routing::CurrentPage(*switcher_);
        return page != nullptr ? page->LightPanel() : nullptr;
    }
    devices::CMouseDeviceCore& Mouse() const {
        return dynamic_cast<devices::CMouseDeviceCore&>(switcher_->CurrentDevice()->Core());
    }
    template <class T = QWidget>
    T* Control(const char* name) const {
        T* control = ui::FindControlAs<T>(Panel(), QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void SetPaused(bool on) const { Mouse().commandProtocol.previewPaused = on; }
    bool IsPaused() const { return Mouse().commandProtocol.previewPaused.load(); }

    DeviceLight OnDevice() const {
        const std::vector<std::uint8_t> settings = rig_->mouse->Firmware().Memory().settings;
        DeviceLight light{};
        for (std::size_t i = 0; i < light.size(); ++i) {
            light[i] = settings.at(i + 1);
        }
        return light;
    }
    // The light setting as the profile file on disk holds it.
    LightInfoRecord InProfileFile() const {
        const Json::Value doc = CJsonFile().readjsonValue(Mouse().GetProfileFile());
        const Json::Value& info = doc["Device"][0]["LightInfo"];
        LightInfoRecord r;
        r.selectItem = static_cast<std::uint8_t>(info["SelectItem"].asInt());
        r.light = static_cast<std::uint8_t>(info["Light"].asInt());
        r.speed = static_cast<std::uint8_t>(info["Speed"].asInt());
        r.fx = static_cast<std::uint8_t>(info["Fx"].asInt());
        r.multiColor = static_cast<std::uint8_t>(info["MultiColor"].asInt());
        r.red = static_cast<std::uint8_t>(info["Red"].asInt());
        r.green = static_cast<std::uint8_t>(info["Green"].asInt());
        r.blue = static_cast<std::uint8_t>(info["Blue"].asInt());
        return r;
    }
    static DeviceLight AsDevice(const LightInfoRecord& r) {
        return {r.selectItem, r.light, r.speed, r.fx, r.multiColor, r.red, r.green, r.blue};
    }
    // The setting from code, as a profile switch would show it (nothing is written).
    void Show(LightInfoRecord r) {
        Mouse().SetLightSettings(r.WordA(), r.WordB(), r.WordC());
        Panel()->ShowLightSettings(r);
    }
    void ChooseEffect(int n) {
        auto* list = Control<QComboBox>("light_combo_modeSelect");
        list->setCurrentIndex(n);
        Q_EMIT list->activated(n);
    }
    void LeaveEdit(const char* name, const QString& text) {
        auto* edit = Control<QLineEdit>(name);
        edit->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
        QApplication::sendEvent(edit, &out);
    }
    std::size_t SettingsWrites() const { return Frames(protocol::Command::WriteSettings); }
    bool Enabled(const char* name) const { return Control(name)->isEnabled(); }
    bool Shown(const char* name) const { return !Control(name)->isHidden(); }
};

TEST_F(LightPanelWindowTest, TheEffectListHoldsTheMouseEffectsAndShowsTheDeviceSetting) {
    auto* list = Control<QComboBox>("light_combo_modeSelect");
    ASSERT_EQ(list->count(), 9);
    EXPECT_EQ(list->itemData(8).toString(), QStringLiteral("light_effect_off"));
    EXPECT_EQ(list->itemText(8), QStringLiteral("Off"));  // shown translated
    EXPECT_EQ(Control<QAbstractSlider>("deng_light_slider")->maximum(), 4);
    EXPECT_EQ(Control<QAbstractSlider>("deng_speed_slider")->maximum(), 4);

    LightInfoRecord r;
    r.selectItem = 2;
    r.light = 3;
    r.speed = 1;
    r.fx = 1;
    r.red = 10;
    r.green = 20;
    r.blue = 30;
    Show(r);
    EXPECT_EQ(list->currentIndex(), 2);
    EXPECT_EQ(Control<QAbstractSlider>("deng_light_slider")->value(), 3);
    EXPECT_EQ(Control<QAbstractSlider>("deng_speed_slider")->value(), 1);
    EXPECT_TRUE(Control<QAbstractButton>("deng_FXL_check")->isChecked());
    EXPECT_FALSE(Control<QAbstractButton>("deng_FXR_check")->isChecked());
    EXPECT_EQ(Control<QLineEdit>("deng_edit_G")->text(), QStringLiteral("20"));
    EXPECT_EQ(Panel()->GetPaletteColour(), 0xFF0A141Eu);
}

TEST_F(LightPanelWindowTest, HiddenEffectsKeepTheirNumbers) {
    Panel()->FillEffectList({"light_effect_spectrum", "light_effect_user", "light_effect_off"},
                            {1, 0, 1}, 4, 4);
    auto* list = Control<QComboBox>("light_combo_modeSelect");
    ASSERT_EQ(list->count(), 3);
    auto* view = qobject_cast<QListView*>(list->view());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isRowHidden(1));
    EXPECT_FALSE(view->isRowHidden(2));
    ChooseEffect(2);
    EXPECT_EQ(Mouse().GetLightSettings().selectItem, 2);
}

TEST_F(LightPanelWindowTest, ChoosingMouseSteadyStoresWritesAndEnablesBrightnessAndColourOnly) {
    SetPaused(true);
    const std::size_t writes = SettingsWrites();
    ChooseEffect(3);
    EXPECT_FALSE(IsPaused());
    EXPECT_GT(SettingsWrites(), writes);
    EXPECT_EQ(Mouse().GetLightSettings().selectItem, 3);
    EXPECT_EQ(InProfileFile().selectItem, 3);
    EXPECT_EQ(OnDevice()[0], 3);

    EXPECT_TRUE(Enabled("deng_light_layout"));
    EXPECT_TRUE(Enabled("deng_color_layout"));
    EXPECT_TRUE(Enabled("colorpallet_layout"));
    EXPECT_TRUE(Enabled("deng_rgb_layout"));
    EXPECT_FALSE(Enabled("deng_7color_check"));
    EXPECT_FALSE(Enabled("deng_speed_layout"));
    EXPECT_FALSE(Enabled("deng_fx_layout"));
    EXPECT_TRUE(Enabled("lighteffect_layout"));

    ChooseEffect(0);  // spectrum uses everything again
    for (const char* name : {"deng_7color_check", "deng_speed_layout", "deng_fx_layout",
                             "deng_light_layout", "deng_color_layout"}) {
        EXPECT_TRUE(Enabled(name)) << name;
    }
    // The keyboard's parts stay out of the mouse's panel.
    for (const char* name : {"lightcustom_layout", "light_combo_custommodeSelectLayout",
                             "light_combo_ZZCCmodeSelectLayout"}) {
        EXPECT_FALSE(Shown(name)) << name;
    }
}

TEST_F(LightPanelWindowTest, TypedColourValuesAreLimitedStoredAndWritten) {
    LightInfoRecord r;
    r.selectItem = 3;
    r.multiColor = 1;
    r.red = 10;
    r.green = 20;
    r.blue = 30;
    Show(r);
    ASSERT_TRUE(Control<QAbstractButton>("deng_7color_check")->isChecked());
    SetPaused(true);

    LeaveEdit("deng_edit_G", QStringLiteral("300"));
    EXPECT_EQ(Control<QLineEdit>("deng_edit_G")->text(), QStringLiteral("255"));
    EXPECT_FALSE(IsPaused());
    EXPECT_FALSE(Control<QAbstractButton>("deng_7color_check")->isChecked());
    EXPECT_EQ(Panel()->GetPaletteColour(), 0xFF0AFF1Eu);
    const LightInfoRecord stored = Mouse().GetLightSettings();
    EXPECT_EQ(stored.green, 255);
    EXPECT_EQ(stored.multiColor, 0);
    EXPECT_EQ(AsDevice(InProfileFile()), AsDevice(stored));
    EXPECT_EQ(OnDevice(), AsDevice(stored));

    struct Typed {
        const char* edit;
        const char* text;
        const char* shown;
        int red, green, blue;
    };
    constexpr Typed typed[] = {
        {"deng_edit_R", "", "0", 0, 255, 30},
        {"deng_edit_B", "-5", "0", 0, 255, 0},  // no wrap-round to 251
        {"deng_edit_R", "128", "128", 128, 255, 0},
        {"deng_edit_B", "x", "0", 128, 255, 0},
    };
    for (const Typed& t : typed) {
        LeaveEdit(t.edit, QString::fromLatin1(t.text));
        EXPECT_EQ(Control<QLineEdit>(t.edit)->text(), QString::fromLatin1(t.shown)) << t.text;
        const DeviceLight device = OnDevice();
        EXPECT_EQ(device[5], t.red) << t.edit << " " << t.text;
        EXPECT_EQ(device[6], t.green) << t.edit << " " << t.text;
        EXPECT_EQ(device[7], t.blue) << t.edit << " " << t.text;
    }
}

// Each control changes one field of the setting, in the profile file and on the mouse; all but
// the preset colours take the mouse out of light synchronisation.
TEST_F(LightPanelWindowTest, EveryHandlerStoresWritesAndClearsThePauseAsItShould) {
    struct Step {
        const char* what;
        std::function<void(LightPanelWindowTest&)> act;
        std::function<bool(const LightInfoRecord&)> stored;
        bool clearsPause;
    };
    const Step steps[] = {
        {"brightness down",
         [](LightPanelWindowTest& t) {
             QTest::keyClick(t.Control("deng_light_slider"), Qt::Key_Left);
         },
         [](const LightInfoRecord& r) { return r.light == 3; }, true},
        {"speed up",
         [](LightPanelWindowTest& t) {
             QTest::keyClick(t.Control("deng_speed_slider"), Qt::Key_Right);
         },
         [](const LightInfoRecord& r) { return r.speed == 3; }, true},
        {"left",
         [](LightPanelWindowTest& t) {
             QTest::mouseClick(t.Control<QAbstractButton>("deng_FXL_check"), Qt::LeftButton);
         },
         [](const LightInfoRecord& r) { return r.fx == 1; }, true},
        {"right",
         [](LightPanelWindowTest& t) {
             QTest::mouseClick(t.Control<QAbstractButton>("deng_FXR_check"), Qt::LeftButton);
         },
         [](const LightInfoRecord& r) { return r.fx == 0; }, true},
        {"multicolour on",
         [](LightPanelWindowTest& t) {
             QTest::mouseClick(t.Control<QAbstractButton>("deng_7color_check"), Qt::LeftButton);
         },
         [](const LightInfoRecord& r) { return r.multiColor == 1; }, true},
        {"multicolour off",
         [](LightPanelWindowTest& t) {
             QTest::mouseClick(t.Control<QAbstractButton>("deng_7color_check"), Qt::LeftButton);
         },
         [](const LightInfoRecord& r) { return r.multiColor == 0; }, true},
        {"preset colour 0",
         [](LightPanelWindowTest& t) {
             QTest::mouseClick(t.Control<QAbstractButton>("color_option_0"), Qt::LeftButton);
         },
         [](const LightInfoRecord& r) {
             return r.red == 0xFF && r.green == 0x3B && r.blue == 0x3B && r.multiColor == 0;
         },
         false},
        {"palette",
         [](LightPanelWindowTest& t) {
             auto* palette = t.Control<ui::ColorPalette>("deng_Color_Pallet");
             const QPoint at(palette->width() / 3, palette->height() / 4);
             QTest::mousePress(palette, Qt::LeftButton, {}, at);
             QTest::mouseRelease(palette, Qt::LeftButton, {}, at);
         },
         [](const LightInfoRecord& r) {
             return r.multiColor == 0 && r.red != 0xFF;  // moved away from the preset's red
         },
         true},
    };
    // Spectrum (effect 0) uses every parameter.
    LightInfoRecord start;
    start.selectItem = 0;
    start.light = 4;
    start.speed = 2;
    Show(start);
    for (const Step& step : steps) {
        SetPaused(true);
        const std::size_t writes = SettingsWrites();
        step.act(*this);
        const LightInfoRecord stored = Mouse().GetLightSettings();
        EXPECT_TRUE(step.stored(stored)) << step.what;
        EXPECT_EQ(AsDevice(InProfileFile()), AsDevice(stored)) << step.what;
        EXPECT_GT(SettingsWrites(), writes) << step.what;
        EXPECT_EQ(OnDevice(), AsDevice(stored)) << step.what;
        EXPECT_EQ(IsPaused(), !step.clearsPause) << step.what;
    }
    // The palette's choice shows in the edits and the swatch.
    const LightInfoRecord last = Mouse().GetLightSettings();
    EXPECT_EQ(Control<QLineEdit>("deng_edit_R")->text(), QString::number(last.red));
    EXPECT_EQ(Panel()->GetPaletteColour(),
              0xFF000000u | (last.red << 16) | (last.green << 8) | last.blue);
}

TEST_F(LightPanelWindowTest, ShowingADifferentMulticolourAppliesTheSettingOnceMore) {
    LightInfoRecord r;
    r.selectItem = 0;
    r.multiColor = 0;
    Show(r);
    const std::size_t frames = SettingsWrites();
    r.multiColor = 1;
    Show(r);
    EXPECT_EQ(SettingsWrites(), frames + kFramesPerWrite);
    EXPECT_EQ(OnDevice()[4], 1);
    Show(r);  // unchanged: nothing more
    EXPECT_EQ(SettingsWrites(), frames + kFramesPerWrite);
}

TEST_F(LightPanelWindowTest, TheSameModeButtonNeedsASecondListedDevice) {
    QWidget* same = Control("deng_same_mode");
    ChooseEffect(2);                // breathing: synchronisation can carry it
    EXPECT_TRUE(same->isHidden());  // one device only

    // Device switching tells every page whether more than one device is listed.
    switcher_->CurrentDevice()->SetSameModeOffered(true);
    EXPECT_TRUE(Panel()->SameModeAllowed());
    EXPECT_FALSE(same->isHidden());
    ChooseEffect(0);  // spectrum: not carried
    EXPECT_TRUE(same->isHidden());
    for (int effect : {1, 3, 4, 8}) {
        ChooseEffect(effect);
        EXPECT_FALSE(same->isHidden()) << effect;
    }
    for (int effect : {5, 6, 7}) {
        ChooseEffect(effect);
        EXPECT_TRUE(same->isHidden()) << effect;
    }

    // Showing the entries again with the mouse alone withdraws it and ends synchronisation.
    ChooseEffect(2);
    SetPaused(true);
    std::size_t mouse = 0;
    while (switcher_->Device(mouse) != switcher_->CurrentDevice()) {
        ++mouse;
    }
    switcher_->ShowDeviceEntry(mouse, true, false);
    EXPECT_FALSE(Panel()->SameModeAllowed());
    EXPECT_TRUE(same->isHidden());
    EXPECT_FALSE(IsPaused());
}

TEST_F(LightPanelWindowTest, ThePictureBesideThePanelFollowsTheLightAndKeysTabs) {
    auto* pictures =
        window_->FindControl<ui::TabLayout>(QStringLiteral("mouse_device_seting_layout"));
    ASSERT_NE(pictures, nullptr);
    auto option = [this](int n) {
        return window_
            ->FindControl<QAbstractButton>(QStringLiteral("mouse_device_seting_option_") +
                                           QString::number(n))
            ->isChecked();
    };
    EXPECT_EQ(pictures->CurrentSel(), 1);  // the light tab shows the lights
    EXPECT_TRUE(option(1));
    QTest::mouseClick(window_->FindControl<QAbstractButton>(QStringLiteral("key_Op_tab")),
                      Qt::LeftButton);
    EXPECT_EQ(pictures->CurrentSel(), 0);
    EXPECT_TRUE(option(0));
    EXPECT_FALSE(option(1));
    QTest::mouseClick(window_->FindControl<QAbstractButton>(QStringLiteral("deng_Op_tab")),
                      Qt::LeftButton);
    EXPECT_EQ(pictures->CurrentSel(), 1);
    EXPECT_TRUE(option(1));
}

// The panel carries every kind; the keyboard's own parts appear with the effects that use them.
TEST_F(LightPanelWindowTest, KeyboardCustomColoursTakeTheRoomOfSpeedAndDirection) {
    CLightControlUI* panel = Panel();
    panel->SetDeviceKind(1);
    panel->SetSameModeAllowed(true);
    panel->UpdateLayout(1, 20);
    EXPECT_FALSE(Shown("deng_speed_layout"));
    EXPECT_FALSE(Shown("deng_fx_layout"));
    EXPECT_TRUE(Shown("lightcustom_layout"));
    EXPECT_TRUE(Shown("light_combo_custommodeSelectLayout"));
    EXPECT_TRUE(Enabled("deng_rgb_layout"));
    EXPECT_TRUE(Control("deng_same_mode")->isHidden());

    panel->UpdateLayout(1, 17);
    EXPECT_FALSE(Shown("deng_speed_layout"));
    EXPECT_TRUE(Shown("deng_fx_layout"));
    EXPECT_FALSE(Shown("lightcustom_layout"));
    EXPECT_TRUE(Shown("light_combo_ZZCCmodeSelectLayout"));

    for (int effect : {4, 5, 6, 24, 26}) {
        panel->UpdateLayout(1, effect);
        EXPECT_TRUE(Shown("deng_speed_layout")) << effect;
        EXPECT_FALSE(Shown("lightcustom_layout")) << effect;
        EXPECT_FALSE(Shown("light_combo_custommodeSelectLayout")) << effect;
        EXPECT_FALSE(Shown("light_combo_ZZCCmodeSelectLayout")) << effect;
        EXPECT_FALSE(Control("deng_same_mode")->isHidden()) << effect;
    }
    // Before the kind is known, nothing changes.
    panel->SetDeviceKind(0);
    panel->UpdateLayout(0, 20);
    EXPECT_FALSE(Shown("lightcustom_layout"));
}

// A mouse that refuses a write loses nothing: the profile keeps the change and the next change
// brings the mouse up to date.
TEST_F(LightPanelWindowTest, ARefusedWriteKeepsTheChangeForTheNextOne) {
    LightInfoRecord start;
    start.light = 4;
    start.speed = 2;
    Show(start);
    sim::Fault refuse;
    refuse.kind = sim::FaultKind::Status;
    refuse.status = 0xFF;
    refuse.command = static_cast<std::uint8_t>(protocol::Command::WriteSettings);
    rig_->mouse->Firmware().InjectFault(refuse);
    const DeviceLight before = OnDevice();

    QTest::keyClick(Control("deng_light_slider"), Qt::Key_Left);
    EXPECT_EQ(InProfileFile().light, 3);
    EXPECT_EQ(Control<QAbstractSlider>("deng_light_slider")->value(), 3);
    EXPECT_EQ(OnDevice(), before);

    QTest::keyClick(Control("deng_speed_slider"), Qt::Key_Right);
    EXPECT_EQ(OnDevice()[1], 3);
    EXPECT_EQ(OnDevice()[2], 3);
    EXPECT_EQ(AsDevice(InProfileFile()), OnDevice());
}

// Light synchronisation shows the setting again on every page; a hidden page's panel whose
// multicolour option changes must not apply anything to the current device.
TEST_F(LightPanelWindowTest, ControlsOutsideTheCurrentPanelDoNotActOnTheDevice) {
    auto* stray = new QCheckBox(window_.get());
    stray->setObjectName(QStringLiteral("deng_7color_check"));
    const bool before = Panel()->GetMultiColour();
    const std::size_t frames = SettingsWrites();
    SetPaused(true);
    ui::SetSelected(stray, !stray->isChecked(), ui::Notifying::Yes);
    EXPECT_EQ(SettingsWrites(), frames);
    EXPECT_TRUE(IsPaused());
    EXPECT_EQ(Panel()->GetMultiColour(), before);
    delete stray;
}

// The panel's button shares its name with the window's own same-mode choice beside the device
// list; the window's lookups must keep finding its own.
TEST_F(LightPanelWindowTest, TheWindowFindsItsOwnSameModeChoiceNotThePanels) {
    QWidget* found = window_->FindControl<QWidget>(QStringLiteral("deng_same_mode"));
    ASSERT_NE(found, nullptr);
    EXPECT_FALSE(Panel()->isAncestorOf(found));
}

}  // namespace
