#include "plat/completion.hpp"

#include <algorithm>
#include <cctype>

namespace korvan::plat {

namespace {
CompletionSource installed_source = nullptr;

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool starts_with_any_case(std::string_view name, std::string_view prefix)
{
    if (name.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (upper(name[i]) != upper(prefix[i]))
            return false;
    }
    return true;
}
}  // namespace

Completion complete_word(std::string_view before_cursor, const std::vector<std::string>& names)
{
    std::size_t start = before_cursor.size();
    while (start > 0) {
        const unsigned char c = static_cast<unsigned char>(before_cursor[start - 1]);
        if (std::isalnum(c) == 0 && c != '_')
            break;
        --start;
    }
    if (start > 0 && before_cursor[start - 1] == '%')
        --start;
    const std::string_view word = before_cursor.substr(start);
    Completion result;
    if (word.empty())
        return result;
    std::vector<std::string> fitting;
    for (const std::string& name : names) {
        if (starts_with_any_case(name, word) && std::find(fitting.begin(), fitting.end(), name) == fitting.end())
            fitting.push_back(name);
    }
    if (fitting.empty())
        return result;
    std::sort(fitting.begin(), fitting.end());
    // The longest continuation that all fitting names share.
    std::size_t common = fitting.front().size();
    for (const std::string& name : fitting) {
        std::size_t i = word.size();
        while (i < common && i < name.size() && upper(name[i]) == upper(fitting.front()[i]))
            ++i;
        common = std::min(common, i);
    }
    bool lower = false;
    for (char c : word) {
        if (std::isalpha(static_cast<unsigned char>(c)) != 0)
            lower = std::islower(static_cast<unsigned char>(c)) != 0;
    }
    for (std::size_t i = word.size(); i < common; ++i) {
        const char c = fitting.front()[i];
        result.insert += lower ? static_cast<char>(std::tolower(static_cast<unsigned char>(c))) : upper(c);
    }
    if (fitting.size() > 1)
        result.choices = fitting;
    return result;
}

void set_completion_source(CompletionSource source) { installed_source = source; }

std::vector<std::string> completion_names()
{
    return installed_source != nullptr ? installed_source() : std::vector<std::string>{};
}

}  // namespace korvan::plat
