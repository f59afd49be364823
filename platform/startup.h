// Start-up's preparation of the platform, shared by the program and the
// tests that build its window.
#pragma once

#include <windows.h>

// The program's module handle: the instance of every window and control.
HINSTANCE programInstance();
// Makes the common control classes (list view, tooltips) available.
void prepareCommonControls();
