#pragma once

class QApplication;

namespace ui {

// The skin's look for the whole application: Fusion as the base style, the dark palette of the
// skin, the skin's fonts and its style sheet ("style.qss"). A missing sheet leaves the palette.
void ApplyTheme(QApplication& app);

}  // namespace ui
