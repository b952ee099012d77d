// The handlers of the mouse page's DPI, report-rate, system and key-light controls.
#include <QAbstractButton>
#include <QLineEdit>
#include <QSlider>

#include "appearance/DeviceKeyButtonUI.h"
#include "devices/core/MouseDpiRules.h"
#include "devices/page/ControlName.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "profiles/JsonFile.h"
#include "ui/ControlLookup.h"
#include "ui/ControlState.h"
#include "ui/LanguageTexts.h"

namespace {

bool ValidStage(int stage) {
    return stage >= 0 && stage < devices::kMouseDpiStageCount;
}

}  // namespace

void CZelvaneMouseDevice::OnDpiSliderChanged(int stage) {
    if (!ValidStage(stage) || Row(stage).slider == nullptr) {
        return;
    }
    Mouse().SetStageDpi(stage, Row(stage).slider->value());
    ShowDpiStages();
}

void CZelvaneMouseDevice::OnDpiSliderMoving(int stage) {
    if (!ValidStage(stage) || Row(stage).slider == nullptr) {
        return;
    }
    // While dragging only the value follows; nothing is stored or sent.
    if (Row(stage).edit != nullptr) {
        Row(stage).edit->setText(
            QString::number(Row(stage).slider->value() * Mouse().GetDpiLimits().step));
    }
}

void CZelvaneMouseDevice::OnDpiEditKillFocus(int stage) {
    if (!ValidStage(stage) || Row(stage).edit == nullptr) {
        return;
    }
    Mouse().SetStageDpiFromText(stage, Row(stage).edit->text().toStdString());
    ShowDpiStages();
}

void CZelvaneMouseDevice::OnDpiEnableChanged(int stage) {
    if (!ValidStage(stage) || Row(stage).check == nullptr) {
        return;
    }
    // A refused change (the last enabled stage) is put back by showing the stages again.
    Mouse().SetStageEnabled(stage, Row(stage).check->isChecked());
    ShowDpiStages();
}

void CZelvaneMouseDevice::OnTamricDpiSliderMoving(int stage) {
    QWidget* window = GetMainWindow() != nullptr ? GetMainWindow() : this->window();
    auto* slider = ui::FindControlAs<QSlider>(
        window, QStringLiteral("tamric_DPI_slider_") + QString::number(stage));
    auto* edit = ui::FindControlAs<QLineEdit>(
        window, QStringLiteral("tamric_DPI_edit_") + QString::number(stage));
    if (slider != nullptr && edit != nullptr) {
        edit->setText(QString::number(slider->value()));
    }
}

void CZelvaneMouseDevice::OnTamricDpiEditKillFocus(int stage) {
    QWidget* window = GetMainWindow() != nullptr ? GetMainWindow() : this->window();
    auto* edit = ui::FindControlAs<QLineEdit>(
        window, QStringLiteral("tamric_DPI_edit_") + QString::number(stage));
    if (edit == nullptr) {
        return;
    }
    const int value = devices::TamricDpiFromText(edit->text().toStdString());
    edit->setText(QString::number(value));
    if (auto* slider = ui::FindControlAs<QSlider>(
            window, QStringLiteral("tamric_DPI_slider_") + QString::number(stage))) {
        ui::SetSliderValue(slider, value);
    }
}

void CZelvaneMouseDevice::OnReportRateSelected(int index) {
    Mouse().SetReportRate(index);
    SelectReportRateOption(Mouse().GetReportRateOption());
}

void CZelvaneMouseDevice::OnPointerSpeedChanged() {
    if (auto* slider = Find<QSlider>("pointer_speed_slider")) {
        Mouse().SetPointerSpeed(slider->value());
    }
}

void CZelvaneMouseDevice::OnPointerPrecisionChanged() {
    if (auto* check = Find<QAbstractButton>("pointer_precision_check")) {
        Mouse().SetPointerPrecision(check->isChecked());
    }
}

void CZelvaneMouseDevice::OnScrollSpeedChanged() {
    if (auto* slider = Find<QSlider>("scroll_speed_slider")) {
        Mouse().SetScrollSpeed(slider->value());
    }
    if (auto* check = Find<QAbstractButton>("scrolls_page_check")) {
        ui::SetSelected(check, false);
    }
}

void CZelvaneMouseDevice::OnScrollsPageChanged() {
    auto* check = Find<QAbstractButton>("scrolls_page_check");
    if (check == nullptr) {
        return;
    }
    auto* slider = Find<QSlider>("scroll_speed_slider");
    const int lines =
        slider != nullptr ? slider->value() : Mouse().GetSystemSettings().wheelScorlllinse;
    Mouse().SetScrollsPage(check->isChecked(), lines);
}

void CZelvaneMouseDevice::OnDoubleClickChanged() {
    if (auto* slider = Find<QSlider>("double_click_slider")) {
        Mouse().SetDoubleClickTime(slider->value());
    }
}

void CZelvaneMouseDevice::OnKeyLightSelectEnd(const QString& profileJson) {
    auto* panel = ui::FindControl(this, QStringLiteral("mouse_device_key_light"));
    const int ledCount = GetLedCount();
    if (panel == nullptr || ledCount <= 0) {
        return;
    }
    std::vector<char> flags(static_cast<std::size_t>(ledCount), 0);
    bool anySelected = false;
    for (QWidget* child : ui::ChildrenOfClass(panel, QStringLiteral("DeviceKeyButton"))) {
        auto* button = qobject_cast<appearance::CDeviceKeyButtonUI*>(child);
        if (button == nullptr) {
            continue;
        }
        for (const QString& name :
             {button->objectName(), button->property("userdata").toString()}) {
            int number = 0;
            if (!devices::page::MatchIndexed(name, QStringLiteral("light_"), &number) ||
                number >= ledCount) {
                continue;
            }
            const bool on = button->IsSelectMarked() || button->isHidden();
            flags[static_cast<std::size_t>(number)] = on ? 1 : 0;
            anySelected = anySelected || button->IsSelectMarked();
        }
    }
    const bool all = std::all_of(flags.begin(), flags.end(), [](char f) { return f != 0; });
    if (!anySelected || !all) {
        return;
    }
    if (CJsonFile().readjsonValue(profileJson.toStdString()).isNull()) {
        return;
    }
    Mouse().LoadProfileState();
    RefreshControls();
    WriteSettings();
    Mouse().ApplyProfileState();
}
