#pragma once

#include <QStackedWidget>

namespace ui {

// Pages shown one at a time, chosen by index (DuiLib CTabLayoutUI, class "TabLayout").
class TabLayout : public QStackedWidget {
    Q_OBJECT
public:
    explicit TabLayout(QWidget* parent = nullptr);

    // Shows page index; an index out of range changes nothing and returns false.
    bool SelectItem(int index);
    int CurrentSel() const { return currentIndex(); }
    int Count() const { return count(); }
};

}  // namespace ui
