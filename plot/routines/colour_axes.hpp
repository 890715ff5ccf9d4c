// Colour axis systems: GRAF3 with its Z colour bar, ZSCALE, the colour bar
// settings and the colour of a Z value.
#pragma once

namespace korvan {

void graf3(double xa, double xe, double xor_, double xstep, double ya, double ye, double yor, double ystep, double za,
           double ze, double zor, double zstep);
void zscale(double zmin, double zmax);
void nobar();
void vkxbar(int n);
void vkybar(int n);
void widbar(int n);
// GETWID: the width of the colour bar (WIDBAR).
int getwid();

// The colour index of a Z value under the Z axis of the open 3-level axis
// system (level 3 only).
int nzposn(double z);

// Internal: completes and checks the values of one axis of GRAF3 or GRAF3D
// (automatic scaling, warnings 9, 10, 12, 50, 23, 24); false when rejected.
bool complete_axis(int axis, double values[4], int length);

}  // namespace korvan
