// The colour routines: the colour table of the plot state, colour selection by
// index and name, the colour range and cycle, value-to-colour mapping and the
// HSV/RGB conversions.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "plot/kernel/colour_tables.hpp"

namespace korvan {

void setvlt(std::string_view name);
void myvlt(std::span<const float> red, std::span<const float> green, std::span<const float> blue, int n);
void setind(int index, double red, double green, double blue);
void getind(int index, double& red, double& green, double& blue);
std::string getvlt();
void color(std::string_view name);
void setclr(int index);
int getclr();
void revscr();
void colran(int first, int last);
// The colour range of COLRAN.
void getran(int& first, int& last);
void clrcyc(int index, int colour);
void colray(std::span<const float> values, std::span<int> colours, int n);
void hsvrgb(double h, double s, double v, double& r, double& g, double& b);
void rgbhsv(double r, double g, double b, double& h, double& s, double& v);

// Internal operations of the drawing routines.
// Loads a named table as SETVLT does, without the level check.
void load_named_colour_table(ColourTableName name);
// Whether tables are loaded with the background and foreground colours
// exchanged on the device in force (reversed screen mode, paper formats).
bool colour_table_reversed();
// The colour scaling of the value mapping from a colour axis (start and end in
// axis units, exponents when logarithmic), with the current colour range.
void set_colour_scaling(double axis_start, double axis_end, bool logarithmic);
// The colour index of a value under the current colour scaling.
int colour_of_value(double value);
// Automatic curve colour j (1..30).
int cycle_colour(int j);

}  // namespace korvan
