#include "app/discovery/SwitcherControls.h"

#include "app/discovery/DeviceSwitcher.h"

namespace discovery {

void CSwitcherControls::OnControl(const routing::RoutedEvent& event) {
    switch (event.op) {
        case routing::Op::SelectPreviousDevice:
            switcher_.SelectPreviousDevice();
            break;
        case routing::Op::SelectNextDevice:
            switcher_.SelectNextDevice();
            break;
        case routing::Op::DeviceEntrySelected:
            switcher_.OnDeviceEntrySelected();
            break;
        case routing::Op::LightSyncAll:
            switcher_.EnterSameMode();
            break;
        default:
            break;
    }
}

}  // namespace discovery
