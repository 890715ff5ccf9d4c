#include "conv/settings.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "plat/usage.hpp"

namespace korvan::conv {

namespace {

std::string upper(std::string_view text)
{
    std::string out;
    for (char c : text)
        out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
}

std::string formatted(const char* format, double value)
{
    char text[400];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

double number_of(std::string_view text) { return std::strtod(std::string(text).c_str(), nullptr); }

int rounded(double v) { return static_cast<int>(std::lround(std::clamp(v, -2e9, 2e9))); }

}  // namespace

bool parse_command_line(const std::vector<std::string>& words, Settings& s, std::string& message)
{
    int positional = 0;
    for (const std::string& word : words) {
        std::string key = upper(word);
        std::string_view value = std::string_view(word).substr(std::min<std::size_t>(word.size(), 2));
        if (key.starts_with("DEL")) {
            s.delete_input = true;
        } else if (key.starts_with("KEE")) {
            s.delete_input = false;
        } else if (key == "-V") {
            // accepted for compatibility
        } else if (key.starts_with("REV")) {
            s.reverse = true;
        } else if (key.starts_with("ROT")) {
            s.rotation = 1;
        } else if (key.starts_with("NOR")) {
            s.rotation = 2;
        } else if (key.starts_with("FUL")) {
            s.full_scaling = true;
        } else if (key.starts_with("WS=")) {
            std::string_view size = std::string_view(word).substr(3);
            std::size_t comma = size.find(',');
            if (comma == std::string_view::npos) {
                message = " <<<< Syntax error in " + word + "!\n";
                return false;
            }
            s.window_size_given = true;
            s.window_width = rounded(number_of(size.substr(0, comma)));
            s.window_height = rounded(number_of(size.substr(comma + 1)));
        } else if (key.starts_with("F=")) {
            s.output = std::string(value);
            s.output_given = true;
        } else if (key.starts_with("D=")) {
            s.port = std::string(value);
        } else if (key.starts_with("S=")) {
            double x = number_of(value);
            if (!(x > 0)) {
                message = formatted(" <<<< Not allowed scaling factor %f\n", x);
                return false;
            }
            s.scaling = x;
        } else if (key.starts_with("P=")) {
            double x = number_of(value);
            if (!(x > 0)) {
                message = formatted(" <<<< Not allowed starting page %f\n", x);
                return false;
            }
            s.first_page = std::max(1, rounded(x));
        } else if (key.starts_with("N=")) {
            double x = number_of(value);
            if (!(x > -0.0001)) {
                message = formatted(" <<<< Not allowed number of pages %f\n", x);
                return false;
            }
            s.page_count = rounded(x);
        } else if (key.starts_with("V=")) {
            s.user_table_file = std::string(value);
            s.table = -1;
        } else {
            int table = -1;
            for (int i = 0; i < 8; ++i)
                if (key == table_names[i])
                    table = i;
            if (table >= 0) {
                s.table = table;
            } else if (positional == 0 && plat::is_help_word(word)) {
                s.help_wanted = true;
                return true;
            } else if (positional == 0) {
                s.input = word;
                // The dot is looked for in the file's own name, not in its directories.
                std::size_t slash = s.input.find_last_of('/');
                if (s.input.find('.', slash == std::string::npos ? 0 : slash + 1) == std::string::npos)
                    s.input += ".met";
                ++positional;
            } else if (positional == 1) {
                s.device = key.substr(0, 6);
                ++positional;
            } else {
                message = " <<<< " + word + " is not defined in KORCONV!\n";
                return false;
            }
        }
    }
    return true;
}

}  // namespace korvan::conv
