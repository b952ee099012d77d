#include "ui/LanguageTexts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QVariant>
#include <QWidget>
#include <QXmlStreamReader>

#include "ui/SkinResources.h"

namespace ui {
namespace {

constexpr qint64 kMaxLanguageBytes = 4 << 20;

struct Language {
    QString file;
    QHash<QString, QString> texts;
};

Language& Current() {
    static Language language;
    return language;
}

// The widget's caption as a text property, for the kinds of widget that show one.
bool ReadCaption(const QWidget* w, QString& out) {
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        out = label->text();
    } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        out = button->text();
    } else if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        out = edit->placeholderText();
    } else if (auto* box = qobject_cast<const QGroupBox*>(w)) {
        out = box->title();
    } else {
        return false;
    }
    return true;
}

void WriteCaption(QWidget* w, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setPlaceholderText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        box->setTitle(text);
    }
}

// A caption counts as a text id when the language knows it or it is written like one
// ("deng_light_text"); plain captions such as "40" stay as they are when texts are re-applied.
bool LooksLikeId(const QString& caption) {
    static const QRegularExpression id(QStringLiteral("^[A-Za-z][A-Za-z0-9.]*(_[A-Za-z0-9.]*)+$"));
    return Current().texts.contains(caption) || id.match(caption).hasMatch();
}

void ApplyOne(QWidget* w) {
    QVariant textId = w->property(kTextIdProperty);
    QString caption;
    if (!textId.isValid() && ReadCaption(w, caption) && LooksLikeId(caption)) {
        // The caption written in the layout is the id; remember it for later re-resolution.
        textId = caption;
        w->setProperty(kTextIdProperty, caption);
    }
    if (textId.isValid() && !textId.toString().isEmpty()) {
        const QVariant args = w->property(kTextArgsProperty);
        WriteCaption(w, args.isValid() ? FormatText(textId.toString(), args.toStringList())
                                       : Text(textId.toString()));
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < combo->count(); ++i) {
            QVariant itemId = combo->itemData(i, kItemTextIdRole);
            if (!itemId.isValid() && LooksLikeId(combo->itemText(i))) {
                itemId = combo->itemText(i);
                combo->setItemData(i, itemId, kItemTextIdRole);
            }
            if (itemId.isValid()) {
                combo->setItemText(i, Text(itemId.toString()));
            }
        }
    }
    QVariant tipId = w->property(kToolTipIdProperty);
    if (!tipId.isValid() && LooksLikeId(w->toolTip())) {
        tipId = w->toolTip();
        w->setProperty(kToolTipIdProperty, tipId);
    }
    if (tipId.isValid() && !tipId.toString().isEmpty()) {
        w->setToolTip(Text(tipId.toString()));
    }
}

}  // namespace

bool LoadLanguageFile(const QString& file) {
    const QString path = SkinPath(file);
    QFile input(path);
    if (path.isEmpty() || input.size() > kMaxLanguageBytes || !input.open(QIODevice::ReadOnly)) {
        return false;
    }
    QHash<QString, QString> texts;
    QXmlStreamReader xml(&input);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement ||
            xml.name() != QLatin1String("Text")) {
            continue;
        }
        const QString id = xml.attributes().value(QLatin1String("id")).toString();
        const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (!id.isEmpty()) {
            texts.insert(id, text);
        }
    }
    if (xml.hasError()) {
        return false;
    }
    Current().file = file;
    Current().texts = std::move(texts);
    return true;
}

QString CurrentLanguageFile() {
    return Current().file;
}

QString Text(const QString& id) {
    const auto it = Current().texts.constFind(id);
    return it != Current().texts.constEnd() ? it.value() : id;
}

QString FormatText(const QString& id, const QStringList& args) {
    const QString text = Text(id);
    // One pass, so an argument that itself contains "%2" is never substituted again, and a
    // placeholder without an argument stays visible as written.
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('%') || i + 1 >= text.size() || !text[i + 1].isDigit()) {
            out.append(c);
            continue;
        }
        qsizetype digits = 1;
        int number = text[i + 1].digitValue();
        if (i + 2 < text.size() && text[i + 2].isDigit() &&
            number * 10 + text[i + 2].digitValue() <= args.size()) {
            number = number * 10 + text[i + 2].digitValue();
            digits = 2;
        }
        if (number >= 1 && number <= args.size()) {
            out.append(args[number - 1]);
            i += digits;
        } else {
            out.append(c);
        }
    }
    return out;
}

void SetTextId(QWidget* widget, const QString& id) {
    if (widget == nullptr) {
        return;
    }
    widget->setProperty(kTextIdProperty, id);
    widget->setProperty(kTextArgsProperty, QVariant());
    WriteCaption(widget, Text(id));
}

void SetTextId(QWidget* widget, const QString& id, const QStringList& args) {
    if (widget == nullptr) {
        return;
    }
    widget->setProperty(kTextIdProperty, id);
    widget->setProperty(kTextArgsProperty, args);
    WriteCaption(widget, FormatText(id, args));
}

void SetToolTipId(QWidget* widget, const QString& id) {
    if (widget == nullptr) {
        return;
    }
    widget->setProperty(kToolTipIdProperty, id);
    widget->setToolTip(Text(id));
}

void SetPlainText(QWidget* widget, const QString& text) {
    if (widget == nullptr) {
        return;
    }
    widget->setProperty(kTextIdProperty, QVariant());
    widget->setProperty(kTextArgsProperty, QVariant());
    WriteCaption(widget, text);
}

void ApplyTexts(QWidget* root) {
    if (root == nullptr) {
        return;
    }
    ApplyOne(root);
    for (QWidget* w : root->findChildren<QWidget*>()) {
        ApplyOne(w);
    }
}

}  // namespace ui
