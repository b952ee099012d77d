#include "app/routing/DesktopSettingsLauncher.h"

#include <QProcess>
#include <QStandardPaths>
#include <utility>

#include "base/Trace.h"
#include "ui/Dialogs.h"

namespace routing {

DesktopSettingsLauncher::DesktopSettingsLauncher()
    : DesktopSettingsLauncher(
          [](const QString& program) { return QStandardPaths::findExecutable(program); },
          [](const QString& path, const QStringList& arguments) {
              return QProcess::startDetached(path, arguments);
          }) {}

DesktopSettingsLauncher::DesktopSettingsLauncher(FindProgram find, StartProgram start)
    : find_(std::move(find)), start_(std::move(start)) {}

bool DesktopSettingsLauncher::Open(SettingsPage page, QWidget* messageOwner) const {
    const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
    for (const SettingsCommand& command :
         DesktopSettingsCommands(page, std::string_view(desktop.constData(), desktop.size()))) {
        const QString path = find_(QString::fromStdString(command.program));
        if (path.isEmpty()) {
            continue;
        }
        QStringList arguments;
        for (const std::string& argument : command.arguments) {
            arguments << QString::fromStdString(argument);
        }
        if (start_(path, arguments)) {
            return true;
        }
        trace::Linef("desktop settings: %s did not start", command.program.c_str());
    }
    ui::CurrentDialogs().ShowMessage(messageOwner, QString::fromLatin1(kFailureTextId), 1);
    return false;
}

}  // namespace routing
