// Reading the editor's text for the two actions: the whole document at once
// as UTF-8, cut into lines over that one buffer; and the same lines in
// Windows-1251 for the clipboard's single-byte text.
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "document_lines.h"
#include "editor.h"
#include "utf8_text.h"
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

EditorText ownedText(std::string_view document) {
    EditorText text;
    text.bytes = copyOf(document);
    text.text = std::string_view(text.bytes.get(), document.size());
    text.lines = cutDocumentLines(text.text);
    return text;
}

EditorText borrowedText(std::string_view document) {
    EditorText text;
    text.text = document;
    text.lines = cutDocumentLines(text.text);
    return text;
}

// The document's bytes as UTF-8: a UTF-8 document as it is, with any byte
// that another program put there and that is no UTF-8 taken as its
// Windows-1251 character; a document of another code page byte by byte.
EditorText utf8Text(std::string_view document, bool documentIsUtf8) {
    if (!documentIsUtf8) {
        return ownedText(utf8FromWindows1251(document));
    }
    if (validUtf8Length(document) == document.size()) {
        return borrowedText(document);
    }
    return ownedText(utf8WithWindows1251Fallback(document));
}

}  // namespace

EditorText readEditorLines() {
    if (sendEditorMessage(gadgets::editor, sci::getLineCount) < 1) {
        return EditorText{};
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
    return utf8Text(document, documentIsUtf8);
}

EditorText windows1251Lines(const EditorText& utf8) {
    const std::string_view document = utf8.text;
    if (utf8.lines.empty()) {
        return EditorText{};
    }
    EditorText text;
    // Each byte of UTF-8 gives at most one UTF-16 unit, and each unit one byte.
    text.bytes = std::make_unique_for_overwrite<char[]>(document.size());
    auto wide = std::make_unique_for_overwrite<wchar_t[]>(conversionPiece);
    const std::optional<std::size_t> written = convertMostlyByTable(document, text.bytes.get(), wide.get());
    if (!written) {
        return ownedText(windows1251FromUtf8(document));
    }
    text.text = std::string_view(text.bytes.get(), *written);
    text.lines = cutDocumentLines(text.text);
    return text;
}

bool editorIsEmpty() {
    return sendEditorMessage(gadgets::editor, sci::getTextLength) < 1;
}
