// The panel's buttons and the action menu's inserts: moves, deletes and inserted events.
#include <QLineEdit>
#include <array>
#include <span>

#include "macros/editing/ActionCommands.h"
#include "macros/panel/ActionListView.h"
#include "macros/panel/MacroControlUI.h"
#include "ui/ControlLookup.h"

namespace macropanel {
namespace {

using macros::editing::MoveTo;

struct MoveCommand {
    std::string_view button;
    MoveTo where;
};
constexpr std::array kMoveCommands{
    MoveCommand{"macro_btn_up", MoveTo::Up},
    MoveCommand{"macro_btn_down", MoveTo::Down},
    MoveCommand{"macro_btn_uptop", MoveTo::Top},
    MoveCommand{"macro_btn_downbottom", MoveTo::Bottom},
};

// The move buttons: the event's type and direction and the edit holding the distance.
struct MoveInsert {
    std::string_view button;
    macros::EventType type;
    bool down;
    const char* distanceEdit;
};
constexpr std::array kMoveInserts{
    MoveInsert{"macro_inset_moveleftkey_btn", macros::EventType::MoveX, true, "mouse_x_left_edit"},
    MoveInsert{"macro_inset_moverightkey_btn", macros::EventType::MoveX, false,
               "mouse_x_right_edit"},
    MoveInsert{"macro_inset_moveupkey_btn", macros::EventType::MoveY, true, "mouse_y_up_edit"},
    MoveInsert{"macro_inset_movedownkey_btn", macros::EventType::MoveY, false, "mouse_y_down_edit"},
};

}  // namespace

bool CMacroControlUI::RunCommand(std::string_view name) {
    using Handler = void (CMacroControlUI::*)();
    struct ListCommand {
        std::string_view button;
        Handler run;
    };
    static constexpr std::array kListCommands{
        ListCommand{"macro_btn_name_add", &CMacroControlUI::CreateMacro},
        ListCommand{"macro_btn_name_sub", &CMacroControlUI::DeleteMacro},
        ListCommand{"macro_btn_name_edit", &CMacroControlUI::RenameMacro},
        ListCommand{"macro_btn_save", &CMacroControlUI::SaveMacro},
        ListCommand{"macro_btn_cancel", &CMacroControlUI::CancelEdits},
        ListCommand{"macro_btn_import", &CMacroControlUI::ImportMacro},
        ListCommand{"macro_btn_export", &CMacroControlUI::ExportMacro},
        ListCommand{"macro_btn_stopredio", &CMacroControlUI::StopRecording},
    };
    if (recording_ && name != "macro_btn_stopredio") {
        return true;  // the panel is locked while recording
    }
    for (const ListCommand& command : kListCommands) {
        if (command.button == name) {
            (this->*command.run)();
            return true;
        }
    }
    const bool needsMacro = library_.Selected() >= 0;
    for (const MoveCommand& command : kMoveCommands) {
        if (command.button == name) {
            if (needsMacro) {
                ApplyEdit(macros::editing::MoveSelected(EditableList(), command.where), true);
            }
            return true;
        }
    }
    if (name == "macro_btn_delete") {
        if (needsMacro) {
            ApplyEdit(macros::editing::DeleteSelected(EditableList()), true);
        }
        return true;
    }
    if (name == "macro_btn_deleteall") {
        if (needsMacro) {
            ApplyEdit(macros::editing::DeleteAll(EditableList()), true);
        }
        return true;
    }
    for (const MoveInsert& insert : kMoveInserts) {
        if (insert.button == name) {
            InsertMove(name);
            return true;
        }
    }
    return false;
}

void CMacroControlUI::InsertMove(std::string_view buttonName) {
    if (recording_ || library_.Selected() < 0) {
        return;
    }
    for (const MoveInsert& insert : kMoveInserts) {
        if (insert.button != buttonName) {
            continue;
        }
        auto* edit =
            qobject_cast<QLineEdit*>(ui::FindControl(this, QLatin1String(insert.distanceEdit)));
        const std::string text = edit != nullptr ? edit->text().toStdString() : std::string();
        const Json::Value event = macros::editing::MoveEvent(insert.type, insert.down, text);
        ApplyEdit(macros::editing::InsertEvents(EditableList(), std::span(&event, 1),
                                                recorder_.ConstantDelay()),
                  false);
        return;
    }
}

void CMacroControlUI::InsertMenuItem(std::string_view itemName) {
    if (recording_ || library_.Selected() < 0) {
        return;
    }
    const std::vector<Json::Value> events = macros::editing::MenuItemEvents(itemName);
    if (events.empty()) {
        return;
    }
    ApplyEdit(macros::editing::InsertEvents(EditableList(), events, recorder_.ConstantDelay()),
              false);
}

}  // namespace macropanel
