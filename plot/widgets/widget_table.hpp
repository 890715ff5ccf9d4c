// The widget table: every widget of the dialogs a script builds, the nesting
// of dialogs, the settings the SWG routines keep, and the font metrics the
// layout is computed with. One instance for the whole run.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace korvan::widgets {

inline constexpr int max_widgets = 200;
inline constexpr int max_nesting = 8;
inline constexpr std::size_t text_limit = 132;     // text, file and command buffers (133 bytes)
inline constexpr std::size_t mask_limit = 80;      // file mask buffer (81 bytes)
inline constexpr std::size_t item_text_limit = 101;  // what ITMSTR copies of an item

enum class WidgetType : int {
    unused = -1,
    main = 0,
    base = 1,
    label = 2,
    check = 3,
    push = 4,
    command = 5,
    list = 6,
    radio = 7,
    text = 8,
    file = 9,
    scale_label = 10,  // the value text of the scale before it
    scale = 11,
    ok = 12,
    quit = 13,
    popup = 14,
    popup_item = 15,
};

enum Arrangement : int { horizontal = 0, vertical = 1, form = 2 };
enum ListType : int { list_auto = 0, list_scrolled = 1, list_not_scrolled = 2 };
enum Justification : int { just_left = 0, just_centre = 1, just_right = 2 };
enum WidgetMode : int { mode_auto = 0, mode_window = 1, mode_text = 2 };

// A rectangle in pixels of its window's client area (controls) or of the
// screen (main widgets).
struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// A callback as the routine binding registers it: called with the widget's ID.
using WidgetCallback = void (*)(int widget);

struct Widget {
    WidgetType type = WidgetType::unused;
    int arrangement = vertical;  // containers
    bool fixed_size = false;     // containers placed by explicit position and size
    int level = 0;               // nesting depth of WGINI when made
    int parent = -1;             // index of the parent record
    Rect rect;                   // the control, or a container's area
    int next_x = 0;              // a container's placement cursor
    int next_y = 0;
    int covered_w = 0;           // a base: width and height of what its children cover
    int covered_h = 0;

    std::string text;        // label and button texts, title of a main widget, text/file field buffer
    std::string shown_text;  // what a text or file field shows while its window runs
    std::string label;       // label of a text field (WGLTXT), a scale or a file menu entry
    std::string mask;        // file field
    std::string command;     // command button
    std::vector<std::string> items;  // list items
    bool scrolled = false;           // list with a vertical scroll bar
    bool field_label = false;        // the label part of a labelled text field

    int state = 0;     // check button 0/1; list: stored selection; radio: stored position (first item)
    int shown = 0;     // the selection the list or radio box shows
    int first_item = -1;  // radio item: index of the box's first item
    int item_count = 0;   // radio box: number of items (kept in its first item)

    float value = 0.0f;  // scale; its value label keeps minimum and maximum
    float minimum = 0.0f;
    float maximum = 0.0f;
    int digits = 0;
    int position = 0;     // scroll bar position 0..100
    bool vertical_scale = false;

    bool menu_ok = false;  // main widget: entries of its menu bar
    bool menu_quit = false;
    bool menu_help = false;

    WidgetCallback callback = nullptr;
};

struct Settings {
    int default_width = 20;  // characters
    char separator = '|';
    int margin_left = 0;
    int margin_top = 0;
    int margin_right = 0;
    int margin_bottom = 0;
    bool menu_ok = true;
    bool menu_quit = true;
    bool menu_help = true;
    int list_type = list_auto;
    bool box_vertical = true;
    bool scale_vertical = false;
    int label_justification = just_left;
    int button_justification = just_centre;
    int mode = mode_auto;
    std::string title;
    std::string help;
    bool has_help = false;
    // One-shot placement of the next window or form child, cleared by WGFIN.
    bool position_given = false;
    bool size_given = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Font and window metrics in pixels.
struct FontMetrics {
    int char_width = 8;
    int line_height = 16;
    int frame_width = 4;
    int frame_height = 4;
    int caption_height = 20;

    int vertical_gap() const { return line_height / 2; }
    int left_pad() const { return 2 * char_width; }
    int horizontal_gap() const { return 4 * char_width; }
};

// The largest right and bottom edges of the children of a window.
struct Extent {
    int right = 0;
    int bottom = 0;
};

struct WidgetTable {
    int state = 0;  // 0 before the first WGINI, 1 between WGINI and WGFIN, 2 after
    int level = 0;  // WGINI nesting depth
    int count = 0;  // records in use
    std::array<Widget, max_widgets> records{};
    std::array<int, max_nesting + 1> main_of_level{};
    std::array<int, max_nesting + 1> first_of_level{};
    std::array<Extent, max_nesting + 1> extent_of_level{};
    std::array<bool, max_nesting + 1> running{};  // the level's window is shown
    Settings settings;
    FontMetrics metrics;
    bool metrics_measured = false;
};

WidgetTable& table();

// Back to the state at program start (tests).
void reset_widget_table();

// The record of a script's widget ID, or nullptr when no widget has that ID.
Widget* widget_of_id(int id);

// The main widget whose window holds the record.
int main_of(int index);

// Frees records first .. count - 1.
void free_records(int first);

// A message box titled with the routine's name.
void show_error(std::string_view routine, std::string_view text);

// The 1-based position of the argument's first four letters, upper-cased, in
// a "+"-separated list of four-letter words; 0 when it is not there.
int match_keyword(std::string_view list, std::string_view argument);

// Items of a list string split at the separator.
std::vector<std::string> split_items(std::string_view list, char separator);

// At most limit characters of the text.
std::string clipped(std::string_view text, std::size_t limit);

}  // namespace korvan::widgets
