#include "app/AboutWnd.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

#include "appearance/AppearanceControls.h"
#include "appearance/ControlPictures.h"
#include "base/Trace.h"
#include "ui/LanguageTexts.h"

CAboutWnd::CAboutWnd(QWidget* parent) : ui::Window(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    // The window name is two blanks: nothing to show in a title.
    setWindowTitle(QStringLiteral("  "));
    setAttribute(Qt::WA_TranslucentBackground);
}

CAboutWnd::~CAboutWnd() = default;

bool CAboutWnd::Build() {
    ui::LoaderConfig config;
    config.tables.push_back(appearance::AppearanceControlTable());
    if (!Create(GetSkinFile(), config)) {
        return false;
    }
    setWindowTitle(QStringLiteral("  "));
    resize(kWidth, kHeight);
    return true;
}

void CAboutWnd::InitWindow() {
    closeButton_ = FindControl(QStringLiteral("closebtn"));
    maxButton_ = FindControl(QStringLiteral("maxbtn"));
    restoreButton_ = FindControl(QStringLiteral("restorebtn"));
    minButton_ = FindControl(QStringLiteral("minbtn"));
    menuButton_ = FindControl(QStringLiteral("menubtn"));
    RenderIllustration();
}

void CAboutWnd::RenderIllustration() {
    // A vector picture drawn at the label's size, so it stays sharp at 150 %.
    auto* image = FindControl<QLabel>(QStringLiteral("about_device_img"));
    if (image == nullptr) {
        return;
    }
    const QString picture = image->property("picture").toString();
    if (picture.isEmpty()) {
        return;
    }
    const QPixmap pixmap =
        appearance::RenderSkinSvg(picture, image->minimumSize(), image->devicePixelRatioF());
    if (!pixmap.isNull()) {
        image->setPixmap(pixmap);
    }
}

void CAboutWnd::ShowVersion() {
    auto* probe = FindControl<QLabel>(QStringLiteral("text_test"));
    auto* version = FindControl<QLabel>(QStringLiteral("software_ver_label"));
    if (version == nullptr) {
        return;
    }
    QString text;
    if (probe != nullptr) {
        ui::SetTextId(probe, QStringLiteral("software_rev_text"));
        text = probe->text();
    } else {
        text = ui::Text(QStringLiteral("software_rev_text"));
    }
    // A text without a trailing blank would run into the version.
    if (!text.isEmpty() && !text.back().isSpace()) {
        text += QLatin1Char(' ');
    }
    // The line is built here, not a text id: re-resolving it must not overwrite it.
    version->setProperty(ui::kTextIdProperty, QVariant());
    version->setText(text + VersionString());
}

void CAboutWnd::OnLanguageChanged() {
    ReapplyTexts();
    ShowVersion();
    update();
}

int CAboutWnd::ShowModal() {
    return ExecModal();
}

void CAboutWnd::Notify(const ui::Notification& notification) {
    if (notification.type == QLatin1String(ui::notify::kTimer)) {
        if (notification.sender == this && notification.wParam == 1) {
            KillTimer(1);
        }
        return;
    }
    if (notification.type != QLatin1String(ui::notify::kClick)) {
        return;  // "selectchanged" and "itemselect" have nothing to do here
    }
    const QString& name = notification.senderName;
    if (name == QLatin1String("closebtn")) {
        EndModal(0);
    } else if (name == QLatin1String("minbtn")) {
        showMinimized();
    } else if (name == QLatin1String("maxbtn")) {
        showMaximized();
    } else if (name == QLatin1String("restorebtn")) {
        showNormal();
    }
    // "homepage_btn" and "menubtn" have no action.
}

void CAboutWnd::SyncMaximiseButtons() {
    const bool maximised = isMaximized();
    if (maxButton_) {
        maxButton_->setVisible(!maximised);
    }
    if (restoreButton_) {
        restoreButton_->setVisible(maximised);
    }
}

void CAboutWnd::changeEvent(QEvent* event) {
    ui::Window::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        SyncMaximiseButtons();
    }
}

void CAboutWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        EndModal(0);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();  // no default button to press
        return;
    }
    ui::Window::keyPressEvent(event);
}

void CAboutWnd::closeEvent(QCloseEvent* event) {
    // Closing the about window closes only the about window; the program goes on.
    if (IsModalRunning()) {
        EndModal(0);
    }
    event->accept();
}

int ShowAboutWindow(QWidget* mainWindow, QPointer<QWidget>* aboutWindow) {
    QPointer<CAboutWnd> window = new CAboutWnd(mainWindow);
    if (!window->Build()) {
        trace::Line("ABOUT_WND LAYOUT ERROR");
        delete window.data();
        return 0;
    }
    window->ShowVersion();
    if (aboutWindow != nullptr) {
        *aboutWindow = window;
    }
    const int result = window->ShowModal();
    if (aboutWindow != nullptr) {
        *aboutWindow = nullptr;
    }
    delete window.data();
    return result;
}
