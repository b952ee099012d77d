#include "ui/Scaling.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>

namespace ui {
namespace {

double g_scale = 1.0;

}  // namespace

double ScaleForScreen(QSize logicalScreenSize) {
    return logicalScreenSize.width() > 1500 && logicalScreenSize.height() > 960 ? 1.5 : 1.0;
}

double ChooseScaleBeforeApplication(int& argc, char** argv) {
    double scale = 1.0;
    const QByteArray forced = qgetenv("ZORVATH_SCALE");
    if (forced == "150") {
        scale = 1.5;
    } else if (forced == "100") {
        scale = 1.0;
    } else if (QGuiApplication::instance() == nullptr) {
        // The screen size is known only to a running application: ask a short-lived one.
        QGuiApplication probe(argc, argv);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            scale = ScaleForScreen(screen->size());
        }
    }
    g_scale = scale;
    if (scale != 1.0) {
        bool ok = false;
        const double desktop = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
        const double combined = (ok && desktop > 0.0 ? desktop : 1.0) * scale;
        qputenv("QT_SCALE_FACTOR", QByteArray::number(combined, 'g', 4));
    }
    return scale;
}

double CurrentScale() {
    return g_scale;
}

}  // namespace ui
