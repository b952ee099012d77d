#pragma once

class CMainWnd;

// Gives the main window its parts (device discovery and switching, control routing) and the
// control tables of the pages and panels. The one place that knows which parts exist.
void AssembleMainWnd(CMainWnd& window);
