// The dialog widgets without a window: the widget table and its limits, the
// layout of vertical, horizontal and form dialogs, the events of a running
// dialog, getters and setters, settings, item lists and every message.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plat/console.hpp"
#include "plot/widgets/events.hpp"
#include "plot/widgets/front_end.hpp"
#include "plot/widgets/layout.hpp"
#include "plot/widgets/widgets.hpp"
#include "tests/support/capture_console.hpp"

namespace korvan::widgets {
namespace {

// A front end without windows: each run plays the next scripted action, then
// the window is closed (as by its close box unless the action chose OK).
class ScriptedFrontEnd final : public DialogFrontEnd {
public:
    std::vector<std::function<void(int)>> runs;
    std::size_t next = 0;
    std::vector<int> refreshed;
    std::vector<int> closed;
    std::string file_answer;
    bool file_given = false;

    FontMetrics metrics() override
    {
        FontMetrics m;
        m.char_width = 8;
        m.line_height = 16;
        m.frame_width = 4;
        m.frame_height = 4;
        m.caption_height = 20;
        return m;
    }
    void run(int main) override
    {
        if (next < runs.size())
            runs[next++](main);
    }
    void close(int main) override { closed.push_back(main); }
    void refresh(int index) override { refreshed.push_back(index); }
    void message(std::string_view caption, std::string_view text) override
    {
        plat::console().message_box(caption, text);
    }
    bool choose_file(std::string_view, std::string_view, std::string& name) override
    {
        if (file_given)
            name = file_answer;
        return file_given;
    }
    bool yes_no(std::string_view, std::string_view, bool yes_default) override { return yes_default; }
    int choose_item(std::string_view, const std::vector<std::string>&, int selected) override { return selected; }
    std::string ask_text(std::string_view, std::string_view text) override { return std::string(text) + "!"; }
};

class WidgetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_widget_table();
        auto fe = std::make_unique<ScriptedFrontEnd>();
        front = fe.get();
        set_front_end(std::move(fe));
        auto capture = std::make_unique<test::CaptureConsole>();
        console = capture.get();
        previous = plat::set_console(std::move(capture));
    }
    void TearDown() override
    {
        set_front_end(nullptr);
        plat::set_console(std::move(previous));
        reset_widget_table();
    }

    static Rect rect_of(int id) { return table().records[static_cast<std::size_t>(id - 1)].rect; }

    // Output since the last call.
    std::string messages()
    {
        std::string s = console->output;
        console->output.clear();
        return s;
    }

    ScriptedFrontEnd* front = nullptr;
    test::CaptureConsole* console = nullptr;
    std::unique_ptr<plat::Console> previous;
};

void expect_rect(Rect r, int x, int y, int w, int h)
{
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.w, w);
    EXPECT_EQ(r.h, h);
}

// Metrics: character 8, line 16, so the vertical gap is 8, the left pad 16,
// the horizontal gap 32 and the default width 20 characters = 160 pixels.
TEST_F(WidgetsTest, VerticalDialogStacksItsChildren)
{
    int main = wgini("VERT");
    ASSERT_EQ(main, 1);
    expect_rect(rect_of(main), 0, 0, 160, 16);
    int label = wglab(main, "Label");
    int text = wgtxt(main, "text");
    int list = wglis(main, "1|2|3|4|5|6|7|8|9", 1);
    int ok = wgok(main);
    expect_rect(rect_of(label), 16, 8, 160, 16);
    expect_rect(rect_of(text), 16, 32, 160, 24);
    expect_rect(rect_of(list), 16, 64, 160, 144);  // 9 items with AUTO: scrolled, 9 lines
    EXPECT_TRUE(table().records[static_cast<std::size_t>(list - 1)].scrolled);
    expect_rect(rect_of(ok), 16, 216, 160, 24);
    EXPECT_EQ(table().extent_of_level[1].right, 176);
    EXPECT_EQ(table().extent_of_level[1].bottom, 240);
    wgfin();
    // Window: right extent + left pad + 2 frames; bottom + half a line + 2 (frame + caption).
    expect_rect(rect_of(main), 0, 0, 176 + 16 + 8, 240 + 8 + 48);
    EXPECT_EQ(table().state, 2);
    EXPECT_EQ(messages(), "");
}

TEST_F(WidgetsTest, HorizontalDialogPlacesChildrenSideBySide)
{
    int main = wgini("HORI");
    int label = wglab(main, "A");
    int button = wgpbut(main, "B");
    int check = wgbut(main, "C", 1);
    expect_rect(rect_of(label), 16, 8, 160, 16);
    expect_rect(rect_of(button), 16 + 160 + 32, 8, 160, 24);
    expect_rect(rect_of(check), 16 + 2 * (160 + 32), 8, 160, 16);
    EXPECT_EQ(table().extent_of_level[1].right, 16 + 2 * 192 + 160);
    EXPECT_EQ(table().extent_of_level[1].bottom, 32);
}

TEST_F(WidgetsTest, FormDialogTakesTheExplicitRectangles)
{
    int main = wgini("FORM");
    swgwin(10, 20, 100, 30);
    int label = wglab(main, "A");
    swgpos(50, 60);
    int text = wgtxt(main, "x");  // the size stays until WGFIN
    expect_rect(rect_of(label), 10, 20, 100, 30);
    expect_rect(rect_of(text), 50, 60, 100, 30);
    EXPECT_EQ(table().extent_of_level[1].right, 150);
    EXPECT_EQ(table().extent_of_level[1].bottom, 90);
    wgfin();
    EXPECT_FALSE(table().settings.position_given);
    EXPECT_FALSE(table().settings.size_given);
}

TEST_F(WidgetsTest, ExplicitWindowIsFixedSize)
{
    swgwin(100, 200, 300, 250);
    int main = wgini("VERT");
    wglab(main, "A");
    wgfin();
    expect_rect(rect_of(main), 100, 200, 300, 250);
    EXPECT_TRUE(table().records[0].fixed_size);
}

TEST_F(WidgetsTest, MarginsMoveChildrenAndTheCursor)
{
    int main = wgini("VERT");
    swgmrg(5, "LEFT");
    swgmrg(3, "TOP");
    swgmrg(7, "RIGHT");
    swgmrg(2, "BOTTOM");
    int a = wglab(main, "A");
    int b = wglab(main, "B");
    expect_rect(rect_of(a), 21, 11, 160, 16);
    // The cursor moved by gap + height + top + bottom margins.
    expect_rect(rect_of(b), 21, 8 + 8 + 16 + 5 + 3, 160, 16);
    EXPECT_EQ(table().extent_of_level[1].right, 21 + 160 + 7);
    EXPECT_EQ(table().extent_of_level[1].bottom, 40 + 16 + 2);
    wgfin();
    EXPECT_EQ(table().settings.margin_left, 0);  // WGFIN clears the margins
}

TEST_F(WidgetsTest, BasesInAHorizontalParentStandSideBySide)
{
    int main = wgini("HORI");
    int left = wgbas(main, "VERT");
    int a = wglab(left, "A");
    int b = wglab(left, "B");
    int right = wgbas(main, "VERT");
    int c = wglab(right, "C");
    expect_rect(rect_of(a), 16, 8, 160, 16);
    expect_rect(rect_of(b), 16, 32, 160, 16);
    EXPECT_EQ(rect_of(right).x, 16 + 32 + 160);
    expect_rect(rect_of(c), 16 + 32 + 160, 8, 160, 16);
}

TEST_F(WidgetsTest, BasesInAVerticalParentStackBelowWhatTheyHold)
{
    int main = wgini("VERT");
    int top = wgbas(main, "HORI");
    wglab(top, "A");
    wglab(top, "B");
    int third = wglab(top, "C");
    int bottom = wgbas(main, "VERT");
    int c = wglab(bottom, "C");
    int d = wglab(main, "D");  // after a base, below what it holds
    // The base keeps its recorded size; children take its own width.
    expect_rect(rect_of(top), 16, 8, 160, 0);
    expect_rect(rect_of(third), 16 + 2 * (160 + 32), 8, 160, 16);
    const Widget& t = table().records[static_cast<std::size_t>(top - 1)];
    EXPECT_EQ(t.covered_w, 3 * 160 + 2 * 32);
    EXPECT_EQ(t.covered_h, 16);
    expect_rect(rect_of(c), 16, 8 + 16 + 8, 160, 16);
    EXPECT_EQ(rect_of(d).y, 32 + 16 + 8);
    EXPECT_EQ(table().extent_of_level[1].right, 16 + 3 * 160 + 2 * 32);
}

TEST_F(WidgetsTest, DefaultHeightsOfTheControls)
{
    int main = wgini("VERT");
    EXPECT_EQ(rect_of(wglis(main, "1|2|3|4|5|6|7|8", 1)).h, 9 * 16);  // 8 items: not scrolled, 9 lines
    EXPECT_FALSE(table().records[1].scrolled);
    swgtyp("SCROLL", "LIST");
    EXPECT_EQ(rect_of(wglis(main, "1|2", 1)).h, 9 * 16);
    swgtyp("NOSCROLL", "LIST");
    int long_list = wglis(main, "1|2|3|4|5|6|7|8|9|10|11|12", 1);
    EXPECT_EQ(rect_of(long_list).h, 13 * 16);
    EXPECT_FALSE(table().records[static_cast<std::size_t>(long_list - 1)].scrolled);
    EXPECT_EQ(rect_of(wgscl(main, "Label", 0, 10, 5, 1)).h, 56);  // 3.5 lines
    EXPECT_EQ(rect_of(wgscl(main, "", 0, 10, 5, 1)).h, 36);       // 2.25 lines
    swgtyp("VERT", "SCALE");
    EXPECT_EQ(rect_of(wgscl(main, "", 0, 10, 5, 1)).h, 160 * 2 / 3 + 20);
    EXPECT_EQ(rect_of(wgfil(main, "Data", "a.kdf", "*.kdf")).h, 24);
    EXPECT_EQ(rect_of(wgcmd(main, "Run", "true")).h, 24);
    EXPECT_EQ(rect_of(wgquit(main)).h, 24);
    int field = wgltxt(main, "Name", "x", 99);
    expect_rect(rect_of(field), 16 + 160 - 48, rect_of(field - 1).y, 48, 16);
    expect_rect(rect_of(field - 1), 16, rect_of(field).y, 112, 16);
    swgwth(40);
    EXPECT_EQ(rect_of(wgini("VERT")).w, 320);
}

TEST_F(WidgetsTest, NestedDialogOpensBesideItsParent)
{
    int outer = wgini("VERT");
    for (int i = 0; i < 9; ++i)
        wglab(outer, "line");  // bottom 8 + 9 * 24 - 8 = 216, right 176
    int inner = wgini("VERT");
    EXPECT_EQ(inner, 11);
    expect_rect(rect_of(inner), 176 * 3 / 4, 216 * 2 / 3, 160, 16);
    int label = wglab(inner, "x");
    wgfin();
    EXPECT_EQ(table().state, 1);
    // The outer window keeps its own extent.
    wgfin();
    EXPECT_EQ(rect_of(outer).w, 176 + 16 + 8);
    EXPECT_EQ(table().state, 2);
    EXPECT_EQ(label, 12);
}

TEST_F(WidgetsTest, TheTwoHundredAndFirstWidgetIsRefused)
{
    int main = wgini("VERT");
    for (int i = 2; i <= 200; ++i)
        ASSERT_EQ(wglab(main, "x"), i);
    EXPECT_EQ(messages(), "");
    EXPECT_EQ(wglab(main, "x"), -1);
    EXPECT_EQ(messages(), "WGLAB: >>>> Too many widgets!");
    EXPECT_EQ(table().count, 200);
    // Widgets of several records need room for all of them.
    reset_widget_table();
    main = wgini("VERT");
    for (int i = 2; i <= 199; ++i)
        wglab(main, "x");
    EXPECT_EQ(wgscl(main, "", 0, 1, 0, 1), -1);
    EXPECT_EQ(wgbox(main, "a|b", 1), -1);
    EXPECT_EQ(wgltxt(main, "a", "b", 0), -1);
    EXPECT_EQ(messages(), "WGSCL: >>>> Too many widgets!WGBOX: >>>> Too many widgets!WGLTXT: >>>> Too many widgets!");
    EXPECT_EQ(wgpbut(main, "last"), 200);
    // A nested dialog needs a record for its main widget too.
    EXPECT_EQ(wgini("VERT"), -1);
    EXPECT_EQ(messages(), "WGINI: >>>> Too many widgets!");
    EXPECT_EQ(table().level, 1);
    EXPECT_EQ(table().count, 200);
}

TEST_F(WidgetsTest, TheNinthNestedWginiIsRefused)
{
    for (int level = 1; level <= 8; ++level)
        ASSERT_GT(wgini("VERT"), 0);
    EXPECT_EQ(table().level, 8);
    EXPECT_EQ(wgini("VERT"), -1);
    EXPECT_EQ(messages(), "WGINI: >>>> Too many nested widgets");
    EXPECT_EQ(table().level, 8);
    for (int level = 8; level >= 1; --level)
        wgfin();
    EXPECT_EQ(table().state, 2);
    EXPECT_EQ(table().level, 0);
}

TEST_F(WidgetsTest, ANestedDialogMadeAgainReusesItsRecords)
{
    int outer = wgini("VERT");
    wglab(outer, "a");
    for (int round = 0; round < 300; ++round) {
        int inner = wgini("VERT");
        ASSERT_EQ(inner, 3);
        wglab(inner, "b");
        wgfin();
    }
    // A record of the outer dialog after the nested one keeps it.
    int later = wglab(outer, "c");
    EXPECT_EQ(later, 5);
    EXPECT_EQ(wgini("VERT"), 6);
    EXPECT_EQ(wglab(later, "x"), -1);  // a label is no parent
    wgfin();
    wgfin();
    // A new outermost dialog starts the table anew.
    EXPECT_EQ(wgini("HORI"), 1);
    EXPECT_EQ(table().count, 1);
}

TEST_F(WidgetsTest, StateMachineMessages)
{
    EXPECT_EQ(wglab(1, "x"), -1);
    wgfin();
    EXPECT_EQ(gwgbut(1), -1);
    swgbut(1, 1);
    swgcb(1, nullptr);
    msgbox("hello");
    EXPECT_EQ(messages(),
              "WGLAB: >>>> No call to WGINI before!"
              "WGFIN: >>>> No call to WGINI"
              "GWGBUT: >>>> No call to WGFIN before!"
              "SWGBUT: >>>> SWGBUT must be used between WGINI and WGFIN"
              "SWGCB: >>>> No call to WGINI!"
              "MSGBOX: >>>> MSGBOX must be used between WGINI and WGFIN");
    EXPECT_EQ(wgini("DIAGONAL"), -1);
    EXPECT_EQ(messages(), "WGINI: >>>> Not allowed parameter DIAGONAL");
    EXPECT_EQ(table().state, 0);
    int main = wgini("vert");
    EXPECT_EQ(wglab(main + 1, "x"), -1);
    EXPECT_EQ(wglab(-5, "x"), -1);
    int label = wglab(main, "x");
    EXPECT_EQ(wglab(label, "x"), -1);
    EXPECT_EQ(wgbas(main, "ROUND"), -1);
    EXPECT_EQ(wgapp(main, "item"), -1);
    EXPECT_EQ(messages(),
              "WGLAB: >>>> Not allowed parent ID!WGLAB: >>>> Not allowed parent ID!WGLAB: >>>> Not allowed parent ID!"
              "WGBAS: >>>> Not allowed parameter ROUNDWGAPP: >>>> Not allowed parent ID!");
    wgfin();
    wgfin();  // no dialog is open any more
    swgtxt(label, "x");
    EXPECT_EQ(messages(), "WGFIN: >>>> No call to WGINISWGTXT: >>>> SWGTXT must be used between WGINI and WGFIN");
}

TEST_F(WidgetsTest, GettersAndSettersCheckTheirIds)
{
    int main = wgini("VERT");
    int label = wglab(main, "x");
    int check = wgbut(main, "c", 1);
    int list = wglis(main, "a|b|c", 2);
    int box = wgbox(main, "x|y|z", 3);
    int scale = wgscl(main, "s", -1, 1, 0.5, 2);
    int text = wgtxt(main, "t");
    int file = wgfil(main, "File", "f.kdf", "*.kdf");
    EXPECT_EQ(gwgbut(check), 1);
    EXPECT_EQ(gwglis(list), 2);
    EXPECT_EQ(gwgbox(box), 3);
    EXPECT_EQ(gwgbox(box + 2), 3);  // any item names its box
    EXPECT_FLOAT_EQ(static_cast<float>(gwgscl(scale)), 0.5f);
    EXPECT_EQ(gwgtxt(text), "t");
    EXPECT_EQ(gwgfil(file), "f.kdf");
    EXPECT_EQ(messages(), "");
    EXPECT_EQ(gwgbut(label), -1);
    EXPECT_EQ(gwglis(check), -1);
    EXPECT_EQ(gwgbox(list), -1);
    EXPECT_EQ(gwgscl(scale + 1), -1.0);
    EXPECT_EQ(gwgtxt(file), "");
    EXPECT_EQ(gwgfil(999), "");
    EXPECT_EQ(messages(),
              "GWGBUT: <<<< Not allowed IDGWGLIS: <<<< Not allowed IDGWGBOX: <<<< Not allowed ID"
              "GWGSCL: <<<< Not allowed IDGWGTXT: <<<< Not allowed IDGWGFIL: <<<< Not allowed ID");
    swgbut(list, 1);
    swglis(check, 1);
    swgbox(0, 1);
    swgscl(text, 1);
    swgtxt(file, "x");
    swgfil(text, "x");
    EXPECT_EQ(messages(),
              "SWGBUT: >>>> Not allowed IDSWGLIS: >>>> Not allowed IDSWGBOX: >>>> Not allowed ID"
              "SWGSCL: >>>> Not allowed IDSWGTXT: >>>> Not allowed IDSWGFIL: >>>> Not allowed ID");
    // Lists and boxes change what they show; the stored value changes when the user acts.
    swglis(list, 3);
    swgbox(box + 1, 1);
    EXPECT_EQ(gwglis(list), 2);
    EXPECT_EQ(gwgbox(box), 3);
    EXPECT_EQ(table().records[static_cast<std::size_t>(list - 1)].shown, 3);
    swgbut(check, 0);
    swgscl(scale, 2);
    EXPECT_EQ(messages(), "SWGSCL: >>>> Value is out of range!");
    swgscl(scale, -0.25);
    EXPECT_FLOAT_EQ(static_cast<float>(gwgscl(scale)), -0.25f);
    EXPECT_EQ(table().records[static_cast<std::size_t>(scale)].text, "-0.25");
    swgtxt(text, std::string(10000, 'a'));
    EXPECT_EQ(gwgtxt(text).size(), 132u);
    swglis(list, 4);
    EXPECT_EQ(messages(), "SWGLIS: <<<< Selected list element out of range");
    EXPECT_EQ(gwgbut(check), 0);
}

void no_callback(int) {}

TEST_F(WidgetsTest, CallbacksAreRefusedForParentsLabelsAndScales)
{
    int main = wgini("VERT");
    int base = wgbas(main, "VERT");
    int label = wglab(base, "x");
    int scale = wgscl(base, "s", 0, 1, 0, 1);
    int push = wgpbut(base, "p");
    swgcb(main, &no_callback);
    swgcb(base, &no_callback);
    swgcb(label, &no_callback);
    swgcb(scale, &no_callback);
    swgcb(scale + 1, &no_callback);
    swgcb(push + 1, &no_callback);
    swgcb(push, &no_callback);
    EXPECT_EQ(messages(),
              "SWGCB: >>>> Callbacks cannot be defined for Parent widgets!"
              "SWGCB: >>>> Callbacks cannot be defined for Parent widgets!"
              "SWGCB: >>>> Callbacks cannot be defined for Label widgets!"
              "SWGCB: >>>> Callbacks cannot be defined for Scale widgets!"
              "SWGCB: >>>> Callbacks cannot be defined for Label widgets!"
              "SWGCB: >>>> Not allowed ID!");
    EXPECT_EQ(table().records[static_cast<std::size_t>(push - 1)].callback, &no_callback);
}

TEST_F(WidgetsTest, SelectionsOutOfRangeAndValuesOutOfRange)
{
    int main = wgini("VERT");
    int box = wgbox(main, "a|b", 5);
    int list = wglis(main, "a|b", 0);
    EXPECT_EQ(wgscl(main, "s", 0, 1, 2, 1), -1);
    EXPECT_EQ(messages(),
              "WGBOX: <<<< Selected list element out of range"
              "WGLIS: <<<< Selected list element out of range"
              "WGSCL: >>>> Value is out of range!");
    EXPECT_EQ(gwgbox(box), 1);
    EXPECT_EQ(gwglis(list), 1);
    // A reversed range and an empty range are ranges too.
    int down = wgscl(main, "", 10, 0, 4, 0);
    int flat = wgscl(main, "", 3, 3, 3, -1);
    EXPECT_GT(down, 0);
    EXPECT_GT(flat, 0);
    EXPECT_EQ(table().records[static_cast<std::size_t>(down - 1)].position, 60);
    EXPECT_EQ(table().records[static_cast<std::size_t>(flat - 1)].position, 0);
    EXPECT_EQ(table().records[static_cast<std::size_t>(flat)].text, "3");
}

TEST_F(WidgetsTest, EmptyListsAndSeparatorsOnly)
{
    int main = wgini("VERT");
    int empty = wglis(main, "", 1);
    int seps = wgbox(main, "|||", 4);
    EXPECT_EQ(table().records[static_cast<std::size_t>(empty - 1)].items.size(), 1u);
    EXPECT_EQ(table().records[static_cast<std::size_t>(seps - 1)].item_count, 4);
    EXPECT_EQ(gwgbox(seps), 4);
    EXPECT_EQ(messages(), "");
    EXPECT_EQ(itmcnt(""), 1);
    EXPECT_EQ(itmcnt("|||"), 4);
    EXPECT_EQ(itmstr("|||", 2), "");
}

TEST_F(WidgetsTest, ItemLists)
{
    EXPECT_EQ(itmcnt("Red|Green|Blue"), 3);
    EXPECT_EQ(itmstr("Red|Green|Blue", 2), "Green");
    EXPECT_EQ(itmstr("Red|Green|Blue", 0), "Blue");
    EXPECT_EQ(itmstr("Red|Green|Blue", 4), "Blue");
    EXPECT_EQ(messages(), "ITMSTR: <<<< Not allowed index" "ITMSTR: <<<< Not allowed index");
    EXPECT_EQ(itmstr(std::string(500, 'x'), 1).size(), 101u);
    swgmix(";", "SEP");
    EXPECT_EQ(itmcnt("a;b|c"), 2);
    swgmix("", "SEP");  // keeps the separator
    EXPECT_EQ(itmcnt("a;b"), 2);
    swgmix("/", "Sep");
    EXPECT_EQ(itmcnt("a/b"), 2);
    swgmix("-", "XYZ");
    EXPECT_EQ(messages(), "SWGMIX: >>>> Not allowed parameter XYZ");
    swgmix("|", "SEP");
    char block[16] = "Red";
    itmcat(std::span<char>(block, 10), "Green");
    EXPECT_STREQ(block, "Red|Green");
    char empty[8] = "";
    itmcat(std::span<char>(empty, 6), "Blue");
    EXPECT_STREQ(empty, "Blue");
    char tight[6] = "ab";
    itmcat(std::span<char>(tight, 6), "cdefgh");  // cut to the block
    EXPECT_STREQ(tight, "ab|cd");
}

TEST_F(WidgetsTest, SettingsKeywords)
{
    swgpop("NOOK");
    swgpop("NOQUIT");
    swgpop("NOHELP");
    int main = wgini("VERT");
    const Widget& m = table().records[static_cast<std::size_t>(main - 1)];
    EXPECT_FALSE(m.menu_ok);
    EXPECT_FALSE(m.menu_quit);
    EXPECT_FALSE(m.menu_help);
    swgpop("OK");
    swgpop("quit");
    swgpop("Help");
    EXPECT_TRUE(table().settings.menu_ok && table().settings.menu_quit && table().settings.menu_help);
    swgpop("MAYBE");
    swgtyp("DIAG", "LIST");
    swgtyp("HORI", "LINE");
    swgtyp("HORI", "BOX");
    swgjus("CENTER", "LABEL");
    swgjus("RIGHT", "BUTTON");
    swgjus("UP", "LABEL");
    swgjus("LEFT", "TITLE");
    swgmod("ASCII");
    swgmod("GRAPHIC");
    swgmrg(1, "MIDDLE");
    EXPECT_EQ(messages(),
              "SWGPOP: >>>> Not allowed parameter MAYBE"
              "SWGTYP: >>>> Not allowed parameter DIAG"
              "SWGTYP: >>>> Not allowed parameter LINE"
              "SWGJUS: >>>> Not allowed parameter UP"
              "SWGJUS: >>>> Not allowed parameter TITLE"
              "SWGMOD: >>>> Not allowed parameter GRAPHIC"
              "SWGMRG: >>>> Not allowed parameter MIDDLE");
    EXPECT_FALSE(table().settings.box_vertical);
    EXPECT_EQ(table().settings.label_justification, just_centre);
    EXPECT_EQ(table().settings.button_justification, just_right);
    EXPECT_EQ(table().settings.mode, mode_text);
    // Widths and placements far beyond any screen stay sound.
    swgwth(-3);
    EXPECT_EQ(table().settings.default_width, 1);
    swgwth(2000000000);
    swgwin(2000000000, -2000000000, 2000000000, 2000000000);
    swgmrg(2000000000, "LEFT");
    int form = wgbas(main, "FORM");
    EXPECT_GT(wglab(form, "x"), 0);
    EXPECT_GT(wglab(main, "x"), 0);
}

TEST_F(WidgetsTest, OkCopiesTheFieldsAndTheCloseBoxKeepsThem)
{
    int main = wgini("VERT");
    int text = wgtxt(main, "initial");
    int file = wgfil(main, "Data", "a.kdf", "*.kdf");
    front->runs.push_back([&](int m) {
        field_edited(text - 1, "typed");
        EXPECT_EQ(gwgtxt(text), "typed");  // while the window runs the getter reads the field
        field_edited(file - 1, std::string(500, 'f'));
        ok_chosen(m);
    });
    wgfin();
    EXPECT_EQ(front->closed, std::vector<int>{0});
    EXPECT_EQ(gwgtxt(text), "typed");
    EXPECT_EQ(gwgfil(file), std::string(132, 'f'));

    main = wgini("VERT");
    text = wgtxt(main, "initial");
    front->runs.push_back([&](int) { field_edited(text - 1, "typed, then closed"); });
    wgfin();
    EXPECT_EQ(gwgtxt(text), "initial");
}

std::vector<int> fired;
void record_callback(int id) { fired.push_back(id); }

TEST_F(WidgetsTest, EventsStoreValuesThenCallTheCallback)
{
    fired.clear();
    int main = wgini("VERT");
    int check = wgbut(main, "c", 0);
    int list = wglis(main, "a|b|c", 1);
    int box = wgbox(main, "x|y|z", 1);
    int push = wgpbut(main, "p");
    int scale = wgscl(main, "s", 0, 10, 0, 1);
    int pop = wgpop(main, "Menu");
    int item = wgapp(pop, "Item");
    int file = wgfil(main, "Data", "a.kdf", "*.kdf");
    for (int id : {check, list, box + 2, push, item})
        swgcb(id, &record_callback);
    front->file_given = true;
    front->file_answer = "chosen.kdf";
    front->runs.push_back([&](int m) {
        check_clicked(check - 1, true);
        list_selected(list - 1, 3);
        radio_clicked(box + 1);  // the third item
        push_pressed(push - 1);
        popup_item_chosen(item - 1);
        scale_scrolled(scale - 1, ScrollAction::page_down, 0);
        scale_scrolled(scale - 1, ScrollAction::line_down, 0);
        file_entry_chosen(file - 1);
        ok_chosen(m);
    });
    wgfin();
    EXPECT_EQ(fired, (std::vector<int>{check, list, box + 2, push, item}));
    EXPECT_EQ(gwgbut(check), 1);
    EXPECT_EQ(gwglis(list), 3);
    EXPECT_EQ(gwgbox(box), 3);
    EXPECT_FLOAT_EQ(static_cast<float>(gwgscl(scale)), 1.1f);
    EXPECT_EQ(table().records[static_cast<std::size_t>(scale)].text, "1.1");
    EXPECT_EQ(gwgfil(file), "chosen.kdf");
}

TEST_F(WidgetsTest, ScaleScrolling)
{
    int main = wgini("VERT");
    int h = wgscl(main, "", 0, 10, 5, 1);
    swgtyp("VERT", "SCALE");
    int v = wgscl(main, "", 0, 10, 2, 1);
    Widget& hs = table().records[static_cast<std::size_t>(h - 1)];
    Widget& vs = table().records[static_cast<std::size_t>(v - 1)];
    EXPECT_EQ(hs.position, 50);
    EXPECT_EQ(vs.position, 80);  // reversed
    scale_scrolled(h - 1, ScrollAction::page_up, 0);
    EXPECT_FLOAT_EQ(hs.value, 4.0f);
    scale_scrolled(h - 1, ScrollAction::top, 0);
    EXPECT_EQ(hs.position, 100);
    scale_scrolled(h - 1, ScrollAction::line_down, 0);
    EXPECT_EQ(hs.position, 100);  // clamped
    scale_scrolled(h - 1, ScrollAction::bottom, 0);
    EXPECT_FLOAT_EQ(hs.value, 0.0f);
    scale_scrolled(v - 1, ScrollAction::thumb, 25);
    EXPECT_FLOAT_EQ(vs.value, 7.5f);
    scale_scrolled(v - 1, ScrollAction::top, 0);
    EXPECT_FLOAT_EQ(vs.value, 10.0f);
    scale_set(v - 1, 99);
    EXPECT_FLOAT_EQ(vs.value, 10.0f);
    scale_set(v - 1, 3.3);
    EXPECT_EQ(table().records[static_cast<std::size_t>(v)].text, "3.3");
}

TEST_F(WidgetsTest, HelpAndMessageBoxesAreTitledWithTheWindowTitle)
{
    swgtit("My dialog");
    swghlp("Choose well.");
    int main = wgini("VERT");
    msgbox("Saved.");
    help_chosen(main - 1);
    EXPECT_EQ(messages(), "My dialog: Saved.My dialog: Choose well.");
    // A nested dialog with its own title: each window's Help names its own.
    swgtit("Inner");
    int inner = wgini("VERT");
    help_chosen(main - 1);
    help_chosen(inner - 1);
    EXPECT_EQ(messages(), "My dialog: Choose well.Inner: Choose well.");
}

TEST_F(WidgetsTest, StandardDialogsRefuseToRunInsideADialog)
{
    EXPECT_EQ(dwgbut("Sure?", 1), 1);
    EXPECT_EQ(dwgbut("Sure?", 0), 0);
    EXPECT_EQ(dwglis("Pick", "a|b|c", 2), 2);
    EXPECT_EQ(dwglis("Pick", "a|b|c", 7), 1);
    EXPECT_EQ(dwgtxt("Name", "x"), "x!");
    EXPECT_EQ(dwgtxt("Name", std::string(300, 'y')).size(), 132u);
    wgini("VERT");
    dwgmsg("hi");
    EXPECT_EQ(dwgbut("Sure?", 1), -1);
    EXPECT_EQ(dwglis("Pick", "a|b", 1), -1);
    EXPECT_EQ(dwgtxt("Name", "x"), "x");
    EXPECT_EQ(dwgfil("File", "f", "*"), "f");
    EXPECT_EQ(messages(),
              "DWGMSG: >>>> DWGMSG cannot be used between WGINI and WGFIN"
              "DWGBUT: >>>> DWGBUT cannot be used between WGINI and WGFIN"
              "DWGLIS: >>>> DWGLIS cannot be used between WGINI and WGFIN"
              "DWGTXT: >>>> DWGTXT cannot be used between WGINI and WGFIN"
              "DWGFIL: >>>> DWGFIL cannot be used between WGINI and WGFIN");
}

TEST_F(WidgetsTest, FileFilterOfTheFileDialog)
{
    const std::string f = file_filter("*.kdf");
    EXPECT_EQ(f, std::string("Mask (*.kdf)\0*.kdf\0All Files (*.*)\0*.*", 38));
}

TEST_F(WidgetsTest, LongTextsAreKeptWithinTheirBuffers)
{
    const std::string huge(10000, 'x');
    int main = wgini("VERT");
    int label = wglab(main, huge);
    int text = wgtxt(main, huge);
    int file = wgfil(main, huge, huge, huge);
    int cmd = wgcmd(main, huge, huge);
    EXPECT_EQ(table().records[static_cast<std::size_t>(label - 1)].text.size(), 10000u);
    EXPECT_EQ(gwgtxt(text).size(), 132u);
    EXPECT_EQ(gwgfil(file).size(), 132u);
    EXPECT_EQ(table().records[static_cast<std::size_t>(file - 1)].mask.size(), 80u);
    EXPECT_EQ(table().records[static_cast<std::size_t>(cmd - 1)].command.size(), 132u);
    EXPECT_EQ(wgscl(main, huge, 0, 1, 1, 100000), cmd + 1);
    EXPECT_EQ(messages(), "");
}

void quit_now() { std::exit(0); }

TEST_F(WidgetsTest, QuitInANestedDialogEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            set_quit_handler(&quit_now);
            int outer = wgini("VERT");
            wgquit(outer);
            front->runs.push_back([](int) {
                int inner = wgini("VERT");
                wgquit(inner);
                wgfin();
                std::exit(3);  // not reached
            });
            front->runs.push_back([](int) { quit_chosen(); });
            wgfin();
            std::exit(4);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace korvan::widgets
