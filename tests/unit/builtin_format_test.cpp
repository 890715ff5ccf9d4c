// Formatted output and input with hostile formats, bounded targets and the
// read position after a read error.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "interp/builtins.hpp"
#include "interp/eval_stack.hpp"
#include "interp/file_table.hpp"
#include "interp/variable_table.hpp"
#include "tests/support/builtin_session.hpp"
#include "tests/support/temp_dir.hpp"

namespace korvan::kfl {
namespace {

using FormattedIo = test::BuiltinSession;

TEST_F(FormattedIo, HostileFormatsAreRefusedWithoutOutput)
{
    const char* formats[] = {"\"%\"", "\"abc%\"", "\"%5\"", "\"%-\"", "\"%.\"", "\"%1234d\"", "\"%.1234f\"",
                             "\"%99999999999999999999d\"", "\"%n\"", "\"%p\"", "\"%*d\"", "\"%5-d\"",
                             "\"%1.2.3f\"", "\"%ls\"", "\"%%\""};
    for (const char* f : formats) {
        std::string out = run({std::string("R = PRINTF(") + f + ", 1)"});
        EXPECT_EQ(out, " >>>> Syntax error in format specification in PRINTF\n") << f;
        EXPECT_EQ(var("R").slot.i32, -1) << f;
    }
    EXPECT_EQ(stack_depth(), 0);
}

TEST_F(FormattedIo, LongFormatsAndWideFields)
{
    // Formats longer than a literal come from variables.
    EXPECT_EQ(run({"F = STRREP(\"x\", 600)", "PRINTF(F)"}), std::string(600, 'x'));
    EXPECT_EQ(run({"F = STRREP(\"%d\", 300)", "R = PRINTF(F, 1)"}),
              " >>>> More format specifications than variables in PRINTF\n");
    EXPECT_EQ(run({"F = STRREP(\"ab\\n\", 200)", "PRINTF(F)"}).size(), 600u);
    EXPECT_EQ(run({"PRINTF(\"%999d|\\n\", 7)"}), std::string(998, ' ') + "7|\n");
    EXPECT_EQ(run({"PRINTF(\"%.999f\\n\", 1)"}).size(), 1002u);
    EXPECT_EQ(run({"PRINTF(\"%s\\n\", \"" + std::string(120, 'y') + "\")"}), std::string(120, 'y') + "\n");
}

TEST_F(FormattedIo, NothingIsWrittenWhenALaterConversionFails)
{
    EXPECT_EQ(run({"PRINTF(\"first %d second %d\\n\", 1, 2.5)"}), " >>>> Parameter mismatch in PRINTF\n");
    EXPECT_EQ(run({"PRINTF(\"first %d second %q\\n\", 1, 2)"}),
              " >>>> Syntax error in format specification in PRINTF\n");
}

TEST_F(FormattedIo, SprintfStaysInsideItsArray)
{
    EXPECT_EQ(run({"CHAR B[4]", "R = SPRINTF(B, \"%s\", \"abc\")"}), "");
    EXPECT_EQ(bytes("B"), std::string("abc\0", 4));
    EXPECT_EQ(run({"R = SPRINTF(B, \"%s\", \"abcd\")"}), " >>>> Not enough memory in parameter 1 in SPRINTF\n");
    EXPECT_EQ(var("R").slot.i32, -1);
    EXPECT_EQ(bytes("B"), std::string("abc\0", 4));  // untouched
    EXPECT_EQ(run({"R = SPRINTF(B, \"%5s\", \"a\")"}), " >>>> Not enough memory in parameter 1 in SPRINTF\n");
    EXPECT_EQ(run({"R = SPRINTF(B, \"%d\", 100)"}), "");
    EXPECT_EQ(bytes("B"), std::string("100\0", 4));
    EXPECT_EQ(run({"R = SPRINTF(B, \"%d\", -100)"}), " >>>> Not enough memory in parameter 1 in SPRINTF\n");
}

TEST_F(FormattedIo, TextWithoutZeroByteIsNoString)
{
    EXPECT_EQ(run({"CHAR W[3]", "W[0] = 65", "W[1] = 66", "W[2] = 67", "R = PRINTF(\"%s\", W)"}),
              " >>>> Parameter mismatch in PRINTF\n");
    EXPECT_EQ(run({"R = PRINTF(W)"}), " >>>> Format specifier must be a string in PRINTF\n");
    EXPECT_EQ(run({"R = SSCANF(\"1\", W, N)"}), "");
    EXPECT_EQ(var("R").slot.i32, -1);
}

TEST_F(FormattedIo, ScannedWordsAreCutToTheArray)
{
    EXPECT_EQ(run({"CHAR T[4]", "T[3] = 90", "R = SSCANF(\"abcdefgh\", \"%s\", T)"}), "");
    EXPECT_EQ(var("R").slot.i32, 1);
    EXPECT_EQ(bytes("T"), std::string("abc\0", 4));
    EXPECT_EQ(run({"CHAR U[1]", "R = SSCANF(\"abc\", \"%2s\", U)"}), "");
    EXPECT_EQ(bytes("U"), std::string("\0", 1));
    EXPECT_EQ(run({"CHAR V[8]", "R = SSCANF(\"abcdef\", \"%3s\", V)"}), "");
    EXPECT_STREQ(static_cast<const char*>(var("V").slot.block), "abc");
}

TEST_F(FormattedIo, ScannedValuesReplaceVariables)
{
    EXPECT_EQ(run({"A = {1, 2, 3}", "S = \"x\"", "R = SSCANF(\"7 2.5\", \"%d %f\", A, S)"}), "");
    EXPECT_EQ(var("A").type, T_INT);
    EXPECT_EQ(var("A").count, 1);
    EXPECT_EQ(var("A").slot.i32, 7);
    EXPECT_EQ(var("S").type, T_DOUBLE);
    EXPECT_EQ(var("S").slot.f64, 2.5);
    EXPECT_EQ(run({"R = SSCANF(\"12 3.5 abc\", \"%d %f %d\", X, Y, Z)"}), " >>>> Read error in SSCANF\n");
    EXPECT_EQ(var("R").slot.i32, 0);
    EXPECT_EQ(var("X").slot.i32, 12);
    EXPECT_EQ(find_variable("Z"), -1);
}

TEST_F(FormattedIo, ReadErrorSetsTheFileBack)
{
    test::TempDir dir;
    dir.write("in.txt", "12 x 34\n");
    EXPECT_EQ(run({"N = FOPEN(\"in.txt\", \"r\")", "Q = FGETC(N)", "R = FSCANF(N, \"%d %d\", A, B)"}),
              " >>>> Read error in FSCANF\n");
    EXPECT_EQ(var("R").slot.i32, 0);
    EXPECT_EQ(run({"P = FTELL(N)", "R = FSCANF(N, \"%d\", C)"}), "");
    EXPECT_EQ(var("P").slot.i32, 1);
    EXPECT_EQ(var("C").slot.i32, 2);
    EXPECT_EQ(run({"R = FSCANF(N, \"%s\", C)"}), " >>>> A character array must be used in FSCANF\n");
    EXPECT_EQ(run({"R = FSCANF(N, \"%d\", 5)"}), " >>>> Variables must be used in FSCANF\n");
    EXPECT_EQ(run({"R = FSCANF(2.0, \"%d\", C)"}), " >>>> File number in FSCANF must be an integer\n");
    EXPECT_EQ(run({"R = FSCANF(N)"}), " >>>> Missing parameters in FSCANF\n");
    EXPECT_EQ(run({"R = FPRINTF(1.5, \"x\")"}), " >>>> File number in FPRINTF must be an integer\n");
}

TEST_F(FormattedIo, FilesStayGlobalAndCloseAtTheEnd)
{
    test::TempDir dir;
    EXPECT_EQ(run({"N = FOPEN(\"out.txt\", \"w\")", "Q = FPRINTF(N, \"%d\", 5)"}), "");
    EXPECT_TRUE(file_entry(0).in_use);
    close_all_files();
    EXPECT_FALSE(file_entry(0).in_use);
    std::FILE* f = std::fopen("out.txt", "r");
    ASSERT_NE(f, nullptr);
    char buffer[8] = {};
    EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, f), 1u);
    std::fclose(f);
    EXPECT_STREQ(buffer, "5");
}

}  // namespace
}  // namespace korvan::kfl
