// The title field reports its focus changes as posted gadget events.
#pragma once

#include <windows.h>

void subclassTitleField(HWND field);
