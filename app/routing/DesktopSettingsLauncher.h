#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "app/routing/DesktopSettingsPrograms.h"

class QWidget;

namespace routing {

// Opens the desktop's keyboard or mouse settings: tries the known settings programs of the
// running desktop first, then the others; when none starts, says so with a message box.
class DesktopSettingsLauncher {
public:
    // Finds a program on PATH (empty when absent) and starts it detached (false on failure).
    using FindProgram = std::function<QString(const QString& program)>;
    using StartProgram = std::function<bool(const QString& path, const QStringList& arguments)>;

    DesktopSettingsLauncher();
    DesktopSettingsLauncher(FindProgram find, StartProgram start);

    // True when a program was started. The failure message's text id is kFailureTextId.
    bool Open(SettingsPage page, QWidget* messageOwner) const;

    static constexpr char kFailureTextId[] = "desktop_settings_failed_text";

private:
    FindProgram find_;
    StartProgram start_;
};

}  // namespace routing
