// The three actions that the event loop starts.
#pragma once

// The authors' web page, opened by the link label. A name under the reserved
// .example domain stands in until the project publishes its home page.
inline constexpr const char* authorsWebPage = "https://messagerequester-wizard.example/";

// Shows the composed message box for real.
void runTestAction();
// Puts the generated PureBasic source on the clipboard; sounds the error beep
// when the clipboard keeps its former content.
void runCopyAction() noexcept;
// Puts the composed call into the IDE's source (see insertIntoIde); where
// the IDE's editor has gone or the opened call has changed there, copies it
// as the copy action does and a message box says so.
void runInsertAction();
void openAuthorsWebPage();
