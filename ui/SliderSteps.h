#pragma once

class QAbstractSlider;

namespace ui {

// A slider stepped value by value: an arrow key or a wheel notch moves it by exactly
// singleStep, Page Up/Down (or a notch with Ctrl or Shift) by pageStep. Qt alone moves a notch
// by the desktop's scroll lines (three by default), so a long range could not be stepped to
// every value. A high-resolution wheel moves one step per full notch (120 units) of turning.
// Each step is a user step: the pump announces it as "valuechanged".
void SetSliderSteps(QAbstractSlider* slider, int singleStep, int pageStep);

}  // namespace ui
