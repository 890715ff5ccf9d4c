// Reading a binary CGM file as the library writes it: polylines and line
// colours; every other element is skipped by its length. Used by INCFIL and
// by the converter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace korvan {

class CgmReader {
public:
    // What the playback delivers.
    class Sink {
    public:
        virtual ~Sink() = default;
        // A point in plot coordinates of the file's page (origin upper left,
        // y downward), drawn or moved to.
        virtual void point(double x, double y, bool draw) = 0;
        // A colour index 0..255.
        virtual void colour(int index) = 0;
    };

    // complete: END METAFILE was reached; truncated: the file ended before it.
    enum class Result { complete, truncated };

    // The largest x and y of all polyline points (plot units from the lower
    // left corner of the VDC space).
    struct Extent {
        double max_x = 0.0;
        double max_y = 0.0;
        // The page: the largest values plus one, rounded.
        double page_width() const;
        double page_height() const;
    };

    // Reads from an open binary file; the file stays the caller's.
    explicit CgmReader(std::FILE* file) : file_(file) {}

    // First pass from the start of the file: the extent of the polylines.
    Result scan(Extent& extent);

    // Second pass from the start of the file: polylines (first point a move,
    // the others draws) with y flipped against max_y, and line colours.
    Result play(double max_y, Sink& sink);

    // Plot units of a VDC value.
    static double plot_units(int vdc) { return (vdc + 32767) * 0.5; }

private:
    class Parameters;
    template <typename Visit>
    Result walk(Visit&& visit);

    void restart();
    bool next_byte(std::uint8_t& byte);
    bool next_word(std::uint16_t& word);

    std::FILE* file_;
    // Words are read in blocks of 40.
    std::uint8_t block_[80] = {};
    std::size_t block_length_ = 0;
    std::size_t block_at_ = 0;
};

}  // namespace korvan
