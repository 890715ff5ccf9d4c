// A fresh interpreter with the routine binding installed and a fresh plot
// state, in a temporary directory; statements run as if typed at the prompt.
#pragma once

#include <string>
#include <string_view>

#include "binding/binding_state.hpp"
#include "binding/routine_binding.hpp"
#include "interp/value.hpp"
#include "interp/variable_table.hpp"
#include "plot/kernel/state.hpp"
#include "tests/support/runtime_session.hpp"
#include "tests/support/temp_dir.hpp"

namespace korvan::test {

class BindingSession : public RuntimeSession {
protected:
    void SetUp() override
    {
        RuntimeSession::SetUp();
        reset_state_for_tests();
        binding::reset_binding_state();
        binding::install_binding();
    }

    void TearDown() override
    {
        reset_state_for_tests();
        binding::reset_binding_state();
        RuntimeSession::TearDown();
    }

    // The variable of that name (nullptr when there is none).
    static const kfl::Value* var(std::string_view name)
    {
        int index = kfl::find_variable(name);
        return index < 0 ? nullptr : &kfl::variable(index);
    }

    // Creates a scalar variable of a type with a value given as INT (BYTE,
    // SHORT, INT) or as DOUBLE (FLOAT, DOUBLE).
    static void define_scalar(std::string_view name, int type, double value)
    {
        kfl::Value record;
        kfl::clear_record(record);
        kfl::set_name(record, name);
        record.type = static_cast<std::int8_t>(type);
        record.count = 1;
        switch (type) {
        case kfl::T_BYTE: record.slot.u8 = static_cast<std::uint8_t>(value); break;
        case kfl::T_SHORT: record.slot.i16 = static_cast<std::int16_t>(value); break;
        case kfl::T_FLOAT: record.slot.f32 = static_cast<float>(value); break;
        case kfl::T_DOUBLE: record.slot.f64 = value; break;
        default: record.slot.i32 = static_cast<std::int32_t>(value); break;
        }
        ASSERT_GE(kfl::store_variable(record, -1), 0);
    }

    TempDir dir;
};

}  // namespace korvan::test
