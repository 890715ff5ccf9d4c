#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "interp/function_table.hpp"
#include "interp/label_table.hpp"
#include "interp/system_variables.hpp"
#include "interp/value.hpp"
#include "interp/variable_table.hpp"
#include "tests/support/runtime_session.hpp"

namespace korvan::kfl {
namespace {

using RuntimeValuesTest = test::RuntimeSession;

TEST_F(RuntimeValuesTest, TypeNamesCodesAndSizes)
{
    EXPECT_STREQ(type_name(0), "FREE");
    EXPECT_STREQ(type_name(1), "NONE");
    EXPECT_STREQ(type_name(4), "NONE");
    EXPECT_STREQ(type_name(8), "INT");
    EXPECT_STREQ(type_name(12), "STRING");
    EXPECT_STREQ(type_name(13), "CHAR");
    EXPECT_STREQ(type_name(19), "COMPLEX");
    EXPECT_STREQ(type_name(20), "NONE");
    EXPECT_STREQ(type_name(-3), "NONE");
    EXPECT_EQ(type_code("INT", false), 8);
    EXPECT_EQ(type_code("INT", true), 16);
    EXPECT_EQ(type_code("STRING", true), 12);
    EXPECT_EQ(type_code("COMPLEX", true), 19);
    EXPECT_EQ(type_code("CHAR", false), 5);
    EXPECT_EQ(console->output, "");
    EXPECT_EQ(type_code("REAL", false), -1);
    EXPECT_EQ(console->output, " >>>> Undefined type REAL\n");
    const int sizes[20] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 4, 4, 8, 8};
    for (int code = 0; code < 20; ++code)
        EXPECT_EQ(element_size(code), sizes[code]) << code;
}

TEST_F(RuntimeValuesTest, CopiesAreDeepAndMovesTransferOwnership)
{
    Value a{};
    std::int32_t dims[2] = {2, 3};
    ASSERT_TRUE(make_array(a, T_INT_ARRAY, 6, 2, dims));
    static_cast<std::int32_t*>(a.slot.block)[5] = 42;
    Value b{};
    ASSERT_TRUE(copy_value(b, a));
    EXPECT_NE(b.slot.block, a.slot.block);
    EXPECT_NE(b.dim_list, a.dim_list);
    EXPECT_EQ(b.dim_list[1], 3);
    static_cast<std::int32_t*>(a.slot.block)[5] = 7;
    EXPECT_EQ(static_cast<std::int32_t*>(b.slot.block)[5], 42);
    Value c{};
    set_name(c, "keep");
    void* block = b.slot.block;
    move_value(c, b);
    EXPECT_EQ(c.slot.block, block);
    EXPECT_EQ(b.type, T_FREE);
    EXPECT_STREQ(c.name, "KEEP");
    release(a);
    release(c);
    EXPECT_EQ(a.type, T_FREE);
    EXPECT_EQ(a.dim_list, nullptr);
}

TEST_F(RuntimeValuesTest, OversizedBlocksReportNotEnoughMemory)
{
    Value a{};
    EXPECT_FALSE(make_array(a, T_DOUBLE_ARRAY, 0x7FFFFFFF, 1, nullptr));
    EXPECT_EQ(a.type, T_FREE);
    EXPECT_EQ(console->output, " >>>> Not enough memory\n");
    EXPECT_TRUE(make_array(a, T_DOUBLE_ARRAY, 0, 1, nullptr));
    EXPECT_NE(a.slot.block, nullptr);  // zero elements still get a block
    release(a);
}

TEST_F(RuntimeValuesTest, FindUsesLevelsButSystemNamesAreGlobal)
{
    run({"A = 1", "%XMIN = 2"});
    ASSERT_GE(find_variable("A"), 0);
    set_routine_level(1);
    EXPECT_EQ(find_variable("A"), -1);
    EXPECT_GE(find_variable("%XMIN"), 0);
    EXPECT_EQ(run({"B = A"}), " >>>> Undefined identifier A\n");
    run({"A = 5"});
    int inner = find_variable("A");
    set_routine_level(0);
    int outer = find_variable("A");
    EXPECT_NE(inner, outer);
    EXPECT_EQ(variable(outer).slot.i32, 1);
    free_level(1);
    EXPECT_EQ(variable(inner).type, T_FREE);
    EXPECT_EQ(variable(outer).type, T_INT);
}

TEST_F(RuntimeValuesTest, ReferenceEntriesReadAndWriteThrough)
{
    run({"A = 1"});
    int target = find_variable("A");
    set_routine_level(1);
    int ref = allocate_variable();
    ASSERT_GE(ref, 0);
    set_name(variable(ref), "X");
    variable(ref).level = 1;
    variable(ref).type = T_REF;
    variable(ref).slot.ref = target;
    EXPECT_EQ(find_variable("X"), target);
    EXPECT_EQ(find_entry("X"), ref);
    EXPECT_EQ(run({"X = X + 41", "PRINT X", "LIST X"}),
              "             42 \n Name : X       , Type : INT     , Count: 1, Value: 42\n");
    set_routine_level(0);
    EXPECT_EQ(variable(target).slot.i32, 42);
    EXPECT_STREQ(variable(target).name, "A");
}

TEST_F(RuntimeValuesTest, FiveHundredVariablesAtMost)
{
    for (int i = 0; i < variable_capacity; ++i)
        kfl::execute("V" + std::to_string(i) + " = " + std::to_string(i));
    EXPECT_EQ(console->output, "");
    EXPECT_EQ(run({"EXTRA = 1", "INT ARR[2]", "Q = {1}"}), " >>>> Maximal number of variables is reached\n"
                                                           " >>>> Maximal number of variables is reached\n"
                                                           " >>>> Maximal number of variables is reached\n");
    // Existing variables can still be replaced.
    EXPECT_EQ(run({"V499 = 'text'", "PRINT V499, V0"}), "     text\n              0 \n");
    run({"FREE V7"});
    EXPECT_EQ(run({"EXTRA = 1", "PRINT EXTRA"}), "              1 \n");
    EXPECT_EQ(find_variable("EXTRA"), 7);
}

TEST_F(RuntimeValuesTest, ReservedIdentifiersCannotBeAssigned)
{
    static const BuiltinFunction rows[] = {{"ONE", 0, [](int base) { return push_int(1) && base >= 0; }}};
    set_function_table(rows, 1);
    EXPECT_EQ(run({"ONE = 2", "PRINT ONE()"}), " >>>> Reserved identifier ONE\n              1 \n");
    EXPECT_EQ(find_entry("ONE"), -1);
    // Declarations make no such check.
    EXPECT_EQ(run({"INT ONE[2]"}), "");
    EXPECT_GE(find_entry("ONE"), 0);
}

TEST_F(RuntimeValuesTest, FunctionLookupMatchesWholeNamesInTableOrder)
{
    static const BuiltinFunction rows[] = {
        {"SIN", 0, nullptr}, {"SINH", 0, nullptr}, {"S", 0, nullptr}, {"SIN", 1, nullptr}, {"COS", 0, nullptr},
        {"SQRSUMOFSQUARES_XY", 0, nullptr}, {"SQ", 0, nullptr}};
    set_function_table(rows, 7);
    EXPECT_EQ(lookup_function("SIN"), 0);  // the first of two rows of one name
    EXPECT_EQ(lookup_function("SINH"), 1);
    EXPECT_EQ(lookup_function("S"), 2);
    EXPECT_EQ(lookup_function("COS"), 4);
    // Lengths 18 and 2 share a bucket; the whole name still decides.
    EXPECT_EQ(lookup_function("SQRSUMOFSQUARES_XY"), 5);
    EXPECT_EQ(lookup_function("SQ"), 6);
    EXPECT_EQ(lookup_function("SQRSUMOFSQUARES_XZ"), -1);
    EXPECT_EQ(lookup_function("SX"), -1);
    EXPECT_EQ(lookup_function("SI"), -1);  // prefixes and extensions are other names
    EXPECT_EQ(lookup_function("SINHX"), -1);
    EXPECT_EQ(lookup_function("sin"), -1);  // names arrive upper case
    EXPECT_EQ(lookup_function(std::string_view("SINH", 3)), 0);
    EXPECT_EQ(lookup_function(""), -1);
    set_function_table(nullptr, 0);
    EXPECT_EQ(lookup_function("SIN"), -1);
}

TEST_F(RuntimeValuesTest, LabelTableHoldsHundredLabelsPerLevel)
{
    clear_labels();
    for (int i = 0; i < label_capacity; ++i)
        ASSERT_GE(allocate_label("L" + std::to_string(i)), 0);
    EXPECT_EQ(allocate_label("MORE"), -1);
    EXPECT_EQ(console->output, " >>>> Maximal number of labels is reached\n");
    EXPECT_EQ(find_label("L42"), 42);
    set_routine_level(1);
    EXPECT_EQ(find_label("L42"), -1);
    set_routine_level(0);
    clear_labels_of_level(0);
    EXPECT_EQ(find_label("L42"), -1);
    EXPECT_GE(allocate_label("AGAIN"), 0);
    clear_labels();
}

TEST_F(RuntimeValuesTest, LabelStatementsRecordTheirPosition)
{
    clear_labels();
    FrontEnd& fe = front_end();
    EXPECT_EQ(run({"START:", "X = 1", "START:"}), " >>>> Multiple defined label START\n");
    EXPECT_TRUE(fe.buffer.store_mode);
    EXPECT_TRUE(labels_defined(0));
    ASSERT_EQ(fe.buffer.count(), 3);
    EXPECT_EQ(fe.buffer.at(0), "START:");
    int index = find_label("START");
    ASSERT_GE(index, 0);
    EXPECT_EQ(label(index).position, 0);
    // Replayed, the label is reused without a message.
    fe.buffer.current = 0;
    EXPECT_EQ(run({fe.buffer.at(0)}), "");
    EXPECT_EQ(label(index).position, 0);
    set_labels_defined(0, false);
    clear_labels();
}

std::string last_system_assignment;

TEST_F(RuntimeValuesTest, SystemVariablesKeepTheirTypeAndAreAnnounced)
{
    last_system_assignment.clear();
    set_system_variable_hook([](std::string_view name, int index) {
        last_system_assignment = std::string(name) + "=" + type_name(variable(index).type);
    });
    EXPECT_EQ(run({"%XMIN = 2", "%XLEN = 1.5", "%NOSUCH = 1"}),
              " >>>> Variable %XLEN must be of type INT\n >>>> Undefined system variable %NOSUCH\n");
    EXPECT_EQ(last_system_assignment, "%XMIN=DOUBLE");
    EXPECT_EQ(find_entry("%XLEN"), -1);
    run({"FLOAT F[1]", "F[0] = 0.5", "%YMAX = F[0]"});
    EXPECT_EQ(last_system_assignment, "%YMAX=DOUBLE");
    EXPECT_DOUBLE_EQ(variable(find_variable("%YMAX")).slot.f64, 0.5);
    set_system_variable_hook(nullptr);
}

TEST_F(RuntimeValuesTest, StartupVariables)
{
    define_startup_string("%ARG1", "first");
    define_startup_int("%NARGS", 1);
    EXPECT_EQ(startup_value_text("%ARG1"), "first");
    EXPECT_EQ(startup_value_text("%NARGS"), "1");
    EXPECT_FALSE(startup_value_text("%ARG2").has_value());
    EXPECT_EQ(run({"LIST"}), " Name : %ARG1   , Type : STRING  , Count: 5, Value: first\n"
                             " Name : %NARGS  , Type : INT     , Count: 1, Value: 1\n");
}

}  // namespace
}  // namespace korvan::kfl
