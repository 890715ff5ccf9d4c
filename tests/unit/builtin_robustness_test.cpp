// Random formats, scanned texts and data files: every call ends with its one
// result and a status, and nothing is written outside its place (run under the
// address sanitizer). The inputs come from a fixed seed.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "interp/builtin_support.hpp"
#include "interp/eval_stack.hpp"
#include "tests/support/builtin_session.hpp"
#include "tests/support/temp_dir.hpp"

namespace korvan::kfl {
namespace {

using Robustness = test::BuiltinSession;

std::string random_text(std::mt19937& rng, std::string_view alphabet, std::size_t max_length)
{
    std::uniform_int_distribution<std::size_t> length(0, max_length);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string s;
    for (std::size_t n = length(rng); n > 0; --n)
        s += alphabet[pick(rng)];
    return s;
}

TEST_F(Robustness, RandomFormats)
{
    std::mt19937 rng(20261207);
    const std::string_view alphabet = "%%%-.0123456789dsfxXceioDSF\\n ab'";
    for (int i = 0; i < 400; ++i) {
        std::string format = random_text(rng, alphabet, 24);
        run({"F = '" + format + "'", "CHAR B[12]", "S = 'ab 12 3.5 x'", "R = PRINTF(F, 7, 2.5, S)",
             "Q = SPRINTF(B, F, 7, 2.5, S)", "P = SSCANF(S, F, V1, V2, V3)"});
        const Value& r = var("R");
        ASSERT_EQ(r.type, T_INT) << format;
        EXPECT_TRUE(r.slot.i32 == 0 || r.slot.i32 == -1) << format;
        const Value& q = var("Q");
        ASSERT_EQ(q.type, T_INT) << format;
        const Value& b = var("B");
        ASSERT_EQ(b.type, T_CHAR_ARRAY);
        if (q.slot.i32 == 0) {
            EXPECT_TRUE(is_terminated(b)) << format;
        }
        const Value& p = var("P");
        ASSERT_EQ(p.type, T_INT) << format;
        EXPECT_GE(p.slot.i32, -1) << format;
        EXPECT_LE(p.slot.i32, 3) << format;
        ASSERT_EQ(stack_depth(), 0);
    }
}

TEST_F(Robustness, RandomDataFiles)
{
    test::TempDir dir;
    std::mt19937 rng(7122026);
    const std::string_view alphabet = "0123456789+-.eE ,\n\n\n\t/%'\"=xDATAEND";
    for (int i = 0; i < 300; ++i) {
        std::string body = random_text(rng, alphabet, 200);
        std::string head = i % 3 == 0 ? "%KFL-ASC\n%HEADER\n" : "%KFL-ASC\n%DATA\n3\n";
        dir.write("r.kdf", head + body);
        run({"R = DATFIL('r')", "M = DATMAT()", "C = DATRAY(2)", "Z = DATRAY(0)", "N = DATCNT('BLOCKS')",
             "H = DATVAR('x')", "K = DATBLK(2)", "Q = DATCLS()"});
        const Value& m = var("M");
        ASSERT_EQ(m.type, T_FLOAT_ARRAY) << body;
        const Value& c = var("C");
        ASSERT_EQ(c.type, T_FLOAT_ARRAY) << body;
        if (m.dims == 2) {
            EXPECT_EQ(c.count, m.dim_list[0]) << body;
        }
        ASSERT_EQ(stack_depth(), 0);
        run({"FREE M, C, Z, H"});
    }
}

}  // namespace
}  // namespace korvan::kfl
