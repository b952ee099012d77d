#include <QMenu>
#include <QSystemTrayIcon>

#include "app/MainWnd.h"
#include "ui/PopupMenu.h"
#include "ui/SkinResources.h"

// The tray icon: a left click shows or hides the window, the menu comes from the skin's
// "menu.xml". Without a status area there is no tray, and closing the window ends the program.

void CMainWnd::CreateTray() {
    const bool statusArea =
        QSystemTrayIcon::isSystemTrayAvailable() || options_.trayWithoutStatusArea;
    if (!options_.useTray || !statusArea || tray_ != nullptr) {
        return;
    }
    tray_ = new QSystemTrayIcon(windowIcon(), this);
    tray_->setToolTip(ProductName());
    trayMenu_ = ui::BuildPopupMenu(QStringLiteral("XML_TRAY_MENU"), this);
    if (trayMenu_) {
        tray_->setContextMenu(trayMenu_);
    }
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { OnTrayActivated(reason); });
    tray_->show();
}

void CMainWnd::OnTrayActivated(int reason) {
    if (reason == QSystemTrayIcon::Context) {
        // Desktops that show the context menu themselves never get here with one set.
        if (!trayMenu_) {
            SetTimer(kTrayMenuTimer, 10, true);
        }
        return;
    }
    if (reason != QSystemTrayIcon::Trigger) {
        return;
    }
    UpdateNoDeviceLink();
    const bool wasShown = isVisible() && !isMinimized();
    CloseOwnedWindows();
    if (wasShown) {
        hide();
        return;
    }
    AdjustScaling();
    ActivateMainWindow();
}

void CMainWnd::ShowTrayMenu() {
    ui::ShowPopupMenu(QStringLiteral("XML_TRAY_MENU"), this, QCursor::pos());
}
