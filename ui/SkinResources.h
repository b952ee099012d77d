#pragma once

#include <QPixmap>
#include <QString>

namespace ui {

// The skin folder: "skin/" of the resource root (the executable's folder when it holds skin/,
// otherwise <prefix>/share/zorvath/). Tests may point it elsewhere.
QString SkinFolder();
void SetSkinFolderForTesting(const QString& folder);  // empty restores the default

// The absolute path of a skin-relative name, or empty when the name would leave the skin folder
// (absolute paths, ".." steps) or is empty. '\\' separators and a DuiLib picture description
// ("file='power/powering.png' source='0,0,10,10'") are accepted; only the file part counts.
QString SkinPath(const QString& relativeName);

// The file name inside a picture description: "file='a.png' ..." -> "a.png"; a plain name is
// returned as it is.
QString PictureFileName(const QString& description);

// A picture of the skin; a missing or unreadable picture gives a null pixmap (draws nothing).
// The @2x rendering is used where the screen scaling asks for it.
QPixmap LoadPicture(const QString& description);

// The resource map "res.xml": a resource key ("XML_MAIN") -> skin-relative layout file. Unknown
// keys (and a missing or broken map) give empty.
QString ResourceFile(const QString& key);

// The theme style sheet of the skin ("style.qss"), empty when missing.
QString ThemeStyleSheet();

// Adds every font file of the "Font" folder beside the skin folder; missing fonts are skipped.
// Returns how many were added.
int LoadSkinFonts();

}  // namespace ui
