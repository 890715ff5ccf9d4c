// Replayed statements run from cached tokens and compiled expressions: every
// script here prints the same with the cache as without it, and the cache
// notices variables freed, redeclared or shadowed by a routine's own.
#include <string>
#include <vector>

#include "tests/support/cache_session.hpp"

namespace korvan::kfl {
namespace {

using StatementCacheTest = test::CacheSession;

TEST_F(StatementCacheTest, ArithmeticOfEveryOperatorMatchesTheParser)
{
    std::string out = run_both(
        "S = 0\nX = 0.0\nD = 1.5D0\nDO I = 1, 20\n  X = X * 0.5 + 1.25 - -I / 4\n  S = S + I % 7 ** 2\n"
        "  B = !(S > 10) && (I <= 3 || I >= 18) == 1\n  D = (((D + 1) * 2) / 3) - +2\n  IF (S > 100)\n"
        "    S = S - 100\n  ELSE\n    S = S + 1\n  ENDIF\n  PRINT S, X, B, D\nEND DO\n");
    EXPECT_NE(out.find("             18 "), std::string::npos);
}

TEST_F(StatementCacheTest, VariableFreedAndRedeclaredInsideALoop)
{
    std::string out = run_both(
        "Y = 2\nDO I = 1, 4\n  Z = Y * I\n  PRINT Z\n  FREE Y\n  IF (I == 2)\n    FLOAT Y[3]\n  ELSE\n"
        "    Y = I + 0.5\n  ENDIF\nEND DO\n");
    // Y is an INT, a FLOAT, a FLOAT array and a FLOAT again in turn.
    EXPECT_EQ(out,
              "              2 \n       3.000000 \n       0.000000        0.000000        0.000000 \n"
              "      14.000000 \n");
    // A name that goes away inside the loop is reported in each pass, replayed
    // statements with the record last read.
    out = run_both("W = 1\nDO I = 1, 3\n  V = W + I\n  PRINT V\n  FREE W\nEND DO\n");
    EXPECT_EQ(out,
              "              2 \n"
              " >>>> Undefined identifier W in record 7 (main.kfl)\n"
              "              2 \n"
              " >>>> Undefined variable W in record 7 (main.kfl)\n"
              " >>>> Undefined identifier W in record 7 (main.kfl)\n"
              "              2 \n"
              " >>>> Undefined variable W in record 7 (main.kfl)\n");
}

TEST_F(StatementCacheTest, ErrorsInsideCachedLoopsKeepTheirRecordNumbers)
{
    // A lexical error (not cached), an operator refusing its operands, an undefined
    // array and a division by zero in a compiled expression.
    std::string out = run_both(
        "DO I = 1, 3\n  A = I / (I - 2)\n  B = 1 ? 2\n  D = I + \"x\"\n  E = Q[1] + 1.5E\n  PRINT A\nEND DO\n"
        "PRINT \"end\"\n");
    EXPECT_EQ(out,
              " >>>> Syntax error in record 4 (main.kfl)\n"
              " >>>> Not allowed operands in record 5 (main.kfl)\n"
              " >>>> Undefined identifier Q in record 6 (main.kfl)\n"
              "             -1 \n"
              " >>>> Divide by zero in record 8 (main.kfl)\n"
              " >>>> Syntax error in record 8 (main.kfl)\n"
              " >>>> Not allowed operands in record 8 (main.kfl)\n"
              " >>>> Undefined identifier Q in record 8 (main.kfl)\n"
              "              2 \n"
              " >>>> Syntax error in record 8 (main.kfl)\n"
              " >>>> Not allowed operands in record 8 (main.kfl)\n"
              " >>>> Undefined identifier Q in record 8 (main.kfl)\n"
              "              3 \n"
              "     end\n");
}

TEST_F(StatementCacheTest, GotoIntoAndOutOfLoops)
{
    run_both(
        "N = 0\nAGAIN:\nDO I = 1, 5\n  N = N + I\n  IF (N > 20) GOTO OUT\nEND DO\nIF (N < 40) GOTO AGAIN\n"
        "OUT:\nPRINT N, I\nK = 0\nTOP:\nK = K + 1\nDO J = 1, 2\n  K = K * 2\nEND DO\nIF (K < 100) GOTO TOP\n"
        "PRINT K\nDO I = 1, 1\nINLOOP:\n  PRINT 'in loop', I\nEND DO\nGOTO INLOOP\nPRINT 'after'\n");
}

TEST_F(StatementCacheTest, RoutinesShadowAndSeeTheirOwnVariables)
{
    dir.write("twice.kfl", "%KFL\nFUNCTION TWICE (V)\nT = V * 2\nRETURN T + 0\nEND\n");
    dir.write("bump.kfl", "%KFL\nSUBROUTINE BUMP (V)\nT = 100\nDO K = 1, 2\n  V = V + T + K\nEND DO\nEND\n");
    std::string out = run_both(
        "T = 1\nS = 0\nDO I = 1, 3\n  S = S + T\n  R = TWICE(I)\n  CALL BUMP (S)\n  S = S + R + T\n"
        "  PRINT S, T\nEND DO\n");
    EXPECT_NE(out.find("              1 \n"), std::string::npos);
}

TEST_F(StatementCacheTest, StringsAndFunctionsStayWithTheParser)
{
    run_both(
        "DO I = 1, 3\n  A = 'abc' + 'd'\n  B = ABS(-I) + SQRT(4.0)\n  INT V[3]\n  V[I] = I * 3\n  C = V[I] + 1\n"
        "  PRINT A, B, C\nEND DO\n");
}

TEST_F(StatementCacheTest, ReplayedStatementsAfterALabelUseTheCache)
{
    // Everything after a label is stored; a GOTO back replays it, the cached
    // texts beside freshly read ones.
    run_both("N = 0\nL:\nN = N + 1\nM = N * N - (N - 1)\nPRINT M\nIF (N < 4) GOTO L\nPRINT N\n");
}

TEST_F(StatementCacheTest, ManyDistinctLoopsOutgrowTheCache)
{
    std::string body;
    for (int k = 0; k < 2500; ++k) {
        std::string v = "V" + std::to_string(k);
        body += "DO I = 1, 2\n  " + v + " = I + " + std::to_string(k) + "\n  " + v + " = " + v + " * 2\nEND DO\n";
        body += "FREE " + v + "\n";
    }
    body += "PRINT I\n";
    EXPECT_EQ(run_both(body), "              3 \n");
}

}  // namespace
}  // namespace korvan::kfl
