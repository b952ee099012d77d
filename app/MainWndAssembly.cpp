#include "app/MainWndAssembly.h"

#include "app/MainWnd.h"

#if ZORVATH_HAS_PAGES
#include "devices/page/ZelvaneMouseDevice.h"
#endif
#if ZORVATH_HAS_DISCOVERY
#include "app/discovery/MainWndDeviceSwitcher.h"
#endif
#if ZORVATH_HAS_ROUTING
#include "app/routing/MainWndRouting.h"
#endif

void AssembleMainWnd(CMainWnd& window) {
#if ZORVATH_HAS_PAGES
    window.AddControlTable(devices::page::PageControlTable());
    window.AddLayoutElements(devices::page::PanelLayoutElements());
#endif
#if ZORVATH_HAS_DISCOVERY
    window.SetDeviceSwitcher(discovery::CreateMainWndDeviceSwitcher(window));
#endif
#if ZORVATH_HAS_ROUTING
    routing::AttachRouting(window);
#endif
    (void)window;
}
