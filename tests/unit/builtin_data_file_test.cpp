// Data files: scanning, reading numbers and header values, with broken files
// and the state kept between calls.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "interp/builtins.hpp"
#include "interp/data_file.hpp"
#include "interp/decimal_number.hpp"
#include "interp/eval_stack.hpp"
#include "interp/variable_table.hpp"
#include "tests/support/builtin_session.hpp"
#include "tests/support/temp_dir.hpp"

namespace korvan::kfl {
namespace {

class DataFiles : public test::BuiltinSession {
protected:
    float element(const char* name, int i) { return static_cast<const float*>(var(name).slot.block)[i]; }

    test::TempDir dir;
};

TEST_F(DataFiles, TwoByTwoBlock)
{
    dir.write("m.kdf", "%kfl-asc\n%DATA\n2\n1, 2\n3 4 // comment\n");
    EXPECT_EQ(run({"R = DATFIL(\"m\")", "M = DATMAT()", "C = DATRAY(2)"}), "");
    EXPECT_EQ(var("R").slot.i32, 0);
    const Value& m = var("M");
    EXPECT_EQ(m.type, T_FLOAT_ARRAY);
    EXPECT_EQ(m.dims, 2);
    EXPECT_EQ(m.dim_list[0], 2);
    EXPECT_EQ(m.dim_list[1], 2);
    EXPECT_EQ(element("M", 3), 4.0f);
    EXPECT_EQ(var("C").count, 2);
    EXPECT_EQ(element("C", 0), 2.0f);
    EXPECT_EQ(element("C", 1), 4.0f);
}

TEST_F(DataFiles, ScanMessagesAreLinesOfTheirOwn)
{
    dir.write("count.kdf", "%KFL-ASC\n%DATA\n3\n1 2 3 4 5 6 7\n");
    dir.write("tab.kdf", "%KFL-ASC\n%DATA\n2\n1\t2\n");
    EXPECT_EQ(run({"R = DATFIL(\"count\")"}), " >>>> Count error\n");
    EXPECT_EQ(var("R").slot.i32, -1);
    EXPECT_EQ(run({"R = DATFIL(\"tab\")"}), " >>>> Syntax error in data file tab.kdf in record 4\n");
    EXPECT_EQ(run({"R = DATCNT(\"ROW\")"}), " >>>> Missing routine DATFIL\n");
}

TEST_F(DataFiles, MissingBlockKeepsTheCurrentOne)
{
    dir.write("b.kdf", "%KFL-ASC\n%DATA\n1\n1 2\n%DATA\n2\n1 2 3 4 5 6\n");
    EXPECT_EQ(run({"R = DATFIL(\"b\")", "Q = DATBLK(2)", "N = DATCNT(\"ROW\")"}), "");
    EXPECT_EQ(var("N").slot.i32, 3);
    EXPECT_EQ(run({"Q = DATBLK(3)", "N = DATCNT(\"ROW\")"}), " >>>> Cannot find block 3 in data file b.kdf\n");
    EXPECT_EQ(var("Q").slot.i32, -1);
    EXPECT_EQ(var("N").slot.i32, 3);
    // The block number survives closing and reopening.
    EXPECT_EQ(run({"Q = DATCLS()", "Q = DATBLK(1)", "Q = DATBLK(2)", "R = DATFIL(\"b\")", "N = DATCNT(\"COL\")"}), "");
    EXPECT_EQ(var("N").slot.i32, 2);
}

TEST_F(DataFiles, HeaderLookupInAnyCase)
{
    dir.write("h.kdf", "%KFL-ASC\n%HEADER\nx max = -2.5\n%DATA\n1\n1\n");
    EXPECT_EQ(run({"R = DATFIL(\"h\")", "X = DATVAR(\"xmax\")", "Y = DATVAR(\"XMAX\")"}), "");
    EXPECT_EQ(var("X").type, T_DOUBLE);
    EXPECT_EQ(var("X").slot.f64, -2.5);
    EXPECT_EQ(var("Y").slot.f64, -2.5);
    EXPECT_EQ(run({"Z = DATVAR(\"ymax\")"}), " >>>> YMAX is not defined in h.kdf\n");
    EXPECT_EQ(find_variable("Z"), -1);
}

TEST_F(DataFiles, HeaderLookupInsideAnExpressionKeepsTheStatement)
{
    dir.write("h.kdf", "%KFL-ASC\n%HEADER\nA = 3\nB = 'text'\n%DATA\n1\n1\n");
    EXPECT_EQ(run({"R = DATFIL(\"h\")", "X = DATVAR(\"A\") * 2 + DATVAR(\"a\")", "S = DATVAR(\"B\")"}), "");
    EXPECT_EQ(var("X").slot.i32, 9);
    EXPECT_STREQ(var("S").slot.text, "text");
}

TEST_F(DataFiles, RowsCannotOverrunTheResult)
{
    // Values beyond the scanned count (the file changed) are not stored.
    dir.write("g.kdf", "%KFL-ASC\n%DATA\n2\n1 2\n");
    EXPECT_EQ(run({"R = DATFIL(\"g\")"}), "");
    dir.write("g.kdf", "%KFL-ASC\n%DATA\n2\n1 2 3 4 5 6 7 8\n");
    EXPECT_EQ(run({"M = DATMAT()", "C = DATRAY(1)", "D = DATRAY(0)"}), "");
    EXPECT_EQ(var("M").count, 2);
    EXPECT_EQ(var("C").count, 1);
    EXPECT_EQ(var("D").count, 1);
}

// A block far larger than one piece of the block's storage: every column and
// the whole matrix come back in place, in plain and exponent notation alike.
TEST_F(DataFiles, LargeBlockColumnsAndMatrix)
{
    constexpr int rows = 100000;
    std::string text = "%KFL-ASC\n%DATA\n3\n";
    for (int r = 0; r < rows; ++r)
        text += std::to_string(r) + " -" + std::to_string(r) + ".25," + std::to_string(r) + ".5e1\n";
    dir.write("big.kdf", text);
    EXPECT_EQ(run({"R = DATFIL(\"big\")", "A = DATRAY(1)", "B = DATRAY(2)", "C = DATRAY(3)", "D = DATRAY(0)",
                   "M = DATMAT()", "E = DATRAY(4)"}),
              "");
    ASSERT_EQ(var("A").count, rows);
    ASSERT_EQ(var("D").count, rows);
    ASSERT_EQ(var("M").count, 3 * rows);
    ASSERT_EQ(var("E").count, rows);
    for (int r : {0, 1, 21845, 21846, 65535, 65536, 77777, rows - 1}) {
        EXPECT_EQ(element("A", r), static_cast<float>(r)) << r;
        EXPECT_EQ(element("B", r), -(r + 0.25f)) << r;
        EXPECT_EQ(element("C", r), 10.0f * r + 5.0f) << r;
        EXPECT_EQ(element("M", 3 * r + 1), -(r + 0.25f)) << r;
        EXPECT_EQ(element("E", r), 0.0f) << r;
    }
    EXPECT_EQ(element("D", 65536), element("M", 65536));
    EXPECT_EQ(element("D", 3), 1.0f);  // the second row's first value
}

// The conversion of a number is the standard one, whatever the form.
TEST(DecimalNumber, SameAsTheStandardConversion)
{
    auto standard = [](const std::string& s) {
        const char* first = s.data();
        if (!s.empty() && s[0] == '+')
            ++first;
        double x = 0;
        std::from_chars(first, s.data() + s.size(), x);
        return x;
    };
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i) {
        std::string s;
        int sign = static_cast<int>(random() % 4);
        if (sign == 1)
            s += '-';
        else if (sign == 2)
            s += '+';
        int digits = 1 + static_cast<int>(random() % 18);
        int point = static_cast<int>(random() % (digits + 2)) - 1;
        for (int d = 0; d < digits; ++d) {
            if (d == point)
                s += '.';
            s += static_cast<char>('0' + random() % 10);
        }
        double got = decimal_number(s);
        double want = standard(s);
        ASSERT_EQ(std::signbit(got), std::signbit(want)) << s;
        ASSERT_EQ(got, want) << s;
    }
    EXPECT_EQ(decimal_number("1.2.3"), 1.2);
    EXPECT_EQ(decimal_number("5."), 5.0);
    EXPECT_EQ(decimal_number(".25"), 0.25);
    EXPECT_EQ(decimal_number("+-5"), -5.0);
    EXPECT_EQ(decimal_number("--5"), 0.0);
    EXPECT_EQ(decimal_number("."), 0.0);
    EXPECT_EQ(decimal_number("-"), 0.0);
    EXPECT_TRUE(std::signbit(decimal_number("-0.000")));
    EXPECT_EQ(decimal_number("2.5e-3"), 0.0025);
    EXPECT_EQ(decimal_number("0.1000000000000000055511151231257827"), 0.1);
    EXPECT_EQ(decimal_number("9007199254740993"), 9007199254740992.0);
    EXPECT_TRUE(std::isinf(decimal_number("1e999")));
    EXPECT_EQ(decimal_number("1e-999"), 0.0);
}

TEST_F(DataFiles, StartupFileTakesTheFirstDatfil)
{
    dir.write("s.kdf", "%KFL-ASC\n%DATA\n1\n5\n");
    dir.write("t.kdf", "%KFL-ASC\n%DATA\n1\n6\n7\n");
    ASSERT_TRUE(open_startup_data_file("s"));
    EXPECT_EQ(run({"R = DATFIL(\"t\")", "N = DATCNT(\"ROW\")", "R = DATFIL(\"t\")", "M = DATCNT(\"ROW\")"}), "");
    EXPECT_EQ(var("N").slot.i32, 1);
    EXPECT_EQ(var("M").slot.i32, 2);
    console->output.clear();
    EXPECT_FALSE(open_startup_data_file("none"));
    EXPECT_EQ(console->output, " >>>> Open error in file none.kdf\n");
}

TEST_F(DataFiles, ExtensionAndSearchPath)
{
    dir.write("sub/d.kdf", "%KFL-ASC\n%DATA\n1\n5\n");
    dir.write("plain.dat", "%KFL-ASC\n%DATA\n1\n5\n");
    EXPECT_EQ(run({"R = DATFIL(\"plain.dat\")"}), "");
    EXPECT_EQ(var("R").slot.i32, 0);
    setenv("KFL_DATA", (dir.path() / "sub").c_str(), 1);
    EXPECT_EQ(run({"R = DATFIL(\"d\")"}), "");
    EXPECT_EQ(var("R").slot.i32, 0);
    EXPECT_EQ(run({"R = DATFIL(\"e\")"}), " >>>> Open error in file " + (dir.path() / "sub" / "e.kdf").string() + "\n");
    unsetenv("KFL_DATA");
}

}  // namespace
}  // namespace korvan::kfl
