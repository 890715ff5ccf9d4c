// SWGCB and the callback table: a widget that fires runs the named KFL
// subroutine with its identifier and the remembered array. The widget side is
// a stand-in that keeps the entry SWGCB registers.
#include <gtest/gtest.h>

#include <string>

#include "binding/routine_binding.hpp"
#include "binding/special_bindings.hpp"
#include "interp/eval_stack.hpp"
#include "interp/parser.hpp"
#include "interp/tokenizer.hpp"
#include "tests/support/script_session.hpp"

namespace korvan::test {
namespace {

using namespace korvan::binding;

CallbackEntry registered = nullptr;
int registered_widget = 0;

void fake_swgcb(int widget, CallbackEntry entry)
{
    registered_widget = widget;
    registered = entry;
}

// SWGCB through the binding with the stand-in, FIRE(ID) as the widget firing.
kfl::RoutineCallHandler next_handler = nullptr;
bool widget_statements(std::string_view name, std::string_view text)
{
    if (name == "SWGCB") {
        kfl::reset_tokenizer(text);
        kfl::next_token();  // the name
        kfl::next_token();  // "("
        if (evaluate_call_arguments() && match_arguments("SWGCB", "I,S,IR") && fill_slots())
            bind_swgcb<&fake_swgcb>(argument_slots());
        kfl::pop_to(0);
        return true;
    }
    if (name == "FIRE") {
        kfl::reset_tokenizer(text);
        kfl::next_token();  // the name
        kfl::next_token();  // "("
        if (evaluate_call_arguments() && kfl::stack_depth() == 1 && registered != nullptr) {
            int widget = kfl::stack_at(0).slot.i32;
            kfl::pop_to(0);
            registered(widget);
        }
        kfl::pop_to(0);
        return true;
    }
    return next_handler != nullptr && next_handler(name, text);
}

class CallbackTest : public ScriptSession {
protected:
    void SetUp() override
    {
        ScriptSession::SetUp();
        install_binding();
        reset_binding_state();
        next_handler = kfl::set_routine_call_handler(&widget_statements);
        registered = nullptr;
    }
    void TearDown() override
    {
        kfl::set_routine_call_handler(next_handler);
        reset_binding_state();
        ScriptSession::TearDown();
    }
};

TEST_F(CallbackTest, AFiredWidgetRunsItsSubroutine)
{
    dir.write("cb.kfl", "%KFL\nSUBROUTINE CB (ID, A)\nA[1] = A[1] + ID\nEND\n");
    dir.write("other.kfl", "%KFL\nSUBROUTINE OTHER (ID, A)\nPRINT 'other', ID\nEND\n");
    EXPECT_EQ(run_script("INT ARR[2]\n"
                         "SWGCB(7, 'cb', ARR)\n"
                         "FIRE(7)\n"
                         "FIRE(7)\n"
                         "PRINT ARR[1]\n"
                         "SWGCB(7, 'other', ARR)\n"
                         "FIRE(7)\n"
                         "FIRE(8)\n"
                         "PRINT 'end'\n"),
              "             14 \n     other\n              7 \n     end\n");
    EXPECT_EQ(registered_widget, 7);
    EXPECT_EQ(callback_routine(7), "other");
}

TEST_F(CallbackTest, IdentifiersOutsideTheTableAreNotKept)
{
    EXPECT_EQ(run_script("INT ARR[2]\nSWGCB(201, 'CB', ARR)\nFIRE(201)\nSWGCB(0, 'CB', ARR)\nFIRE(0)\nPRINT 'end'\n"),
              "     end\n");
    EXPECT_EQ(registered_widget, 0);  // the widget routine still hears of it, and warns itself
    EXPECT_EQ(callback_routine(201), "");
}

}  // namespace
}  // namespace korvan::test
