// The light handlers: each change is shown, stored into the profile, applied to the device core
// and written to the device. Most of them take the device out of light synchronisation by
// clearing its paused preview; a preset colour keeps it in.
#include "devices/core/UsbDeviceCore.h"
#include "devices/page/PanelPage.h"
#include "lighting/panel/ColourChannelText.h"
#include "lighting/panel/LightControlUI.h"

namespace lightpanel {

LightInfoRecord CLightControlUI::CurrentRecord() const {
    return page_ != nullptr ? page_->Core().GetLightSettings() : LightInfoRecord{};
}

void CLightControlUI::ClearPause() {
    if (page_ != nullptr) {
        page_->Core().commandProtocol.previewPaused = false;
    }
}

void CLightControlUI::StoreRecord(const LightInfoRecord& record) {
    if (page_ == nullptr) {
        return;
    }
    devices::CUsbDeviceCore& core = page_->Core();
    core.SetLightSettings(record.WordA(), record.WordB(), record.WordC());
    core.SaveProfile();
    core.ApplyProfileState();
}

void CLightControlUI::WriteSettings() {
    if (page_ != nullptr) {
        page_->WriteSettings();
    }
}

void CLightControlUI::Apply(const LightInfoRecord& record) {
    StoreRecord(record);
    WriteSettings();
}

void CLightControlUI::OnEffectSelected() {
    const int n = GetSelectedEffect();
    if (n < 0 || n > 255 || page_ == nullptr) {
        return;
    }
    ClearPause();
    SelectEffect(n);
    LightInfoRecord record = CurrentRecord();
    record.selectItem = static_cast<std::uint8_t>(n);
    Apply(record);
    // The logo's tooltip names the effect.
    page_->RefreshNameLists();
}

void CLightControlUI::OnBrightnessChanged() {
    const int v = GetBrightness();
    ClearPause();
    SetBrightness(v);
    LightInfoRecord record = CurrentRecord();
    record.light = static_cast<std::uint8_t>(v);
    Apply(record);
}

void CLightControlUI::OnSpeedChanged() {
    const int v = GetSpeed();
    ClearPause();
    SetSpeed(v);
    LightInfoRecord record = CurrentRecord();
    record.speed = static_cast<std::uint8_t>(v);
    Apply(record);
}

void CLightControlUI::OnDirectionChosen(int fx) {
    fx = fx != 0 ? 1 : 0;
    SetDirection(fx);
    ClearPause();
    LightInfoRecord record = CurrentRecord();
    record.fx = static_cast<std::uint8_t>(fx);
    Apply(record);
}

void CLightControlUI::OnMultiColourChanged() {
    const bool on = GetMultiColour();
    ClearPause();
    SetMultiColour(on);
    LightInfoRecord record = CurrentRecord();
    record.multiColor = on ? 1 : 0;
    Apply(record);
}

namespace {

LightInfoRecord WithColour(LightInfoRecord record, Colour c) {
    record.red = static_cast<std::uint8_t>(c >> 16);
    record.green = static_cast<std::uint8_t>(c >> 8);
    record.blue = static_cast<std::uint8_t>(c);
    record.multiColor = 0;
    return record;
}

}  // namespace

void CLightControlUI::OnPaletteColourChanged() {
    const Colour c = GetPaletteColour();
    const LightInfoRecord record = WithColour(CurrentRecord(), c);
    ClearPause();
    StoreRecord(record);
    ShowChannels(record);
    SetMultiColour(false);
    SetSwatchColour(c);
    WriteSettings();
}

void CLightControlUI::OnPresetColour(int n) {
    const Colour c = GetPresetColour(n);
    if (c == 0) {
        return;  // no such preset
    }
    const LightInfoRecord record = WithColour(CurrentRecord(), c);
    StoreRecord(record);
    ShowChannels(record);
    SetMultiColour(false);
    SetPaletteColour(c);
    WriteSettings();
}

void CLightControlUI::OnColourEdited(Channel channel) {
    const QString text = GetColourText(channel);
    const std::uint8_t v = ColourChannelFromText(text.toStdString());
    // The edit shows what is stored (300 shows 255, nothing shows 0).
    if (text != QString::number(v)) {
        SetColourText(channel, QString::number(v));
    }
    LightInfoRecord record = CurrentRecord();
    switch (channel) {
        case Channel::Red:
            record.red = v;
            break;
        case Channel::Green:
            record.green = v;
            break;
        case Channel::Blue:
            record.blue = v;
            break;
    }
    record.multiColor = 0;
    ClearPause();
    StoreRecord(record);
    SetMultiColour(false);
    const Colour colour =
        kOpaque | (Colour{record.red} << 16) | (Colour{record.green} << 8) | Colour{record.blue};
    SetPaletteColour(colour);
    WriteSettings();
}

void CLightControlUI::OnExtraModeSelected() {
    const int m = GetExtraModeSelection();
    if (m < 0 || m > 255) {
        return;
    }
    SetExtraModeSelection(m);
    LightInfoRecord record = CurrentRecord();
    record.zzccLedMode = static_cast<std::uint8_t>(m);
    Apply(record);
}

}  // namespace lightpanel
