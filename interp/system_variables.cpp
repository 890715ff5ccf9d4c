#include "interp/system_variables.hpp"

#include "interp/value.hpp"

namespace korvan::kfl {

namespace {
struct Row {
    std::string_view name;
    int type;
};

constexpr Row rows[] = {
    {"%ARG1", T_STRING},   {"%ARG2", T_STRING},   {"%ARG3", T_STRING},  {"%ARG4", T_STRING},
    {"%ARG5", T_STRING},   {"%ARG6", T_STRING},   {"%ARG7", T_STRING},  {"%ARG8", T_STRING},
    {"%CONSHD", T_STRING}, {"%POLCRV", T_STRING}, {"%T1", T_STRING},    {"%T2", T_STRING},
    {"%T3", T_STRING},     {"%T4", T_STRING},     {"%X", T_STRING},     {"%Y", T_STRING},
    {"%Z", T_STRING},      {"%XLAB", T_STRING},   {"%YLAB", T_STRING},  {"%ZLAB", T_STRING},
    {"%XSCL", T_STRING},   {"%YSCL", T_STRING},   {"%ZSCL", T_STRING},  {"%ERASE", T_INT},
    {"%H", T_INT},         {"%HNAME", T_INT},     {"%HSYMBL", T_INT},   {"%HTITLE", T_INT},
    {"%INCMRK", T_INT},    {"%MARKER", T_INT},    {"%NARGS", T_INT},    {"%VTITLE", T_INT},
    {"%XAUTO", T_INT},     {"%YAUTO", T_INT},     {"%ZAUTO", T_INT},    {"%XDIG", T_INT},
    {"%YDIG", T_INT},      {"%ZDIG", T_INT},      {"%XLEN", T_INT},     {"%YLEN", T_INT},
    {"%ZLEN", T_INT},      {"%XPOS", T_INT},      {"%YPOS", T_INT},     {"%XRES", T_INT},
    {"%YRES", T_INT},      {"%XTIC", T_INT},      {"%YTIC", T_INT},     {"%ZTIC", T_INT},
    {"%X3LEN", T_DOUBLE},  {"%Y3LEN", T_DOUBLE},  {"%Z3LEN", T_DOUBLE}, {"%X3VIEW", T_DOUBLE},
    {"%Y3VIEW", T_DOUBLE}, {"%Z3VIEW", T_DOUBLE}, {"%XMAX", T_DOUBLE},  {"%YMAX", T_DOUBLE},
    {"%ZMAX", T_DOUBLE},   {"%XMIN", T_DOUBLE},   {"%YMIN", T_DOUBLE},  {"%ZMIN", T_DOUBLE},
    {"%XOR", T_DOUBLE},    {"%YOR", T_DOUBLE},    {"%ZOR", T_DOUBLE},   {"%XSTEP", T_DOUBLE},
    {"%YSTEP", T_DOUBLE},  {"%ZSTEP", T_DOUBLE},
};
static_assert(sizeof rows / sizeof rows[0] == 66);
SystemVariableHook& hook()
{
    static SystemVariableHook current = nullptr;
    return current;
}
}  // namespace

SystemVariableHook set_system_variable_hook(SystemVariableHook next)
{
    SystemVariableHook old = hook();
    hook() = next;
    return old;
}

void system_variable_assigned(std::string_view name, int index)
{
    if (hook() != nullptr)
        hook()(name, index);
}

int system_variable_type(std::string_view name)
{
    for (const Row& row : rows) {
        if (row.name == name)
            return row.type;
    }
    return -1;
}

}  // namespace korvan::kfl
