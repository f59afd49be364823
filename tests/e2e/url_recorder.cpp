// Stand-in for the browser in the end-to-end suite's Wine prefix: the shell
// runs it for web addresses, and it appends its command line to opened.txt
// beside itself instead of showing a page.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string record(path, length);
    record = record.substr(0, record.find_last_of('\\') + 1) + "opened.txt";
    FILE* file = std::fopen(record.c_str(), "ab");
    if (file) {
        std::fprintf(file, "%s\n", GetCommandLineA());
        std::fclose(file);
    }
    return 0;
}
