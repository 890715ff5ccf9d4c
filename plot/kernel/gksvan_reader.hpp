// Reading a GKSVAN metafile back: the header and the playback of its fields.
// Used by INCFIL and by the converter.
#pragma once

#include <cstdio>
#include <string>

#include "plat/line_reader.hpp"

namespace korvan {

class GksvanReader {
public:
    // What the playback delivers.
    class Sink {
    public:
        virtual ~Sink() = default;
        // A point in metafile coordinates (0..1, origin lower left), drawn or moved to.
        virtual void point(double x, double y, bool draw) = 0;
        // A colour index 0..255.
        virtual void colour(int index) = 0;
    };

    enum class Result { complete, incomplete };

    // Reads from an open file positioned at its start; the file stays the caller's.
    explicit GksvanReader(std::FILE* file) : lines_(file) {}

    // Reads the header line: the page width and height in plot coordinates.
    // False when it is missing or does not hold two positive sizes that are
    // finite in plot coordinates.
    bool read_header(double& width, double& height);

    // Plays the body until the end field or the end of the file.
    Result play(Sink& sink);

    // A line too long to be read ended the reading; refusal() says which.
    bool refused() const { return lines_.refused(); }
    std::string refusal() const { return lines_.refusal(); }

    // The integer part of a field by its first two characters; -1 when the
    // field is not a number of the metafile.
    static int field_kind(const char* field);
    // The value of a coordinate field; false when it is malformed.
    static bool coordinate_value(const char* field, int kind, double& value);

private:
    // Reads one line of at most 80 characters (a longer line's rest is skipped).
    bool read_line(char* line, int& length);

    plat::LineReader lines_;
    std::string text_;
};

}  // namespace korvan
