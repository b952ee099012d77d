#include "ui/ListContainer.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/ControlClass.h"
#include "ui/LayoutLoader.h"
#include "ui/Notification.h"
#include "ui/NotifyPump.h"

namespace ui {

ListElement::ListElement(QWidget* parent) : QFrame(parent) {
    SetControlClass(this, QStringLiteral("ListContainerElement"));
    setAttribute(Qt::WA_Hover);
    setProperty("selected", false);
}

void ListElement::SetSelected(bool selected) {
    if (selected_ == selected) {
        return;
    }
    selected_ = selected;
    // The style sheet draws the selected row by this property.
    setProperty("selected", selected);
    style()->unpolish(this);
    style()->polish(this);
    update();
}

ListContainer* ListElement::OwnerList() const {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* list = qobject_cast<ListContainer*>(w)) {
            return list;
        }
    }
    return nullptr;
}

void ListElement::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled()) {
        if (ListContainer* list = OwnerList()) {
            list->ChooseByUser(this);
        }
    }
    QFrame::mousePressEvent(event);
}

void ListElement::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled() && rect().contains(event->pos())) {
        SendNotify(this, QString::fromLatin1(notify::kItemClick));
    }
}

ListContainer::ListContainer(QWidget* parent) : QScrollArea(parent) {
    SetControlClass(this, QStringLiteral("List"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    body_ = new QWidget;
    body_->setObjectName(QStringLiteral("qt_list_body"));
    rows_ = new QVBoxLayout(body_);
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(2);
    rows_->addStretch(1);
    setWidget(body_);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ListContainer::SnapToRow);
}

int ListContainer::RowPitch() const {
    // The rows of a list are made alike; the first one tells their height.
    const ListElement* first = ElementAt(0);
    if (first == nullptr) {
        return 0;
    }
    const int height =
        std::clamp(first->sizeHint().height(), first->minimumHeight(), first->maximumHeight());
    return height > 0 ? height + rows_->spacing() : 0;
}

void ListContainer::FitWholeRows() {
    const int pitch = RowPitch();
    int rest = 0;
    if (pitch > 0) {
        int available = contentsRect().height();
        if (horizontalScrollBar()->isVisible()) {
            available -= horizontalScrollBar()->height();
        }
        const int spacing = rows_->spacing();
        const int whole = std::max(1, (available + spacing) / pitch);
        rest = std::max(0, available - (whole * pitch - spacing));
        verticalScrollBar()->setSingleStep(pitch);
    }
    if (viewportMargins().bottom() != rest) {
        setViewportMargins(0, 0, 0, rest);
    }
    SnapToRow(verticalScrollBar()->value());
}

void ListContainer::SnapToRow(int value) {
    const int pitch = RowPitch();
    QScrollBar* bar = verticalScrollBar();
    if (pitch <= 0 || value % pitch == 0 || value >= bar->maximum()) {
        return;
    }
    // To the nearer row top; the last position is a row top too once the view is whole rows.
    bar->setValue((value + pitch / 2) / pitch * pitch);
}

void ListContainer::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    FitWholeRows();
}

int ListContainer::Count() const {
    return rows_->count() - 1;
}

ListElement* ListContainer::ElementAt(int index) const {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return qobject_cast<ListElement*>(rows_->itemAt(index)->widget());
}

int ListContainer::IndexOf(const ListElement* element) const {
    for (int i = 0; i < Count(); ++i) {
        if (ElementAt(i) == element) {
            return i;
        }
    }
    return -1;
}

int ListContainer::Add(ListElement* element) {
    return Insert(Count(), element);
}

int ListContainer::Insert(int index, ListElement* element) {
    if (element == nullptr) {
        return -1;
    }
    index = std::clamp(index, 0, Count());
    rows_->insertWidget(index, element);
    element->show();
    AttachPump(element);
    if (current_ >= index) {
        ++current_;
    }
    FitWholeRows();
    return index;
}

ListElement* ListContainer::AddFromLayout(const QString& layoutFile, const LoaderConfig& config) {
    auto* element = new ListElement(body_);
    auto* box = new QVBoxLayout(element);
    box->setContentsMargins(0, 0, 0, 0);
    QString error;
    QWidget* content = BuildLayout(layoutFile, element, config, &error);
    if (content == nullptr) {
        delete element;
        return nullptr;
    }
    box->addWidget(content);
    Add(element);
    return element;
}

bool ListContainer::RemoveAt(int index) {
    ListElement* element = ElementAt(index);
    if (element == nullptr) {
        return false;
    }
    rows_->removeWidget(element);
    element->deleteLater();
    element->hide();
    if (current_ == index) {
        current_ = -1;
    } else if (current_ > index) {
        --current_;
    }
    FitWholeRows();
    return true;
}

void ListContainer::RemoveAll() {
    while (Count() > 0) {
        RemoveAt(Count() - 1);
    }
    current_ = -1;
}

void ListContainer::SelectItem(int index, bool notify) {
    if (index < -1 || index >= Count()) {
        return;
    }
    const int was = current_;
    for (int i = 0; i < Count(); ++i) {
        ElementAt(i)->SetSelected(i == index);
    }
    current_ = index;
    if (index >= 0) {
        ensureWidgetVisible(ElementAt(index), 0, 0);
    }
    if (notify && was != index) {
        SendNotify(this, QString::fromLatin1(notify::kItemSelect), index);
    }
}

void ListContainer::ChooseByUser(ListElement* element) {
    const int index = IndexOf(element);
    if (index >= 0) {
        setFocus(Qt::MouseFocusReason);
        SelectItem(index, true);
    }
}

void ListContainer::keyPressEvent(QKeyEvent* event) {
    if (Count() > 0 && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        const int step = event->key() == Qt::Key_Up ? -1 : 1;
        const int next = std::clamp(current_ < 0 ? 0 : current_ + step, 0, Count() - 1);
        SelectItem(next, true);
        return;
    }
    QScrollArea::keyPressEvent(event);
}

}  // namespace ui
