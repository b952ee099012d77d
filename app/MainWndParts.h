#pragma once

#include "ui/Notification.h"

class QString;

// The parts the main window is assembled from. The window owns them and calls them; they reach
// the window through the CMainWnd reference they are created with.

// Device discovery and switching: the hidden device pages and entries, the discovery and light
// synchronisation threads, and everything done to all devices at once.
class IDeviceSwitcher {
public:
    virtual ~IDeviceSwitcher() = default;

    // "windowinit": builds, hidden, one device page and entry per device kind.
    virtual void CreateDevicePages() = 0;
    // "windowinit", after the pages: starts the discovery thread (slot 0) and the light
    // synchronisation thread (slot 8) through CMainWnd::Threads().
    virtual void StartThreads() = 0;
    // How many entries of "device_select_layout" are visible.
    virtual int CountVisibleEntries() const = 0;

    // Applied to every device (mouse, pad and keyboard lists).
    virtual void SetWindowActive(bool active) = 0;
    virtual void SetLiveLight(bool on) = 0;
    // The interface language changed: devices refresh their key texts.
    virtual void OnLanguageChanged() = 0;
    // Before the threads stop and the window goes: devices close their interfaces.
    virtual void Shutdown() = 0;
};

// The control event routing: every notification the window does not handle itself (caption
// buttons, menu commands other than "exit", timers other than the window's own, ...).
class INotifyRouter {
public:
    virtual ~INotifyRouter() = default;
    virtual void Route(const ui::Notification& notification) = 0;
};
