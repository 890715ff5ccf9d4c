#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "interp/tokenizer.hpp"
#include "tests/support/runtime_session.hpp"

namespace korvan::kfl {
namespace {

class RuntimeTokenizerTest : public test::RuntimeSession {
protected:
    // All token codes of a text up to its end.
    std::vector<int> codes(const std::string& text)
    {
        held = text;
        reset_tokenizer(held);
        std::vector<int> out;
        for (int i = 0; i < 200; ++i) {
            int t = next_token();
            if (t == TK_END)
                break;
            out.push_back(t);
        }
        return out;
    }

    int first(const std::string& text)
    {
        held = text;
        reset_tokenizer(held);
        return next_token();
    }

    std::string held;
};

TEST_F(RuntimeTokenizerTest, SingleCharactersAndPairs)
{
    EXPECT_EQ(codes("# $ ( ) , / : [ ] { } * = ! & |"),
              (std::vector<int>{35, 36, 40, 41, 44, 47, 58, 91, 93, 123, 125, 42, 61, 33, 38, 124}));
    EXPECT_EQ(codes("== != >= <= > < && || **"),
              (std::vector<int>{TK_EQ, TK_NE, TK_GE, TK_LE, TK_GT, TK_LT, TK_AND, TK_OR, TK_POWER}));
    EXPECT_EQ(codes("a***b"), (std::vector<int>{TK_IDENT, TK_POWER, TK_STAR, TK_IDENT}));
    EXPECT_EQ(console->output, "");
}

TEST_F(RuntimeTokenizerTest, IllegalCharactersAreSkippedWithSyntaxError)
{
    EXPECT_EQ(codes("1 ; 2 ? \\ ^ ~ `"),
              (std::vector<int>{TK_INTEGER, TK_ERROR, TK_INTEGER, TK_ERROR, TK_ERROR, TK_ERROR, TK_ERROR, TK_ERROR}));
    EXPECT_EQ(codes("\x01\xff"), (std::vector<int>{TK_ERROR, TK_ERROR}));
    std::string expected;
    for (int i = 0; i < 8; ++i)
        expected += " >>>> Syntax error\n";
    EXPECT_EQ(console->output, expected);
}

TEST_F(RuntimeTokenizerTest, IdentifiersAreUpperCasedAndCutTo15)
{
    EXPECT_EQ(first("abcdefghijklmnopqrst+1"), TK_IDENT);
    EXPECT_EQ(token_name(), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(next_token(), TK_PLUS);  // the dropped characters were consumed
    EXPECT_EQ(first("x_1y"), TK_IDENT);
    EXPECT_EQ(token_name(), "X_1Y");
    EXPECT_EQ(first("_x"), TK_ERROR);
}

TEST_F(RuntimeTokenizerTest, NumberLiterals)
{
    EXPECT_EQ(first("1.5e3"), TK_REAL);
    EXPECT_EQ(tokenizer().record.type, T_DOUBLE);
    EXPECT_DOUBLE_EQ(tokenizer().record.slot.f64, 1500.0);
    EXPECT_EQ(first("2E-2"), TK_REAL);
    EXPECT_DOUBLE_EQ(tokenizer().record.slot.f64, 0.02);
    EXPECT_EQ(first(".5"), TK_REAL);
    EXPECT_DOUBLE_EQ(tokenizer().record.slot.f64, 0.5);
    EXPECT_EQ(first("0x1F"), TK_INTEGER);
    EXPECT_EQ(tokenizer().record.type, T_INT);
    EXPECT_EQ(tokenizer().record.slot.i32, 31);
    EXPECT_EQ(first("12abc"), TK_INTEGER);
    EXPECT_EQ(tokenizer().record.slot.i32, 12);
    EXPECT_EQ(first("0xFFFFFFFF"), TK_INTEGER);
    EXPECT_EQ(tokenizer().record.slot.i32, -1);
    EXPECT_EQ(first("4294967296"), TK_INTEGER);
    EXPECT_EQ(tokenizer().record.slot.i32, 2147483647);
    EXPECT_EQ(console->output, "");
    EXPECT_EQ(first("1.2.3"), TK_ERROR);
    EXPECT_EQ(first("0x1E"), TK_ERROR);
    EXPECT_EQ(first("0x1.5"), TK_ERROR);
    EXPECT_EQ(first(std::string(65, '1')), TK_ERROR);
    EXPECT_EQ(console->output, std::string(" >>>> Syntax error\n") + " >>>> Syntax error\n" + " >>>> Syntax error\n" +
                                   " >>>> Syntax error\n");
    EXPECT_EQ(first(std::string(64, '1')), TK_INTEGER);
}

TEST_F(RuntimeTokenizerTest, RealLiteralsConvertExactlyLikeTheLibrary)
{
    const char* texts[] = {"0.1",          "123.456",          "999999999999999.", ".000000000000001", "1234567.8901234",
                           "3.14159265358979", "0.30000000000000004", "1.7976931348623157e308", "5e-324", "00000.5",
                           "9007199254740993.0", "1."};
    for (const char* text : texts) {
        ASSERT_EQ(first(text), TK_REAL) << text;
        EXPECT_EQ(tokenizer().record.slot.f64, std::strtod(text, nullptr)) << text;
    }
    EXPECT_EQ(console->output, "");
}

TEST_F(RuntimeTokenizerTest, StringLiterals)
{
    EXPECT_EQ(first("\"it's\""), TK_STRING);
    EXPECT_STREQ(tokenizer().record.slot.text, "it's");
    EXPECT_EQ(tokenizer().record.count, 4);
    EXPECT_EQ(first("'say \"hi\"'"), TK_STRING);
    EXPECT_STREQ(tokenizer().record.slot.text, "say \"hi\"");
    EXPECT_EQ(first("'  two  blanks '"), TK_STRING);
    EXPECT_STREQ(tokenizer().record.slot.text, "  two  blanks ");
    std::string long_text(140, 'x');
    EXPECT_EQ(first("'" + long_text + "'+1"), TK_STRING);
    EXPECT_EQ(tokenizer().record.count, 132);
    EXPECT_EQ(std::string(tokenizer().record.slot.text), std::string(132, 'x'));
    EXPECT_EQ(next_token(), TK_PLUS);
    EXPECT_EQ(first("'open to the end"), TK_STRING);
    EXPECT_STREQ(tokenizer().record.slot.text, "open to the end");
    EXPECT_EQ(next_token(), TK_END);
}

TEST_F(RuntimeTokenizerTest, PercentIsModuloOrSystemVariable)
{
    EXPECT_EQ(codes("5 %X"), (std::vector<int>{TK_INTEGER, TK_MOD, TK_IDENT}));
    EXPECT_EQ(codes("A%B"), (std::vector<int>{TK_IDENT, TK_MOD, TK_IDENT}));
    EXPECT_EQ(codes("(%X)"), (std::vector<int>{TK_LPAREN, TK_IDENT, TK_RPAREN}));
    EXPECT_EQ(first("%xmin_1234567890"), TK_IDENT);
    EXPECT_EQ(token_name(), "%XMIN_123456789");
    EXPECT_EQ(codes("1.5 %X"), (std::vector<int>{TK_REAL, TK_IDENT}));
    EXPECT_EQ(codes("5 % 2"), (std::vector<int>{TK_INTEGER, TK_MOD, TK_INTEGER}));
}

TEST_F(RuntimeTokenizerTest, PreviousTokenDecidesUnaryOrBinary)
{
    EXPECT_EQ(codes("-1"), (std::vector<int>{TK_UMINUS, TK_INTEGER}));
    EXPECT_EQ(codes("A-1"), (std::vector<int>{TK_IDENT, TK_MINUS, TK_INTEGER}));
    EXPECT_EQ(codes("A -1"), (std::vector<int>{TK_IDENT, TK_MINUS, TK_INTEGER}));
    EXPECT_EQ(codes("1.5-1"), (std::vector<int>{TK_REAL, TK_MINUS, TK_INTEGER}));
    EXPECT_EQ(codes(")-]-"), (std::vector<int>{TK_RPAREN, TK_MINUS, TK_RBRACKET, TK_MINUS}));
    EXPECT_EQ(codes("'s'-1"), (std::vector<int>{TK_STRING, TK_UMINUS, TK_INTEGER}));
    EXPECT_EQ(codes("'s'+1"), (std::vector<int>{TK_STRING, TK_PLUS, TK_INTEGER}));
    EXPECT_EQ(codes("(+1,-2"), (std::vector<int>{TK_LPAREN, TK_UPLUS, TK_INTEGER, TK_COMMA, TK_UMINUS, TK_INTEGER}));
    EXPECT_EQ(codes("2**-1"), (std::vector<int>{TK_INTEGER, TK_POWER, TK_UMINUS, TK_INTEGER}));
}

TEST_F(RuntimeTokenizerTest, PeekAndExpect)
{
    held = "A   ( 1";
    reset_tokenizer(held);
    next_token();
    EXPECT_EQ(peek_character(), '(');
    EXPECT_EQ(current_token(), TK_IDENT);
    next_token();
    EXPECT_TRUE(expect(TK_LPAREN, '('));
    EXPECT_EQ(current_token(), TK_INTEGER);
    EXPECT_FALSE(expect(TK_RPAREN, ')'));
    EXPECT_EQ(console->output, " >>>> Syntax error - Expected ')'\n");
    next_token();
    EXPECT_EQ(peek_character(), '\0');
}

}  // namespace
}  // namespace korvan::kfl
