#include "plat/text_ring.hpp"

#include <algorithm>

namespace korvan::plat {

namespace {
// Bound on what is remembered as drawn beyond a line's buffer.
constexpr std::size_t drawn_beyond_limit = 1024;
}

TextRing::TextRing(int capacity) : lines_(static_cast<std::size_t>(std::max(capacity, 1))) {}

TextRing::Line& TextRing::line_at(int i)
{
    return lines_[static_cast<std::size_t>((first_ + i) % capacity())];
}

const TextRing::Line& TextRing::line_at(int i) const
{
    return lines_[static_cast<std::size_t>((first_ + i) % capacity())];
}

void TextRing::new_line()
{
    if (count_ < capacity())
        ++count_;
    else
        first_ = (first_ + 1) % capacity();
    Line& line = line_at(count_ - 1);
    line.stored.clear();
    line.drawn_beyond.clear();
}

void TextRing::append(std::string_view text)
{
    for (char c : text) {
        if (c == '\n') {
            new_line();
            continue;
        }
        if (c == '\r')
            continue;
        Line& line = line_at(count_ - 1);
        if (line.stored.size() < line_length)
            line.stored.push_back(c);
        else if (line.drawn_beyond.size() < drawn_beyond_limit)
            line.drawn_beyond.push_back(c);
    }
}

const std::string& TextRing::stored_line(int i) const
{
    static const std::string none;
    if (i < 0 || i >= count_)
        return none;
    return line_at(i).stored;
}

std::string TextRing::shown_line(int i) const
{
    if (i < 0 || i >= count_)
        return {};
    const Line& line = line_at(i);
    return line.stored + line.drawn_beyond;
}

void TextRing::repaint()
{
    for (Line& line : lines_)
        line.drawn_beyond.clear();
}

int TextRing::scroll_range(int lines_in_use, int visible_lines)
{
    return std::max(1, lines_in_use - visible_lines + 1);
}

}  // namespace korvan::plat
