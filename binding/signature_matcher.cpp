#include "binding/signature_matcher.hpp"

#include "interp/value.hpp"

namespace korvan::binding {

namespace {
// The next comma-separated code of a list, advancing pos past its comma.
std::string_view next_code(std::string_view list, std::size_t& pos)
{
    std::size_t comma = list.find(',', pos);
    std::size_t end = comma == std::string_view::npos ? list.size() : comma;
    std::string_view code = list.substr(pos, end - pos);
    pos = comma == std::string_view::npos ? list.size() + 1 : comma + 1;
    return code;
}

bool is_array_code(std::string_view code) { return code.size() == 2 && code[1] == 'R'; }
}  // namespace

std::string_view argument_code(int type_code)
{
    using namespace korvan::kfl;
    switch (type_code) {
    case T_CHAR: return "C";
    case T_BYTE: return "B";
    case T_SHORT: return "H";
    case T_INT: return "I";
    case T_FLOAT: return "F";
    case T_DOUBLE: return "D";
    case T_STRING:
    case T_CHAR_ARRAY: return "S";
    case T_BYTE_ARRAY: return "BR";
    case T_SHORT_ARRAY: return "HR";
    case T_INT_ARRAY: return "IR";
    case T_FLOAT_ARRAY: return "FR";
    case T_DOUBLE_ARRAY: return "DR";
    default: return "?";
    }
}

bool match_signature(std::string_view signature, const std::vector<MatchArgument>& args,
                     std::vector<MatchAction>& actions)
{
    actions.assign(args.size(), MatchAction::none);
    if (signature.empty())
        return args.empty();
    std::size_t pos = 0;
    std::size_t i = 0;
    while (pos <= signature.size()) {
        std::string_view code = next_code(signature, pos);
        if (code == ".")
            return true;
        if (i >= args.size())
            return false;  // missing arguments
        const MatchArgument& a = args[i];
        bool fits;
        if (code == "X") {
            fits = a.code == "F" || a.code == "D" || a.code == "I";
            if (a.code == "I")
                actions[i] = MatchAction::to_double;
        } else if (code == "U") {
            fits = a.names_variable || a.code == undefined_name_code;
        } else if (code == "V") {
            fits = a.names_variable;
            actions[i] = MatchAction::leave_out;
        } else if (code == "AR") {
            fits = is_array_code(a.code);
        } else if (code == "*") {
            fits = true;
        } else {
            fits = a.code == code;
        }
        if (!fits) {
            actions.assign(args.size(), MatchAction::none);
            return false;
        }
        ++i;
    }
    if (i != args.size()) {
        actions.assign(args.size(), MatchAction::none);
        return false;  // surplus arguments
    }
    return true;
}

std::string join_codes(const std::vector<MatchArgument>& args)
{
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            out += ',';
        out += args[i].code;
    }
    return out;
}

std::string mismatch_lines(std::string_view name, std::string_view codes, std::string_view signature)
{
    std::string out = "      User   : ";
    out.append(name).append(" (").append(codes).append(")\n      Correct: ");
    out.append(name).append(" (").append(signature).append(")\n");
    return out;
}

}  // namespace korvan::binding
