#pragma once

#include "ui/PictureButton.h"

namespace appearance {

// A macro list button; it keeps its "redioimage" and otherwise is an ordinary button.
class CRedioMacroButtonUI : public ui::PictureButton {
    Q_OBJECT
    Q_PROPERTY(QString redioimage READ RedioImage WRITE SetRedioImage)
public:
    explicit CRedioMacroButtonUI(QWidget* parent = nullptr);

    QString RedioImage() const { return redioImage_; }
    void SetRedioImage(const QString& picture) { redioImage_ = picture; }

private:
    QString redioImage_;
};

}  // namespace appearance
