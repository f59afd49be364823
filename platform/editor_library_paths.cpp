#include "editor_library_paths.h"

#include <algorithm>

namespace {

constexpr char doubleQuote = '"';
constexpr char blank = ' ';
constexpr char backslash = '\\';

std::string_view programPathOfOpenCommand(std::string_view command) {
    if (!command.empty() && command.front() == doubleQuote) {
        const std::string_view quoted = command.substr(1);
        return quoted.substr(0, quoted.find(doubleQuote));
    }
    return command.substr(0, command.find(blank));
}

}  // namespace

std::string pathPart(std::string_view fileName) {
    const std::size_t start = !fileName.empty() && fileName.front() == doubleQuote ? 1 : 0;
    const std::string_view scanned = fileName.substr(0, fileName.find('|'));
    const std::size_t lastSeparator = scanned.find_last_of("\\/");
    const std::size_t end = lastSeparator == std::string_view::npos ? start : lastSeparator + 1;
    return std::string(fileName.substr(start, end - start));
}

std::string textBeforeNul(const char* data, std::size_t size) {
    const char* const end = std::find(data, data + size, '\0');
    return std::string(data, end);
}

std::string folderFromOpenCommand(std::string_view command) {
    const std::string_view program = programPathOfOpenCommand(command);
    const std::size_t lastBackslash = program.rfind(backslash);
    if (lastBackslash == std::string_view::npos) {
        return std::string();
    }
    return std::string(program.substr(0, lastBackslash + 1));
}

std::string editorLibraryPathInFolder(std::string_view folder) {
    std::string trimmed;
    if (!folder.empty()) {
        trimmed = pathPart(folder.substr(0, folder.find(doubleQuote)));
    }
    return trimmed + std::string(editorLibraryRelativePath);
}
