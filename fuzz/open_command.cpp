// The PureBasic folder found through a registered open command, the fourth
// candidate built on it, the library's name in a folder, and the folder part
// of a file name, against the rules stated character by character.
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

bool exists(const std::string& name);

bool existsByLength(const std::string& name) {
    askedNames.push_back(name);
    return exists(name);
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

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t';
}

bool exists(const std::string& name) {
    return ((existingLengths >> (name.size() % 8)) & 1U) != 0;
}

// What Windows tries for an unquoted command, in order: the text up to each
// blank or tab, then all of it.
std::vector<std::string> statedTries(std::string_view text) {
    std::vector<std::string> tries;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || isWhiteSpace(text[i])) {
            tries.push_back(statedName(text.substr(0, i)));
        }
    }
    return tries;
}

struct StatedProgram {
    std::string path;
    std::vector<std::string> asked;
};

// Blanks and tabs at the start do not count. A quoted command's program is
// the name Windows tries for the text inside the first pair of double quotes
// (to the end when the quote is never closed), when it exists; an unquoted
// one's is its first try that exists. Only the names up to the one found are
// asked about.
StatedProgram statedProgram(std::string_view command) {
    std::size_t start = 0;
    while (start < command.size() && isWhiteSpace(command[start])) {
        ++start;
    }
    const std::string_view text = command.substr(start);
    StatedProgram program;
    std::vector<std::string> tries;
    if (!text.empty() && text[0] == '"') {
        std::string quoted;
        for (std::size_t i = 1; i < text.size() && text[i] != '"'; ++i) {
            quoted += text[i];
        }
        tries.push_back(statedName(quoted));
    } else {
        tries = statedTries(text);
    }
    for (const std::string& name : tries) {
        program.asked.push_back(name);
        if (exists(name)) {
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

// The folder cut into the pieces between its separators; the piece after the
// last separator comes last (empty when the folder ends with one).
std::vector<std::string> pieces(std::string_view folder) {
    std::vector<std::string> cut(1);
    for (const char c : folder) {
        if (isSeparator(c)) {
            cut.emplace_back();
        } else {
            cut.back() += c;
        }
    }
    return cut;
}

// A name Windows takes as it is: not empty, not dots and blanks alone, and no
// control character or any of " | < > * ? : in it.
bool statedPlainName(const std::string& name) {
    bool onlyDotsAndBlanks = true;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32 || std::string_view("\"|<>*?:").find(c) != std::string_view::npos) {
            return false;
        }
        onlyDotsAndBlanks = onlyDotsAndBlanks && (c == '.' || c == ' ');
    }
    return !onlyDotsAndBlanks;
}

// X:\ or \\server\share\ with plain server and share names, then at least one
// plain name, each name ended by a separator.
bool statedBelowRoot(std::string_view folder) {
    const std::vector<std::string> cut = pieces(folder);
    std::size_t names = 0;
    if (cut.size() >= 2 && cut[0].size() == 2 && isLetter(cut[0][0]) && cut[0][1] == ':') {
        names = 1;
    } else if (cut.size() >= 4 && cut[0].empty() && cut[1].empty() && statedPlainName(cut[2]) &&
               statedPlainName(cut[3])) {
        names = 4;
    } else {
        return false;
    }
    if (!cut.back().empty() || cut.size() < names + 2) {
        return false;
    }
    for (std::size_t i = names; i + 1 < cut.size(); ++i) {
        if (!statedPlainName(cut[i])) {
            return false;
        }
    }
    return true;
}

// The fourth candidate: the folder with the library's place below it, or
// nothing when the folder does not lie below a root.
void checkFourthCandidate(const std::string& folder, const std::string& candidate) {
    if (!statedBelowRoot(folder)) {
        require(candidate.empty());
        return;
    }
    require(candidate == folder + "Compilers\\Scintilla.dll");
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
    checkFourthCandidate(folder, editorLibraryPathInFolder(folder));
    // The folder rule also on the raw input, which reaches forms no found
    // folder has.
    checkFourthCandidate(std::string(command), editorLibraryPathInFolder(command));
    require(libraryPathInFolder(command, "x") == (statedAbsolute(command) ? std::string(command) + "x" : ""));
    return 0;
}
