#pragma once

#include <QPoint>
#include <QString>

class QMenu;
class QWidget;

namespace ui {

// Notification type of a chosen menu item: the sender is the menu, senderName the item's name.
inline constexpr char kMenuCommand[] = "menucommand";

// Builds a pop-up menu from a menu layout file of the skin (a resource key such as
// "XML_TRAY_MENU", or a skin-relative file name):
//   <Menu>
//     <MenuElement name="about_menu" text="about_menu_text" icon="menu/about.png"/>
//     <MenuElement name="sub" text="..."> <MenuElement .../> </MenuElement>   (submenu)
//     <MenuElement name="a" text="..." group="g" checked="true"/>   (exclusive checkable items)
//     <Separator/>
//   </Menu>
// Texts are language ids. Choosing an item notifies owner's receiver with kMenuCommand. The
// menu is a child of owner (owner must not be null). Returns null for a missing or broken file.
QMenu* BuildPopupMenu(const QString& menuFile, QWidget* owner);

// Closes the pop-up menu owner opened before (if any), builds menuFile and opens it at the
// global position; the menu deletes itself when closed. Returns the menu or null.
QMenu* ShowPopupMenu(const QString& menuFile, QWidget* owner, QPoint globalPos);

// Re-resolves the item texts of a menu built before a language switch (a kept tray menu).
void ApplyMenuTexts(QMenu* menu);

// Checks or unchecks the item named name in menu (searching submenus); false when absent.
bool SetMenuItemChecked(QMenu* menu, const QString& name, bool checked);

}  // namespace ui
