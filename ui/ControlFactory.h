#pragma once

#include <QString>
#include <functional>
#include <span>
#include <vector>

class QWidget;

namespace ui {

// One row of a control factory table: a layout element class name (as written in the layout
// file's widget class, e.g. "CSelectPanelUI" or "SelectPanel"), the class name the made control
// reports through ControlClass(), and the creator. Tables are plain constant arrays owned by
// the subsystem that defines the controls; the loader is given them explicitly.
struct ControlFactoryEntry {
    const char* element;
    const char* className;
    QWidget* (*create)(QWidget* parent);
};
using ControlTable = std::span<const ControlFactoryEntry>;

// A layout element that is replaced by a whole layout file ("DeviceProfileUI" ->
// "XML/CustomControlXML/DeviceProfile.xml"): the loader builds that file into a container.
struct LayoutElementEntry {
    const char* element;
    const char* layoutFile;
};
using LayoutElementTable = std::span<const LayoutElementEntry>;

// The window's CreateControl callback: element name and parent; null when it does not know the
// element. Asked after the tables.
using CreateControlCallback = std::function<QWidget*(const QString& element, QWidget* parent)>;

// The UI layer's own controls: the base controls Qt lacks ("Option", "ColorPalette",
// "PictureButton", "ListContainer", "ListElement", "TabLayout", ...) and the DuiLib container
// element names ("HorizontalLayout", "VerticalLayout", "Container", ...).
ControlTable BaseControlTable();

// What a loader knows besides Qt's own widgets. The base table is always consulted first.
struct LoaderConfig {
    std::vector<ControlTable> tables;
    std::vector<LayoutElementTable> layoutElements;
    CreateControlCallback createControl;
};

}  // namespace ui
