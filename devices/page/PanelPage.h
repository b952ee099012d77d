#pragma once

class QWidget;

namespace devices {
class CUsbDeviceCore;
}
namespace keypanel {
class CKeySetControlUI;
}
namespace lightpanel {
class CLightControlUI;
}
namespace macropanel {
class CMacroControlUI;
}
namespace shootpanel {
class CShootControlUI;
}

// What a panel of a device page may ask of its page. The panels live below the page (the page
// owns and finds them), so they reach the page and each other only through this.
class IPanelPage {
public:
    virtual ~IPanelPage() = default;

    // The device core: profile data, key list, macros, light and shoot data, device writes.
    virtual devices::CUsbDeviceCore& Core() = 0;
    // The page's root widget and the main window (owner of dialogs, target of the capture hook).
    virtual QWidget* PageWidget() = 0;
    virtual QWidget* MainWindow() = 0;

    // The page shows the core's state again (key info list, previews, every panel's Refresh).
    virtual void RefreshControls() = 0;
    // The settings block write after a change (profile slot 0, the primary screen's size).
    virtual int WriteSettings() = 0;
    // Sends every macro to the device as one image; a failed transfer ("message_text_7") or an
    // image too large for the device ("message_text_16" with the excess) is told to the user.
    virtual void SendMacros() = 0;
    // Macro or light names changed: the key info list and the name lists are shown again.
    virtual void RefreshNameLists() = 0;
    // While a macro is recorded the device list and the page's function tabs take no input.
    virtual void SetRecordingLock(bool on) = 0;

    // The page's other panels; null where the page's layout has none.
    virtual keypanel::CKeySetControlUI* KeySetPanel() = 0;
    virtual lightpanel::CLightControlUI* LightPanel() = 0;
    virtual macropanel::CMacroControlUI* MacroPanel() = 0;
    virtual shootpanel::CShootControlUI* ShootPanel() = 0;
};
