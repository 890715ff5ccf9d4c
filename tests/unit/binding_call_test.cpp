// Routine call statements and library-function assignments through the
// routine binding: matching, slots, outputs written back, the special
// bindings that exist, and the routines this version lacks.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "binding/binding_state.hpp"
#include "interp/front_end.hpp"
#include "plot/kernel/state.hpp"
#include "tests/unit/binding_test_support.hpp"

namespace korvan::test {
namespace {

class BindingCallTest : public BindingSession {};

TEST_F(BindingCallTest, MismatchesAreReportedWithTheUserAndCorrectLines)
{
    run({"FLOAT X[10], Y[10]", "INT IY[10]", "N = 10"});
    EXPECT_EQ(run({"CURVE(X, Y, 10.0)"}),
              " >>>> Parameter mismatch\n"
              "      User   : CURVE (FR,FR,D)\n"
              "      Correct: CURVE (FR,FR,I)\n");
    EXPECT_EQ(run({"CURVE(X, IY, N)"}),
              " >>>> Parameter mismatch\n"
              "      User   : CURVE (FR,IR,I)\n"
              "      Correct: CURVE (FR,FR,I)\n");
    // Empty parentheses on a routine with parameters.
    EXPECT_EQ(run({"GRAF()"}),
              " >>>> Parameter mismatch\n"
              "      User   : GRAF ()\n"
              "      Correct: GRAF (X,X,X,X,X,X,X,X)\n");
    // Surplus arguments, and an argument of a routine without parameters.
    EXPECT_EQ(run({"HEIGHT(1, 2)", "KORINI(1)"}),
              " >>>> Parameter mismatch\n"
              "      User   : HEIGHT (I,I)\n"
              "      Correct: HEIGHT (I)\n"
              " >>>> Parameter mismatch\n"
              "      User   : KORINI (I)\n"
              "      Correct: KORINI ()\n");
    EXPECT_EQ(state().level, 0);  // KORINI was not called
}

TEST_F(BindingCallTest, AnIntParameterAcceptsNothingButInt)
{
    define_scalar("B", kfl::T_BYTE, 7);
    define_scalar("H", kfl::T_SHORT, 7);
    EXPECT_EQ(run({"HEIGHT(B)"}),
              " >>>> Parameter mismatch\n"
              "      User   : HEIGHT (B)\n"
              "      Correct: HEIGHT (I)\n");
    EXPECT_EQ(run({"HEIGHT(H)"}),
              " >>>> Parameter mismatch\n"
              "      User   : HEIGHT (H)\n"
              "      Correct: HEIGHT (I)\n");
    EXPECT_EQ(run({"HEIGHT(30.0)"}),
              " >>>> Parameter mismatch\n"
              "      User   : HEIGHT (D)\n"
              "      Correct: HEIGHT (I)\n");
    EXPECT_EQ(run({"HEIGHT('30')"}),
              " >>>> Parameter mismatch\n"
              "      User   : HEIGHT (S)\n"
              "      Correct: HEIGHT (I)\n");
}

TEST_F(BindingCallTest, IntegersFitRealParametersAndIntVariablesBecomeDouble)
{
    run({"N = 5", "METAFL('GKSV')", "KORINI()"});
    EXPECT_EQ(run({"HEIGHT(30)", "ANGLE(90)", "GRAF(0, 10, 0, 2, 0, N, 0, 1)"}), "");
    EXPECT_EQ(state().text.height, 30);
    EXPECT_EQ(state().text.angle, 90);
    EXPECT_EQ(state().level, 2);
    EXPECT_DOUBLE_EQ(state().axes.transform[1].end, 5.0);
    const kfl::Value* n = var("N");
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->type, kfl::T_DOUBLE);
    EXPECT_DOUBLE_EQ(n->slot.f64, 5.0);
    // An INT expression is converted on the stack only.
    run({"ENDGRF()", "M = 4", "GRAF(0, M + 6, 0, 2, 0, 5, 0, 1)"});
    EXPECT_EQ(var("M")->type, kfl::T_INT);
    EXPECT_DOUBLE_EQ(state().axes.transform[0].end, 10.0);
    run({"ENDGRF()", "UNIT(0)", "KORFIN()"});
}

TEST_F(BindingCallTest, UndefinedNamesBecomeIntVariablesHoldingTheOutputs)
{
    run({"METAFL('GKSV')", "KORINI()"});
    EXPECT_EQ(run({"GETPAG(NX, NY)"}), "");
    for (const char* name : {"NX", "NY"}) {
        const kfl::Value* v = var(name);
        ASSERT_NE(v, nullptr) << name;
        EXPECT_EQ(v->type, kfl::T_INT);
        EXPECT_EQ(v->count, 1);
    }
    EXPECT_EQ(var("NX")->slot.i32, 2970);
    EXPECT_EQ(var("NY")->slot.i32, 2100);
    run({"UNIT(0)", "KORFIN()"});
    // An existing variable of another type loses its old value.
    run({"FLOAT W[3]", "PAGE(1000, 500)", "KORINI()", "GETPAG(W, NY)"});
    EXPECT_EQ(var("W")->type, kfl::T_INT);
    EXPECT_EQ(var("W")->slot.i32, 1000);
    EXPECT_EQ(var("NY")->slot.i32, 500);
    run({"UNIT(0)", "KORFIN()"});
}

TEST_F(BindingCallTest, AMismatchCreatesNoVariable)
{
    EXPECT_EQ(run({"GETPAG(NX, 5)"}),
              " >>>> Parameter mismatch\n"
              "      User   : GETPAG (U,I)\n"
              "      Correct: GETPAG (U,U)\n");
    EXPECT_EQ(var("NX"), nullptr);
    // A literal is no variable for a U parameter.
    EXPECT_EQ(run({"GETPAG(1, 2)"}),
              " >>>> Parameter mismatch\n"
              "      User   : GETPAG (I,I)\n"
              "      Correct: GETPAG (U,U)\n");
}

TEST_F(BindingCallTest, RealAndTextOutputsOfTheGetters)
{
    run({"METAFL('GKSV')", "KORINI()", "GRAF(0, 10, 0, 2, -1, 5, 0, 1)"});
    EXPECT_EQ(run({"GETGRF(A, E, OR, STEP, 'Y')"}), "");
    const char* names[] = {"A", "E", "OR", "STEP"};
    double values[] = {-1, 5, 0, 1};
    for (int i = 0; i < 4; ++i) {
        const kfl::Value* v = var(names[i]);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->type, kfl::T_DOUBLE);
        EXPECT_DOUBLE_EQ(v->slot.f64, values[i]) << names[i];
    }
    run({"LABELS('EXP', 'Y')", "GETLAB(CX, CY, CZ)"});
    ASSERT_NE(var("CY"), nullptr);
    EXPECT_EQ(var("CX")->type, kfl::T_STRING);
    EXPECT_STREQ(var("CX")->slot.text, "FLOA");
    EXPECT_STREQ(var("CY")->slot.text, "EXP");
    run({"HSVRGB(0, 1, 1, R, G, B)"});
    EXPECT_EQ(var("R")->type, kfl::T_DOUBLE);
    EXPECT_DOUBLE_EQ(var("R")->slot.f64, 1.0);
    EXPECT_DOUBLE_EQ(var("G")->slot.f64, 0.0);
    run({"SETIND(5, 0.25, 0.5, 1.0)", "GETIND(5, R, G, B)"});
    EXPECT_NEAR(var("G")->slot.f64, 0.5, 0.01);
    run({"ENDGRF()", "UNIT(0)", "KORFIN()"});
}

TEST_F(BindingCallTest, LibraryFunctionsStoreTheirResultTypes)
{
    run({"METAFL('GKSV')", "KORINI()", "GRAF(0, 10, 0, 2, 0, 5, 0, 1)"});
    EXPECT_EQ(run({"XP = XPOSN(5)", "NP = NXPOSN(5)", "S = GETMFL()", "H = GETHGT()"}), "");
    EXPECT_EQ(var("XP")->type, kfl::T_DOUBLE);
    EXPECT_EQ(var("NP")->type, kfl::T_INT);
    EXPECT_NEAR(var("XP")->slot.f64, var("NP")->slot.i32, 1.0);
    EXPECT_EQ(var("S")->type, kfl::T_STRING);
    EXPECT_STREQ(var("S")->slot.text, "GKSV");
    EXPECT_EQ(var("H")->type, kfl::T_INT);
    EXPECT_EQ(var("H")->slot.i32, 36);
    // The target may be an argument of the function itself.
    run({"T = 'ABC'", "T = NLMESS(T)"});
    EXPECT_EQ(var("T")->type, kfl::T_INT);
    EXPECT_GT(var("T")->slot.i32, 0);
    // A mismatch leaves the target alone.
    EXPECT_EQ(run({"XP = XPOSN('A')"}),
              " >>>> Parameter mismatch\n"
              "      User   : XPOSN (S)\n"
              "      Correct: XPOSN (X)\n");
    EXPECT_EQ(var("XP")->type, kfl::T_DOUBLE);
    run({"ENDGRF()", "UNIT(0)", "KORFIN()"});
}

TEST_F(BindingCallTest, RoutinesWithoutABindingSayWhy)
{
    EXPECT_EQ(run({"ABS3PT(1.0, 2.0, 3.0, XP, YP)", "POS2PT(1, 2, XP, YP)"}),
              " >>>> Unknown routine ABS3PT in exec_routine!\n"
              " >>>> Unknown routine POS2PT in exec_routine!\n");
    // The arguments were distributed before: XP is an INT variable now.
    EXPECT_EQ(var("XP")->type, kfl::T_INT);
    EXPECT_EQ(run({"A = GETBLK()", "Z = NZPOSN(1)"}),
              " >>>> Unknown function GETBLK in exec_function!\n"
              " >>>> Unknown function NZPOSN in exec_function!\n");
    EXPECT_EQ(var("A")->type, kfl::T_INT);
    EXPECT_EQ(var("Z")->slot.i32, 0);
    // Matching comes first: a mismatch leaves the function uncalled.
    EXPECT_EQ(run({"D = GETDSP(1.0)"}),
              " >>>> Parameter mismatch\n"
              "      User   : GETDSP (D)\n"
              "      Correct: GETDSP ()\n");
    // A library function that exists gives its result.
    EXPECT_EQ(run({"V = GETVER()"}), "");
    EXPECT_EQ(var("V")->type, kfl::T_DOUBLE);
    EXPECT_EQ(run({"NOHIDE(1)"}),
              " >>>> Parameter mismatch\n"
              "      User   : NOHIDE (I)\n"
              "      Correct: NOHIDE ()\n");
    // Every routine of the table is part of this version: SHDEUR draws.
    EXPECT_EQ(run({"INT IC[2]", "SHDEUR(IC, IC, IC, 2)"}), " <<<< Warning   3: Incorrect level in shdeur!   (   0)\n");
    // The widget routines are part of this version.
    EXPECT_EQ(run({"WGFIN()"}), "WGFIN: >>>> No call to WGINI");
}

TEST_F(BindingCallTest, ThreeDimensionalConversionsReturnDouble)
{
    run({"METAFL('GKSV')", "KORINI()", "GRAF3D(0, 10, 0, 2, 0, 5, 0, 1, 0, 1, 0, 0.5)"});
    EXPECT_EQ(run({"D = X3DABS(1.0, 2.0, 3.0)", "E = Y3DPOS(1, 2, 1)"}), "");
    EXPECT_EQ(var("D")->type, kfl::T_DOUBLE);
    EXPECT_EQ(var("E")->type, kfl::T_DOUBLE);
    EXPECT_GT(var("D")->slot.f64, 0.0);
    run({"ENDGRF()", "UNIT(0)", "KORFIN()"});
}

TEST_F(BindingCallTest, NamesThatAreNoLibraryRoutines)
{
    EXPECT_EQ(run({"FOO(1)"}), " >>>> Undefined routine FOO\n");
    // Lower-case input is upper-cased by the tokenizer; a function name is no procedure.
    EXPECT_EQ(run({"xposn(1.0)"}), " >>>> Undefined routine XPOSN\n");
    EXPECT_EQ(run({"metafl('gksv')"}), "");
}

TEST_F(BindingCallTest, SyntaxErrorsInTheArgumentList)
{
    EXPECT_EQ(run({"HEIGHT(30) 5"}), " >>>> Syntax error - Expected end of line\n");
    EXPECT_EQ(run({"HEIGHT(30,)"}).substr(0, 6), " >>>> ");
    EXPECT_EQ(kfl::stack_depth(), 0);
}

TEST_F(BindingCallTest, MoreArgumentsThanSlotsMismatch)
{
    std::string call = "GRAF(";
    for (int i = 0; i < 21; ++i)
        call += i == 0 ? "1" : ", 1";
    call += ")";
    std::string out = run({call});
    EXPECT_EQ(out.substr(0, out.find('\n') + 1), " >>>> Parameter mismatch\n");
    EXPECT_NE(out.find("User   : GRAF (I,I,I,I,I,I,I,I,I,I,I,I,I,I,I,I,I,I,I,I,I)"), std::string::npos);
}

TEST_F(BindingCallTest, ByteArraysOfThePixelReadersAreChecked)
{
    run({"BYTE IRAY[8]"});
    EXPECT_EQ(run({"RPIXLS(IRAY + 1, 0, 0, 1, 1)"}), " >>>> Byte array in RPIXLS must be a variable\n");
    EXPECT_EQ(run({"RPIXLS(IRAY, 0, 0, 3, 3)"}), " >>>> Byte array too small in RPIXLS\n");
    // Arrays that pass reach the routine, which wants an open plot first.
    EXPECT_EQ(run({"RPIXLS(IRAY, 0, 0, 2, 4)"}), " <<<< Warning   3: Incorrect level in rpixls!   (   0)\n"
                                                 " <<<< Warning  55: No call to imgini in rpixls!\n");
    EXPECT_EQ(run({"RPXROW(IRAY, 0, 0, 9)"}), " >>>> Byte array too small in RPXROW\n");
    EXPECT_EQ(run({"RPXROW(IRAY * 2, 0, 0, 1)"}), " >>>> Byte array in RPXROW must be a variable\n");
    // A huge product does not wrap around.
    EXPECT_EQ(run({"RPIXLS(IRAY, 0, 0, 65536, 65536)"}), " >>>> Byte array too small in RPIXLS\n");
}

TEST_F(BindingCallTest, PixelRoutinesReadIntoVariablesAndByteArrays)
{
    run({"METAFL('VIRT')", "WINSIZ(20, 10)", "KORINI()", "IMGINI()", "BYTE ROW[4]", "BYTE IRAY[6]"});
    EXPECT_EQ(run({"WPIXEL(3, 2, 200)", "RPIXEL(3, 2, N)", "RPXROW(ROW, 1, 2, 4)", "RPIXLS(IRAY, 2, 1, 3, 2)"}), "");
    ASSERT_NE(var("N"), nullptr);
    EXPECT_EQ(var("N")->type, kfl::T_INT);
    EXPECT_EQ(var("N")->slot.i32, 200);
    const auto* row = static_cast<const unsigned char*>(var("ROW")->slot.block);
    EXPECT_EQ(row[0], 0);
    EXPECT_EQ(row[2], 200);
    const auto* block = static_cast<const unsigned char*>(var("IRAY")->slot.block);
    EXPECT_EQ(block[4], 200);  // row 1 of the block, column 1
    // Writing takes its values from any byte array that is large enough.
    EXPECT_EQ(run({"WPXROW(ROW, 0, 0, 4)", "WPIXLS(IRAY, 0, 5, 3, 2)"}), "");
    EXPECT_EQ(run({"WPIXLS(ROW, 0, 0, 3, 3)"}), " <<<< Warning   2: Incorrect parameter in wpixls!\n");
    EXPECT_EQ(run({"RPIXEL(3, 10, M)", "RPIXEL(1, 0, M)"}), " <<<< Warning  58: Array is out of screen in rpixel!\n");
    EXPECT_EQ(var("M")->slot.i32, 0);
    EXPECT_EQ(run({"RPIXEL(1, 6, M)"}), "");
    EXPECT_EQ(var("M")->slot.i32, 200);
    run({"IMGFIN()", "UNIT(0)", "KORFIN()"});
}

TEST_F(BindingCallTest, TheStartupDeviceAndTheMetaflFlag)
{
    EXPECT_FALSE(binding::metafl_flag());
    kfl::front_end().options.device_given = true;
    kfl::front_end().options.startup_device = "POST";
    run({"METAFL('GKSV')", "KORINI()"});
    EXPECT_TRUE(binding::metafl_flag());
    EXPECT_GT(state().device_code, 500);
    EXPECT_LE(state().device_code, 600);
    run({"UNIT(0)", "KORFIN()"});
    EXPECT_TRUE(std::filesystem::exists("korvan.psc"));
    kfl::front_end().options = {};
    binding::reset_binding_state();
    run({"METAFL('GKSV')"});
    EXPECT_TRUE(binding::metafl_flag());
}

TEST_F(BindingCallTest, ColrayFillsAnIntArray)
{
    run({"METAFL('GKSV')", "KORINI()", "FLOAT Z[3]", "Z[0] = 0.0", "Z[1] = 0.5", "Z[2] = 1.0",
         "GRAF(0, 1, 0, 1, 0, 1, 0, 1)"});
    // COLRAY itself wants a 3-D axis system and warns; the array is made all the same.
    EXPECT_EQ(run({"COLRAY(Z, NC, 3)"}), " <<<< Warning   3: Incorrect level in colray!   (   2)\n");
    const kfl::Value* nc = var("NC");
    ASSERT_NE(nc, nullptr);
    EXPECT_EQ(nc->type, kfl::T_INT_ARRAY);
    EXPECT_EQ(nc->count, 3);
    run({"ENDGRF()", "UNIT(0)", "KORFIN()"});
}

TEST_F(BindingCallTest, InckflReadsTheFileNext)
{
    dir.write("part.kfl", "%KFL\nPRINT 'included'\n");
    EXPECT_EQ(run({"INCKFL('part.kfl')"}), "");
    EXPECT_EQ(kfl::front_end().inputs.depth(), 1);
}

TEST_F(BindingCallTest, AFullVariableTableStopsTheCall)
{
    run({"METAFL('GKSV')", "KORINI()", "QA = 1"});
    for (int i = 0;; ++i) {
        kfl::Value record;
        kfl::clear_record(record);
        kfl::set_name(record, "FILL" + std::to_string(i));
        record.type = kfl::T_INT;
        record.count = 1;
        console->output.clear();
        if (kfl::store_variable(record, -1) < 0)
            break;
        ASSERT_LT(i, 1000);
    }
    EXPECT_EQ(run({"GETPAG(QA, QB)"}), " >>>> Maximal number of variables is reached\n");
    EXPECT_EQ(var("QA")->slot.i32, 1);  // GETPAG was not called
    EXPECT_EQ(var("QB"), nullptr);
    run({"UNIT(0)", "KORFIN()"});
}

TEST_F(BindingCallTest, ASystemVariableReceivesAFunctionResult)
{
    run({"METAFL('GKSV')", "KORINI()", "HEIGHT(44)", "%H = GETHGT()"});
    const kfl::Value* h = var("%H");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->type, kfl::T_INT);
    EXPECT_EQ(h->slot.i32, 44);
    run({"UNIT(0)", "KORFIN()"});
}

}  // namespace
}  // namespace korvan::test
