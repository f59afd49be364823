#include "environment.h"

#include <windows.h>

#include "utf8.h"

std::optional<std::string> environmentVariable(const wchar_t* name) {
    SetLastError(ERROR_SUCCESS);
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
            return std::nullopt;
        }
        return std::string();
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    if (length >= size) {
        return std::string();  // changed between the two calls
    }
    value.resize(length);
    return utf8FromWide(value);
}
