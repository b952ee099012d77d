#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>

#include "ui/ColorPalette.h"
#include "ui/ControlFactory.h"
#include "ui/ListContainer.h"
#include "ui/OptionButton.h"
#include "ui/PictureButton.h"
#include "ui/TabLayout.h"

namespace ui {
namespace {

template <class T>
QWidget* Make(QWidget* parent) {
    return new T(parent);
}

QWidget* MakeBox(QWidget* parent) {
    return new QFrame(parent);
}
QWidget* MakeSlider(QWidget* parent) {
    return new QSlider(Qt::Horizontal, parent);
}

// DuiLib's element vocabulary, so layouts may name controls as the original layouts did. Qt's
// own class names (QPushButton, QSlider, ...) work as well through QUiLoader.
constexpr ControlFactoryEntry kBaseControls[] = {
    {"Button", "Button", &Make<PictureButton>},
    {"CButtonUI", "Button", &Make<PictureButton>},
    {"Option", "OptionUI", &Make<OptionButton>},
    {"COptionUI", "OptionUI", &Make<OptionButton>},
    {"CheckBox", "OptionUI", &Make<OptionButton>},
    {"ColorPalette", "ColorPalette", &Make<ColorPalette>},
    {"CColorPaletteUI", "ColorPalette", &Make<ColorPalette>},
    {"TabLayout", "TabLayout", &Make<TabLayout>},
    {"CTabLayoutUI", "TabLayout", &Make<TabLayout>},
    {"List", "List", &Make<ListContainer>},
    {"CListUI", "List", &Make<ListContainer>},
    {"ListContainerElement", "ListContainerElement", &Make<ListElement>},
    {"HorizontalLayout", "HorizontalLayout", &MakeBox},
    {"VerticalLayout", "VerticalLayout", &MakeBox},
    {"Container", "Container", &MakeBox},
    {"Label", "Label", &Make<QLabel>},
    {"Text", "Text", &Make<QLabel>},
    {"Edit", "Edit", &Make<QLineEdit>},
    {"Combo", "Combo", &Make<QComboBox>},
    {"Slider", "Slider", &MakeSlider},
    {"Progress", "Progress", &Make<QProgressBar>},
};

}  // namespace

ControlTable BaseControlTable() {
    return kBaseControls;
}

}  // namespace ui
