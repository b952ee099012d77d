// Writes a PNG of the mouse page over the emulated mouse, at the scale chosen the way the
// program chooses it (ZORVATH_SCALE=100 or 150 forces it):
//   ZORVATH_SCALE=150 QT_QPA_PLATFORM=offscreen zorvath_mouse_page_shot out.png [page]
// page: "system" (DPI, report rate, system settings; the default) or "keys".
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>

#include "appearance/DeviceOptionUI.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "hid/HidBackend.h"
#include "profiles/DataFolders.h"
#include "sim/SimulatedMouseRig.h"
#include "ui/LanguageTexts.h"
#include "ui/Scaling.h"
#include "ui/SkinResources.h"
#include "ui/Theme.h"
#include "ui/Window.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <out.png> [system|keys]\n", argv[0]);
        return 2;
    }
    // A private data folder, so the picture never depends on (or touches) the user's profiles.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    ui::ChooseScaleBeforeApplication(argc, argv);
    QApplication app(argc, argv);
    ui::SetSkinFolderForTesting(QStringLiteral(ZORVATH_SOURCE_DIR "/skin"));
    ui::ApplyTheme(app);
    ui::LoadLanguageFile(QStringLiteral("lan_en.xml"));

    sim::CSimulatedMouseRig rig;
    hid::UseBackend(rig.bus);
    const std::string profileId = "2026_01_01_00_00_00_000";
    QFile::copy(
        QStringLiteral(ZORVATH_SOURCE_DIR "/data/DefaultData/mouse.Json"),
        QString::fromStdString(datafolders::GetDeviceDataFolder("mouse") + profileId + ".Json"));

    int result = 0;
    {
        ui::Window window;
        window.resize(800, 592);
        window.setStyleSheet(QStringLiteral("ui--Window { background-color: #101317; }"));
        auto* box = new QVBoxLayout(&window);
        box->setContentsMargins(0, 0, 0, 0);
        CZelvaneMouseDevice* page = devices::page::BuildMousePage(&window);
        if (page == nullptr) {
            std::fprintf(stderr, "mouse page layout failed\n");
            return 1;
        }
        box->addWidget(page);
        page->SetMainWindow(&window);
        page->SetKeyCount(8);
        page->SetLedCount(0);
        page->SetProfileId(QString::fromStdString(profileId));
        page->SetFolderName(QStringLiteral("mouse"));
        page->SetDeviceNumber(1);
        page->BindControls();
        page->OpenCommandInterface(QString::fromStdString(rig.CommandPath()), false);
        page->OpenEventInterface(QString::fromStdString(rig.EventPath()));
        page->OpenDevice();
        const bool keys = argc > 2 && QLatin1String(argv[2]) == QLatin1String("keys");
        page->SetFunctionMode(keys ? 2 : 4);
        if (keys) {
            page->SelectKey(1);
        }
        window.show();
        for (int i = 0; i < 10; ++i) {
            QApplication::processEvents();
        }
        if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            result = 1;
        }
        page->CloseEventInterface();
        page->CloseCommandInterface();
    }
    hid::UseBackend(nullptr);
    return result;
}
