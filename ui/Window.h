#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "ui/ControlFactory.h"
#include "ui/ControlLookup.h"
#include "ui/Notification.h"

class QEventLoop;

namespace ui {

// Base of every window built from a layout file (WindowImplBase). Create() builds the layout as
// the window's content; the first time the window is shown InitWindow() runs and the window
// receives "windowinit" (sender: the window). Every named control below it notifies Notify().
class Window : public QWidget, public NotifyReceiver {
    Q_OBJECT
public:
    explicit Window(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~Window() override;

    // Builds layoutFile (skin-relative) as the content; extra factory tables and layout
    // elements come from config, and the CreateControl() override is the callback. A window
    // class name is used for the object name when given. Returns false when the layout fails.
    bool Create(const QString& layoutFile, const LoaderConfig& config = {});

    QWidget* Root() const { return root_; }
    QString LayoutError() const { return layoutError_; }

    QWidget* FindControl(const QString& name) const { return ui::FindControl(this, name); }
    template <class T>
    T* FindControl(const QString& name) const {
        return qobject_cast<T*>(ui::FindControl(this, name));
    }

    // Re-resolves every caption, tooltip and the title of the window from the current language.
    void ReapplyTexts();

    // Window timers: "timer" with wParam = id reaches Notify() with the window as sender.
    void SetTimer(int id, int milliseconds, bool singleShot = false);
    void KillTimer(int id);

    void Notify(const Notification& notification) override;

    // A frameless window is moved by dragging the top captionHeight pixels wherever no control
    // takes the press (labels, the logo, empty space). 0 turns it off.
    void SetCaptionHeight(int captionHeight) { captionHeight_ = captionHeight; }

    // Shows the window centred over its parent's window (or on its screen), modal to it, and
    // waits until EndModal: that result; 0 when the window is destroyed meanwhile. onShown runs
    // queued inside the wait, as a user's first action would.
    int ExecModal(const std::function<void()>& onShown = {});
    // Ends the wait with result (nothing waits: only hides).
    void EndModal(int result);
    bool IsModalRunning() const { return modalLoop_ != nullptr; }

protected:
    // Element names the tables do not know; null when unknown.
    virtual QWidget* CreateControl(const QString& element, QWidget* parent);
    // Runs once, before "windowinit", when the window is first shown.
    virtual void InitWindow() {}

    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QWidget* root_ = nullptr;
    QString layoutError_;
    QString titleId_;
    bool initialised_ = false;
    int captionHeight_ = 0;
    QEventLoop* modalLoop_ = nullptr;
    int modalResult_ = 0;
};

}  // namespace ui
