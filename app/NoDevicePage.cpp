#include "app/NoDevicePage.h"

#include <QLabel>
#include <QWidget>

#include "app/HidAccessCheck.h"
#include "ui/ControlLookup.h"
#include "ui/LanguageTexts.h"

namespace {
NodeAccessProbe gProbe = &ProbeNodeAccess;
}  // namespace

void SetNoDeviceProbeForTesting(int (*probe)(const std::string& node)) {
    gProbe = probe != nullptr ? probe : &ProbeNodeAccess;
}

void RefreshNoDevicePage(QWidget* link) {
    if (link == nullptr) {
        return;
    }
    std::shared_ptr<hid::IHidBackend> backend = hid::DefaultBackend();
    const bool denied =
        backend != nullptr && CheckHidAccess(*backend, gProbe) == HidAccess::PermissionDenied;
    auto setText = [link](const char* name, const char* id) {
        if (QWidget* label = ui::FindControl(link, QString::fromLatin1(name))) {
            ui::SetTextId(label, QString::fromLatin1(id));
            ui::ApplyTexts(label);
        }
    };
    setText("nodevice_title", denied ? "nodevice_denied_title_text" : "nodevice_title_text");
    setText("nodevice_text", denied ? "nodevice_denied_text" : "nodevice_text");
    if (QWidget* command = ui::FindControl(link, QStringLiteral("nodevice_udev_command"))) {
        command->setVisible(denied);
    }
}
