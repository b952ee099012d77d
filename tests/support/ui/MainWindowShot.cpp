#include "tests/support/ui/MainWindowShot.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "app/MainWnd.h"
#include "app/MainWndAssembly.h"
#include "app/discovery/DeviceSwitcher.h"
#include "hid/HidBackend.h"
#include "sim/SimulatedMouseRig.h"
#include "ui/ControlLookup.h"
#include "ui/LanguageTexts.h"
#include "ui/Scaling.h"
#include "ui/SkinResources.h"
#include "ui/Theme.h"

namespace testsupport {

void ClickControl(QWidget* root, const char* name) {
    QWidget* control = ui::FindControl(root, QString::fromLatin1(name));
    if (control == nullptr) {
        std::fprintf(stderr, "no control %s\n", name);
        return;
    }
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

int RunMainWindowShot(int argc, char** argv, const std::function<bool(CMainWnd&)>& prepare) {
    if (argc < 2) {
        return 2;
    }
    // Private data folders, so the picture never depends on (or touches) the user's profiles.
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
        // The page opens half a second after the arrival and then reads the mouse.
        QTest::qWait(1500);
        if (!prepare(window)) {
            result = 1;
        } else {
            QTest::qWait(500);
            if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", argv[1]);
                result = 1;
            }
        }
    }
    hid::UseBackend(nullptr);
    rig.reset();
    return result;
}

}  // namespace testsupport
