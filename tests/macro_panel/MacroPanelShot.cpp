// Writes a PNG of the main window's macro tab over the emulated mouse with two macros, the
// first holding a short recording, at the scale chosen the way the program chooses it:
//   ZORVATH_SCALE=150 QT_QPA_PLATFORM=offscreen zorvath_macro_panel_shot out.png [recording]
// "recording" leaves a recording running, so that the stop state shows.
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/MainWnd.h"
#include "app/MainWndAssembly.h"
#include "app/discovery/DeviceSwitcher.h"
#include "hid/HidBackend.h"
#include "macros/hook/RecordingMessages.h"
#include "macros/panel/MacroControlUI.h"
#include "sim/SimulatedMouseRig.h"
#include "ui/ControlLookup.h"
#include "ui/LanguageTexts.h"
#include "ui/Notification.h"
#include "ui/Scaling.h"
#include "ui/SkinResources.h"
#include "ui/Theme.h"

namespace {

void Click(QWidget* root, const char* name) {
    QWidget* control = ui::FindControl(root, QString::fromLatin1(name));
    if (control == nullptr) {
        std::fprintf(stderr, "no control %s\n", name);
        return;
    }
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

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
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", (data.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (data.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", data.path().toLocal8Bit());
    ui::ChooseScaleBeforeApplication(argc, argv);
    QApplication app(argc, argv);
    ui::SetSkinFolderForTesting(QStringLiteral(ZORVATH_SOURCE_DIR "/skin"));
    ui::LoadSkinFonts();
    ui::ApplyTheme(app);
    ui::LoadLanguageFile(QStringLiteral("lan_en.xml"));

    auto rig = std::make_unique<sim::CSimulatedMouseRig>();
    hid::UseBackend(rig->bus);
    int result = 0;
    {
        MainWndOptions options;
        options.useTray = false;
        options.useSessionBus = false;
        options.useSystemBus = false;
        options.showAtStart = true;
        CMainWnd window(options);
        AssembleMainWnd(window);
        if (!window.Build()) {
            std::fprintf(stderr, "main window failed: %s\n", qPrintable(window.LayoutError()));
            return 1;
        }
        window.Start();
        auto* switcher = dynamic_cast<discovery::CDeviceSwitcher*>(window.DeviceSwitcher());
        if (switcher == nullptr ||
            !QTest::qWaitFor([&] { return switcher->CurrentDevice() != nullptr; }, 5000)) {
            std::fprintf(stderr, "the emulated mouse did not appear\n");
            return 1;
        }
        QTest::qWait(1500);
        Click(&window, "macro_Op_tab");
        auto* panel =
            window.FindControl<macropanel::CMacroControlUI>(QStringLiteral("MacroControlItem"));
        if (panel == nullptr) {
            std::fprintf(stderr, "no macro panel\n");
            return 1;
        }
        Click(&window, "macro_btn_name_add");
        Click(&window, "macro_btn_name_add");
        panel->SelectMacro(0);
        FillMacro(*panel);
        panel->ActionList()->SelectItem(2);
        if (argc > 2 && std::strcmp(argv[2], "recording") == 0) {
            Click(&window, "macro_btn_starredio");
        }
        QTest::qWait(500);
        if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            result = 1;
        }
        if (panel->IsRecording()) {
            panel->StopRecording();
        }
    }
    hid::UseBackend(nullptr);
    rig.reset();
    return result;
}
