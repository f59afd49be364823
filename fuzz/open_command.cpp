// The PureBasic folder found through a registered open command, the third
// candidate built on it, and the folder part of a file name, against the
// rules stated character by character.
//
// Input: one byte that says which names exist (a name exists when the bit
// numbered by its length modulo 8 is set), then the command (also taken as
// the file name).
#include <string>
#include <string_view>
#include <vector>

#include "editor_library_paths.h"
#include "fuzz_input.h"

namespace {

std::uint8_t existingLengths = 0;
std::vector<std::string> askedNames;

bool existsByLength(const std::string& name) {
    askedNames.push_back(name);
    return ((existingLengths >> (name.size() % 8)) & 1U) != 0;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// The name Windows looks for when it tries text: the text itself when its
// last part has a dot, else the text with ".exe" added.
std::string statedName(std::string_view text) {
    for (std::size_t i = text.size(); i > 0 && !isSeparator(text[i - 1]); --i) {
        if (text[i - 1] == '.') {
            return std::string(text);
        }
    }
    return std::string(text) + ".exe";
}

// What Windows tries for an unquoted command, in order: the text up to each
// blank, then all of it.
std::vector<std::string> statedTries(std::string_view text) {
    std::vector<std::string> tries;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ' ') {
            tries.push_back(statedName(text.substr(0, i)));
        }
    }
    return tries;
}

struct StatedProgram {
    std::string path;
    std::vector<std::string> asked;
};

// Blanks at the start do not count; a quoted command's program is inside the
// first pair of double quotes (to the end when the quote is never closed),
// an unquoted one's is its first try that exists, and only the tries up to
// that one are asked about.
StatedProgram statedProgram(std::string_view command) {
    std::size_t start = 0;
    while (start < command.size() && command[start] == ' ') {
        ++start;
    }
    const std::string_view text = command.substr(start);
    StatedProgram program;
    if (!text.empty() && text[0] == '"') {
        for (std::size_t i = 1; i < text.size() && text[i] != '"'; ++i) {
            program.path += text[i];
        }
        return program;
    }
    for (const std::string& name : statedTries(text)) {
        program.asked.push_back(name);
        if (((existingLengths >> (name.size() % 8)) & 1U) != 0) {
            program.path = name;
            break;
        }
    }
    return program;
}

// Everything up to and including the last separator; "" without one.
std::string statedFolder(const std::string& path) {
    std::string folder;
    std::string pending;
    for (const char c : path) {
        pending += c;
        if (isSeparator(c)) {
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
        if (isSeparator(name[i])) {
            end = i + 1;
        }
    }
    return std::string(name.substr(start, end - start));
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// X:\ with any letter, or two separators, a server name, a separator and a
// share name, each name at least one character that is no separator.
bool statedAbsolute(std::string_view folder) {
    if (folder.size() >= 3 && isLetter(folder[0]) && folder[1] == ':' && isSeparator(folder[2])) {
        return true;
    }
    std::size_t i = 0;
    int separatorsBefore = 0;
    for (; i < folder.size() && separatorsBefore < 2 && isSeparator(folder[i]); ++i) {
        ++separatorsBefore;
    }
    if (separatorsBefore != 2 || i == folder.size() || isSeparator(folder[i])) {
        return false;
    }
    while (i < folder.size() && !isSeparator(folder[i])) {
        ++i;
    }
    return i + 1 < folder.size() && !isSeparator(folder[i + 1]);
}

// The third candidate as properties: either no attempt, or an absolute folder
// that the found folder begins with, that holds no double quote or "|" and
// ends with a separator, with no further separator in the found folder before
// its first double quote or "|", followed by the library's place below it.
void checkThirdCandidate(const std::string& folder, const std::string& candidate) {
    constexpr std::string_view library = "Compilers\\Scintilla.dll";
    std::size_t longest = 0;
    for (std::size_t i = 0; i < folder.size() && folder[i] != '"' && folder[i] != '|'; ++i) {
        if (isSeparator(folder[i])) {
            longest = i + 1;
        }
    }
    const std::string head = folder.substr(0, longest);
    if (candidate.empty()) {
        require(!statedAbsolute(head));
        return;
    }
    require(candidate.size() > library.size());
    require(candidate.substr(candidate.size() - library.size()) == library);
    const std::string given = candidate.substr(0, candidate.size() - library.size());
    require(given == head);
    require(statedAbsolute(given));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    existingLengths = input.takeByte();
    const std::string_view command = input.rest;

    askedNames.clear();
    const std::string folder = folderFromOpenCommand(command, existsByLength);
    const StatedProgram program = statedProgram(command);
    require(askedNames == program.asked);
    require(folder == statedFolder(program.path));
    require(pathPart(command) == statedPathPart(command));
    require(isAbsoluteFolder(command) == statedAbsolute(command));
    checkThirdCandidate(folder, editorLibraryPathInFolder(folder));
    return 0;
}
