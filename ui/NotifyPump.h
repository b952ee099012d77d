#pragma once

class QWidget;

namespace ui {

// Turns the user actions of named widgets into notifications (see Notification.h):
//  - push button: "click"; checkable button or option: "click", then "selectchanged" when its
//    state changed by the user (an exclusive/grouped option only when it becomes selected);
//  - slider: "movevaluechanged" while dragged, "valuechanged" when released or moved by
//    key, wheel or page click;
//  - combo box and item views: "itemselect" (wParam = new index) on a user choice;
//  - line edit: "killfocus" on focus loss, "return" on Enter, "textchanged" when typed.
// Changes made from code send nothing. Attaching twice is harmless; widgets without a name are
// not attached (they have no identity in Notify).
void AttachPump(QWidget* root);        // root and every widget below it
void AttachPumpToControl(QWidget* w);  // one widget only (rows and menus made at run time)

}  // namespace ui
