// The three actions that the event loop starts.
#pragma once

// The authors' web page, opened by the link label.
inline constexpr const char* authorsWebPage = "https://orlenka.example/";

// Shows the composed message box for real.
void runTestAction();
// Puts the generated PureBasic source on the clipboard.
void runCopyAction();
void openAuthorsWebPage();
