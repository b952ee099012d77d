// UpdateLayout: enables, shows and hides the panel's parts for the effect of a device kind.
#include <QAbstractButton>

#include "lighting/LightModel.h"
#include "lighting/panel/LightControlUI.h"
#include "lighting/panel/LightLayoutRules.h"
#include "ui/ControlLookup.h"

namespace lightpanel {
namespace {

void Enable(QWidget* w, bool on) {
    if (w != nullptr) {
        w->setEnabled(on);
    }
}

void Show(QWidget* w, bool on) {
    if (w != nullptr) {
        w->setVisible(on);
    }
}

}  // namespace

void CLightControlUI::UpdateLayout(int kind, int effect) {
    const std::optional<LightLayout> layout = LayoutForEffect(kind, effect);
    if (!layout) {
        return;
    }
    // Containers are looked up on every update: the layout decides which of them exist.
    auto find = [this](const char* name) { return Find(QString::fromLatin1(name)); };
    Enable(find("lighteffect_layout"), true);
    ShowSameModeButton(false);
    Enable(find("deng_7color_check"), layout->multiColour);
    Enable(find("deng_color_layout"), layout->colourChoice);
    Enable(find("colorpallet_layout"), layout->colourChoice);
    Enable(find("deng_rgb_layout"), layout->numberEdits);
    Enable(find("deng_light_layout"), layout->brightness);
    Enable(find("deng_speed_layout"), layout->speed);
    Show(find("deng_speed_layout"), layout->speedShown);
    Enable(find("deng_fx_layout"), layout->direction);
    Show(find("deng_fx_layout"), layout->directionShown);
    Show(find("lightcustom_layout"), layout->customColours);
    Show(find("light_combo_custommodeSelectLayout"), layout->customColours);
    Show(find("light_combo_ZZCCmodeSelectLayout"), layout->extraModeList);
    ShowSameModeButton(layout->sameMode);
}

}  // namespace lightpanel
