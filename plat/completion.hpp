// Completion of the word before the cursor at the prompt: statement keywords,
// routine and function names and variable names, matched in any letter case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvan::plat {

struct Completion {
    std::string insert;                // the text to add at the cursor
    std::vector<std::string> choices;  // the names that fit, when more than one does
};

// The word before the cursor is the run of letters, digits and "_" that ends
// there, with a "%" in front of it. The names that begin with it give the
// longest common continuation, written in the letter case of the word's last
// letter; a single name that fits is completed whole.
Completion complete_word(std::string_view before_cursor, const std::vector<std::string>& names);

// The names to complete from; the interpreter installs its source.
using CompletionSource = std::vector<std::string> (*)();
void set_completion_source(CompletionSource source);
std::vector<std::string> completion_names();

}  // namespace korvan::plat
