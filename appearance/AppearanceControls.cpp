#include "appearance/AppearanceControls.h"

#include <array>

#include "appearance/ActivatableListItemUI.h"
#include "appearance/ChartViewUI.h"
#include "appearance/CircleProgressUI.h"
#include "appearance/ComboEditContainerElementUI.h"
#include "appearance/DeviceKeyButtonUI.h"
#include "appearance/DeviceOptionUI.h"
#include "appearance/HandImgButtonUI.h"
#include "appearance/HandImgSelectButtonUI.h"
#include "appearance/MpDevicePowerUI.h"
#include "appearance/RedioMacroButtonUI.h"
#include "appearance/SelectPanelUI.h"
#include "appearance/WndUI.h"

namespace appearance {

namespace {

template <class T>
QWidget* Make(QWidget* parent) {
    return new T(parent);
}

constexpr std::array kControls = {
    ui::ControlFactoryEntry{"CCircleProgressUI", "CircleProgress", &Make<CCircleProgressUI>},
    ui::ControlFactoryEntry{"CChartViewUI", "ChartView", &Make<CChartViewUI>},
    ui::ControlFactoryEntry{"CWndUI", "Wnd", &Make<CWndUI>},
    ui::ControlFactoryEntry{"CSelectPanelUI", "SelectPanel", &Make<CSelectPanelUI>},
    ui::ControlFactoryEntry{"CDeviceKeyButtonUI", "DeviceKeyButton", &Make<CDeviceKeyButtonUI>},
    ui::ControlFactoryEntry{"CCloudShareListItemUI", "CloudShareListItemUI",
                            &Make<CCloudShareListItemUI>},
    ui::ControlFactoryEntry{"CUpdateInfoListItemUI", "UpdateInfoListItemUI",
                            &Make<CUpdateInfoListItemUI>},
    ui::ControlFactoryEntry{"CDeviceOptionUI", "DeviceOption", &Make<CDeviceOptionUI>},
    ui::ControlFactoryEntry{"CMpDevicePowerUI", "MpDevicePower", &Make<CMpDevicePowerUI>},
    ui::ControlFactoryEntry{"CComboEditContainerElementUI", "ComboEditContainerElement",
                            &Make<CComboEditContainerElementUI>},
    ui::ControlFactoryEntry{"CHandImgButtonUI", "HandImgButton", &Make<CHandImgButtonUI>},
    ui::ControlFactoryEntry{"CHandImgSelectButtonUI", "HandImgSelectButton",
                            &Make<CHandImgSelectButtonUI>},
    ui::ControlFactoryEntry{"CRedioMacroButtonUI", "RedioMacroButton", &Make<CRedioMacroButtonUI>},
    // Short names of the main window's CreateControl callback.
    ui::ControlFactoryEntry{"CircleProgress", "CircleProgress", &Make<CCircleProgressUI>},
    ui::ControlFactoryEntry{"SelectPanel", "SelectPanel", &Make<CSelectPanelUI>},
    ui::ControlFactoryEntry{"DeviceKeyButton", "DeviceKeyButton", &Make<CDeviceKeyButtonUI>},
    ui::ControlFactoryEntry{"HandImgButton", "HandImgButton", &Make<CHandImgButtonUI>},
    ui::ControlFactoryEntry{"HandImgSelectButton", "HandImgSelectButton",
                            &Make<CHandImgSelectButtonUI>},
    ui::ControlFactoryEntry{"RedioMacroButton", "RedioMacroButton", &Make<CRedioMacroButtonUI>},
    ui::ControlFactoryEntry{"ComboEditContainerElement", "ComboEditContainerElement",
                            &Make<CComboEditContainerElementUI>},
};

}  // namespace

ui::ControlTable AppearanceControlTable() {
    return kControls;
}

}  // namespace appearance
