// The plot state: the library's one process-wide record, reached through state().
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "plot/kernel/attributes.hpp"
#include "plot/kernel/base_transform.hpp"
#include "plot/kernel/binary_file_table.hpp"
#include "plot/kernel/curve_state.hpp"
#include "plot/kernel/figure_state.hpp"
#include "plot/kernel/image_settings.hpp"
#include "plot/kernel/map_state.hpp"
#include "plot/kernel/plane_transform.hpp"
#include "plot/kernel/postscript.hpp"
#include "plot/kernel/record_file.hpp"
#include "plot/kernel/shading_state.hpp"
#include "plot/kernel/shield_state.hpp"

namespace korvan {

class Device;

// Device code classes.
inline constexpr int dev_gksvan = 201;
inline constexpr int dev_cgm = 211;

struct PlotState {
    PlotState();
    ~PlotState();
    PlotState(PlotState&&) noexcept;
    PlotState& operator=(PlotState&&) noexcept;

    bool initialised = false;  // first-use defaults applied

    // Levels and the page.
    int level = 0;
    int device_code = 0;
    bool device_chosen = false;
    int page_width = 0;   // page width in plot coordinates minus one
    int page_height = 0;  // page height minus one
    char page_format[5] = {};
    char file_format[5] = {};
    int page_mode = 0;     // 0 landscape, 1 portrait, 2 none
    float scaling_factor = 0.0f;
    int scaling_mode = 0;  // 0 DOWN, 1 FULL, 2 NONE
    bool hw_page = false;
    int hw_width = 0;
    int hw_height = 0;
    double device_scale = 0.0;
    int origin_x = 0;
    int origin_y = 0;

    // File naming.
    std::string output_file;
    std::string saved_file;
    int setfil_state = 0;  // 0 none, 1 name just given, 2 name kept
    int file_mode = 0;     // 0 COUNT, 1 DELETE, 2 BREAK
    int closed_flag = 0;   // 0 after KORINI, 1 after KORFIN, -1 file deleted by SYMFIL
    bool output_failed = false;  // the plot file could not be created or written completely

    // Messages.
    int message_unit = 0;               // 0 off, 6 text output, 15 error file
    std::FILE* message_stream = nullptr;  // nullptr: text output; else the open error file
    bool error_file_flag = false;       // set by the window driver when there is no text window
    bool window_ready = false;          // set by the window driver's start
    std::string error_file_name;
    bool error_file_written = false;
    const char* routine_name = "";
    std::string warning_text;  // text of the warning being printed (caller-set above 100)
    long vector_count = 0;
    int warning_count = 0;

    // Screen settings.
    int screen_mode = 0;   // 0 ERAS, 1 NOER, 2 REVE
    int window_mode = 0;   // 0 FULL, 1 NOER, 2 NONE
    int window_flag = 0;   // 1 WINDOW, 2 WINSIZ
    int window_x = 0;
    int window_y = 0;
    int window_w = 0;
    int window_h = 0;
    int backing_store = 0;  // 0 STOR, 1 NOST
    int colour_reduction = 0;  // CLRMOD: 0 NONE, 1 FULL, 2 CONT

    // Colours: the table is filled by the colour-table routines.
    int current_colour = 0;
    int colour_table_index = 0;  // 0 SMAL, 1 RAIN, 2 SPEC, 3 GREY, 4 RRAI, 5 RSPE, 6 RGRE, 7 VGA
    int foreground = 255;
    std::array<std::uint32_t, 256> colour_table{};
    ColourAttributes colours;

    // Text, numbers and the axis system.
    TextAttributes text;
    AxisAttributes axes;

    // Curves, symbols, splines and legends.
    CurveAttributes curves;
    LegendAttributes legend;

    // Colour axes, contours, shading, bars, 3-D boxes and surfaces.
    ShadingAttributes shading;

    // Map projections.
    MapAttributes maps;

    // Lines, areas, rectangles, circles and arcs drawn in plot coordinates.
    FigureAttributes figures;
    FigurePen figure_pen;

    // PostScript: HWORIG, line width and font.
    PostScriptSettings postscript;

    float cgm_page_offset = 0.0f;

    // Pixel access and the placing of TIFF images.
    ImageSettings image;

    // Default axis system of the page.
    int axis_length_x = 0;
    int axis_length_y = 0;
    int axis_pos_x = 0;
    int axis_pos_y = 0;

    // Inclusion of plot files.
    int filbox_x = 0;
    int filbox_y = 0;
    int filbox_w = 0;  // 0: the whole page
    int filbox_h = 0;
    bool filclr_none = false;

    // Shielded regions and the vector primitive's pen.
    ShieldState shields;
    // TRFSHF, TRFSCL, TRFROT: applied to every point sent to the device.
    BaseTransform base_transform;
    // GRFINI to GRFFIN: the page carried onto a plane of the 3-D box (before
    // the base transformation), and the box system kept meanwhile.
    PlaneTransform plane;
    AxisAttributes plane_kept_axes;
    ShadingAttributes plane_kept_shading;
    // The page of the plot: 1 after KORINI, one more with every NEWPAG (PAGHDR).
    int page_number = 1;

    // Binary files of the script (OPENFL ...), open across plots.
    BinaryFileTable binary_files;

    // The open output.
    RecordFile out;
    std::unique_ptr<Device> device;
};

// The plot state of the process.
PlotState& state();

// Back to the zero state of program start (for tests); closes open files.
void reset_state_for_tests();

// Called by the window driver: started (window ready) and whether a text window exists.
void host_window_state(bool started, bool output_window);

}  // namespace korvan
