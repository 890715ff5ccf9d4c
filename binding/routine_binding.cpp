#include "binding/routine_binding.hpp"

#include <array>

#include "binding/call_marshalling.hpp"
#include "binding/procedure_bindings.hpp"
#include "binding/quick_plots.hpp"
#include "binding/special_bindings.hpp"
#include "binding/system_variable_application.hpp"
#include "interp/eval_stack.hpp"
#include "interp/executor_hooks.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"

namespace korvan::binding {

using namespace korvan::kfl;

namespace {

struct ProcedureEntry {
    ProcedureAdapter adapter = nullptr;
    bool available = false;
};

// The binding of every row, resolved once from the binding lists.
struct ResolvedBindings {
    std::array<ProcedureEntry, procedure_count> procedures{};
    std::array<FunctionAdapter, function_count> functions{};
    ResolvedBindings()
    {
        for (auto list : {plain_procedure_bindings(), special_procedure_bindings(), widget_procedure_bindings()}) {
            for (const ProcedureBinding& b : list) {
                int row = lookup_routine(b.name, Group::procedure);
                if (row >= 0)
                    procedures[static_cast<std::size_t>(row)] = {b.adapter, b.available};
            }
        }
        for (auto list : {function_bindings(), widget_function_bindings()}) {
            for (const FunctionBinding& b : list) {
                int row = lookup_routine(b.name, Group::function);
                if (row >= 0)
                    functions[static_cast<std::size_t>(row)] = b.adapter;
            }
        }
    }
};

const ResolvedBindings& resolved()
{
    static const ResolvedBindings r;
    return r;
}

RoutineCallHandler previous_routine_handler = nullptr;
FunctionAssignmentHandler previous_function_handler = nullptr;

bool routine_handler(std::string_view name, std::string_view text)
{
    if (call_routine_statement(name, text))
        return true;
    return previous_routine_handler != nullptr && previous_routine_handler(name, text);
}

bool function_handler(std::string_view target, std::string_view function, std::string_view text)
{
    if (call_function_assignment(target, function, text))
        return true;
    return previous_function_handler != nullptr && previous_function_handler(target, function, text);
}

// Advances the tokenizer over a statement's text to the "(" of the call, the
// n-th token.
void start_at_token(std::string_view text, int n)
{
    reset_tokenizer(text);
    for (int i = 0; i < n; ++i)
        next_token();
}

// Evaluates, matches and fills the arguments; false when the call must not happen.
bool prepare_call(const char* name, const char* signature, bool fill)
{
    if (!evaluate_call_arguments())
        return false;
    if (!match_arguments(name, signature) || (fill && !fill_slots())) {
        pop_to(0);
        return false;
    }
    return true;
}

void store_result(std::string_view target, FunctionResult& result)
{
    Value record;
    clear_record(record);
    record.count = 1;
    switch (result.type) {
    case T_STRING:
        if (!set_string(record, result.text))
            return;
        break;
    case T_DOUBLE:
        record.type = T_DOUBLE;
        record.slot.f64 = result.double_value;
        break;
    case T_SHORT:
        record.type = T_SHORT;
        record.slot.i16 = static_cast<std::int16_t>(result.int_value);
        break;
    default:
        record.type = T_INT;
        record.slot.i32 = result.int_value;
        break;
    }
    int index = find_variable(target);
    if (index < 0) {
        set_name(record, target);
        index = store_variable(record, -1);
        if (index < 0) {
            release(record);
            return;
        }
    } else {
        move_value(variable(index), record);
    }
    if (!target.empty() && target.front() == '%')
        apply_system_variables(index);
}

}  // namespace

void install_binding()
{
    resolved();
    RoutineCallHandler old_routine = set_routine_call_handler(&routine_handler);
    if (old_routine != &routine_handler)
        previous_routine_handler = old_routine;
    FunctionAssignmentHandler old_function = set_function_assignment_handler(&function_handler);
    if (old_function != &function_handler)
        previous_function_handler = old_function;
    install_quick_plots();
    install_widget_quit();
}

bool call_routine_statement(std::string_view name, std::string_view text)
{
    int row = lookup_routine(name, Group::procedure);
    if (row < 0)
        return false;
    const ProcedureEntry& entry = resolved().procedures[static_cast<std::size_t>(row)];
    const char* routine = routine_name(row, Group::procedure);
    start_at_token(text, 2);
    if (!prepare_call(routine, routine_signature(row, Group::procedure), entry.adapter != nullptr))
        return true;
    if (entry.adapter == nullptr)
        report_unavailable(routine);
    else
        entry.adapter(argument_slots());
    pop_to(0);
    return true;
}

bool call_function_assignment(std::string_view target, std::string_view function, std::string_view text)
{
    int row = lookup_routine(function, Group::function);
    if (row < 0)
        return false;
    FunctionAdapter adapter = resolved().functions[static_cast<std::size_t>(row)];
    const char* routine = routine_name(row, Group::function);
    start_at_token(text, 4);
    if (!prepare_call(routine, routine_signature(row, Group::function), adapter != nullptr))
        return true;
    // The result is kept aside and stored after the call, so that the target
    // may also be an argument (N = NLMESS(N) ...).
    static FunctionResult result;
    result.type = T_INT;
    result.int_value = 0;
    result.double_value = 0.0;
    result.text.clear();
    if (adapter == nullptr)
        report_unavailable(routine);
    else
        adapter(argument_slots(), result);
    pop_to(0);
    store_result(target, result);
    return true;
}

std::vector<std::string> unavailable_routines(Group group)
{
    std::vector<std::string> names;
    int count = group == Group::procedure ? procedure_count : function_count;
    for (int row = 0; row < count; ++row) {
        bool missing = group == Group::procedure
                           ? !resolved().procedures[static_cast<std::size_t>(row)].available
                           : resolved().functions[static_cast<std::size_t>(row)] == nullptr;
        if (missing)
            names.emplace_back(routine_name(row, group));
    }
    return names;
}

}  // namespace korvan::binding
