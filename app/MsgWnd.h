#pragma once

#include <functional>
#include <vector>

#include <QPointer>
#include <QString>
#include <QStringList>

#include "ui/Dialogs.h"
#include "ui/Window.h"

class QEventLoop;

// The message box: a title, a text (usually a language text id) and one or two buttons, run
// modally over its parent.
class CMsgWnd : public ui::Window {
    Q_OBJECT
public:
    explicit CMsgWnd(QWidget* parent = nullptr);
    ~CMsgWnd() override;

    static QString GetWindowClassName() { return QStringLiteral("MsgWnd"); }
    // The layout: the resource "XML_MSG" of the skin's resource map.
    static QString GetSkinFile();

    bool Build();
    void SetTitle(const QString& title);
    void SetText(const QString& text, bool isLanguageId);
    // 0: only "confirm_btn"; otherwise "confirm_btn" and "cancel_btn".
    void SetButtons(int buttons);

    // Takes dpi when it is one of 48, 72, ..., 192 and differs from the current value;
    // another value writes "MSG_WND DPI SET ERROR" to the trace and 96 is taken.
    void SetDpi(int dpi);
    int Dpi() const { return dpi_; }

    // Centres over the parent and waits until the window is closed: 1 by "confirm_btn",
    // 0 by "cancel_btn", "closebtn", Escape or the window manager.
    int ShowModal();

    void Notify(const ui::Notification& notification) override;

    // Test seam: called with the window once it is shown modally, so that a test can answer
    // it with real clicks. Null removes the hook.
    using ShownHook = std::function<void(CMsgWnd*)>;
    static void SetShownHookForTesting(ShownHook hook);

protected:
    void InitWindow() override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int dpi_ = 96;
    QWidget* closeButton_ = nullptr;
};

// The one entry point for message boxes: 1 confirmed, 0 cancelled. text is a language text id
// when textIsLanguageId is set; an empty title keeps the layout's title.
int ShowMessage(QWidget* parent, const QString& title, const QString& text, int dpi,
                bool textIsLanguageId, int buttons);

// The dialogs the application installs (ui::InstallDialogs): messages through CMsgWnd at the
// program's scaling, file dialogs through Qt.
class MsgWndDialogs : public ui::Dialogs {
public:
    // From now until Release no message box opens: before the program's window is on screen a
    // box over nothing looks like a hung program, and its event loop would run before the
    // application's. A notice (one button) waits, once per text, and counts as confirmed; a
    // question is answered "cancel" at once, so that nothing is decided unseen.
    void HoldMessages();
    // Shows the notices that waited, one after the other, over their owner (or owner when
    // theirs is gone); from then on messages show at once. Stops when owner is hidden, as it
    // is when the program ends.
    void Release(QWidget* owner);
    bool Holding() const { return holding_; }

    int ShowMessage(QWidget* owner, const QString& textId, int buttonCount,
                    const QStringList& args = {}) override;
    QString GetOpenFileName(QWidget* owner, const QString& title, const QString& folder,
                            const QString& filter) override;
    QString GetSaveFileName(QWidget* owner, const QString& title, const QString& path,
                            const QString& filter) override;

private:
    struct HeldMessage {
        QPointer<QWidget> owner;
        QString textId;
        QStringList args;
    };
    bool holding_ = false;
    std::vector<HeldMessage> held_;
};
