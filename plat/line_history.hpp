// The history of lines typed at the prompt, shared by the terminal's line
// editor and the output window's input line, kept between sessions in a
// plain text file (one line a line, the newest last).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvan::plat {

class LineHistory {
public:
    static constexpr std::size_t capacity = 1000;

    // Reads the file's last `capacity` lines; a missing file is an empty
    // history. An empty path keeps the history in memory only.
    explicit LineHistory(std::string path);

    // Adds a typed line (not an empty one, nor one equal to the newest) and
    // appends it to the file; the file is cut to its newest lines when it has
    // grown to twice the capacity.
    void add(std::string_view line);

    const std::vector<std::string>& lines() const { return lines_; }

    // Walking through the history with Up and Down: older() and newer() give
    // the line to show, starting from the newest; past the newest comes the
    // text that was being typed before the walk began. reset() ends a walk.
    std::string older(std::string_view current);
    std::string newer(std::string_view current);
    void reset() { position_ = lines_.size(); }

private:
    std::string path_;
    std::vector<std::string> lines_;
    std::size_t position_ = 0;  // lines_.size(): not walking
    std::string typed_;         // the text before the walk began
    std::size_t lines_in_file_ = 0;
};

// The history file of the prompt: $HOME/.kfl_history, or "" without HOME.
std::string prompt_history_path();

// The history of the prompt, made on first use.
LineHistory& prompt_history();

}  // namespace korvan::plat
