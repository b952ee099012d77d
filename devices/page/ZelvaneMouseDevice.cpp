#include "devices/page/ZelvaneMouseDevice.h"

#include <QAbstractButton>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "appearance/DeviceKeyButtonUI.h"
#include "devices/core/MouseDpiRules.h"
#include "devices/page/ControlName.h"

using devices::page::MatchIndexed;
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/ControlState.h"
#include "ui/LanguageTexts.h"
#include "ui/OptionButton.h"
#include "ui/SliderSteps.h"
#include "ui/TabLayout.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
const QString kSettingLayout = QStringLiteral("mouse_device_seting_layout");
const QString kOptionLayout = QStringLiteral("mouse_option_layout");
// A key button's own normal picture, kept while it shows the chosen key's picture.
constexpr char kRestImage[] = "zorvathRestImage";
// Page Up/Down on a DPI slider: ten DPI steps.
constexpr int kDpiPageUnits = 10;

QString Indexed(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + QString::number(n);
}

}  // namespace

CZelvaneMouseDevice::CZelvaneMouseDevice(QWidget* parent, std::shared_ptr<hid::IHidBackend> backend)
    : CZelvaneUSBDevice(parent, std::make_unique<devices::CMouseDeviceCore>(std::move(backend))) {
    ui::SetControlClass(this, QStringLiteral("ZelvaneMouseDevice"));
    const QSize screen = PrimaryScreenPixels();
    Mouse().SetScreenSize(screen.width(), screen.height());
    AttachCore();
}

CZelvaneMouseDevice::~CZelvaneMouseDevice() {
    // The core's threads report to this page: they end before its members do.
    DetachCore();
}

devices::CMouseDeviceCore& CZelvaneMouseDevice::Mouse() {
    return static_cast<devices::CMouseDeviceCore&>(Core());
}

CZelvaneMouseDevice::DpiRow& CZelvaneMouseDevice::Row(int stage) {
    if (!rowsLooked_) {
        rowsLooked_ = true;
        for (int i = 0; i < devices::kMouseDpiStageCount; ++i) {
            DpiRow& row = rows_[static_cast<std::size_t>(i)];
            row.layout = ui::FindControl(this, Indexed("DPI_layout_", i));
            row.check = ui::FindControlAs<QAbstractButton>(this, Indexed("DPI_enable_check_", i));
            row.slider = ui::FindControlAs<QSlider>(this, Indexed("DPI_slider_", i));
            row.edit = ui::FindControlAs<QLineEdit>(this, Indexed("DPI_edit_", i));
            row.colour = ui::FindControlAs<QLabel>(this, Indexed("DPI_color_", i));
        }
    }
    return rows_[static_cast<std::size_t>(std::clamp(stage, 0, devices::kMouseDpiStageCount - 1))];
}

void CZelvaneMouseDevice::BindDeviceControls() {
    ShowPictureLabels();
    keyButtons_.assign(keyButtons_.size(), nullptr);
    lightButtons_.assign(lightButtons_.size(), nullptr);
    ledPreviews_.clear();
    ledPanel_ = nullptr;
    logo_ = nullptr;
    keyPanel_ = nullptr;
    if (GetPageXml().isEmpty()) {
        keyButtons_.clear();
        lightButtons_.clear();
        return;
    }
    QWidget* settings = ui::FindControl(this, kSettingLayout);
    bool keyPanelHoldsKeys = false;
    for (QWidget* panel : ui::ChildrenOfClass(settings, QStringLiteral("SelectPanel"))) {
        // The key panel is the one holding key buttons (the first panel when none does).
        const bool holdsKeys = ui::FindControl(panel, QStringLiteral("key_0")) != nullptr;
        if (keyPanel_ == nullptr || (holdsKeys && !keyPanelHoldsKeys)) {
            keyPanel_ = panel;
            selectPanel_ = panel;
            keyPanelHoldsKeys = holdsKeys;
        }
        for (QWidget* child : ui::ChildrenOfClass(panel, QStringLiteral("DeviceKeyButton"))) {
            auto* button = qobject_cast<appearance::CDeviceKeyButtonUI*>(child);
            if (button == nullptr) {
                continue;
            }
            int number = 0;
            if (MatchIndexed(button->objectName(), QStringLiteral("light_0_"), &number)) {
                if (number >= static_cast<int>(ledPreviews_.size())) {
                    ledPreviews_.resize(static_cast<std::size_t>(number) + 1, nullptr);
                }
                ledPreviews_[static_cast<std::size_t>(number)] = button;
                // Only LEDs the mouse has are lit; the ZR-310 reports none, so its preview
                // controls stay dark.
                if (number < GetLedCount()) {
                    button->ShowLightColour(kWhite, 255);
                }
                if (ledPanel_ == nullptr) {
                    ledPanel_ = panel;
                }
            } else {
                BindKeyAndLightButton(button);
            }
            int userNumber = 0;
            const QString userData = button->property("userdata").toString();
            if (!userData.isEmpty() &&
                MatchIndexed(userData, QStringLiteral("light_"), &userNumber) &&
                userNumber < static_cast<int>(lightButtons_.size())) {
                lightButtons_[static_cast<std::size_t>(userNumber)] = button;
                button->ShowLightColour(kWhite, 255);
            }
            // The tooltip names the logo; its text id does too when the language translates it.
            if (button->toolTip().compare(QStringLiteral("logo"), Qt::CaseInsensitive) == 0 ||
                button->property(ui::kToolTipIdProperty)
                        .toString()
                        .compare(QStringLiteral("logo"), Qt::CaseInsensitive) == 0) {
                logo_ = button;
            }
        }
    }
    if (keyPanel_ == nullptr) {
        return;
    }
    // The sub-panels initialise themselves from the page when their issues bind them; the key
    // set panel waits hidden until a key is chosen.
    if (QWidget* keySet = ui::FindControl(this, QStringLiteral("KeySetControlItem"))) {
        keySet->setVisible(false);
    }
    ApplyDpiLimits();
    for (const char* name :
         {"pointer_speed_slider", "scroll_speed_slider", "double_click_slider"}) {
        auto* slider = Find<QSlider>(name);
        auto* value =
            ui::FindControlAs<QLabel>(this, QString::fromLatin1(name) + QStringLiteral("_value"));
        if (slider != nullptr && value != nullptr) {
            // The value beside a system slider follows it while it moves.
            disconnect(slider, &QSlider::valueChanged, value, nullptr);
            connect(slider, &QSlider::valueChanged, value,
                    [value](int v) { ui::SetPlainText(value, QString::number(v)); });
            ui::SetPlainText(value, QString::number(slider->value()));
        }
    }
    SelectSettingsPage(0);
}

void CZelvaneMouseDevice::SelectSettingsPage(int n) {
    auto* settings = ui::FindControlAs<ui::TabLayout>(this, kSettingLayout);
    if (settings != nullptr) {
        if (n < 0 || n >= settings->Count()) {
            n = 0;
        }
        settings->SelectItem(n);
    }
    const QString selected = Indexed("mouse_device_seting_option_", n);
    for (QWidget* child :
         ui::ChildrenOfClass(ui::FindControl(this, kOptionLayout), QStringLiteral("OptionUI"))) {
        if (auto* option = qobject_cast<QAbstractButton*>(child)) {
            ui::SetSelected(option, child->objectName() == selected);
        }
    }
}

void CZelvaneMouseDevice::ApplyDpiLimits() {
    const devices::DpiLimits limits = Mouse().GetDpiLimits();
    if (limits.sliderMax <= 0) {
        return;  // no device information yet: the layout's range stays
    }
    for (int i = 0; i < devices::kMouseDpiStageCount; ++i) {
        DpiRow& row = Row(i);
        if (row.slider != nullptr) {
            row.slider->setRange(limits.sliderMin, limits.sliderMax);
            // Hundreds of values on a short slider: keys and the wheel reach each one.
            ui::SetSliderSteps(row.slider, 1, kDpiPageUnits);
        }
        if (row.edit != nullptr) {
            // The edit takes any number of DPI up to the maximum; values below 100 DPI are
            // raised when it is left.
            auto* validator = new QIntValidator(limits.editMin, limits.editMax, row.edit);
            delete row.edit->validator();
            row.edit->setValidator(validator);
        }
    }
}

void CZelvaneMouseDevice::ShowStageValue(int stage, int sliderValue, bool active) {
    DpiRow& row = Row(stage);
    if (row.slider != nullptr) {
        const QSignalBlocker quiet(row.slider);
        row.slider->setValue(sliderValue);
        if (active) {
            ui::SetSliderImages(row.slider, QStringLiteral("Control/SliderBar_BK3.png"),
                                QStringLiteral("Control/SliderBar2_Thumb.png"));
        } else {
            ui::SetSliderImages(row.slider, QStringLiteral("Control/SliderBar_BK1.png"),
                                QStringLiteral("Control/SliderBar1_Thumb.png"));
        }
    }
    if (row.edit != nullptr) {
        row.edit->setText(QString::number(sliderValue * Mouse().GetDpiLimits().step));
    }
}

void CZelvaneMouseDevice::ShowDpiStages() {
    const auto views = Mouse().GetDpiStageViews();
    const std::vector<DpiStage> stages = Mouse().GetDpiStages();
    for (int i = 0; i < devices::kMouseDpiStageCount; ++i) {
        const devices::DpiStageView& view = views[static_cast<std::size_t>(i)];
        if (!view.present) {
            continue;
        }
        DpiRow& row = Row(i);
        if (row.layout != nullptr) {
            row.layout->setEnabled(view.enabled);
        }
        if (row.check != nullptr) {
            const QSignalBlocker quiet(row.check);
            row.check->setChecked(view.enabled);
            // The last enabled stage cannot be switched off.
            row.check->setEnabled(view.checkEnabled);
        }
        if (row.colour != nullptr && static_cast<std::size_t>(i) < stages.size()) {
            const DpiStage& stage = stages[static_cast<std::size_t>(i)];
            row.colour->setStyleSheet(
                QStringLiteral("background-color: rgb(%1, %2, %3); border-radius: 5px;")
                    .arg(stage.red)
                    .arg(stage.green)
                    .arg(stage.blue));
        }
        ShowStageValue(i, view.sliderValue, view.active);
    }
}

void CZelvaneMouseDevice::SelectReportRateOption(int index) {
    const int selected = devices::ReportRateOptionIndex(index);
    for (int r = 0; r < devices::kMouseReportRateCount; ++r) {
        if (auto* option =
                ui::FindControlAs<QAbstractButton>(this, Indexed("polling_rate_option_", r))) {
            ui::SetSelected(option, r == selected);
        }
    }
}

void CZelvaneMouseDevice::ShowSystemSettings() {
    const devices::MouseSystemSettings settings = Mouse().GetSystemSettings();
    auto setSlider = [this](const char* name, int value) {
        if (auto* slider = Find<QSlider>(name)) {
            ui::SetSliderValue(slider, value);
        }
    };
    auto setCheck = [this](const char* name, bool on) {
        if (auto* check = Find<QAbstractButton>(name)) {
            ui::SetSelected(check, on);
        }
    };
    setSlider("pointer_speed_slider", settings.mouseSpeed);
    setCheck("pointer_precision_check", settings.pointerPrecision != 0);
    setSlider("double_click_slider", settings.doubleClickTime);
    setSlider("scroll_speed_slider", settings.wheelScorlllinse);
    setCheck("scrolls_page_check", settings.scorllPage != 0);
}

void CZelvaneMouseDevice::RefreshControls() {
    Mouse().RefreshControls();
}

void CZelvaneMouseDevice::OnRefreshControls() {
    RebuildKeyInfoList();
    ShowDpiStages();
    ShowSystemSettings();
    SelectReportRateOption(Mouse().GetReportRateOption());
    RefreshPanels();
}

void CZelvaneMouseDevice::OnDeviceInfoRead() {
    ApplyDpiLimits();
}

void CZelvaneMouseDevice::OnKeyInfoChanged() {
    RebuildKeyInfoList();
}

void CZelvaneMouseDevice::SelectKey(int index) {
    CZelvaneUSBDevice::SelectKey(index);
    // The chosen key keeps its pressed shape over the picture.
    for (std::size_t i = 0; i < keyButtons_.size(); ++i) {
        appearance::CDeviceKeyButtonUI* button = keyButtons_[i];
        if (button == nullptr) {
            continue;
        }
        if (!button->property(kRestImage).isValid()) {
            button->setProperty(kRestImage, button->NormalImage());
        }
        const bool chosen = static_cast<int>(i) == index;
        button->SetNormalImage(chosen && !button->PushedImage().isEmpty()
                                   ? button->PushedImage()
                                   : button->property(kRestImage).toString());
        button->SetSelectMark(chosen && button->PushedImage().isEmpty());
    }
    if (QWidget* keySet = ui::FindControl(this, QStringLiteral("KeySetControlItem"))) {
        keySet->setEnabled(true);
    }
}

void CZelvaneMouseDevice::ShowLedFrame(std::span<const devices::LedColour> leds) {
    const std::size_t count = std::min(leds.size(), ledPreviews_.size());
    for (std::size_t i = 0; i < count; ++i) {
        appearance::CDeviceKeyButtonUI* preview = ledPreviews_[i];
        if (preview != nullptr && preview->isVisible()) {
            preview->ShowLightColour(devices::PreviewColourWord(leds[i]), leds[i].alpha);
        }
    }
    if (ledPanel_ != nullptr && ledPanel_->isVisible() && count > 0) {
        ledPanel_->update();
    }
    if (logo_ != nullptr && selectedLed_ >= 0 &&
        static_cast<std::size_t>(selectedLed_) < leds.size()) {
        const devices::LedColour& led = leds[static_cast<std::size_t>(selectedLed_)];
        logo_->ShowLightColour(devices::PreviewColourWord(led), led.alpha);
    }
    CZelvaneUSBDevice::ShowLedFrame(leds);
}
