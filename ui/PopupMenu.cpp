#include "ui/PopupMenu.h"

#include <QActionGroup>
#include <QFile>
#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QXmlStreamReader>

#include "ui/ControlClass.h"
#include "ui/LanguageTexts.h"
#include "ui/Notification.h"
#include "ui/SkinResources.h"

namespace ui {
namespace {

constexpr qint64 kMaxMenuBytes = 1 << 20;
constexpr int kMaxMenuDepth = 8;
constexpr char kOpenMenuProperty[] = "zorvathOpenMenu";
constexpr char kItemNameProperty[] = "zorvathItemName";

struct Builder {
    QWidget* owner;
    QMenu* top;
    QHash<QString, QActionGroup*> groups;

    void AddItem(QMenu* menu, const QXmlStreamAttributes& attrs, QMenu* submenu) {
        const QString name = attrs.value(QLatin1String("name")).toString();
        const QString textId = attrs.value(QLatin1String("text")).toString();
        QAction* action = submenu != nullptr ? submenu->menuAction() : new QAction(menu);
        action->setText(Text(textId.isEmpty() ? name : textId));
        action->setProperty(kTextIdProperty, textId.isEmpty() ? name : textId);
        action->setProperty(kItemNameProperty, name);
        action->setObjectName(name);
        const QString icon = attrs.value(QLatin1String("icon")).toString();
        if (!icon.isEmpty()) {
            const QPixmap picture = LoadPicture(icon);
            if (!picture.isNull()) {
                action->setIcon(QIcon(picture));
            }
        }
        if (attrs.value(QLatin1String("enabled")) == QLatin1String("false")) {
            action->setEnabled(false);
        }
        const QString group = attrs.value(QLatin1String("group")).toString();
        if (!group.isEmpty() && submenu == nullptr) {
            QActionGroup*& actions = groups[group];
            if (actions == nullptr) {
                actions = new QActionGroup(top);
                actions->setExclusive(true);
            }
            action->setCheckable(true);
            actions->addAction(action);
        }
        if (attrs.value(QLatin1String("checked")) == QLatin1String("true")) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        if (submenu == nullptr) {
            QPointer<QMenu> sender(top);
            QObject::connect(action, &QAction::triggered, top, [sender, name] {
                if (sender) {
                    SendNotifyNamed(sender, name, QString::fromLatin1(kMenuCommand));
                }
            });
            menu->addAction(action);
        } else {
            menu->addMenu(submenu);
        }
    }

    // Reads the children of the current element into menu; false on malformed input.
    bool ReadItems(QXmlStreamReader& xml, QMenu* menu, int depth) {
        if (depth > kMaxMenuDepth) {
            return false;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("Separator")) {
                menu->addSeparator();
                xml.skipCurrentElement();
            } else if (xml.name() == QLatin1String("MenuElement")) {
                const QXmlStreamAttributes attrs = xml.attributes();
                auto* submenu = new QMenu(menu);
                if (!ReadItems(xml, submenu, depth + 1)) {
                    return false;
                }
                if (submenu->actions().isEmpty()) {
                    delete submenu;
                    submenu = nullptr;
                } else {
                    submenu->setObjectName(attrs.value(QLatin1String("name")).toString());
                }
                AddItem(menu, attrs, submenu);
            } else {
                xml.skipCurrentElement();
            }
        }
        return !xml.hasError();
    }
};

}  // namespace

QMenu* BuildPopupMenu(const QString& menuFile, QWidget* owner) {
    if (owner == nullptr) {
        return nullptr;
    }
    // A resource key of the map ("XML_TRAY_MENU") names its file.
    const QString mapped = ResourceFile(menuFile);
    const QString path = SkinPath(mapped.isEmpty() ? menuFile : mapped);
    QFile file(path);
    if (path.isEmpty() || file.size() > kMaxMenuBytes || !file.open(QIODevice::ReadOnly)) {
        return nullptr;
    }
    auto* menu = new QMenu(owner);
    SetControlClass(menu, QStringLiteral("Menu"));
    menu->setObjectName(menuFile);
    Builder builder{owner, menu, {}};
    QXmlStreamReader xml(&file);
    // The root may be <Menu> or DuiLib's <Window><Menu>.
    bool ok = xml.readNextStartElement();
    if (ok && xml.name() == QLatin1String("Window")) {
        ok = xml.readNextStartElement();
    }
    ok = ok && xml.name() == QLatin1String("Menu") && builder.ReadItems(xml, menu, 0);
    if (!ok) {
        delete menu;
        return nullptr;
    }
    return menu;
}

QMenu* ShowPopupMenu(const QString& menuFile, QWidget* owner, QPoint globalPos) {
    if (owner == nullptr) {
        return nullptr;
    }
    const QVariant previous = owner->property(kOpenMenuProperty);
    if (QMenu* open = qobject_cast<QMenu*>(previous.value<QPointer<QObject>>().data())) {
        open->close();
        open->deleteLater();
    }
    QMenu* menu = BuildPopupMenu(menuFile, owner);
    if (menu == nullptr) {
        return nullptr;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    owner->setProperty(kOpenMenuProperty, QVariant::fromValue(QPointer<QObject>(menu)));
    menu->popup(globalPos);
    return menu;
}

void ApplyMenuTexts(QMenu* menu) {
    if (menu == nullptr) {
        return;
    }
    for (QAction* action : menu->findChildren<QAction*>()) {
        const QVariant id = action->property(kTextIdProperty);
        if (id.isValid()) {
            action->setText(Text(id.toString()));
        }
    }
}

bool SetMenuItemChecked(QMenu* menu, const QString& name, bool checked) {
    if (menu == nullptr) {
        return false;
    }
    for (QAction* action : menu->findChildren<QAction*>()) {
        if (action->property(kItemNameProperty).toString() == name) {
            action->setCheckable(true);
            action->setChecked(checked);
            return true;
        }
    }
    return false;
}

}  // namespace ui
