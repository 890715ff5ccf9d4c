#include "plat/line_history.hpp"

#include <fstream>

#include "plat/host.hpp"
#include "plat/line_reader.hpp"
#include "plat/paths.hpp"

namespace korvan::plat {

LineHistory::LineHistory(std::string path) : path_(std::move(path))
{
    // A history that is no text file of lines ends where its lines become too long.
    if (std::FILE* in = path_.empty() ? nullptr : std::fopen(path_.c_str(), "r")) {
        LineReader reader(in);
        std::string line;
        while (reader.next(line) == LineReader::Status::line) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                lines_.push_back(line);
        }
        std::fclose(in);
    }
    lines_in_file_ = lines_.size();
    if (lines_.size() > capacity)
        lines_.erase(lines_.begin(), lines_.end() - capacity);
    position_ = lines_.size();
}

void LineHistory::add(std::string_view line)
{
    reset();
    if (line.empty() || line.find('\n') != std::string_view::npos || (!lines_.empty() && lines_.back() == line))
        return;
    lines_.emplace_back(line);
    if (lines_.size() > capacity)
        lines_.erase(lines_.begin());
    position_ = lines_.size();
    if (path_.empty())
        return;
    if (lines_in_file_ + 1 >= 2 * capacity) {
        std::ofstream out(path_, std::ios::trunc);
        for (const std::string& kept : lines_)
            out << kept << '\n';
        lines_in_file_ = lines_.size();
    } else {
        std::ofstream(path_, std::ios::app) << line << '\n';
        ++lines_in_file_;
    }
}

std::string LineHistory::older(std::string_view current)
{
    if (position_ == lines_.size())
        typed_ = current;
    if (position_ > 0)
        --position_;
    return position_ < lines_.size() ? lines_[position_] : typed_;
}

std::string LineHistory::newer(std::string_view current)
{
    if (position_ >= lines_.size())
        return std::string(current);
    ++position_;
    return position_ < lines_.size() ? lines_[position_] : typed_;
}

std::string prompt_history_path()
{
    auto home = get_env("HOME");
    if (!home || home->empty())
        return {};
    return join_path(*home, ".kfl_history");
}

LineHistory& prompt_history()
{
    static LineHistory history(prompt_history_path());
    return history;
}

}  // namespace korvan::plat
