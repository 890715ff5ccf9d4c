// User routines beyond what a script alone can show: the callback call that
// widgets make from inside a library routine, replayed calls that open no file,
// and the call frames and argument counts.
#include <filesystem>
#include <string>

#include "interp/label_table.hpp"
#include "interp/variable_table.hpp"
#include "tests/support/script_session.hpp"

namespace korvan::kfl {
namespace {

using ControlRoutinesTest = test::ScriptSession;

// Library routines of the tests: FIRE(ARR) fires the widget callback "cb" with
// ARR as its array, ZAP() removes the routine file note.kfl, COUNTS() records
// the counts of the current call.
std::string fired_routine = "cb";
int counted_arguments = -1;
int counted_keywords = -1;

bool test_library(std::string_view name, std::string_view)
{
    if (name == "FIRE") {
        callback_call(7, fired_routine, find_variable("ARR"));
        return true;
    }
    if (name == "ZAP") {
        std::filesystem::remove("note.kfl");
        return true;
    }
    if (name == "COUNTS") {
        counted_arguments = routine_argument_count();
        counted_keywords = routine_keyword_count();
        return true;
    }
    return false;
}

class WithLibrary : public ControlRoutinesTest {
protected:
    void SetUp() override
    {
        ControlRoutinesTest::SetUp();
        previous = set_routine_call_handler(&test_library);
        fired_routine = "cb";
    }
    void TearDown() override
    {
        set_routine_call_handler(previous);
        ControlRoutinesTest::TearDown();
    }
    RoutineCallHandler previous = nullptr;
};

TEST_F(WithLibrary, CallbackRunsTheRoutineAndReturnsToTheLibraryCall)
{
    dir.write("cb.kfl", "%KFL\nSUBROUTINE CB (ID, A)\nPRINT ID\nA[0] = A[0] + 1\nEND\n");
    EXPECT_EQ(run_script("INT ARR[2]\nFIRE(ARR)\nPRINT ARR[0]\nFIRE(ARR)\nPRINT \"after\", ARR[0]\n"),
              "              7 \n              1 \n              7 \n     after\n              2 \n");
    EXPECT_EQ(routine_level(), 0);
    EXPECT_TRUE(front_end().keep_reading);
}

TEST_F(WithLibrary, CallbackInsideAReplayedLoopReadsItsFileEachTime)
{
    // The callback's statements never stay in the buffer behind the statement that fired it.
    dir.write("cb.kfl", "%KFL\nSUBROUTINE CB (ID, A)\nA[1] = A[1] + ID\nEND\n");
    EXPECT_EQ(run_script("INT ARR[2]\nDO I = 1, 3\n  FIRE(ARR)\n  PRINT ARR[1]\nEND DO\nPRINT I\n"),
              "              7 \n             14 \n             21 \n              4 \n");
    EXPECT_EQ(front_end().buffer.count(), 0);
}

TEST_F(WithLibrary, CallbackWithoutEndOrFileEndsCleanly)
{
    dir.write("cb.kfl", "%KFL\nSUBROUTINE CB (ID, A)\nPRINT \"no end\"\n");
    EXPECT_EQ(run_script("INT ARR[2]\nFIRE(ARR)\nPRINT 1\n"),
              "     no end\n >>>> Missing END statement in record 3 (cb.kfl)\n              1 \n");
    fired_routine = "missing";
    EXPECT_EQ(run_script("INT ARR[2]\nFIRE(ARR)\nPRINT 2\n"),
              " >>>> Open error in file missing.kfl\n              2 \n");
    EXPECT_EQ(routine_level(), 0);
}

TEST_F(WithLibrary, CallbackNameIsCutAndItsCaseKeptForTheFile)
{
    fired_routine = "Callback_name_that_is_long";
    dir.write("Callback_name_t.kfl", "%KFL\nSUBROUTINE CALLBACK_NAME_T (ID, A)\nPRINT ID\nEND\n");
    EXPECT_EQ(run_script("INT ARR[1]\nFIRE(ARR)\n"), "              7 \n");
}

TEST_F(WithLibrary, ReplayedCallsDoNotReopenTheFile)
{
    dir.write("note.kfl", "%KFL\nSUBROUTINE NOTE (N)\nPRINT N\nEND\n");
    EXPECT_EQ(run_script("DO I = 1, 3\n  CALL NOTE (I)\n  ZAP()\nEND DO\nCALL NOTE (4)\n"),
              "              1 \n              2 \n              3 \n >>>> Open error in file note.kfl\n");
}

TEST_F(WithLibrary, ArgumentCountsOfTheCurrentCall)
{
    dir.write("cnt.kfl", "%KFL\nSUBROUTINE CNT (A, B, K = C)\nCOUNTS()\nEND\n");
    run_script("COUNTS()\n");
    EXPECT_EQ(counted_arguments, 0);
    EXPECT_EQ(counted_keywords, 0);
    // The keyword argument counts apart: ARGCNT gives the positional ones.
    run_script("CALL CNT (1, 2, K = 3)\n");
    EXPECT_EQ(counted_arguments, 2);
    EXPECT_EQ(counted_keywords, 1);
    run_script("CALL CNT (1)\n");
    EXPECT_EQ(counted_arguments, 1);
    EXPECT_EQ(counted_keywords, 0);
}

TEST_F(ControlRoutinesTest, FailedCallLeavesNoArgumentEntries)
{
    run_script("A = 1\nCALL NOFILE (A, 2, K = 3)\nCALL X (1, , 2)\n");
    for (int i = 0; i < variable_high_water(); ++i) {
        if (variable(i).type != T_FREE) {
            EXPECT_EQ(variable(i).level, 0) << name_of(variable(i));
        }
    }
    EXPECT_EQ(routine_level(), 0);
}

TEST_F(ControlRoutinesTest, RoutineVariablesAreFreedAtEnd)
{
    dir.write("loc.kfl", "%KFL\nSUBROUTINE LOC (X)\nL1 = 1\nL2 = \"two\"\nINT L3[5]\nX = 9\nEND\n");
    EXPECT_EQ(run_script("V = 1\nCALL LOC (V)\nPRINT V\nLIST\n"),
              "              9 \n Name : V       , Type : INT     , Count: 1, Value: 9\n");
    int used = 0;
    for (int i = 0; i < variable_high_water(); ++i)
        used += variable(i).type != T_FREE ? 1 : 0;
    EXPECT_EQ(used, 1);
}

TEST_F(ControlRoutinesTest, LabelsOfARoutineGoWithIt)
{
    dir.write("lab.kfl", "%KFL\nSUBROUTINE LAB\nK = 0\nTOP:\nK = K + 1\nIF (K < 3) GOTO TOP\nPRINT K\nEND\n");
    EXPECT_EQ(run_script("CALL LAB\nCALL LAB\nGOTO TOP\nPRINT 1\nTOP:\nPRINT 2\n"),
              "              3 \n              3 \n              2 \n");
    // The routine's statements were freed at its END; only the main script's label remains.
    EXPECT_GE(find_label("TOP"), 0);
    EXPECT_FALSE(labels_defined(1));
}

TEST_F(ControlRoutinesTest, ReturnValueGoesToTheCallersVariable)
{
    dir.write("sq.kfl", "%KFL\nFUNCTION SQ (V)\nRETURN V * V\nEND\n");
    dir.write("outer.kfl", "%KFL\nSUBROUTINE OUTER (R)\nR = SQ(R)\nEND\n");
    EXPECT_EQ(run_script("X = 3\nCALL OUTER (X)\nPRINT X\nX = SQ(X)\nPRINT X\n"),
              "              9 \n             81 \n");
}

}  // namespace
}  // namespace korvan::kfl
