// The mouse rows of the main window's routing tables, by notification type and control name.
#include <QLineEdit>
#include <QVariant>

#include "appearance/SelectPanelUI.h"
#include "devices/page/ControlName.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "profiles/DataFolders.h"
#include "ui/Notification.h"

using devices::page::MatchIndexed;

namespace {

constexpr char kEnteredText[] = "zorvathEnteredText";

// Enter applies a DPI edit as leaving it does; leaving it afterwards with the text that Enter
// applied changes nothing and is not written to the mouse again.
bool LeftAsEntered(const ui::Notification& notification) {
    auto* edit = qobject_cast<QLineEdit*>(notification.sender.data());
    if (edit == nullptr) {
        return false;
    }
    const QVariant entered = edit->property(kEnteredText);
    edit->setProperty(kEnteredText, QVariant());
    return notification.type == QLatin1String(ui::notify::kKillFocus) && entered.isValid() &&
           entered.toString() == edit->text();
}

void RememberEntered(const ui::Notification& notification) {
    auto* edit = qobject_cast<QLineEdit*>(notification.sender.data());
    if (edit != nullptr && notification.type == QLatin1String(ui::notify::kReturn)) {
        edit->setProperty(kEnteredText, edit->text());
    }
}

}  // namespace

bool CZelvaneMouseDevice::HandleNotification(const ui::Notification& notification) {
    const QString& type = notification.type;
    const QString& name = notification.senderName;
    auto is = [&name](const char* exact) {
        return name.compare(QLatin1String(exact), Qt::CaseInsensitive) == 0;
    };
    int n = 0;
    if (type == QLatin1String(ui::notify::kValueChanged)) {
        if (MatchIndexed(name, QStringLiteral("DPI_slider_"), &n)) {
            OnDpiSliderChanged(n);
        } else if (is("pointer_speed_slider")) {
            OnPointerSpeedChanged();
        } else if (is("scroll_speed_slider")) {
            OnScrollSpeedChanged();
        } else if (is("double_click_slider")) {
            OnDoubleClickChanged();
        } else {
            return false;
        }
        return true;
    }
    if (type == QLatin1String(ui::notify::kMoveValueChanged)) {
        if (MatchIndexed(name, QStringLiteral("DPI_slider_"), &n)) {
            OnDpiSliderMoving(n);
        } else if (MatchIndexed(name, QStringLiteral("tamric_DPI_slider_"), &n)) {
            OnTamricDpiSliderMoving(n);
        } else {
            return false;
        }
        return true;
    }
    if (type == QLatin1String(ui::notify::kKillFocus) ||
        type == QLatin1String(ui::notify::kReturn)) {
        const bool dpiEdit = MatchIndexed(name, QStringLiteral("DPI_edit_"), &n);
        const bool tamricEdit =
            !dpiEdit && MatchIndexed(name, QStringLiteral("tamric_DPI_edit_"), &n);
        if (!dpiEdit && !tamricEdit) {
            return false;
        }
        if (LeftAsEntered(notification)) {
            return true;
        }
        if (dpiEdit) {
            OnDpiEditKillFocus(n);
        } else {
            OnTamricDpiEditKillFocus(n);
        }
        RememberEntered(notification);
        return true;
    }
    if (type == QLatin1String(ui::notify::kSelectChanged)) {
        if (MatchIndexed(name, QStringLiteral("DPI_enable_check_"), &n)) {
            OnDpiEnableChanged(n);
        } else if (MatchIndexed(name, QStringLiteral("polling_rate_option_"), &n)) {
            OnReportRateSelected(n);
        } else if (MatchIndexed(name, QStringLiteral("mouse_device_seting_option_"), &n)) {
            SelectSettingsPage(n);
        } else if (is("pointer_precision_check")) {
            OnPointerPrecisionChanged();
        } else if (is("scrolls_page_check")) {
            OnScrollsPageChanged();
        } else {
            return false;
        }
        return true;
    }
    if (type == QLatin1String(appearance::CSelectPanelUI::kSelectEnd) &&
        is("mouse_device_key_light")) {
        // The main window's profile document: user data root + profile name + ".json".
        OnKeyLightSelectEnd(QString::fromStdString(datafolders::GetUserDataFolder() +
                                                   Core().GetProfileId() + ".json"));
        return true;
    }
    if (type == QLatin1String(ui::notify::kClick) &&
        MatchIndexed(name, QStringLiteral("key_"), &n)) {
        SelectKey(n);
        return true;
    }
    return false;
}
