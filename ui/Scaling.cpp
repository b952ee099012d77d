#include "ui/Scaling.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <algorithm>

namespace ui {
namespace {

double g_scale = 1.0;

// Sets (or with null removes) an environment variable while it lives, then restores it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray* value)
        : name_(name), wasSet_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value != nullptr) {
            qputenv(name_, *value);
        } else {
            qunsetenv(name_);
        }
    }
    ~ScopedEnvironment() {
        if (wasSet_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    bool wasSet_;
    QByteArray old_;
};

QSize LogicalSize(const ScreenProbe& screen) {
    const double desktop = DesktopFactor(screen);
    return QSize(static_cast<int>(screen.size.width() / desktop),
                 static_cast<int>(screen.size.height() / desktop));
}

// The screens as the platform reports them, primary first. The screen size is known only to a
// running application: a short-lived one is asked, with Qt's scaling off so that it sees the
// desktop's own DPI rather than a factor made of it.
std::vector<ScreenProbe> ProbeScreens(int& argc, char** argv) {
    const QByteArray off("0");
    const ScopedEnvironment noDpiScaling("QT_ENABLE_HIGHDPI_SCALING", &off);
    const ScopedEnvironment noGlobalFactor("QT_SCALE_FACTOR", nullptr);
    QGuiApplication probe(argc, argv);
    std::vector<ScreenProbe> screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        ScreenProbe seen{screen->name(), screen->size(), screen->logicalDotsPerInch()};
        if (screen == primary) {
            screens.insert(screens.begin(), seen);
        } else {
            screens.push_back(seen);
        }
    }
    return screens;
}

void SetGlobalFactor(double scale) {
    if (scale == 1.0) {
        return;
    }
    bool ok = false;
    const double desktop = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    const double combined = (ok && desktop > 0.0 ? desktop : 1.0) * scale;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(combined, 'g', 4));
}

}  // namespace

double ScaleForScreen(QSize logicalScreenSize) {
    return logicalScreenSize.width() > 1500 && logicalScreenSize.height() > 960 ? 1.5 : 1.0;
}

double DesktopFactor(const ScreenProbe& screen) {
    return std::max(1.0, screen.logicalDpi / 96.0);
}

QString ScreenScaleFactors(const std::vector<ScreenProbe>& screens) {
    // Qt reads "name=factor;..." or, by position, "factor;factor;...".
    const bool byPosition = std::any_of(screens.begin(), screens.end(), [](const auto& screen) {
        return screen.name.isEmpty() || screen.name.contains(QLatin1Char('=')) ||
               screen.name.contains(QLatin1Char(';'));
    });
    QStringList parts;
    bool anyScaled = false;
    for (const ScreenProbe& screen : screens) {
        const double scale = ScaleForScreen(LogicalSize(screen));
        anyScaled = anyScaled || scale != 1.0;
        const QString factor = QString::number(scale * DesktopFactor(screen), 'g', 4);
        if (byPosition) {
            parts << factor;
        } else if (scale != 1.0) {
            parts << screen.name + QLatin1Char('=') + factor;
        }
    }
    return anyScaled ? parts.join(QLatin1Char(';')) : QString();
}

double ChooseScaleBeforeApplication(int& argc, char** argv) {
    const QByteArray forced = qgetenv("ZORVATH_SCALE");
    if (forced == "150" || forced == "100") {
        g_scale = forced == "150" ? 1.5 : 1.0;
        SetGlobalFactor(g_scale);
        return g_scale;
    }
    g_scale = 1.0;
    if (QGuiApplication::instance() != nullptr) {
        return g_scale;
    }
    const std::vector<ScreenProbe> screens = ProbeScreens(argc, argv);
    if (!screens.empty()) {
        g_scale = ScaleForScreen(LogicalSize(screens.front()));
    }
    if (qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS")) {
        // The user's own factors per screen stay; ours can only be one for all then.
        SetGlobalFactor(g_scale);
        return g_scale;
    }
    const QString factors = ScreenScaleFactors(screens);
    if (!factors.isEmpty()) {
        qputenv("QT_SCREEN_SCALE_FACTORS", factors.toUtf8());
    }
    return g_scale;
}

double CurrentScale() {
    return g_scale;
}

}  // namespace ui
