#pragma once

#include <QSize>

namespace ui {

// The program is drawn at 150 % on screens whose logical size (after the desktop's own scaling)
// is above 1500 x 960, else at 100 %. The factor is applied as Qt's global scale factor, which
// must be chosen before the QApplication exists.

// 1.0 or 1.5 for a screen of the given logical size.
double ScaleForScreen(QSize logicalScreenSize);

// Chooses the factor and sets QT_SCALE_FACTOR (multiplied into any value already set). Call
// before constructing QApplication. ZORVATH_SCALE=100 or 150 forces the factor (tests,
// screenshots); otherwise a short-lived probe application reads the primary screen.
// Returns the factor chosen.
double ChooseScaleBeforeApplication(int& argc, char** argv);

// The factor chosen (1.0 when ChooseScaleBeforeApplication was not called).
double CurrentScale();

}  // namespace ui
