// The converter's run settings and how its command line fills them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace korvan::conv {

struct Settings {
    std::string input;              // ".met" appended when the name has no "."
    std::string device = "CONS";    // upper-cased
    std::string port = "LPT1";      // where printer output is copied
    std::string output = "kor00000.tmp";
    bool output_given = false;      // F=
    bool delete_input = false;      // DEL / KEEP
    bool help_wanted = false;       // "--help" or "-h" in place of the input name
    int rotation = 0;               // 1 ROT, 2 NOR
    bool full_scaling = false;      // FUL
    bool reverse = false;           // REV
    double scaling = 1.0;           // S=
    int first_page = 1;             // P= (PostScript input)
    int page_count = 0;             // N= (PostScript input), 0 all
    // Colour table for the target: 0-7 SMAL RAIN SPEC GREY RRAI RSPE RGRE VGA,
    // -1 the user table; none when not set.
    std::optional<int> table;
    std::vector<std::array<double, 3>> user_table;
    std::string user_table_file;    // V=
    bool window_size_given = false; // WS=
    int window_width = 0;
    int window_height = 0;
};

// The colour table names in their index order.
inline constexpr const char* table_names[] = {"SMAL", "RAIN", "SPEC", "GREY", "RRAI", "RSPE", "RGRE", "VGA"};

// Fills the settings from the words; false with the message to show when a
// word is refused.
bool parse_command_line(const std::vector<std::string>& words, Settings& settings, std::string& message);

}  // namespace korvan::conv
