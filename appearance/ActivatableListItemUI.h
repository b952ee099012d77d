#pragma once

#include "ui/ListContainer.h"

namespace appearance {

// A list row that reports activation ("itemactivate", by double click or Enter) and context
// requests ("menu"), and outlines itself while hovered when its list has a hot border colour
// (the list's "hotbordercolor" property).
class ActivatableListItemUI : public ui::ListElement {
    Q_OBJECT
public:
    explicit ActivatableListItemUI(QWidget* parent = nullptr);

    // Sends "itemactivate"; false when the row is disabled.
    virtual bool Activate();
    bool IsHot() const { return hot_; }

    static constexpr char kItemActivate[] = "itemactivate";
    static constexpr char kHotBorderProperty[] = "hotbordercolor";

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool hot_ = false;
};

// A row of the cloud share list. Nothing in the program creates one; layouts may.
class CCloudShareListItemUI : public ActivatableListItemUI {
    Q_OBJECT
public:
    explicit CCloudShareListItemUI(QWidget* parent = nullptr);
};

// A row of the update list of the settings window.
class CUpdateInfoListItemUI : public ActivatableListItemUI {
    Q_OBJECT
public:
    explicit CUpdateInfoListItemUI(QWidget* parent = nullptr);
};

}  // namespace appearance
