#include "interp/command_line.hpp"

#include <cctype>

#include "plat/usage.hpp"

namespace korvan::kfl {

namespace {
constexpr std::size_t device_keyword_limit = 6;

bool starts_with_option(std::string_view word, std::string_view option)
{
    if (word.size() < option.size())
        return false;
    for (std::size_t i = 0; i < option.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(word[i])) != option[i])
            return false;
    }
    return true;
}
}  // namespace

std::vector<std::string> split_command_line(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        std::size_t start = i;
        while (i < text.size() && text[i] != ' ')
            ++i;
        if (i > start)
            words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

StartupOptions parse_options(const std::vector<std::string>& words)
{
    StartupOptions opt;
    bool no_extension = false;
    for (const std::string& word : words) {
        std::string_view w = word;
        if (starts_with_option(w, "-V")) {
            opt.version_wanted = true;
        } else if (starts_with_option(w, "-O")) {
            opt.output_window_wanted = true;
        } else if (starts_with_option(w, "-F=")) {
            opt.data_file_given = true;
            opt.data_file_name = w.substr(3);
        } else if (starts_with_option(w, "-F")) {
            no_extension = true;
        } else if (starts_with_option(w, "-I=")) {
            opt.include_given = true;
            opt.include_file_name = w.substr(3);
        } else if (starts_with_option(w, "-D=")) {
            opt.device_given = true;
            opt.startup_device = w.substr(3, device_keyword_limit);
        } else if (!opt.script_given && plat::is_help_word(w)) {
            opt.help_wanted = true;
        } else if (!opt.script_given) {
            opt.script_given = true;
            opt.script_name = word;
        } else {
            opt.script_args.push_back(word);
        }
    }
    if (opt.script_given && !no_extension)
        opt.script_name = add_extension(opt.script_name);
    return opt;
}

std::string add_extension(std::string_view name, std::string_view extension)
{
    std::size_t start = name.rfind(']');
    if (start == std::string_view::npos)
        start = name.rfind('/');
    std::string_view last = start == std::string_view::npos ? name : name.substr(start + 1);
    std::string result(name);
    if (last.find('.') == std::string_view::npos)
        result += extension;
    return result;
}

}  // namespace korvan::kfl
