// A library that loads as the editor's would but registers no window class:
// another program's file of the editor's name, or a stripped build.
#include <windows.h>

extern "C" __declspec(dllexport) int noEditorHere() {
    return 0;
}
