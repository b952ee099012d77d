#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// Everything a window asks the user through a modal dialog goes through this interface, so that
// tests answer instead of a person. The application installs the real one (message window,
// file dialogs); tests install a double (tests/support/ui/FakeDialogs.h).
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message by language text id (already formatted text when formatted is true) with one
    // (OK) or two (OK, Cancel) buttons: 1 confirmed, 0 cancelled.
    virtual int ShowMessage(QWidget* owner, const QString& textId, int buttonCount,
                            const QStringList& args = {}) = 0;
    // The chosen path, or empty when cancelled. filter as QFileDialog takes it.
    virtual QString GetOpenFileName(QWidget* owner, const QString& title, const QString& folder,
                                    const QString& filter) = 0;
    virtual QString GetSaveFileName(QWidget* owner, const QString& title, const QString& path,
                                    const QString& filter) = 0;
};

// The installed dialogs; the default one uses QFileDialog and a plain QMessageBox.
Dialogs& CurrentDialogs();
// Installs dialogs (not owned); null restores the default. Returns the previous one.
Dialogs* InstallDialogs(Dialogs* dialogs);

}  // namespace ui
