#include "lighting/panel/LightControlUI.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStandardItemModel>

#include "devices/core/MouseDeviceCore.h"
#include "devices/core/UsbDeviceCore.h"
#include "devices/page/PanelPage.h"
#include "lighting/LightModel.h"
#include "ui/ColorPalette.h"
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/ControlState.h"
#include "ui/LanguageTexts.h"
#include "ui/OptionButton.h"
#include "ui/TabLayout.h"

namespace lightpanel {
namespace {

constexpr int kEffectItemHeight = 30;
// The colour a preset button or the swatch shows, as "#RRGGBB".
constexpr char kColourProperty[] = "bkcolor";

QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

Colour ColourOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return kOpaque | (Colour{red} << 16) | (Colour{green} << 8) | Colour{blue};
}

// The value beside a slider follows it while it moves.
void FollowValue(QAbstractSlider* slider, QLabel* value) {
    if (slider == nullptr || value == nullptr) {
        return;
    }
    QObject::connect(slider, &QAbstractSlider::valueChanged, value,
                     [value](int v) { ui::SetPlainText(value, QString::number(v)); });
    ui::SetPlainText(value, QString::number(slider->value()));
}

}  // namespace

CLightControlUI::CLightControlUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, Latin("LightControlUI"));
}

CLightControlUI::~CLightControlUI() = default;

void CLightControlUI::Attach(IPanelPage* page) {
    const bool first = page_ == nullptr;
    page_ = page;
    if (page_ == nullptr) {
        return;
    }
    devices::CUsbDeviceCore& core = page_->Core();
    SetDeviceKind(core.GetDeviceKind());
    const auto device = lighting::DeviceNumberOfKind(core.GetDeviceKind());
    const int max = device ? lighting::MaxLightLevel(*device) : 4;
    core.ReloadNameLists();
    if (auto* mouse = dynamic_cast<devices::CMouseDeviceCore*>(&core)) {
        const lighting::LightNameLists& names = mouse->GetLightNameLists();
        FillEffectList(names.effectNames, names.effectVisibility, max, max);
    }
    if (first) {
        FollowValue(Control(brightness_, "deng_light_slider"),
                    ui::FindControlAs<QLabel>(this, Latin("deng_light_slider_value")));
        FollowValue(Control(speed_, "deng_speed_slider"),
                    ui::FindControlAs<QLabel>(this, Latin("deng_speed_slider_value")));
        // The preset buttons show the colour they stand for.
        for (QWidget* w : findChildren<QWidget*>()) {
            if (w->objectName().startsWith(Latin("color_option_"))) {
                ShowSwatch(w, GetPresetColour(w->objectName().mid(13).toInt()));
            }
        }
        FollowFunctionTabs();
    }
    Refresh();
}

void CLightControlUI::FollowFunctionTabs() {
    QWidget* pageWidget = page_->PageWidget();
    const std::pair<const char*, int> tabs[] = {{"deng_Op_tab", 1}, {"key_Op_tab", 0}};
    for (const auto& [name, picture] : tabs) {
        auto* tab = ui::FindControlAs<QAbstractButton>(pageWidget, Latin(name));
        if (tab == nullptr) {
            continue;
        }
        connect(tab, &QAbstractButton::toggled, this, [this, picture](bool on) {
            if (on) {
                ShowPicturePage(picture);
            }
        });
        if (tab->isChecked()) {
            ShowPicturePage(picture);
        }
    }
}

void CLightControlUI::ShowPicturePage(int page) {
    QWidget* pageWidget = page_ != nullptr ? page_->PageWidget() : nullptr;
    auto* pictures =
        ui::FindControlAs<ui::TabLayout>(pageWidget, Latin("mouse_device_seting_layout"));
    if (pictures == nullptr || !pictures->SelectItem(page)) {
        return;
    }
    for (int n = 0; n < 2; ++n) {
        ui::SetSelected(ui::FindControlAs<QAbstractButton>(
                            pageWidget, Latin("mouse_device_seting_option_") + QString::number(n)),
                        n == page);
    }
}

void CLightControlUI::Refresh() {
    if (page_ != nullptr) {
        ShowLightSettings(page_->Core().GetLightSettings());
    }
}

template <class T>
T* CLightControlUI::Control(QPointer<T>& cache, const char* name) {
    if (cache == nullptr) {
        cache = qobject_cast<T*>(Find(Latin(name)));
    }
    return cache.data();
}

QWidget* CLightControlUI::Find(const QString& name) const {
    return ui::FindControl(this, name);
}

// ---- effect list ----

void CLightControlUI::FillEffectList(const std::vector<std::string>& names,
                                     const std::vector<std::uint8_t>& visible, int maxBrightness,
                                     int maxSpeed) {
    QComboBox* list = Control(effectList_, "light_combo_modeSelect");
    if (list == nullptr) {
        return;
    }
    list->clear();
    auto* view = qobject_cast<QListView*>(list->view());
    auto* model = qobject_cast<QStandardItemModel*>(list->model());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QString id = QString::fromStdString(names[i]);
        const int row = list->count();
        list->addItem(ui::Text(id), id);
        list->setItemData(row, id, ui::kItemTextIdRole);
        list->setItemData(row, QSize(0, kEffectItemHeight), Qt::SizeHintRole);
        const bool shown = i < visible.size() && visible[i] != 0;
        if (view != nullptr) {
            view->setRowHidden(row, !shown);
        }
        // Hidden effects keep their number but cannot be reached by keys or wheel either.
        if (model != nullptr && model->item(row) != nullptr) {
            model->item(row)->setEnabled(shown);
        }
    }
    if (QAbstractSlider* b = Control(brightness_, "deng_light_slider")) {
        b->setRange(0, maxBrightness);
        if (QAbstractSlider* s = Control(speed_, "deng_speed_slider")) {
            s->setRange(0, maxSpeed);
        }
    }
}

void CLightControlUI::SelectEffect(int n) {
    if (QComboBox* list = Control(effectList_, "light_combo_modeSelect")) {
        ui::SetComboIndex(list, n);
    }
    UpdateLayout(deviceKind_, n);
}

int CLightControlUI::GetSelectedEffect() {
    QComboBox* list = Control(effectList_, "light_combo_modeSelect");
    return list != nullptr ? list->currentIndex() : -1;
}

void CLightControlUI::SetCustomGroupSelection(int n) {
    ui::SetComboIndex(Control(customGroups_, "light_combo_custommodeSelect"), n);
}

int CLightControlUI::GetCustomGroupSelection() {
    QComboBox* list = Control(customGroups_, "light_combo_custommodeSelect");
    return list != nullptr ? list->currentIndex() : -1;
}

void CLightControlUI::SetExtraModeSelection(int n) {
    ui::SetComboIndex(Control(extraModes_, "light_combo_ZZCCmodeSelect"), n);
}

int CLightControlUI::GetExtraModeSelection() {
    QComboBox* list = Control(extraModes_, "light_combo_ZZCCmodeSelect");
    return list != nullptr ? list->currentIndex() : -1;
}

// ---- sliders ----

void CLightControlUI::SetBrightness(int v) {
    ui::SetSliderValue(Control(brightness_, "deng_light_slider"), v);
}

int CLightControlUI::GetBrightness() {
    QAbstractSlider* slider = Control(brightness_, "deng_light_slider");
    return slider != nullptr ? slider->value() : 0;
}

void CLightControlUI::SetSpeed(int v) {
    ui::SetSliderValue(Control(speed_, "deng_speed_slider"), v);
}

int CLightControlUI::GetSpeed() {
    QAbstractSlider* slider = Control(speed_, "deng_speed_slider");
    return slider != nullptr ? slider->value() : 0;
}

// ---- colour ----

QLineEdit* CLightControlUI::ChannelEdit(Channel channel) {
    switch (channel) {
        case Channel::Red:
            return Control(red_, "deng_edit_R");
        case Channel::Green:
            return Control(green_, "deng_edit_G");
        case Channel::Blue:
            return Control(blue_, "deng_edit_B");
    }
    return nullptr;
}

void CLightControlUI::SetColourText(Channel channel, const QString& text) {
    if (QLineEdit* edit = ChannelEdit(channel)) {
        edit->setText(text);
    }
}

QString CLightControlUI::GetColourText(Channel channel) {
    QLineEdit* edit = ChannelEdit(channel);
    return edit != nullptr ? edit->text() : QString();
}

void CLightControlUI::SetPaletteColour(Colour colour) {
    colour |= kOpaque;
    if (ui::ColorPalette* palette = Control(palette_, "deng_Color_Pallet")) {
        palette->SetColor(QColor::fromRgba(colour));
    }
    SetSwatchColour(colour);
}

Colour CLightControlUI::GetPaletteColour() {
    ui::ColorPalette* palette = Control(palette_, "deng_Color_Pallet");
    return palette != nullptr ? (palette->Color().rgba() | kOpaque) : kOpaque;
}

void CLightControlUI::SetSwatchColour(Colour colour) {
    ShowSwatch(Control(swatch_, "deng_colordp_btn"), colour | kOpaque);
}

void CLightControlUI::ShowSwatch(QWidget* control, Colour colour) {
    if (control == nullptr) {
        return;
    }
    const QColor shown = QColor::fromRgba(colour);
    const QString name = shown.name(QColor::HexRgb).toUpper();
    control->setProperty(kColourProperty, name);
    // Disabled, the colour fades into the card so that it does not look choosable.
    const QColor card(0x18, 0x1C, 0x22);
    const QColor faded((shown.red() * 3 + card.red() * 7) / 10,
                       (shown.green() * 3 + card.green() * 7) / 10,
                       (shown.blue() * 3 + card.blue() * 7) / 10);
    // The control's own sheet wins over the skin's, whatever the skin's rule says.
    control->setStyleSheet(
        QStringLiteral("*{background-color:%1;} *:disabled{background-color:%2;}")
            .arg(name, faded.name(QColor::HexRgb)));
}

Colour CLightControlUI::GetPresetColour(int n) {
    // Looked up anew each time: presets may come and go with the layout.
    QWidget* preset = Find(Latin("color_option_") + QString::number(n));
    if (preset == nullptr) {
        return 0;
    }
    const QColor colour(preset->property(kColourProperty).toString());
    return colour.isValid() ? (colour.rgba() | kOpaque) : kOpaque;
}

void CLightControlUI::SetMultiColour(bool on) {
    ui::SetSelected(Control(multiColour_, "deng_7color_check"), on, ui::Notifying::Yes);
}

bool CLightControlUI::GetMultiColour() {
    QAbstractButton* option = Control(multiColour_, "deng_7color_check");
    return option != nullptr && option->isChecked();
}

void CLightControlUI::SetDirection(int fx) {
    QAbstractButton* left = Control(left_, "deng_FXL_check");
    QAbstractButton* right = Control(right_, "deng_FXR_check");
    if (left == nullptr || right == nullptr) {
        return;
    }
    ui::SetSelected(left, fx != 0);
    ui::SetSelected(right, fx == 0);
}

void CLightControlUI::ShowChannels(const LightInfoRecord& record) {
    SetColourText(Channel::Red, QString::number(record.red));
    SetColourText(Channel::Green, QString::number(record.green));
    SetColourText(Channel::Blue, QString::number(record.blue));
}

// ---- showing a setting ----

void CLightControlUI::ShowLightSettings(const LightInfoRecord& record) {
    SelectEffect(record.selectItem);
    SetBrightness(record.light);
    SetSpeed(record.speed);
    ShowChannels(record);
    const Colour colour = ColourOf(record.red, record.green, record.blue);
    SetPaletteColour(colour);
    SetSwatchColour(colour);
    SetMultiColour(record.multiColor != 0);
    SetDirection(record.fx);
    UpdateLayout(deviceKind_, record.selectItem);
}

void CLightControlUI::ShowSameModeButton(bool show) {
    if (QWidget* button = Control(sameMode_, "deng_same_mode")) {
        button->setVisible(show && sameModeAllowed_);
    }
}

void CLightControlUI::SetSameModeAllowed(bool allowed) {
    sameModeAllowed_ = allowed;
    UpdateLayout(deviceKind_, GetSelectedEffect());
}

}  // namespace lightpanel
