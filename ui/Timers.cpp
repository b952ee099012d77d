#include "ui/Timers.h"

#include <QHash>
#include <QTimer>
#include <QWidget>

#include "ui/Notification.h"

namespace ui {
namespace {

// The timers of one control, as its child so they die with it.
class TimerSet : public QObject {
public:
    explicit TimerSet(QWidget* owner) : QObject(owner), owner_(owner) {
        setObjectName(QString::fromLatin1(kName));
    }

    static constexpr char kName[] = "zorvath_timer_set";

    QTimer* Timer(int id, bool create) {
        auto it = timers_.find(id);
        if (it != timers_.end()) {
            return it.value();
        }
        if (!create) {
            return nullptr;
        }
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { Fire(id); });
        timers_.insert(id, timer);
        return timer;
    }

private:
    void Fire(int id) {
        // A control that handles its own timers gets them directly.
        if (auto* handler = dynamic_cast<TimerHandler*>(owner_)) {
            handler->OnTimer(id);
            return;
        }
        if (auto* self = dynamic_cast<NotifyReceiver*>(owner_)) {
            Notification notification{QString::fromLatin1(notify::kTimer), owner_,
                                      owner_->objectName(), id, 0};
            self->Notify(notification);
            return;
        }
        SendNotify(owner_, QString::fromLatin1(notify::kTimer), id);
    }

    QWidget* owner_;
    QHash<int, QTimer*> timers_;
};

TimerSet* FindSet(const QWidget* control) {
    return control->findChild<TimerSet*>(QString::fromLatin1(TimerSet::kName),
                                         Qt::FindDirectChildrenOnly);
}

}  // namespace

void SetTimer(QWidget* control, int id, int milliseconds, TimerMode mode) {
    if (control == nullptr) {
        return;
    }
    TimerSet* set = FindSet(control);
    if (set == nullptr) {
        set = new TimerSet(control);
    }
    QTimer* timer = set->Timer(id, true);
    timer->setSingleShot(mode == TimerMode::SingleShot);
    timer->start(milliseconds < 0 ? 0 : milliseconds);
}

void KillTimer(QWidget* control, int id) {
    if (control == nullptr) {
        return;
    }
    if (TimerSet* set = FindSet(control)) {
        if (QTimer* timer = set->Timer(id, false)) {
            timer->stop();
        }
    }
}

bool IsTimerActive(const QWidget* control, int id) {
    if (control == nullptr) {
        return false;
    }
    TimerSet* set = FindSet(control);
    QTimer* timer = set != nullptr ? set->Timer(id, false) : nullptr;
    return timer != nullptr && timer->isActive();
}

}  // namespace ui
