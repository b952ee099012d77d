#pragma once

#include <QPointer>
#include <QString>

#include "base/ProgramVersion.h"
#include "ui/Window.h"

class QEventLoop;

// The about window: product, software version and home page, run modally over the main window.
class CAboutWnd : public ui::Window {
    Q_OBJECT
public:
    explicit CAboutWnd(QWidget* parent = nullptr);
    ~CAboutWnd() override;

    static QString GetWindowClassName() { return QStringLiteral("AboutWnd"); }
    static QString GetSkinFile() { return QStringLiteral("AboutWnd.xml"); }
    // The program version shown after the "software_rev_text" text.
    static QString VersionString() { return QString::fromStdString(version::Label()); }
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 572;

    bool Build();
    // "software_ver_label" = the language text of "software_rev_text" (resolved through the
    // hidden label "text_test") followed by the version.
    void ShowVersion();
    // The language changed: texts and the version line are resolved again.
    void OnLanguageChanged();

    int ShowModal();

    void Notify(const ui::Notification& notification) override;

protected:
    void InitWindow() override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SyncMaximiseButtons();
    void RenderIllustration();

    QPointer<QWidget> closeButton_, maxButton_, restoreButton_, minButton_, menuButton_;
};

// Opens the about window over mainWindow and waits until it is closed. While it is open
// *aboutWindow points to it (the main window closes it on a tray click); afterwards it is null.
int ShowAboutWindow(QWidget* mainWindow, QPointer<QWidget>* aboutWindow);
