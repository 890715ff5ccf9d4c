// Playing a PostScript file written by the library back through the plotting
// kernel: its paths, colours, filled rectangles and ring sectors, hardware
// texts and characters, line widths and pages.
#pragma once

#include <cstdio>
#include <string>

#include "plot/kernel/colour_tables.hpp"

namespace korvan::conv {

// The page of a library PostScript file, read from its comment lines.
struct PostScriptPage {
    bool turned = false;       // "L" in the creator line
    double drawing_width = 0;  // the drawing in plot units of the playback (device units x 0.5)
    double drawing_height = 0;
    double width = 0;  // the page: the drawing rounded up to whole millimetres
    double height = 0;
    // The drawing is on white paper: the body does not begin by painting the
    // page black (written for a reversed screen, or in black and white).
    bool white_paper = false;
};

// Whether the third line is the library's creator line.
bool created_by_korvan(std::FILE* in);

// The page from the bounding box, the creator line and the factor of the
// placement line; false when the box is missing or empty.
bool read_postscript_page(std::FILE* in, PostScriptPage& page);

// The pages to draw: from first_page (1 = the first), count pages (0 = all).
struct PageSelection {
    int first_page = 1;
    int count = 0;
};

// The raster picture a file holds (a screen or raster written as PostScript):
// its size in pixels, 0 when there is none.
struct PostScriptImage {
    int width = 0;
    int height = 0;
};

// Replays the body (everything after the placement line, the whole file for
// a picture) onto the open plot; a picture's pixels go one to one into the
// target's pixels. Returns what a line or word too long to be read left
// unread, empty when the whole file was read.
std::string play_postscript(std::FILE* in, const PostScriptPage& page, const PageSelection& pages,
                            const PostScriptImage& image);

// The colour table of the target as the file's colours were chosen from it:
// background and foreground exchanged when the file's paper and the target's
// differ, so that the file's paper colour becomes the target's background.
ColourTable file_palette(bool white_paper);

// The entry of a colour table nearest to red, green and blue (0-255).
int nearest_colour(const ColourTable& palette, double r, double g, double b);

}  // namespace korvan::conv
