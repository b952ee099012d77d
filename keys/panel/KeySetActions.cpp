// What the panel does with the device: opening a key, applying and saving changes, capture.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <algorithm>

#include "devices/core/MouseDeviceCore.h"
#include "devices/core/MouseRecords.h"
#include "devices/page/PanelPage.h"
#include "keys/KeyCodeBuilders.h"
#include "keys/KeyLookup.h"
#include "keys/panel/KeySetControlUI.h"
#include "keys/panel/KeySetLists.h"
#include "macros/MacroKeyBindings.h"
#include "ui/Dialogs.h"
#include "ui/TabLayout.h"

namespace keypanel {
namespace {

constexpr keys::KeyCode kLeftButton{keys::type::kMouseButton, 0x01, 0};

keys::KeyCode ToKeyCode(const KeyCode& bytes) {
    return keys::KeyCode{bytes[0], bytes[1], bytes[2]};
}

// Taking the left button from the only key that has it would leave the mouse unable to click.
bool IsOnlyLeftButton(const std::vector<KeyListEntry>& list, std::size_t index) {
    if (index >= list.size() || ToKeyCode(list[index].assignment) != kLeftButton) {
        return false;
    }
    return std::count_if(list.begin(), list.end(), [](const KeyListEntry& entry) {
               return ToKeyCode(entry.assignment) == kLeftButton;
           }) == 1;
}

}  // namespace

devices::CMouseDeviceCore* CKeySetControlUI::Mouse() const {
    return page_ != nullptr ? dynamic_cast<devices::CMouseDeviceCore*>(&page_->Core()) : nullptr;
}

void CKeySetControlUI::Refresh() {
    devices::CMouseDeviceCore* mouse = Mouse();
    if (mouse == nullptr) {
        return;
    }
    FillMacroList(mouse->GetMacroNames());
    SetButtonsEnabled(false);
    if (current_.index < 0) {
        return;
    }
    // The open key is shown from the key list as it is now (another profile, a reset).
    const std::vector<KeyListEntry>& list = mouse->GetKeyList();
    const auto index = static_cast<std::size_t>(current_.index);
    if (index >= list.size() || IsOnlyLeftButton(list, index)) {
        current_ = {};
        ShowPanel(false);
        return;
    }
    SetKey({current_.index, ToKeyCode(list[index].assignment)},
           {current_.index, ToKeyCode(list[index].defaultAssignment)});
}

bool CKeySetControlUI::ShowKey(int index) {
    devices::CMouseDeviceCore* mouse = Mouse();
    if (mouse == nullptr) {
        return false;
    }
    const std::vector<KeyListEntry>& list = mouse->GetKeyList();
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) {
        current_ = {};
        ShowPanel(false);
        return false;
    }
    const auto at = static_cast<std::size_t>(index);
    if (IsOnlyLeftButton(list, at)) {
        current_ = {};
        ShowPanel(false);
        ui::CurrentDialogs().ShowMessage(page_->MainWindow(), QStringLiteral("message_text_6"), 1);
        return false;
    }
    FillMacroList(mouse->GetMacroNames());
    SetKey({index, ToKeyCode(list[at].assignment)}, {index, ToKeyCode(list[at].defaultAssignment)});
    SetButtonsEnabled(false);
    ShowKeyName();
    ShowPanel(true);
    return true;
}

void CKeySetControlUI::ShowKeyName() {
    if (keyName_ == nullptr) {
        return;
    }
    const auto index = static_cast<std::size_t>(current_.index);
    keyName_->setText(index < devices::kMouseButtonNameIds.size()
                          ? IdText(devices::kMouseButtonNameIds[index])
                          : QString());
}

void CKeySetControlUI::OnFunctionSelected() {
    const int function = SelectedFunction();
    if (pages_ != nullptr && function >= 0) {
        pages_->SelectItem(function);
    }
    if (function == kFnKeyboard) {
        if (keyText_ != nullptr) {
            keyText_->clear();
        }
        SetCheckedModifier(0);
    }
    if (function == kFnMacro && cycleLayout_ != nullptr && runMode_ != nullptr) {
        cycleLayout_->setVisible(runMode_->currentIndex() == keys::kMacroRepeatMode);
    }
    Apply();
}

void CKeySetControlUI::OnRunModeSelected() {
    if (cycleLayout_ != nullptr && runMode_ != nullptr) {
        cycleLayout_->setVisible(runMode_->currentIndex() == keys::kMacroRepeatMode);
    }
    Apply();
}

void CKeySetControlUI::OnModifierChosen(int option) {
    SetCheckedModifier(option >= 0 && option < 5 ? option : -1);
}

void CKeySetControlUI::OnCapturedKey(std::uint8_t scanCode, bool extended) {
    if (current_.index < 0 || SelectedFunction() != kFnKeyboard) {
        return;
    }
    const keys::KeyRow* row = keys::FindKeyboardRowByScanCode(scanCode, extended);
    if (row == nullptr || row->code.type != keys::type::kKeyboard) {
        return;
    }
    const bool modifier = row->code.p1 != 0 && row->code.p2 == 0;
    if (modifier) {
        SetCheckedModifier(keys::ModifierOptionForBit(row->code.p1));
        if (keyText_ != nullptr) {
            keyText_->clear();
        }
    } else {
        if (GetCheckedModifier() < 0) {
            SetCheckedModifier(0);
        }
        if (keyText_ != nullptr) {
            keyText_->setText(IdText(row->name));
        }
    }
    current_.code.p2 = row->code.p2;
    Apply();
}

void CKeySetControlUI::StoreCurrent() {
    if (devices::CMouseDeviceCore* mouse = Mouse()) {
        const keys::KeyCode code = current_.code;
        mouse->SetKeyAssignment(current_.index, KeyCode{code.type, code.p1, code.p2});
    }
}

void CKeySetControlUI::Apply() {
    if (current_.index < 0) {
        return;
    }
    BuildCode();
    StoreCurrent();
    ShowKeptNumbers();
    SetButtonsEnabled(true);
}

void CKeySetControlUI::SaveToDevice() {
    devices::CMouseDeviceCore* mouse = Mouse();
    if (mouse == nullptr || current_.index < 0) {
        return;
    }
    Apply();
    // A key bound to a macro runs the device's copy: the macros go first when that copy is
    // not the one the macro files give.
    const std::vector<KeyListEntry>& keys = mouse->GetKeyList();
    const bool runsMacros = std::any_of(keys.begin(), keys.end(), [](const KeyListEntry& key) {
        return macros::BoundMacroNumber(key.assignment).has_value();
    });
    if (runsMacros && !mouse->MacroImageIsCurrent()) {
        page_->SendMacros();
    }
    mouse->WriteKeys(0);
    mouse->SaveProfile();
    SetButtonsEnabled(false);
}

void CKeySetControlUI::RestoreDefault() {
    if (current_.index < 0) {
        return;
    }
    ShowDefault();
    SetButtonsEnabled(true);
}

void CKeySetControlUI::Cancel() {
    ShowCurrent();
    SetButtonsEnabled(false);
}

void CKeySetControlUI::SaveToProfile() {
    devices::CMouseDeviceCore* mouse = Mouse();
    if (mouse == nullptr) {
        return;
    }
    page_->SendMacros();
    mouse->WriteKeys(0);
    mouse->SaveProfile();
    SetButtonsEnabled(false);
}

}  // namespace keypanel
