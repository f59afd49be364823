#include "editor_library_paths.h"

#include <algorithm>

namespace {

constexpr char doubleQuote = '"';
// An open command loses its first character and its last six (the path's
// closing quote, the blank and the quoted %1): seven in all. Only a leading
// double quote is dropped at the front; the count stays the same.
constexpr std::size_t openCommandDroppedLength = 7;

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
    if (command.size() <= openCommandDroppedLength) {
        return std::string();
    }
    const std::size_t first = command.front() == doubleQuote ? 1 : 0;
    return pathPart(command.substr(first, command.size() - openCommandDroppedLength));
}

std::string editorLibraryPathInFolder(std::string_view folder) {
    std::string trimmed;
    if (!folder.empty()) {
        trimmed = pathPart(folder.substr(0, folder.find(doubleQuote)));
    }
    return trimmed + std::string(editorLibraryRelativePath);
}
