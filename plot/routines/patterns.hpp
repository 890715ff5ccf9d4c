// Shading patterns (SHDPAT, MYPAT) and the filling of areas with the current
// pattern: hatch lines at the pattern's angle and distance, in groups, dotted
// or crossed, through the scan-line filler.
#pragma once

#include <span>
#include <vector>

#include "plot/routines/fill.hpp"

namespace korvan {

struct ClipRect;

void shdpat(int n);
void mypat(int iang, int itype, int idens, int icross);
int getpat();
// NOFILL: the areas the library fills (shaded contours and surfaces, pies,
// bars, filled figures) get their outlines only; RESET("NOFILL") ends it.
void nofill();

// Makes SHDPAT number n (n >= 0) the current pattern, without SHDPAT's level check.
void select_pattern(int n);

// The pattern code of SHDPAT number n (n >= 0).
int pattern_code(int n);

// Whether SHDPAT number n gives a pattern: false, with warning 2 naming the
// number or the part of its code that is out of range, when not.
bool pattern_fits(int n);

// The current pattern, put back at the end of the scope.
class KeptPattern {
public:
    KeptPattern();
    ~KeptPattern();
    KeptPattern(const KeptPattern&) = delete;
    KeptPattern& operator=(const KeptPattern&) = delete;

private:
    int number_;
    int code_;
};

// Hatch lines of a pattern type and density: the line distance, and the
// drawn lines and skipped lines of each group (skipped 0: every line).
struct HatchLines {
    double distance = 0;  // 0: no filling
    int drawn = 1;
    int skipped = 0;
};
HatchLines hatch_lines(int type, int density);

// Fills a polygon in plot coordinates with the current pattern in the current
// colour, cut to the clipping rectangle when one is given; afterwards the line
// style is solid. False when the filler gave up (warning 26).
bool fill_area(std::span<const FillPoint> polygon, const ClipRect* clip);

// Fills several rings together by the even-odd rule (a ring within another
// leaves a hole), with at most max_crossings crossings on a fill line.
bool fill_rings(std::span<const std::vector<FillPoint>> rings, const ClipRect* clip, int max_crossings);

// fill_area for figures drawn in the user's line style: the line style and
// its phase are the same afterwards.
bool fill_area_keeping_line_style(std::span<const FillPoint> polygon, const ClipRect* clip);

// Fills a polygon solidly in the current colour: by the device where it fills
// areas itself, otherwise with lines `distance` apart.
bool fill_solid(std::span<const FillPoint> polygon, const ClipRect* clip, double distance = 1.0);
// The outline that stands for a filled area while NOFILL is on; false when
// areas are filled.
bool outline_instead_of_fill(std::span<const FillPoint> polygon, const ClipRect* clip);

// Whether the output device fills polygons itself (the paper formats).
bool device_fills_areas();

}  // namespace korvan
