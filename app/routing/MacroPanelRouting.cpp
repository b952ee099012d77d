#include "app/routing/PanelRouting.h"
#include "macros/panel/MacroControlUI.h"
#include "ui/PopupMenu.h"

namespace routing {
namespace {

bool IsMoveInsert(std::string_view name) {
    return name.starts_with("macro_inset_");
}

void Route(macropanel::CMacroControlUI* panel, const RoutedEvent& event) {
    switch (event.op) {
        case Op::StartRecording:
            panel->StartRecording(event.argument, event.argument2);
            return;
        case Op::RecordedKey:
            if (event.key != nullptr) {
                panel->OnRecordedKey(event.argument, *event.key);
            }
            return;
        case Op::RecordedMouse:
            if (event.mouse != nullptr) {
                panel->OnRecordedMouse(event.argument, *event.mouse);
            }
            return;
        case Op::MacroSave:
            if (!panel->IsRecording()) {
                panel->SaveMacro();
            }
            return;
        case Op::Control:
            break;
        default:
            return;
    }
    const ui::Notification* n = event.notification;
    if (n != nullptr && n->type == QLatin1String(ui::kMenuCommand)) {
        panel->InsertMenuItem(event.name);
    } else if (event.name == "macro_name_list") {
        if (n != nullptr) {
            panel->SelectMacro(static_cast<int>(n->wParam));
        }
    } else if (IsMoveInsert(event.name)) {
        // The route saves next.
        panel->InsertMove(event.name);
    } else {
        panel->RunCommand(event.name);
    }
}

}  // namespace

std::unique_ptr<ControlHandler> MakeMacroPanelHandler(CPageDevice& device) {
    return std::make_unique<PanelHandler<macropanel::CMacroControlUI>>(
        device, &CZelvaneUSBDevice::MacroPanel, &Route);
}

}  // namespace routing
