// Stored statements that run from their plans (assignments, block IF, ELSE,
// END IF and the ends of loops and SWITCH blocks) print what the executor
// prints: each script runs with plans and without the cache, and the outputs
// must be the same byte for byte; the cases the plans leave to the executor
// (skipping, a stray routine body, full IF nesting, refused targets) are here too.
#include <string>

#include "interp/statement_buffer.hpp"
#include "interp/token_cache.hpp"
#include "interp/executor.hpp"
#include "interp/loader.hpp"
#include "tests/support/block_script_generator.hpp"
#include "tests/support/cache_session.hpp"

namespace korvan::kfl {
namespace {

using StatementPlanTest = test::CacheSession;

TEST_F(StatementPlanTest, BlockIfConditionsThatFailOrAreNotIntegers)
{
    std::string out = run_both(
        "X = 1.5\nDO I = 1, 3\n  IF (X)\n    PRINT 'x'\n  ENDIF\n  IF (I > Q)\n    PRINT 'q'\n  END IF\n"
        "  IF (I / (I - 2) > 0)\n    PRINT 'pos', I\n  ELSE\n    PRINT 'not', I\n  ENDIF\n  IF (I == 3) Q = 0\nEND DO\n");
    // Without a block opened the branch runs and each END IF finds the depth 0;
    // the division by zero leaves its left operand as the comparison's. Replayed
    // statements report the record last read.
    std::string pass =
        " >>>> Non integer value of logical expression in record 16 (main.kfl)\n     x\n"
        " >>>> Missing IF statement before END IF in record 16 (main.kfl)\n"
        " >>>> Undefined identifier Q in record 16 (main.kfl)\n     q\n"
        " >>>> Missing IF statement before END IF in record 16 (main.kfl)\n";
    EXPECT_EQ(out,
              " >>>> Non integer value of logical expression in record 4 (main.kfl)\n     x\n"
              " >>>> Missing IF statement before END IF in record 6 (main.kfl)\n"
              " >>>> Undefined identifier Q in record 7 (main.kfl)\n     q\n"
              " >>>> Missing IF statement before END IF in record 9 (main.kfl)\n     not\n              1 \n" +
                  pass + " >>>> Divide by zero in record 16 (main.kfl)\n     pos\n              2 \n" + pass +
                  "     pos\n              3 \n");
}

TEST_F(StatementPlanTest, NestedAndSkippedIfBlocksInLoops)
{
    // Nine nested IF blocks: the ninth is refused on every pass; IF blocks inside
    // a branch not taken are skipped (and counted) by the executor.
    std::string nine;
    for (int k = 1; k <= 9; ++k)
        nine += "IF (I > " + std::to_string(k - 10) + ")\n";
    nine += "N = N + 1\n";
    for (int k = 1; k <= 9; ++k)
        nine += "ENDIF\n";
    std::string out = run_both("N = 0\nDO I = 1, 2\n" + nine + "END DO\nPRINT N\n");
    EXPECT_NE(out.find(" >>>> Max. number of nested IF statements is reached"), std::string::npos);
    run_both(
        "S = 0\nDO I = 1, 6\n  IF (I % 2 == 0)\n    IF (I > 3)\n      S = S + 100\n    ELSE IF (I > 1)\n"
        "      S = S + 10\n    ELSE\n      S = S + 1000\n    END IF\n  ELSEIF (I == 5)\n    S = S - 1\n  ELSE\n"
        "    IF (S > 0)\n      S = S * 2\n    ENDIF\n  ENDIF\n  PRINT S\nEND DO\n");
    // ELSE with more after it, and ELSE, END IF without an IF, replayed.
    run_both("DO I = 1, 2\n  IF (I == 1)\n  ELSE X\n  ENDIF\n  ELSE\n  ENDIF\n  END IF\nEND DO\nPRINT I\n");
}

TEST_F(StatementPlanTest, AssignmentsTheExecutorRefusesOrRedirects)
{
    // A built-in function's name, a system variable, an array replaced by a
    // number, a reference argument and values that are no numbers.
    dir.write("setv.kfl", "%KFL\nSUBROUTINE SETV (V, N)\nDO K = 1, 2\n  V = V + N\n  N = N * 2\nEND DO\nEND\n");
    std::string out = run_both(
        "INT A[3]\nB = 0\nDO I = 1, 3\n  SIN = I\n  %XMIN = I\n  A = I * 2\n  CALL SETV (B, I + 0)\n"
        "  T = 'text'\n  U = T\n  U = 1 + 2\n  PRINT A, B, U, %XMIN\nEND DO\n");
    EXPECT_NE(out.find(" >>>> Reserved identifier SIN in record 13 (main.kfl)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("              6              18               3        3.000000 \n"), std::string::npos) << out;
    // The variable assigned goes away and comes back inside the loop.
    run_both("DO I = 1, 4\n  Y = I * 1.5\n  FREE Y\n  IF (I > 2)\n    Y = 0\n    FREE I\n  ENDIF\n  PRINT I\nEND DO\n");
}

TEST_F(StatementPlanTest, NumbersOfEveryTypeStoredIntoEveryKindOfVariable)
{
    // Numbers computed outside the stack keep the stack's types (the lower operand
    // promoted, && and || giving INT) and replace strings, arrays and matrices.
    std::string out = run_both(
        "B = BYTE(200)\nH = SHORT(-7)\nF = FLOAT(1.5)\nZ = COMPLEX(1.0, 2.0)\nT = 'text'\nINT A[3]\nINT M[2, 2]\n"
        "DO I = 1, 2\n  C = B && I\n  D = H || 0\n  E = B + I\n  G = H * I\n  P = F / I\n  Q = Z * I\n"
        "  R = B < H\n  S = F == 1.5\n  T = I * 2\n  A = I + 0.5\n  M = -I\n"
        "  PRINT VARTYP(C), C, VARTYP(D), D, VARTYP(E), E, VARTYP(G), G\n"
        "  PRINT VARTYP(P), P, VARTYP(Q), VARTYP(R), R, VARTYP(S), S\n"
        "  PRINT VARTYP(T), T, VARTYP(A), A, VARTYP(M), M\nEND DO\n");
    std::string pass1 = "     INT\n              1 \n     INT\n              1 \n     INT\n            201 \n     INT\n             -7 \n"
                        "     FLOAT\n       1.500000 \n     COMPLEX\n     INT\n              0 \n     INT\n              1 \n"
                        "     INT\n              2 \n     DOUBLE\n       1.500000 \n     INT\n             -1 \n";
    std::string pass2 = "     INT\n              1 \n     INT\n              1 \n     INT\n            202 \n     INT\n            -14 \n"
                        "     FLOAT\n       0.750000 \n     COMPLEX\n     INT\n              0 \n     INT\n              1 \n"
                        "     INT\n              4 \n     DOUBLE\n       2.500000 \n     INT\n             -2 \n";
    EXPECT_EQ(out, pass1 + pass2);
}

TEST_F(StatementPlanTest, RememberedVariablesFollowFreeRedeclarationAndRoutineLevels)
{
    // The operands and targets of planned assignments go away, come back as
    // arrays or at other entries, and are shadowed by a routine's own variables
    // (one of them a reference to the caller's) while the plans stay.
    dir.write("shadow.kfl", "%KFL\nSUBROUTINE SHADOW (V)\nA = 0\nDO K = 1, 2\n  A = A + K\n  V = V + A\nEND DO\nEND\n");
    std::string out = run_both(
        "A = 1\nB = 2\nDO I = 1, 4\n  C = A + B\n  PRINT C\n  FREE A\n  IF (I == 2)\n    FREE B\n    INT A[2]\n"
        "    C = A + B\n    B = 5\n  ELSE\n    B = B + 1\n  ENDIF\n  A = I * 10\n  CALL SHADOW (C)\n  PRINT A, B, C\n"
        "END DO\n");
    EXPECT_EQ(out,
              "              3 \n             10               3               7 \n             13 \n"
              " >>>> Undefined identifier B in record 19 (main.kfl)\n             20               5              17 \n"
              "             25 \n             30               6              29 \n             36 \n"
              "             40               7              40 \n");
}

TEST_F(StatementPlanTest, RoutineRewrittenBetweenCalls)
{
    // The routine's file is written anew before each call (a loop would replay
    // the stored body instead): the loop of its body is stored at the same buffer
    // positions with other statements each time.
    auto call_with = [](const std::string& statement) {
        return "N = FOPEN(\"rr.kfl\", \"w\")\nQ = FPRINTF(N, \"%s\\nSUBROUTINE RR (V)\\nDO K = 1, 3\\n  " + statement +
               "\\nEND DO\\nEND\\n\", \"%KFL\")\nQ = FCLOSE(N)\nCALL RR (S)\nPRINT S\n";
    };
    std::string out = run_both("S = 0\n" + call_with("V = V + 1") + call_with("V = V * 10") +
                               call_with("V = V / 4.0") + call_with("V = V + K"));
    EXPECT_EQ(out, "              3 \n           3000 \n      46.875000 \n      52.875000 \n");
}

TEST_F(StatementPlanTest, EveryKindOfLoopEndReplayed)
{
    std::string out = run_both(
        "S = 0\nDO X = 0.0D0, 1.0D0, 0.25D0\n  K = 0\n  WHILE (K < 3)\n    K = K + 1\n    IF (K == 2)\n"
        "      CONTINUE\n    ENDIF\n    SWITCH (K)\n    CASE 1:\n      S = S + 1\n      BREAK\n    CASE 3:\n"
        "      S = S + 30\n    DEFAULT:\n      S = S + 500\n    END SWITCH\n  END WHILE\n  DO J = 3, 1\n"
        "    S = 0\n  END DO\n  DO J = 1, 9\n    IF (J > 2)\n      BREAK\n    ENDIF\n    S = S + J\n  END DO\n"
        "END DO\nPRINT S, X, K, J\n");
    EXPECT_EQ(out, "           2670        1.250000               3               3 \n");
    // An END of the other kind closes the loop; an END DO with no loop open while
    // replaying says nothing.
    run_both("DO I = 1, 3\n  WHILE (I < 2)\n    I = I + 1\n  END DO\n  PRINT I\nEND DO\nPRINT I\n");
    run_both("N = 0\nL:\nN = N + 1\nEND DO\nEND WHILE\nEND SWITCH\nIF (N < 3) GOTO L\nPRINT N\n");
}

TEST_F(StatementPlanTest, StrayRoutineBodiesArePassedOverAsBefore)
{
    // The routine's statements are stored after its CALL; passes that do not make
    // the call pass over the stored body, its IF blocks, loops and assignments.
    dir.write("addto.kfl",
              "%KFL\nSUBROUTINE ADDTO (V)\nDO K = 1, 2\n  IF (K == 2)\n    V = V + 10\n  ELSE\n    V = V + 1\n"
              "  END IF\nEND DO\nEND\n");
    std::string out = run_both(
        "S = 0\nDO I = 1, 5\n  IF (I % 2 == 1)\n    CALL ADDTO (S)\n  ENDIF\n  S = S * 2\nEND DO\nPRINT S\n");
    EXPECT_EQ(out, "            462 \n");
}

TEST_F(StatementPlanTest, JumpsIntoAndOutOfPlannedBlocks)
{
    run_both(
        "N = 0\nTOP:\nDO I = 1, 3\n  IF (I == 2)\n    N = N + 10\n    GOTO NEXT\n  ENDIF\n  N = N + 1\nEND DO\n"
        "NEXT:\nIF (N < 40) GOTO TOP\nPRINT N, I\nDO I = 1, 2\n  IF (I == 1)\nINSIDE:\n    N = N + 1\n  ENDIF\n"
        "END DO\nIF (N < 50) GOTO INSIDE\nPRINT N\n");
}

TEST_F(StatementPlanTest, PlansFollowTheirBufferEntries)
{
    // Loops read, freed and read again reuse buffer positions for other texts.
    std::string body;
    for (int k = 0; k < 3; ++k) {
        std::string v = "V" + std::to_string(k);
        body += "DO I = 1, 2\n  " + v + " = I + " + std::to_string(k) + "\n  IF (" + v + " > 2)\n    " + v +
                " = 0\n  ENDIF\nEND DO\nPRINT " + v + "\n";
    }
    EXPECT_EQ(run_both(body), "              2 \n              0 \n              0 \n");
    const StatementBuffer& buffer = front_end().buffer;
    EXPECT_EQ(buffer.count(), 0);
}

struct RunawayScript {};
long executed_statements = 0;

void counting_executor(std::string_view text)
{
    if (++executed_statements > 1000000)
        throw RunawayScript{};
    execute(text);
}

TEST_F(StatementPlanTest, RandomBlockStructuresPrintTheSame)
{
    // Nested, mismatched and jumping block structures with routines: a script that
    // ends without the cache (counted, so that none runs away) prints the same
    // with plans and leaves the same block state.
    int compared = 0;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        test::BlockScriptGenerator generator(seed);
        generator.write_routines(dir);
        std::string body = generator.script(60);
        reset_interpreter();
        allow_token_cache(false);
        StatementExecutor previous = set_statement_executor(&counting_executor);
        executed_statements = 0;
        std::string plain;
        bool ended = true;
        try {
            plain = run_script(body);
        } catch (const RunawayScript&) {
            front_end().inputs.close_all();
            ended = false;
        }
        set_statement_executor(previous);
        if (!ended)
            continue;
        ControlState before = control_state();
        reset_interpreter();
        front_end().inputs.record_number = 0;
        allow_token_cache(true);
        clear_token_cache();
        EXPECT_EQ(run_script(body), plain) << "seed " << seed << ":\n" << body;
        const ControlState& after = control_state();
        EXPECT_EQ(after.if_depth, before.if_depth) << seed;
        EXPECT_EQ(after.loop_depth, before.loop_depth) << seed;
        EXPECT_EQ(after.switch_depth, before.switch_depth) << seed;
        EXPECT_EQ(after.skipping, before.skipping) << seed;
        ++compared;
    }
    EXPECT_GT(compared, 150);
}

}  // namespace
}  // namespace korvan::kfl
