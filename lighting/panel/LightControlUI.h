#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "profiles/ProfileRecords.h"

class IPanelPage;
class QAbstractButton;
class QAbstractSlider;
class QComboBox;
class QLineEdit;

namespace ui {
class ColorPalette;
}

namespace lightpanel {

// Colours are 0xAARRGGBB; the panel always produces alpha 0xFF.
using Colour = std::uint32_t;
inline constexpr Colour kOpaque = 0xFF000000u;

enum class Channel { Red, Green, Blue };

// The lighting panel of a device page: effect list, brightness and speed, direction,
// multicolour, the colour (palette, preset colours, swatch, R/G/B edits) and the keyboard's
// custom colour groups and extra modes. It holds no light data of its own: the device's light
// setting is shown with ShowLightSettings and the handlers below store every change into the
// profile and write it to the device. Controls are looked up by name on first use; an
// operation whose control is missing does nothing.
class CLightControlUI : public QWidget {
    Q_OBJECT
public:
    explicit CLightControlUI(QWidget* parent = nullptr);
    ~CLightControlUI() override;

    // Once the page is configured and its profile chosen: takes the device kind and the
    // effect names, then shows the light setting.
    void Attach(IPanelPage* page);
    // The page's controls are shown again (profile switch, device read).
    void Refresh();

    // ---- what the device and the main window call ----
    void SetDeviceKind(int kind) { deviceKind_ = kind; }
    int DeviceKind() const { return deviceKind_; }
    // Item i is effect i; a hidden item keeps its index.
    void FillEffectList(const std::vector<std::string>& names,
                        const std::vector<std::uint8_t>& visible, int maxBrightness, int maxSpeed);
    void ShowLightSettings(const LightInfoRecord& record);
    void SelectEffect(int n);
    int GetSelectedEffect();
    void SetCustomGroupSelection(int n);
    int GetCustomGroupSelection();
    void SetExtraModeSelection(int n);
    int GetExtraModeSelection();
    void SetBrightness(int v);
    int GetBrightness();
    void SetSpeed(int v);
    int GetSpeed();
    void SetColourText(Channel channel, const QString& text);
    QString GetColourText(Channel channel);
    void SetPaletteColour(Colour colour);
    Colour GetPaletteColour();
    void SetSwatchColour(Colour colour);
    // Background colour of "color_option_" + n; 0 when there is no such control.
    Colour GetPresetColour(int n);
    // With notification: "selectchanged" goes out when the state changes.
    void SetMultiColour(bool on);
    bool GetMultiColour();
    void SetDirection(int fx);
    void ShowSameModeButton(bool show);
    // The main window: more than one device is listed.
    void SetSameModeAllowed(bool allowed);
    bool SameModeAllowed() const { return sameModeAllowed_; }
    void UpdateLayout(int kind, int effect);

    // ---- the light handlers, run on the current device's panel by the main window ----
    void OnEffectSelected();
    void OnBrightnessChanged();
    void OnSpeedChanged();
    void OnDirectionChosen(int fx);
    void OnMultiColourChanged();
    void OnPaletteColourChanged();
    void OnPresetColour(int n);
    void OnColourEdited(Channel channel);
    // Keyboard only: the extra mode list of effect 17.
    void OnExtraModeSelected();

private:
    template <class T>
    T* Control(QPointer<T>& cache, const char* name);
    QWidget* Find(const QString& name) const;
    QLineEdit* ChannelEdit(Channel channel);
    LightInfoRecord CurrentRecord() const;
    // The device takes the record: SetLightSettings, SaveProfile, ApplyProfileState.
    void StoreRecord(const LightInfoRecord& record);
    // Stores the record and writes the settings to the device.
    void Apply(const LightInfoRecord& record);
    void WriteSettings();
    void ClearPause();
    void ShowChannels(const LightInfoRecord& record);
    void ShowSwatch(QWidget* control, Colour colour);
    // The light and keys tabs share a page: the picture beside it follows the tab (page 1 the
    // lights, page 0 the buttons), as the "Buttons | Lighting" choice would set it.
    void FollowFunctionTabs();
    void ShowPicturePage(int page);

    IPanelPage* page_ = nullptr;
    int deviceKind_ = 0;
    bool sameModeAllowed_ = false;

    QPointer<ui::ColorPalette> palette_;
    QPointer<QComboBox> effectList_;
    QPointer<QAbstractSlider> brightness_;
    QPointer<QAbstractSlider> speed_;
    QPointer<QWidget> sameMode_;
    QPointer<QWidget> swatch_;
    QPointer<QLineEdit> red_;
    QPointer<QLineEdit> green_;
    QPointer<QLineEdit> blue_;
    QPointer<QAbstractButton> multiColour_;
    QPointer<QAbstractButton> left_;
    QPointer<QAbstractButton> right_;
    QPointer<QComboBox> customGroups_;
    QPointer<QComboBox> extraModes_;
};

}  // namespace lightpanel
