// Reading the variables of the program's environment, such as those the
// PureBasic IDE gives the tools it starts.
#pragma once

#include <optional>
#include <string>

// The variable's value in UTF-8: nothing where it is not set, "" where it is
// set but empty.
std::optional<std::string> environmentVariable(const wchar_t* name);
