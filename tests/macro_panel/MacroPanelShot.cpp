// Writes a PNG of the main window's macro tab over the emulated mouse with two macros, the
// first holding a short recording, at the scale chosen the way the program chooses it:
//   ZORVATH_SCALE=150 QT_QPA_PLATFORM=offscreen zorvath_macro_panel_shot out.png [recording]
// "recording" leaves a recording running, so that the stop state shows.
#include <cstdio>
#include <cstring>

#include "app/MainWnd.h"
#include "macros/hook/RecordingMessages.h"
#include "macros/panel/MacroControlUI.h"
#include "tests/support/ui/MainWindowShot.h"
#include "ui/ListContainer.h"
#include "ui/Notification.h"

namespace {

// A few events as a user would record and insert them.
void FillMacro(macropanel::CMacroControlUI& panel) {
    std::uint64_t now = 0;
    panel.SetClockForTesting([&now] { return now; });
    panel.StartRecording(1, capture::mode::kAppend);
    const struct {
        std::uint32_t message;
        capture::ScanCode key;
        std::uint64_t after;
    } keys[] = {
        {capture::kKeyDown, {0x1D, false}, 0},    // left Ctrl
        {capture::kKeyDown, {0x2E, false}, 35},   // C
        {capture::kKeyUp, {0x2E, false}, 80},     //
        {capture::kKeyUp, {0x1D, false}, 20},     //
        {capture::kKeyDown, {0x39, false}, 240},  // Space
        {capture::kKeyUp, {0x39, false}, 60},
    };
    for (const auto& k : keys) {
        now += k.after;
        panel.OnRecordedKey(capture::mode::kAppend, capture::KeyRecord{k.message, k.key});
    }
    panel.StopRecording();
    panel.SetClockForTesting({});
    ui::SendNotifyNamed(&panel, QStringLiteral("right_click"), QStringLiteral("menucommand"));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <out.png> [recording]\n", argv[0]);
        return 2;
    }
    const bool recording = argc > 2 && std::strcmp(argv[2], "recording") == 0;
    macropanel::CMacroControlUI* panel = nullptr;
    const int result = testsupport::RunMainWindowShot(argc, argv, [&](CMainWnd& window) {
        testsupport::ClickControl(&window, "macro_Op_tab");
        panel = window.FindControl<macropanel::CMacroControlUI>(QStringLiteral("MacroControlItem"));
        if (panel == nullptr) {
            std::fprintf(stderr, "no macro panel\n");
            return false;
        }
        testsupport::ClickControl(&window, "macro_btn_name_add");
        testsupport::ClickControl(&window, "macro_btn_name_add");
        panel->SelectMacro(0);
        FillMacro(*panel);
        panel->ActionList()->SelectItem(2);
        if (recording) {
            testsupport::ClickControl(&window, "macro_btn_starredio");
        }
        return true;
    });
    return result;
}
