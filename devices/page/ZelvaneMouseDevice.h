#pragma once

#include <array>
#include <memory>
#include <vector>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>

#include "devices/core/MouseDeviceCore.h"
#include "devices/page/ZelvaneUSBDevice.h"
#include "ui/ControlFactory.h"
#include "ui/ControlLookup.h"
#include "ui/Notification.h"

namespace ui {
class ListContainer;
class OptionButton;
class TabLayout;
}  // namespace ui

// The mouse page: its key buttons over the picture of the mouse, the LED preview, the DPI,
// report-rate and system controls and the key info list. Every handler stores the change in the
// profile through the core, which saves it and, for DPI and report rate, writes the settings
// block to the mouse (the one blocking device transaction of the UI thread).
class CZelvaneMouseDevice : public CZelvaneUSBDevice {
    Q_OBJECT
public:
    static constexpr char kLayoutFile[] = "XML/DeviceXml/mousedevice.xml";

    // backend null: the process's HID backend.
    explicit CZelvaneMouseDevice(QWidget* parent = nullptr,
                                 std::shared_ptr<hid::IHidBackend> backend = {});
    ~CZelvaneMouseDevice() override;

    devices::CMouseDeviceCore& Mouse();

    void BindControls() override { BindDeviceControls(); }
    void BindDeviceControls();
    void RefreshControls() override;
    void SelectKey(int index) override;
    void SetDeviceNumber(int n) override { Core().SetDeviceNumber(n); }

    // "mouse_device_seting_layout" page n (0 when out of range) and its option.
    void SelectSettingsPage(int n);

    // Handlers of the page's controls (stage or option number from the control's name).
    void OnDpiSliderChanged(int stage);  // "valuechanged": store, save, write
    void OnDpiSliderMoving(int stage);   // "movevaluechanged": show only
    void OnDpiEditKillFocus(int stage);  // "killfocus" and "return": store, save, write
    void OnDpiEnableChanged(int stage);  // "selectchanged": store, save, write
    void OnTamricDpiSliderMoving(int stage);
    void OnTamricDpiEditKillFocus(int stage);
    void OnReportRateSelected(int index);  // store, save, write
    void OnPointerSpeedChanged();          // the system settings: store and save only
    void OnPointerPrecisionChanged();
    void OnScrollSpeedChanged();
    void OnScrollsPageChanged();
    void OnDoubleClickChanged();
    // "click_select_end" of "mouse_device_key_light": profileJson is the main window's profile
    // document path (user data root + profile name + ".json").
    void OnKeyLightSelectEnd(const QString& profileJson);

    // Routes a notification of the mouse page's own controls (the mouse rows of the main
    // window's routing tables) to the handlers above. False when it is not one of them.
    bool HandleNotification(const ui::Notification& notification);

    // What the controls show, for the entry points above and the core's reports.
    void ShowDpiStages();
    void ShowSystemSettings();
    void SelectReportRateOption(int index);
    void RebuildKeyInfoList();

protected:
    void OnRefreshControls() override;
    void OnDeviceInfoRead() override;
    void OnKeyInfoChanged() override;
    void ShowLedFrame(std::span<const devices::LedColour> leds) override;

private:
    struct DpiRow {
        QPointer<QWidget> layout;
        QPointer<QAbstractButton> check;
        QPointer<QSlider> slider;
        QPointer<QLineEdit> edit;
        QPointer<QLabel> colour;
    };
    DpiRow& Row(int stage);
    void ShowStageValue(int stage, int sliderValue, bool active);
    void ApplyDpiLimits();
    template <class T>
    T* Find(const char* name) const {
        return ui::FindControlAs<T>(this, QString::fromLatin1(name));
    }

    std::array<DpiRow, devices::kMouseDpiStageCount> rows_{};
    bool rowsLooked_ = false;
    std::vector<appearance::CDeviceKeyButtonUI*> ledPreviews_;
    QPointer<QWidget> ledPanel_;
    QPointer<appearance::CDeviceKeyButtonUI> logo_;
    QPointer<QWidget> keyPanel_;
    int selectedLed_ = -1;
};

namespace devices::page {

// The page classes for the layout loader ("ZelvaneMouseDevice", "CZelvaneMouseDevice").
ui::ControlTable PageControlTable();
// The sub-panels' layout elements ("DeviceProfileUI" -> "XML/CustomControlXML/DeviceProfile.xml").
ui::LayoutElementTable PanelLayoutElements();
// A loader configuration that knows the page classes, the program's custom controls and the
// sub-panel layouts.
ui::LoaderConfig PageLoaderConfig();

// Builds the mouse page from its layout under parent, with its page path set; null when the
// layout fails. The caller configures and binds it (SetKeyCount ... BindControls).
CZelvaneMouseDevice* BuildMousePage(QWidget* parent,
                                    const ui::LoaderConfig& config = PageLoaderConfig());

}  // namespace devices::page
