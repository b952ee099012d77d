#include "tests/macro_panel/MacroPanelTestBase.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include "app/discovery/DeviceSwitcher.h"
#include "profiles/JsonFile.h"
#include "ui/Notification.h"

namespace testsupport {

void MacroPanelTest::SetUp() {
    MainWindowTest::SetUp();
    if (HasFatalFailure()) {
        return;
    }
    Click("macro_Op_tab");
    panel_ = Find<macropanel::CMacroControlUI>("MacroControlItem");
    ASSERT_NE(panel_, nullptr);
    ASSERT_NE(Actions(), nullptr);
}

devices::CMouseDeviceCore& MacroPanelTest::Mouse() const {
    return dynamic_cast<devices::CMouseDeviceCore&>(switcher_->CurrentDevice()->Core());
}

void MacroPanelTest::Click(const char* name) {
    auto* button = Find<QAbstractButton>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

void MacroPanelTest::ChooseMenuItem(const char* name) {
    ui::SendNotifyNamed(panel_, QString::fromLatin1(name), QStringLiteral("menucommand"));
}

void MacroPanelTest::AddMacro() {
    Click("macro_btn_name_add");
}

void MacroPanelTest::SelectMacro(int index) {
    ui::ListContainer* names = panel_->NameList();
    ASSERT_NE(names, nullptr);
    ASSERT_NE(names->ElementAt(index), nullptr);
    QTest::mouseClick(names->ElementAt(index), Qt::LeftButton);
    ASSERT_EQ(panel_->Library().Selected(), index);
}

void MacroPanelTest::SelectAction(int index) {
    ASSERT_NE(Actions()->ElementAt(index), nullptr);
    QTest::mouseClick(Actions()->ElementAt(index), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    ASSERT_EQ(Actions()->CurrentSel(), index);
}

MacroPanelTest::RowView MacroPanelTest::Row(int index) const {
    auto* row = qobject_cast<macropanel::CActionRow*>(Actions()->ElementAt(index));
    if (row == nullptr) {
        return {};
    }
    return {row->NameLabel()->text(), row->SecondLabel()->text(), row->DelayEdit()->text()};
}

std::vector<QString> MacroPanelTest::Delays() const {
    std::vector<QString> delays;
    for (int i = 0; i < Actions()->Count(); ++i) {
        delays.push_back(Row(i).delay);
    }
    return delays;
}

std::string MacroPanelTest::Folder() const {
    return panel_->Library().Folder();
}

Json::Value MacroPanelTest::SelectedMacroFile() const {
    const auto& library = panel_->Library();
    if (library.Selected() < 0) {
        return {};
    }
    CJsonFile json;
    return json.readjsonValue(
        Folder() + library.Rows()[static_cast<std::size_t>(library.Selected())].guid + ".mac");
}

void MacroPanelTest::BindButtonToMacro(int button, int macro) {
    std::vector<KeyListEntry> keys = Mouse().GetKeyList();
    ASSERT_LT(static_cast<std::size_t>(button), keys.size());
    keys[static_cast<std::size_t>(button)].assignment = {0x70, static_cast<std::uint8_t>(macro),
                                                         0x01};
    Mouse().Profile().SetKeyList(keys);
    Mouse().SaveProfile();
    Mouse().LoadProfileState();
    ASSERT_EQ(Mouse().GetKeyList()[static_cast<std::size_t>(button)].assignment[0], 0x70);
}

void MacroRecordingPanelTest::SetUp() {
    MacroPanelTest::SetUp();
    if (HasFatalFailure()) {
        return;
    }
    Panel()->SetClockForTesting([this] { return now_; });
    AddMacro();
}

void MacroRecordingPanelTest::SendKey(QEvent::Type type, int qtKey, quint32 xkbKeycode,
                                      bool autoRepeat) {
    QKeyEvent event(type, qtKey, Qt::NoModifier, xkbKeycode, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(window_.get(), &event);
}

}  // namespace testsupport
