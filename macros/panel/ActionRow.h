#pragma once

#include <QPointer>
#include <functional>

#include "macros/MacroLibrary.h"
#include "ui/ListContainer.h"

class QLabel;
class QLineEdit;

namespace macropanel {

// One row "macro_action" of the action list: the event's name, its direction or distance and
// the delay edit "macro_delay". Built in code, since a recording may hold thousands of rows.
class CActionRow : public ui::ListElement {
    Q_OBJECT
public:
    static constexpr int kHeight = 30;
    static constexpr int kDelayEditHeight = 25;
    static constexpr int kDelayMaxLength = 6;

    explicit CActionRow(QWidget* parent = nullptr);

    // Shows an action: labels from its event, the delay field from its text.
    void Show(const macros::MacroAction& action);

    QLabel* NameLabel() const { return name_; }
    QLabel* SecondLabel() const { return second_; }
    QLineEdit* DelayEdit() const { return delay_; }

    // Called with the global position when the user asks for the row's context menu.
    void SetMenuRequest(std::function<void(CActionRow*, QPoint)> request) {
        menuRequest_ = std::move(request);
    }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QLabel* name_;
    QLabel* second_;
    QLineEdit* delay_;
    std::function<void(CActionRow*, QPoint)> menuRequest_;
};

// The style attribute of a label: a dynamic property the skin's style sheet draws by.
inline constexpr char kStyleProperty[] = "macroStyle";

}  // namespace macropanel
