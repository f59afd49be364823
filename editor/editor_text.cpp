// Reading the editor's text for the two actions: the whole document at once,
// converted once when it is UTF-8, then cut into lines over that one buffer.
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document_lines.h"
#include "editor.h"
#include "utf8.h"
#include "windows1251.h"
#include "windows1251_prefix.h"

namespace {

std::unique_ptr<char[]> copyOf(std::string_view text) {
    auto bytes = std::make_unique_for_overwrite<char[]>(text.size());
    if (!text.empty()) {
        std::memcpy(bytes.get(), text.data(), text.size());
    }
    return bytes;
}

// The UTF-8 text is converted through a small wide buffer that stays in the
// cache, piece by piece, rather than through one the size of the document:
// fresh memory costs more than the conversion itself.
constexpr std::size_t conversionPiece = std::size_t{1} << 16U;

// The length of the next piece of at most conversionPiece bytes that ends on
// a character boundary; a valid text converts piece by piece exactly as it
// would in one go.
std::size_t pieceLength(std::string_view utf8) {
    if (utf8.size() <= conversionPiece) {
        return utf8.size();
    }
    constexpr unsigned char continuationMask = 0xC0;
    constexpr unsigned char continuation = 0x80;
    constexpr std::size_t longestCharacter = 4;
    std::size_t length = conversionPiece;
    while (length > conversionPiece - longestCharacter &&
           (static_cast<unsigned char>(utf8[length]) & continuationMask) == continuation) {
        --length;
    }
    return length;
}

// Converts valid UTF-8 through the platform, piece by piece, to out, which
// holds one byte for each byte of utf8. Answers the bytes written, or nothing
// when utf8 is not valid UTF-8.
std::optional<std::size_t> convertThroughPlatform(std::string_view utf8, char* out, wchar_t* wide) {
    std::size_t written = 0;
    while (!utf8.empty()) {
        const std::size_t length = pieceLength(utf8);
        const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                                   static_cast<int>(length), wide, static_cast<int>(length));
        if (wideLength <= 0) {
            return std::nullopt;
        }
        written += writeWindows1251(std::wstring_view(wide, static_cast<std::size_t>(wideLength)), out + written);
        utf8.remove_prefix(length);
    }
    return written;
}

// The characters Windows-1251 holds are converted by table, and only the runs
// between them by the platform, which gives them the same bytes; a run that is
// not valid UTF-8 makes the whole text invalid, as it would in one go.
std::optional<std::size_t> convertMostlyByTable(std::string_view utf8, char* out, wchar_t* wide) {
    std::size_t written = 0;
    while (!utf8.empty()) {
        const ConvertedPrefix mapped = convertMappedPrefix(utf8, out + written);
        written += mapped.written;
        utf8.remove_prefix(mapped.read);
        const std::size_t runLength = unmappedRunLength(utf8);
        if (runLength > 0) {
            const std::optional<std::size_t> run = convertThroughPlatform(utf8.substr(0, runLength), out + written, wide);
            if (!run) {
                return std::nullopt;
            }
            written += *run;
            utf8.remove_prefix(runLength);
        }
    }
    return written;
}

// Scintilla keeps a UTF-8 document unless told otherwise; the rest of the
// program works on Windows-1251, whatever the system's code page. Answers
// false, and leaves text without lines, when utf8 is not valid UTF-8.
bool convertValidUtf8(std::string_view utf8, EditorText& text) {
    // Each byte of UTF-8 gives at most one UTF-16 unit, and each unit one byte.
    text.bytes = std::make_unique_for_overwrite<char[]>(utf8.size());
    auto wide = std::make_unique_for_overwrite<wchar_t[]>(conversionPiece);
    const std::optional<std::size_t> written = convertMostlyByTable(utf8, text.bytes.get(), wide.get());
    if (!written) {
        return false;
    }
    text.lines = cutDocumentLines(std::string_view(text.bytes.get(), *written));
    return true;
}

// One piece converted on its own, as a whole; empty when it cannot be.
std::string ansiFromUtf8Piece(std::string_view utf8) {
    return windows1251FromWide(wideFromUtf8(utf8));
}

// The piece of a line that is converted on its own: up to its first NUL, or
// the whole line with its line end.
std::string_view convertedPiece(std::string_view document, std::string_view line) {
    const std::size_t start = static_cast<std::size_t>(line.data() - document.data());
    std::size_t end = start + line.size();
    if (end < document.size() && document[end] == '\0') {
        return line;
    }
    if (end < document.size() && document[end] == '\r') {
        ++end;
    }
    if (end < document.size() && document[end] == '\n') {
        ++end;
    }
    return document.substr(start, end - start);
}

// Text that is not valid UTF-8 is converted line by line: where a broken
// sequence meets the end of the converted piece decides how much of it the
// decoder replaces, and each line has always been converted on its own.
void convertLineByLine(std::string_view utf8, EditorText& text) {
    std::string ansi;
    std::vector<std::size_t> lengths;
    for (const std::string_view line : cutDocumentLines(utf8)) {
        std::string piece = ansiFromUtf8Piece(convertedPiece(utf8, line));
        std::erase(piece, '\n');
        std::erase(piece, '\r');
        ansi += piece;
        lengths.push_back(piece.size());
    }
    text.bytes = copyOf(ansi);
    std::size_t offset = 0;
    for (const std::size_t length : lengths) {
        text.lines.emplace_back(text.bytes.get() + offset, length);
        offset += length;
    }
}

}  // namespace

EditorText readEditorLines() {
    EditorText text;
    if (sendEditorMessage(gadgets::editor, sci::getLineCount) < 1) {
        return text;
    }
    const LRESULT length = sendEditorMessage(gadgets::editor, sci::getTextLength);
    const bool documentIsUtf8 = sendEditorMessage(gadgets::editor, sci::getCodePage) == sci::utf8CodePage;
    // The pointer is taken last: it stays valid only while the editor's text
    // does not change, so nothing is asked of the editor after it.
    const auto* characters =
        reinterpret_cast<const char*>(sendEditorMessage(gadgets::editor, sci::getCharacterPointer));
    if (characters == nullptr && length > 0) {
        // The editor could not make its text contiguous: it is out of memory.
        throw std::bad_alloc();
    }
    const std::string_view document =
        length > 0 ? std::string_view(characters, static_cast<std::size_t>(length)) : std::string_view();
    if (document.empty() || !documentIsUtf8) {
        text.bytes = copyOf(document);
        text.lines = cutDocumentLines(std::string_view(text.bytes.get(), document.size()));
    } else if (!convertValidUtf8(document, text)) {
        convertLineByLine(document, text);
    }
    return text;
}

bool editorIsEmpty() {
    return sendEditorMessage(gadgets::editor, sci::getTextLength) < 1;
}
