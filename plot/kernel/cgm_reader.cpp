#include "plot/kernel/cgm_reader.hpp"

#include <algorithm>
#include <cmath>

#include "plot/kernel/cgm.hpp"

namespace korvan {

double CgmReader::Extent::page_width() const { return std::round(max_x + 1.0); }
double CgmReader::Extent::page_height() const { return std::round(max_y + 1.0); }

void CgmReader::restart()
{
    std::rewind(file_);
    block_length_ = 0;
    block_at_ = 0;
}

bool CgmReader::next_byte(std::uint8_t& byte)
{
    if (block_at_ == block_length_) {
        block_length_ = std::fread(block_, 1, sizeof block_, file_);
        block_at_ = 0;
        if (block_length_ == 0)
            return false;
    }
    byte = block_[block_at_++];
    return true;
}

bool CgmReader::next_word(std::uint16_t& word)
{
    std::uint8_t high = 0;
    std::uint8_t low = 0;
    if (!next_byte(high) || !next_byte(low))
        return false;
    word = static_cast<std::uint16_t>((high << 8) | low);
    return true;
}

// The parameter bytes of one element, across the partitions of a long-form
// element, with the pad byte after a partition of odd length skipped.
class CgmReader::Parameters {
public:
    Parameters(CgmReader& reader, std::size_t length, bool more) : reader_(reader) { start(length, more); }

    // The next parameter byte; false at the end of the element or of the file.
    bool byte(std::uint8_t& b)
    {
        while (left_ == 0) {
            if (odd_) {
                odd_ = false;
                std::uint8_t pad = 0;
                if (!reader_.next_byte(pad)) {
                    truncated_ = true;
                    return false;
                }
            }
            if (!more_)
                return false;
            std::uint16_t length = 0;
            if (!reader_.next_word(length)) {
                truncated_ = true;
                return false;
            }
            start(length & 0x7FFF, (length & 0x8000) != 0);
        }
        if (!reader_.next_byte(b)) {
            truncated_ = true;
            return false;
        }
        --left_;
        return true;
    }

    // A signed 16-bit parameter.
    bool integer(int& value)
    {
        std::uint8_t high = 0;
        std::uint8_t low = 0;
        if (!byte(high) || !byte(low))
            return false;
        value = static_cast<std::int16_t>(static_cast<std::uint16_t>((high << 8) | low));
        return true;
    }

    // Skips what is left of the element; false when the file ended inside it.
    bool finish()
    {
        std::uint8_t b = 0;
        while (byte(b)) {
        }
        return !truncated_;
    }

private:
    void start(std::size_t length, bool more)
    {
        left_ = length;
        odd_ = (length & 1) != 0;
        more_ = more;
    }

    CgmReader& reader_;
    std::size_t left_ = 0;
    bool odd_ = false;
    bool more_ = false;
    bool truncated_ = false;
};

template <typename Visit>
CgmReader::Result CgmReader::walk(Visit&& visit)
{
    restart();
    for (;;) {
        std::uint16_t head = 0;
        if (!next_word(head))
            return Result::truncated;
        int element_class = head >> 12;
        int id = (head >> 5) & 0x7F;
        std::size_t length = head & 0x1F;
        bool more = false;
        if (length == cgm_long_form) {
            std::uint16_t word = 0;
            if (!next_word(word))
                return Result::truncated;
            length = word & 0x7FFF;
            more = (word & 0x8000) != 0;
        }
        if (element_class == cgm_class_delimiter && id == cgm_id_end_metafile)
            return Result::complete;
        Parameters parameters(*this, length, more);
        visit(element_class, id, parameters);
        if (!parameters.finish())
            return Result::truncated;
    }
}

CgmReader::Result CgmReader::scan(Extent& extent)
{
    extent = Extent{};
    return walk([&](int element_class, int id, Parameters& p) {
        if (element_class != cgm_class_primitive || id != cgm_id_polyline)
            return;
        int x = 0;
        int y = 0;
        while (p.integer(x) && p.integer(y)) {
            extent.max_x = std::max(extent.max_x, plot_units(x));
            extent.max_y = std::max(extent.max_y, plot_units(y));
        }
    });
}

CgmReader::Result CgmReader::play(double max_y, Sink& sink)
{
    return walk([&](int element_class, int id, Parameters& p) {
        if (element_class == cgm_class_primitive && id == cgm_id_polyline) {
            int x = 0;
            int y = 0;
            bool draw = false;
            while (p.integer(x) && p.integer(y)) {
                sink.point(plot_units(x), max_y - plot_units(y), draw);
                draw = true;
            }
        } else if (element_class == cgm_class_attribute && id == cgm_id_line_colour) {
            std::uint8_t index = 0;
            if (p.byte(index))
                sink.colour(index);
        }
    });
}

}  // namespace korvan
