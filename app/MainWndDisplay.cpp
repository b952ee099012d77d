#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "app/MainWnd.h"
#include "base/Trace.h"
#include "ui/Notification.h"

// The window on its screen: its size at the screen's factor, and what follows a change of the
// screen it is on or of that screen's resolution.

void CMainWnd::AdjustScaling() {
    // The factors were chosen per screen before the application existed (ui::Scaling); here
    // the window takes its size at its screen's factor and is centred on that screen.
    if (isMaximized() || isMinimized()) {
        showNormal();
    }
    resize(kScaledWidth, kScaledHeight);
    QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void CMainWnd::WatchDisplay() {
    QWindow* window = windowHandle();
    if (displayWatched_ || window == nullptr) {
        return;
    }
    displayWatched_ = true;
    connect(window, &QWindow::screenChanged, this, &CMainWnd::OnScreenChanged);
    WatchScreen(window->screen());
}

void CMainWnd::WatchScreen(QScreen* screen) {
    if (watchedScreen_ == screen) {
        return;
    }
    if (watchedScreen_) {
        disconnect(watchedScreen_, &QScreen::geometryChanged, this, nullptr);
    }
    watchedScreen_ = screen;
    if (screen != nullptr) {
        connect(screen, &QScreen::geometryChanged, this, [this] { OnDisplayChanged(); });
    }
}

void CMainWnd::OnScreenChanged(QScreen* screen) {
    WatchScreen(screen);
    // Qt draws the window at the new screen's factor by itself and keeps its logical size; the
    // window stays where the user put it (it may be in the middle of being dragged there).
    if (screen != nullptr) {
        trace::Linef("MAIN_WND screen %s, %dx%d, factor %.2f", qPrintable(screen->name()),
                     screen->size().width(), screen->size().height(), screen->devicePixelRatio());
    }
    if (!isMaximized() && !isMinimized() && size() != QSize(kScaledWidth, kScaledHeight)) {
        resize(kScaledWidth, kScaledHeight);
    }
}

void CMainWnd::OnDisplayChanged() {
    // The resolution of the window's screen changed: the window is sized and centred again
    // once "root" reports the window size to settle.
    displayChanged_ = true;
    if (QWidget* root = Root()) {
        ui::SendNotify(root, QString::fromLatin1(kWindowSize));
    }
}

void CMainWnd::OnWindowSize() {
    if (!displayChanged_) {
        return;
    }
    displayChanged_ = false;
    AdjustScaling();
}
