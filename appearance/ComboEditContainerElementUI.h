#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QVariant>

#include "ui/ListContainer.h"

namespace appearance {

// A row of the macro action list: its content comes from the element layout
// "XML/CustomControlXML/ComboEditElementItem.xml" with the labels "text1", "text2" and the
// delay edit "delay_edit". Double click or Enter activates it, a press selects it (Ctrl
// toggles), the release notifies "itemclick", a context request "menu".
class CComboEditContainerElementUI : public ui::ListElement {
    Q_OBJECT
    // Picture attributes of the layout are accepted and have no effect: the theme draws rows.
    Q_PROPERTY(QVariant normalimage MEMBER swallowed_)
    Q_PROPERTY(QVariant hotimage MEMBER swallowed_)
    Q_PROPERTY(QVariant selectedimage MEMBER swallowed_)
public:
    static constexpr char kContentLayout[] = "XML/CustomControlXML/ComboEditElementItem.xml";

    explicit CComboEditContainerElementUI(QWidget* parent = nullptr);

    // Builds the content once; false when the layout is missing (the row then stays empty).
    bool EnsureContent();

    QWidget* Text1() const { return text1_; }
    QWidget* Text2() const { return text2_; }
    QLineEdit* DelayEdit() const { return delayEdit_; }

    // "itemactivate"; false when disabled.
    bool Activate();
    bool IsHot() const { return hot_; }

    // Whether a "selectchanged" or the row's own "return" notification happened (the owner
    // reads and clears these).
    bool SawSelectChanged() const { return sawSelectChanged_; }
    bool SawReturn() const { return sawReturn_; }
    void NoteSelectChanged() { sawSelectChanged_ = true; }
    void ClearNotes();

    static constexpr char kItemActivate[] = "itemactivate";

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool contentBuilt_ = false;
    QPointer<QWidget> text1_;
    QPointer<QWidget> text2_;
    QPointer<QLineEdit> delayEdit_;
    bool hot_ = false;
    bool sawSelectChanged_ = false;
    bool sawReturn_ = false;
    QVariant swallowed_;
};

}  // namespace appearance
