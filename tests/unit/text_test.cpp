// The text engine, the text attributes and numbers.
#include "tests/unit/routines_test_support.hpp"

#include "plot/kernel/colours.hpp"
#include "plot/routines/fonts.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

using TextTest = PlotTest;

NumberStyle style_of(NumberFormat format)
{
    NumberStyle style;
    style.format = format;
    return style;
}

// --- Number texts ------------------------------------------------------------

TEST(NumberText, FloatingForms)
{
    NumberStyle floa = style_of(NumberFormat::floa);
    EXPECT_EQ(number_text(3.14159, 2, floa), "3.14");
    EXPECT_EQ(number_text(2.5, -1, floa), "3");
    EXPECT_EQ(number_text(-2.5, -1, floa), "-3");
    EXPECT_EQ(number_text(0.4, -1, floa), "0");
    EXPECT_EQ(number_text(-0.4, -1, floa), "0");
    EXPECT_EQ(number_text(-0.001, 2, floa), "0.00");
    EXPECT_EQ(number_text(1234.5, 0, floa), "1234");  // printf rounds the tie to even
    EXPECT_EQ(number_text(7, 3, floa), "7.000");
}

TEST(NumberText, ExponentForms)
{
    EXPECT_EQ(number_text(1500, 1, style_of(NumberFormat::exp)), "1.5$*10[3$");
    EXPECT_EQ(number_text(0, 0, style_of(NumberFormat::exp)), "0$*10[0$");
    EXPECT_EQ(number_text(0.00012, 1, style_of(NumberFormat::fexp)), "1.2$E-4");
    EXPECT_EQ(number_text(-0.00012, 1, style_of(NumberFormat::fexp)), "-1.2$E-4");
    // A mantissa that rounds up to 10 stays there.
    EXPECT_EQ(number_text(9.99, 1, style_of(NumberFormat::fexp)), "10.0$E0");
    EXPECT_EQ(number_text(3, -1, style_of(NumberFormat::log)), "10[3$");
    // Infinite values end the mantissa search at once.
    EXPECT_EQ(number_text(std::numeric_limits<double>::infinity(), 1, style_of(NumberFormat::exp)), "inf$*10[0$");
}

TEST(NumberText, NumberMode)
{
    NumberStyle style = style_of(NumberFormat::floa);
    style.decimal = ',';
    EXPECT_EQ(number_text(3.14159, 2, style), "3,14");
    style.decimal = '.';
    style.group = ' ';
    EXPECT_EQ(number_text(1234567.25, 2, style), "1 234 567.25");
    EXPECT_EQ(number_text(0.123456, 6, style), "0.123 456");
    EXPECT_EQ(number_text(-1234567, -1, style), "-1 234 567");
    EXPECT_EQ(number_text(123, -1, style), "123");
    // Beyond the field of 40 characters the number is left ungrouped rather than cut.
    std::string long_number = number_text(1.5, 40, style);
    EXPECT_EQ(long_number, "1.5000000000000000000000000000000000000000");
    style.group = ',';
    style.decimal = '.';
    EXPECT_EQ(number_text(1234567.25, 2, style), "1,234,567.25");
    style.group = 0;
    style.sign = '+';
    EXPECT_EQ(number_text(2.5, 1, style), "+2.5");
    EXPECT_EQ(number_text(-2.5, 1, style), "-2.5");
    style.sign = ' ';
    EXPECT_EQ(number_text(2.5, 1, style), " 2.5");
    // In the exponent forms the mode acts on the mantissa.
    style.sign = 0;
    style.decimal = ',';
    style.format = NumberFormat::exp;
    EXPECT_EQ(number_text(1500, 1, style), "1,5$*10[3$");
}

TEST_F(TextTest, NumodeAndNumfmtSetTheStyle)
{
    numode("COMM", "SPAC", "PLUS", "EQUA");
    numfmt("FEXP");
    NumberStyle style = number_style();
    EXPECT_EQ(style.decimal, ',');
    EXPECT_EQ(style.group, ' ');
    EXPECT_EQ(style.sign, '+');
    EXPECT_EQ(style.format, NumberFormat::fexp);
    numfmt("HEXA");
    numode("POIN", "TABS", "NONE", "NOEQ");
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in numode!   (   0)\n"
                             " <<<< Warning   3: Incorrect level in numfmt!   (   0)\n"
                             " <<<< Warning   3: Incorrect level in numfmt!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in numfmt!   (HEXA)\n"
                             " <<<< Warning   3: Incorrect level in numode!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in numode!   (TABS)\n");
    style = number_style();
    EXPECT_EQ(style.decimal, '.');
    EXPECT_EQ(style.group, ' ');
    EXPECT_EQ(style.sign, 0);
    reset("NUMODE");
    reset("NUMFMT");
    EXPECT_EQ(number_style().group, 0);
    EXPECT_EQ(number_style().format, NumberFormat::floa);
}

// --- Drawing -----------------------------------------------------------------

TEST_F(TextTest, MessagOfBlanksDrawsAndReportsNothing)
{
    open_plot();
    long before = state().vector_count;
    messag("      ", 100, 100);
    messag("", -500, -500);
    EXPECT_EQ(state().vector_count, before);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(nlmess("    "), 0);
}

TEST_F(TextTest, BaseLineRuleAndHeight)
{
    open_plot();
    height(50);
    messag("H", 1000, 400);
    auto points = close_plot();
    Box b = box_of(points);
    // The capital stands on the base line at y + h - 1 and is h high.
    EXPECT_NEAR(b.y1, 449, 0.01);
    EXPECT_NEAR(b.y0, 399, 0.01);
    EXPECT_GE(b.x0, 1000);
    EXPECT_LT(b.x1, 1050);
}

TEST_F(TextTest, JustificationRightEndsAtThePoint)
{
    open_plot();
    txtjus("RIGH");
    messag("Right", 2000, 500);
    EXPECT_NEAR(state().text.end_x, 2000, 1e-6);
    txtjus("CENT");
    messag("Centre", 2000, 800);
    double length = nlmess("Centre");
    EXPECT_NEAR(state().text.end_x, 2000 + length / 2, 0.6);
    txtjus("LEFT");
    messag("Left", 2000, 1100);
    EXPECT_NEAR(state().text.end_x, 2000 + nlmess("Left"), 0.6);
    auto points = close_plot();
    Box right = box_of(points);
    EXPECT_LE(right.x1, 2000 + nlmess("Left") + 1);
}

TEST_F(TextTest, RaisedTextIsShorterAndOnlyWithControlCharacters)
{
    open_plot();
    int plain = nlmess("105");
    int literal = nlmess("10[5$");
    EXPECT_GT(literal, plain);  // without MIXALF all five characters are drawn
    mixalf();
    int raised = nlmess("10[5$");
    int ten = nlmess("10");
    int five = nlmess("5");
    EXPECT_LT(raised, plain);
    EXPECT_NEAR(raised, ten + 0.8 * five, 1.0);
    // Nested raising shrinks again and lowering goes below the base line.
    messag("x[2[3$", 500, 500);
    messag("x]i$", 500, 800);
    auto points = close_plot();
    Box all = box_of(points);
    EXPECT_LT(all.y0, 500 - 10);  // the second exponent reaches above the top of the x
    EXPECT_GT(all.y1, 800 + 36);  // the index hangs below the base line
}

TEST_F(TextTest, HeightAndColourAreRestored)
{
    open_plot();
    mixalf();
    setclr(50);
    messag("a[b", 300, 300);
    EXPECT_EQ(gethgt(), 36);
    EXPECT_EQ(getclr(), 50);
    // The next string starts at the full height again.
    TextRequest plain;
    EXPECT_NEAR(text_length("a", plain), text_length("a[$a", plain) - text_length("a", plain), 1e-9);
}

TEST_F(TextTest, ContinuationAt999)
{
    open_plot();
    messag("AB", 300, 300);
    double end_x = state().text.end_x;
    std::size_t first = static_cast<std::size_t>(state().vector_count);
    messag("CD", 999, 999);
    auto points = close_plot();
    Box cd = box_of(points, first);
    EXPECT_GE(cd.x0, end_x);
    EXPECT_LT(cd.x0, end_x + 10);
    EXPECT_NEAR(cd.y1, 335, 1.0);
}

TEST_F(TextTest, OutOfPageStartAndEndAreReportedAndDrawn)
{
    open_plot();
    messag("Hello world", -100, 500);
    messag("Far right", 2900, 100);
    char end[100];
    std::snprintf(end, sizeof end, " <<<< Warning: Endpoint   (%5d/  135) in MESSAG out of page - (Far righ).\n",
                  2900 + nlmess("Far right"));
    EXPECT_EQ(take_output(), " <<<< Warning: Startpoint ( -100/  535) in MESSAG out of page - (Hello wo).\n" +
                                 std::string(end));
    EXPECT_EQ(state().warning_count, 2);
    unit(0);
    messag("Hello", -100, 500);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(state().warning_count, 3);
}

TEST_F(TextTest, NumberDrawsItsTextLikeMessag)
{
    open_plot();
    number(3.14159, 2, 500, 500);
    std::size_t n_number = static_cast<std::size_t>(state().vector_count);
    messag("3.14", 500, 800);
    EXPECT_EQ(static_cast<std::size_t>(state().vector_count), 2 * n_number);
    EXPECT_EQ(nlnumb(3.14159, 2), nlmess("3.14"));
    EXPECT_EQ(nlnumb(-2.5, -1), nlmess("-3"));
    number(1, 101, 500, 500);
    number(1, -2, 500, 500);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in number!   ( 101)\n"
                             " <<<< Warning   2: Incorrect parameter in number!   (  -2)\n");
    numode("COMM", "NONE", "NONE", "NOEQ");
    EXPECT_EQ(nlnumb(3.14159, 2), nlmess("3,14"));
    // The exponent forms switch the control characters on for the call only.
    numfmt("EXP");
    int exp_len = nlnumb(1500, 1);
    mixalf();
    EXPECT_EQ(exp_len, nlmess("1,5$*10[3$"));
    reset("MIXALF");
    EXPECT_FALSE(state().text.control_on);
    // Equal widths: every character in a cell of 0.7 times the height.
    numfmt("FLOA");
    numode("POIN", "NONE", "NONE", "EQUA");
    EXPECT_EQ(nlnumb(111, -1), 76);  // 3 * 0.7 * 36 = 75.6
    EXPECT_EQ(state().text.fixed, 0.0);
    auto points = close_plot();
    EXPECT_FALSE(points.empty());
}

TEST_F(TextTest, NumberBeforeKoriniWarnsWithItsName)
{
    number(1, 1, 0, 0);
    messag("x", 0, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in number!   (   0)\n"
                             " <<<< Warning   3: Incorrect level in messag!   (   0)\n");
}

TEST_F(TextTest, AttributeRangesAndTheirResets)
{
    open_plot();
    height(0);
    height(10001);
    chawth(2.0);
    chaang(61);
    fixspc(0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in height!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in height!   (10001)\n"
                             " <<<< Warning   2: Incorrect parameter in chawth!\n"
                             " <<<< Warning   2: Incorrect parameter in chaang!\n"
                             " <<<< Warning   2: Incorrect parameter in fixspc!\n");
    height(72);
    EXPECT_EQ(gethgt(), 72);
    int tall = nlmess("W");
    height(36);
    EXPECT_NEAR(tall, 2 * nlmess("W"), 1);
    chawth(0.5);
    int narrow = nlmess("WWWW");
    reset("CHAWTH");
    EXPECT_NEAR(narrow, nlmess("WWWW") / 2.0, 1.0);
    chaspc(0.5);
    int spaced = nlmess("WW") - nlmess("W");
    reset("CHASPC");
    EXPECT_NEAR(spaced, nlmess("WW") - nlmess("W") + 18, 1);
    fixspc(1.0);
    EXPECT_EQ(nlmess("iii"), 108);
    EXPECT_EQ(nlmess("WWW"), 108);
    reset("FIXSPC");
    EXPECT_LT(nlmess("iii"), nlmess("WWW"));
    angle(90);
    EXPECT_EQ(getang(), 90);
    reset("ANGLE");
    EXPECT_EQ(getang(), 0);
    txtjus("TOP");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in txtjus!   (TOP)\n");
}

TEST_F(TextTest, TurnedAndSlantedText)
{
    open_plot();
    angle(90);
    messag("Upward", 1000, 1500);
    auto points = close_plot();
    Box b = box_of(points);
    // Read upwards: the text spans y above the start, within one height in x.
    EXPECT_LT(b.y0, 1500 - 100);
    EXPECT_LE(b.y1, 1501);
    EXPECT_GE(b.x0, 998.5);
    EXPECT_LE(b.x1, 1000 + 36 + 15);  // descenders reach beyond the base line
}

TEST_F(TextTest, FontsDrawDifferentStrokes)
{
    open_plot();
    long counts[3] = {};
    void (*fonts[3])() = {&simplx, &complx, &gothic};
    for (int i = 0; i < 3; ++i) {
        fonts[i]();
        long before = state().vector_count;
        messag("Font", 500, 300 + 200 * i);
        counts[i] = state().vector_count - before;
    }
    EXPECT_LT(counts[0], counts[1]);
    EXPECT_LT(counts[1], counts[2]);
    // Hardware text on a device without its own font: stroke text in COMPLX.
    hwfont();
    long before = state().vector_count;
    messag("Font", 500, 900);
    EXPECT_EQ(state().vector_count - before, counts[1]);
    EXPECT_EQ(state().text.font, static_cast<int>(StrokeFont::complx));
    koralf();
    EXPECT_FALSE(state().text.hardware_font);
}

TEST_F(TextTest, MixedAlphabetsAndTheBaseAlphabet)
{
    open_plot();
    mixalf();
    smxalf("GREE", "{", "}", 1);
    // "a" in the Greek alphabet is alpha: the same advance as drawing alpha directly.
    AlphabetMetrics greek = alphabet_metrics(StrokeFont::koralf, Alphabet::greek);
    const Glyph& alpha = glyph(StrokeFont::koralf, Alphabet::greek, U'a');
    EXPECT_NEAR(nlmess("{a}"), alpha.advance() * 36.0 / greek.cap_height, 0.6);
    smxalf("STAN", "<", ">", 2);
    smxalf("GREE", "{", "}", 7);
    EXPECT_EQ(take_output(), " <<<< Warning  19: The basealphabet cannot be used in smxalf!\n"
                             " <<<< Warning   2: Incorrect parameter in smxalf!   (   7)\n");
    basalf("GREE");
    EXPECT_EQ(nlmess("a"), static_cast<int>(std::lround(alpha.advance() * 36.0 / greek.cap_height)));
    // "INST" brings the standard alphabet into Greek base text.
    smxalf("INST", "<", ">", 2);
    AlphabetMetrics standard = alphabet_metrics(StrokeFont::koralf, Alphabet::standard);
    const Glyph& a = glyph(StrokeFont::koralf, Alphabet::standard, U'a');
    EXPECT_NEAR(nlmess("<a>"), a.advance() * 36.0 / standard.cap_height, 0.6);
    reset("BASALF");
    smxalf("INST", "<", ">", 2);
    EXPECT_EQ(take_output(), " <<<< Warning  19: The basealphabet cannot be used in smxalf!\n");
}

TEST_F(TextTest, NationalCharacters)
{
    open_plot();
    eushft("GERM", "\"");
    AlphabetMetrics standard = alphabet_metrics(StrokeFont::koralf, Alphabet::standard);
    const Glyph& umlaut = glyph(StrokeFont::koralf, Alphabet::standard, 0xC4);
    EXPECT_NEAR(nlmess("\"A"), umlaut.advance() * 36.0 / standard.cap_height, 0.6);
    eushft("FREN", "\"");
    EXPECT_EQ(take_output(), " <<<< Warning  57: Control characters must be different in eushft!\n");
    eushft("FREN", "@");
    EXPECT_EQ(nlmess("@c"), nlmess("\xE7"));
    // A letter without a national form is reported while drawing.
    messag("\"x", 300, 300);
    EXPECT_EQ(take_output(), " <<<< Warning  18: Incorrect character after the eushft operator in messag!\n");
    reset("EUSHFT");
    EXPECT_GT(nlmess("\"A"), nlmess("A"));
}

TEST_F(TextTest, SetmixAndNewmixChangeTheControlCharacters)
{
    open_plot();
    mixalf();
    newmix();
    EXPECT_LT(nlmess("10^5%"), nlmess("105"));
    EXPECT_GT(nlmess("10[5$"), nlmess("105"));
    setmix("!", "EXP");
    EXPECT_LT(nlmess("10!5%"), nlmess("105"));
    setmix("!", "POW");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in setmix!   (POW)\n");
    reset("SETMIX");
    EXPECT_LT(nlmess("10[5$"), nlmess("105"));
}


// FRMESS draws rectangles around MESSAG's text, a quarter of the height
// away from its box; ANGLE turns them with the text; 0 draws none.
TEST_F(TextTest, FramesAroundTexts)
{
    open_plot();
    height(40);
    int length = nlmess("Frame");
    frmess(2);
    frmess(-1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in frmess!   (  -1)\n");
    long from = state().vector_count;
    messag("Frame", 200, 300);
    long after_text = state().vector_count;
    frmess(0);
    messag("Frame", 200, 600);
    long plain = state().vector_count - after_text;
    frmess(1);
    angle(90);
    long turned_from = state().vector_count;
    messag("Frame", 1000, 1000);
    long turned_to = state().vector_count;
    reset("FRMESS");
    EXPECT_EQ(state().text.frame, 0);
    auto points = close_plot();
    // Two closed rectangles after the letters; the letters alone make the
    // plain text's points.
    ASSERT_EQ(after_text - from, plain + 10);
    const PlotPointRecord* r = &points[static_cast<std::size_t>(after_text - 10)];
    double xs[] = {190, 200.0 + length + 10, 200.0 + length + 10, 190, 190};
    double ys[] = {290, 290, 300 + 39 + 10, 300 + 39 + 10, 290};
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(r[i].x, xs[i], 0.6) << i;
        EXPECT_NEAR(r[i].y, ys[i], 0.6) << i;
        EXPECT_EQ(r[i].draw, i > 0);
        EXPECT_NEAR(r[5 + i].x, xs[i] + (i == 0 || i >= 3 ? -1 : 1), 0.6) << i;
        EXPECT_NEAR(r[5 + i].y, ys[i] + (i == 2 || i == 3 ? 1 : -1), 0.6) << i;
    }
    // Turned by 90 degrees the frame stands upright: its box runs upwards
    // from the point over the text's length.
    Box frame = box_of(points, static_cast<std::size_t>(turned_to - 5), static_cast<std::size_t>(turned_to));
    EXPECT_NEAR(frame.x0, 990, 0.6);
    EXPECT_NEAR(frame.x1, 1000 + 39 + 10, 0.6);
    EXPECT_NEAR(frame.y1, 1010, 0.6);
    EXPECT_NEAR(frame.y0, 1000 - length - 10, 0.6);
    EXPECT_GT(turned_to - turned_from, 5);
}

}  // namespace
}  // namespace korvan::test

namespace korvan::test {
namespace {

// Texts are UTF-8, older Latin-1 texts read as such: Greek letters and math
// signs come from the font's other alphabets, other characters are a square,
// counted in one warning for the text. Lengths count characters.
TEST_F(TextTest, UnicodeCharactersInTheStrokeFonts)
{
    open_plot();
    EXPECT_EQ(nlmess("Temp\xC3\xA9rature in \xC2\xB0" "C"), nlmess("Temp\xE9rature in \xB0" "C"));
    // Delta is the Greek alphabet's D, the micro sign its m, <= a sign of the math alphabet.
    basalf("GREE");
    const int greek_dm = nlmess("Dm");
    basalf("STAN");
    EXPECT_EQ(nlmess("\xCE\x94\xC2\xB5"), greek_dm);
    smxalf("MATH", "{", "}", 1);
    mixalf();
    EXPECT_EQ(nlmess("\xE2\x89\xA4\xE2\x88\x9E"), nlmess("{&_}"));
    reset("SMXALF");
    auto drawn = points_added_by([] { messag("\xCE\x94t \xE2\x89\xA4 5 \xC2\xB5s", 300, 300); });
    EXPECT_GT(drawn.size(), 20u);
    EXPECT_EQ(kept_output_, "");

    open_new_plot();
    const int two_unknown = nlmess("a\xE2\x98\x83\xE4\xB8\x80" "b");
    EXPECT_GT(two_unknown, nlmess("ab"));
    EXPECT_EQ(take_output(), "");  // measuring reports nothing
    auto squares = points_added_by([] { messag("a\xE2\x98\x83\xE4\xB8\x80" "b", 300, 300); });
    EXPECT_EQ(kept_output_, " <<<< Warning: 2 characters not in the font in MESSAG - (a\xE2\x98\x83\xE4\xB8\x80" "b).\n");
    Box box = box_of(squares);
    EXPECT_NEAR(box.x1 - box.x0, two_unknown, 36);
}

TEST_F(TextTest, TheLimitOf132CountsCharactersNotBytes)
{
    open_plot();
    std::string e132;
    std::string e140;
    for (int i = 0; i < 140; ++i) {
        if (i < 132)
            e132 += "\xC3\xA9";
        e140 += "\xC3\xA9";
    }
    const int full = nlmess(e132);
    EXPECT_EQ(nlmess(e140), full);
    EXPECT_NEAR(full, 2 * nlmess(e132.substr(0, 132)), 2);
}

}  // namespace
}  // namespace korvan::test
