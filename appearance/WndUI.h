#pragma once

#include <QPointer>
#include <QWidget>

namespace appearance {

// Hosts a window of its own (a native or foreign widget) in the layout: the hosted widget
// always covers the control's rectangle and is shown and hidden with it.
class CWndUI : public QWidget {
    Q_OBJECT
public:
    explicit CWndUI(QWidget* parent = nullptr);

    // Takes the widget in as a child (Qt ownership); a previous one is released, not deleted.
    void Attach(QWidget* hosted);
    QWidget* Detach();
    QWidget* Hosted() const { return hosted_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FollowControl();

    QPointer<QWidget> hosted_;
};

}  // namespace appearance
