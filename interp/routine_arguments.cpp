#include "interp/routine_frames.hpp"

namespace korvan::kfl {

std::string_view trim_blanks(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::vector<RoutineArgument> split_routine_arguments(std::string_view text, std::size_t& end)
{
    std::vector<RoutineArgument> args;
    RoutineArgument current;
    std::size_t start = 0;
    std::size_t equals = std::string_view::npos;
    char quote = 0;
    end = text.size();
    for (std::size_t i = 0; i <= text.size(); ++i) {
        bool at_end = i == text.size();
        char c = at_end ? ')' : text[i];
        if (quote != 0 && !at_end) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '=' && equals == std::string_view::npos) {
            equals = i;
        } else if (c == ',' || c == ')') {
            std::string_view piece = text.substr(start, i - start);
            if (equals != std::string_view::npos) {
                current.keyword = true;
                current.key = trim_blanks(piece.substr(0, equals - start));
                current.value = trim_blanks(piece.substr(equals - start + 1));
            } else {
                current.value = trim_blanks(piece);
            }
            bool empty_list = c == ')' && args.empty() && !current.keyword && current.value.empty();
            if (!empty_list)
                args.push_back(current);
            current = RoutineArgument{};
            start = i + 1;
            equals = std::string_view::npos;
            if (c == ')') {
                end = at_end ? text.size() : i + 1;
                break;
            }
        }
    }
    return args;
}

}  // namespace korvan::kfl
