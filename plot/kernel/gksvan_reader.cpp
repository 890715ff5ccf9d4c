#include "plot/kernel/gksvan_reader.hpp"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace korvan {

namespace {
constexpr int line_limit = 80;
constexpr int field_width = 10;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// A field in the form of a coordinate: " d.ddddddd".
bool coordinate_field(const char* field)
{
    if (field[0] != ' ' || !is_digit(field[1]) || field[2] != '.')
        return false;
    for (int i = 3; i < field_width; ++i)
        if (!is_digit(field[i]))
            return false;
    return true;
}
}  // namespace

bool GksvanReader::read_line(char* line, int& length)
{
    length = 0;
    if (lines_.next(text_) != plat::LineReader::Status::line)
        return false;
    // Carriage returns are dropped; the rest of a line beyond 80 characters is skipped.
    for (char c : text_)
        if (c != '\r' && length < line_limit)
            line[length++] = c;
    line[length] = '\0';
    return true;
}

bool GksvanReader::read_header(double& width, double& height)
{
    char line[line_limit + 1];
    int length = 0;
    if (!read_line(line, length))
        return false;
    char* end = nullptr;
    double w = std::strtod(line, &end);
    if (end == line)
        return false;
    char* second = end;
    double h = std::strtod(second, &end);
    if (end == second)
        return false;
    if (!std::isfinite(w) || !std::isfinite(h) || w <= 0 || h <= 0)
        return false;
    // The two sizes are all the line holds, and they are no pair of
    // coordinate fields (a file whose header is missing).
    for (const char* rest = end; *rest != '\0'; ++rest)
        if (*rest != ' ' && *rest != '\t')
            return false;
    if (length == 2 * field_width && coordinate_field(line) && coordinate_field(line + field_width))
        return false;
    // Sizes too large for plot coordinates would give an endless page.
    if (!std::isfinite(w * 100.0) || !std::isfinite(h * 100.0))
        return false;
    width = w * 100.0;
    height = h * 100.0;
    return true;
}

int GksvanReader::field_kind(const char* field)
{
    char first = field[0];
    char second = field[1];
    if (first != ' ') {
        if (!is_digit(first) || !is_digit(second))
            return -1;
        return (first - '0') * 10 + (second - '0');
    }
    if (second == ' ')
        return 0;
    return is_digit(second) ? second - '0' : -1;
}

bool GksvanReader::coordinate_value(const char* field, int kind, double& value)
{
    long digits = 0;
    for (int i = 3; i < field_width; ++i) {
        if (!is_digit(field[i]))
            return false;
        digits = digits * 10 + (field[i] - '0');
    }
    value = kind + static_cast<double>(digits) * 1e-7;
    return true;
}

GksvanReader::Result GksvanReader::play(Sink& sink)
{
    double pending[2] = {0, 0};
    int count = 0;
    bool draw = false;
    int accumulator = 0;
    char line[line_limit + 1];
    int length = 0;

    auto emit = [&] {
        if (count == 2)
            sink.point(pending[0], pending[1], draw);
        count = 0;
    };

    while (read_line(line, length)) {
        for (int at = 0; at + field_width <= length; at += field_width) {
            const char* field = line + at;
            int kind = field_kind(field);
            if (kind == 0 || kind == 1) {
                double value = 0;
                if (!coordinate_value(field, kind, value))
                    continue;
                if (count == 2)
                    emit();
                pending[count++] = value;
            } else if (kind == 2 || kind == 3) {
                draw = kind == 2;
            } else if (kind == 9) {
                emit();
                return Result::complete;
            } else if (kind == 99) {
                // Bounded so that a run of prefixes cannot overflow.
                if (accumulator <= 256)
                    accumulator += 89;
            } else if (kind >= 10 && kind <= 98) {
                emit();
                int colour = accumulator + kind - 9;
                if (colour == 256)
                    colour = 0;
                if (colour >= 0 && colour <= 255)
                    sink.colour(colour);
                accumulator = 0;
            }
        }
    }
    emit();
    return Result::incomplete;
}

}  // namespace korvan
