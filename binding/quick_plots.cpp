#include "binding/quick_plots.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "binding/binding_state.hpp"
#include "binding/system_variable_application.hpp"
#include "interp/eval_stack.hpp"
#include "interp/executor_hooks.hpp"
#include "interp/front_end.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/system_variables.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"
#include "plot/kernel/colours.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/axis_frames.hpp"
#include "plot/routines/clipping.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/colour_points.hpp"
#include "plot/routines/contours.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/fill.hpp"
#include "plot/routines/shading.hpp"
#include "plot/routines/surfaces.hpp"
#include "plot/routines/symbols.hpp"
#include "plot/routines/text.hpp"

namespace korvan::binding {

using namespace korvan::kfl;

namespace {

// Per axis: the start, end, first label and step handed to GRAF, GRAF3 or
// GRAF3D, kept from one quick plot to the next.
struct AxisMemory {
    double start = 0.0;
    double end = 0.0;
    double first = 0.0;
    double step = 0.0;
};
AxisMemory memory[3];

constexpr char axis_letters[] = "XYZ";

using Floats = std::span<const float>;

struct Range {
    double low = 0.0;
    double high = 0.0;
};

Range range_of(Floats a, Range r, bool first)
{
    for (float v : a) {
        if (first) {
            r = {v, v};
            first = false;
        }
        r.low = std::min<double>(r.low, v);
        r.high = std::max<double>(r.high, v);
    }
    return r;
}

Range range_of(Floats a) { return range_of(a, {}, true); }

// The evaluated arguments of the statement in progress.
struct Arguments {
    int count = 0;
    // The value an argument stands for; nullptr for an undefined name.
    Value* at(int i) const
    {
        Value& r = stack_at(i);
        if (r.type != T_REF)
            return &r;
        if (r.slot.ref < 0)
            return nullptr;
        Value& v = variable(r.slot.ref);
        return v.type == T_FREE ? nullptr : &v;
    }
    std::string_view name(int i) const { return name_of(stack_at(i)); }
    // Reports an undefined name; true when the argument is defined.
    bool defined(int i) const
    {
        if (at(i) != nullptr)
            return true;
        report("Undefined identifier", name(i));
        return false;
    }
    bool float_array(int i) const { return at(i) != nullptr && at(i)->type == T_FLOAT_ARRAY; }
    Floats floats(int i) const
    {
        Value* v = at(i);
        return {static_cast<const float*>(v->slot.block), static_cast<std::size_t>(v->count)};
    }
};

bool evaluate_operands(std::string_view operands, Arguments& args)
{
    reset_tokenizer(operands);
    next_token();
    if (!evaluate_list(1, args.count)) {
        pop_to(0);
        return false;
    }
    return true;
}

void refuse(const std::string& message)
{
    report(message);
    pop_to(0);
}

// Looks a "%" variable up as DOUBLE (an INT or FLOAT is converted in place);
// another type is reported and counts as absent.
bool double_variable(const std::string& name, double& out)
{
    int index = find_variable(name);
    if (index < 0)
        return false;
    Value& v = variable(index);
    if (v.type == T_INT || v.type == T_FLOAT) {
        v.slot.f64 = v.type == T_INT ? static_cast<double>(v.slot.i32) : static_cast<double>(v.slot.f32);
        v.type = T_DOUBLE;
    }
    if (v.type != T_DOUBLE) {
        report("Variable " + name + " must be of type DOUBLE");
        return false;
    }
    out = v.slot.f64;
    return true;
}

// An INT "%" variable: absent (or of another type, reported) gives false.
bool int_variable(const std::string& name, int& out)
{
    int index = find_variable(name);
    if (index < 0)
        return false;
    const Value& v = variable(index);
    if (v.type != T_INT) {
        report("Variable " + name + " must be of type INT");
        return false;
    }
    out = v.slot.i32;
    return true;
}

void page_setup()
{
    if (state().level != 0) {
        int erase_flag = 1;
        if (!int_variable("%ERASE", erase_flag) || erase_flag == 1)
            erase();
        reset("setscl");
    } else {
        const StartupOptions& options = front_end().options;
        if (!metafl_flag()) {
            if (options.device_given) {
                metafl(options.startup_device);
                set_metafl_flag();
            } else {
                metafl("xwin");
            }
        }
        korini();
        complx();
        nochek();
    }
    if (state().level > 1)
        endgrf();
    pagera();
}

void set_scale(Range r, char axis)
{
    const float values[2] = {static_cast<float>(r.low), static_cast<float>(r.high)};
    setscl(values, 2, std::string_view(&axis, 1));
}

void axis_range(int axis, Range data)
{
    char letter = axis_letters[axis];
    std::string prefix = std::string("%") + letter;
    int automatic = 0;
    if (int_variable(prefix + "AUTO", automatic) && automatic != 0) {
        set_scale(data, letter);
        return;
    }
    int scalings[3] = {0, 0, 0};
    getscl(scalings[0], scalings[1], scalings[2]);
    double low = 0.0, high = 0.0, first = 0.0, step = 0.0;
    bool has_low = double_variable(prefix + "MIN", low);
    bool has_high = double_variable(prefix + "MAX", high);
    bool has_first = double_variable(prefix + "OR", first);
    bool has_step = double_variable(prefix + "STEP", step);
    if (has_low && has_high && has_first && has_step) {
        memory[axis] = {low, high, first, step};
        return;
    }
    if (has_low && has_high) {
        if (scalings[axis] == 1) {
            low = std::pow(10.0, low);
            high = std::pow(10.0, high);
        }
        set_scale({low, high}, letter);
        return;
    }
    set_scale(data, letter);
}

void graf_from_memory()
{
    graf(memory[0].start, memory[0].end, memory[0].first, memory[0].step, memory[1].start, memory[1].end,
         memory[1].first, memory[1].step);
}

void graf3_from_memory()
{
    graf3(memory[0].start, memory[0].end, memory[0].first, memory[0].step, memory[1].start, memory[1].end,
          memory[1].first, memory[1].step, memory[2].start, memory[2].end, memory[2].first, memory[2].step);
}

void flush()
{
    sendbf();
    pop_to(0);
}

// PLOT and SCATTR: pairs of equally long FLOAT arrays.
void curve_plot(std::string_view operands, bool scatter)
{
    Arguments args;
    if (!evaluate_operands(operands, args))
        return;
    if (args.count == 0 || args.count % 2 != 0)
        return refuse("Missing parameters in PLOT");
    for (int i = 0; i < args.count; ++i) {
        if (!args.defined(i))
            return pop_to(0);
        if (!args.float_array(i))
            return refuse("Parameters in PLOT must be floatingpoint arrays");
    }
    for (int i = 0; i < args.count; i += 2) {
        if (args.at(i)->count != args.at(i + 1)->count)
            return refuse("Mismatch of arry sizes in PLOT");
    }
    page_setup();
    if (scatter) {
        incmrk(-1);
        marker(3);
        hsymbl(10);
    } else {
        incmrk(0);
    }
    apply_system_variables(-1);
    Range xr, yr;
    for (int i = 0; i < args.count; i += 2) {
        xr = range_of(args.floats(i), xr, i == 0);
        yr = range_of(args.floats(i + 1), yr, i == 0);
    }
    axis_range(0, xr);
    axis_range(1, yr);
    graf_from_memory();
    title();
    for (int i = 0; i < args.count; i += 2) {
        int n = args.at(i)->count;
        if (scatter && n == 0)
            continue;
        curve(args.floats(i), args.floats(i + 1), n);
    }
    flush();
}

void plot_statement(std::string_view operands) { curve_plot(operands, false); }
void scattr_statement(std::string_view operands) { curve_plot(operands, true); }

// Checks of PLOT3 and PLOT3R: an exact number of equally long FLOAT arrays.
bool colour_arguments(const Arguments& args, int wanted, const std::string& statement)
{
    if (args.count != wanted) {
        refuse("Illegal number of parameters in " + statement);
        return false;
    }
    for (int i = 0; i < args.count; ++i) {
        if (!args.defined(i)) {
            pop_to(0);
            return false;
        }
        if (!args.float_array(i)) {
            refuse("Parameters in " + statement + " must be floatingpoint arrays");
            return false;
        }
        if (args.at(i)->count != args.at(0)->count) {
            refuse("Mismatch of array sizes in " + statement);
            return false;
        }
    }
    return true;
}

// A rectangle of plot coordinates filled in the colour of z on the colour bar.
void colour_rectangle(double x, double y, double w, double h, double z)
{
    setclr(nzposn(z));
    fill_rectangle(x, y, w, h);
}

// PLOT3 X, Y, Z: points in the colours of their Z values.
void plot3_statement(std::string_view operands)
{
    Arguments args;
    if (!evaluate_operands(operands, args) || !colour_arguments(args, 3, "PLOT3"))
        return;
    page_setup();
    apply_system_variables(-1);
    for (int a = 0; a < 3; ++a)
        axis_range(a, range_of(args.floats(a)));
    graf3_from_memory();
    title();
    if (state().level == 3)
        curve3(args.floats(0), args.floats(1), args.floats(2), args.at(0)->count);
    flush();
}

// PLOT3R X1, Y1, X2, Y2, Z: rectangles in the colours of their Z values.
void plot3r_statement(std::string_view operands)
{
    Arguments args;
    if (!evaluate_operands(operands, args) || !colour_arguments(args, 5, "PLOT3R"))
        return;
    page_setup();
    apply_system_variables(-1);
    Floats x1 = args.floats(0), y1 = args.floats(1), x2 = args.floats(2), y2 = args.floats(3),
           z = args.floats(4);
    axis_range(0, range_of(x2, range_of(x1), x1.empty()));
    axis_range(1, range_of(y2, range_of(y1), y1.empty()));
    axis_range(2, range_of(z));
    graf3_from_memory();
    title();
    if (state().level == 3) {
        clpbor("axis");
        int saved = getclr();
        for (std::size_t i = 0; i < z.size(); ++i) {
            int ax = nxposn(x1[i]), bx = nxposn(x2[i]);
            int ay = nyposn(y1[i]), by = nyposn(y2[i]);
            colour_rectangle(std::min(ax, bx), std::min(ay, by), std::abs(bx - ax) + 1, std::abs(by - ay) + 1, z[i]);
        }
        setclr(saved);
        clpbor("page");
        box2d();
    }
    flush();
}

// The matrix of SURFACE, SURSHADE, SURF3, CONTOUR and CONSHADE.
bool matrix_argument(const Arguments& args, const std::string& statement, int& nx, int& ny)
{
    if (args.count == 0) {
        refuse("Missing parameters in " + statement);
        return false;
    }
    if (!args.defined(0)) {
        pop_to(0);
        return false;
    }
    Value* z = args.at(0);
    if (z->dims != 2) {
        refuse("A two-dimensional array must be passed to " + statement);
        return false;
    }
    if (z->type != T_FLOAT_ARRAY) {
        refuse("Parameter 1 must be a floatingpoint array in " + statement);
        return false;
    }
    nx = dimension_size(*z, 0);
    ny = dimension_size(*z, 1);
    return true;
}

// A coordinate array argument of n elements (position 1 or 2, or its
// generated values i + offset when absent).
bool coordinate_argument(const Arguments& args, int pos, int n, double offset, const std::string& statement,
                         std::vector<float>& generated, Floats& out)
{
    if (pos < args.count) {
        if (!args.defined(pos)) {
            pop_to(0);
            return false;
        }
        if (!args.float_array(pos)) {
            refuse("Parameter " + std::to_string(pos + 1) + " must be a floatingpoint array in " + statement);
            return false;
        }
        if (args.at(pos)->count != n) {
            refuse("Dimension mismatch in " + statement);
            return false;
        }
        out = args.floats(pos);
        return true;
    }
    generated.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        generated[static_cast<std::size_t>(i)] = static_cast<float>(i + offset);
    out = generated;
    return true;
}

// SURFACE, SURSHADE and SURF3.
void surface_plot(std::string_view operands, const std::string& statement)
{
    Arguments args;
    if (!evaluate_operands(operands, args))
        return;
    int nx = 0, ny = 0;
    if (!matrix_argument(args, statement, nx, ny))
        return;
    bool cells = statement == "SURF3";
    double offset = cells ? 0.5 : 0.0;
    std::vector<float> gx, gy;
    Floats x, y;
    if (!coordinate_argument(args, 1, nx, offset, statement, gx, x) ||
        !coordinate_argument(args, 2, ny, offset, statement, gy, y))
        return;
    Floats z = args.floats(0);
    auto extent = [cells](Floats a) {
        Range r{a.front(), a.back()};
        if (cells) {
            double h = a.size() > 1 ? (a[1] - a[0]) / 2.0 : 0.0;
            r.low -= h;
            r.high += h;
        }
        return r;
    };
    page_setup();
    apply_system_variables(-1);
    axis_range(0, extent(x));
    axis_range(1, extent(y));
    axis_range(2, range_of(z));
    if (!cells) {
        noclip();
        graf3d(memory[0].start, memory[0].end, memory[0].first, memory[0].step, memory[1].start, memory[1].end,
               memory[1].first, memory[1].step, memory[2].start, memory[2].end, memory[2].first, memory[2].step);
        title();
        if (statement == "SURFACE")
            surfce(x, nx, y, ny, z);
        else
            surshd(x, nx, y, ny, z);
        reset("noclip");
    } else {
        graf3_from_memory();
        title();
        if (state().level == 3) {
            int saved = getclr();
            noclip();
            for (int i = 0; i < nx; ++i) {
                int k = i + 1 < nx ? i + 1 : std::max(i - 1, 0);
                double w = std::abs(xposn(x[static_cast<std::size_t>(k)]) - xposn(x[static_cast<std::size_t>(i)])) + 1;
                for (int j = 0; j < ny; ++j) {
                    int l = j + 1 < ny ? j + 1 : std::max(j - 1, 0);
                    double h =
                        std::abs(yposn(y[static_cast<std::size_t>(l)]) - yposn(y[static_cast<std::size_t>(j)])) + 1;
                    double cx = xposn(x[static_cast<std::size_t>(i)]);
                    double cy = yposn(y[static_cast<std::size_t>(j)]);
                    colour_rectangle(cx - w / 2, cy - h / 2, w, h, z[static_cast<std::size_t>(i) * ny + j]);
                }
            }
            reset("noclip");
            setclr(saved);
        }
    }
    flush();
}

void surface_statement(std::string_view operands) { surface_plot(operands, "SURFACE"); }
void surshade_statement(std::string_view operands) { surface_plot(operands, "SURSHADE"); }
void surf3_statement(std::string_view operands) { surface_plot(operands, "SURF3"); }

// CONTOUR and CONSHADE: Z [, X, Y] [, ZLEV].
void contour_plot(std::string_view operands, const std::string& statement)
{
    Arguments args;
    if (!evaluate_operands(operands, args))
        return;
    int nx = 0, ny = 0;
    if (!matrix_argument(args, statement, nx, ny))
        return;
    if (args.count > 4)
        return refuse("Missing parameters in " + statement);
    int level_pos = args.count == 2 ? 1 : args.count == 4 ? 3 : -1;
    Floats levels;
    if (level_pos > 0) {
        if (!args.defined(level_pos))
            return pop_to(0);
        if (!args.float_array(level_pos))
            return refuse("Parameter " + std::to_string(level_pos + 1) + " must be a floatingpoint array in " +
                          statement);
        levels = args.floats(level_pos);
    }
    std::vector<float> gx, gy;
    Floats x, y;
    bool coordinates = args.count >= 3;
    if (!coordinate_argument(args, coordinates ? 1 : 99, nx, 0.0, statement, gx, x) ||
        !coordinate_argument(args, coordinates ? 2 : 99, ny, 0.0, statement, gy, y))
        return;
    Floats z = args.floats(0);
    page_setup();
    labels("float", "contour");
    apply_system_variables(-1);
    Range zr = range_of(z);
    std::vector<float> automatic;
    if (level_pos < 0) {
        automatic.resize(10);
        for (int i = 0; i < 10; ++i)
            automatic[static_cast<std::size_t>(i)] = static_cast<float>(zr.low + i * (zr.high - zr.low) / 9.0);
        levels = automatic;
    }
    axis_range(0, range_of(x));
    axis_range(1, range_of(y));
    graf_from_memory();
    title();
    if (statement == "CONTOUR") {
        int saved = gethgt();
        height(25);
        for (float level : levels)
            contur(x, nx, y, ny, z, level);
        height(saved);
    } else {
        conshd(x, nx, y, ny, z, levels, static_cast<int>(levels.size()));
    }
    flush();
}

void contour_statement(std::string_view operands) { contour_plot(operands, "CONTOUR"); }
void conshade_statement(std::string_view operands) { contour_plot(operands, "CONSHADE"); }

void variable_assigned(std::string_view, int index) { apply_system_variables(index); }

}  // namespace

void install_quick_plots()
{
    set_keyword_handler("PLOT", &plot_statement);
    set_keyword_handler("SCATTR", &scattr_statement);
    set_keyword_handler("PLOT3", &plot3_statement);
    set_keyword_handler("PLOT3R", &plot3r_statement);
    set_keyword_handler("SURFACE", &surface_statement);
    set_keyword_handler("SURSHADE", &surshade_statement);
    set_keyword_handler("SURF3", &surf3_statement);
    set_keyword_handler("CONTOUR", &contour_statement);
    set_keyword_handler("CONSHADE", &conshade_statement);
    set_system_variable_hook(&variable_assigned);
}

void reset_quick_plot_memory()
{
    for (AxisMemory& m : memory)
        m = {};
}

}  // namespace korvan::binding
