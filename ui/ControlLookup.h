#pragma once

#include <QString>
#include <QWidget>

namespace ui {

// The control named name anywhere below root (root itself included), or null. Names are
// compared exactly. Null root gives null, so chained lookups of missing controls are harmless.
QWidget* FindControl(const QWidget* root, const QString& name);

// The control named name below parent (parent excluded), or null.
QWidget* FindSubControlByName(const QWidget* parent, const QString& name);

template <class T>
T* FindControlAs(const QWidget* root, const QString& name) {
    return qobject_cast<T*>(FindControl(root, name));
}

// The direct child widgets of parent whose reported class is className, in layout order.
QList<QWidget*> ChildrenOfClass(const QWidget* parent, const QString& className);

}  // namespace ui
