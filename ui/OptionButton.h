#pragma once

#include <QString>

#include "ui/PictureButton.h"

namespace ui {

// A selectable option (DuiLib COptionUI, class "OptionUI"). Options of one window sharing a
// non-empty group name select exclusively: choosing one deselects the others, and clicking the
// selected one keeps it selected. Without a group it toggles like a check box. The user's click
// notifies "click", then "selectchanged" only when the state changed (grouped: only the option
// that became selected notifies). SetSelected from code notifies only when asked.
class OptionButton : public PictureButton {
    Q_OBJECT
    Q_PROPERTY(QString group READ Group WRITE SetGroup)
    Q_PROPERTY(QString selectedImage READ SelectedImage WRITE SetSelectedImage)
    Q_PROPERTY(QString selectedHotImage READ SelectedHotImage WRITE SetSelectedHotImage)
public:
    explicit OptionButton(QWidget* parent = nullptr);

    QString Group() const { return group_; }
    void SetGroup(const QString& group) { group_ = group; }
    QString SelectedImage() const { return selected_; }
    void SetSelectedImage(const QString& picture);
    QString SelectedHotImage() const { return selectedHot_; }
    void SetSelectedHotImage(const QString& picture);

    bool IsSelected() const { return isChecked(); }
    // Selecting a grouped option deselects the rest of its group (silently).
    void SetSelected(bool selected, bool notify = false);

protected:
    QString CurrentPicture() const override;
    void nextCheckState() override;

private:
    void DeselectGroupSiblings();

    QString group_, selected_, selectedHot_;
};

}  // namespace ui
