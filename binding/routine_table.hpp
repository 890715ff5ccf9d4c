// The routine table: every library routine a script may call by name, with its
// parameter signature, in two groups (procedures and library functions).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace korvan::binding {

enum class Group : std::uint8_t { procedure, function };

struct RoutineRow {
    const char* name;       // upper case, at most six characters
    const char* signature;  // codes separated by commas; "" for no parameters
};

inline constexpr int procedure_count = 370;
inline constexpr int function_count = 79;

// The rows of a group in table order.
std::span<const RoutineRow> routine_rows(Group group);

// The row of the name in the group (the first equal row in table order), or -1.
int lookup_routine(std::string_view name, Group group);

const char* routine_signature(int row, Group group);
const char* routine_name(int row, Group group);

}  // namespace korvan::binding
