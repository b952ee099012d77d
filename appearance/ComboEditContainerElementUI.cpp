#include "appearance/ComboEditContainerElementUI.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/LayoutLoader.h"
#include "ui/Notification.h"

namespace appearance {

CComboEditContainerElementUI::CComboEditContainerElementUI(QWidget* parent)
    : ui::ListElement(parent) {
    ui::SetControlClass(this, QStringLiteral("ComboEditContainerElement"));
    setFocusPolicy(Qt::ClickFocus);
    EnsureContent();
}

bool CComboEditContainerElementUI::EnsureContent() {
    if (contentBuilt_) {
        return text1_ || text2_ || delayEdit_;
    }
    contentBuilt_ = true;
    QWidget* content = ui::BuildLayout(QLatin1String(kContentLayout), this);
    if (content == nullptr) {
        return false;
    }
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(content);
    text1_ = ui::FindControl(content, QStringLiteral("text1"));
    text2_ = ui::FindControl(content, QStringLiteral("text2"));
    delayEdit_ = qobject_cast<QLineEdit*>(ui::FindControl(content, QStringLiteral("delay_edit")));
    return true;
}

bool CComboEditContainerElementUI::Activate() {
    if (!isEnabled()) {
        return false;
    }
    ui::SendNotify(this, QLatin1String(kItemActivate));
    return true;
}

void CComboEditContainerElementUI::ClearNotes() {
    sawSelectChanged_ = false;
    sawReturn_ = false;
}

void CComboEditContainerElementUI::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled() &&
        (event->modifiers() & Qt::ControlModifier)) {
        // Ctrl adds or removes this row from the selection without touching the others.
        SetSelected(!IsSelected());
        sawSelectChanged_ = true;
        event->accept();
        return;
    }
    const bool wasSelected = IsSelected();
    ui::ListElement::mousePressEvent(event);
    if (IsSelected() != wasSelected) {
        sawSelectChanged_ = true;
    }
}

void CComboEditContainerElementUI::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Activate();
        return;
    }
    ui::ListElement::mouseDoubleClickEvent(event);
}

void CComboEditContainerElementUI::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && isEnabled()) {
        if (Activate()) {
            sawReturn_ = true;
            ui::SendNotify(this, QString::fromLatin1(ui::notify::kReturn));
        }
        return;
    }
    ui::ListElement::keyPressEvent(event);
}

void CComboEditContainerElementUI::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    ui::SendNotify(this, QString::fromLatin1(ui::notify::kMenu), event->globalPos().x(),
                   event->globalPos().y());
}

void CComboEditContainerElementUI::enterEvent(QEnterEvent* event) {
    ui::ListElement::enterEvent(event);
    hot_ = true;
    update();
}

void CComboEditContainerElementUI::leaveEvent(QEvent* event) {
    ui::ListElement::leaveEvent(event);
    hot_ = false;
    update();
}

}  // namespace appearance
