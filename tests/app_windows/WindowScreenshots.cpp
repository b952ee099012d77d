// Writes screenshots of the message box and the about window, as the program shows them, at
// 100 % or 150 %: message_box_<scale>.png, message_box_notice_<scale>.png, about_<scale>.png.
#include <cstdio>
#include <string>

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>

#include "app/AboutWnd.h"
#include "app/MsgWnd.h"
#include "ui/LanguageTexts.h"
#include "ui/Scaling.h"
#include "ui/SkinResources.h"
#include "ui/Theme.h"

namespace {

bool SaveGrab(QWidget* window, const QString& path) {
    window->repaint();
    const bool ok = window->grab().save(path);
    std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::string(argv[2]) != "100" && std::string(argv[2]) != "150")) {
        std::fprintf(stderr, "usage: %s <folder> <100|150>\n", argv[0]);
        return 2;
    }
    const QString scale = QString::fromLatin1(argv[2]);
    qputenv("ZORVATH_SCALE", argv[2]);
    ui::ChooseScaleBeforeApplication(argc, argv);
    QApplication app(argc, argv);
    ui::SetSkinFolderForTesting(QStringLiteral(ZORVATH_SOURCE_DIR "/skin"));
    ui::ApplyTheme(app);
    ui::LoadLanguageFile(QStringLiteral("lan_en.xml"));
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    // Grab once the window has been laid out and painted, then answer it.
    CMsgWnd::SetShownHookForTesting([&](CMsgWnd* box) {
        QTimer::singleShot(200, box, [&, box] {
            const QString name = box->FindControl(QStringLiteral("cancel_btn"))->isVisible()
                                     ? QStringLiteral("message_box_")
                                     : QStringLiteral("message_box_notice_");
            ok = SaveGrab(box, out.filePath(name + scale + QStringLiteral(".png"))) && ok;
            box->CloseWithResult(1);
        });
    });
    ShowMessage(nullptr, QString(),
                QStringLiteral("Reset this profile to its factory defaults? Your DPI stages, "
                               "button assignments and lighting will be replaced."),
                96, false, 1);
    ShowMessage(nullptr, QString(),
                QStringLiteral("The profile was exported to your Documents folder."), 96, false, 0);
    CMsgWnd::SetShownHookForTesting(nullptr);

    QPointer<CAboutWnd> about;
    QTimer::singleShot(300, &app, [&] {
        if (about) {
            ok = SaveGrab(about, out.filePath(QStringLiteral("about_") + scale +
                                              QStringLiteral(".png"))) &&
                 ok;
            about->CloseWithResult(0);
        }
    });
    ShowAboutWindow(nullptr, &about);
    return ok ? 0 : 1;
}
