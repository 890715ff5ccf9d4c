// Block structure at run time: the statement buffer behind loops and labels,
// jumps that leave loops, and random (often malformed) block structures.
#include <string>
#include <vector>

#include "interp/executor.hpp"
#include "interp/label_table.hpp"
#include "tests/support/block_script_generator.hpp"
#include "tests/support/script_session.hpp"

namespace korvan::kfl {
namespace {

using ControlFlowTest = test::ScriptSession;

std::string repeat(const std::string& line, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += line;
    return out;
}

TEST_F(ControlFlowTest, OutermostLoopFreesItsStatements)
{
    EXPECT_EQ(run_script("S = 0\nDO I = 1, 3\n  DO J = 1, 2\n    S = S + 1\n  END DO\nEND DO\nPRINT S\n"),
              "              6 \n");
    const StatementBuffer& buffer = front_end().buffer;
    EXPECT_EQ(buffer.count(), 0);
    EXPECT_FALSE(buffer.store_mode);
    EXPECT_EQ(control_state().loop_depth, 0);
    // A WHILE loop stores itself and frees itself the same way.
    EXPECT_EQ(run_script("K = 0\nWHILE (K < 4)\n  K = K + 1\nEND WHILE\nPRINT K\n"), "              4 \n");
    EXPECT_EQ(buffer.count(), 0);
    EXPECT_FALSE(buffer.store_mode);
}

TEST_F(ControlFlowTest, LabelKeepsEverythingAfterIt)
{
    EXPECT_EQ(run_script("A = 1\nL1:\nDO I = 1, 2\nEND DO\nB = 2\n"), "");
    const StatementBuffer& buffer = front_end().buffer;
    EXPECT_TRUE(buffer.store_mode);
    ASSERT_EQ(buffer.count(), 4);
    EXPECT_EQ(buffer.at(0), "L1:");
    EXPECT_EQ(buffer.at(3), "B = 2");
    int index = find_label("L1");
    ASSERT_GE(index, 0);
    EXPECT_EQ(label(index).position, 0);
}

TEST_F(ControlFlowTest, MoreThanTheBufferHoldsAfterALabel)
{
    // The label and 2999 statements fill the buffer; each further one is reported
    // and still runs.
    std::string body = "N = 0\nTOP:\n" + repeat("N = N + 1\n", 3005) + "PRINT N\n";
    std::string out = run_script(body);
    std::string expected;
    for (int record = 3003; record <= 3008; ++record)
        expected += " >>>> Too many statements in the statement buffer in record " + std::to_string(record) +
                    " (main.kfl)\n";
    expected += " >>>> Too many statements in the statement buffer in record 3009 (main.kfl)\n";
    expected += "           3005 \n";
    EXPECT_EQ(out, expected);
    EXPECT_EQ(front_end().buffer.count(), StatementBuffer::capacity);
}

TEST_F(ControlFlowTest, BackwardJumpOutOfLoopsRestoresTheDepths)
{
    EXPECT_EQ(run_script("N = 0\nTOP:\nN = N + 1\nDO I = 1, 3\n  DO J = 1, 3\n    IF (N < 3) GOTO TOP\n"
                         "  END DO\nEND DO\nPRINT N, I, J\n"),
              "              3               4               4 \n");
    EXPECT_EQ(control_state().loop_depth, 0);
    EXPECT_EQ(control_state().if_depth, 0);
    EXPECT_FALSE(control_state().skipping);
}

TEST_F(ControlFlowTest, ForwardSearchEndsOnlyAtItsOwnLabel)
{
    EXPECT_EQ(run_script("GOTO B\nA:\nPRINT 1\nB:\nPRINT 2\nGOTO NEVER\nPRINT 3\n"), "              2 \n");
    EXPECT_TRUE(control_state().skipping);  // the search for NEVER is still on at the end
}

TEST_F(ControlFlowTest, MismatchedEndsLeaveCountersAlone)
{
    std::string out = run_script(repeat("END DO\nEND WHILE\nEND SWITCH\nENDIF\nEND\nELSE\nELSEIF (1)\nCASE 1:\n", 20) +
                                 "PRINT 7\n");
    EXPECT_NE(out.find("Missing WHILE statement before END WHILE"), std::string::npos);
    EXPECT_NE(out.find("              7 \n"), std::string::npos);
    const ControlState& c = control_state();
    EXPECT_EQ(c.if_depth, 0);
    EXPECT_EQ(c.loop_depth, 0);
    EXPECT_EQ(c.switch_depth, 0);
}

TEST_F(ControlFlowTest, DeepNestingIsBoundedEverywhere)
{
    // Far more openings than the limits, also while skipping, then far more ENDs.
    std::string body = "IF (0)\n" + repeat("IF (1)\nDO I = 1, 2\nWHILE (1)\nSWITCH (1)\n", 30) +
                       repeat("END SWITCH\nEND WHILE\nEND DO\nENDIF\n", 40) +
                       repeat("IF (1)\nDO K = 1, 1\nSWITCH (1)\n", 30) + "PRINT 1\n";
    run_script(body);
    const ControlState& c = control_state();
    EXPECT_LE(c.if_depth, max_block_nesting);
    EXPECT_LE(c.loop_depth, max_block_nesting);
    EXPECT_LE(c.switch_depth, max_block_nesting);
}

struct RunawayScript {};

long executed_statements = 0;
constexpr long statement_limit = 3000000;

void counting_executor(std::string_view text)
{
    if (++executed_statements > statement_limit)
        throw RunawayScript{};
    execute(text);
}

TEST_F(ControlFlowTest, RandomBlockStructuresRunToTheirEnd)
{
    StatementExecutor previous = set_statement_executor(&counting_executor);
    for (unsigned seed = 1; seed <= 300; ++seed) {
        test::BlockScriptGenerator generator(seed);
        generator.write_routines(dir);
        std::string body = generator.script(60);
        reset_interpreter();
        executed_statements = 0;
        try {
            run_script(body);
        } catch (const RunawayScript&) {
            front_end().inputs.close_all();
            ADD_FAILURE() << "seed " << seed << " did not end:\n" << body;
        }
        const ControlState& c = control_state();
        ASSERT_GE(c.if_depth, 0) << seed;
        ASSERT_LE(c.if_depth, max_block_nesting) << seed;
        ASSERT_GE(c.loop_depth, 0) << seed;
        ASSERT_LE(c.loop_depth, max_block_nesting) << seed;
        ASSERT_GE(c.switch_depth, 0) << seed;
        ASSERT_LE(c.switch_depth, max_block_nesting) << seed;
        EXPECT_EQ(routine_level(), 0) << seed;
        EXPECT_EQ(stack_depth(), 0) << seed;
        const StatementBuffer& buffer = front_end().buffer;
        EXPECT_LE(buffer.current, buffer.count()) << seed;
    }
    set_statement_executor(previous);
}

}  // namespace
}  // namespace korvan::kfl
