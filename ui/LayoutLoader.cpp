#include "ui/LayoutLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include "base/Trace.h"
#include "ui/ControlClass.h"
#include "ui/LanguageTexts.h"
#include "ui/NotifyPump.h"
#include "ui/SkinResources.h"

namespace ui {
namespace {

// A layout that (through its elements) includes itself would never end.
constexpr int kMaxNesting = 8;
constexpr qint64 kMaxLayoutBytes = 8 << 20;

}  // namespace

LayoutLoader::LayoutLoader(LoaderConfig config, QObject* parent)
    : QUiLoader(parent), config_(std::move(config)) {
    setWorkingDirectory(QDir(SkinFolder()));
}

QWidget* LayoutLoader::Build(const QString& layoutFile, QWidget* parent) {
    error_.clear();
    // A resource key of the map ("XML_MAIN") names its file; anything else is a file name.
    const QString mapped = ResourceFile(layoutFile);
    const QString path = SkinPath(mapped.isEmpty() ? layoutFile : mapped);
    if (path.isEmpty()) {
        error_ = QStringLiteral("layout name outside the skin folder: ") + layoutFile;
        return nullptr;
    }
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > kMaxLayoutBytes ||
        !file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("layout file missing: ") + layoutFile;
        return nullptr;
    }
    QWidget* root = load(&file, parent);
    if (root == nullptr) {
        error_ = QStringLiteral("layout file not valid: ") + layoutFile + QStringLiteral(": ") +
                 errorString();
        return nullptr;
    }
    ApplyTexts(root);
    AttachPump(root);
    return root;
}

QWidget* LayoutLoader::createWidget(const QString& className, QWidget* parent,
                                    const QString& name) {
    auto fromTable = [&](ControlTable table) -> QWidget* {
        for (const ControlFactoryEntry& entry : table) {
            if (className == QLatin1String(entry.element)) {
                QWidget* w = entry.create(parent);
                if (w != nullptr) {
                    w->setObjectName(name);
                    SetControlClass(w, QString::fromLatin1(entry.className));
                }
                return w;
            }
        }
        return nullptr;
    };
    if (QWidget* w = fromTable(BaseControlTable())) {
        return w;
    }
    for (ControlTable table : config_.tables) {
        if (QWidget* w = fromTable(table)) {
            return w;
        }
    }
    for (LayoutElementTable table : config_.layoutElements) {
        for (const LayoutElementEntry& entry : table) {
            if (className == QLatin1String(entry.element)) {
                return BuildNested(className, QString::fromLatin1(entry.layoutFile), parent, name);
            }
        }
    }
    if (config_.createControl) {
        if (QWidget* w = config_.createControl(className, parent)) {
            w->setObjectName(name);
            if (!w->property(kClassProperty).isValid()) {
                SetControlClass(w, className);
            }
            return w;
        }
    }
    // Qt's own widgets; asking Qt about any other name only makes it complain.
    static const QStringList qtWidgets = availableWidgets();
    if (qtWidgets.contains(className)) {
        if (QWidget* w = QUiLoader::createWidget(className, parent, name)) {
            return w;
        }
    }
    // An element nobody knows yields no working control; an empty hidden box keeps the rest
    // of the layout intact.
    trace::Linef("layout: unknown element %s (%s)", className.toUtf8().constData(),
                 name.toUtf8().constData());
    auto* placeholder = new QWidget(parent);
    placeholder->setObjectName(name);
    placeholder->setVisible(false);
    return placeholder;
}

QWidget* LayoutLoader::BuildNested(const QString& element, const QString& layoutFile,
                                   QWidget* parent, const QString& name) {
    QWidget* built = nullptr;
    if (depth_ < kMaxNesting) {
        LayoutLoader nested(config_);
        nested.depth_ = depth_ + 1;
        built = nested.Build(layoutFile, parent);
        if (built == nullptr) {
            trace::Linef("layout: %s", nested.ErrorString().toUtf8().constData());
        }
    }
    if (built == nullptr) {
        built = new QWidget(parent);
        built->setVisible(false);
        SetControlClass(built, element);
    }
    // The element's own name wins, as the element's attributes are applied to the built root.
    if (!name.isEmpty()) {
        built->setObjectName(name);
    }
    return built;
}

QWidget* BuildLayout(const QString& layoutFile, QWidget* parent, const LoaderConfig& config,
                     QString* error) {
    LayoutLoader loader(config);
    QWidget* root = loader.Build(layoutFile, parent);
    if (error != nullptr) {
        *error = loader.ErrorString();
    }
    return root;
}

}  // namespace ui
