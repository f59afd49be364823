#include "editor_library_paths.h"

#include <algorithm>

namespace {

constexpr char doubleQuote = '"';
constexpr char blank = ' ';
constexpr char extensionDot = '.';
constexpr char driveColon = ':';
constexpr std::string_view separators = "\\/";
constexpr std::string_view programExtension = ".exe";

bool isSeparator(char c) {
    return separators.find(c) != std::string_view::npos;
}

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The name a try of an unquoted command stands for: ".exe" is added when the
// file name, after the last separator, has no dot.
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
    const std::size_t start = command.find_first_not_of(blank);
    if (start == std::string_view::npos) {
        return std::string();
    }
    const std::string_view text = command.substr(start);
    if (text.front() == doubleQuote) {
        const std::string_view quoted = text.substr(1);
        return std::string(quoted.substr(0, quoted.find(doubleQuote)));
    }
    for (std::size_t end = text.find(blank);; end = text.find(blank, end + 1)) {
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

std::string editorLibraryPathInFolder(std::string_view folder) {
    const std::string trimmed = pathPart(folder.substr(0, folder.find(doubleQuote)));
    if (!isAbsoluteFolder(trimmed)) {
        return std::string();
    }
    return trimmed + std::string(editorLibraryRelativePath);
}
