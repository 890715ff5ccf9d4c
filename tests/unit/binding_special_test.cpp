// The special bindings over stand-in library routines: output blocks and
// their counts, the spline output size, the legend buffer, item lists,
// private copies and the callback table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "binding/special_bindings.hpp"
#include "interp/eval_stack.hpp"
#include "interp/tokenizer.hpp"
#include "tests/unit/binding_test_support.hpp"

namespace korvan::test {
namespace {

using namespace korvan::binding;

// What the stand-in routines saw.
struct Seen {
    std::size_t block_size = 0;
    int n = 0;
    std::string text;
    std::vector<int> ints;
};
Seen seen;

void fake_spline(std::span<const float>, std::span<const float>, int n, std::span<float> xs, std::span<float> ys,
                 int& nspl)
{
    seen.block_size = xs.size();
    seen.n = n;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        xs[i] = static_cast<float>(i);
        ys[i] = static_cast<float>(2 * i);
    }
    nspl = static_cast<int>(xs.size());
}

// Accepts 3 <= NPTS like the library; a refusal is a warning.
void fake_splmod(int, int npts)
{
    if (npts < 3)
        ++state().warning_count;
}

void fake_bezier(std::span<const float>, std::span<const float>, int, std::span<float> xp, std::span<float> yp,
                 int nout)
{
    seen.block_size = xp.size();
    seen.n = nout;
    for (std::size_t i = 0; i < xp.size(); ++i)
        xp[i] = yp[i] = 1.5f;
}

void fake_histog(std::span<const float> x, int n, std::span<float> xh, std::span<float> yh, int& nh)
{
    seen.block_size = xh.size();
    seen.n = n;
    xh[0] = x[0];
    yh[0] = 1;
    nh = 1;
}

void fake_legini(std::span<char> buffer, int nlin, int nmaxln)
{
    seen.block_size = buffer.size();
    seen.n = nlin * nmaxln;
}

void fake_leglin(std::string& buffer, std::string_view text, int ilin)
{
    std::size_t width = buffer.size() / 2;  // two lines in the tests
    std::size_t at = static_cast<std::size_t>(ilin - 1) * width;
    buffer.replace(at, std::min(text.size(), width), text.substr(0, width));
}

void fake_legend(std::span<const char> buffer, int)
{
    seen.text.assign(buffer.data(), buffer.size());
}

void fake_itmcat(std::span<char> list, std::string_view item)
{
    std::size_t old = strnlen(list.data(), list.size());
    char* end = list.data() + old;
    if (old > 0)
        *end++ = '|';
    std::memcpy(end, item.data(), item.size());
    seen.text.assign(list.data());
}

void fake_shdeur(std::span<const int>, std::span<int> ipray, std::span<const int>, int n)
{
    seen.ints.assign(ipray.begin(), ipray.end());
    seen.n = n;
    for (int& v : ipray)
        v = -1;
}

class SpecialBindingTest : public BindingSession {
protected:
    void SetUp() override
    {
        BindingSession::SetUp();
        seen = Seen{};
    }

    // Evaluates "(arguments)", matches and fills the slots as a call of the
    // routine would, and runs the binding. False when the call does not happen.
    bool call(ProcedureAdapter adapter, const char* name, const char* signature, const std::string& arguments)
    {
        held = arguments;
        kfl::reset_tokenizer(held);
        kfl::next_token();
        bool ok = evaluate_call_arguments() && match_arguments(name, signature) && fill_slots();
        if (ok)
            adapter(argument_slots());
        kfl::pop_to(0);
        return ok;
    }

    std::string held;
};

TEST_F(SpecialBindingTest, SplineBlocksFollowTheSplineOutputSize)
{
    run({"FLOAT X[4], Y[4]"});
    EXPECT_EQ(spline_output_size(), 201);
    ASSERT_TRUE(call(&bind_spline<&fake_spline>, "SPLINE", "FR,FR,I,U,U,U", "(X, Y, 4, XS, YS, N)"));
    EXPECT_EQ(seen.block_size, 201u);
    EXPECT_EQ(seen.n, 4);
    EXPECT_EQ(var("XS")->type, kfl::T_FLOAT_ARRAY);
    EXPECT_EQ(var("XS")->count, 201);
    EXPECT_EQ(static_cast<const float*>(var("YS")->slot.block)[200], 400.0f);
    EXPECT_EQ(var("N")->type, kfl::T_INT);
    EXPECT_EQ(var("N")->slot.i32, 201);

    ASSERT_TRUE(call(&bind_splmod<&fake_splmod>, "SPLMOD", "I,I", "(3, 100)"));
    EXPECT_EQ(spline_output_size(), 101);
    ASSERT_TRUE(call(&bind_spline<&fake_spline>, "SPLINE", "FR,FR,I,U,U,U", "(X, Y, 4, XS, YS, N)"));
    EXPECT_EQ(seen.block_size, 101u);
    EXPECT_EQ(var("XS")->count, 101);
    EXPECT_EQ(var("N")->slot.i32, 101);

    // A rejected SPLMOD leaves the size.
    ASSERT_TRUE(call(&bind_splmod<&fake_splmod>, "SPLMOD", "I,I", "(3, 2)"));
    EXPECT_EQ(spline_output_size(), 101);
    ASSERT_TRUE(call(&bind_spline<&fake_spline>, "SPLINE", "FR,FR,I,U,U,U", "(X, Y, 4, XS, YS, N)"));
    EXPECT_EQ(var("YS")->count, 101);
}

TEST_F(SpecialBindingTest, BezierAndHistogramArraysHaveTheRequestedCount)
{
    run({"FLOAT X[5], Y[5]", "X[0] = 7.0"});
    ASSERT_TRUE(call(&bind_bezier<&fake_bezier>, "BEZIER", "FR,FR,I,U,U,I", "(X, Y, 5, XP, YP, 12)"));
    EXPECT_EQ(seen.block_size, 12u);
    EXPECT_EQ(var("XP")->count, 12);
    EXPECT_EQ(var("YP")->type, kfl::T_FLOAT_ARRAY);
    EXPECT_EQ(static_cast<const float*>(var("YP")->slot.block)[11], 1.5f);
    // A negative count reaches the routine, which warns; nothing overflows.
    ASSERT_TRUE(call(&bind_bezier<&fake_bezier>, "BEZIER", "FR,FR,I,U,U,I", "(X, Y, 5, XP, YP, -3)"));
    EXPECT_EQ(seen.block_size, 0u);

    ASSERT_TRUE(call(&bind_histog<&fake_histog>, "HISTOG", "FR,I,U,U,U", "(X, 5, XH, YH, NH)"));
    EXPECT_EQ(seen.block_size, 5u);
    EXPECT_EQ(var("XH")->count, 5);
    EXPECT_EQ(static_cast<const float*>(var("XH")->slot.block)[0], 7.0f);
    EXPECT_EQ(var("NH")->slot.i32, 1);
}

TEST_F(SpecialBindingTest, TheLegendBufferIsTheVariablesOwnText)
{
    run({"CBUF = 'old'"});
    ASSERT_TRUE(call(&bind_legini<&fake_legini>, "LEGINI", "U,I,I", "(CBUF, 2, 5)"));
    EXPECT_EQ(seen.block_size, 10u);
    const kfl::Value* buf = var("CBUF");
    EXPECT_EQ(buf->type, kfl::T_STRING);
    EXPECT_EQ(buf->count, 10);
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(buf->slot.text[i], '\0');
    ASSERT_TRUE(call(&bind_leglin<&fake_leglin>, "LEGLIN", "V,S,I", "(CBUF, 'Sin', 1)"));
    ASSERT_TRUE(call(&bind_leglin<&fake_leglin>, "LEGLIN", "V,S,I", "(CBUF, 'Cos', 2)"));
    EXPECT_EQ(std::string(var("CBUF")->slot.text, 10), std::string("Sin\0\0Cos\0\0", 10));
    ASSERT_TRUE(call(&bind_legend<&fake_legend>, "LEGEND", "V,I", "(CBUF, 3)"));
    EXPECT_EQ(seen.text, std::string("Sin\0\0Cos\0\0", 10));
    // An empty legend text may have no block: the binding copies nothing.
    run({"CBUF = ''"});
    ASSERT_TRUE(call(&bind_leglin<&fake_leglin>, "LEGLIN", "V,S,I", "(CBUF, 'Sin', 1)"));
    EXPECT_EQ(var("CBUF")->count, 0);
    // A V argument that is no text is refused.
    run({"N = 1"});
    console->output.clear();
    ASSERT_TRUE(call(&bind_legend<&fake_legend>, "LEGEND", "V,I", "(N, 3)"));
    EXPECT_EQ(console->output,
              " >>>> Parameter mismatch\n"
              "      User   : LEGEND (I,I)\n"
              "      Correct: LEGEND (V,I)\n");
    // An undefined name is no V argument.
    EXPECT_FALSE(call(&bind_legend<&fake_legend>, "LEGEND", "V,I", "(NOBUF, 3)"));
}

TEST_F(SpecialBindingTest, ItmcatGrowsTheItemList)
{
    run({"L = ''"});
    ASSERT_TRUE(call(&bind_itmcat<&fake_itmcat>, "ITMCAT", "V,S", "(L, 'One')"));
    EXPECT_EQ(var("L")->count, 4);
    ASSERT_TRUE(call(&bind_itmcat<&fake_itmcat>, "ITMCAT", "V,S", "(L, 'Two')"));
    EXPECT_EQ(var("L")->count, 7);
    EXPECT_STREQ(var("L")->slot.text, "One|Two");
    // The item may be the list itself.
    ASSERT_TRUE(call(&bind_itmcat<&fake_itmcat>, "ITMCAT", "V,S", "(L, L)"));
    EXPECT_STREQ(var("L")->slot.text, "One|Two|One|Two");
}

TEST_F(SpecialBindingTest, ShdeurWorksOnAPrivateCopy)
{
    run({"INT A[3], B[3], C[3]", "B[0] = 4", "B[1] = 5", "B[2] = 6"});
    ASSERT_TRUE(call(&bind_shdeur<&fake_shdeur>, "SHDEUR", "IR,IR,IR,I", "(A, B, C, 3)"));
    EXPECT_EQ(seen.ints, (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(static_cast<const int*>(var("B")->slot.block)[0], 4);
    // N beyond the array: the copy ends with the array (nothing is read past
    // it), and the routine sees N and refuses it.
    ASSERT_TRUE(call(&bind_shdeur<&fake_shdeur>, "SHDEUR", "IR,IR,IR,I", "(A, B, C, 5)"));
    EXPECT_EQ(seen.ints, (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(seen.n, 5);
    // Fewer than the array: the copy holds N elements; a negative N none.
    ASSERT_TRUE(call(&bind_shdeur<&fake_shdeur>, "SHDEUR", "IR,IR,IR,I", "(A, B, C, 2)"));
    EXPECT_EQ(seen.ints, (std::vector<int>{4, 5}));
    ASSERT_TRUE(call(&bind_shdeur<&fake_shdeur>, "SHDEUR", "IR,IR,IR,I", "(A, B, C, -1)"));
    EXPECT_TRUE(seen.ints.empty());
    EXPECT_EQ(seen.n, -1);
}

TEST_F(SpecialBindingTest, CallbackTableByWidgetIdentifier)
{
    EXPECT_EQ(callback_routine(1), "");
    set_callback(1, "MYCB", 7);
    set_callback(200, "LAST", 3);
    set_callback(0, "NONE", 1);
    set_callback(201, "NONE", 1);
    EXPECT_EQ(callback_routine(1), "MYCB");
    EXPECT_EQ(callback_variable(1), 7);
    EXPECT_EQ(callback_routine(200), "LAST");
    EXPECT_EQ(callback_routine(0), "");
    EXPECT_EQ(callback_routine(201), "");
    EXPECT_EQ(callback_variable(201), -1);
    set_callback(1, "OTHER", 2);
    EXPECT_EQ(callback_routine(1), "OTHER");
    reset_binding_state();
    EXPECT_EQ(callback_routine(1), "");
}

}  // namespace
}  // namespace korvan::test
