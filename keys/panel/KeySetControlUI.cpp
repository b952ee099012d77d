#include "keys/panel/KeySetControlUI.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "devices/page/PanelPage.h"
#include "keys/panel/KeySetLists.h"
#include "macros/hook/CaptureHookMessage.h"
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/ControlState.h"
#include "ui/LanguageTexts.h"
#include "ui/TabLayout.h"

namespace keypanel {
namespace {

template <class T>
T* Find(const QWidget* root, const char* name) {
    return ui::FindControlAs<T>(root, QString::fromLatin1(name));
}

// Numeric fields take digits only; what the firmware keeps of a value is decided on apply.
void DigitsOnly(QLineEdit* edit) {
    if (edit != nullptr) {
        static const QRegularExpression digits(QStringLiteral("[0-9]{0,5}"));
        edit->setValidator(new QRegularExpressionValidator(digits, edit));
    }
}

}  // namespace

CKeySetControlUI::CKeySetControlUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("KeySetControlUI"));
}

// The page (and its main window) may already be gone: a capture still on is the window's to end.
CKeySetControlUI::~CKeySetControlUI() = default;

void CKeySetControlUI::Attach(IPanelPage* page) {
    page_ = page;
    Bind();
    QWidget* pageWidget = page_ != nullptr ? page_->PageWidget() : nullptr;
    lightPanel_ = Find<QWidget>(pageWidget, "LightControlItem");
    if (auto* picture = Find<ui::TabLayout>(pageWidget, "mouse_device_seting_layout")) {
        connect(picture, &QStackedWidget::currentChanged, this,
                &CKeySetControlUI::OnPicturePageChanged, Qt::UniqueConnection);
    }
    // The light tab shows the same page as the keys tab; there the light panel belongs.
    if (auto* lightTab = Find<QAbstractButton>(pageWidget, "deng_Op_tab")) {
        connect(lightTab, &QAbstractButton::toggled, this, [this](bool on) {
            if (on) {
                CloseKey();
            }
        });
    }
    SetDeviceKind(Mouse() != nullptr ? kMouseKind : kKeyboardKind);
    Refresh();
}

void CKeySetControlUI::Bind() {
    layout_ = Find<QWidget>(this, "keyset_layout");
    function_ = Find<QComboBox>(this, "keyset_function_combo");
    pages_ = Find<ui::TabLayout>(this, "function_switch_tablayout");
    mouseKey_ = Find<QComboBox>(this, "keyset_mousekey_combo");
    swingDirection_ = Find<QComboBox>(this, "keyset_mouseswing_combo");
    swingCount_ = Find<QLineEdit>(this, "keyset_mouseswing_num_edit");
    swingDelay_ = Find<QLineEdit>(this, "keyset_mouseswing_delay_edit");
    swingSpeed_ = Find<QLineEdit>(this, "keyset_mouseswing_speed_edit");
    wheelDirection_ = Find<QComboBox>(this, "keyset_mousewheel_combo");
    wheelCount_ = Find<QLineEdit>(this, "keyset_mousewheel_num_edit");
    wheelDelay_ = Find<QLineEdit>(this, "keyset_mousewheel_delay_edit");
    wheelSpeed_ = Find<QLineEdit>(this, "keyset_mousewheel_speed_edit");
    dpi_ = Find<QComboBox>(this, "keyset_mousedpi_combo");
    fireInterval_ = Find<QLineEdit>(this, "keyset_mousefire_interval_edit");
    fireCount_ = Find<QLineEdit>(this, "keyset_mousefire_num_edit");
    keyText_ = Find<QLineEdit>(this, "keyset_keyboard_text_edit");
    for (int i = 0; i < 5; ++i) {
        modifiers_[i] = ui::FindControlAs<QAbstractButton>(
            this, QStringLiteral("key_ComBox_check_") + QString::number(i));
    }
    media_ = Find<QComboBox>(this, "keyset_media_combo");
    system_ = Find<QComboBox>(this, "keyset_system_combo");
    macro_ = Find<QComboBox>(this, "keyset_macro_combo");
    runMode_ = Find<QComboBox>(this, "keyset_macro_over_combo");
    gun_ = Find<QComboBox>(this, "keyset_gunkey_combo");
    combinationKey_ = Find<QComboBox>(this, "keyset_combokey_combo");
    cycleLayout_ = Find<QWidget>(this, "keyset_macro_cycle_layout");
    cycleCount_ = Find<QLineEdit>(this, "keyset_macro_cycle_edit");
    saveButton_ = Find<QAbstractButton>(this, "key_butt_keysave");
    cancelButton_ = Find<QAbstractButton>(this, "key_butt_keycancel");
    profileSaveButton_ = Find<QAbstractButton>(this, "key_butt_prosave");
    keyName_ = Find<QLabel>(this, "keyset_key_name_text");

    for (QLineEdit* edit : {swingCount_.data(), swingDelay_.data(), swingSpeed_.data(),
                            wheelCount_.data(), wheelDelay_.data(), wheelSpeed_.data(),
                            fireInterval_.data(), fireCount_.data(), cycleCount_.data()}) {
        DigitsOnly(edit);
    }
    if (keyText_ != nullptr) {
        // Keys reach the field through the capture hook, never as typed text.
        keyText_->setReadOnly(true);
        keyText_->installEventFilter(this);
    }
    if (function_ != nullptr) {
        for (int i = 0; i < function_->count(); ++i) {
            if (!function_->itemData(i).isValid()) {
                function_->setItemData(i, i);
            }
        }
    }
    FillCatalogueLists();
    SetButtonsEnabled(false);
}

void CKeySetControlUI::FillCatalogueLists() {
    FillRows(mouseKey_, keys::KeyGroup::Button);
    FillRows(dpi_, keys::KeyGroup::Dpi);
    FillRows(media_, keys::KeyGroup::Media);
    FillRows(system_, keys::KeyGroup::System);
    FillRows(gun_, keys::KeyGroup::Gun);
    FillRows(combinationKey_, keys::KeyGroup::CombinationKey);
}

void CKeySetControlUI::SetDeviceKind(int kind) {
    kind_ = kind;
    if (function_ == nullptr || kind != kKeyboardKind) {
        return;
    }
    // A keyboard has no DPI and no recoil sets.
    for (int number : {kFnDpi, kFnGun}) {
        const int item = function_->findData(number);
        if (item >= 0) {
            function_->removeItem(item);
        }
    }
}

void CKeySetControlUI::ShowPanel(bool show) {
    if (layout_ != nullptr) {
        layout_->setVisible(show);
    }
    setVisible(show);
    if (!show) {
        SetCapture(false);
    }
    ShareCardWithLightPanel(show);
}

void CKeySetControlUI::ShareCardWithLightPanel(bool keyShown) {
    if (lightPanel_ == nullptr) {
        return;
    }
    if (keyShown && !lightPanel_->isHidden()) {
        lightPanel_->setVisible(false);
        lightHidden_ = true;
    } else if (!keyShown && lightHidden_) {
        lightPanel_->setVisible(true);
        lightHidden_ = false;
    }
}

void CKeySetControlUI::OnPicturePageChanged(int page) {
    if (page != 0) {
        CloseKey();
    }
}

void CKeySetControlUI::CloseKey() {
    if (!isHidden()) {
        current_ = {};
        ShowPanel(false);
    }
}

void CKeySetControlUI::SetKey(const KeyRecord& current, const KeyRecord& defaults) {
    current_ = current;
    default_ = defaults;
    ShowCode(current_);
}

void CKeySetControlUI::FillMacroList(const std::vector<std::string>& names) {
    if (macro_ == nullptr) {
        return;
    }
    const QSignalBlocker quiet(macro_);
    macro_->clear();
    for (const std::string& name : names) {
        macro_->addItem(QString::fromStdString(name));
        macro_->setItemData(macro_->count() - 1, QSize(0, 30), Qt::SizeHintRole);
    }
    macro_->setCurrentIndex(-1);
    macro_->setPlaceholderText(names.empty() ? ui::Text(QStringLiteral("keyset_no_macro_text"))
                                             : QString());
}

void CKeySetControlUI::SelectMacro(int number) {
    if (macro_ != nullptr) {
        // A number beyond the list selects nothing.
        macro_->setCurrentIndex(number >= 0 && number < macro_->count() ? number : -1);
    }
}

void CKeySetControlUI::SetCheckedModifier(int option) {
    for (int i = 0; i < 5; ++i) {
        if (modifiers_[i] != nullptr) {
            modifiers_[i]->setChecked(i == option);
        }
    }
}

int CKeySetControlUI::GetCheckedModifier() const {
    for (int i = 0; i < 5; ++i) {
        if (modifiers_[i] != nullptr && modifiers_[i]->isChecked()) {
            return i;
        }
    }
    return -1;
}

void CKeySetControlUI::SetButtonsEnabled(bool enabled) {
    pending_ = enabled;
    for (QAbstractButton* button :
         {saveButton_.data(), cancelButton_.data(), profileSaveButton_.data()}) {
        if (button != nullptr) {
            button->setEnabled(enabled);
        }
    }
}

int CKeySetControlUI::SelectedFunction() const {
    if (function_ == nullptr || function_->currentIndex() < 0) {
        return -1;
    }
    bool ok = false;
    const int number = function_->currentData().toInt(&ok);
    return ok ? number : -1;
}

void CKeySetControlUI::hideEvent(QHideEvent* event) {
    // Leaving the panel (another tab, the light page, another device) ends the key capture.
    SetCapture(false);
    QWidget::hideEvent(event);
}

bool CKeySetControlUI::eventFilter(QObject* watched, QEvent* event) {
    if (watched == keyText_) {
        if (event->type() == QEvent::FocusIn) {
            SetCapture(true);
        } else if (event->type() == QEvent::FocusOut) {
            SetCapture(false);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CKeySetControlUI::SetCapture(bool on) {
    if (on == capturing_ || page_ == nullptr) {
        return;
    }
    QWidget* window = page_->MainWindow();
    if (window == nullptr) {
        return;
    }
    capturing_ = on;
    capture::SendCaptureHookMessage(window, on ? 1 : 0);
}

}  // namespace keypanel
