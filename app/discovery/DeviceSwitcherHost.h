#pragma once

#include <functional>
#include <stop_token>
#include <string>

namespace ui {
struct LoaderConfig;
}
class QWidget;

namespace discovery {

// What device switching needs from the main window.
class IDeviceSwitcherHost {
public:
    virtual ~IDeviceSwitcherHost() = default;

    // The window: its controls are found below it and the device pages belong to it.
    virtual QWidget* Root() const = 0;
    // What device pages, entries and power indicators are built with (the window's callback).
    virtual const ui::LoaderConfig& PageLoaderConfig() const = 0;

    // Worker: runs task on the UI thread and waits; false (not run) when stopping.
    virtual bool SendToUi(const std::stop_token& token, std::function<void()> task) = 0;
    // Any thread: queues task for the UI thread.
    virtual bool PostToUi(std::function<void()> task) = 0;
    virtual bool StartThread(int slot, std::function<void(std::stop_token)> body) = 0;

    virtual void ActivateMainWindow() = 0;
    // The settings and about windows close when the current device goes away.
    virtual void CloseOwnedWindows() = 0;
    // Macro recording of the current device ends: the capture is removed, the recording
    // stopped and the macro panel reset.
    virtual void StopMacroRecording() {}
    // False while the system sleeps: arrivals and removals are not acted on then.
    virtual bool SystemAwake() const { return true; }
    // Handed to every device at creation; nothing changes it.
    virtual std::string ProfileName() const { return {}; }
};

}  // namespace discovery
