#include "ui/ControlLookup.h"

#include "ui/ControlClass.h"

namespace ui {

QWidget* FindControl(const QWidget* root, const QString& name) {
    if (root == nullptr || name.isEmpty()) {
        return nullptr;
    }
    if (root->objectName() == name) {
        return const_cast<QWidget*>(root);
    }
    return root->findChild<QWidget*>(name);
}

QWidget* FindSubControlByName(const QWidget* parent, const QString& name) {
    if (parent == nullptr || name.isEmpty()) {
        return nullptr;
    }
    return parent->findChild<QWidget*>(name);
}

QList<QWidget*> ChildrenOfClass(const QWidget* parent, const QString& className) {
    QList<QWidget*> found;
    if (parent == nullptr) {
        return found;
    }
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (ControlClass(child) == className) {
            found.append(child);
        }
    }
    return found;
}

}  // namespace ui
