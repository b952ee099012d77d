#include "macros/panel/ActionRow.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

#include "macros/editing/ActionCommands.h"
#include "ui/LanguageTexts.h"

namespace macropanel {
namespace {

void SetStyleAttribute(QWidget* widget, const char* style) {
    if (widget->property(kStyleProperty).toString() == QLatin1String(style)) {
        return;
    }
    widget->setProperty(kStyleProperty, QString::fromLatin1(style));
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

}  // namespace

CActionRow::CActionRow(QWidget* parent) : ui::ListElement(parent) {
    setObjectName(QStringLiteral("macro_action"));
    setFixedHeight(kHeight);
    auto* box = new QHBoxLayout(this);
    box->setContentsMargins(8, 0, 8, 0);
    box->setSpacing(8);
    name_ = new QLabel(this);
    name_->setObjectName(QStringLiteral("macro_action_name"));
    name_->setIndent(3);
    name_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    second_ = new QLabel(this);
    second_->setObjectName(QStringLiteral("macro_action_state"));
    second_->setAlignment(Qt::AlignCenter);
    delay_ = new QLineEdit(this);
    delay_->setObjectName(QStringLiteral("macro_delay"));
    delay_->setMaxLength(kDelayMaxLength);
    delay_->setValidator(new QIntValidator(0, 65535, delay_));
    delay_->setFixedHeight(kDelayEditHeight);
    delay_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetStyleAttribute(delay_, "macro_label_text_style");
    box->addWidget(name_, 1, Qt::AlignVCenter);
    box->addWidget(second_, 0, Qt::AlignVCenter);
    box->addWidget(delay_, 0, Qt::AlignVCenter);
}

void CActionRow::Show(const macros::MacroAction& action) {
    using macros::editing::RowLabels;
    const RowLabels labels = macros::editing::LabelsOf(action.event);
    SetStyleAttribute(
        name_, labels.keyboardStyle ? "macro_label_keyboard_style" : "macro_label_mouse_style");
    if (labels.name.empty()) {
        ui::SetPlainText(name_, QString());
    } else {
        // Key names and mouse names are both language text ids; a key the language does not
        // name shows the catalogue's own key name rather than the id.
        const QString id = QString::fromStdString(labels.name);
        static const QString kKeyPrefix = QStringLiteral("keyboard_key_");
        if (ui::Text(id) == id && id.startsWith(kKeyPrefix)) {
            ui::SetPlainText(name_, id.mid(kKeyPrefix.size()));
        } else {
            ui::SetTextId(name_, id);
        }
    }
    switch (labels.second) {
        case RowLabels::Second::Distance:
            SetStyleAttribute(second_, "macro_label_text_style");
            ui::SetPlainText(second_, QString::fromStdString(labels.distance));
            break;
        case RowLabels::Second::Empty:
            SetStyleAttribute(second_, "macro_label_text_style");
            ui::SetPlainText(second_, QString());
            break;
        case RowLabels::Second::Down:
            SetStyleAttribute(second_, "macro_label_down_style");
            ui::SetPlainText(second_, QStringLiteral("\u2193"));
            break;
        case RowLabels::Second::Up:
            SetStyleAttribute(second_, "macro_label_up_style");
            ui::SetPlainText(second_, QStringLiteral("\u2191"));
            break;
    }
    const QString delay = QString::fromStdString(action.delayText);
    if (delay_->text() != delay) {
        delay_->setText(delay);
    }
}

void CActionRow::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (menuRequest_ && isEnabled()) {
        menuRequest_(this, event->globalPos());
    }
}

}  // namespace macropanel
