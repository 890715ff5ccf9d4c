#include "interp/argument_match.hpp"

#include <vector>

#include "binding/signature_matcher.hpp"
#include "interp/eval_stack.hpp"
#include "interp/messages.hpp"
#include "interp/variable_table.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl {

namespace {
// The record an argument stands for: a referenced variable or the stack record.
Value* target_of(Value& record)
{
    if (record.type != T_REF)
        return &record;
    return record.slot.ref >= 0 ? &variable(record.slot.ref) : nullptr;
}
}  // namespace

bool match_stack_arguments(std::string_view name, std::string_view signature, int base)
{
    std::vector<binding::MatchArgument> args;
    for (int i = base; i < stack_depth(); ++i) {
        Value* v = target_of(stack_at(i));
        if (v == nullptr || v->type == T_FREE)
            args.push_back({binding::undefined_name_code, false});
        else
            args.push_back({binding::argument_code(v->type), stack_at(i).type == T_REF});
    }
    std::vector<binding::MatchAction> actions;
    if (!binding::match_signature(signature, args, actions)) {
        report("Parameter mismatch");
        win::print(binding::mismatch_lines(name, binding::join_codes(args), signature));
        return false;
    }
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (actions[i] != binding::MatchAction::to_double)
            continue;
        Value* v = target_of(stack_at(base + static_cast<int>(i)));
        v->slot.f64 = static_cast<double>(v->slot.i32);
        v->type = T_DOUBLE;
    }
    return true;
}

}  // namespace korvan::kfl
