// Built-in functions run through statements: results, messages and the state
// they leave behind (stack, variables, ownership).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "interp/builtins.hpp"
#include "interp/eval_stack.hpp"
#include "interp/variable_table.hpp"
#include "tests/support/builtin_session.hpp"

namespace korvan::kfl {
namespace {

using BuiltinFunctions = test::BuiltinSession;

TEST_F(BuiltinFunctions, ConversionsOfScalars)
{
    EXPECT_EQ(run({"A = INT(2.9)", "B = INT(-2.9)", "C = SHORT(-32768.7)"}), "");
    EXPECT_EQ(var("A").slot.i32, 2);
    EXPECT_EQ(var("B").slot.i32, -2);
    EXPECT_EQ(var("C").slot.i16, -32768);
    EXPECT_EQ(var("C").type, T_SHORT);
    EXPECT_EQ(run({"D = INT(3.0e10)"}), " >>>> Overflow in routine INT\n");
    EXPECT_EQ(var("D").slot.i32, 0);
    EXPECT_EQ(run({"E = INT(-2147483648.0)", "F = INT(2147483648.0)"}), " >>>> Overflow in routine INT\n");
    EXPECT_EQ(var("E").slot.i32, INT32_MIN);
    EXPECT_EQ(run({"G = BYTE(255)", "H = CHAR(-128)", "I = CHAR(128)"}), " >>>> Overflow in routine CHAR\n");
    EXPECT_EQ(var("G").slot.u8, 255);
    EXPECT_EQ(var("H").slot.ch, -128);
    EXPECT_EQ(run({"J = FLOAT(-3.5e38)", "K = DOUBLE(1.0e300)"}), " >>>> Overflow in routine FLOAT\n");
    EXPECT_EQ(var("K").slot.f64, 1.0e300);
}

TEST_F(BuiltinFunctions, ConversionOfAVariableLeavesItAlone)
{
    EXPECT_EQ(run({"A = {1.5, 2.5}", "B = INT(A)", "C = STRING(\"x\")"}), "");
    const Value& a = var("A");
    EXPECT_EQ(a.type, T_FLOAT_ARRAY);
    EXPECT_EQ(static_cast<float*>(a.slot.block)[1], 2.5f);
    const Value& b = var("B");
    EXPECT_EQ(b.type, T_INT_ARRAY);
    EXPECT_NE(b.slot.block, a.slot.block);  // an own block
    EXPECT_EQ(static_cast<std::int32_t*>(b.slot.block)[1], 2);
    EXPECT_EQ(stack_depth(), 0);
}

TEST_F(BuiltinFunctions, StringResultsAreTerminatedCopies)
{
    EXPECT_EQ(run({"S = STRING(65)", "T = STRREP(S, 4)", "U = SUBSTR(T, 1, 2)"}), "");
    EXPECT_STREQ(var("S").slot.text, "A");
    EXPECT_STREQ(var("T").slot.text, "AAAA");
    EXPECT_EQ(var("T").count, 4);
    EXPECT_STREQ(var("U").slot.text, "AA");
    EXPECT_EQ(run({"V = STRREP(T, 1000000000)"}), " >>>> Not enough memory\n");
    EXPECT_EQ(find_variable("V"), -1);
    EXPECT_EQ(run({"W = STRREP(T, -3)"}), "");
    EXPECT_EQ(var("W").count, 0);
}

TEST_F(BuiltinFunctions, NumbersAsText)
{
    EXPECT_EQ(run({"A = NUMTOA(3.14159, 2)", "B = NUMTOA(-2.5, -1)", "C = NUMTOA(-0.4, -1)",
                   "D = NUMTOA(1.0, 1000)", "E = NUMTOA(3.4e38, 0)", "F = FLOAT(2.25)", "G = NUMTOA(F, 1)"}),
              "");
    EXPECT_STREQ(var("A").slot.text, "3.14");
    EXPECT_STREQ(var("B").slot.text, "-3");
    EXPECT_STREQ(var("C").slot.text, "0");
    EXPECT_EQ(var("D").count, 102);  // the digits are bounded
    EXPECT_EQ(var("E").count, 39);
    EXPECT_STREQ(var("G").slot.text, "2.2");  // a FLOAT is taken as it is
    EXPECT_EQ(run({"F = ATONUM(\"  -17abc\")", "G = ATONUM(\"99999999999\")", "H = ATONUM(\"1.5e3.7\")"}), "");
    EXPECT_EQ(var("F").slot.i32, -17);
    EXPECT_EQ(var("G").slot.i32, INT32_MAX);
    EXPECT_EQ(var("H").slot.f64, 1500.0);
}

TEST_F(BuiltinFunctions, AbsoluteValuesWithoutOverflowFaults)
{
    EXPECT_EQ(run({"A = ABS(-2147483647 - 1)", "B = ABS(COMPLEX(-3.0, 4.0))"}), "");
    EXPECT_EQ(var("A").slot.i32, INT32_MIN);  // wraps as the machine does, no fault
    EXPECT_EQ(var("B").type, T_DOUBLE);
    EXPECT_DOUBLE_EQ(var("B").slot.f64, 5.0);
}

TEST_F(BuiltinFunctions, ArraysAndTheirBounds)
{
    EXPECT_EQ(run({"A = IALLOC(10)", "B = SUBARR(A, 8, 5)", "C = SUBARR(A, 9, 2147483647)"}), "");
    EXPECT_EQ(var("B").count, 2);
    EXPECT_EQ(var("C").count, 1);
    EXPECT_EQ(static_cast<std::int32_t*>(var("C").slot.block)[0], 9);
    EXPECT_EQ(run({"D = SUBARR(A, 10, 1)"}), " >>>> Parameter 2 is out of range in SUBARR\n");
    EXPECT_EQ(find_variable("D"), -1);
    EXPECT_EQ(run({"E = IALLOC(2147483647)"}), " >>>> Not enough memory\n");
    EXPECT_EQ(run({"F = MAXARR(A)", "G = MINARR(FALLOC(3))"}), "");
    EXPECT_EQ(var("F").type, T_INT);
    EXPECT_EQ(var("F").slot.i32, 9);
    EXPECT_EQ(var("G").type, T_DOUBLE);
    EXPECT_EQ(run({"H = MAXARR(IALLOC(0))"}), " >>>> Illegal parameter in MAXARR\n");
}

TEST_F(BuiltinFunctions, ComplexTangentAtAPole)
{
    EXPECT_EQ(run({"Z = TAN(COMPLEX(1.5707964, 0.0))"}), " >>>> Operand out of range in TAN\n");
    EXPECT_EQ(find_variable("Z"), -1);
    EXPECT_EQ(run({"Z = TANH(COMPLEX(0.0, 1.5707964))"}), " >>>> Operand out of range in TANH\n");
}

TEST_F(BuiltinFunctions, ArrayMathComputesTheOthers)
{
    EXPECT_EQ(run({"A = {4.0, -1.0, 9.0}", "B = SQRT(A)"}), " >>>> Negative operand in SQRT\n");
    EXPECT_EQ(find_variable("B"), -1);
    // The argument was a copy: the variable is unchanged.
    EXPECT_EQ(static_cast<float*>(var("A").slot.block)[0], 4.0f);
    EXPECT_EQ(run({"C = SQRT(IALLOC(3))"}), "");
    EXPECT_EQ(var("C").type, T_FLOAT_ARRAY);
    EXPECT_EQ(static_cast<float*>(var("C").slot.block)[2], std::sqrt(2.0f));
}

TEST_F(BuiltinFunctions, StatementCallsDropTheirResult)
{
    EXPECT_EQ(run({"PRINTF(\"%d\\n\", 5)", "STRLEN(\"abc\")"}), "5\n");
    EXPECT_EQ(stack_depth(), 0);
    EXPECT_EQ(run({"STRLEN(\"abc\") 5"}), " >>>> Syntax error - Expected end of line\n");
}

TEST_F(BuiltinFunctions, ResultsInsideExpressions)
{
    EXPECT_EQ(run({"X = STRLEN(\"abcd\") * 2 + INT(SQRT(9))"}), "");
    EXPECT_EQ(var("X").slot.i32, 11);
    // A failing function abandons the expression.
    EXPECT_EQ(run({"Y = 1 + SUBSTR(\"ab\", 5, 1)"}), " >>>> Parameter 2 out of range SUBSTR\n");
    EXPECT_EQ(find_variable("Y"), -1);
    EXPECT_EQ(stack_depth(), 0);
}

TEST_F(BuiltinFunctions, VariablesByName)
{
    EXPECT_EQ(run({"INT A[3,5]", "B = VARDIM(A, 2)", "C = VARDIM(A, 3)", "D = VARDEF(NOPE)", "E = VARCNT(NOPE)",
                   "F = VARTYP(A)", "G = VARDIM(NOPE, 1)"}),
              "");
    EXPECT_EQ(var("B").slot.i32, 5);
    EXPECT_EQ(var("C").slot.i32, 0);
    EXPECT_EQ(var("D").slot.i32, 0);
    EXPECT_EQ(var("E").slot.i32, -1);
    EXPECT_STREQ(var("F").slot.text, "INT");
    EXPECT_EQ(var("G").slot.i32, -1);
    EXPECT_EQ(find_variable("NOPE"), -1);  // asking does not create it
}

TEST_F(BuiltinFunctions, ReservedNames)
{
    EXPECT_EQ(run({"STRLEN = 4"}), " >>>> Reserved identifier STRLEN\n");
    EXPECT_EQ(run({"DATMAT = 4"}), " >>>> Reserved identifier DATMAT\n");
}

}  // namespace
}  // namespace korvan::kfl
