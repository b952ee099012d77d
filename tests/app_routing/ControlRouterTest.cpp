#include <gtest/gtest.h>

#include <QPushButton>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/routing/ControlRouter.h"
#include "appearance/DeviceKeyButtonUI.h"
#include "appearance/SelectPanelUI.h"
#include "profiles/DataFolders.h"
#include "tests/support/TestDirs.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

using routing::Op;
using routing::Target;

struct Seen {
    std::string receiver;
    std::string name;
    Op op;
    int number;
    int argument;
    int argument2;
    QString text;
};

class RecordingHandler : public routing::ControlHandler {
public:
    RecordingHandler(std::string receiver, std::vector<Seen>& log)
        : receiver_(std::move(receiver)), log_(log) {}
    void OnControl(const routing::RoutedEvent& e) override {
        log_.push_back(
            {receiver_, std::string(e.name), e.op, e.number, e.argument, e.argument2, e.text});
        lastKey = e.key != nullptr ? std::optional(*e.key) : std::nullopt;
    }
    std::optional<capture::KeyRecord> lastKey;

private:
    std::string receiver_;
    std::vector<Seen>& log_;
};

// A device page whose panels can be present or not (later panels arrive later).
class FakeDevice : public routing::RoutedDevice {
public:
    FakeDevice(int kind, std::vector<Seen>& log) : kind_(kind), log_(log) {
        for (auto [target, name] :
             {std::pair{Target::Device, "device"}, std::pair{Target::ProfilePanel, "profile"},
              std::pair{Target::KeySetPanel, "keyset"}, std::pair{Target::MacroPanel, "macro"},
              std::pair{Target::LightPanel, "light"}, std::pair{Target::ShootPanel, "shoot"},
              std::pair{Target::VoicePanel, "voice"}}) {
            handlers_[target] = std::make_unique<RecordingHandler>(name, log_);
        }
    }
    int DeviceKind() const override { return kind_; }
    int LedCount() const override { return ledCount; }
    routing::ControlHandler* Handler(Target target) override {
        if (missing.count(target) != 0) {
            return nullptr;
        }
        auto it = handlers_.find(target);
        return it == handlers_.end() ? nullptr : it->second.get();
    }
    RecordingHandler* HandlerOf(Target target) { return handlers_[target].get(); }

    int ledCount = 0;
    std::set<Target> missing;

private:
    int kind_;
    std::vector<Seen>& log_;
    std::map<Target, std::unique_ptr<RecordingHandler>> handlers_;
};

class FakeHost : public routing::RoutingHost {
public:
    explicit FakeHost(std::vector<Seen>& log)
        : window_("window", log), switcher_("switcher", log) {}
    routing::RoutedDevice* CurrentDevice() override { return current; }
    routing::ControlHandler* WindowCommands() override { return &window_; }
    routing::ControlHandler* Switcher() override { return &switcher_; }
    QWidget* OwnControl(const QString& name) override {
        auto it = own.find(name);
        return it == own.end() ? nullptr : it->second;
    }
    QWidget* DialogOwner() override { return nullptr; }
    QString ProfileName() const override { return profileName; }

    routing::RoutedDevice* current = nullptr;
    std::map<QString, QWidget*> own;
    QString profileName;

private:
    RecordingHandler window_;
    RecordingHandler switcher_;
};

class ControlRouterTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        testsupport::UiTest::SetUp();
        router_ = std::make_unique<routing::CControlRouter>(host_);
    }

    bool Send(const char* type, const QString& name, QWidget* sender = nullptr) {
        ui::Notification n;
        n.type = QString::fromLatin1(type);
        n.senderName = name;
        n.sender = sender;
        return router_->Route(n);
    }

    FakeDevice* DeviceOfKind(int kind) {
        switch (kind) {
            case 1:
                return &keyboard_;
            case 2:
                return &mouse_;
            case 7:
                return &headset_;
            default:
                return nullptr;
        }
    }

    std::vector<Seen> log_;
    FakeHost host_{log_};
    FakeDevice mouse_{2, log_};
    FakeDevice keyboard_{1, log_};
    FakeDevice headset_{7, log_};
    std::unique_ptr<routing::CControlRouter> router_;
};

TEST_F(ControlRouterTest, NotificationsReachTheCurrentDevicesHandlers) {
    struct Case {
        const char* type;
        const char* name;
        int deviceKind;        // 0: no current device
        const char* receiver;  // nullptr: nothing runs
        Op op = Op::Control;
        int number = 0;
    };
    const Case cases[] = {
        {"click", "Key_4", 2, "device", Op::Control, 4},
        {"click", "key_", 1, "device", Op::Control, 0},
        {"click", "key_4", 0, nullptr},  // no current device: nothing happens
        {"valuechanged", "DPI_slider_2", 2, "device", Op::Control, 2},
        {"valuechanged", "DPI_slider_2", 1, nullptr},  // mouse only
        {"valuechanged", "DPI_slider_2", 0, nullptr},
        {"click", "reset_repeat_btn", 1, "device"},
        {"click", "reset_repeat_btn", 2, nullptr},
        {"click", "macro_btn_save", 2, "macro"},
        {"click", "macro_btn_save", 0, nullptr},
        {"click", "MACRO_INSET_MOVELEFTKEY_BTN", 2, nullptr},
        {"click", "hs_EQ_btn_save", 7, "voice"},
        {"click", "hs_EQ_btn_save", 2, nullptr},
        {"itemselect", "light_combo_modeSelect", 2, "light"},
        {"killfocus", "keyset_macro_cycle_edit", 1, "keyset", Op::KeySetSave},
        {"click", "device_select_next", 0, "switcher", Op::SelectNextDevice},
        {"click", "deng_same_mode", 2, "switcher", Op::LightSyncAll},
        {"click", "deng_same_mode", 0, nullptr},
        {"menucommand", "about_menu", 0, "window", Op::ShowAbout},
        {"killfocus", "keyset_keyboard_text_edit", 0, "window", Op::RemoveCaptureHook},
        {"windowsize", "root", 0, "window", Op::WindowSize},
        {"msenter", "key_1", 2, nullptr},
        {"click_select_end", "device_key_light", 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.name);
        log_.clear();
        host_.current = DeviceOfKind(c.deviceKind);
        Send(c.type, QString::fromLatin1(c.name));
        if (c.receiver == nullptr) {
            EXPECT_TRUE(log_.empty());
            continue;
        }
        ASSERT_EQ(log_.size(), 1u);
        EXPECT_EQ(log_[0].receiver, c.receiver);
        EXPECT_EQ(log_[0].op, c.op);
        EXPECT_EQ(log_[0].number, c.number);
    }
}

TEST_F(ControlRouterTest, TwoStepEntriesRunBothInOrder) {
    host_.current = &mouse_;
    Send("selectchanged", QStringLiteral("cursor_Op_tab"));
    ASSERT_EQ(log_.size(), 2u);
    EXPECT_EQ(log_[0].receiver, "device");
    EXPECT_EQ(log_[0].op, Op::FunctionPage);
    EXPECT_EQ(log_[0].argument, 5);
    EXPECT_EQ(log_[1].receiver, "profile");
    EXPECT_EQ(log_[1].op, Op::FunctionPage);
    EXPECT_EQ(log_[1].argument, 5);

    log_.clear();
    Send("menucommand", QStringLiteral("forward_click"));
    ASSERT_EQ(log_.size(), 2u);
    EXPECT_EQ(log_[0].name, "forward_click");
    EXPECT_EQ(log_[1].op, Op::MacroSave);
}

TEST_F(ControlRouterTest, APanelThatDoesNotExistYetReceivesNothingUntilItArrives) {
    host_.current = &mouse_;
    mouse_.missing = {Target::ShootPanel};
    Send("click", QStringLiteral("shootdate_save_btn"));
    EXPECT_TRUE(log_.empty());
    mouse_.missing.clear();
    Send("click", QStringLiteral("shootdate_save_btn"));
    ASSERT_EQ(log_.size(), 1u);
    EXPECT_EQ(log_[0].receiver, "shoot");
}

TEST_F(ControlRouterTest, RecordingMenuItemsCarryModeAndFlags) {
    host_.current = &keyboard_;
    Send("menucommand", QStringLiteral("redio_later_constant_time"));
    Send("click", QStringLiteral("macro_btn_starredio"));
    ASSERT_EQ(log_.size(), 2u);
    EXPECT_EQ(log_[0].op, Op::StartRecording);
    EXPECT_EQ(log_[0].argument, 2);
    EXPECT_EQ(log_[0].argument2, 16);
    EXPECT_EQ(log_[1].argument, 0) << "the record button's mode is chosen by the panel";
    EXPECT_EQ(log_[1].argument2, 4);
    log_.clear();
    host_.current = &headset_;  // recording belongs to mice and keyboards
    Send("menucommand", QStringLiteral("macro_action_edit"));
    EXPECT_TRUE(log_.empty());
}

TEST_F(ControlRouterTest, CaptionButtonsAreTheWindowsOwn) {
    QWidget window;
    auto* own = new QPushButton(&window);
    auto* other = new QPushButton(&window);
    host_.own[QStringLiteral("skinbtn")] = own;
    Send("click", QStringLiteral("skinbtn"), other);
    EXPECT_TRUE(log_.empty());
    Send("click", QStringLiteral("skinbtn"), own);
    ASSERT_EQ(log_.size(), 1u);
    EXPECT_EQ(log_[0].op, Op::SkinChooser);
}

TEST_F(ControlRouterTest, DefaultsAreAskedForAndLoadedOnConfirmation) {
    Send("click", QStringLiteral("default_btn"));
    EXPECT_TRUE(Dialogs().asked.empty()) << "no device: nothing is asked";

    host_.current = &mouse_;
    Dialogs().messageAnswers = {0, 1};
    Send("click", QStringLiteral("default_btn"));
    EXPECT_TRUE(log_.empty());
    Send("click", QStringLiteral("DEFAULT_BTN"));
    ASSERT_EQ(Dialogs().asked.size(), 2u);
    EXPECT_EQ(Dialogs().asked[0].text, QStringLiteral("message_text_22"));
    EXPECT_EQ(Dialogs().asked[0].buttonCount, 2);
    ASSERT_EQ(log_.size(), 1u);
    EXPECT_EQ(log_[0].receiver, "device");
    EXPECT_EQ(log_[0].op, Op::LoadDefaults);
}

TEST_F(ControlRouterTest, OnlyTheLastQuickProfileChoiceSwitches) {
    host_.current = &mouse_;
    Send("itemselect", QStringLiteral("device_profile_combo"));
    testsupport::RunEventLoopFor(200);
    Send("itemselect", QStringLiteral("device_profile_combo"));
    EXPECT_TRUE(router_->IsProfileTimerRunning());
    testsupport::RunEventLoopFor(250);
    EXPECT_TRUE(log_.empty()) << "the second choice restarted the wait";
    testsupport::RunEventLoopFor(300);
    ASSERT_EQ(log_.size(), 1u);
    EXPECT_EQ(log_[0].receiver, "profile");
    EXPECT_EQ(log_[0].op, Op::ProfileSwitch);
    EXPECT_FALSE(router_->IsProfileTimerRunning());
}

TEST_F(ControlRouterTest, DesktopSettingsTryProgramsAndReportFailure) {
    std::vector<QString> started;
    bool available = false;
    router_->SetDesktopSettingsLauncher(routing::DesktopSettingsLauncher(
        [&](const QString& program) {
            return available ? QStringLiteral("/usr/bin/") + program : QString();
        },
        [&](const QString& path, const QStringList& arguments) {
            started.push_back(path + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
            return true;
        }));
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    Send("click", QStringLiteral("windowdeviceset_0"));
    EXPECT_TRUE(started.empty());
    ASSERT_EQ(Dialogs().asked.size(), 1u);
    EXPECT_EQ(Dialogs().asked[0].text, QStringLiteral("desktop_settings_failed_text"));

    available = true;
    Send("click", QStringLiteral("windowdeviceset_1"));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], QStringLiteral("/usr/bin/gnome-control-center mouse"));
    Send("click", QStringLiteral("windowdeviceset_2"));  // no such page
    EXPECT_EQ(started.size(), 1u);
    EXPECT_EQ(Dialogs().asked.size(), 1u);
    qunsetenv("XDG_CURRENT_DESKTOP");
}

TEST_F(ControlRouterTest, CapturedInputGoesToTheCurrentPanels) {
    capture::KeyRecord key;
    key.key = {0x1E, false};
    router_->OnRecordedKey(capture::RecordingMessage::KeySingleKey, key);
    EXPECT_TRUE(log_.empty()) << "no device";

    host_.current = &keyboard_;
    router_->OnRecordedKey(capture::RecordingMessage::KeySingleKey, key);
    router_->OnRecordedKey(capture::RecordingMessage::KeyHitKey, key);  // ignored
    router_->OnRecordedKey(capture::RecordingMessage::KeyKbMacroLater, key);
    ASSERT_TRUE(keyboard_.HandlerOf(Target::MacroPanel)->lastKey.has_value());
    EXPECT_EQ(keyboard_.HandlerOf(Target::MacroPanel)->lastKey->key.code, 0x1E);
    capture::MouseRecord mouse;
    mouse.message = 0x201;
    router_->OnRecordedMouse(capture::RecordingMessage::KeyMsMacroSingle, mouse);
    ASSERT_EQ(log_.size(), 3u);
    EXPECT_EQ(log_[0].receiver, "keyset");
    EXPECT_EQ(log_[0].op, Op::CapturedKey);
    EXPECT_EQ(log_[1].receiver, "macro");
    EXPECT_EQ(log_[1].op, Op::RecordedKey);
    EXPECT_EQ(log_[1].argument, capture::mode::kAfter);
    EXPECT_EQ(log_[2].op, Op::RecordedMouse);
    EXPECT_EQ(log_[2].argument, capture::mode::kReplace);

    log_.clear();
    host_.current = &headset_;
    router_->OnRecordedKey(capture::RecordingMessage::KeyKbMacro, key);
    EXPECT_TRUE(log_.empty());
}

TEST_F(ControlRouterTest, KeyLightSelectionReloadsTheProfileWhenAllLedsAreSelected) {
    appearance::CSelectPanelUI panel;
    std::vector<appearance::CDeviceKeyButtonUI*> buttons;
    for (int i = 0; i < 2; ++i) {
        auto* button = new appearance::CDeviceKeyButtonUI(&panel);
        button->setObjectName(QStringLiteral("light_%1").arg(i));
        buttons.push_back(button);
    }
    mouse_.ledCount = 2;
    host_.current = &mouse_;
    const std::string path = datafolders::GetUserDataFolder() + ".json";

    buttons[0]->SetSelectMark(true);
    buttons[1]->SetSelectMark(true);
    Send("click_select_end", QStringLiteral("mouse_device_key_light"), &panel);
    EXPECT_TRUE(log_.empty()) << "no profile document";

    testsupport::WriteFile(path, "{ \"KeyList\" : [] }");
    buttons[1]->SetSelectMark(false);
    Send("click_select_end", QStringLiteral("mouse_device_key_light"), &panel);
    EXPECT_TRUE(log_.empty()) << "one LED not selected";

    buttons[1]->hide();
    Send("click_select_end", QStringLiteral("mouse_device_key_light"), &panel);
    ASSERT_EQ(log_.size(), 1u);
    EXPECT_EQ(log_[0].op, Op::KeyLightProfile);
    EXPECT_EQ(log_[0].text, QString::fromStdString(path));

    log_.clear();
    host_.profileName = QStringLiteral("../elsewhere");
    Send("click_select_end", QStringLiteral("mouse_device_key_light"), &panel);
    EXPECT_TRUE(log_.empty()) << "a profile name may not leave the folder";
}

TEST_F(ControlRouterTest, DefaultHandlingIsSkippedOnlyForTwoWallpaperNotifications) {
    EXPECT_FALSE(Send("click_wpremove", QStringLiteral("x")));
    EXPECT_FALSE(Send("click_wpedit", QStringLiteral("x")));
    EXPECT_TRUE(Send("click_wpadd", QStringLiteral("x")));
    EXPECT_TRUE(Send("click", QStringLiteral("nothing_here")));
    EXPECT_TRUE(log_.empty());
}

}  // namespace
