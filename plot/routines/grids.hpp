// Grid lines in the open axis system.
#pragma once

namespace korvan {

// ix grid lines per label interval of the X axis (0: none), iy of the Y axis.
// On a logarithmic axis whose labels stand at every decade, 1 gives a line
// at every decade and 2 or more adds lines at 2 to 9 times each power of ten.
void grid(int ix, int iy);

}  // namespace korvan
