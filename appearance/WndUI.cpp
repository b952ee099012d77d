#include "appearance/WndUI.h"

#include "ui/ControlClass.h"

namespace appearance {

CWndUI::CWndUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("Wnd"));
}

void CWndUI::Attach(QWidget* hosted) {
    if (hosted == hosted_) {
        return;
    }
    Detach();
    hosted_ = hosted;
    if (hosted_ != nullptr) {
        hosted_->setParent(this);
        FollowControl();
    }
}

QWidget* CWndUI::Detach() {
    QWidget* old = hosted_;
    hosted_ = nullptr;
    if (old != nullptr) {
        old->hide();
        old->setParent(nullptr);
    }
    return old;
}

void CWndUI::FollowControl() {
    if (hosted_ == nullptr) {
        return;
    }
    hosted_->setGeometry(rect());
    hosted_->setVisible(isVisible());
}

void CWndUI::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FollowControl();
}

void CWndUI::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FollowControl();
}

void CWndUI::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (hosted_ != nullptr) {
        hosted_->hide();
    }
}

}  // namespace appearance
