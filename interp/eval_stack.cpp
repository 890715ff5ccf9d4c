#include "interp/eval_stack.hpp"

#include <cstring>

#include "interp/messages.hpp"

namespace korvan::kfl {

namespace {
using Stack = EvaluationStack;

Stack& stack() { return evaluation_stack(); }
}  // namespace

Value* push_slot()
{
    Stack& s = stack();
    if (s.depth >= stack_capacity) {
        report("Evaluation stack overflow");
        return nullptr;
    }
    Value& v = s.records[s.depth++];
    v.name[0] = '\0';
    v.type = T_FREE;
    v.level = 0;
    v.dims = 0;
    v.count = 0;
    v.dim_list = nullptr;
    v.slot.f64 = 0;
    return &v;
}

bool push_value(const Value& v)
{
    if (v.type >= T_BYTE && v.type <= T_COMPLEX) {
        // A number owns no block: copied as it is.
        Value* slot = push_slot();
        if (slot == nullptr)
            return false;
        slot->type = v.type;
        slot->dims = v.dims;
        slot->count = v.count;
        slot->slot = v.slot;
        return true;
    }
    if (v.type == T_CHAR)
        return push_int(static_cast<signed char>(v.slot.ch));
    if (is_array_type(v.type) || v.type == T_STRING || (v.type >= T_BYTE && v.type <= T_COMPLEX)) {
        Value* slot = push_slot();
        if (slot == nullptr)
            return false;
        if (!copy_value(*slot, v)) {
            --stack().depth;
            return false;
        }
        return true;
    }
    report("Not allowed operand");
    return false;
}

bool push_reference(int index, std::string_view name)
{
    Value* slot = push_slot();
    if (slot == nullptr)
        return false;
    set_name(*slot, name);
    slot->type = T_REF;
    slot->count = 1;
    slot->slot.ref = index;
    return true;
}

bool push_int(std::int32_t v)
{
    Value* slot = push_slot();
    if (slot == nullptr)
        return false;
    slot->type = T_INT;
    slot->count = 1;
    slot->slot.i32 = v;
    return true;
}

bool push_double(double v)
{
    Value* slot = push_slot();
    if (slot == nullptr)
        return false;
    slot->type = T_DOUBLE;
    slot->count = 1;
    slot->slot.f64 = v;
    return true;
}

bool push_string(std::string_view text)
{
    Value* slot = push_slot();
    if (slot == nullptr)
        return false;
    if (!set_string(*slot, text)) {
        --stack().depth;
        return false;
    }
    return true;
}

bool push_moved(Value& v)
{
    Value* slot = push_slot();
    if (slot == nullptr)
        return false;
    move_value(*slot, v);
    return true;
}

void pop_to(int depth)
{
    Stack& s = stack();
    if (depth < 0)
        depth = 0;
    while (s.depth > depth) {
        Value& v = s.records[--s.depth];
        if (owns_block(v.type) || v.dims > 1) {
            release(v);
        } else {
            // As release does, without the call for a record that owns nothing.
            v.type = T_FREE;
            v.dims = 0;
            v.count = 0;
            v.dim_list = nullptr;
            v.slot.f64 = 0;
        }
    }
}

void pop_one()
{
    Stack& s = stack();
    if (s.depth <= 0) {
        report("Negative stack counter");
        s.depth = 0;
        return;
    }
    release(s.records[--s.depth]);
}

}  // namespace korvan::kfl
