#pragma once

// The main window over the emulated mouse for the screenshot programs: private data folders,
// the source skin at the scale the program would choose (ZORVATH_SCALE=100 or 150 forces it),
// the window built and started, and the mouse current and read before `prepare` runs.
#include <functional>

class CMainWnd;
class QWidget;

namespace testsupport {

// Runs the session and writes the window's picture to argv[1] once `prepare` returned true.
// Returns the program's exit code (2 without an output path).
int RunMainWindowShot(int argc, char** argv, const std::function<bool(CMainWnd&)>& prepare);

// Clicks the control of that name in the middle; says so on stderr when there is none.
void ClickControl(QWidget* root, const char* name);

}  // namespace testsupport
