// Reading the editor's text line by line for the two actions.
#include <string>

#include "editor.h"

namespace {

std::string removeLineEnds(std::string text) {
    std::erase(text, '\n');
    std::erase(text, '\r');
    return text;
}

// Scintilla keeps a UTF-8 document unless told otherwise; the rest of the
// program works on the ANSI code page (Windows-1251).
std::string ansiFromUtf8(const std::string& utf8) {
    if (utf8.empty()) {
        return utf8;
    }
    const int utf8Length = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Length, nullptr, 0);
    if (wideLength <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Length, wide.data(), wideLength);
    const int ansiLength = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0) {
        return {};
    }
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr, nullptr);
    return ansi;
}

std::string readEditorLine(WPARAM line, bool documentIsUtf8) {
    const LRESULT length = sendEditorMessage(gadgets::editor, sci::lineLength, line);
    if (length < 1) {
        return {};
    }
    std::string buffer(static_cast<std::size_t>(length), ' ');
    sendEditorMessage(gadgets::editor, sci::getLine, line, reinterpret_cast<LPARAM>(buffer.data()));
    std::string text(buffer.c_str());
    if (documentIsUtf8) {
        text = ansiFromUtf8(text);
    }
    return removeLineEnds(std::move(text));
}

}  // namespace

EditorLines readEditorLines() {
    const LRESULT lineCount = sendEditorMessage(gadgets::editor, sci::getLineCount);
    const bool documentIsUtf8 = sendEditorMessage(gadgets::editor, sci::getCodePage) == sci::utf8CodePage;
    EditorLines lines;
    for (LRESULT line = 0; line < lineCount; ++line) {
        lines.push_back(readEditorLine(static_cast<WPARAM>(line), documentIsUtf8));
    }
    return lines;
}

bool editorIsEmpty() {
    return sendEditorMessage(gadgets::editor, sci::getTextLength) < 1;
}
