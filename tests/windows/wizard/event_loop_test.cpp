// The real event loop driven by injected keys and posted messages: the Enter
// rule, Tab and Shift+Tab, Space on a button, the two actions and the close.
#include <windows.h>

#include <commctrl.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "ansi_text.h"
#include "clipboard.h"
#include "editor.h"
#include "event_loop.h"
#include "events.h"
#include "main_window.h"
#include "message_box_options.h"
#include "source_generator.h"
#include "wizard_window.h"

namespace {

HWND gadget(int number) {
    return gadgetWindow(number);
}

std::string text(std::string_view view) {
    return std::string(view);
}

std::string clipboardText() {
    std::string content;
    if (OpenClipboard(nullptr) == FALSE) {
        return "<clipboard not open>";
    }
    const HANDLE data = GetClipboardData(CF_TEXT);
    if (data != nullptr) {
        content = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return content;
}

// What a message box of this thread showed.
struct BoxSeen {
    bool found = false;
    std::string caption;
    std::string text;
    std::vector<int> buttons;
    int defaultButton = 0;
    bool hasIcon = false;
};

BOOL CALLBACK findBox(HWND window, LPARAM found) {
    if (className(window) == "#32770" && IsWindowVisible(window) != FALSE) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BoxSeen readAndCloseBox(int closingButton) {
    BoxSeen seen;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) {
        return seen;
    }
    seen.found = true;
    seen.caption = windowText(box);
    seen.text = windowText(GetDlgItem(box, 0xFFFF));
    for (const int button : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        const HWND control = GetDlgItem(box, button);
        if (control != nullptr && IsWindowVisible(control) != FALSE) {
            seen.buttons.push_back(button);
            if ((GetWindowLongPtrA(control, GWL_STYLE) & BS_DEFPUSHBUTTON) != 0) {
                seen.defaultButton = button;
            }
        }
    }
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            SendMessageA(child, STM_GETICON, 0, 0) != 0) {
            seen.hasIcon = true;
        }
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(closingButton, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, closingButton)));
    return seen;
}

void setTitle(std::string_view title) {
    SetWindowTextA(gadget(gadgets::titleField), std::string(title).c_str());
}

void setEditorText(const char* utf8) {
    sendEditorMessage(gadgets::editor, sci::setText, 0, reinterpret_cast<LPARAM>(utf8));
}

void selectIcon(int entry) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(gadget(gadgets::iconList), LVM_SETITEMSTATE, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&item));
}

void selectEntry(int list, int entry) {
    SendMessageA(gadget(list), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

// The focus after each of a run of Tab (or Shift+Tab) presses.
std::vector<HWND> focusWalk(int presses, bool backward) {
    std::vector<HWND> seen;
    std::vector<ScriptStep> steps;
    for (int press = 0; press < presses; ++press) {
        steps.emplace_back([backward] { pressKey(VK_TAB, backward); });
        steps.emplace_back([&seen] { seen.push_back(GetFocus()); });
    }
    EXPECT_TRUE(runLoopWithScript(steps));
    return seen;
}

std::vector<HWND> gadgetsInOrder(std::initializer_list<int> numbers) {
    std::vector<HWND> windows;
    for (const int number : numbers) {
        windows.push_back(gadget(number));
    }
    return windows;
}

// While set, a control answers one message with a fixed value, as a control
// that misbehaves or has run out of memory might.
struct FixedAnswer {
    HWND control = nullptr;
    UINT message = 0;
    LRESULT answer = 0;
    WNDPROC previous = nullptr;
};

FixedAnswer fixedAnswer;

LRESULT CALLBACK answerFixed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == fixedAnswer.message) {
        return fixedAnswer.answer;
    }
    return CallWindowProcA(fixedAnswer.previous, window, message, wParam, lParam);
}

void setFixedAnswer(HWND control, UINT message, LRESULT answer) {
    fixedAnswer = FixedAnswer{control, message, answer, nullptr};
    fixedAnswer.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answerFixed)));
}

void removeFixedAnswer() {
    SetWindowLongPtrA(fixedAnswer.control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fixedAnswer.previous));
    fixedAnswer = FixedAnswer{};
}

}  // namespace

using EventLoop = WizardWindow;

TEST_F(EventLoop, CloseEventEndsTheLoopAndLeavesTheWindow) {
    EXPECT_TRUE(runLoopWithScript({}));
    EXPECT_TRUE(IsWindow(mainWindowHandle()));
}

TEST_F(EventLoop, EnterAsTheVeryFirstKeyMovesTheFocusToTheEditor) {
    EXPECT_TRUE(runLoopWithScript({
        [] { pressKey(VK_RETURN); },
        [] { EXPECT_EQ(GetFocus(), gadget(gadgets::editor)); },
    }));
}

TEST_F(EventLoop, EnterInTheTitleFieldMovesTheFocusToTheEditorAndAddsNoLine) {
    EXPECT_TRUE(runLoopWithScript({
        [] { typeText("abc"); },
        [] { pressKey(VK_RETURN); },
        [] {
            EXPECT_EQ(GetFocus(), gadget(gadgets::editor));
            EXPECT_EQ(windowText(gadget(gadgets::titleField)), "abc");
            EXPECT_TRUE(editorIsEmpty());
        },
        [] { pressKey(VK_RETURN); },
        [] {
            EXPECT_EQ(GetFocus(), gadget(gadgets::editor));
            EXPECT_EQ(readEditorLines().lines.size(), 2U);
        },
    }));
}

TEST_F(EventLoop, TabToTheIconListThenEnterStillMovesTheFocusToTheEditor) {
    EXPECT_TRUE(runLoopWithScript({
        [] { pressKey(VK_TAB); },
        [] { EXPECT_EQ(GetFocus(), gadget(gadgets::iconList)); },
        [] { pressKey(VK_RETURN); },
        [] { EXPECT_EQ(GetFocus(), gadget(gadgets::editor)); },
    }));
}

TEST_F(EventLoop, EnterAfterAChoiceInADropDownListKeepsTheFocus) {
    EXPECT_TRUE(runLoopWithScript({
        [] { focusGadget(gadgets::buttonSetList); },
        [] { pressKey(VK_DOWN); },
        [] { EXPECT_EQ(SendMessageA(gadget(gadgets::buttonSetList), CB_GETCURSEL, 0, 0), 1); },
        [] { pressKey(VK_RETURN); },
        [] { EXPECT_EQ(GetFocus(), gadget(gadgets::buttonSetList)); },
    }));
}

TEST_F(EventLoop, TabCyclesForwardThroughTheTabStops) {
    EXPECT_EQ(focusWalk(7, false), gadgetsInOrder({3, 4, 5, 6, 7, 9, 1}));
}

TEST_F(EventLoop, ShiftTabCyclesBackwardThroughTheTabStops) {
    EXPECT_EQ(focusWalk(7, true), gadgetsInOrder({9, 7, 6, 5, 4, 3, 1}));
}

TEST_F(EventLoop, TabInTheEditorGoesToTheIconListAndShiftTabToTheCopyButton) {
    EXPECT_TRUE(runLoopWithScript({
        [] { focusGadget(gadgets::editor); },
        [] { pressKey(VK_TAB); },
        [] {
            EXPECT_EQ(GetFocus(), gadget(gadgets::iconList));
            EXPECT_TRUE(editorIsEmpty()) << "the Tab key reached the editor";
        },
        [] { focusGadget(gadgets::editor); },
        [] { pressKey(VK_TAB, true); },
        [] { EXPECT_EQ(GetFocus(), gadget(gadgets::copyButton)); },
    }));
}

TEST_F(EventLoop, SpaceOnTheCopyButtonPutsTheGeneratedSourceOnTheClipboard) {
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    constexpr auto title = ansi("Вопрос дня");
    EXPECT_TRUE(runLoopWithScript({
        [&] {
            setTitle(title.view());
            setEditorText("Сохранить \"файл\"?\r\nДа или нет");
            selectIcon(2);
            selectEntry(gadgets::modalityList, 1);
            selectEntry(gadgets::buttonSetList, 4);
            selectEntry(gadgets::defaultButtonList, 1);
            focusGadget(gadgets::copyButton);
        },
        [] { pressKey(VK_SPACE); },
    }));
    const MessageBoxOptions options{text(title.view()), 2, 1, 4, 1};
    constexpr auto firstLine = ansi("Сохранить \"файл\"?");
    constexpr auto secondLine = ansi("Да или нет");
    const EditorLineViews lines{firstLine.view(), secondLine.view()};
    EXPECT_EQ(clipboardText(), generateCall(deriveSpec(options), options.title, lines, false));
    EXPECT_EQ(GetClipboardOwner(), mainWindowHandle()) << "the clipboard was opened for the main window";
}

// The field takes no character beyond its limit, and the copy holds the
// whole title.
TEST_F(EventLoop, ATitleAtTheFieldsLimitIsCopiedWhole) {
    const HWND field = gadget(gadgets::titleField);
    const LRESULT limit = SendMessageA(field, EM_GETLIMITTEXT, 0, 0);
    const std::string almostFull(static_cast<std::size_t>(limit) - 1, 'x');
    EXPECT_TRUE(runLoopWithScript({
        [&] {
            setTitle(almostFull);
            focusGadget(gadgets::titleField);
            SendMessageA(field, EM_SETSEL, static_cast<WPARAM>(limit), limit);
        },
        [] { typeText("yz"); },
        [] { focusGadget(gadgets::copyButton); },
        [] { pressKey(VK_SPACE); },
    }));
    const std::string title = almostFull + "y";
    EXPECT_EQ(readOptions().title.size(), title.size());
    EXPECT_TRUE(clipboardText() == generateCall(deriveSpec(MessageBoxOptions{title}), title, {}, true))
        << "the copy does not hold the whole title";
}

// A message of 16 MiB in many lines reaches the clipboard byte for byte.
TEST_F(EventLoop, ASixteenMebibyteMessageIsCopiedWhole) {
    constexpr std::size_t messageSize = 16U << 20U;
    std::vector<std::string> texts;
    std::string document;
    while (document.size() < messageSize) {
        texts.push_back("line " + std::to_string(texts.size()) + " \"quoted\" and some text to fill it up");
        document.append(texts.back()).append("\r\n");
    }
    texts.emplace_back();
    const EditorLineViews lines(texts.begin(), texts.end());
    EXPECT_TRUE(runLoopWithScript({
        [&] {
            setEditorText(document.c_str());
            focusGadget(gadgets::copyButton);
        },
        [] { pressKey(VK_SPACE); },
    }));
    const std::string copied = clipboardText();
    const std::string expected = generateCall(deriveSpec(MessageBoxOptions{}), "", lines, false);
    EXPECT_EQ(copied.size(), expected.size());
    EXPECT_TRUE(copied == expected) << "the copied bytes differ";
}

TEST_F(EventLoop, CopyOfAnEmptyEditorUsesTheEmptyDocument) {
    setClipboardText(mainWindowHandle(), "not a copy");
    ASSERT_EQ(clipboardText(), "not a copy");
    EXPECT_TRUE(runLoopWithScript({
        [] { focusGadget(gadgets::copyButton); },
        [] { pressKey(VK_SPACE); },
    }));
    EXPECT_EQ(clipboardText(), generateCall(deriveSpec(MessageBoxOptions{}), "", {}, true));
}

TEST_F(EventLoop, SpaceOnTheTestButtonShowsTheComposedMessageBox) {
    constexpr auto title = ansi("Проверка");
    BoxSeen seen;
    EXPECT_TRUE(runLoopWithScript({
        [&] {
            setTitle(title.view());
            setEditorText("Первая строка\r\nвторая");
            selectIcon(1);
            selectEntry(gadgets::buttonSetList, 4);
            selectEntry(gadgets::defaultButtonList, 1);
            focusGadget(gadgets::testButton);
        },
        [] { pressKey(VK_SPACE); },
        [&] { seen = readAndCloseBox(IDNO); },
    }));
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, text(title.view()));
    EXPECT_EQ(seen.text, text(ansi("Первая строка\nвторая").view()));
    EXPECT_EQ(seen.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(seen.defaultButton, IDNO);
    EXPECT_TRUE(seen.hasIcon);
}

TEST_F(EventLoop, EnterOnAFocusedButtonPressesNothing) {
    BoxSeen seen;
    EXPECT_TRUE(runLoopWithScript({
        [] { focusGadget(gadgets::testButton); },
        [] { pressKey(VK_RETURN); },
        [&] { seen = readAndCloseBox(IDOK); },
    }));
    EXPECT_FALSE(seen.found);
}

TEST_F(EventLoop, WindowEventsAreDeferredAndTheCloseEventIsAnsweredByWaitEvent) {
    eventState().deferredEvents.clear();
    SendMessageA(mainWindowHandle(), WM_MOVE, 0, 0);
    SendMessageA(mainWindowHandle(), WM_MOVE, 0, 0);
    SendMessageA(mainWindowHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(waitEvent(), events::moved);
    EXPECT_EQ(waitEvent(), events::close);
    EXPECT_TRUE(IsWindow(mainWindowHandle()));
}

// An action that fails inside ends there: "Тест" shows no box, "Скопировать"
// leaves the clipboard as it was, and the window goes on and copies once the
// control behaves again. A title field that answers a length no string can
// hold makes the title's buffer fail as a container operation; an editor
// that gives no character pointer for its text is out of memory.
TEST_F(EventLoop, AnActionThatFailsInsideEndsAloneAndTheWindowGoesOn) {
    struct Fault {
        const char* name;
        int gadget;
        UINT message;
        LRESULT answer;
        bool boxShown;
        std::string clipboardWhileFailing;
        std::string clipboardAfter;
    };
    Fault faults[] = {
        {"a title length no string can hold", gadgets::titleField, WM_GETTEXTLENGTH, -2, false, "", ""},
        {"no character pointer", gadgets::editor, sci::getCharacterPointer, 0, false, "", ""},
    };
    std::vector<ScriptStep> steps;
    for (Fault& fault : faults) {
        steps.emplace_back([&fault] {
            setClipboardText(mainWindowHandle(), "former");
            setEditorText("text");
            setFixedAnswer(gadget(fault.gadget), fault.message, fault.answer);
            focusGadget(gadgets::testButton);
        });
        steps.emplace_back([] { pressKey(VK_SPACE); });
        steps.emplace_back([&fault] {
            fault.boxShown = readAndCloseBox(IDOK).found;
            focusGadget(gadgets::copyButton);
        });
        steps.emplace_back([] { pressKey(VK_SPACE); });
        steps.emplace_back([&fault] {
            fault.clipboardWhileFailing = clipboardText();
            removeFixedAnswer();
        });
        steps.emplace_back([] { pressKey(VK_SPACE); });
        steps.emplace_back([&fault] { fault.clipboardAfter = clipboardText(); });
    }
    EXPECT_TRUE(runLoopWithScript(steps));
    const std::string copied = generateCall(deriveSpec(MessageBoxOptions{}), "", {"text"}, false);
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        EXPECT_FALSE(fault.boxShown);
        EXPECT_EQ(fault.clipboardWhileFailing, "former");
        EXPECT_EQ(fault.clipboardAfter, copied);
    }
}

// A failed container or string operation is not taken for running out of
// memory, and it is a std::exception, which the actions catch.
TEST(RuntimeReplacements, AFailedContainerOperationIsAnExceptionOtherThanOutOfMemory) {
    const auto failure = [](auto operation) -> std::string {
        try {
            operation();
        } catch (const std::bad_alloc&) {
            return "out of memory";
        } catch (const std::exception&) {
            return "exception";
        } catch (...) {
            return "no std::exception";
        }
        return "none";
    };
    std::vector<int> numbers;
    const std::string text = "abc";
    EXPECT_EQ(failure([&] { static_cast<void>(numbers.at(1)); }), "exception") << "index out of range";
    EXPECT_EQ(failure([&] { static_cast<void>(text.substr(4)); }), "exception") << "position out of range";
    EXPECT_EQ(failure([&] { numbers.reserve(numbers.max_size() + 1); }), "exception") << "length";
    EXPECT_EQ(failure([&] { static_cast<void>(std::stoi(text)); }), "exception") << "not a number";
}
