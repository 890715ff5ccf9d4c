// CLOCK, DATE, TIME, GETENV, GETARG, ARGCNT, KEYCNT, SYSTEM, INQUIRE, REMOVE,
// RENAME and the variable functions VARDEF, VARTYP, VARCNT, VARDIM.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

#include "interp/builtins_internal.hpp"
#include "interp/messages.hpp"
#include "interp/user_routines.hpp"
#include "interp/variable_table.hpp"
#include "plat/host.hpp"

namespace korvan::kfl::builtins {

namespace {

std::tm local_now()
{
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return parts;
}

std::string two_digit_triple(int a, int b, int c, char separator)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%02d", a, separator, b, separator, c);
    return buffer;
}

}  // namespace

bool clock_fn(const Args& a)
{
    using clock = std::chrono::steady_clock;
    static std::optional<clock::time_point> previous;
    clock::time_point now = clock::now();
    double seconds = 0.0;
    if (previous) {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - *previous).count();
        seconds = static_cast<double>(ms) / 1000.0;
    }
    previous = now;
    return result_double(a, seconds);
}

bool date_fn(const Args& a)
{
    std::tm t = local_now();
    return result_string(a, two_digit_triple(t.tm_mday, t.tm_mon + 1, t.tm_year % 100, '.'));
}

bool time_fn(const Args& a)
{
    std::tm t = local_now();
    return result_string(a, two_digit_triple(t.tm_hour, t.tm_min, t.tm_sec, ':'));
}

bool getenv_fn(const Args& a)
{
    Value* v = a.defined(0);
    if (v == nullptr)
        return false;
    std::string name(text_of(*v));
    std::optional<std::string> value = plat::get_env(name.c_str());
    return result_string(a, value ? *value : std::string());
}

bool getarg_fn(const Args& a)
{
    std::int32_t n = a.value(0)->slot.i32;
    if (n < 1) {
        report("Non positive parameter in GETARG");
        return result_string(a, "");
    }
    int index = find_variable("%ARG" + std::to_string(n));
    if (index < 0 || variable(index).type != T_STRING)
        return result_string(a, "");
    return result_string(a, text_of(variable(index)));
}

bool argcnt_fn(const Args& a) { return result_int(a, routine_argument_count()); }
bool keycnt_fn(const Args& a) { return result_int(a, routine_keyword_count()); }

bool system_fn(const Args& a)
{
    // The hook reports success (0) or failure, which SYSTEM gives as -1.
    bool ok = plat::host_command(text_of(*a.value(0)));
    return result_int(a, ok ? 0 : -1);
}

bool inquire_fn(const Args& a)
{
    Value* v = a.defined(0);
    if (v == nullptr)
        return false;
    std::string name(text_of(*v));
    std::FILE* f = std::fopen(name.c_str(), "r");
    if (f != nullptr)
        std::fclose(f);
    return result_int(a, f != nullptr ? 1 : 0);
}

bool remove_fn(const Args& a)
{
    Value* v = a.defined(0);
    if (v == nullptr)
        return result_int(a, -1);
    std::string name(text_of(*v));
    if (std::remove(name.c_str()) != 0) {
        report("Cannot remove file", name);
        return result_int(a, -1);
    }
    return result_int(a, 0);
}

bool rename_fn(const Args& a)
{
    Value* from = a.defined(0);
    Value* to = from != nullptr ? a.defined(1) : nullptr;
    if (from == nullptr || to == nullptr)
        return result_int(a, -1);
    std::string old_name(text_of(*from));
    std::string new_name(text_of(*to));
    if (std::rename(old_name.c_str(), new_name.c_str()) != 0) {
        report("Cannot rename file", old_name);
        return result_int(a, -1);
    }
    return result_int(a, 0);
}

bool vardef_fn(const Args& a) { return result_int(a, a.value(0) != nullptr ? 1 : 0); }

bool vartyp_fn(const Args& a)
{
    Value* v = a.value(0);
    return result_string(a, v != nullptr ? type_name(v->type) : "NONE");
}

bool varcnt_fn(const Args& a)
{
    Value* v = a.value(0);
    return result_int(a, v != nullptr ? v->count : -1);
}

bool vardim_fn(const Args& a)
{
    if (!a.is_reference(0)) {
        report("Parameter 1 in vardim must be a variable");
        return result_int(a, -1);
    }
    Value* k_value = a.value(1);
    std::int32_t k = 1;
    if (k_value == nullptr || k_value->type != T_INT)
        report("Parameter 2 in vardim must be an integer");
    else
        k = k_value->slot.i32;
    if (k < 1) {
        report("Parameter 2 in vardim must be greater than 0");
        return result_int(a, -1);
    }
    Value* v = a.value(0);
    if (v == nullptr)
        return result_int(a, -1);
    int dims = v->type == T_STRING || is_array_type(v->type) ? (v->dims < 1 ? 1 : v->dims) : 0;
    if (k > dims)
        return result_int(a, 0);
    return result_int(a, dimension_size(*v, k - 1));
}

}  // namespace korvan::kfl::builtins
