#include "installer/group_command_parser.hpp"

#include <cctype>

namespace korvan::installer {

namespace {
std::vector<std::string> split_arguments(std::string_view text)
{
    std::vector<std::string> args;
    if (text.empty())
        return args;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        args.emplace_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            return args;
        start = comma + 1;
    }
}
}  // namespace

std::optional<std::vector<GroupCommand>> parse_group_commands(std::string_view text, std::string& error)
{
    std::vector<GroupCommand> commands;
    std::size_t pos = 0;
    for (;;) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\n' || text[pos] == '\r' || text[pos] == '\t'))
            ++pos;
        if (pos == text.size())
            return commands;
        if (text[pos] != '[') {
            error = "'[' expected at offset " + std::to_string(pos);
            return std::nullopt;
        }
        const std::size_t open = text.find('(', pos);
        const std::size_t close = text.find(")]", pos);
        if (open == std::string_view::npos || close == std::string_view::npos || open > close) {
            error = "unfinished command at offset " + std::to_string(pos);
            return std::nullopt;
        }
        GroupCommand command;
        command.name = text.substr(pos + 1, open - pos - 1);
        if (command.name.empty()) {
            error = "command without a name at offset " + std::to_string(pos);
            return std::nullopt;
        }
        for (char c : command.name) {
            if (std::isalpha(static_cast<unsigned char>(c)) == 0) {
                error = "bad command name '" + command.name + "'";
                return std::nullopt;
            }
        }
        const std::string_view args = text.substr(open + 1, close - open - 1);
        for (unsigned char c : args) {
            if (c < 0x20 || c == 0x7f || c == '[' || c == ']' || c == '(' || c == '"') {
                error = "bad character in the arguments of " + command.name;
                return std::nullopt;
            }
        }
        command.args = split_arguments(args);
        commands.push_back(std::move(command));
        pos = close + 2;
    }
}

}  // namespace korvan::installer
