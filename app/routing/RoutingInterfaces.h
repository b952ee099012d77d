#pragma once

#include <QString>
#include <string_view>

#include "app/routing/RouteTables.h"
#include "macros/hook/RecordingMessages.h"
#include "ui/Notification.h"

class QWidget;

// What the router talks to: small interfaces, so that a panel that arrives later only has to
// implement ControlHandler and be returned by its device page.
namespace routing {

// One routed control event.
struct RoutedEvent {
    std::string_view name;  // the table's spelling; the prefix for an indexed control
    Op op = Op::Control;
    int number = 0;     // from an indexed name
    int argument = 0;   // fixed by the table (tab page, direction, recording mode, ...)
    int argument2 = 0;  // recording: insertion flags
    const ui::Notification* notification = nullptr;  // null for timers and captured input
    const capture::KeyRecord* key = nullptr;
    const capture::MouseRecord* mouse = nullptr;
    QString text;  // KeyLightProfile: the profile document's path
};

class ControlHandler {
public:
    virtual ~ControlHandler() = default;
    virtual void OnControl(const RoutedEvent& event) = 0;
};

// The current device as the router sees it: its kind, its page's handler (Target::Device) and
// its page's panels (null while the page has no such panel).
class RoutedDevice {
public:
    virtual ~RoutedDevice() = default;
    virtual int DeviceKind() const = 0;
    virtual int LedCount() const = 0;
    virtual ControlHandler* Handler(Target target) = 0;
};

// The main window as the router sees it.
class RoutingHost {
public:
    virtual ~RoutingHost() = default;
    // The device of the first visible and selected entry of "device_select_layout", or null.
    virtual RoutedDevice* CurrentDevice() = 0;
    // The window's own commands (Target::Window) and device switching (Target::Switcher).
    virtual ControlHandler* WindowCommands() = 0;
    virtual ControlHandler* Switcher() = 0;
    // The window's own control of that name as looked up at initialisation (caption buttons).
    virtual QWidget* OwnControl(const QString& name) = 0;
    // Owner of message boxes.
    virtual QWidget* DialogOwner() = 0;
    // The profile name of the key-light document ("" unless set).
    virtual QString ProfileName() const { return {}; }
};

}  // namespace routing
