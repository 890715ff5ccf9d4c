// The table of built-in functions: names, parameter signatures and
// reference-mode flags, installed into the function table.
#pragma once

#include <string_view>

namespace korvan::kfl {

constexpr int builtin_count = 91;

struct BuiltinRow {
    const char* name;
    const char* signature;
    int flag;
};

// The rows in table order.
const BuiltinRow& builtin_row(int row);

// Installs the built-in functions into the function table.
void install_builtins();

}  // namespace korvan::kfl
