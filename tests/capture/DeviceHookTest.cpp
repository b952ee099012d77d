#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include "macros/MouseEventTable.h"
#include "macros/hook/DeviceHook.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

using capture::CDeviceHook;
using capture::RecordingMessage;

struct Received {
    RecordingMessage message;
    capture::KeyRecord key;
    capture::MouseRecord mouse;
    bool isKey;
};

class RecordingTarget : public capture::RecordingReceiver {
public:
    std::vector<Received> received;
    std::function<void()> onEvent;

    void OnRecordedKey(RecordingMessage message, const capture::KeyRecord& record) override {
        received.push_back({message, record, {}, true});
        if (onEvent) {
            onEvent();
        }
    }
    void OnRecordedMouse(RecordingMessage message, const capture::MouseRecord& record) override {
        received.push_back({message, {}, record, false});
        if (onEvent) {
            onEvent();
        }
    }
};

// A window with an edit that has the focus, a button and a label (which ignores the mouse).
class DeviceHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::UiApplication();
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        edit_ = new QLineEdit(window_.get());
        button_ = new QPushButton(QStringLiteral("stop"), window_.get());
        label_ = new QLabel(QStringLiteral("label"), window_.get());
        layout->addWidget(edit_);
        layout->addWidget(button_);
        layout->addWidget(label_);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        edit_->setFocus();
    }

    // A key event as X11 or Wayland delivers it: the XKB keycode in the native scan code.
    bool SendKey(QEvent::Type type, int qtKey, quint32 xkbKeycode,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false,
                 const QString& text = {}) {
        QKeyEvent event(type, qtKey, modifiers, xkbKeycode, 0, 0, text, autoRepeat);
        QApplication::sendEvent(edit_, &event);
        return event.isAccepted();
    }

    std::unique_ptr<QWidget> window_;
    QLineEdit* edit_ = nullptr;
    QPushButton* button_ = nullptr;
    QLabel* label_ = nullptr;
    RecordingTarget target_;
};

TEST_F(DeviceHookTest, NativeKeysReachTheTargetAsScanCodes) {
    struct Case {
        const char* what;
        int qtKey;
        quint32 xkbKeycode;
        Qt::KeyboardModifiers modifiers;
        std::uint8_t code;
        bool extended;
    };
    const Case cases[] = {
        {"A", Qt::Key_A, 38, Qt::NoModifier, 0x1E, false},
        {"F5", Qt::Key_F5, 71, Qt::NoModifier, 0x3F, false},
        {"F12", Qt::Key_F12, 96, Qt::NoModifier, 0x58, false},
        {"Up", Qt::Key_Up, 111, Qt::NoModifier, 0x48, true},
        {"Left", Qt::Key_Left, 113, Qt::NoModifier, 0x4B, true},
        {"keypad Enter", Qt::Key_Enter, 104, Qt::KeypadModifier, 0x1C, true},
        {"Return", Qt::Key_Return, 36, Qt::NoModifier, 0x1C, false},
        {"right Ctrl", Qt::Key_Control, 105, Qt::NoModifier, 0x1D, true},
        {"left Ctrl", Qt::Key_Control, 37, Qt::NoModifier, 0x1D, false},
        {"Print Screen", Qt::Key_Print, 107, Qt::NoModifier, 0x37, true},
        {"Pause", Qt::Key_Pause, 127, Qt::NoModifier, 0x45, false},
        {"keypad 7", Qt::Key_7, 79, Qt::KeypadModifier, 0x47, false},
        // Without a native code (offscreen) the Qt key decides.
        {"fallback A", Qt::Key_A, 0, Qt::NoModifier, 0x1E, false},
        {"fallback Down", Qt::Key_Down, 0, Qt::NoModifier, 0x50, true},
        {"fallback keypad Enter", Qt::Key_Enter, 0, Qt::KeypadModifier, 0x1C, true},
        {"fallback keypad Home", Qt::Key_Home, 0, Qt::KeypadModifier, 0x47, false},
        {"fallback Pause", Qt::Key_Pause, 0, Qt::NoModifier, 0x45, false},
    };
    CDeviceHook hook;
    ASSERT_EQ(hook.Install(capture::mode::kAppend, &target_, true, true), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        target_.received.clear();
        SendKey(QEvent::KeyPress, c.qtKey, c.xkbKeycode, c.modifiers);
        SendKey(QEvent::KeyRelease, c.qtKey, c.xkbKeycode, c.modifiers);
        ASSERT_EQ(target_.received.size(), 2u);
        for (const Received& r : target_.received) {
            EXPECT_TRUE(r.isKey);
            EXPECT_EQ(r.message, RecordingMessage::KeyKbMacro);
            EXPECT_EQ(r.key.key.code, c.code);
            EXPECT_EQ(r.key.key.extended, c.extended);
        }
        EXPECT_EQ(target_.received[0].key.message, capture::kKeyDown);
        EXPECT_EQ(target_.received[1].key.message, capture::kKeyUp);
    }
}

TEST_F(DeviceHookTest, CapturedKeysAreSwallowedExceptTheLocks) {
    CDeviceHook hook;
    hook.Install(capture::mode::kSingleKey, &target_, true, true);
    SendKey(QEvent::KeyPress, Qt::Key_A, 38, Qt::NoModifier, false, QStringLiteral("a"));
    EXPECT_TRUE(edit_->text().isEmpty());
    ASSERT_EQ(target_.received.size(), 1u);
    EXPECT_EQ(target_.received[0].message, RecordingMessage::KeySingleKey);

    // Caps Lock, Num Lock and Scroll Lock go on to the window, and are reported once although
    // the edit passes them up to its parents.
    struct Lock {
        int qtKey;
        quint32 keycode;
    };
    for (Lock lock : {Lock{Qt::Key_CapsLock, 66}, Lock{Qt::Key_NumLock, 77},
                      Lock{Qt::Key_ScrollLock, 78}, Lock{Qt::Key_CapsLock, 0}}) {
        target_.received.clear();
        QKeyEvent press(QEvent::KeyPress, lock.qtKey, Qt::NoModifier, lock.keycode, 0, 0);
        QApplication::sendEvent(edit_, &press);
        ASSERT_EQ(target_.received.size(), 1u) << lock.qtKey;
        EXPECT_FALSE(press.isAccepted()) << "the edit saw it and passed it on";
    }

    hook.Uninstall();
    SendKey(QEvent::KeyPress, Qt::Key_B, 56, Qt::NoModifier, false, QStringLiteral("b"));
    EXPECT_EQ(edit_->text(), QStringLiteral("b"));
}

TEST_F(DeviceHookTest, ShortcutsDoNotFireWhileKeysAreCaptured) {
    auto* save = new QAction(window_.get());
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    save->setShortcutContext(Qt::WindowShortcut);
    window_->addAction(save);
    int triggered = 0;
    QObject::connect(save, &QAction::triggered, [&] { ++triggered; });

    CDeviceHook hook;
    hook.Install(capture::mode::kAppend, &target_, true, false);
    QTest::keyClick(edit_, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(triggered, 0);
    EXPECT_FALSE(target_.received.empty());

    hook.Uninstall();
    QTest::keyClick(edit_, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(triggered, 1);
}

TEST_F(DeviceHookTest, AutoRepeatGivesRepeatedDownsAndOneUp) {
    CDeviceHook hook;
    hook.Install(capture::mode::kAppend, &target_, true, false);
    // X11 auto-repeat: press, then release/press pairs marked as repeats, then the real release.
    SendKey(QEvent::KeyPress, Qt::Key_A, 38);
    SendKey(QEvent::KeyRelease, Qt::Key_A, 38, Qt::NoModifier, true);
    SendKey(QEvent::KeyPress, Qt::Key_A, 38, Qt::NoModifier, true);
    SendKey(QEvent::KeyRelease, Qt::Key_A, 38, Qt::NoModifier, true);
    SendKey(QEvent::KeyPress, Qt::Key_A, 38, Qt::NoModifier, true);
    SendKey(QEvent::KeyRelease, Qt::Key_A, 38);
    std::vector<std::uint32_t> messages;
    for (const Received& r : target_.received) {
        messages.push_back(r.key.message);
    }
    EXPECT_EQ(messages, (std::vector<std::uint32_t>{capture::kKeyDown, capture::kKeyDown,
                                                    capture::kKeyDown, capture::kKeyUp}));
}

TEST_F(DeviceHookTest, KeysTypedWithAltAreSystemKeys) {
    CDeviceHook hook;
    hook.Install(capture::mode::kAppend, &target_, true, false);
    SendKey(QEvent::KeyPress, Qt::Key_Alt, 64, Qt::AltModifier);
    SendKey(QEvent::KeyPress, Qt::Key_F4, 70, Qt::AltModifier);
    SendKey(QEvent::KeyRelease, Qt::Key_F4, 70, Qt::AltModifier);
    SendKey(QEvent::KeyRelease, Qt::Key_Alt, 64, Qt::NoModifier);
    ASSERT_EQ(target_.received.size(), 4u);
    EXPECT_EQ(target_.received[0].key.message, capture::kSysKeyDown);
    EXPECT_EQ(target_.received[1].key.message, capture::kSysKeyDown);
    EXPECT_EQ(target_.received[2].key.message, capture::kSysKeyUp);
    EXPECT_EQ(target_.received[3].key.message, capture::kSysKeyUp);
}

TEST_F(DeviceHookTest, MouseButtonsAreReportedAndPassedOn) {
    CDeviceHook hook;
    hook.Install(capture::mode::kAfter, &target_, true, true);
    int clicks = 0;
    QObject::connect(button_, &QPushButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(button_, Qt::LeftButton);
    EXPECT_EQ(clicks, 1) << "the click still works (the stop button)";
    // The label ignores the mouse, so its events travel up to the window: reported once each.
    QTest::mouseClick(label_, Qt::RightButton);
    QTest::mouseClick(label_, Qt::MiddleButton);
    QTest::mouseClick(label_, Qt::BackButton);
    QTest::mouseClick(label_, Qt::ForwardButton);

    struct Expected {
        std::uint32_t message;
        int xButton;
    };
    const Expected expected[] = {
        {macros::kMsgLeftDown, 0}, {macros::kMsgLeftUp, 0},     {macros::kMsgRightDown, 0},
        {macros::kMsgRightUp, 0},  {macros::kMsgMiddleDown, 0}, {macros::kMsgMiddleUp, 0},
        {macros::kMsgXDown, 1},    {macros::kMsgXUp, 1},        {macros::kMsgXDown, 2},
        {macros::kMsgXUp, 2},
    };
    ASSERT_EQ(target_.received.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const Received& r = target_.received[i];
        EXPECT_FALSE(r.isKey);
        EXPECT_EQ(r.message, RecordingMessage::KeyMsMacroLater);
        EXPECT_EQ(r.mouse.message, expected[i].message);
        EXPECT_EQ(r.mouse.xButton, expected[i].xButton);
    }
    const QPoint centre = button_->mapToGlobal(button_->rect().center());
    EXPECT_EQ(target_.received[0].mouse.screenX, centre.x());
    EXPECT_EQ(target_.received[0].mouse.screenY, centre.y());
}

TEST_F(DeviceHookTest, ModesWithoutAMessageSendNothing) {
    CDeviceHook hook;
    // Single-key capture has no mouse message; 64 has none at all, yet keys stay captured.
    hook.Install(capture::mode::kSingleKey, &target_, true, true);
    QTest::mouseClick(button_, Qt::LeftButton);
    EXPECT_TRUE(target_.received.empty());
    hook.Install(64, &target_, true, true);
    SendKey(QEvent::KeyPress, Qt::Key_A, 38, Qt::NoModifier, false, QStringLiteral("a"));
    EXPECT_TRUE(target_.received.empty());
    EXPECT_TRUE(edit_->text().isEmpty());
}

TEST_F(DeviceHookTest, InstallAndRemove) {
    CDeviceHook hook;
    EXPECT_EQ(hook.Uninstall(), 0) << "nothing to remove";
    EXPECT_EQ(hook.Install(capture::mode::kAppend, nullptr, true, true), 0);
    EXPECT_FALSE(hook.IsKeyboardCaptureOn());

    ASSERT_EQ(hook.Install(capture::mode::kAppend, &target_, true, true), 1);
    // Installing again replaces the mode.
    ASSERT_EQ(hook.Install(capture::mode::kBefore, &target_, true, true), 1);
    EXPECT_EQ(hook.ModeFlags(), capture::mode::kBefore);
    SendKey(QEvent::KeyPress, Qt::Key_A, 38);
    ASSERT_EQ(target_.received.size(), 1u) << "one report, not one per installation";
    EXPECT_EQ(target_.received[0].message, RecordingMessage::KeyKbMacroPrevious);
    EXPECT_EQ(hook.Uninstall(), 1);
    EXPECT_EQ(hook.Uninstall(), 0);

    // Mouse only: keys are left alone.
    target_.received.clear();
    ASSERT_EQ(hook.Install(capture::mode::kAppend, &target_, false, true), 1);
    SendKey(QEvent::KeyPress, Qt::Key_C, 54, Qt::NoModifier, false, QStringLiteral("c"));
    EXPECT_TRUE(target_.received.empty());
    EXPECT_EQ(edit_->text(), QStringLiteral("c"));
    EXPECT_EQ(hook.Uninstall(), 0) << "no keyboard capture was set";
}

TEST_F(DeviceHookTest, TheTargetMayEndTheCaptureWhileHandlingAnEvent) {
    auto hook = std::make_unique<CDeviceHook>();
    hook->Install(capture::mode::kAppend, &target_, true, true);
    target_.onEvent = [&] { hook->Uninstall(); };
    SendKey(QEvent::KeyPress, Qt::Key_A, 38);
    SendKey(QEvent::KeyPress, Qt::Key_B, 56, Qt::NoModifier, false, QStringLiteral("b"));
    EXPECT_EQ(target_.received.size(), 1u);
    EXPECT_EQ(edit_->text(), QStringLiteral("b"));

    // A destroyed hook leaves no filter behind.
    target_.onEvent = nullptr;
    hook->Install(capture::mode::kAppend, &target_, true, true);
    hook.reset();
    target_.received.clear();
    SendKey(QEvent::KeyPress, Qt::Key_D, 40, Qt::NoModifier, false, QStringLiteral("d"));
    EXPECT_TRUE(target_.received.empty());
    EXPECT_EQ(edit_->text(), QStringLiteral("bd"));
}

}  // namespace
