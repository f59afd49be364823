// The PureBasic folder cut out of a registered open command, and the folder
// part of a file name, against the rules stated character by character.
//
// Input: any bytes, taken as the command (and as the file name).
#include <string>
#include <string_view>

#include "editor_library_paths.h"
#include "fuzz_input.h"

namespace {

// The program's path: inside the first pair of double quotes when the command
// begins with one (to the end when it is never closed), else up to the first
// blank, or all of it.
std::string statedProgramPath(std::string_view command) {
    const bool quoted = !command.empty() && command[0] == '"';
    const char stop = quoted ? '"' : ' ';
    std::string path;
    for (std::size_t i = quoted ? 1 : 0; i < command.size() && command[i] != stop; ++i) {
        path += command[i];
    }
    return path;
}

// Everything up to and including the last backslash; "" without one.
std::string statedFolder(const std::string& path) {
    std::string folder;
    std::string pending;
    for (const char c : path) {
        pending += c;
        if (c == '\\') {
            folder += pending;
            pending.clear();
        }
    }
    return folder;
}

// The text before the first "|" is scanned for the last "\" or "/"; the answer
// runs from the second character when the name begins with a double quote,
// else from the first, up to and including that separator.
std::string statedPathPart(std::string_view name) {
    const std::size_t start = !name.empty() && name[0] == '"' ? 1 : 0;
    std::size_t end = start;
    for (std::size_t i = 0; i < name.size() && name[i] != '|'; ++i) {
        if (name[i] == '\\' || name[i] == '/') {
            end = i + 1;
        }
    }
    return std::string(name.substr(start, end - start));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string folder = folderFromOpenCommand(bytes);
    require(folder == statedFolder(statedProgramPath(bytes)));
    require(pathPart(bytes) == statedPathPart(bytes));

    // The third candidate: the folder before its first double quote, cut back
    // to its last separator, followed by the library's place below it.
    const std::string candidate = editorLibraryPathInFolder(folder);
    const std::string kept =
        folder.empty() ? std::string() : statedPathPart(std::string_view(folder).substr(0, folder.find('"')));
    require(candidate == kept + "Compilers\\Scintilla.dll");
    return 0;
}
