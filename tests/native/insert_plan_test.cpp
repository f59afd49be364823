// What an insert does to the IDE's source: each row a source with its
// selection ("[" and "]") or caret ("^"), and the source after the insert.
#include <gtest/gtest.h>

#include <string>

#include "call_reader.h"
#include "choices.h"
#include "insert_plan.h"

namespace {

struct Marked {
    std::string text;
    ByteRange selection;
};

Marked unmarked(std::string text) {
    Marked marked;
    const std::size_t caret = text.find('^');
    if (caret != std::string::npos) {
        text.erase(caret, 1);
        marked.selection = ByteRange{caret, caret};
    } else {
        marked.selection.start = text.find('[');
        text.erase(marked.selection.start, 1);
        marked.selection.end = text.find(']');
        text.erase(marked.selection.end, 1);
    }
    marked.text = std::move(text);
    return marked;
}

const std::string plain = "MessageRequester(\"T\", \"m\", #MB_YESNO)";

// The composed Select block with its follow-on lines indented.
std::string block(const std::string& indent = "", const std::string& lineEnd = "\r\n") {
    return "Select " + plain + lineEnd + indent + "Case #IdYes" + lineEnd + indent + "Case #IdNo" + lineEnd + indent +
           "EndSelect";
}

std::string inserted(const std::string& source, bool opened, const std::string& lineEnd = "\r\n",
                     std::string_view title = "T") {
    const Marked marked = unmarked(source);
    const MessageBoxSpec derived = deriveSpec(choose(4, 0, 0, 0));
    const EditorLineViews lines{"m"};
    const InsertPlan plan =
        planInsert(InsertRequest{marked.text, marked.selection, opened, title != "T", lineEnd},
                   ComposedCall{derived, title, lines, false});
    std::string after = marked.text;
    return after.replace(plan.replaced.start, plan.replaced.end - plan.replaced.start, plan.text);
}

}  // namespace

TEST(InsertPlan, ACaretOrUnreadSelectionGetsTheCallOnLinesOfItsOwn) {
    const struct {
        std::string source;
        std::string expected;
    } rows[] = {
        {"a = 1\r\n^b = 2", "a = 1\r\n" + block() + "\r\nb = 2"},
        {"a = 1^\r\nb = 2", "a = 1\r\n" + block() + "\r\nb = 2"},
        {"a = 1 ^ : b = 2", "a = 1 \r\n" + block() + "\r\n : b = 2"},
        {"[a = 1\r\n]b = 2", "a = 1\r\n" + block() + "\r\nb = 2"},
        {"[MessageRequester(\"x\", y$)]", "MessageRequester(\"x\", y$)\r\n" + block()},
        {"If x\r\n    ^\r\nEndIf", "If x\r\n    " + block("    ") + "\r\nEndIf"},
        {"If x\r\n^\t  b = 2", "If x\r\n\t  " + block("\t  ") + "\r\n\t  b = 2"},
        {"  a = 1^", "  a = 1\r\n  " + block("  ")},
        // Never inside a literal, a comment or a name: after its line.
        {"a$ = \"he^llo\" ; hi\r\nb", "a$ = \"hello\" ; hi\r\n" + block() + "\r\nb"},
        {"a = 1 ; no^te", "a = 1 ; note\r\n" + block()},
        {"Deb^ug 1", "Debug 1\r\n" + block()},
        {"^", block()},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(inserted(row.source, false), row.expected) << row.source;
    }
    EXPECT_EQ(inserted("a\n^b", false, "\n"), "a\n" + block("", "\n") + "\nb");
}

TEST(InsertPlan, AnOpenedCallIsReplacedAloneOrWholeWhereItStandsAlone) {
    const std::string okCancel = "Select MessageRequester(\"x\", \"y\", #MB_OKCANCEL)";
    const struct {
        std::string source;
        std::string expected;
    } rows[] = {
        {"a\r\n[  " + okCancel + "\r\n  Case #IdOK\r\n\r\n  case #IdCancel\r\n  EndSelect\r\n]b",
         "a\r\n  " + block("  ") + "\r\nb"},
        {"[MessageRequester(\"x\", \"y\")]", block()},
        {"\t[MessageRequester(\"x\", \"y\",\r\n\t\t0)  ]\r\n", std::string("\t") + block("\t") + "  \r\n"},
        {"[If MessageRequester(\"Q\", \"S\", #MB_YESNO) = #IdYes]", "If " + plain + " = #IdYes"},
        {"[" + okCancel + "\r\nCase #IdOK : End\r\nEndSelect]", "Select " + plain + "\r\nCase #IdOK : End\r\nEndSelect"},
        {"[" + okCancel + "\r\nCase #IdOK ; fine\r\nEndSelect]", "Select " + plain + "\r\nCase #IdOK ; fine\r\nEndSelect"},
        {"[" + okCancel + "\r\nDefault\r\nEndSelect]", "Select " + plain + "\r\nDefault\r\nEndSelect"},
        {"[" + okCancel + "\r\nCase #IdOK]\r\nEndSelect", "Select " + plain + "\r\nCase #IdOK\r\nEndSelect"},
        {"[MessageRequester(\"x\", \"y\") ; hi]", plain + " ; hi"},
        {"a = 1 : [MessageRequester(\"x\", \"y\")]", "a = 1 : " + plain},
        {"x = 1 +\r\n[MessageRequester(\"x\", \"y\")]", "x = 1 +\r\n" + plain},
        {"x = 1 ; +\r\n[MessageRequester(\"x\", \"y\")]", "x = 1 ; +\r\n" + block()},
        // No longer a call it can read: added after, nothing removed.
        {"[MessageRequester(\"x\", y$)]", "MessageRequester(\"x\", y$)\r\n" + block()},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(inserted(row.source, true), row.expected) << row.source;
    }
}

// A source in a single-byte code page gets ASCII only, every other character
// as Chr() of its UTF-16 units.
TEST(InsertPlan, ASingleByteSourceGetsTheCallInAscii) {
    const std::string after = inserted("^", false, "\r\n", "Жa😀");
    EXPECT_EQ(after.substr(0, after.find(',')), "Select MessageRequester(Chr(1046)+\"a\"+Chr(55357)+Chr(56832)");
}

TEST(InsertPlan, ASelectionOpensOnlyWhenItHoldsOneWholeCall) {
    using U = UnreadSelection;
    const struct {
        std::string source;
        UnreadSelection reason;
    } rows[] = {
        {"[MessageRequester(\"x\",] \"y\")", U::partialCall},
        {"MessageRequester([\"x\"], \"y\")", U::partialCall},
        {"MessageRequester(\"x\", \"y\",[\r\n#MB_OK)]", U::partialCall},
        {"[MessageRequester(\"x\", \"y\",\r\n]#MB_OK)", U::partialCall},
        {"[a = MessageRequester(\"x\", \"y\")\r\nb = MessageRequester(\"x\", \"y\")]", U::severalCalls},
    };
    for (const auto& row : rows) {
        const Marked marked = unmarked(row.source);
        EXPECT_EQ(static_cast<int>(readSelection(marked.text, marked.selection).unread), static_cast<int>(row.reason))
            << row.source;
    }
}
