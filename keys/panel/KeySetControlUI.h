#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "keys/KeyCode.h"

class IPanelPage;
class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;

namespace devices {
class CMouseDeviceCore;
}
namespace ui {
class TabLayout;
}

namespace keypanel {

// One key's function as the panel edits it: the key's position in the key list and its code.
struct KeyRecord {
    int index = -1;
    keys::KeyCode code;
};

// Function numbers: the user data of the function list's items and the pages of
// "function_switch_tablayout".
enum Function : int {
    kFnDefault = 0,
    kFnMouseButton = 1,
    kFnSwing = 2,
    kFnWheel = 3,
    kFnDpi = 4,
    kFnFire = 5,
    kFnKeyboard = 6,
    kFnMedia = 7,
    kFnSystem = 8,
    kFnMacro = 9,
    kFnGun = 10,
    kFnCombinationKey = 11,
    kFunctionCount = 12,
};

// The key set panel: edits the function of the key chosen in the device picture. Every change
// becomes a key code that is applied to the device's key list at once; the save buttons write
// the key table to the device and save the profile. The root of its layout file.
class CKeySetControlUI : public QWidget {
    Q_OBJECT
public:
    // Device kinds of SetDeviceKind.
    static constexpr int kKeyboardKind = 1;
    static constexpr int kMouseKind = 2;

    explicit CKeySetControlUI(QWidget* parent = nullptr);
    ~CKeySetControlUI() override;

    // Once the page is configured and its profile chosen.
    void Attach(IPanelPage* page);
    // The page shows the core's state again (profile switch or reset, device read): the macro
    // list is refilled, an open key is shown from the new key list and nothing is pending.
    void Refresh();
    // The key at index of the key list was chosen in the device picture. The only key holding
    // the left button is refused with a notice; false when the key is not opened.
    bool ShowKey(int index);

    // Routed events.
    void OnFunctionSelected();          // "keyset_function_combo"
    void OnRunModeSelected();           // "keyset_macro_over_combo"
    void OnModifierChosen(int option);  // "key_ComBox_check_" n
    void OnCapturedKey(std::uint8_t scanCode, bool extended);
    void Apply();           // an edit of any field: BuildCode and store it in the key list
    void SaveToDevice();    // "key_butt_keysave"
    void RestoreDefault();  // "key_butt_keydefalut"
    void Cancel();          // "key_butt_keycancel"
    void SaveToProfile();   // "key_butt_prosave"

    // Operations of the panel.
    void SetDeviceKind(int kind);
    void ShowPanel(bool show);
    void SetKey(const KeyRecord& current, const KeyRecord& defaults);
    void SetCurrentRecord(const KeyRecord& record) { current_ = record; }
    const KeyRecord& CurrentRecord() const { return current_; }
    const KeyRecord& DefaultRecord() const { return default_; }
    void ShowCode(const KeyRecord& record);
    void ShowDefault() { ShowCode(default_); }
    void ShowCurrent() { ShowCode(current_); }
    keys::KeyCode BuildCode();
    void FillMacroList(const std::vector<std::string>& names);
    void SelectMacro(int number);
    void SetCheckedModifier(int option);
    int GetCheckedModifier() const;
    void SetButtonsEnabled(bool enabled);
    bool Pending() const { return pending_; }
    // The function number shown by the function list (-1: none).
    int SelectedFunction() const;

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Bind();
    void FillCatalogueLists();
    void ShowFunction(int function);
    void ShowKeyboardCode(const KeyRecord& record);
    void ShowKeyName();
    void SetCapture(bool on);
    devices::CMouseDeviceCore* Mouse() const;
    // Stores the current record in the device's key list (the key buttons are renamed).
    void StoreCurrent();
    // Numeric fields show what was kept of what was typed.
    void ShowKeptNumbers();

    // The page's light panel shares the card: it steps aside while a key is edited.
    void ShareCardWithLightPanel(bool keyShown);
    // The picture's Buttons | Lighting pages: keys are edited on the Buttons page only.
    void OnPicturePageChanged(int page);
    // Back to idle with the panel hidden (the light panel returns).
    void CloseKey();

    IPanelPage* page_ = nullptr;
    QPointer<QWidget> lightPanel_;
    bool lightHidden_ = false;
    int kind_ = kMouseKind;
    KeyRecord current_;
    KeyRecord default_;
    bool pending_ = false;
    bool capturing_ = false;

    QPointer<QWidget> layout_;
    QPointer<QComboBox> function_;
    QPointer<ui::TabLayout> pages_;
    QPointer<QComboBox> mouseKey_;
    QPointer<QComboBox> swingDirection_;
    QPointer<QLineEdit> swingCount_, swingDelay_, swingSpeed_;
    QPointer<QComboBox> wheelDirection_;
    QPointer<QLineEdit> wheelCount_, wheelDelay_, wheelSpeed_;
    QPointer<QComboBox> dpi_;
    QPointer<QLineEdit> fireInterval_, fireCount_;
    QPointer<QLineEdit> keyText_;
    QPointer<QAbstractButton> modifiers_[5];
    QPointer<QComboBox> media_, system_, macro_, runMode_, gun_, combinationKey_;
    QPointer<QWidget> cycleLayout_;
    QPointer<QLineEdit> cycleCount_;
    QPointer<QAbstractButton> saveButton_, cancelButton_, profileSaveButton_;
    QPointer<QLabel> keyName_;
};

}  // namespace keypanel
