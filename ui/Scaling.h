#pragma once

#include <QSize>
#include <QString>
#include <vector>

namespace ui {

// The program is drawn at 150 % on screens whose logical size (after the desktop's own scaling)
// is above 1500 x 960, else at 100 %. The factor belongs to each screen: Qt draws a window at
// the factor of the screen it is on, so a window moved to a larger screen grows there. Qt takes
// the factors only before the QApplication exists.

// 1.0 or 1.5 for a screen of the given logical size.
double ScaleForScreen(QSize logicalScreenSize);

// A screen as the probe before the application sees it, without Qt's scaling: its size and
// logical DPI as the platform reports them.
struct ScreenProbe {
    QString name;
    QSize size;
    double logicalDpi = 96.0;
};

// The desktop's own factor of a screen (its logical DPI over 96, at least 1).
double DesktopFactor(const ScreenProbe& screen);

// The QT_SCREEN_SCALE_FACTORS value that draws each screen at the desktop's factor times the
// program's: empty when every screen is drawn at 100 %. Named screens are listed by name (those
// at 150 % only); when a screen has no name every screen is listed by its position.
QString ScreenScaleFactors(const std::vector<ScreenProbe>& screens);

// Chooses the factors before constructing QApplication. ZORVATH_SCALE=100 or 150 forces one
// factor for every screen (tests, screenshots; QT_SCALE_FACTOR, multiplied into any value
// already set); otherwise a short-lived probe application reads every screen and the factors go
// to QT_SCREEN_SCALE_FACTORS (left alone when the user set it: then the primary screen's factor
// is taken for all, as with a forced one). Returns the primary screen's factor.
double ChooseScaleBeforeApplication(int& argc, char** argv);

// The primary screen's factor chosen at start (1.0 when ChooseScaleBeforeApplication was not
// called).
double CurrentScale();

}  // namespace ui
