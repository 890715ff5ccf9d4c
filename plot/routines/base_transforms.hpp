// The base transformation of the page: TRFSHF, TRFSCL and TRFROT move every
// following line, text and symbol of the plot on the page, whatever routine
// draws it; each call adds its step after the ones before, TRFRES removes
// them all, and KORINI starts without any. Filled rectangles that a device
// draws as one area (RECFLL on the screen, PostScript and Kyocera) take the
// shift and scaling of their corners but stay upright. Shielded regions lie
// in untransformed plot coordinates and move with the drawing.
#pragma once

namespace korvan {

// Shifts by (nx, ny) plot units.
void trfshf(int nx, int ny);
// Scales by xscl and yscl about the page's origin (the upper left corner);
// factors must not be 0 (warning 2).
void trfscl(double xscl, double yscl);
// Turns by angle degrees counter-clockwise about the plot point (nx, ny).
void trfrot(double angle, int nx, int ny);
// Removes the base transformation.
void trfres();

}  // namespace korvan
