#pragma once

// The macro panel in the assembled main window over the emulated mouse, with the helpers its
// tests share: buttons clicked through the window's routing, menu items chosen as the action
// menu reports them, and the macro files read back.
#include <gtest/gtest.h>
#include <json/json.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "devices/core/MouseDeviceCore.h"
#include "macros/panel/ActionRow.h"
#include "macros/panel/MacroControlUI.h"
#include "tests/support/ui/MainWindowTest.h"
#include "ui/ListContainer.h"

namespace testsupport {

class MacroPanelTest : public MainWindowTest {
protected:
    void SetUp() override;

    template <class T = QWidget>
    T* Find(const char* name) const {
        return window_->FindControl<T>(QString::fromLatin1(name));
    }
    devices::CMouseDeviceCore& Mouse() const;
    macropanel::CMacroControlUI* Panel() const { return panel_; }
    ui::ListContainer* Actions() const { return panel_->ActionList(); }

    void Click(const char* name);
    // A chosen item of the action menu, as the menu reports it to the window.
    void ChooseMenuItem(const char* name);
    // Creates a macro through the add button and leaves it selected.
    void AddMacro();
    void SelectMacro(int index);
    void SelectAction(int index);

    // What a row shows: name label, second label and delay field.
    struct RowView {
        QString name;
        QString second;
        QString delay;
    };
    RowView Row(int index) const;
    std::vector<QString> Delays() const;

    // The selected macro's file, null when absent.
    Json::Value SelectedMacroFile() const;
    std::string Folder() const;

    // Binds mouse button `button` to macro `macro` in the profile and the core.
    void BindButtonToMacro(int button, int macro);

    macropanel::CMacroControlUI* panel_ = nullptr;
};

// The panel with one new macro selected and a clock the test moves, for recordings.
class MacroRecordingPanelTest : public MacroPanelTest {
protected:
    void SetUp() override;
    // A key event as X11 or Wayland delivers it: the XKB keycode as the native scan code.
    void SendKey(QEvent::Type type, int qtKey, quint32 xkbKeycode, bool autoRepeat = false);

    std::uint64_t now_ = 1000;
};

}  // namespace testsupport
