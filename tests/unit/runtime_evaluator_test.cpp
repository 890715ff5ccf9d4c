#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "interp/eval_stack.hpp"
#include "interp/executor_hooks.hpp"
#include "interp/label_table.hpp"
#include "interp/operators.hpp"
#include "interp/parser.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"
#include "tests/support/runtime_session.hpp"

namespace korvan::kfl {
namespace {

class RuntimeEvaluatorTest : public test::RuntimeSession {
protected:
    // Evaluates a value list; returns the number of values (-1 on failure).
    int list(const std::string& text, int mode = 0)
    {
        held = text;
        reset_tokenizer(held);
        next_token();
        int count = 0;
        return evaluate_list(mode, count) ? count : -1;
    }

    void push_complex(float re, float im)
    {
        Value* v = push_slot();
        ASSERT_NE(v, nullptr);
        v->type = T_COMPLEX;
        v->count = 1;
        v->slot.cx = {re, im};
    }

    std::string held;
};

TEST_F(RuntimeEvaluatorTest, ComplexArithmeticFollowsTheFormulas)
{
    push_complex(1, 2);
    push_complex(3, 4);
    ASSERT_EQ(apply_binary(TK_STAR), OpStatus::ok);
    EXPECT_FLOAT_EQ(stack_top().slot.cx.re, -5);
    EXPECT_FLOAT_EQ(stack_top().slot.cx.im, 10);
    push_complex(3, 4);
    ASSERT_EQ(apply_binary(TK_SLASH), OpStatus::ok);  // (-5+10i)/(3+4i) = 1+2i
    EXPECT_FLOAT_EQ(stack_top().slot.cx.re, 1);
    EXPECT_FLOAT_EQ(stack_top().slot.cx.im, 2);
    push_complex(1, 2);
    ASSERT_EQ(apply_binary(TK_MINUS), OpStatus::ok);
    EXPECT_FLOAT_EQ(stack_top().slot.cx.re, 0);
    EXPECT_FLOAT_EQ(stack_top().slot.cx.im, 0);
    push_complex(0, 1);
    ASSERT_EQ(apply_binary(TK_PLUS), OpStatus::ok);
    ASSERT_TRUE(push_int(3));  // INT promoted to COMPLEX
    ASSERT_EQ(apply_binary(TK_STAR), OpStatus::ok);
    EXPECT_EQ(stack_top().type, T_COMPLEX);
    EXPECT_FLOAT_EQ(stack_top().slot.cx.re, 0);
    EXPECT_FLOAT_EQ(stack_top().slot.cx.im, 3);
    EXPECT_EQ(stack_depth(), 1);
    push_complex(0, 3);
    ASSERT_EQ(apply_binary(TK_EQ), OpStatus::ok);
    EXPECT_EQ(stack_top().type, T_INT);
    EXPECT_EQ(stack_top().slot.i32, 1);
    pop_to(0);
    push_complex(1, 0);
    push_complex(1, 1);
    ASSERT_EQ(apply_binary(TK_NE), OpStatus::ok);
    EXPECT_EQ(stack_top().slot.i32, 1);
    pop_to(0);
    push_complex(2, 0);
    push_complex(1, 0);
    ASSERT_EQ(apply_binary(TK_GT), OpStatus::ok);
    EXPECT_EQ(stack_top().slot.i32, 0);
    push_complex(0, 0);
    EXPECT_EQ(console->output, "");
    pop_to(0);
    push_complex(5, 5);
    push_complex(0, 0);
    EXPECT_EQ(apply_binary(TK_SLASH), OpStatus::soft);
    EXPECT_EQ(stack_depth(), 1);
    EXPECT_FLOAT_EQ(stack_top().slot.cx.re, 5);
    EXPECT_EQ(console->output, " >>>> Divide by zero\n");
}

TEST_F(RuntimeEvaluatorTest, StringsCompareAsUnsignedBytes)
{
    EXPECT_EQ(list("'\xe9' > 'z', 'abc' < 'abd', 'ab' < 'abc', 'B' == 'B'"), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(stack_at(i).type, T_INT);
        EXPECT_EQ(stack_at(i).slot.i32, 1) << i;
    }
}

TEST_F(RuntimeEvaluatorTest, CharArraysWithZeroByteActAsStrings)
{
    run({"CHAR A[4]", "CHAR B[3]", "A[0:1] = 72", "B[0] = 105"});
    EXPECT_EQ(list("A + B, A < B"), 2);
    EXPECT_EQ(stack_at(0).type, T_STRING);
    EXPECT_STREQ(stack_at(0).slot.text, "HHi");
    EXPECT_EQ(stack_at(1).slot.i32, 1);
    run({"A[*] = 65"});
    EXPECT_EQ(list("A + B"), -1);
    EXPECT_EQ(console->output, " >>>> Non terminated character array\n");
}

TEST_F(RuntimeEvaluatorTest, ReferenceModePushesBareNames)
{
    run({"A = 1", "INT V[3]"});
    EXPECT_EQ(list("A, NEWNAME, V, A + 1, V[0], 'x'", 1), 6);
    EXPECT_EQ(stack_at(0).type, T_REF);
    EXPECT_EQ(stack_at(0).slot.ref, find_variable("A"));
    EXPECT_EQ(stack_at(1).type, T_REF);
    EXPECT_EQ(stack_at(1).slot.ref, -1);
    EXPECT_STREQ(stack_at(1).name, "NEWNAME");
    EXPECT_EQ(stack_at(2).type, T_REF);
    EXPECT_EQ(stack_at(3).type, T_INT);
    EXPECT_EQ(stack_at(3).slot.i32, 2);
    EXPECT_EQ(stack_at(4).type, T_INT);
    EXPECT_EQ(stack_at(5).type, T_STRING);
    EXPECT_EQ(list("A, NEWNAME", 0), -1);
    EXPECT_EQ(console->output, " >>>> Undefined identifier NEWNAME\n");
}

// Test functions: SUM adds its INT arguments; KIND returns the type code of its first argument.
bool sum_function(int base)
{
    std::int32_t total = 0;
    for (int i = base; i < stack_depth(); ++i)
        total += stack_at(i).slot.i32;
    pop_to(base);
    return push_int(total);
}

bool kind_function(int base)
{
    int type = stack_depth() > base ? stack_at(base).type : -1;
    pop_to(base);
    return push_int(type);
}

const BuiltinFunction test_functions[] = {
    {"SUM", 0, &sum_function},
    {"KIND", 1, &kind_function},
};

TEST_F(RuntimeEvaluatorTest, FunctionCallsUseTheirOwnReferenceFlag)
{
    set_function_table(test_functions, 2);
    run({"A = 2"});
    EXPECT_EQ(list("SUM(1, 2, A) * 2, SUM(), KIND(A), KIND(A + 1), KIND(UNKNOWN), KIND(SUM(A))"), 6);
    EXPECT_EQ(stack_at(0).slot.i32, 10);
    EXPECT_EQ(stack_at(1).slot.i32, 0);
    EXPECT_EQ(stack_at(2).slot.i32, T_REF);
    EXPECT_EQ(stack_at(3).slot.i32, T_INT);
    EXPECT_EQ(stack_at(4).slot.i32, T_REF);
    EXPECT_EQ(stack_at(5).slot.i32, T_INT);
    EXPECT_EQ(console->output, "");
    EXPECT_EQ(list("SUM 1"), -1);
    EXPECT_EQ(list("SUM(1"), -1);
    EXPECT_EQ(console->output, " >>>> Syntax error - Expected '('\n >>>> Syntax error - Expected ')'\n");
    // A built-in function used as a statement runs and its result is dropped.
    EXPECT_EQ(run({"SUM(1, 2)", "NOSUCH(1)", "SUM(1) 2"}),
              " >>>> Undefined routine NOSUCH\n >>>> Syntax error - Expected end of line\n");
    EXPECT_EQ(stack_depth(), 0);
}

TEST_F(RuntimeEvaluatorTest, BlockHandlerSeesEveryStatementFirst)
{
    static std::string seen;
    seen.clear();
    set_block_handler([](const StatementView& s) {
        seen += std::string(s.first_word) + "/" + std::to_string(s.second_token) + " ";
        if (s.first_word != "IF")
            return false;
        // A one-line IF whose statement follows the closing parenthesis.
        std::size_t close = s.text.find(')');
        execute_simple_statement(s.text.substr(close + 1));
        return true;
    });
    EXPECT_EQ(run({"IF (1) PRINT 5", "X = 2", "ENDIF"}), "              5 \n >>>> Undefined command ENDIF\n");
    EXPECT_EQ(seen, "IF/40 X/61 ENDIF/-1 ");
    set_block_handler(nullptr);
    EXPECT_EQ(run({"ENDIF", "PRINT X"}), " >>>> Undefined command ENDIF\n              2 \n");
    control_state().skipping = true;
    EXPECT_EQ(run({"PRINT X", "ENDIF", "X = 3", "SKIPPED:"}), "");
    control_state().skipping = false;
    EXPECT_GE(find_label("SKIPPED"), 0);  // labels are defined while skipping
    set_labels_defined(0, false);
    EXPECT_EQ(run({"PRINT X"}), "              2 \n");
}

TEST_F(RuntimeEvaluatorTest, FunctionLookupKeepsTableOrder)
{
    static const BuiltinFunction rows[] = {
        {"ABS", 0, &sum_function}, {"ARG", 0, &sum_function}, {"ABS", 1, &kind_function}, {"BYTE", 1, &kind_function}};
    set_function_table(rows, 4);
    EXPECT_EQ(lookup_function("ABS"), 0);
    EXPECT_EQ(lookup_function("ARG"), 1);
    EXPECT_EQ(lookup_function("BYTE"), 3);
    EXPECT_EQ(lookup_function("AB"), -1);
    EXPECT_EQ(lookup_function(""), -1);
    EXPECT_EQ(function_flag(3), 1);
    set_function_table(nullptr, 0);
    EXPECT_EQ(lookup_function("ABS"), -1);
}

TEST_F(RuntimeEvaluatorTest, StackGuards)
{
    EXPECT_EQ(apply_binary(TK_PLUS), OpStatus::hard);
    push_int(1);
    EXPECT_EQ(apply_power(), OpStatus::hard);
    pop_one();
    pop_one();
    EXPECT_EQ(stack_depth(), 0);
    push_int(1);
    push_int(2);
    EXPECT_EQ(apply_binary(999), OpStatus::hard);
    EXPECT_EQ(console->output, " >>>> Too few stack elements\n >>>> Too few stack elements\n"
                               " >>>> Negative stack counter\nNot allowed Stack operation 999\n");
    pop_to(0);
    console->output.clear();
    for (int i = 0; i < stack_capacity; ++i)
        ASSERT_TRUE(push_int(i));
    EXPECT_FALSE(push_int(99));
    EXPECT_FALSE(push_string("x"));
    EXPECT_EQ(stack_depth(), stack_capacity);
    EXPECT_EQ(console->output, " >>>> Evaluation stack overflow\n >>>> Evaluation stack overflow\n");
    pop_to(0);
}

TEST_F(RuntimeEvaluatorTest, PushingCopiesAndCharScalarsBecomeInt)
{
    Value c{};
    c.type = T_CHAR;
    c.count = 1;
    c.slot.ch = static_cast<char>(0xC8);
    ASSERT_TRUE(push_value(c));
    EXPECT_EQ(stack_top().type, T_INT);
    EXPECT_EQ(stack_top().slot.i32, -56);
    Value r{};
    r.type = T_REF;
    EXPECT_FALSE(push_value(r));
    EXPECT_EQ(console->output, " >>>> Not allowed operand\n");
    run({"S = 'abc'"});
    EXPECT_EQ(list("S"), 1);
    EXPECT_NE(stack_at(0).slot.text, variable(find_variable("S")).slot.text);
}

TEST_F(RuntimeEvaluatorTest, OperatorPrecedence)
{
    EXPECT_EQ(list("1 + 2 * 3, (1 + 2) * 3, 1 < 2 == 1, 1 || 0 && 0, -2**2, 2**3**2, 10 - 4 - 3, 2 * 3 % 4, !0 + 1"),
              9);
    const int expected[] = {7, 9, 1, 0, -4, 512, 3, 2, 2};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(stack_at(i).slot.i32, expected[i]) << i;
}

TEST_F(RuntimeEvaluatorTest, SubscriptSelectionsWalkLikeAnOdometer)
{
    run({"INT A[2,3,2]"});
    Value& a = variable(find_variable("A"));
    for (int i = 0; i < 12; ++i)
        static_cast<std::int32_t*>(a.slot.block)[i] = i;
    EXPECT_EQ(list("A[1,*,1], A[*,2,0], A[0:1,1:2,:], A[1,2,1]"), 4);
    EXPECT_EQ(stack_at(0).count, 3);
    EXPECT_EQ(static_cast<std::int32_t*>(stack_at(0).slot.block)[2], 11);
    EXPECT_EQ(static_cast<std::int32_t*>(stack_at(1).slot.block)[1], 10);
    const int walk[] = {2, 3, 4, 5, 8, 9, 10, 11};
    ASSERT_EQ(stack_at(2).count, 8);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(static_cast<std::int32_t*>(stack_at(2).slot.block)[k], walk[k]);
    EXPECT_EQ(stack_at(3).type, T_INT);
    EXPECT_EQ(stack_at(3).slot.i32, 11);
}

}  // namespace
}  // namespace korvan::kfl
