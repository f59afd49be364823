// A library planted where the editor library must not be looked for. Loading
// it runs its start-up code, which leaves a mark: an empty file named like the
// library with ".loaded" added, beside it. It registers no window class, so
// the program passes it over; only the mark tells that it was loaded.
#include <windows.h>

#include <string>

namespace {

constexpr DWORD pathCapacity = 32768;
constexpr const char* markSuffix = ".loaded";

void leaveMark(HINSTANCE library) {
    std::string path(pathCapacity, '\0');
    const DWORD length = GetModuleFileNameA(library, path.data(), pathCapacity);
    if (length == 0 || length >= pathCapacity) {
        return;
    }
    path.resize(length);
    path += markSuffix;
    const HANDLE mark =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (mark != INVALID_HANDLE_VALUE) {
        CloseHandle(mark);
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE library, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        leaveMark(library);
    }
    return TRUE;
}
