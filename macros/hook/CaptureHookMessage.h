#pragma once

#include <QEvent>

#include "macros/hook/RecordingMessages.h"

class QObject;

namespace capture {

// The key set and macro panels ask the main window to install or remove the capture hook with
// this event, sent synchronously (the window message WM_USER + 30 of the original design).
class CaptureHookEvent : public QEvent {
public:
    // install false: remove the hook. install true: install it for the window with modeFlags,
    // keyboard and mouse capture both on (mode::kSingleKey is the key set panel's capture).
    CaptureHookEvent(bool install, int modeFlags);

    static QEvent::Type EventType();

    bool Install() const { return install_; }
    int ModeFlags() const { return modeFlags_; }
    // Set by the window that handled it: the result of the hook's Install or Uninstall.
    int result = 0;

private:
    bool install_;
    int modeFlags_;
};

// Sends the request to the main window and returns the hook's result (0 when nobody handled
// it). wParam as the original message: 1 install with the single-key mode, 0 remove.
int SendCaptureHookMessage(QObject* mainWindow, int wParam);
// Installs for a recording with the given insertion mode.
int SendCaptureHookInstall(QObject* mainWindow, int modeFlags);

}  // namespace capture
