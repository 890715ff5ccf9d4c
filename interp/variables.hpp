// Start-up access to the variable table: clearing it and creating the
// script-argument variables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvan::kfl {

// Marks every entry of the variable table free and deletes all labels.
void clear_variables();

// Creates a global STRING or INT variable at routine level 0.
void define_startup_string(const std::string& name, const std::string& value);
void define_startup_int(const std::string& name, int value);

// The text of a variable (STRING as it is, INT in decimal), if it is one of these.
std::optional<std::string> startup_value_text(std::string_view name);

}  // namespace korvan::kfl
