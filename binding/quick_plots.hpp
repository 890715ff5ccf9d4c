// The nine quick-plot statements PLOT, SCATTR, PLOT3, PLOT3R, SURFACE,
// SURSHADE, SURF3, CONTOUR and CONSHADE: one line draws a whole plot.
#pragma once

namespace korvan::binding {

// Installs the quick-plot statements into the interpreter's keyword table and
// the hook that applies a "%" variable when the script assigns it.
void install_quick_plots();

// Forgets the quick-plot scaling memory (a new run; for tests).
void reset_quick_plot_memory();

}  // namespace korvan::binding
