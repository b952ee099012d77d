// Writes a PNG of the main window over the emulated mouse with one function page open, at the
// scale chosen the way the program chooses it (ZORVATH_SCALE=100 or 150 forces it):
//   ZORVATH_SCALE=150 QT_QPA_PLATFORM=offscreen zorvath_main_window_shot out.png [page] [key]
// page: the name of a function tab ("deng_Op_tab", "key_Op_tab", "macro_Op_tab",
// "system_Op_tab", "cursor_Op_tab"); key: a key button number to click first ("key_" + n).
#include <QString>
#include <cstdio>
#include <string>

#include "app/MainWnd.h"
#include "tests/support/ui/MainWindowShot.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <out.png> [tab name] [key number]\n", argv[0]);
        return 2;
    }
    return testsupport::RunMainWindowShot(argc, argv, [argc, argv](CMainWnd& window) {
        if (argc > 2) {
            testsupport::ClickControl(&window, argv[2]);
        }
        if (argc > 3) {
            testsupport::ClickControl(&window, ("key_" + std::string(argv[3])).c_str());
        }
        return true;
    });
}
