// HELP: "HELP" lists the topics of the manual's reference, "HELP NAME" prints
// the entries of a routine, built-in function, statement or system variable.
#include <algorithm>
#include <map>

#include "interp/help_reference.hpp"
#include "interp/log_file.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl {

namespace {

std::string topic_word(std::string_view operands)
{
    std::string word;
    for (char c : operands) {
        if (c == '\'' || c == '"' || c == '\r' || c == '\n')
            continue;
        word += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    std::size_t begin = word.find_first_not_of(' ');
    if (begin == std::string::npos)
        return {};
    std::size_t end = word.find_last_not_of(' ');
    word = word.substr(begin, end - begin + 1);
    // Runs of blanks ("END  IF") count as one.
    std::string single;
    for (char c : word) {
        if (c != ' ' || single.empty() || single.back() != ' ')
            single += c;
    }
    return single;
}

std::string trimmed_right(const std::string& text)
{
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

void print_topics(const std::vector<HelpEntry>& entries)
{
    win::print("Help is available on these topics; HELP name shows one of them.\n");
    std::vector<std::string> groups;
    std::map<std::string, std::vector<std::string>> names;
    for (const HelpEntry& entry : entries) {
        if (names.find(entry.group) == names.end())
            groups.push_back(entry.group);
        for (const std::string& name : entry.names)
            names[entry.group].push_back(name);
    }
    constexpr std::size_t column = 10, width = 70;
    for (const std::string& group : groups) {
        win::print("\n" + group + ":\n");
        // Names in columns, two blanks in front; a long name takes two columns.
        std::string line;
        for (const std::string& name : names[group]) {
            std::string cell = name;
            cell.resize(std::max(column, name.size() + 2), ' ');
            if (!line.empty() && 2 + line.size() + cell.size() > width) {
                win::print("  " + trimmed_right(line) + "\n");
                line.clear();
            }
            line += cell;
        }
        if (!line.empty())
            win::print("  " + trimmed_right(line) + "\n");
    }
}

}  // namespace

void help_command(std::string_view operands)
{
    const std::optional<std::string> directory = find_help_directory();
    const std::vector<HelpEntry> entries = directory ? read_help_entries(*directory) : std::vector<HelpEntry>{};
    if (entries.empty()) {
        win::print("No help: the manual is not installed (hlp/reference in the installation directory).\n");
        return;
    }
    const std::string word = topic_word(operands);
    if (word.empty()) {
        print_topics(entries);
        return;
    }
    bool found = false;
    for (const HelpEntry& entry : entries) {
        if (std::any_of(entry.names.begin(), entry.names.end(), [&](const std::string& n) { return n == word; })) {
            win::print(format_help_entry(entry));
            found = true;
        }
    }
    if (found)
        return;
    win::print("No help on " + word + ".\n");
    const std::vector<std::string> close = close_help_names(entries, word);
    if (!close.empty()) {
        std::string list;
        for (const std::string& name : close)
            list += (list.empty() ? "" : ", ") + name;
        win::print("Close names: " + list + "\n");
    }
}

}  // namespace korvan::kfl
