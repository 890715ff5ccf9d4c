// The output window's text: a ring of line buffers of 80 characters.
// Characters beyond 80 on a line are drawn but not kept; they stay visible
// only until the text is repainted from the buffers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvan::plat {

class TextRing {
public:
    static constexpr int default_capacity = 100;
    static constexpr std::size_t line_length = 80;

    explicit TextRing(int capacity = default_capacity);

    // Appends text; a line feed ends the current line, a carriage return is dropped.
    void append(std::string_view text);

    // Lines in use, the open (last) line included; at least 1.
    int lines_in_use() const { return count_; }
    int capacity() const { return static_cast<int>(lines_.size()); }

    // Line i, 0 being the oldest kept: what the buffers hold.
    const std::string& stored_line(int i) const;
    // What the screen shows of line i: the stored text and, until the next
    // repaint, what was drawn beyond it.
    std::string shown_line(int i) const;
    // The text is repainted from the buffers: the drawn overflow is gone.
    void repaint();

    // The vertical scroll range for a given number of visible lines.
    static int scroll_range(int lines_in_use, int visible_lines);

private:
    struct Line {
        std::string stored;
        std::string drawn_beyond;
    };
    Line& line_at(int i);
    const Line& line_at(int i) const;
    void new_line();

    std::vector<Line> lines_;
    int first_ = 0;
    int count_ = 1;
};

}  // namespace korvan::plat
