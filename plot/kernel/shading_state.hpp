// The attributes of colour axes, contours, shading patterns, bars, 3-D boxes
// and surfaces, and the open 3-D axis systems. Defaults are those of the
// attribute reset.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "plot/kernel/attributes.hpp"

namespace korvan {

struct PlotState;

inline constexpr int conlab_limit = 20;  // characters of a CONLAB text

struct ShadingAttributes {
    bool no_fill = false;  // NOFILL: areas get their outlines only
    // Shading pattern: the SHDPAT number kept for the legends and the hatch
    // parameters of its code.
    int pattern = 0;
    int pattern_code = 0;
    int hatch_angle = 0;    // degrees, counter-clockwise
    int hatch_type = 0;     // 0 none, 1..5
    int hatch_density = 0;  // 0..9
    int hatch_cross = 0;    // 1: a second direction at right angles

    int contour_mode = 0;   // SHDMOD "CONTOUR": 0 CELL, 1 POLY
    int surface_mode = 0;   // SHDMOD "SURFACE": 0 NONE, 1 INTE, 2 GOUR, 3 PHON

    bool zscale_on = false;  // ZSCALE
    double zscale_min = 0;
    double zscale_max = 1;

    // Contour labels.
    std::string contour_text;   // CONLAB
    int contour_labels = 0;     // LABELS(.., "CON"): 0 NONE, 1 FLOA, 2 CONL
    int contour_digits = 1;     // DIGITS(.., "CON")
    int contour_spacing = 500;  // LABDIS(.., "CON")
    double contour_gap = 0.5;        // CONGAP: label gap in character heights
    double contour_frequency = 1.0;  // CONMOD: labels per LABDIS distance
    double contour_room = 2.0;       // CONMOD: shortest labelled line in label lengths
    int contour_count = 0;      // contours drawn in the axis system

    // The smoothing of matrices made from scattered points (MDFMAT).
    int matrix_iterations = 4;
    int matrix_step = 1;
    double matrix_weight = 2.0;

    // Bars.
    int bar_type = 0;        // 0 VERT, 1 HORI
    int bar_position = 0;    // 0 NONE, 1 TICK, 2 AXIS, 3 BOTH
    int bar_group = 1;       // BARGRP: bars side by side
    double bar_gap = 0;      // gap between them in bar widths
    int bar_in_group = 0;    // the bar of the group the next BARS call draws
    int bar_labels = 0;      // 0 NONE, 1 SECO, 2 FIRS, 3 MAXI, 4 MINI, 5 DELT, 6 POSI
    int bar_digits = 1;

    // The colour bar of GRAF3.
    bool colour_bar = true;  // NOBAR switches it off
    int bar_shift_x = 85;    // VKXBAR: distance from the axis system
    int bar_shift_y = 0;     // VKYBAR: upward shift
    int bar_width = 85;      // WIDBAR

    // 3-D box and viewpoint.
    std::array<double, 3> box{2, 2, 2};  // AXIS3D
    int view_mode = 0;                   // 0 default, 1 ABS, 2 USER, 3 ANGL
    std::array<double, 3> view{};
    bool corner_labels = false;  // FLAB3D: first labels also where box axes meet
    bool hidden_lines = true;    // NOHIDE: mesh surfaces keep their hidden lines

    // Surfaces.
    int surface_visibility = 0;  // SURVIS: 0 BOTH, 1 TOP, 2 BOTT
    bool surface_colours = false;
    int surface_top = -1;        // SURCLR; -1 the current colour
    int surface_bottom = -1;
    bool surface_size = false;   // SURSZE
    std::array<double, 4> surface_range{};

    // The rectangles of CURVE3: by default as large as the symbol height;
    // SETRES gives their size in plot units, AUTRES the number of points
    // along each axis, so that they tile the axis system.
    int point_size_mode = 0;  // 0 symbol height, 1 SETRES, 2 AUTRES
    int point_x = 0;          // SETRES width or AUTRES count along X
    int point_y = 0;

    // The open 3-level axis system: 1 GRAF3 (colour axis), 2 GRAF3D (box).
    int system = 0;
    AxisTransform z;  // the Z axis of either system
    std::array<AxisTransform, 3> box_axis{};        // user to box: start, end, log per axis
    // The projection: viewpoint, screen axes and placement.
    std::array<double, 3> eye{};
    std::array<double, 3> right{};
    std::array<double, 3> up{};
    double eye_distance = 1;
    double centre_x = 0;
    double centre_y = 0;
    double scale = 1;
};

// The attribute reset of these attributes ("ALL " or a RESET key).
void reset_shading_attributes(PlotState& s, std::string_view key);

}  // namespace korvan
