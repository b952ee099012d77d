#include "app/MainWndAssembly.h"

#include "app/MainWnd.h"

void AssembleMainWnd(CMainWnd& /*window*/) {
    // The discovery and routing parts are added here as they become available.
}
