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
// Copies as the copy action does, then has the IDE paste the call in place of
// its selection; an IDE that has gone since start-up keeps the call on the
// clipboard, and a message box says so.
void runInsertAction();
void openAuthorsWebPage();
