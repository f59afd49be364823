#include "editor_library_paths.h"

#include <algorithm>

namespace {

constexpr char doubleQuote = '"';
constexpr char extensionDot = '.';
constexpr char driveColon = ':';
constexpr char firstPrintable = ' ';
// Blanks and tabs separate the parts of a command line.
constexpr std::string_view whiteSpace = " \t";
constexpr std::string_view separators = "\\/";
constexpr std::string_view programExtension = ".exe";
// A name made of these alone is no name of its own for Windows.
constexpr std::string_view droppedNameCharacters = ". ";
constexpr std::string_view forbiddenNameCharacters = "\"|<>*?:";
constexpr std::size_t driveRootLength = 3;

bool isSeparator(char c) {
    return separators.find(c) != std::string_view::npos;
}

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The name a try of a command stands for: ".exe" is added when the file name,
// after the last separator, has no dot.
std::string triedName(std::string_view text) {
    const std::size_t lastSeparator = text.find_last_of(separators);
    const std::size_t nameStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
    std::string name(text);
    if (text.find(extensionDot, nameStart) == std::string_view::npos) {
        name += programExtension;
    }
    return name;
}

bool isUncFolder(std::string_view folder) {
    if (folder.size() < 2 || !isSeparator(folder[0]) || !isSeparator(folder[1])) {
        return false;
    }
    const std::string_view afterServer = folder.substr(2);
    const std::size_t serverEnd = afterServer.find_first_of(separators);
    if (serverEnd == 0 || serverEnd == std::string_view::npos) {
        return false;
    }
    const std::string_view share = afterServer.substr(serverEnd + 1);
    return !share.empty() && !isSeparator(share.front());
}

bool isPlainName(std::string_view name) {
    const bool hasControlCharacter =
        std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < firstPrintable; });
    return name.find_first_not_of(droppedNameCharacters) != std::string_view::npos &&
           name.find_first_of(forbiddenNameCharacters) == std::string_view::npos && !hasControlCharacter;
}

// Takes at most `most` plain names from position start on, each ended by a
// separator, and answers the position after the last one taken (start when
// none is).
std::size_t endOfPlainNames(std::string_view text, std::size_t start, std::size_t most) {
    std::size_t end = start;
    for (std::size_t taken = 0; taken < most; ++taken) {
        const std::size_t separator = text.find_first_of(separators, end);
        if (separator == std::string_view::npos || !isPlainName(text.substr(end, separator - end))) {
            break;
        }
        end = separator + 1;
    }
    return end;
}

// The length of the folder's root, "X:\" or "\\server\share\" with plain
// server and share names; 0 when it has none.
std::size_t rootLength(std::string_view folder) {
    if (folder.size() >= driveRootLength && isDriveLetter(folder[0]) && folder[1] == driveColon &&
        isSeparator(folder[2])) {
        return driveRootLength;
    }
    constexpr std::size_t uncStart = 2;
    if (folder.size() < uncStart || !isSeparator(folder[0]) || !isSeparator(folder[1])) {
        return 0;
    }
    const std::size_t serverEnd = endOfPlainNames(folder, uncStart, 1);
    const std::size_t shareEnd = serverEnd > uncStart ? endOfPlainNames(folder, serverEnd, 1) : serverEnd;
    return shareEnd > serverEnd ? shareEnd : 0;
}

}  // namespace

std::string pathPart(std::string_view fileName) {
    const std::size_t start = !fileName.empty() && fileName.front() == doubleQuote ? 1 : 0;
    const std::string_view scanned = fileName.substr(0, fileName.find('|'));
    const std::size_t lastSeparator = scanned.find_last_of(separators);
    const std::size_t end = lastSeparator == std::string_view::npos ? start : lastSeparator + 1;
    return std::string(fileName.substr(start, end - start));
}

std::string textBeforeNul(const char* data, std::size_t size) {
    const char* const end = std::find(data, data + size, '\0');
    return std::string(data, end);
}

std::string programOfOpenCommand(std::string_view command, FileExists exists) {
    const std::size_t start = command.find_first_not_of(whiteSpace);
    if (start == std::string_view::npos) {
        return std::string();
    }
    const std::string_view text = command.substr(start);
    if (text.front() == doubleQuote) {
        const std::string_view quoted = text.substr(1);
        std::string name = triedName(quoted.substr(0, quoted.find(doubleQuote)));
        return exists(name) ? name : std::string();
    }
    for (std::size_t end = text.find_first_of(whiteSpace);; end = text.find_first_of(whiteSpace, end + 1)) {
        std::string name = triedName(text.substr(0, end));
        if (exists(name)) {
            return name;
        }
        if (end == std::string_view::npos) {
            return std::string();
        }
    }
}

std::string folderFromOpenCommand(std::string_view command, FileExists exists) {
    const std::string program = programOfOpenCommand(command, exists);
    const std::size_t lastSeparator = program.find_last_of(separators);
    if (lastSeparator == std::string::npos) {
        return std::string();
    }
    return program.substr(0, lastSeparator + 1);
}

bool isAbsoluteFolder(std::string_view folder) {
    const bool onDrive = folder.size() >= 3 && isDriveLetter(folder[0]) && folder[1] == driveColon &&
                         isSeparator(folder[2]);
    return onDrive || isUncFolder(folder);
}

bool isFolderBelowRoot(std::string_view folder) {
    const std::size_t root = rootLength(folder);
    return root != 0 && root < folder.size() && endOfPlainNames(folder, root, folder.size()) == folder.size();
}

std::string libraryPathInFolder(std::string_view folder, std::string_view fileName) {
    if (!isAbsoluteFolder(folder)) {
        return std::string();
    }
    return std::string(folder) + std::string(fileName);
}

std::string editorLibraryPathInFolder(std::string_view folder) {
    if (!isFolderBelowRoot(folder)) {
        return std::string();
    }
    return std::string(folder) + std::string(editorLibraryRelativePath);
}
