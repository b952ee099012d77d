#pragma once

#include <QObject>
#include <QPointer>

#include "macros/hook/RecordingMessages.h"

class QKeyEvent;
class QMouseEvent;

namespace capture {

// The key and mouse capture of macro recording and single-key assignment. While installed it
// watches every input event of the application (an application-wide event filter): each key
// press and release goes to the target as the keyboard message of the mode, with its set-1 scan
// code, and is swallowed, except Caps, Num and Scroll Lock; each mouse button press and release
// goes to the target as the mouse message of the mode and is passed on, so that the window
// stays usable (the stop button). One object per main window; installing again replaces the
// mode.
class CDeviceHook : public QObject {
    Q_OBJECT
public:
    explicit CDeviceHook(QObject* parent = nullptr);
    ~CDeviceHook() override;

    // Removes any keyboard capture, then captures keys when withKeyboardHook and mouse buttons
    // when withComponentHook, reporting to target. 1 on success; 0 when keyboard capture was
    // asked for and cannot be set (no application object or no target).
    int Install(int modeFlags, RecordingReceiver* target, bool withKeyboardHook,
                bool withComponentHook);
    // Ends both captures. 1 when a keyboard capture was removed, 0 when none was set.
    int Uninstall();

    bool IsKeyboardCaptureOn() const { return keyboardOn_; }
    bool IsMouseCaptureOn() const { return mouseOn_; }
    int ModeFlags() const { return modeFlags_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateFilter();
    bool HandleKey(QKeyEvent* event);
    void HandleMouse(QMouseEvent* event);

    // An event reaches the filter once per receiver while it propagates (window, widget,
    // parents); these remember the last one reported so it is reported once.
    struct SeenEvent {
        int type = 0;
        quint64 timestamp = 0;
        quint32 code = 0;
        int detail = 0;
        int x = 0;
        int y = 0;
        bool operator==(const SeenEvent&) const = default;
    };

    RecordingReceiver* target_ = nullptr;
    int modeFlags_ = 0;
    bool keyboardOn_ = false;
    bool mouseOn_ = false;
    bool filtering_ = false;
    SeenEvent lastKey_;
    SeenEvent lastMouse_;
};

}  // namespace capture
