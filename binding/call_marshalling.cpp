#include "binding/call_marshalling.hpp"

#include <cstring>
#include <vector>

#include "binding/signature_matcher.hpp"
#include "interp/eval_stack.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"
#include "plot/win/driver.hpp"

namespace korvan::binding {

using namespace korvan::kfl;

namespace {

// The matcher's argument and action lists, kept between calls so that a call
// allocates nothing once they have grown to the longest argument list.
struct MatchLists {
    std::vector<MatchArgument> args;
    std::vector<MatchAction> actions;
    MatchLists()
    {
        args.reserve(stack_capacity);
        actions.reserve(stack_capacity);
    }
};

MatchLists& match_lists()
{
    static MatchLists lists;
    return lists;
}

// The record an argument stands for: the referenced variable or the stack
// record itself; nullptr for a name that is not defined.
Value* target_of(Value& record)
{
    if (record.type != T_REF)
        return &record;
    return record.slot.ref >= 0 ? &variable(record.slot.ref) : nullptr;
}

std::int32_t text_length(const Value& v)
{
    if (v.type == T_STRING)
        return v.count;
    const char* text = static_cast<const char*>(v.slot.block);
    return static_cast<std::int32_t>(strnlen(text, static_cast<std::size_t>(v.count < 0 ? 0 : v.count)));
}

// A new INT scalar named after the reference record, at the current level.
int create_int_variable(const Value& reference)
{
    Value record;
    clear_record(record);
    std::memcpy(record.name, reference.name, sizeof record.name);
    record.type = T_INT;
    record.count = 1;
    return store_variable(record, -1);
}

void store_record(int variable_index, Value& record)
{
    if (variable_index < 0) {
        release(record);
        return;
    }
    move_value(variable(variable_index), record);
}

}  // namespace

ArgumentSlots& argument_slots()
{
    static ArgumentSlots slots{};
    return slots;
}

std::int32_t ArgumentSlots::int_at(int pos) const
{
    if (pos >= argument_count || kind[pos] != SlotKind::integer)
        return 0;
    return ints[slot[pos]];
}

float ArgumentSlots::real_at(int pos) const
{
    if (pos >= argument_count || kind[pos] != SlotKind::real)
        return 0.0f;
    return reals[slot[pos]];
}

std::string_view ArgumentSlots::text_at(int pos) const
{
    if (pos >= argument_count || kind[pos] != SlotKind::pointer)
        return {};
    int k = slot[pos];
    return {static_cast<const char*>(pointers[k]), static_cast<std::size_t>(pointer_counts[k])};
}

Value* ArgumentSlots::variable_at(int pos) const
{
    if (pos >= argument_count || variables[pos] < 0)
        return nullptr;
    return &variable(variables[pos]);
}

bool evaluate_call_arguments()
{
    if (!expect(TK_LPAREN, '('))
        return false;
    int count = 0;
    if (!evaluate_list(1, count) || !expect(TK_RPAREN, ')')) {
        pop_to(0);
        return false;
    }
    if (current_token() != TK_END) {
        if (current_token() != TK_ERROR)
            report("Syntax error - Expected end of line");
        pop_to(0);
        return false;
    }
    return true;
}

bool match_arguments(std::string_view name, std::string_view signature)
{
    ArgumentSlots& s = argument_slots();
    MatchLists& m = match_lists();
    m.args.clear();
    int n = stack_depth();
    std::memset(s.ints, 0, sizeof s.ints);
    for (int i = 0; i < n; ++i) {
        Value& record = stack_at(i);
        Value* v = target_of(record);
        bool is_reference = record.type == T_REF;
        if (i < slot_capacity)
            s.variables[i] = is_reference ? record.slot.ref : -1;
        if (v == nullptr || v->type == T_FREE)
            m.args.push_back({undefined_name_code, false});
        else
            m.args.push_back({argument_code(v->type), is_reference});
    }
    // More arguments than slots never fit: no routine has that many parameters.
    bool fits = n <= slot_capacity && match_signature(signature, m.args, m.actions);
    if (!fits) {
        report_mismatch(name, signature);
        return false;
    }
    s.argument_count = n;
    for (int i = 0; i < n; ++i) {
        s.leave_out[i] = m.actions[static_cast<std::size_t>(i)] == MatchAction::leave_out;
        if (m.actions[static_cast<std::size_t>(i)] == MatchAction::to_double) {
            Value* v = target_of(stack_at(i));
            v->slot.f64 = static_cast<double>(v->slot.i32);
            v->type = T_DOUBLE;
        }
    }
    return true;
}

void report_mismatch(std::string_view name, std::string_view signature)
{
    report("Parameter mismatch");
    win::print(mismatch_lines(name, join_codes(match_lists().args), signature));
}

bool fill_slots()
{
    ArgumentSlots& s = argument_slots();
    s.int_count = s.real_count = s.pointer_count = 0;
    for (int i = 0; i < s.argument_count; ++i) {
        s.kind[i] = SlotKind::none;
        s.slot[i] = -1;
        if (s.leave_out[i])
            continue;
        Value& record = stack_at(i);
        if (record.type == T_REF && record.slot.ref < 0) {
            int index = create_int_variable(record);
            if (index < 0)
                return false;
            record.slot.ref = index;
            s.variables[i] = index;
            continue;
        }
        const Value& v = *target_of(record);
        switch (v.type) {
        case T_BYTE:
        case T_SHORT:
        case T_INT:
            s.kind[i] = SlotKind::integer;
            s.slot[i] = static_cast<std::int8_t>(s.int_count);
            s.ints[s.int_count++] = v.type == T_BYTE ? static_cast<std::int32_t>(v.slot.u8)
                                    : v.type == T_SHORT ? static_cast<std::int32_t>(v.slot.i16)
                                                        : v.slot.i32;
            break;
        case T_FLOAT:
        case T_DOUBLE:
            s.kind[i] = SlotKind::real;
            s.slot[i] = static_cast<std::int8_t>(s.real_count);
            s.reals[s.real_count++] = v.type == T_FLOAT ? v.slot.f32 : static_cast<float>(v.slot.f64);
            break;
        default:
            if (v.type == T_STRING || is_array_type(v.type)) {
                s.kind[i] = SlotKind::pointer;
                s.slot[i] = static_cast<std::int8_t>(s.pointer_count);
                bool text = v.type == T_STRING || v.type == T_CHAR_ARRAY;
                s.pointer_counts[s.pointer_count] = text ? text_length(v) : v.count;
                s.pointer_bytes[s.pointer_count] =
                    text ? 0 : static_cast<std::int64_t>(v.count) * element_size(v.type);
                s.pointers[s.pointer_count++] = v.slot.block;
            }
            break;  // CHAR and COMPLEX values go nowhere
        }
    }
    return true;
}

void store_int(int variable_index, std::int32_t value)
{
    Value record;
    clear_record(record);
    record.type = T_INT;
    record.count = 1;
    record.slot.i32 = value;
    store_record(variable_index, record);
}

void store_double(int variable_index, double value)
{
    Value record;
    clear_record(record);
    record.type = T_DOUBLE;
    record.count = 1;
    record.slot.f64 = value;
    store_record(variable_index, record);
}

bool store_string(int variable_index, std::string_view text)
{
    Value record;
    clear_record(record);
    if (!set_string(record, text))
        return false;
    store_record(variable_index, record);
    return true;
}

void store_array(int variable_index, Value& array, std::int32_t count)
{
    array.count = count;
    store_record(variable_index, array);
}

bool make_output_array(Value& array, int array_type, std::int32_t count)
{
    clear_record(array);
    return make_array(array, array_type, count < 1 ? 1 : count, 1, nullptr);
}

}  // namespace korvan::binding
