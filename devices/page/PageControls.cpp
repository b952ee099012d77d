#include <array>

#include "appearance/AppearanceControls.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "keys/panel/KeySetControlUI.h"
#include "lighting/panel/LightControlUI.h"
#include "macros/panel/MacroControlUI.h"
#include "recoil/panel/ShootControlUI.h"
#include "ui/LayoutLoader.h"

namespace devices::page {
namespace {

QWidget* MakeMousePage(QWidget* parent) {
    return new CZelvaneMouseDevice(parent);
}

template <class Panel>
QWidget* MakePanel(QWidget* parent) {
    return new Panel(parent);
}

// The pages and the panels that are the roots of the sub-panel layouts.
constexpr std::array kPages = {
    ui::ControlFactoryEntry{"ZelvaneMouseDevice", "ZelvaneMouseDevice", &MakeMousePage},
    ui::ControlFactoryEntry{"CZelvaneMouseDevice", "ZelvaneMouseDevice", &MakeMousePage},
    ui::ControlFactoryEntry{"CKeySetControlUI", "KeySetControlUI",
                            &MakePanel<keypanel::CKeySetControlUI>},
    ui::ControlFactoryEntry{"CLightControlUI", "LightControlUI",
                            &MakePanel<lightpanel::CLightControlUI>},
    ui::ControlFactoryEntry{"CMacroControlUI", "MacroControlUI",
                            &MakePanel<macropanel::CMacroControlUI>},
    ui::ControlFactoryEntry{"CShootControlUI", "ShootControlUI",
                            &MakePanel<shootpanel::CShootControlUI>},
};

// The sub-panels: each element is replaced by its own layout file.
constexpr std::array kPanels = {
    ui::LayoutElementEntry{"DeviceProfileUI", "XML/CustomControlXML/DeviceProfile.xml"},
    ui::LayoutElementEntry{"LightSetControlUI", "XML/CustomControlXML/LightControl.xml"},
    ui::LayoutElementEntry{"Voice6533SetControlUI", "XML/CustomControlXML/Voice6533Control.xml"},
    ui::LayoutElementEntry{"MagicSetControlUI", "XML/CustomControlXML/MagicControl.xml"},
    ui::LayoutElementEntry{"KeySetControlUI", "XML/CustomControlXML/KeySetControl.xml"},
    ui::LayoutElementEntry{"MacroSetControlUI", "XML/CustomControlXML/MacroControl.xml"},
    ui::LayoutElementEntry{"ShootKeySetControlUI", "XML/CustomControlXML/ShootControl.xml"},
    ui::LayoutElementEntry{"VirtualSetControlUI", "XML/CustomControlXML/VirtualSet.xml"},
};

}  // namespace

ui::ControlTable PageControlTable() {
    return kPages;
}

ui::LayoutElementTable PanelLayoutElements() {
    return kPanels;
}

ui::LoaderConfig PageLoaderConfig() {
    ui::LoaderConfig config;
    config.tables = {PageControlTable(), appearance::AppearanceControlTable()};
    config.layoutElements = {PanelLayoutElements()};
    return config;
}

CZelvaneMouseDevice* BuildMousePage(QWidget* parent, const ui::LoaderConfig& config) {
    QWidget* built =
        ui::BuildLayout(QString::fromLatin1(CZelvaneMouseDevice::kLayoutFile), parent, config);
    auto* page = qobject_cast<CZelvaneMouseDevice*>(built);
    if (page == nullptr) {
        delete built;
        return nullptr;
    }
    page->SetPageXml(QString::fromLatin1(CZelvaneMouseDevice::kLayoutFile));
    return page;
}

}  // namespace devices::page
