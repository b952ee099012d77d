#include "ui/SkinResources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QPixmapCache>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace ui {
namespace {

QString& SkinOverride() {
    static QString folder;
    return folder;
}

struct ResourceMap {
    QString skin;  // the skin folder it was read from
    QHash<QString, QString> files;
};

ResourceMap& CachedMap() {
    static ResourceMap map;
    return map;
}

constexpr qint64 kMaxResourceMapBytes = 1 << 20;

}  // namespace

QString SkinFolder() {
    if (!SkinOverride().isEmpty()) {
        return SkinOverride();
    }
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/skin");
    if (QFileInfo(beside).isDir()) {
        return beside;
    }
#ifdef ZORVATH_INSTALL_DATADIR
    return QStringLiteral(ZORVATH_INSTALL_DATADIR "/zorvath/skin");
#else
    return beside;
#endif
}

void SetSkinFolderForTesting(const QString& folder) {
    SkinOverride() = folder;
    CachedMap() = {};
}

QString PictureFileName(const QString& description) {
    static const QRegularExpression file(QStringLiteral("file\\s*=\\s*'([^']*)'"));
    const QRegularExpressionMatch match = file.match(description);
    if (match.hasMatch()) {
        return match.captured(1);
    }
    return description.trimmed();
}

QString SkinPath(const QString& relativeName) {
    QString name = PictureFileName(relativeName);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char(':')) ||
        name.contains(QChar(0))) {
        return {};
    }
    const QString cleaned = QDir::cleanPath(name);
    if (cleaned == QLatin1String("..") || cleaned.startsWith(QLatin1String("../")) ||
        cleaned == QLatin1String(".")) {
        return {};
    }
    return SkinFolder() + QLatin1Char('/') + cleaned;
}

QPixmap LoadPicture(const QString& description) {
    const QString path = SkinPath(description);
    if (path.isEmpty()) {
        return {};
    }
    // Pictures are drawn on every paint: read each file once, then from the pixmap cache.
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    const QString key =
        QStringLiteral("zorvath:") + path + (ratio > 1.0 ? QStringLiteral("@2x") : QString());
    QPixmap picture;
    if (QPixmapCache::find(key, &picture)) {
        return picture;
    }
    // Prefer the double-size rendering on scaled screens so pictures stay sharp at 150 %.
    if (ratio > 1.0) {
        const QFileInfo info(path);
        const QString doubled = info.path() + QLatin1Char('/') + info.completeBaseName() +
                                QStringLiteral("@2x.") + info.suffix();
        if (QFileInfo(doubled).isFile() && picture.load(doubled)) {
            picture.setDevicePixelRatio(2.0);
            QPixmapCache::insert(key, picture);
            return picture;
        }
    }
    if (!QFileInfo(path).isFile() || !picture.load(path)) {
        return {};
    }
    QPixmapCache::insert(key, picture);
    return picture;
}

QString ResourceFile(const QString& key) {
    ResourceMap& map = CachedMap();
    const QString skin = SkinFolder();
    if (map.skin != skin) {
        map = {};
        map.skin = skin;
        QFile file(skin + QStringLiteral("/res.xml"));
        if (file.size() <= kMaxResourceMapBytes && file.open(QIODevice::ReadOnly)) {
            // <Resource><Layout name="XML_MAIN" file="XML/main.xml"/>...</Resource>
            QXmlStreamReader xml(&file);
            while (!xml.atEnd()) {
                if (xml.readNext() != QXmlStreamReader::StartElement) {
                    continue;
                }
                const QString name = xml.attributes().value(QLatin1String("name")).toString();
                const QString path = xml.attributes().value(QLatin1String("file")).toString();
                if (!name.isEmpty() && !path.isEmpty()) {
                    map.files.insert(name, path);
                }
            }
            if (xml.hasError()) {
                map.files.clear();
            }
        }
    }
    return map.files.value(key);
}

QString ThemeStyleSheet() {
    QFile file(SkinFolder() + QStringLiteral("/style.qss"));
    if (file.size() > kMaxResourceMapBytes || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString sheet = QString::fromUtf8(file.readAll());
    // Pictures in the sheet are written skin-relative; Qt needs them anchored.
    sheet.replace(QStringLiteral("url(skin:"),
                  QStringLiteral("url(") + SkinFolder() + QLatin1Char('/'));
    return sheet;
}

int LoadSkinFonts() {
    const QDir fonts(QFileInfo(SkinFolder()).dir().filePath(QStringLiteral("Font")));
    if (!fonts.exists()) {
        return 0;
    }
    int added = 0;
    const QStringList files =
        fonts.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf"), QStringLiteral("*.ttc")},
                        QDir::Files, QDir::Name);
    for (const QString& name : files) {
        if (QFontDatabase::addApplicationFont(fonts.filePath(name)) >= 0) {
            ++added;
        }
    }
    return added;
}

}  // namespace ui
