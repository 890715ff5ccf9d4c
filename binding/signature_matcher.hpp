// The parameter-signature matcher: argument codes built from argument types are
// checked against a signature such as "FR,FR,I". Shared by the built-in
// functions of the interpreter and the library routine binding.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvan::binding {

// Argument code of a value of the type code ("I", "FR", "S" ...; "?" for COMPLEX).
std::string_view argument_code(int type_code);

// Code of a name that is not a defined variable.
inline constexpr std::string_view undefined_name_code = "U";

struct MatchArgument {
    std::string_view code;   // argument code
    bool names_variable;     // a defined variable named directly
};

// What the caller must do with an argument after a successful match.
enum class MatchAction : unsigned char {
    none,
    to_double,  // an INT given for an X parameter: convert to DOUBLE in place
    leave_out,  // a V argument: not passed through a slot
};

// Matches the arguments against the signature. actions receives one entry per
// argument. Returns true when the arguments fit.
bool match_signature(std::string_view signature, const std::vector<MatchArgument>& args,
                     std::vector<MatchAction>& actions);

// The argument codes joined by commas ("FR,IR,I").
std::string join_codes(const std::vector<MatchArgument>& args);

// The two lines after "Parameter mismatch":
// "      User   : NAME (codes)\n      Correct: NAME (signature)\n".
std::string mismatch_lines(std::string_view name, std::string_view codes, std::string_view signature);

}  // namespace korvan::binding
