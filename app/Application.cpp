#include "app/Application.h"

#include <QApplication>
#include <QBuffer>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/DataFolderSweep.h"
#include "app/MainWnd.h"
#include "app/MainWndAssembly.h"
#include "app/MsgWnd.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "base/AtomicFile.h"
#include "base/ProgramVersion.h"
#include "base/Trace.h"
#include "sim/FaultSwitch.h"
#include "sim/Simulation.h"
#include "ui/Dialogs.h"
#include "ui/LanguageTexts.h"
#include "ui/Scaling.h"
#include "ui/SkinResources.h"
#include "ui/Theme.h"

namespace {

// Time the shown window is given to lay out, load its pages and open the device before a
// screenshot is taken.
constexpr int kScreenshotSettleMs = 2500;

bool SaveScreenshot(QWidget& window, const std::string& path) {
    const QPixmap picture = window.grab();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "PNG")) {
        return false;
    }
    return files::WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size()));
}

}  // namespace

int RunApplication(const CommandLineOptions& options, int argc, char** argv) {
    ui::ChooseScaleBeforeApplication(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zorvath-config"));
    QApplication::setApplicationDisplayName(CMainWnd::ProductName());
    QApplication::setApplicationVersion(QString::fromStdString(std::string(version::kText)));
    QApplication::setQuitOnLastWindowClosed(false);

    CSingleInstance instance;
    if (instance.Acquire() == CSingleInstance::Role::Second) {
        return 0;
    }
    // Only the one running copy sweeps, so no write of another copy is cut short.
    if (const std::size_t swept =
            RemoveStaleTemporariesInDataFolders(std::chrono::system_clock::now())) {
        trace::Linef("stale temporary files removed: %zu", swept);
    }

    const int fonts = ui::LoadSkinFonts();
    trace::Linef("fonts added: %d", fonts);
    ui::ApplyTheme(app);
    ui::LoadLanguageFile(QStringLiteral("lan_en.xml"));
    MsgWndDialogs dialogs;
    dialogs.HoldMessages();  // until the main window is on screen
    ui::InstallDialogs(&dialogs);

    std::unique_ptr<sim::CSimulation> simulation;
    if (options.simulate) {
        std::vector<std::string> notEmulated;
        sim::FaultRates faults;  // checked at start (main): a bad value never gets here
        std::string faultError;
        sim::FaultRatesFromEnvironment(faults, faultError);
        simulation = sim::CSimulation::Start(options.simulatedKinds, &notEmulated, faults);
        for (const std::string& kind : notEmulated) {
            std::fprintf(stderr, "zorvath-config: no emulated %s yet\n", kind.c_str());
        }
    }

    const QIcon icon(ui::LoadPicture(QStringLiteral("common/app_icon.png")));
    QApplication::setWindowIcon(icon);

    MainWndOptions windowOptions;
    windowOptions.useTray = QSystemTrayIcon::isSystemTrayAvailable();
    int exitCode = 0;
    {
        CMainWnd window(windowOptions);
        window.setWindowIcon(icon);
        AssembleMainWnd(window);
        if (!window.Build()) {
            std::fprintf(stderr, "zorvath-config: the main window could not be built: %s\n",
                         qPrintable(window.LayoutError()));
            ui::InstallDialogs(nullptr);
            return 1;
        }
        QObject::connect(&instance, &CSingleInstance::ActivateRequested, &window,
                         &CMainWnd::ActivateMainWindow);
        CQuitSignals quitSignals;
        QObject::connect(&quitSignals, &CQuitSignals::QuitRequested, &window, &CMainWnd::Exit);
        if (!options.screenshotPath.empty()) {
            QObject::connect(
                &window, &CMainWnd::Shown, &window,
                [&window, &options, &exitCode] {
                    QTimer::singleShot(
                        kScreenshotSettleMs, &window, [&window, &options, &exitCode] {
                            if (SaveScreenshot(window, options.screenshotPath)) {
                                trace::Line("screenshot written: " + options.screenshotPath);
                            } else {
                                std::fprintf(stderr, "zorvath-config: could not write %s\n",
                                             options.screenshotPath.c_str());
                                exitCode = 1;
                            }
                        });
                },
                Qt::SingleShotConnection);
        }
        QObject::connect(
            &window, &CMainWnd::Shown, &window,
            [&window, &dialogs] {
                // After the show has been handled: a held message opens a modal loop.
                QMetaObject::invokeMethod(
                    &window, [&window, &dialogs] { dialogs.Release(&window); },
                    Qt::QueuedConnection);
            },
            Qt::SingleShotConnection);
        if (options.quitAfterMs >= 0) {
            QTimer::singleShot(options.quitAfterMs, &window, &CMainWnd::Exit);
        }
        window.Start();
        // An exit during start-up (--quit-after, a signal) has already stopped everything; the
        // quit it queued would be lost on a loop started now.
        if (!window.IsExiting()) {
            QApplication::exec();
        }
        // The window stops its threads and closes its devices before the emulator goes.
    }
    simulation.reset();
    ui::InstallDialogs(nullptr);
    return exitCode;
}
