// The derivation of the style, its expression and the result list, checked
// against the documented combinations and, for every combination of the four
// lists, against the rule through the Windows values of the constant names
// (evaluated by the tests' reader of generated source).
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "basic_expression.h"
#include "choices.h"
#include "message_box_options.h"

namespace {

struct Expected {
    MessageBoxOptions options;
    std::uint32_t flagsValue;
    std::string flagsExpression;
    std::string resultIdList;
    bool useSelectBlock;
};

// The bit group of each PureBasic constant: 0 button set, 1 icon, 2 modality,
// 3 default button.
const std::map<std::string, int> constantGroups = {
    {"#MB_OK", 0},          {"#MB_OKCANCEL", 0},      {"#MB_ABORTRETRYIGNORE", 0}, {"#MB_YESNOCANCEL", 0},
    {"#MB_YESNO", 0},       {"#MB_RETRYCANCEL", 0},   {"#MB_ICONERROR", 1},        {"#MB_ICONQUESTION", 1},
    {"#MB_ICONWARNING", 1}, {"#MB_ICONINFORMATION", 1}, {"#MB_TASKMODAL", 2},      {"#MB_SYSTEMMODAL", 2},
    {"#MB_DEFBUTTON2", 3},  {"#MB_DEFBUTTON3", 3},
};

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> fields;
    std::string field;
    for (const char c : text) {
        if (c == '|') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}

}  // namespace

TEST(DeriveSpec, DocumentedCombinations) {
    const std::vector<Expected> cases = {
        {choose(0, 0, 0, 0), 0x0, "#MB_OK", "", false},
        {choose(0, 4, 0, 0), 0x40, "#MB_OK|#MB_ICONINFORMATION", "", false},
        {choose(4, 2, 1, 1), 0x2124, "#MB_YESNO|#MB_ICONQUESTION|#MB_TASKMODAL|#MB_DEFBUTTON2", "#IdYes|#IdNo", true},
        {choose(1, 1, 2, 0), 0x1011, "#MB_OKCANCEL|#MB_ICONERROR|#MB_SYSTEMMODAL", "#IdOK|#IdCancel", true},
        {choose(5, 4, 2, 2), 0x1245, "#MB_RETRYCANCEL|#MB_ICONINFORMATION|#MB_SYSTEMMODAL|#MB_DEFBUTTON3",
         "#IdRetry|#IdCancel", true},
        {choose(0, 0, 0, 2), 0x200, "#MB_OK|#MB_DEFBUTTON3", "", false},
        {choose(0, -1, 0, 0), 0x0, "#MB_OK", "", false},
    };
    for (const Expected& e : cases) {
        const MessageBoxSpec derived = deriveSpec(e.options);
        EXPECT_EQ(derived.flagsValue, e.flagsValue) << e.flagsExpression;
        EXPECT_EQ(derived.flagsExpression, e.flagsExpression);
        EXPECT_EQ(derived.resultIdList, e.resultIdList);
        EXPECT_EQ(derived.useSelectBlock, e.useSelectBlock);
    }
}

TEST(DeriveSpec, EveryCombinationFollowsTheRule) {
    for (std::int32_t buttonSet = 0; buttonSet <= 5; ++buttonSet) {
        for (std::int32_t icon = -1; icon <= 4; ++icon) {
            for (std::int32_t modality = 0; modality <= 2; ++modality) {
                for (std::int32_t defaultButton = 0; defaultButton <= 2; ++defaultButton) {
                    const MessageBoxOptions options = choose(buttonSet, icon, modality, defaultButton);
                    const MessageBoxSpec derived = deriveSpec(options);
                    SCOPED_TRACE(derived.flagsExpression);

                    const std::uint32_t iconBits = icon > 0 ? 0x10U * static_cast<std::uint32_t>(icon) : 0U;
                    const std::uint32_t modalityBits = modality == 1 ? 0x2000U : modality == 2 ? 0x1000U : 0U;
                    const std::uint32_t defaultBits = 0x100U * static_cast<std::uint32_t>(defaultButton);
                    EXPECT_EQ(derived.flagsValue,
                              static_cast<std::uint32_t>(buttonSet) | iconBits | modalityBits | defaultBits);

                    // The expression names the same style, one constant per
                    // chosen group, in the order button set, icon, modality,
                    // default button.
                    const std::vector<std::string> names = split(derived.flagsExpression);
                    const std::size_t chosenGroups =
                        1U + (icon > 0 ? 1U : 0U) + (modality > 0 ? 1U : 0U) + (defaultButton > 0 ? 1U : 0U);
                    ASSERT_EQ(names.size(), chosenGroups);
                    int previousGroup = -1;
                    for (const std::string& name : names) {
                        ASSERT_EQ(constantGroups.count(name), 1U) << name;
                        EXPECT_GT(constantGroups.at(name), previousGroup);
                        previousGroup = constantGroups.at(name);
                    }
                    EXPECT_EQ(evaluateFlags(derived.flagsExpression), derived.flagsValue);
                    EXPECT_EQ(evaluateFlags(names.front()), static_cast<std::uint32_t>(buttonSet));

                    const std::vector<std::string>& results = resultsOfButtonSet[buttonSet];
                    EXPECT_EQ(derived.resultIdList.empty(), results.empty());
                    if (!results.empty()) {
                        EXPECT_EQ(split(derived.resultIdList), results);
                    }
                    EXPECT_EQ(derived.useSelectBlock, buttonSet != 0);
                }
            }
        }
    }
}

TEST(DeriveSpec, ButtonSetOutsideTheListIsTakenAsOk) {
    for (const std::int32_t index : {-1, 6, 7, INT_MAX, INT_MIN}) {
        const MessageBoxSpec derived = deriveSpec(choose(index, 1, 1, 1));
        EXPECT_EQ(derived.flagsValue, 0x2110U);
        EXPECT_EQ(derived.flagsExpression, "#MB_OK|#MB_ICONERROR|#MB_TASKMODAL|#MB_DEFBUTTON2");
        EXPECT_EQ(derived.resultIdList, "");
        EXPECT_FALSE(derived.useSelectBlock);
    }
}

TEST(DeriveSpec, OtherIndexesOutsideTheirListsAddNothing) {
    const MessageBoxSpec derived = deriveSpec(choose(4, 5, 3, INT_MIN));
    EXPECT_EQ(derived.flagsValue, 4U);
    EXPECT_EQ(derived.flagsExpression, "#MB_YESNO");
}
