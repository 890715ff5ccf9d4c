// DO and WHILE loops, their END DO and END WHILE, BREAK and CONTINUE.
#include <cstring>

#include "interp/control_flow.hpp"
#include "interp/elements.hpp"
#include "interp/eval_stack.hpp"
#include "interp/front_end.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

namespace {

// Opens a loop record; a loop opened while skipping stays dead. Returns nullptr
// when the nesting limit is reached or the loop is dead.
LoopRecord* open_record(bool is_while)
{
    ControlState& c = control_state();
    if (c.loop_depth == max_block_nesting) {
        report("Max. number of nested loops is reached");
        return nullptr;
    }
    LoopRecord& r = flow().loops[c.loop_depth];
    r = LoopRecord{};
    r.variable = -1;
    r.is_while = is_while;
    r.if_depth = c.if_depth;
    r.switch_depth = c.switch_depth;
    r.dead = true;
    if (c.skipping) {
        ++c.loop_depth;
        return nullptr;
    }
    return &r;
}

// Makes the record the innermost live loop.
void enter_loop(LoopRecord& r)
{
    FlowState& f = flow();
    ControlState& c = control_state();
    r.dead = false;
    r.serial = ++f.serial;
    f.control_level = c.loop_depth;
    ++c.loop_depth;
    recompute_skipping();
}

void skip_body()
{
    flow().control_level = control_state().loop_depth;
    set_skip(SKIP_LOOP, true);
}

// Closes the innermost loop; when the outermost one ends and no label needs
// them, its stored statements are freed and store mode ends.
void close_loop()
{
    ControlState& c = control_state();
    const LoopRecord& r = flow().loops[c.loop_depth - 1];
    if (r.if_depth != c.if_depth)
        report("Overlapping IF and Loop contructs");
    if (r.switch_depth != c.switch_depth)
        report("Overlapping SWITCH and Loop contructs");
    --c.loop_depth;
    StatementBuffer& buffer = front_end().buffer;
    if (c.loop_depth == 0 && buffer.store_mode && !labels_defined_up_to(routine_level())) {
        free_buffer_from(flow().loops[0].body_start);
        buffer.store_mode = false;
    }
}

// Adds the step to a DO loop's variable; false when the loop has run out (also
// when the variable is no longer a number of its own or the INT would overflow).
bool advance(LoopRecord& r)
{
    if (r.variable < 0)
        return false;
    Value& v = variable(r.variable);
    if (v.type < T_CHAR || v.type > T_DOUBLE || v.type == T_COMPLEX)
        return false;
    if (r.is_double) {
        double x = slot_real(v.slot, v.type) + r.step_d;
        v.type = T_DOUBLE;
        v.slot.f64 = x;
        return r.step_d > 0 ? x <= r.end_d : x >= r.end_d;
    }
    std::int64_t x = (v.type == T_INT ? v.slot.i32 : static_cast<std::int64_t>(slot_real(v.slot, v.type))) + r.step_i;
    bool in_range = x >= INT32_MIN && x <= INT32_MAX;
    v.type = T_INT;
    v.slot.f64 = 0;
    v.slot.i32 = static_cast<std::int32_t>(static_cast<std::uint32_t>(x));
    if (!in_range)
        return false;
    return r.step_i > 0 ? x <= r.end_i : x >= r.end_i;
}

}  // namespace

void do_statement(const StatementView& s)
{
    LoopRecord* record = open_record(false);
    if (record == nullptr)
        return;
    LoopRecord& r = *record;
    if (s.second_token != TK_IDENT) {
        report("Syntax error - expected loop variable");
        return;
    }
    char name[16] = {};
    std::memcpy(name, tokenizer().record.name, sizeof name);
    std::size_t equals = s.text.find('=');
    if (equals == std::string_view::npos) {
        report("Missing '=' in DO loop");
        return;
    }
    // The bounds are evaluated before the variable is replaced, so that they may use it.
    reset_tokenizer(s.text.substr(equals + 1));
    next_token();
    int count = 0;
    if (!evaluate_list(0, count))
        return;
    if (count < 2 || count > 3) {
        report("Syntax error in DO statement");
        return;
    }
    bool is_double = false;
    for (int i = 0; i < count; ++i) {
        int type = stack_at(i).type;
        if (type != T_INT && type != T_DOUBLE) {
            report("DO expressions must be of type INT or DOUBLE");
            return;
        }
        is_double = is_double || type == T_DOUBLE;
    }
    auto real = [](const Value& v) { return v.type == T_DOUBLE ? v.slot.f64 : static_cast<double>(v.slot.i32); };
    Value start{};
    set_name(start, name);
    start.count = 1;
    if (is_double) {
        r.is_double = true;
        r.end_d = real(stack_at(1));
        r.step_d = count == 3 ? real(stack_at(2)) : 1.0;
        start.type = T_DOUBLE;
        start.slot.f64 = real(stack_at(0));
    } else {
        r.end_i = stack_at(1).slot.i32;
        r.step_i = count == 3 ? stack_at(2).slot.i32 : 1;
        start.type = T_INT;
        start.slot.i32 = stack_at(0).slot.i32;
    }
    pop_to(0);
    bool zero_trip = is_double ? (r.step_d > 0 ? r.end_d < start.slot.f64 : r.end_d > start.slot.f64)
                               : (r.step_i > 0 ? r.end_i < start.slot.i32 : r.end_i > start.slot.i32);
    r.variable = store_variable(start, find_variable(name));
    if (r.variable < 0)
        return;
    if (zero_trip)
        skip_body();
    StatementBuffer& buffer = front_end().buffer;
    r.body_start = buffer.executing_fresh() ? buffer.current : buffer.current + 1;
    buffer.store_mode = true;
    enter_loop(r);
}

void while_statement(const StatementView& s)
{
    LoopRecord* record = open_record(true);
    if (record == nullptr)
        return;
    LoopRecord& r = *record;
    int condition = 0;
    if (!parenthesised_int(s, "WHILE", condition))
        return;
    bool run = condition != 0;
    if (!run)
        skip_body();
    StatementBuffer& buffer = front_end().buffer;
    bool fresh = buffer.executing_fresh();
    if (!buffer.store_mode) {
        buffer.store_mode = true;
        if (fresh)
            buffer.append(s.text);
    }
    // The WHILE statement itself runs again on every pass.
    if (!fresh)
        r.body_start = buffer.current;
    else if (buffer.count() > 0 && buffer.at(buffer.count() - 1) == s.text)
        r.body_start = buffer.count() - 1;
    else
        r.body_start = buffer.count();  // not stored: the buffer is full
    enter_loop(r);
}

void end_loop_statement(bool is_while)
{
    ControlState& c = control_state();
    FlowState& f = flow();
    int n = c.loop_depth;
    if (n == 0) {
        if (is_while)
            report("Missing WHILE statement before END WHILE");
        else if (front_end().buffer.executing_fresh())
            report("Missing DO statement before END DO");
        return;
    }
    LoopRecord& r = f.loops[n - 1];
    if (f.pending != LoopControl::none) {
        if (f.control_level != n) {
            close_loop();
            return;
        }
        set_skip(SKIP_LOOP, false);
        bool was_break = f.pending == LoopControl::break_loop;
        f.pending = LoopControl::none;
        if (was_break) {
            close_loop();
            return;
        }
    }
    if (r.dead) {
        --c.loop_depth;
        return;
    }
    if (skip_set(SKIP_LOOP)) {
        if (f.control_level == n - 1)
            set_skip(SKIP_LOOP, false);
        close_loop();
        return;
    }
    // Skipping for another reason, or an END that does not match its loop's kind.
    if (c.skipping || r.is_while != is_while) {
        close_loop();
        return;
    }
    if (is_while) {
        --c.loop_depth;
        go_to(r.body_start);
        return;
    }
    if (advance(r))
        go_to(r.body_start);
    else
        close_loop();
}

void break_command(std::string_view)
{
    ControlState& c = control_state();
    FlowState& f = flow();
    if (c.loop_depth == 0 && c.switch_depth == 0) {
        report("BREAK must be used in a loop or SWITCH construct");
        return;
    }
    bool loop = c.loop_depth > 0 &&
                (c.switch_depth == 0 || f.loops[c.loop_depth - 1].serial > f.switches[c.switch_depth - 1].serial);
    if (loop) {
        f.pending = LoopControl::break_loop;
        f.control_level = c.loop_depth;
        set_skip(SKIP_LOOP, true);
    } else {
        f.switch_break_level = c.switch_depth;
        set_skip(SKIP_SWITCH_BREAK, true);
    }
}

void continue_command(std::string_view)
{
    ControlState& c = control_state();
    FlowState& f = flow();
    if (c.loop_depth == 0) {
        report("CONTINUE must be used in a loop construct");
        return;
    }
    f.pending = LoopControl::continue_loop;
    f.control_level = c.loop_depth;
    set_skip(SKIP_LOOP, true);
}

}  // namespace korvan::kfl
