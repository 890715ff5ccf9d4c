// Drawing on a plane of the 3-D box: between GRFINI and GRFFIN the page is
// carried onto a plane through three user points of the GRAF3D box, so 2-D
// axis systems, curves, texts and shadings appear on a side of the box or on
// any plane through it.
#pragma once

namespace korvan {

// The plane through the user points (x1, y1, z1), (x2, y2, z2), (x3, y3, z3)
// of the box takes the rectangle of the next axis system (AXSPOS, AXSLEN, at
// the time of the call): its lower left corner falls on the first point, its
// lower right corner on the second, its upper right corner on the third, and
// the upper left corner on the fourth corner of the parallelogram. Every
// point drawn meanwhile, also outside that rectangle, is carried onto the
// plane the same way and projected with the view of the box; texts are
// drawn with the stroke fonts. Level 3 inside GRAF3D; the level drops to 1,
// so GRAF, ENDGRF and the 2-D routines work as on the page.
void grfini(double x1, double y1, double z1, double x2, double y2, double z2, double x3, double y3, double z3);
// Ends the plane: drawing lands on the page again and the 3-D box system is
// open as before GRFINI (level 3). Level 1 after GRFINI; warning 34 without.
void grffin();

}  // namespace korvan
