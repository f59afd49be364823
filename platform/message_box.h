// The one way the program shows a platform message box: modal over every
// visible top-level window of the calling thread, not only over its owner.
#pragma once

#include <cstdint>

// Shows MessageBoxW(owner, text, caption, flags) with the UTF-8 texts
// converted exactly, and answers its result: the identifier of the button that closed
// the box, or 0 when it could not be shown. Windows disabled for the box are
// enabled again before it returns.
int showMessageBox(const char* caption, const char* text, std::uint32_t flags);
