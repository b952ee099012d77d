#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// Captions and tooltips in layouts are text ids of the loaded language file. The language file
// is XML in the skin folder:  <Language name="English"><Text id="some_id">Shown text</Text>...
// Placeholders in texts are %1, %2, ... and are filled with QString::arg, so a text can never
// read past the arguments it is given.

// Loads a language file (skin-relative). On failure the texts in place are kept and false is
// returned.
bool LoadLanguageFile(const QString& file);
QString CurrentLanguageFile();

// The text of id, or id itself when the language has no such text.
QString Text(const QString& id);
// The text of id with its placeholders filled in order; missing arguments leave the
// placeholder visible rather than reading anything else.
QString FormatText(const QString& id, const QStringList& args);

// Text ids of widgets: the loader records the caption ("textId") and tooltip ("toolTipId") of
// every widget it builds when it is a text id (known to the language, or written like one:
// letters, digits and at least one '_'); ApplyTexts re-resolves them below root (after a
// language switch). Captions are label and button texts, line edit placeholders, group titles.
inline constexpr char kTextIdProperty[] = "textId";
// The arguments a caption's text id is filled with (a QStringList), kept for re-resolution.
inline constexpr char kTextArgsProperty[] = "textArgs";
inline constexpr char kToolTipIdProperty[] = "toolTipId";
// Combo box entries keep their text id in this item data role.
inline constexpr int kItemTextIdRole = 0x0100 + 77;
void SetTextId(QWidget* widget, const QString& id);
// The caption is the text of id with its placeholders filled with args, now and whenever texts
// are re-applied.
void SetTextId(QWidget* widget, const QString& id, const QStringList& args);
void SetToolTipId(QWidget* widget, const QString& id);
// Shows text as it is (a number, a user's name) and forgets the widget's text id, so that
// re-applying texts does not overwrite it.
void SetPlainText(QWidget* widget, const QString& text);
void ApplyTexts(QWidget* root);

}  // namespace ui
