#include "macros/panel/ActionListView.h"

#include <QLineEdit>

#include "macros/panel/ActionRow.h"
#include "ui/ListContainer.h"

namespace macropanel {

using macros::editing::RowStep;

CActionListView::CActionListView(ui::ListContainer* list, MenuRequest menuRequest)
    : list_(list), menuRequest_(std::move(menuRequest)) {}

int CActionListView::Count() const {
    return list_ ? list_->Count() : 0;
}

int CActionListView::Selected() const {
    return list_ ? list_->CurrentSel() : -1;
}

CActionRow* CActionListView::RowAt(int index) const {
    return list_ ? qobject_cast<CActionRow*>(list_->ElementAt(index)) : nullptr;
}

CActionRow* CActionListView::MakeRow(const macros::MacroAction& action) {
    auto* row = new CActionRow;
    row->Show(action);
    row->SetMenuRequest([this](CActionRow* source, QPoint globalPos) {
        // The menu acts on the selected row: the row asked about becomes it.
        if (list_) {
            list_->SelectItem(list_->IndexOf(source));
        }
        if (menuRequest_) {
            menuRequest_(globalPos);
        }
    });
    return row;
}

void CActionListView::Reset(const std::vector<macros::MacroAction>& rows) {
    if (!list_) {
        return;
    }
    list_->setUpdatesEnabled(false);
    list_->RemoveAll();
    for (const macros::MacroAction& action : rows) {
        list_->Add(MakeRow(action));
    }
    list_->setUpdatesEnabled(true);
}

void CActionListView::Apply(const macros::editing::ActionEdit& edit,
                            const std::vector<macros::MacroAction>& rows) {
    if (!list_) {
        return;
    }
    const auto rowCount = static_cast<int>(rows.size());
    for (const RowStep& step : edit.steps) {
        switch (step.kind) {
            case RowStep::Kind::Insert:
                if (step.index >= 0 && step.index < rowCount) {
                    list_->Insert(step.index, MakeRow(rows[static_cast<std::size_t>(step.index)]));
                }
                break;
            case RowStep::Kind::Remove:
                list_->RemoveAt(step.index);
                break;
            case RowStep::Kind::Update:
                if (CActionRow* row = RowAt(step.index); row != nullptr && step.index < rowCount) {
                    row->Show(rows[static_cast<std::size_t>(step.index)]);
                }
                break;
            case RowStep::Kind::Clear:
                list_->RemoveAll();
                break;
        }
    }
    if (list_->Count() != rowCount) {
        // The steps did not describe the change: show the rows as they are.
        Reset(rows);
    }
    if (edit.selected != list_->CurrentSel()) {
        list_->SelectItem(edit.selected);
    }
}

void CActionListView::ReadDelays(std::vector<macros::MacroAction>& rows) const {
    const int n = std::min(Count(), static_cast<int>(rows.size()));
    for (int i = 0; i < n; ++i) {
        if (CActionRow* row = RowAt(i)) {
            rows[static_cast<std::size_t>(i)].delayText = row->DelayEdit()->text().toStdString();
        }
    }
}

void CActionListView::ShowDelays(const std::vector<macros::MacroAction>& rows) {
    const int n = std::min(Count(), static_cast<int>(rows.size()));
    for (int i = 0; i < n; ++i) {
        if (CActionRow* row = RowAt(i)) {
            const QString text =
                QString::fromStdString(rows[static_cast<std::size_t>(i)].delayText);
            if (row->DelayEdit()->text() != text) {
                row->DelayEdit()->setText(text);
            }
        }
    }
}

void CActionListView::ScrollToSelected() {
    if (list_ != nullptr) {
        if (QWidget* row = list_->ElementAt(list_->CurrentSel())) {
            list_->ensureWidgetVisible(row, 0, 0);
        }
    }
}

}  // namespace macropanel
