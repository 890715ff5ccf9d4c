// Reading lines of outside input (scripts, plot files, data files) with a
// bound: a line that never ends (a device, a damaged file) stops the reading
// instead of being read for ever.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace korvan::plat {

class LineReader {
public:
    // The most characters one line may have.
    static constexpr std::size_t default_bound = std::size_t{1} << 20;

    enum class Status { line, end_of_file, refused };

    // Reads from an open file at its current position; the file stays the
    // caller's. Lines end at `end` (a line feed; ";" for the commands of HPGL).
    explicit LineReader(std::FILE* file, std::size_t bound = default_bound, char end = '\n')
        : file_(file), bound_(bound), end_(end)
    {
    }

    // The next line without its line end (a carriage return is kept).
    // At most `keep` of its characters are stored, the rest of a longer line
    // is read and dropped. A line longer than the bound is refused: nothing
    // after its first bound characters is read, and every later call is
    // refused too. `line` then holds what was kept of the refused line.
    Status next(std::string& line, std::size_t keep = default_bound);

    // Lines read so far, the refused one included.
    long line_number() const { return number_; }
    bool refused() const { return refused_; }
    // What was refused: "line 3 is longer than 1048576 characters; it and the
    // rest of the file are not read" (`what` names the lines).
    std::string refusal(const std::string& what = "line") const;

private:
    std::FILE* file_;
    std::size_t bound_;
    char end_;
    long number_ = 0;
    bool refused_ = false;
};

// One line of typed input (the console's input line, answers to questions):
// the line up to its first carriage return. A line too long to be read is
// refused like a file's, and its text names it.
LineReader::Status read_typed_line(std::FILE* in, std::string& line);

// The note on a typed line too long to be read.
std::string typed_line_refusal();

}  // namespace korvan::plat
