// Level check, warnings, keyword matching, the range check and message output.
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "plot/kernel/characters.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/win/driver.hpp"

namespace korvan {

namespace {

constexpr const char* warning_texts[warning_table_size + 1] = {
    " ",
    "Negative parameter",
    "Incorrect parameter",
    "Incorrect level",
    "X coordinate out of page",
    "Y coordinate out of page",
    "Same tick number as in a call before",
    "First radius greater than second radius",
    "Start angle greater/equal end angle",
    "Step equal zero",
    "Begin and end of scaling are equal",
    "Axis length < 2",
    "Startlabel out of scaling",
    "Linear scaling must be used",
    "Linear interpolation must be used",
    "No call to legini before",
    "Too long string for legend line",
    "Not enough store for the legend buffer",
    "Incorrect character after the eushft operator",
    "The basealphabet cannot be used",
    "No metafile",
    "The routine must be called after korfin",
    "The metafile is deleted before",
    "Non positive minimum for log scaling (set to 0.1)",
    "Non positive maximum for log scaling (set to 1.0)",
    "Minimum equal maximum (added -1 and +1)",
    "Too many intersections",
    "Non positive values for log scaling",
    "Number of bars unequal number of main ticks",
    "Sum of data is zero",
    "Incorrect number of points",
    "Incorrect number of points for spline interpolation",
    "No increasing x coordinates for spline interpolation",
    "Incorrect viewpoint",
    "No call to grfini before",
    "Confusion of graf3d and graf3",
    "File error",
    "Incorrect filename",
    "Singular matrix",
    "Too many pages for CGM file (max. length 327 cm)",
    "File format and output device are incompatible",
    "Incorrect device for HPGL file",
    "More legend lines than calls to curve",
    "Instruction code: incorrect parameter",
    "Instruction code: incorrect tabulator index",
    "Instruction code: no integer value",
    "Instruction code: unknown command",
    "Blanking buffer overflow",
    "No call to psfont",
    "Fileformat is not PostScript",
    "Incorrect sign for step",
    "Non positive parameter",
    "Hiddenline overflow",
    "Not enough memory",
    "No call to imgfin",
    "No call to imgini",
    "Incorrect file format",
    "Control characters must be different",
    "Array is out of screen",
};

constexpr std::size_t print_limit = 256;

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

std::string format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, args);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(args);
    return out;
}

// Counts the warning and selects its text; false when messages are off.
bool begin_warning(int number)
{
    PlotState& s = state();
    ++s.warning_count;
    if (s.message_unit == 0)
        return false;
    if (number >= 1 && number <= warning_table_size) {
        s.warning_text = warning_texts[number];
    } else if (number <= 100) {
        message_print(format("<<<< Incorrect parameter in errmes! (%4d)\n", number));
        s.warning_text = warning_texts[0];
    }
    return true;
}

}  // namespace

const char* warning_table_text(int n)
{
    if (n < 1 || n > warning_table_size)
        return warning_texts[0];
    return warning_texts[n];
}

void message_print(std::string_view text)
{
    PlotState& s = state();
    std::string_view shown = text;
    std::string cut;
    if (text.size() > print_limit) {
        // Cut to the limit, keeping the line end of the text.
        cut.assign(text.substr(0, print_limit));
        if (text.back() == '\n')
            cut.back() = '\n';
        shown = cut;
    }
    if (s.message_stream != nullptr) {
        std::fwrite(shown.data(), 1, shown.size(), s.message_stream);
        std::fflush(s.message_stream);
        if (!shown.empty())
            s.error_file_written = true;
    } else {
        win::print(shown);
    }
}

void set_warning_text(std::string_view text) { state().warning_text.assign(text); }

void warning(int number)
{
    if (!begin_warning(number))
        return;
    const PlotState& s = state();
    message_print(format(" <<<< Warning %3d: %s in %s!\n", number, s.warning_text.c_str(), s.routine_name));
}

void warning_text(int number, std::string_view argument)
{
    if (!begin_warning(number))
        return;
    const PlotState& s = state();
    std::string arg(argument);
    message_print(format(" <<<< Warning %3d: %s in %s!   (%s)\n", number, s.warning_text.c_str(), s.routine_name,
                         arg.c_str()));
}

namespace {

const char* reason_of(int error) { return std::strerror(error != 0 ? error : EIO); }

}  // namespace

void file_error(std::string_view name, int error)
{
    if (!begin_warning(36))
        return;
    const PlotState& s = state();
    const std::string line = format(" <<<< Warning %3d: %s in %s!   (%s: %s)\n", 36, s.warning_text.c_str(),
                                    s.routine_name, std::string(name).c_str(), reason_of(error));
    if (s.message_stream != nullptr)
        message_print(line);
    // On the text output whole, so that neither the name nor the reason is lost.
    win::print(line);
}

void named_file_error(std::string_view name, int error)
{
    if (!begin_warning(36))
        return;
    // Both lines where the warnings go, as every other warning.
    const PlotState& s = state();
    const std::string file(name);
    message_print(
        format(" <<<< Warning %3d: %s in %s!   (%s)\n", 36, s.warning_text.c_str(), s.routine_name, file.c_str()));
    message_print(format(" <<<< %s: %s!\n", file.c_str(), reason_of(error)));
}

void plot_file_error(std::string_view name, int error)
{
    state().output_failed = true;
    file_error(name, error);
}

void warning_int(int number, int argument)
{
    if (!begin_warning(number))
        return;
    const PlotState& s = state();
    message_print(
        format(" <<<< Warning %3d: %s in %s!   (%4d)\n", number, s.warning_text.c_str(), s.routine_name, argument));
}

int level_check(int low, int high, const char* routine)
{
    first_use_init();
    PlotState& s = state();
    s.routine_name = routine;
    if (low <= s.level && s.level <= high)
        return 0;
    if (s.level == 0)
        s.message_unit = 6;
    warning_int(3, s.level);
    return 1;
}

void soft_level_check(const char* routine) { (void)level_check(1, 3, routine); }

std::string keyword4(std::string_view argument)
{
    std::string kw(4, ' ');
    for (std::size_t i = 0; i < 4 && i < argument.size(); ++i)
        kw[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(argument[i])));
    return kw;
}

int keyword_lookup(std::string_view list, int count, std::string_view argument)
{
    std::string kw = keyword4(argument);
    for (int i = 0; i < count; ++i) {
        std::size_t at = static_cast<std::size_t>(i) * 5;
        if (at >= list.size())
            break;
        std::string entry(list.substr(at, 4));
        entry.resize(4, ' ');
        if (entry == kw)
            return i + 1;
    }
    warning_text(2, argument);
    return 0;
}

int range_check(int value, int low, int high)
{
    if (low <= value && (value <= high || high < low))
        return 0;
    warning_int(2, value);
    return 1;
}

std::string date_string()
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return format("%02d.%02d.%02d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year % 100);
}

std::string time_string()
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return format("%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
}

}  // namespace korvan

namespace korvan {

void warn_missing_characters(int n, std::string_view text)
{
    PlotState& s = state();
    ++s.warning_count;
    if (s.message_unit == 0)
        return;
    // The routine in capitals and the first 8 characters of the text, as the
    // page warnings of texts show them.
    std::string routine;
    for (char c : std::string_view(s.routine_name))
        routine += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::size_t end = 0;
    for (int k = 0; k < 8 && end < text.size(); ++k)
        next_character(text, end);
    std::string first = utf8_text(text.substr(0, end));
    std::string line = " <<<< Warning: " + std::to_string(n) + (n == 1 ? " character" : " characters") +
                       " not in the font in " + routine + " - (" + first + ").\n";
    message_print(line);
}

}  // namespace korvan
