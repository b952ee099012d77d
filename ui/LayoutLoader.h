#pragma once

#include <QString>
#include <QUiLoader>

#include "ui/ControlFactory.h"

namespace ui {

// Builds widgets from a layout file of the skin (Qt Designer .ui XML under the skin's own
// file names). Elements are made, in order, from: the base control table, the given factory
// tables, the layout-element table (a whole layout file built into a container widget), the
// CreateControl callback, and Qt's own widgets. An unknown element becomes an empty, hidden
// container instead of failing the whole layout. Every created widget reports its class through
// ControlClass().
class LayoutLoader : public QUiLoader {
public:
    explicit LayoutLoader(LoaderConfig config = {}, QObject* parent = nullptr);

    // Loads layoutFile (a resource key of "res.xml" such as "XML_MAIN", or a file name relative
    // to the skin folder, '\\' accepted as separator) under parent.
    // Texts are resolved from the current language and the notification pump is attached.
    // Returns null with ErrorString() set when the file is missing or not a valid layout.
    QWidget* Build(const QString& layoutFile, QWidget* parent);

    QString ErrorString() const { return error_; }
    const LoaderConfig& Config() const { return config_; }

    QWidget* createWidget(const QString& className, QWidget* parent = nullptr,
                          const QString& name = QString()) override;

private:
    QWidget* BuildNested(const QString& element, const QString& layoutFile, QWidget* parent,
                         const QString& name);

    LoaderConfig config_;
    QString error_;
    int depth_ = 0;
};

// Builds layoutFile with a fresh loader of config; see LayoutLoader::Build.
QWidget* BuildLayout(const QString& layoutFile, QWidget* parent, const LoaderConfig& config = {},
                     QString* error = nullptr);

}  // namespace ui
