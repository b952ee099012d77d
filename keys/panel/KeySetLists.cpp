#include "keys/panel/KeySetLists.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "keys/KeyCodeName.h"
#include "ui/LanguageTexts.h"

namespace keypanel {

QString IdText(std::string_view id) {
    return ui::Text(QString::fromUtf8(id.data(), static_cast<qsizetype>(id.size())));
}

QString CodeText(keys::KeyCode code) {
    const std::string text = keys::KeyNameText(
        keys::KeyCodeName(code), [](std::string_view id) { return IdText(id).toStdString(); });
    return QString::fromStdString(text);
}

void FillRows(QComboBox* combo, keys::KeyGroup group) {
    if (combo == nullptr) {
        return;
    }
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const keys::KeyRow& row : keys::RowsOf(group)) {
        if (row.name.empty()) {
            // Rows without a name of their own (combination keys) read as their code does.
            combo->addItem(CodeText(row.code));
            continue;
        }
        const QString id =
            QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size()));
        combo->addItem(ui::Text(id));
        combo->setItemData(combo->count() - 1, id, ui::kItemTextIdRole);
    }
    combo->setCurrentIndex(-1);
}

}  // namespace keypanel
