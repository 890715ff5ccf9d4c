// The settings of the widget routines, kept until changed.
#include <algorithm>
#include <cctype>

#include "plot/widgets/widgets.hpp"

namespace korvan {

using namespace widgets;

namespace {

Settings& settings() { return table().settings; }

void not_allowed(const char* routine, std::string_view keyword)
{
    show_error(routine, ">>>> Not allowed parameter " + std::string(keyword));
}

// Pixel values are kept within the size of any screen, so that sums of
// positions, sizes and margins stay far from the integer limits.
int pixels(int value) { return std::clamp(value, -100000, 100000); }

// The first three letters of the argument, upper-cased.
std::string first_three(std::string_view argument)
{
    std::string s;
    for (std::size_t i = 0; i < 3 && i < argument.size(); ++i)
        s += static_cast<char>(std::toupper(static_cast<unsigned char>(argument[i])));
    return s;
}

}  // namespace

void swgwth(int characters) { settings().default_width = std::clamp(characters, 1, 1000); }

void swgpos(int x, int y)
{
    Settings& s = settings();
    s.x = pixels(x);
    s.y = pixels(y);
    s.position_given = true;
}

void swgsiz(int width, int height)
{
    Settings& s = settings();
    s.width = std::clamp(width, 0, 100000);
    s.height = std::clamp(height, 0, 100000);
    s.size_given = true;
}

void swgwin(int x, int y, int width, int height)
{
    swgpos(x, y);
    swgsiz(width, height);
}

void swgmrg(int value, std::string_view side)
{
    Settings& s = settings();
    const int v = pixels(value);
    switch (match_keyword("LEFT+TOP +RIGH+BOTT", side)) {
    case 1:
        s.margin_left = v;
        break;
    case 2:
        s.margin_top = v;
        break;
    case 3:
        s.margin_right = v;
        break;
    case 4:
        s.margin_bottom = v;
        break;
    default:
        not_allowed("SWGMRG", side);
    }
}

void swgmix(std::string_view character, std::string_view what)
{
    if (match_keyword("SEP ", what) != 1) {
        not_allowed("SWGMIX", what);
        return;
    }
    // An empty text would make the end of the list the separator.
    if (!character.empty())
        settings().separator = character.front();
}

void swgpop(std::string_view option)
{
    Settings& s = settings();
    switch (match_keyword("NOOK+NOQU+NOHE+OK  +QUIT+HELP", option)) {
    case 1:
        s.menu_ok = false;
        break;
    case 2:
        s.menu_quit = false;
        break;
    case 3:
        s.menu_help = false;
        break;
    case 4:
        s.menu_ok = true;
        break;
    case 5:
        s.menu_quit = true;
        break;
    case 6:
        s.menu_help = true;
        break;
    default:
        not_allowed("SWGPOP", option);
    }
}

void swgtyp(std::string_view value, std::string_view what)
{
    Settings& s = settings();
    const std::string kind = first_three(what);
    if (kind == "LIS") {
        int v = match_keyword("AUTO+SCRO+NOSC", value);
        if (v == 0)
            not_allowed("SWGTYP", value);
        else
            s.list_type = v - 1;
    } else if (kind == "BOX" || kind == "SCA") {
        int v = match_keyword("VERT+HORI", value);
        if (v == 0)
            not_allowed("SWGTYP", value);
        else if (kind == "BOX")
            s.box_vertical = v == 1;
        else
            s.scale_vertical = v == 1;
    } else {
        not_allowed("SWGTYP", what);
    }
}

void swgjus(std::string_view value, std::string_view what)
{
    Settings& s = settings();
    const std::string kind = first_three(what);
    if (kind != "LAB" && kind != "BUT") {
        not_allowed("SWGJUS", what);
        return;
    }
    int v = match_keyword("LEFT+CENT+RIGH", value);
    if (v == 0) {
        not_allowed("SWGJUS", value);
        return;
    }
    (kind == "LAB" ? s.label_justification : s.button_justification) = v - 1;
}

void swgmod(std::string_view mode)
{
    int v = match_keyword("AUTO+XWIN+ASCI", mode);
    if (v == 0)
        not_allowed("SWGMOD", mode);
    else
        settings().mode = v - 1;
}

void swgtit(std::string_view title) { settings().title = std::string(title); }

void swghlp(std::string_view help)
{
    settings().help = std::string(help);
    settings().has_help = true;
}

}  // namespace korvan
