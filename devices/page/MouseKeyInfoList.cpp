// The key info list "device_setkeyinfo_list": one row per button with its function, and the
// button's tooltip and assignment mark.
#include <QHBoxLayout>
#include <QLabel>

#include "appearance/DeviceKeyButtonUI.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "ui/ControlLookup.h"
#include "ui/LanguageTexts.h"
#include "ui/ListContainer.h"

namespace {

constexpr int kRowHeight = 25;
constexpr int kNameWidth = 200;
constexpr int kFunctionWidth = 180;

// A function name too long for its column ends in an ellipsis.
class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;
    void SetFullText(const QString& text) {
        full_ = text;
        setToolTip(text);
        Elide();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        Elide();
    }

private:
    void Elide() { setText(fontMetrics().elidedText(full_, Qt::ElideRight, width())); }
    QString full_;
};

ui::ListElement* MakeRow() {
    auto* row = new ui::ListElement;
    row->setFixedHeight(kRowHeight);
    // The rows inform; choosing one does nothing.
    row->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    auto* box = new QHBoxLayout(row);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(8);
    auto* name = new QLabel(row);
    name->setObjectName(QStringLiteral("key_info_name"));
    name->setFixedWidth(kNameWidth);
    name->setStyleSheet(QStringLiteral("color: #FFFFFF;"));
    auto* function = new ElidedLabel(row);
    function->setObjectName(QStringLiteral("key_info_function"));
    function->setFixedWidth(kFunctionWidth);
    function->setStyleSheet(QStringLiteral("color: #0099FF;"));
    box->addWidget(name);
    box->addWidget(function);
    box->addStretch(1);
    row->setVisible(false);
    row->setEnabled(false);
    return row;
}

}  // namespace

void CZelvaneMouseDevice::RebuildKeyInfoList() {
    auto* list =
        ui::FindControlAs<ui::ListContainer>(this, QStringLiteral("device_setkeyinfo_list"));
    const std::vector<KeyListEntry>& keys = Mouse().GetKeyList();
    // The assignment mark: a button whose function is not its default.
    for (std::size_t i = 0; i < keyButtons_.size(); ++i) {
        if (keyButtons_[i] != nullptr) {
            const bool changed = i < keys.size() && keys[i].assignment != keys[i].defaultAssignment;
            keyButtons_[i]->SetKeySetImageVisible(changed);
        }
    }
    if (list != nullptr) {
        list->RemoveAll();
    }
    const auto rows = Mouse().BuildKeyInfoList([](std::string_view id) {
        return ui::Text(QString::fromUtf8(id.data(), static_cast<qsizetype>(id.size())))
            .toStdString();
    });
    for (const devices::KeyInfoRow& info : rows) {
        const int i = info.button;
        if (i < 0 || i >= static_cast<int>(keyButtons_.size()) ||
            keyButtons_[static_cast<std::size_t>(i)] == nullptr) {
            continue;
        }
        appearance::CDeviceKeyButtonUI* button = keyButtons_[static_cast<std::size_t>(i)];
        const QString keyName = QString::fromStdString(info.keyName);
        const QString function = QString::fromStdString(info.functionName);
        button->setToolTip(keyName + QStringLiteral(": ") + function);
        if (list == nullptr) {
            continue;
        }
        while (list->Count() <= i) {
            list->Add(MakeRow());
        }
        ui::ListElement* row = list->ElementAt(i);
        if (auto* name = row->findChild<QLabel*>(QStringLiteral("key_info_name"))) {
            ui::SetPlainText(name, keyName);
        }
        if (auto* label = row->findChild<QLabel*>(QStringLiteral("key_info_function"))) {
            static_cast<ElidedLabel*>(label)->SetFullText(function);
        }
        row->setEnabled(true);
        row->setVisible(!button->isHidden());
    }
}
