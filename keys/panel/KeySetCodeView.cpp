// Between key codes and the panel's fields: showing a code and building one from the fields.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

#include "keys/KeyChoices.h"
#include "keys/KeyCodeBuilders.h"
#include "keys/KeyLookup.h"
#include "keys/panel/KeySetControlUI.h"
#include "keys/panel/KeySetLists.h"
#include "ui/TabLayout.h"

namespace keypanel {
namespace {

using keys::KeyCode;
using keys::KeyGroup;

// A field's decimal text; anything that is not a decimal number reads as 0.
std::uint32_t Number(const QLineEdit* edit) {
    if (edit == nullptr) {
        return 0;
    }
    bool ok = false;
    const uint value = edit->text().trimmed().toUInt(&ok, 10);
    return ok ? value : 0;
}

void SetNumber(QLineEdit* edit, unsigned value) {
    if (edit != nullptr) {
        edit->setText(QString::number(value));
    }
}

void Select(QComboBox* combo, int index) {
    if (combo != nullptr) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

int Selected(const QComboBox* combo) {
    return combo != nullptr ? combo->currentIndex() : -1;
}

// The row of group at the list's selection, or the fallback when nothing valid is selected.
KeyCode RowCode(const QComboBox* combo, KeyGroup group, KeyCode fallback) {
    const keys::KeyRow* row = keys::RowAt(keys::RowsOf(group), Selected(combo));
    return row != nullptr ? row->code : fallback;
}

// The first row of group whose code matches by the given test, or -1.
template <class Match>
int FindRow(KeyGroup group, Match match) {
    const auto rows = keys::RowsOf(group);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (match(rows[i].code)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ExactRow(KeyGroup group, KeyCode code) {
    return FindRow(group, [&](KeyCode row) { return row == code; });
}

}  // namespace

void CKeySetControlUI::ShowFunction(int function) {
    if (function_ != nullptr) {
        function_->setCurrentIndex(function >= 0 ? function_->findData(function) : -1);
    }
    if (pages_ != nullptr) {
        // No function shows the first page (its hint) under an empty list.
        pages_->SelectItem(function >= 0 ? function : kFnDefault);
    }
}

void CKeySetControlUI::ShowCode(const KeyRecord& record) {
    const KeyCode code = record.code;
    if (code == default_.code) {
        ShowFunction(kFnDefault);
        return;
    }
    int function = -1;
    switch (code.type) {
        case keys::type::kMouseButton:
            Select(mouseKey_,
                   FindRow(KeyGroup::Button, [&](KeyCode row) { return row.p1 == code.p1; }));
            function = kFnMouseButton;
            break;
        case keys::type::kHorizontalSwing:
        case keys::type::kWheelSwing: {
            const bool tilt = code.type == keys::type::kHorizontalSwing;
            const keys::SwingParams swing = keys::DecodeSwing(code);
            SetNumber(tilt ? swingDelay_ : wheelDelay_, swing.delay);
            SetNumber(tilt ? swingSpeed_ : wheelSpeed_, swing.speed);
            SetNumber(tilt ? swingCount_ : wheelCount_, swing.count);
            Select(tilt ? swingDirection_ : wheelDirection_, swing.rightOrDown ? 1 : 0);
            function = tilt ? kFnSwing : kFnWheel;
            break;
        }
        case keys::type::kDpi:
            Select(dpi_, FindRow(KeyGroup::Dpi, [&](KeyCode row) { return row.p1 == code.p1; }));
            function = kFnDpi;
            break;
        case keys::type::kFire:
            SetNumber(fireInterval_, code.p1);
            SetNumber(fireCount_, code.p2);
            function = kFnFire;
            break;
        case keys::type::kKeyboard:
            ShowKeyboardCode(record);
            return;
        case keys::type::kMedia:
            Select(media_, ExactRow(KeyGroup::Media, code));
            function = kFnMedia;
            break;
        case keys::type::kSystem:
            Select(system_, ExactRow(KeyGroup::System, code));
            function = kFnSystem;
            break;
        case keys::type::kMacro:
        case keys::type::kMacroRepeat: {
            const bool repeat = code.type == keys::type::kMacroRepeat;
            SelectMacro(code.p1);
            Select(runMode_, repeat ? keys::kMacroRepeatMode : code.p2);
            if (repeat) {
                SetNumber(cycleCount_, code.p2);
            }
            if (cycleLayout_ != nullptr) {
                cycleLayout_->setVisible(repeat);
            }
            function = kFnMacro;
            break;
        }
        case keys::type::kGun:
            Select(gun_, code.p1);
            function = kFnGun;
            break;
        case 0xb0:
            function = kFnCombinationKey;
            break;
        default:
            break;
    }
    ShowFunction(function);
}

void CKeySetControlUI::ShowKeyboardCode(const KeyRecord& record) {
    const KeyCode code = record.code;
    const bool showingCurrent = record.index == current_.index && code == current_.code;
    if (code.p1 > 0x80 || (code.p1 != 0 && ExactRow(KeyGroup::CombinationKey, code) >= 0)) {
        // A code that is one of the combination keys shows as that choice, so the user finds
        // it where it was chosen.
        Select(combinationKey_, ExactRow(KeyGroup::CombinationKey, code));
        ShowFunction(kFnCombinationKey);
        return;
    }
    const keys::KeyRow* key = keys::FindKeyboardRowByUsage(code.p2);
    if (code.p1 == 0) {
        if (key != nullptr) {
            SetCheckedModifier(0);
        } else {
            SetCheckedModifier(-1);
            if (showingCurrent) {
                current_.code.p1 = 0;
                current_.code.p2 = 0;
            }
        }
    } else {
        // Right-hand modifiers show as the left-hand option (the firmware gets left-hand ones).
        SetCheckedModifier(keys::ModifierOptionForBit(code.p1));
    }
    if (keyText_ != nullptr) {
        keyText_->setText(key != nullptr ? IdText(key->name) : QString());
    }
    ShowFunction(kFnKeyboard);
}

KeyCode CKeySetControlUI::BuildCode() {
    KeyCode code = current_.code;
    switch (SelectedFunction()) {
        case kFnMouseButton:
            code = RowCode(mouseKey_, KeyGroup::Button, code);
            break;
        case kFnSwing:
            code =
                keys::MakeSwingCode(keys::type::kHorizontalSwing, Selected(swingDirection_) == 1,
                                    Number(swingCount_), Number(swingDelay_), Number(swingSpeed_));
            break;
        case kFnWheel:
            code =
                keys::MakeSwingCode(keys::type::kWheelSwing, Selected(wheelDirection_) == 1,
                                    Number(wheelCount_), Number(wheelDelay_), Number(wheelSpeed_));
            break;
        case kFnDpi:
            code = RowCode(dpi_, KeyGroup::Dpi, code);
            break;
        case kFnFire:
            code = keys::MakeFireCode(Number(fireInterval_), Number(fireCount_));
            break;
        case kFnKeyboard: {
            const bool noKey = keyText_ == nullptr || keyText_->text().isEmpty();
            code = keys::MakeKeyboardCode(keys::ModifierBitForOption(GetCheckedModifier()),
                                          noKey ? 0 : current_.code.p2);
            break;
        }
        case kFnMedia:
            code = RowCode(media_, KeyGroup::Media, code);
            break;
        case kFnSystem:
            code = RowCode(system_, KeyGroup::System, code);
            break;
        case kFnMacro: {
            // Without a chosen macro the key keeps what it has.
            const int macro = Selected(macro_);
            if (macro < 0) {
                break;
            }
            const int mode = std::max(Selected(runMode_), 0);
            code = keys::MakeMacroCode(static_cast<std::uint32_t>(macro), mode, Number(cycleCount_))
                       .value_or(code);
            break;
        }
        case kFnGun:
            code = RowCode(gun_, KeyGroup::Gun, code);
            break;
        case kFnCombinationKey:
            code = RowCode(combinationKey_, KeyGroup::CombinationKey, code);
            break;
        default:
            code = default_.code;
            break;
    }
    current_.code = code;
    return code;
}

void CKeySetControlUI::ShowKeptNumbers() {
    const KeyCode code = current_.code;
    switch (SelectedFunction()) {
        case kFnSwing:
        case kFnWheel: {
            const bool tilt = SelectedFunction() == kFnSwing;
            const keys::SwingParams swing = keys::DecodeSwing(code);
            SetNumber(tilt ? swingDelay_ : wheelDelay_, swing.delay);
            SetNumber(tilt ? swingSpeed_ : wheelSpeed_, swing.speed);
            SetNumber(tilt ? swingCount_ : wheelCount_, swing.count);
            break;
        }
        case kFnFire:
            SetNumber(fireInterval_, code.p1);
            SetNumber(fireCount_, code.p2);
            break;
        case kFnMacro:
            if (code.type == keys::type::kMacroRepeat) {
                SetNumber(cycleCount_, code.p2);
            }
            break;
        default:
            break;
    }
}

}  // namespace keypanel
