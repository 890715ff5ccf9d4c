// Plot symbols: SYMBOL, SYMROT and the symbol drawing of curves and legends.
#pragma once

namespace korvan {

inline constexpr int symbol_count = 22;  // symbols 0..21

void symbol(int nsym, int nx, int ny);
// SYMBOL at a user point of the axis system.
void rlsymb(int nsym, double x, double y);
void symrot(double angle);

// Draws symbol n (0..21) centred on the plot point (x, y), `height` high, in
// the current colour and the symbol angle; solid lines, cut to the clipping
// rectangle when one is given.
struct ClipRect;
void draw_symbol(int n, double x, double y, double height, const ClipRect* clip);

}  // namespace korvan
