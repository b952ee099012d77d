#pragma once

#include <QFrame>
#include <QScrollArea>
#include <QString>

#include "ui/ControlFactory.h"

class QVBoxLayout;

namespace ui {

// One row of a ListContainer (DuiLib CListContainerElementUI, class "ListContainerElement").
// A row's content is usually built from an element layout file. Pressing the row selects it in
// its list (the list notifies "itemselect"); releasing sends "itemclick" from the row.
class ListElement : public QFrame {
    Q_OBJECT
public:
    explicit ListElement(QWidget* parent = nullptr);

    bool IsSelected() const { return selected_; }
    void SetSelected(bool selected);
    // The list this row belongs to, or null.
    class ListContainer* OwnerList() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool selected_ = false;
};

// A scrolling list of ListElement rows (DuiLib CListUI, class "List"). The user's choice of a
// row (mouse or Up/Down keys) notifies "itemselect" with wParam = row index; selecting from code
// sends nothing unless asked. Rows are alike in height and shown whole: the view is a whole
// number of rows tall and scrolls by rows, so no row is cut at its top or bottom.
class ListContainer : public QScrollArea {
    Q_OBJECT
public:
    explicit ListContainer(QWidget* parent = nullptr);

    int Count() const;
    ListElement* ElementAt(int index) const;
    int IndexOf(const ListElement* element) const;
    // Takes ownership; the row is attached to the notification pump. Returns its index.
    int Add(ListElement* element);
    int Insert(int index, ListElement* element);
    // Builds a row from an element layout file; null when the layout fails.
    ListElement* AddFromLayout(const QString& layoutFile, const LoaderConfig& config = {});
    bool RemoveAt(int index);
    void RemoveAll();

    int CurrentSel() const { return current_; }
    // -1 clears the selection. Out-of-range indexes change nothing.
    void SelectItem(int index, bool notify = false);

    void ChooseByUser(ListElement* element);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The distance from one row's top to the next one's; 0 without rows.
    int RowPitch() const;
    // Sizes the view to whole rows (the rest stays empty below it).
    void FitWholeRows();
    // Moves the scroll position onto a row's top.
    void SnapToRow(int value);

    QWidget* body_;
    QVBoxLayout* rows_;
    int current_ = -1;
};

}  // namespace ui
