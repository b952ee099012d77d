#include "ui/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "ui/LanguageTexts.h"

namespace ui {
namespace {

class DefaultDialogs : public Dialogs {
public:
    int ShowMessage(QWidget* owner, const QString& textId, int buttonCount,
                    const QStringList& args) override {
        const auto buttons = buttonCount > 1 ? QMessageBox::Ok | QMessageBox::Cancel
                                             : QMessageBox::StandardButtons(QMessageBox::Ok);
        const auto answer = QMessageBox::information(owner, QString(), FormatText(textId, args),
                                                     buttons, QMessageBox::Ok);
        return answer == QMessageBox::Ok ? 1 : 0;
    }
    QString GetOpenFileName(QWidget* owner, const QString& title, const QString& folder,
                            const QString& filter) override {
        return QFileDialog::getOpenFileName(owner, title, folder, filter);
    }
    QString GetSaveFileName(QWidget* owner, const QString& title, const QString& path,
                            const QString& filter) override {
        return QFileDialog::getSaveFileName(owner, title, path, filter);
    }
};

DefaultDialogs g_default;
Dialogs* g_current = &g_default;

}  // namespace

Dialogs& CurrentDialogs() {
    return *g_current;
}

Dialogs* InstallDialogs(Dialogs* dialogs) {
    Dialogs* previous = g_current;
    g_current = dialogs != nullptr ? dialogs : &g_default;
    return previous;
}

}  // namespace ui
