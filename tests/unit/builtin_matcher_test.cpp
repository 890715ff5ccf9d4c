// The parameter-signature matcher and the function table built on it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binding/signature_matcher.hpp"
#include "interp/builtins.hpp"
#include "interp/eval_stack.hpp"
#include "interp/function_table.hpp"
#include "interp/value.hpp"
#include "interp/variable_table.hpp"
#include "tests/support/builtin_session.hpp"

namespace korvan {
namespace {

using binding::MatchAction;
using binding::MatchArgument;

bool fits(std::string_view signature, std::vector<MatchArgument> args, std::vector<MatchAction>* out = nullptr)
{
    std::vector<MatchAction> actions;
    bool ok = binding::match_signature(signature, args, actions);
    EXPECT_EQ(actions.size(), args.size());
    if (out != nullptr)
        *out = actions;
    return ok;
}

TEST(SignatureMatcher, ArgumentCodesOfEveryType)
{
    using namespace kfl;
    const std::pair<int, const char*> codes[] = {
        {T_CHAR, "C"},        {T_BYTE, "B"},         {T_SHORT, "H"},        {T_INT, "I"},
        {T_FLOAT, "F"},       {T_DOUBLE, "D"},       {T_COMPLEX, "?"},      {T_STRING, "S"},
        {T_CHAR_ARRAY, "S"},  {T_BYTE_ARRAY, "BR"},  {T_SHORT_ARRAY, "HR"}, {T_INT_ARRAY, "IR"},
        {T_FLOAT_ARRAY, "FR"}, {T_DOUBLE_ARRAY, "DR"}, {T_COMPLEX_ARRAY, "?"}};
    for (const auto& [type, code] : codes)
        EXPECT_EQ(binding::argument_code(type), code) << type;
}

TEST(SignatureMatcher, ExactCodesCountsAndEmptySignatures)
{
    EXPECT_TRUE(fits("FR,FR,I", {{"FR", false}, {"FR", false}, {"I", false}}));
    EXPECT_FALSE(fits("FR,FR,I", {{"FR", false}, {"IR", false}, {"I", false}}));
    EXPECT_FALSE(fits("FR,FR,I", {{"FR", false}, {"FR", false}, {"D", false}}));  // I never takes a real
    EXPECT_FALSE(fits("FR,FR,I", {{"FR", false}, {"FR", false}}));                 // missing
    EXPECT_FALSE(fits("I", {{"I", false}, {"I", false}}));                         // surplus
    EXPECT_TRUE(fits("", {}));
    EXPECT_FALSE(fits("", {{"I", false}}));
    EXPECT_FALSE(fits("I", {}));
    EXPECT_FALSE(fits("I", {{"B", false}}));  // a BYTE is no INT
}

TEST(SignatureMatcher, WildcardCodes)
{
    std::vector<MatchAction> actions;
    EXPECT_TRUE(fits("X,X", {{"I", false}, {"D", false}}, &actions));
    EXPECT_EQ(actions[0], MatchAction::to_double);
    EXPECT_EQ(actions[1], MatchAction::none);
    EXPECT_FALSE(fits("X", {{"S", false}}));
    EXPECT_TRUE(fits("*", {{"?", false}}));
    EXPECT_TRUE(fits("*", {{"U", false}}));
    EXPECT_FALSE(fits("*", {}));
    EXPECT_TRUE(fits(".", {}));
    EXPECT_TRUE(fits(".", {{"I", false}, {"S", false}, {"?", false}}));
    EXPECT_TRUE(fits("S,.", {{"S", false}, {"I", false}}));
    EXPECT_FALSE(fits("S,.", {{"I", false}}));
    EXPECT_TRUE(fits("AR", {{"BR", false}}));
    EXPECT_FALSE(fits("AR", {{"S", false}}));  // a CHAR array counts as a text
    EXPECT_FALSE(fits("AR", {{"?", false}}));
    EXPECT_TRUE(fits("U,U", {{"U", false}, {"IR", true}}));
    EXPECT_FALSE(fits("U", {{"I", false}}));  // a value, not a name
    EXPECT_TRUE(fits("V", {{"S", true}}, &actions));
    EXPECT_EQ(actions[0], MatchAction::leave_out);
    EXPECT_FALSE(fits("V", {{"U", false}}));
}

TEST(SignatureMatcher, MismatchLines)
{
    EXPECT_EQ(binding::mismatch_lines("CURVE", "FR,IR,I", "FR,FR,I"),
              "      User   : CURVE (FR,IR,I)\n      Correct: CURVE (FR,FR,I)\n");
    EXPECT_EQ(binding::join_codes({{"FR", false}, {"U", false}}), "FR,U");
    EXPECT_EQ(binding::join_codes({}), "");
}

TEST(FunctionTable, NinetyOneRowsInTableOrder)
{
    kfl::install_builtins();
    EXPECT_EQ(kfl::builtin_count, 91);
    EXPECT_STREQ(kfl::builtin_row(0).name, "ABS");
    EXPECT_STREQ(kfl::builtin_row(73).name, "VARTYP");
    EXPECT_STREQ(kfl::builtin_row(74).name, "ACOS");
    EXPECT_STREQ(kfl::builtin_row(90).name, "TANH");
    for (int i = 0; i < kfl::builtin_count; ++i) {
        const kfl::BuiltinRow& row = kfl::builtin_row(i);
        EXPECT_EQ(kfl::lookup_function(row.name), i) << row.name;
        EXPECT_EQ(kfl::function_flag(i), row.flag) << row.name;
    }
    EXPECT_EQ(kfl::lookup_function("FGETS"), 25);
    EXPECT_STREQ(kfl::builtin_row(25).signature, "S,I,I");
    EXPECT_EQ(kfl::builtin_row(25).flag, 1);
    EXPECT_STREQ(kfl::builtin_row(47).signature, "X,I");  // NUMTOA
    EXPECT_EQ(kfl::lookup_function("sqrt"), -1);            // names are upper case
    EXPECT_EQ(kfl::lookup_function("CURVE"), -1);
    kfl::set_function_table(nullptr, 0);
}

using MatchOnStack = test::BuiltinSession;

TEST_F(MatchOnStack, MismatchReportAndNoEffect)
{
    EXPECT_EQ(run({"X = SUBSTR(1, 2, 3)"}),
              " >>>> Parameter mismatch\n      User   : SUBSTR (I,I,I)\n      Correct: SUBSTR (S,I,I)\n");
    EXPECT_EQ(kfl::find_variable("X"), -1);
    EXPECT_EQ(run({"X = CLOCK(1)"}), " >>>> Parameter mismatch\n      User   : CLOCK (I)\n      Correct: CLOCK ()\n");
    EXPECT_EQ(run({"X = STRLEN()"}), " >>>> Parameter mismatch\n      User   : STRLEN ()\n      Correct: STRLEN (S)\n");
    EXPECT_EQ(kfl::stack_depth(), 0);
}

TEST_F(MatchOnStack, IntegerForRealIsConvertedBeforeTheCall)
{
    EXPECT_EQ(run({"N = 3", "S = NUMTOA(N, 1)", "PRINT S"}), "     3.0\n");
    // The argument was a value copy: the variable keeps its type.
    EXPECT_EQ(kfl::variable(kfl::find_variable("N")).type, kfl::T_INT);
}

TEST_F(MatchOnStack, ReferenceArgumentsUseTheVariablesType)
{
    EXPECT_EQ(run({"A = {1, 2}", "X = VARDIM(A, 1.5)"}),
              " >>>> Parameter mismatch\n      User   : VARDIM (IR,D)\n      Correct: VARDIM (U,I)\n");
    EXPECT_EQ(run({"X = MAXARR(UNDEFINED)"}),
              " >>>> Parameter mismatch\n      User   : MAXARR (U)\n      Correct: MAXARR (AR)\n");
}

}  // namespace
}  // namespace korvan
