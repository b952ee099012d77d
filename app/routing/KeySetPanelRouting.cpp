#include "app/routing/PanelRouting.h"
#include "keys/panel/KeySetControlUI.h"

namespace routing {
namespace {

void Route(keypanel::CKeySetControlUI* panel, const RoutedEvent& event) {
    switch (event.op) {
        case Op::KeySetSave:
            panel->Apply();
            return;
        case Op::CapturedKey:
            // Only presses choose a key; releases carry nothing new.
            if (event.key != nullptr && capture::IsKeyDownMessage(event.key->message)) {
                panel->OnCapturedKey(event.key->key.code, event.key->key.extended);
            }
            return;
        default:
            break;
    }
    const std::string_view name = event.name;
    if (name == "keyset_function_combo") {
        panel->OnFunctionSelected();
    } else if (name == "keyset_macro_over_combo") {
        panel->OnRunModeSelected();
    } else if (name == "key_ComBox_check_") {
        panel->OnModifierChosen(event.number);
    } else if (name == "key_butt_keysave") {
        panel->SaveToDevice();
    } else if (name == "key_butt_keydefalut") {
        panel->RestoreDefault();
    } else if (name == "key_butt_keycancel") {
        panel->Cancel();
    } else if (name == "key_butt_prosave") {
        panel->SaveToProfile();
    }
}

}  // namespace

std::unique_ptr<ControlHandler> MakeKeySetPanelHandler(CPageDevice& device) {
    return std::make_unique<PanelHandler<keypanel::CKeySetControlUI>>(
        device, &CZelvaneUSBDevice::KeySetPanel, &Route);
}

}  // namespace routing
