#include "ui/SliderSteps.h"

#include <QAbstractSlider>
#include <QEvent>
#include <QWheelEvent>

namespace ui {
namespace {

constexpr char kWheelRest[] = "zorvathWheelRest";
constexpr int kNotch = 120;

class NotchFilter : public QObject {
public:
    static NotchFilter* Instance() {
        static NotchFilter* filter = new NotchFilter();
        return filter;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* slider = qobject_cast<QAbstractSlider*>(watched);
        if (slider == nullptr || event->type() != QEvent::Wheel) {
            return false;
        }
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
            return false;  // Qt moves a page
        }
        // The directions Qt gives a wheel on a slider: up or left raises the value.
        const QPoint angle = wheel->angleDelta();
        int delta = angle.y() != 0 ? angle.y() : -angle.x();
        if (wheel->inverted()) {
            delta = -delta;
        }
        if (slider->invertedControls()) {
            delta = -delta;
        }
        int rest = slider->property(kWheelRest).toInt();
        if (rest != 0 && (rest > 0) != (delta > 0)) {
            rest = 0;  // turned back: the part notch before counts no more
        }
        rest += delta;
        const int steps = rest / kNotch;
        slider->setProperty(kWheelRest, rest - steps * kNotch);
        const auto action =
            steps > 0 ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub;
        for (int i = 0; i < (steps > 0 ? steps : -steps); ++i) {
            slider->triggerAction(action);
        }
        wheel->accept();
        return true;
    }
};

}  // namespace

void SetSliderSteps(QAbstractSlider* slider, int singleStep, int pageStep) {
    if (slider == nullptr) {
        return;
    }
    slider->setSingleStep(singleStep);
    slider->setPageStep(pageStep);
    slider->installEventFilter(NotchFilter::Instance());
}

}  // namespace ui
