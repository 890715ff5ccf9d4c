// The 3-D box axis system: GRAF3D with the viewpoint rules, VIEW3D, AXIS3D,
// the box axes with ticks, labels and names, and the 3-D conversion functions.
#pragma once

#include <string_view>

namespace korvan {

void graf3d(double xa, double xe, double xor_, double xstep, double ya, double ye, double yor, double ystep,
            double za, double ze, double zor, double zstep);
void view3d(double x, double y, double z, std::string_view option);
void axis3d(double x, double y, double z);
// The box axes leave out their first label where they start at a corner
// shared with another box axis; after FLAB3D they draw it there too.
void flab3d();

// User coordinates to box coordinates.
double x3dpos(double x, double y, double z);
double y3dpos(double x, double y, double z);
double z3dpos(double x, double y, double z);
// Box coordinates to plot coordinates.
double x3dabs(double x, double y, double z);
double y3dabs(double x, double y, double z);
// User coordinates to plot coordinates.
double x3drel(double x, double y, double z);
double y3drel(double x, double y, double z);

// Internal: true at level 3 inside GRAF3D (warnings 3 and 35 otherwise).
bool box_system_ready(const char* routine);

}  // namespace korvan
