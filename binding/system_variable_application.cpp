#include "binding/system_variable_application.hpp"

#include <cstdio>
#include <string>

#include "interp/messages.hpp"
#include "interp/system_variables.hpp"
#include "interp/variable_table.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/colour_points.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/shading.hpp"
#include "plot/routines/text.hpp"

namespace korvan::binding {

using namespace korvan::kfl;

namespace {

// The 3-D box lengths and viewpoint that the %x3LEN and %x3VIEW variables
// complete with the values given before.
double box_lengths[3] = {2.0, 2.0, 2.0};
double viewpoint[3] = {4.0, -5.0, 4.0};

void apply_string(std::string_view key, std::string_view text)
{
    if (key == "CONSHD")
        shdmod(text, "CONTOUR");
    else if (key == "POLCRV")
        polcrv(text);
    else if (key.size() == 2 && key[0] == 'T' && key[1] >= '1' && key[1] <= '4')
        titlin(text, key[1] - '0');
    else if (key == "X" || key == "Y" || key == "Z")
        name(text, key);
    else if (key.size() == 4 && key.substr(1) == "LAB")
        labels(text, key.substr(0, 1));
    else if (key.size() == 4 && key.substr(1) == "SCL")
        scale(text, key.substr(0, 1));
}

void apply_int(std::string_view key, int n)
{
    int lx = 0, ly = 0, lz = 0;
    if (key == "H")
        height(n);
    else if (key == "HNAME")
        hname(n);
    else if (key == "HSYMBL")
        hsymbl(n);
    else if (key == "HTITLE")
        htitle(n);
    else if (key == "INCMRK")
        incmrk(n);
    else if (key == "MARKER")
        marker(n);
    else if (key == "VTITLE")
        vkytit(n);
    else if (key.size() == 4 && key.substr(1) == "DIG")
        digits(n, key.substr(0, 1));
    else if (key.size() == 4 && key.substr(1) == "TIC")
        ticks(n, key.substr(0, 1));
    else if (key == "XLEN" || key == "YLEN") {
        getlen(lx, ly, lz);
        axslen(key[0] == 'X' ? n : lx, key[0] == 'Y' ? n : ly);
    } else if (key == "XPOS" || key == "YPOS") {
        getpos(lx, ly);
        axspos(key[0] == 'X' ? n : lx, key[0] == 'Y' ? n : ly);
    } else if (key == "ZLEN") {
        getlen(lx, ly, lz);
        ax3len(lx, ly, n);
    } else if (key == "XRES" || key == "YRES") {
        getres(lx, ly);
        setres(key[0] == 'X' ? n : lx, key[0] == 'Y' ? n : ly);
    }
}

void apply_double(std::string_view key, double v)
{
    int axis = key[0] - 'X';
    if (key.substr(1) == "3LEN") {
        double l[3] = {box_lengths[0], box_lengths[1], box_lengths[2]};
        l[axis] = v;
        if (v > 0.0)
            box_lengths[axis] = v;
        axis3d(l[0], l[1], l[2]);
    } else if (key.substr(1) == "3VIEW") {
        viewpoint[axis] = v;
        view3d(viewpoint[0], viewpoint[1], viewpoint[2], "ABS");
    }
}

bool read_only_here(std::string_view key)
{
    return key.starts_with("ARG") || key == "NARGS" || key == "ERASE" || key.ends_with("AUTO") ||
           key.ends_with("MIN") || key.ends_with("MAX") || key.ends_with("OR") || key.ends_with("STEP");
}

void apply_one(int index)
{
    Value& v = variable(index);
    if (v.type == T_FREE || v.name[0] != '%')
        return;
    std::string_view name = name_of(v);
    int type = system_variable_type(name);
    if (type < 0) {
        report("Undefined system variable", name);
        return;
    }
    if (type == T_DOUBLE && (v.type == T_INT || v.type == T_FLOAT)) {
        v.slot.f64 = v.type == T_INT ? static_cast<double>(v.slot.i32) : static_cast<double>(v.slot.f32);
        v.type = T_DOUBLE;
    }
    if (v.type != type) {
        report("Variable " + std::string(name) + " must be of type " + type_name(type));
        return;
    }
    std::string_view key = name.substr(1);
    if (read_only_here(key))
        return;
    if (type == T_STRING)
        apply_string(key, v.slot.text != nullptr ? std::string_view(v.slot.text) : std::string_view());
    else if (type == T_INT)
        apply_int(key, v.slot.i32);
    else
        apply_double(key, static_cast<double>(static_cast<float>(v.slot.f64)));
}

}  // namespace

void apply_system_variables(int index)
{
    if (state().level == 0)
        return;
    if (index >= 0) {
        if (index < variable_capacity)
            apply_one(index);
        return;
    }
    int end = variable_high_water();
    for (int i = 0; i < end && i < variable_capacity; ++i)
        apply_one(i);
}

}  // namespace korvan::binding
