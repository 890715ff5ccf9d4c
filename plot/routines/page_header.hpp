// PAGHDR: a header line of the page with texts, date, time and page number.
#pragma once

#include <string_view>

namespace korvan {

// Writes "<cstr1><dd.mm.yy>  <hh:mm:ss>  Page <n><cstr2>" (local date and time
// of the call, n the page of the plot: 1 after KORINI, one more with every
// NEWPAG) in the current height and font, 40 plot units from the two page
// edges of a corner: iopt 1 lower left, 2 lower right, 3 upper right, 4 upper
// left. idir 0 writes it horizontally, 1 upward along the page's side edge.
// The ORIGIN shift does not apply. Levels 1 to 3; a bad iopt or idir gives
// warning 2.
void paghdr(std::string_view cstr1, std::string_view cstr2, int iopt, int idir);

}  // namespace korvan
