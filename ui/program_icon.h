// The program's icon at the two sizes Windows shows for a window: the small
// one (title bar, taskbar) and the large one (Alt+Tab), each drawn for its
// size rather than scaled from another.
#pragma once

#include <windows.h>

struct ProgramIcons {
    HICON smallIcon = nullptr;
    HICON largeIcon = nullptr;
};

// Icon resource 1 of the module at the small and the large icon size of the
// DPI; either is nullptr when it cannot be loaded. The caller destroys them
// with destroyProgramIcons once nothing uses them any more.
ProgramIcons loadProgramIcons(HINSTANCE module, UINT dpi);
void destroyProgramIcons(const ProgramIcons& icons);
