#include <string_view>

#include "app/routing/PanelRouting.h"
#include "recoil/panel/ShootControlUI.h"

namespace routing {
namespace {

void Route(shootpanel::CShootControlUI* panel, const RoutedEvent& event) {
    const std::string_view name = event.name;
    if (name == "shoot_gun_op_") {
        panel->SelectGun(event.number);
    } else if (name == "bullet_op_") {
        panel->SelectBullet(event.number);
    } else if (name == "bullet_selected_prev" || name == "bullet_selected_next") {
        panel->StepBullet(event.argument);
    } else if (name == "bullet_x_check" || name == "bullet_y_check") {
        panel->DirectionChanged();
    } else if (name == "bullet_x_eidt" || name == "bullet_y_eidt" || name == "bullet_delay_eidt") {
        panel->StoreCurrentBullet();
    } else if (name == "shootdate_import_btn") {
        panel->ImportGun();
    } else if (name == "shootdate_export_btn") {
        panel->ExportGun();
    } else if (name == "shootdate_reset_btn") {
        panel->ResetGun();
    } else if (name == "shootdate_save_btn") {
        panel->SaveToDevice();
    }
}

}  // namespace

std::unique_ptr<ControlHandler> MakeShootPanelHandler(CPageDevice& device) {
    return std::make_unique<PanelHandler<shootpanel::CShootControlUI>>(
        device, &CZelvaneUSBDevice::ShootPanel, &Route);
}

}  // namespace routing
