#pragma once

class QAbstractButton;
class QString;
class QAbstractSlider;
class QComboBox;
class QWidget;

namespace ui {

// Setting controls from code. Qt's own setters (setChecked, setValue, setCurrentIndex, setText)
// send no notification through the pump; these helpers exist for the operations defined to
// notify ("with notification"), which then send exactly what the user action would.
enum class Notifying { No, Yes };

// Selects or deselects an option; with Notifying::Yes, "selectchanged" is sent when the state
// changed (for a grouped option only when it becomes selected).
void SetSelected(QAbstractButton* option, bool selected, Notifying notifying = Notifying::No);
// Sets a slider; with notification "valuechanged" when the value changed.
void SetSliderValue(QAbstractSlider* slider, int value, Notifying notifying = Notifying::No);
// Selects a combo entry; with notification "itemselect" (wParam = index) when it changed.
void SetComboIndex(QComboBox* combo, int index, Notifying notifying = Notifying::No);

// Draws a slider with skin pictures: the filled part of the groove from barImage and the handle
// from thumbImage (the DPI sliders switch between "Control/SliderBar_BK1.png" and
// "Control/SliderBar_BK3.png"). A missing picture leaves that part as the theme draws it.
void SetSliderImages(QAbstractSlider* slider, const QString& barImage, const QString& thumbImage);

}  // namespace ui
