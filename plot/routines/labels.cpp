// The texts of axis labels.
#include <cmath>
#include <cstdio>

#include "plot/kernel/state.hpp"
#include "plot/routines/axes_internal.hpp"

namespace korvan {

namespace {

NumberStyle with_format(NumberStyle style, NumberFormat format)
{
    style.format = format;
    return style;
}

long fold_into_day(double seconds)
{
    double rounded = std::round(seconds);
    if (!std::isfinite(rounded))
        return 0;
    long s = static_cast<long>(std::fmod(rounded, 86400.0));
    return s < 0 ? s + 86400 : s;
}

std::string degrees(double value, int digits, int axis, LabelType type, const NumberStyle& style)
{
    bool signed_form = type == LabelType::dmap;
    std::string text = number_text(signed_form ? value : std::fabs(value), digits, with_format(style, NumberFormat::floa));
    text += style.raise;
    text += 'o';
    text += style.reset;
    if (signed_form) {
        text += "  ";
    } else if (value > 0.001 || value < -0.001) {
        char letter = axis == 0 ? (value > 0 ? 'E' : 'W') : (value > 0 ? 'N' : 'S');
        if (type == LabelType::lmap)
            letter = static_cast<char>(letter - 'A' + 'a');
        text += ' ';
        text += letter;
    }
    return text;
}

}  // namespace

bool label_raises(LabelType type)
{
    switch (type) {
    case LabelType::exp:
    case LabelType::log:
    case LabelType::clog:
    case LabelType::map:
    case LabelType::dmap:
    case LabelType::lmap:
        return true;
    default:
        return false;
    }
}

std::string label_text(double value, LabelType type, int digits, int axis, const NumberStyle& style,
                       const AxisSettings& settings, int n)
{
    bool log = settings.scaling == 1;
    bool separator = state().axes.time_separator;
    double number = log ? std::pow(10.0, value) : value;
    char text[64];
    switch (type) {
    case LabelType::none:
        return "";
    case LabelType::floa:
        return number_text(number, digits, with_format(style, NumberFormat::floa));
    case LabelType::exp:
    case LabelType::fexp:
        if (number == 0 && state().axes.plain_zero_label)
            return "0";
        return number_text(number, digits,
                           with_format(style, type == LabelType::exp ? NumberFormat::exp : NumberFormat::fexp));
    case LabelType::log:
    case LabelType::clog:
        return number_text(value, digits, with_format(style, NumberFormat::log));
    case LabelType::elog:
        return number_text(value, digits, with_format(style, NumberFormat::floa));
    case LabelType::time: {
        long s = fold_into_day(value);
        long hours = s / 3600;
        long minutes = std::lround((s % 3600) / 60.0);
        if (minutes == 60) {
            minutes = 0;
            hours = (hours + 1) % 24;
        }
        std::snprintf(text, sizeof text, separator ? "%02ld:%02ld" : "%02ld%02ld", hours, minutes);
        return text;
    }
    case LabelType::hour: {
        long s = fold_into_day(value);
        std::snprintf(text, sizeof text, "%ld", s / 3600);
        return text;
    }
    case LabelType::seco: {
        long s = fold_into_day(value);
        std::snprintf(text, sizeof text, separator ? "%02ld:%02ld:%02ld" : "%02ld%02ld%02ld", s / 3600, (s % 3600) / 60,
                      s % 60);
        return text;
    }
    case LabelType::map:
    case LabelType::dmap:
    case LabelType::lmap:
        return degrees(value, digits, axis, type, style);
    case LabelType::myla:
        if (n >= 1 && n <= settings.mylab_count)
            return settings.mylab[static_cast<std::size_t>(n - 1)];
        return "";
    }
    return "";
}

}  // namespace korvan
