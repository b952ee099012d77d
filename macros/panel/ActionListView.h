#pragma once

#include <QPoint>
#include <QPointer>
#include <functional>
#include <vector>

#include "macros/MacroLibrary.h"
#include "macros/editing/ActionEdit.h"
#include "ui/ListContainer.h"

namespace macropanel {

class CActionRow;

// Mirrors the library's action rows in "macro_action_list": built once per loaded macro, then
// kept in step edit by edit so that a recording of thousands of rows stays cheap per event.
class CActionListView {
public:
    using MenuRequest = std::function<void(QPoint globalPos)>;

    CActionListView(ui::ListContainer* list, MenuRequest menuRequest);

    ui::ListContainer* List() const { return list_; }
    int Count() const;
    int Selected() const;
    CActionRow* RowAt(int index) const;

    // Every row again from rows; nothing selected.
    void Reset(const std::vector<macros::MacroAction>& rows);
    // The steps of an edit in order (rows is the state after the edit), then its selection.
    void Apply(const macros::editing::ActionEdit& edit,
               const std::vector<macros::MacroAction>& rows);
    // The delay fields into the rows' texts, and back (saving puts "0" into empty fields).
    void ReadDelays(std::vector<macros::MacroAction>& rows) const;
    void ShowDelays(const std::vector<macros::MacroAction>& rows);
    // Scrolls so that the selected row is visible.
    void ScrollToSelected();

private:
    CActionRow* MakeRow(const macros::MacroAction& action);

    QPointer<ui::ListContainer> list_;
    MenuRequest menuRequest_;
};

}  // namespace macropanel
