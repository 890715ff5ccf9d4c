// Renders a GKSVAN metafile into a picture: a small rasteriser for tests and
// for looking at plots (tools/gksvan_png). Lines are drawn one pixel wide in the
// colours of a colour table; on paper (the default) the background is white and
// white ink is drawn black.
#pragma once

#include <cstdint>
#include <string>

#include "plat/graphics.hpp"
#include "plot/kernel/colour_tables.hpp"

namespace korvan::test {

struct RasterOptions {
    int width = 1485;  // pixels across the page
    bool paper = true;
    ColourTable table = rainbow_colours();
};

struct RasterResult {
    bool ok = false;          // the header was read
    bool complete = false;    // the end field was reached
    long points = 0;
    long colour_changes = 0;
};

RasterResult render_gksvan(const std::string& file, plat::Picture& picture, const RasterOptions& options);

// Pixels that differ from the background colour, within a box (x0, y0 inclusive,
// x1, y1 exclusive; clipped to the picture).
long ink_pixels(const plat::Picture& picture, int x0, int y0, int x1, int y1, std::uint32_t background = 0xFFFFFF);

// Pixels of exactly one colour (0xRRGGBB).
long colour_pixels(const plat::Picture& picture, std::uint32_t rgb);

}  // namespace korvan::test
