// The PostScript writer: header and prolog, scale and orientation, paths,
// colours, fills, line widths, fonts, pages; every file rendered by Ghostscript.
#include "tests/unit/kernel_test_support.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <sys/wait.h>
#include <vector>

#include "plot/kernel/device.hpp"
#include "plot/kernel/postscript.hpp"
#include "plot/kernel/postscript_widths.hpp"
#include "plot/routines/text.hpp"
#include "tests/support/ps_render.hpp"

namespace korvan::test {
namespace {

// The header of a file without its first four lines, which hold the
// bounding box, the creator and the creation date.
const std::string prolog_text = R"(%%EndComments
2 setlinecap 2 setlinejoin
/cm {0.14226378 mul} def /rgb {255 div} def /lc 1 string def
/u  { /y exch cm def /x exch cm def newpath  x y moveto } def
/d  { /y exch cm def /x exch cm def x y lineto } def
/p  { stroke } def
/e { /b exch rgb def /g exch rgb def
 /r exch rgb def /v exch cm def /w exch cm def /y exch cm def
 /x exch cm def gsave r g b setrgbcolor newpath x y moveto
 w y lineto w v lineto x v lineto closepath fill grestore } def
/f { /b exch rgb def /g exch rgb def
 /r exch rgb def r g b setrgbcolor } def
/text { /c1 exch def /a exch def /y exch cm def /x exch cm def
 /Name exch def gsave x y moveto x y translate a rotate c1 0 gt
 { Name stringwidth 2 div neg exch 2 div neg exch rmoveto }
 {} ifelse Name show grestore } def /font { /h exch def
 /s exch def s findfont h scalefont setfont } def
/c { /a exch def /y exch cm def /x exch cm def /i exch def
 gsave x y moveto x y translate a rotate lc 0 i put lc
 stringwidth 2 div neg exch 2 div neg exch rmoveto lc show
 grestore } def
/sec { /b exch rgb def /g exch rgb def /r exch rgb def
 /a2 exch def /a exch def /r2 exch cm def /r1 exch cm def
 /y exch cm def /x exch cm def gsave r g b setrgbcolor newpath
 x y r1 a a2 arc x y r2 a2 a arcn closepath fill grestore } def
/Reencsmalldict 12 dict def
/ReEncodeSmall
{ Reencsmalldict begin
  /NewCodesAndNames exch def
  /NewFontName exch def
  /BaseFontName exch def
  /BaseFontDict
  BaseFontName findfont def
  /NewFont BaseFontDict
  maxlength dict def
  BaseFontDict
  { exch dup /FID ne
    { dup /Encoding eq
      { exch dup length array copy
        NewFont 3 1 roll put
      }
      { exch NewFont 3 1 roll put
      } ifelse
      }
      {pop pop} ifelse
    } forall
    NewFont
    /FontName NewFontName put
    NewCodesAndNames aload pop
    NewCodesAndNames
    length 2 idiv
    { NewFont /Encoding get
    3 1 roll put  } repeat
    NewFontName NewFont
    definefont pop end } def
 /GermanVec [ 8#177 /Adieresis
 8#200 /Odieresis 8#201 /Udieresis 8#202 /adieresis
 8#203 /odieresis 8#204 /udieresis 8#205 /germandbls
 8#206 /Aring 8#207 /Oslash 8#210 /AE
 8#211 /aring 8#212 /oslash 8#213 /ae
 8#214 /Ntilde 8#215 /ntilde 8#216 /Ccedilla
 8#217 /ccedilla 8#220 /Edieresis 8#221 /Idieresis
 8#222 /edieresis 8#223 /idieresis 8#224 /Aacute
 8#225 /Eacute 8#226 /Iacute 8#227 /Oacute
 8#230 /Uacute 8#231 /aacute 8#232 /eacute
 8#233 /iacute 8#234 /oacute 8#235 /uacute
 8#236 /Agrave 8#237 /Egrave 8#240 /Igrave
 8#241 /Ograve 8#242 /Ugrave 8#243 /agrave
 8#244 /egrave 8#245 /igrave 8#246 /ograve
 8#247 /ugrave 8#250 /Acircumflex 8#251 /Ecircumflex
 8#252 /Icircumflex 8#253 /Ocircumflex 8#254 /Ucircumflex
 8#255 /acircumflex 8#256 /ecircumflex 8#257 /icircumflex
 8#260 /ocircumflex 8#261 /ucircumflex ] def
)";

const std::string default_placement =
    "  150 cm   200 cm translate 5 cm setlinewidth  1.000476  1.000476 scale\n";

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

// The body of a file: the lines after the placement line, joined.
std::string body_of(const std::string& file)
{
    std::size_t at = file.find(" scale\n");
    if (at == std::string::npos)
        return "";
    std::string body;
    for (const std::string& line : lines_of(file.substr(at + 7)))
        body += line;
    return body;
}

// The paths of a body, each as its points "x y".
std::vector<std::vector<std::string>> paths_of(const std::string& body)
{
    std::vector<std::vector<std::string>> paths;
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < body.size()) {
        std::size_t end = body.find(' ', at);
        words.push_back(body.substr(at, end - at));
        at = end + 1;
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "u" && i >= 2) {
            paths.push_back({words[i - 2] + " " + words[i - 1]});
        } else if (words[i] == "d" && i >= 2 && !paths.empty()) {
            paths.back().push_back(words[i - 2] + " " + words[i - 1]);
        }
    }
    return paths;
}

std::string mask_date(const std::string& file)
{
    std::vector<std::string> lines = lines_of(file);
    std::string out;
    for (const std::string& line : lines) {
        if (line.rfind("%%CreationDate:", 0) == 0)
            out += mask_clock(line) + "\n";
        else
            out += line + "\n";
    }
    return out;
}

class PostScriptTest : public KernelTest {
protected:
    // A plot on the device whose drawing is done by draw; returns the file.
    template <class Draw>
    std::string plot(const char* device, Draw draw, const std::string& name = "plot.psc")
    {
        filmod("DELE");
        metafl(device);
        setfil(name);
        korini();
        draw();
        korfin();
        std::string end = take_output();
        EXPECT_NE(end.find("Fileformat: " + keyword4(device)), std::string::npos) << end;
        return read_file(name);
    }
};

// --- Header, prolog, scale and orientation ----------------------------------------

TEST_F(PostScriptTest, DefaultA4PageIsTurnedWithTheFixedScale)
{
    std::string file = plot("POST", [] {});
    std::vector<std::string> lines = lines_of(file);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "%!PS-Adobe-2.0");
    EXPECT_EQ(lines[1], "%%BoundingBox:      21.34      28.45     576.17     813.25");
    EXPECT_EQ(lines[2], "%%Creator: KORVAN  6.3 L");
    EXPECT_EQ(mask_clock(lines[3]), "%%CreationDate: DD.MM.YY , hh:mm:ss");
    // The prolog byte for byte, the placement line and a body of the
    // foreground colour (black of the reversed grey ramp) and the page end.
    std::string rest = file.substr(file.find("%%EndComments"));
    EXPECT_EQ(rest, prolog_text + default_placement + "0 0 0 f showpage \n");
    EXPECT_EQ(mask_date(file).substr(0, file.find("%%EndComments")),
              "%!PS-Adobe-2.0\n%%BoundingBox:      21.34      28.45     576.17     813.25\n"
              "%%Creator: KORVAN  6.3 L\n%%CreationDate: DD.MM.YY , hh:mm:ss\n");
}

TEST_F(PostScriptTest, ScaleFactorsOfTheHeaderAndThePlotState)
{
    metafl("POST");
    filmod("DELE");
    korini();
    const PlotState& s = state();
    EXPECT_DOUBLE_EQ(s.device_scale, 1.8571428);
    EXPECT_NEAR(s.scaling_factor, 1.000476, 1e-6);
    korfin();
    // The user's factor is what the next plot starts from.
    EXPECT_FLOAT_EQ(s.scaling_factor, 1.0f);

    hwpage(2100, 2970);
    korini();
    EXPECT_DOUBLE_EQ(s.device_scale, 2.0);
    korfin();
    std::vector<std::string> lines = lines_of(read_file("korvan.psc"));
    EXPECT_EQ(lines[1], "%%BoundingBox:      21.34      28.45     618.56     873.22");
    EXPECT_EQ(lines[2], "%%Creator: KORVAN  6.3 L");
    EXPECT_EQ(lines.at(lines.size() - 2), "  150 cm   200 cm translate 5 cm setlinewidth  1.000000  1.000000 scale");
}

TEST_F(PostScriptTest, ScalingDownLimitsTheFitFactorOnEveryPlot)
{
    sclmod("DOWN");
    sclfac(0.5);
    for (int plot_number = 0; plot_number < 2; ++plot_number) {
        std::string file = plot("POST", [] {
            EXPECT_DOUBLE_EQ(state().device_scale, 1.8571428);
            plot_vector(0, 0, 3);
            plot_vector(2969, 2099, 2);
        });
        std::vector<std::string> lines = lines_of(file);
        EXPECT_EQ(lines[1], "%%BoundingBox:      21.34      28.45     319.95     450.83") << plot_number;
        EXPECT_NE(file.find("setlinewidth  0.538462  0.538462 scale\n"), std::string::npos) << plot_number;
        // Coordinates keep the fixed scale; the scale operator shrinks the page.
        EXPECT_EQ(body_of(file), "0 0 0 f 0 0 u 3898 5514 d p showpage ");
    }
    // A factor too small for six decimals is held at the smallest one.
    sclfac(1e-9);
    std::string tiny = plot("POST", [] {});
    EXPECT_NE(tiny.find("setlinewidth  0.000001  0.000001 scale\n"), std::string::npos);
    EXPECT_EQ(lines_of(tiny)[1], "%%BoundingBox:      21.34      28.45      21.34      28.45");
    // FULL ignores the factor.
    sclmod("FULL");
    std::string file = plot("POST", [] {});
    EXPECT_NE(file.find(default_placement), std::string::npos);
}

TEST_F(PostScriptTest, UprightPagesAndPageModes)
{
    setpag("da4p");
    std::string file = plot("POST", [] {
        plot_vector(0, 0, 3);         // upper left of the page
        plot_vector(2099, 2969, 2);   // lower right
    });
    std::vector<std::string> lines = lines_of(file);
    EXPECT_EQ(lines[1], "%%BoundingBox:      21.34      28.45     576.17     813.25");
    EXPECT_EQ(lines[2], "%%Creator: KORVAN  6.3 P");
    EXPECT_EQ(body_of(file), "0 0 0 f 0 5514 u 3898 0 d p showpage ");

    // A landscape page without a page mode stands upright and is fitted.
    setpag("DA4L");
    pagmod("NONE");
    file = plot("POST", [] {
        plot_vector(0, 2099, 3);
        plot_vector(2969, 0, 2);
    });
    lines = lines_of(file);
    EXPECT_EQ(lines[1], "%%BoundingBox:      21.34      28.45     576.17     420.70");
    EXPECT_EQ(lines[2], "%%Creator: KORVAN  6.3 P");
    EXPECT_NE(file.find("setlinewidth  0.707309  0.707309 scale\n"), std::string::npos);
    EXPECT_EQ(body_of(file), "0 0 0 f 0 0 u 5514 3898 d p showpage ");

    // A landscape page in page mode PORT is turned like LAND.
    pagmod("PORT");
    file = plot("POST", [] {});
    EXPECT_EQ(lines_of(file)[2], "%%Creator: KORVAN  6.3 L");
}

TEST_F(PostScriptTest, HardwareOriginMovesPlacementAndBoundingBox)
{
    hworig(100, 50);
    std::string file = plot("POST", [] {});
    std::vector<std::string> lines = lines_of(file);
    EXPECT_EQ(lines[1], "%%BoundingBox:      28.45      14.23     583.28     799.02");
    EXPECT_NE(file.find("\n  200 cm   100 cm translate 5 cm setlinewidth  1.000476  1.000476 scale\n"),
              std::string::npos);
    take_output();
    korini();  // HWORIG is a setting for the next plot
    hworig(0, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in hworig!   (   1)\n");
    korfin();
}

TEST_F(PostScriptTest, TinyPagesGiveFiniteScales)
{
    page(1, 1);
    sclmod("FULL");
    std::string file = plot("POST", [] {
        plot_vector(0, 0, 3);
        plot_vector(1e300, -1e300, 2);
        plot_vector(std::nan(""), 0, 2);
    });
    EXPECT_EQ(file.find("inf"), std::string::npos);
    EXPECT_EQ(file.find("nan"), std::string::npos);
    EXPECT_NE(file.find("100000000 100000000 d"), std::string::npos);
}

// --- Paths -----------------------------------------------------------------------

TEST_F(PostScriptTest, LongPolylineIsWrittenInPathsOfFiftyPoints)
{
    std::string file = plot("POST", [] {
        for (int i = 0; i < 120; ++i)
            plot_vector(10.0 * i, 1000, i == 0 ? 3 : 2);
    });
    auto paths = paths_of(body_of(file));
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(paths[0].size(), 50u);
    EXPECT_EQ(paths[1].size(), 50u);
    EXPECT_EQ(paths[2].size(), 22u);
    // Each further path starts at the last point of the one before.
    EXPECT_EQ(paths[1].front(), paths[0].back());
    EXPECT_EQ(paths[2].front(), paths[1].back());
    EXPECT_EQ(paths[0].front(), "1857 0");
    EXPECT_EQ(paths[2].back(), "1857 2210");  // x = 1190: round(1.8571428 * 1190)
    // Records are at most 80 characters and words are never split.
    for (const std::string& line : lines_of(file.substr(file.find(" scale\n") + 7))) {
        EXPECT_LE(line.size(), 80u);
        EXPECT_EQ(line.back(), ' ');
    }
}

TEST_F(PostScriptTest, MovesDrawsAndOtherOutputBetweenThem)
{
    std::string file = plot("POST", [] {
        plot_vector(100, 100, 2);  // a draw before any point starts there
        plot_vector(200, 100, 2);
        plot_vector(300, 300, 3);  // a move ends the path
        plot_vector(400, 400, 3);  // a lone point is not written
        plot_vector(500, 400, 2);
        select_colour(3);           // other output writes the path
        plot_vector(600, 400, 2);   // and the next draw continues from its end
        flush_pending();
        plot_vector(700, 400, 2);
    });
    std::uint32_t c3 = state().colour_table[3];
    char rgb[32];
    std::snprintf(rgb, sizeof rgb, "%d %d %d f ", static_cast<int>(c3 >> 16), static_cast<int>((c3 >> 8) & 255),
                  static_cast<int>(c3 & 255));
    EXPECT_EQ(body_of(file), std::string("0 0 0 f 186 186 u 186 371 d p 743 743 u 743 929 d p ") + rgb +
                                 "743 929 u 743 1114 d p 743 1114 u 743 1300 d p showpage ");
}

TEST_F(PostScriptTest, FiftyPointPathEndingAPlotLeavesNoLonePoint)
{
    std::string file = plot("POST", [] {
        for (int i = 0; i < 50; ++i)
            plot_vector(10.0 * i, 0, i == 0 ? 3 : 2);
        plot_vector(0, 0, 3);
    });
    auto paths = paths_of(body_of(file));
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0].size(), 50u);
}

// --- Colours, fills, line widths ------------------------------------------------------

TEST_F(PostScriptTest, ColourPageIsPaintedBlackUnlessReversed)
{
    std::string file = plot("PSCL", [] {
        select_colour(255);  // colours are written even when unchanged
    });
    EXPECT_EQ(body_of(file), "0 0 3898 5514 0 0 0 e 255 255 255 f 255 255 255 f showpage ");

    setpag("DA4P");
    file = plot("PSCL", [] {});
    EXPECT_EQ(body_of(file), "0 5514 3898 0 0 0 0 e 255 255 255 f showpage ");

    scrmod("REVERS");
    file = plot("PSCL", [] {});
    EXPECT_EQ(body_of(file), "0 0 0 f showpage ");
}

TEST_F(PostScriptTest, FilledRectanglesAndSectors)
{
    std::string file = plot("PSCL", [] {
        plot_vector(0, 0, 3);
        plot_vector(100, 0, 2);
        state().device->fill_rect(100, 200, 300, 400, 1);  // writes the path first
        postscript_fill_sector(1000, 1000, 0, 100, 0, 90, 255);
        postscript_char(65, 500, 500, 0);
        postscript_fill_sector(0, 0, 0, 0, std::nan(""), -1e300, 1);
    });
    std::uint32_t c1 = state().colour_table[1];
    char rgb[32];
    std::snprintf(rgb, sizeof rgb, "%d %d %d", static_cast<int>(c1 >> 16), static_cast<int>((c1 >> 8) & 255),
                  static_cast<int>(c1 & 255));
    EXPECT_EQ(body_of(file), std::string("0 0 3898 5514 0 0 0 e 255 255 255 f 0 0 u 0 186 d p ") +
                                 "371 186 1114 743 " + rgb + " e 1857 1857 0 186 90.00 180.00 255 255 255 sec " +
                                 "65 929 929 90 c 0 0 0 0 0.00 -1000000.00 " + rgb + " sec showpage ");
    // Corners off the page: negative, and held at the bound, wider than any padding.
    file = plot("PSCL", [] { state().device->fill_rect(-50, 5e9, 10, 10, 1); });
    EXPECT_EQ(body_of(file), std::string("0 0 3898 5514 0 0 0 e 255 255 255 f 100000000 -93 100000000 -74 ") + rgb +
                                 " e showpage ");
    // Upright pages keep the angles.
    setpag("DA4P");
    file = plot("POST", [] { postscript_fill_sector(0, 2969, 10, 20, -45, 45.5, 255); });
    EXPECT_EQ(body_of(file), "0 0 0 f 0 0 19 37 -45.00 45.50 0 0 0 sec showpage ");
}

TEST_F(PostScriptTest, LineAndPenWidths)
{
    std::string file = plot("POST", [this] {
        plot_vector(0, 0, 3);
        plot_vector(0, 100, 2);
        linwid(1);
        linwid(10);
        linwid(-3);
        penwid(0.5);
        penwid(3);
        take_output();
        penwid(-1);
        EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in penwid!\n");
        penwid(std::nan(""));
        EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in penwid!\n");
        linwid(20);
        reset("ALL");  // back to the width of the placement line
        reset("ALL");  // already there: nothing more
    });
    EXPECT_EQ(body_of(file), "0 0 0 f 0 0 u 186 0 d p 5 cm setlinewidth 20 cm setlinewidth 5 cm setlinewidth "
                             "2.50 cm setlinewidth 6.00 cm setlinewidth 40 cm setlinewidth 0 0 0 f "
                             "5 cm setlinewidth 0 0 0 f showpage ");
    // On other devices the setting is kept and nothing is written.
    linwid(4);
    EXPECT_EQ(state().postscript.line_width, 8.0);
}

// --- Fonts and hardware text ---------------------------------------------------------

TEST_F(PostScriptTest, FontNamesTakeTheTableSpelling)
{
    EXPECT_EQ(find_postscript_standard_font("times-roman"), 0);
    EXPECT_EQ(find_postscript_standard_font("SYMBOL"), 34);
    EXPECT_EQ(find_postscript_standard_font("Helvetica-Narrow-BoldOblique"), 11);
    EXPECT_EQ(find_postscript_standard_font("Times"), -1);
    for (int i = 0; i < postscript_standard_font_count; ++i)
        EXPECT_EQ(find_postscript_standard_font(postscript_standard_font(i)), i);

    std::string file = plot("POST", [this] {
        EXPECT_FALSE(state().text.hardware_font);
        psfont("helvetica-BOLD");
        EXPECT_EQ(take_output(), "");
        EXPECT_TRUE(state().text.hardware_font);
        EXPECT_EQ(state().postscript.font, "Helvetica-Bold");
        EXPECT_EQ(state().postscript.font_index, 5);
        int warnings = state().warning_count;
        psfont("My Font(1)");
        EXPECT_EQ(take_output(), " <<<< Warning: My Font(1) is not a standard font!\n");
        EXPECT_EQ(state().warning_count, warnings + 1);
        EXPECT_EQ(state().postscript.font, "My Font(1)");
        EXPECT_EQ(state().postscript.font_index, 0);
        psfont("ABCDEFGHIJKLMNOPQRSTUVWXYZ01234567");  // cut at 30 characters
        EXPECT_EQ(take_output(), " <<<< Warning: ABCDEFGHIJKLMNOPQRSTUVWXYZ0123 is not a standard font!\n");
        psfont("Courier   ");  // trailing blanks do not count
        psfont("   ");
        EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in psfont!\n");
        EXPECT_EQ(state().postscript.font, "Courier");
    });
    EXPECT_EQ(body_of(file),
              "0 0 0 f (Helvetica-Bold) (Helvetica-Bold-German) GermanVec ReEncodeSmall "
              "(Helvetica-Bold-German) 16 font "
              "(My\\040Font\\0501\\051) (My\\040Font\\0501\\051-German) GermanVec ReEncodeSmall "
              "(My\\040Font\\0501\\051-German) 16 font "
              "(ABCDEFGHIJKLMNOPQRSTUVWXYZ0123) (ABCDEFGHIJKLMNOPQRSTUVWXYZ0123-German) GermanVec ReEncodeSmall "
              "(ABCDEFGHIJKLMNOPQRSTUVWXYZ0123-German) 16 font "
              "(Courier) (Courier-German) GermanVec ReEncodeSmall (Courier-German) 16 font showpage ");
    // The attribute reset of the next plot forgets the font.
    korini();
    EXPECT_EQ(state().postscript.font, "");
    korfin();
}

TEST_F(PostScriptTest, FontOnAnotherDeviceWarnsAndWritesNothing)
{
    filmod("DELE");
    korini();
    korfin();
    std::string plain = read_file("korvan.met");
    take_output();
    korini();
    psfont("Times-Roman");
    EXPECT_EQ(take_output(), " <<<< Warning  49: Fileformat is not PostScript in psfont!\n");
    linwid(5);
    penwid(2);
    postscript_fill_sector(100, 100, 0, 10, 0, 90, 1);
    postscript_char(65, 100, 100, 0);
    EXPECT_FALSE(postscript_active());
    korfin();
    EXPECT_EQ(read_file("korvan.met"), plain);
    EXPECT_EQ(state().postscript.font, "");
    EXPECT_FALSE(state().text.hardware_font);
}

TEST_F(PostScriptTest, HardwareTextWithTheChosenFont)
{
    std::string file = plot("POST", [this] {
        PlotState& s = state();
        EXPECT_TRUE(s.device->has_hardware_font());
        s.device->hardware_text(100, 200, "A (b)", 36, 0);  // no font yet: HWFONT's Times-Roman
        EXPECT_EQ(take_output(), "");
        s.device->hardware_text(100, 200, "\xC4\xC3\xBC~", 36, 30);  // ISO 8859-1 and UTF-8 umlauts
        // One character is written with the character operator, centred on
        // the middle of its base line; another size selects the font again.
        s.device->hardware_text(0, 0, "x", 72, 0);
        s.device->hardware_text(0, 0, "y", 1, std::nan(""));  // never a font of size 0
    });
    EXPECT_EQ(body_of(file), "0 0 0 f (Times-Roman) (Times-Roman-German) GermanVec ReEncodeSmall "
                             "(Times-Roman-German) 16 font <4120286229> 371 186 90 0 text "
                             "<7F847E> 371 186 120 0 text "
                             "(Times-Roman-German) 33 font 120 0 58 90 c "
                             "(Times-Roman-German) 1 font 121 0 2 90 c showpage ");
}

// Greek letters and signs that the re-encoded font lacks are written in the
// Symbol font, each run where the one before ends; a character of neither font
// is the Symbol font's lozenge, reported in one warning for the text.
TEST_F(PostScriptTest, GreekLettersAndSignsInTheSymbolFont)
{
    std::string warnings;
    std::string file = plot("POST", [&] {
        Device& device = *state().device;
        device.hardware_text(100, 200, "\xCE\x94t \xE2\x89\xA4 5", 36, 0);
        device.hardware_text(100, 200, "\xCE\xB1", 36, 0);
        warnings = take_output();
        device.hardware_text(100, 200, "x\xE2\x98\x83\xE4\xB8\x80", 36, 0);
        warnings += take_output();
        auto length = [](double thousandths) { return thousandths / 1000.0 * 16 / 0.14226378 / 1.8571428; };
        EXPECT_DOUBLE_EQ(device.hardware_text_length("\xCE\x94t", 36), length(612 + 278));
        EXPECT_DOUBLE_EQ(device.hardware_text_length("\xC2\xB5\xC2\xB0", 36), length(576 + 400));
    });
    EXPECT_EQ(body_of(file), "0 0 0 f (Times-Roman) (Times-Roman-German) GermanVec ReEncodeSmall "
                             "(Times-Roman-German) 16 font (Symbol) 16 font <44> 371 186 90 0 text "
                             "(Times-Roman-German) 16 font <7420> 371 255 90 0 text "
                             "(Symbol) 16 font <A3> 371 314 90 0 text "
                             "(Times-Roman-German) 16 font <2035> 371 376 90 0 text "
                             "(Symbol) 16 font 97 371 221 90 c (Times-Roman-German) 16 font "
                             "<78> 371 186 90 0 text (Symbol) 16 font <E0E0> 371 242 90 0 text "
                             "(Times-Roman-German) 16 font showpage ");
    // The converter reads the codes back: Greek letters rather than the signs drawn alike.
    EXPECT_EQ(postscript_font_text("D\xA3m+\xE0", true), "\xCE\x94\xE2\x89\xA4\xCE\xBC+\xE2\x97\x8A");
    EXPECT_EQ(postscript_font_text("Dm\x7F", false), "Dm\xC3\x84");
    // The routine is the one that drew last (here the plot's start).
    EXPECT_EQ(warnings, " <<<< Warning: 2 characters not in the font in KORINI - (x\xE2\x98\x83\xE4\xB8\x80).\n");
}

TEST_F(PostScriptTest, HardwareTextLengthFromTheFontWidths)
{
    plot("POST", [this] {
        const Device& device = *state().device;
        // Plot units of a width sum at height 36: the font size 16, back through cm and the device scale.
        auto length = [](double thousandths, double size) { return thousandths / 1000.0 * size / 0.14226378 / 1.8571428; };
        // Before any font choice: Times-Roman, H e l l o.
        EXPECT_DOUBLE_EQ(device.hardware_text_length("Hello", 36), length(722 + 444 + 278 + 278 + 500, 16));
        psfont("Courier");
        EXPECT_DOUBLE_EQ(device.hardware_text_length("abc", 36), length(1800, 16));
        EXPECT_DOUBLE_EQ(device.hardware_text_length("abc", 72), length(1800, 33));
        psfont("Helvetica-Bold");
        EXPECT_DOUBLE_EQ(device.hardware_text_length("\xC4\xE4\xDF", 36), length(722 + 556 + 611, 16));
        EXPECT_DOUBLE_EQ(device.hardware_text_length("", 36), 0.0);
        psfont("Unknown-Font");  // widths of the first font
        take_output();
        EXPECT_DOUBLE_EQ(device.hardware_text_length("Hello", 36), length(2222, 16));
    });
    // Every text font has widths for the letters and the accented letters;
    // the fixed-width family has one width.
    for (int font = 0; font < postscript_standard_font_count; ++font) {
        std::string_view name = postscript_standard_font(font);
        if (name == "Symbol" || name == "ZapfDingbats")
            continue;
        for (int code = 32; code < 0262; ++code) {
            int width = postscript_widths[font][code - postscript_width_first];
            EXPECT_GT(width, 0) << name << " " << code;
            if (name.substr(0, 7) == "Courier") {
                EXPECT_EQ(width, 600) << name << " " << code;
            }
        }
    }
}

TEST_F(PostScriptTest, MessagWritesHardwareTextAfterPsfontAndHwfont)
{
    std::string file = plot("POST", [this] {
        psfont("Helvetica");
        messag("Hello", 100, 100);  // base line 35 plot units below the corner
        EXPECT_EQ(nlmess("Hello"), 138);  // (722 + 556 + 222 + 222 + 556) / 1000 * 16 points
        messag("x[2]y", 100, 300);    // brackets are characters without MIXALF
        mixalf();
        messag("a[2]", 100, 500);     // raised text is drawn with strokes
        hwfont();
        messag("Hi", 200, 100);
        koralf();
        messag("S", 300, 100);  // stroke text again
        EXPECT_EQ(take_output(), "");
    });
    std::string body = body_of(file);
    EXPECT_NE(body.find("(Helvetica-German) 16 font <48656C6C6F> 251 186 90 0 text "), std::string::npos) << body;
    EXPECT_NE(body.find("<785B325D79> 622 186 90 0 text "), std::string::npos) << body;
    EXPECT_NE(body.find("<4869> 251 371 90 0 text "), std::string::npos) << body;
    EXPECT_EQ(body.find("<53>"), std::string::npos) << body;
    EXPECT_EQ(body.find("<615B325D>"), std::string::npos) << body;
    EXPECT_NE(body.find(" u "), std::string::npos) << body;  // the stroked S
}

TEST_F(PostScriptTest, LongHardwareTextKeepsRecordsShort)
{
    std::string text(132, 'W');
    std::string file = plot("POST", [&] { state().device->hardware_text(0, 0, text, 36, 0); });
    std::string hex;
    for (const std::string& line : lines_of(file.substr(file.find(" scale\n") + 7))) {
        EXPECT_LE(line.size(), 80u);
        hex += line;
    }
    std::string expected = "<";
    for (int i = 0; i < 132; ++i)
        expected += "57";
    std::string squeezed;
    std::size_t from = hex.find('<');
    std::size_t to = hex.find('>');
    for (char c : hex.substr(from, to - from))
        if (c != ' ')
            squeezed += c;
    EXPECT_EQ(squeezed, expected);
}

// --- Pages --------------------------------------------------------------------------

TEST_F(PostScriptTest, NewPagesCopyAndEraseTheirPage)
{
    std::string file = plot("POST", [] {
        plot_vector(0, 0, 3);
        plot_vector(0, 100, 2);
        newpag();
        plot_vector(100, 0, 2);
    });
    EXPECT_EQ(body_of(file), "0 0 0 f 0 0 u 186 0 d p copypage erasepage 0 0 0 f 186 0 u 0 186 d p showpage ");

    file = plot("PSCL", [] {
        select_colour(50);
        newpag();
    });
    std::uint32_t c = state().colour_table[50];
    char rgb[32];
    std::snprintf(rgb, sizeof rgb, "%d %d %d f ", static_cast<int>(c >> 16), static_cast<int>((c >> 8) & 255),
                  static_cast<int>(c & 255));
    EXPECT_EQ(body_of(file), std::string("0 0 3898 5514 0 0 0 e 255 255 255 f ") + rgb +
                                 "copypage 0 0 3898 5514 0 0 0 e " + rgb + "showpage ");

    scrmod("REVE");
    file = plot("PSCL", [] { newpag(); });
    EXPECT_EQ(body_of(file), "0 0 0 f copypage erasepage 0 0 0 f showpage ");
}

TEST_F(PostScriptTest, DefaultNameAndVersions)
{
    metafl("PSCL");
    korini();
    korfin();
    korini();
    EXPECT_EQ(getfil(), path("korvan_1.psc"));
    korfin();
    EXPECT_TRUE(exists("korvan.psc"));
    EXPECT_TRUE(exists("korvan_1.psc"));
}

// --- Rendering by Ghostscript ------------------------------------------------------

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    bool dark(int x, int y) const
    {
        const unsigned char* p = &rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                       static_cast<std::size_t>(x)) * 3];
        return p[0] + p[1] + p[2] < 3 * 100;
    }
    // Share of dark pixels in a rectangle.
    double dark_share(int x0, int y0, int x1, int y1) const
    {
        int dark_count = 0;
        int all = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                ++all;
                dark_count += dark(x, y) ? 1 : 0;
            }
        return all ? static_cast<double>(dark_count) / all : 0.0;
    }
};

// Renders a file with Ghostscript at 20 dpi on A4 paper; the pages are
// <base>-1.png, <base>-2.png ... Returns Ghostscript's messages; ok tells
// whether it ended without error.
std::string render(const std::string& file, const std::string& base, bool& ok)
{
    std::string command = "gs -dSAFER -dBATCH -dNOPAUSE -q -sDEVICE=png16m -r20 -sPAPERSIZE=a4 -sOutputFile=" +
                          base + "-%d.png " + file + " 2>&1";
    std::string messages;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ok = false;
        return "popen failed";
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        messages += buffer;
    int status = ::pclose(pipe);
    ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && messages.find("Error") == std::string::npos;
    return messages;
}

// Paper position in pixels (20 dpi, A4 842 points high) of a device point.
int column_of(double device_x, double factor, int origin = 150)
{
    return static_cast<int>(std::lround((origin + device_x * factor) * 0.14226378 / 72.0 * 20.0));
}
int row_of(double device_y, double factor, int origin = 200)
{
    return static_cast<int>(std::lround((842.0 - (origin + device_y * factor) * 0.14226378) / 72.0 * 20.0));
}

TEST_F(PostScriptTest, GhostscriptRendersEveryFileWithoutError)
{
    if (!ghostscript_available())
        GTEST_SKIP() << "Ghostscript (gs) is not installed: the PostScript files are not rendered";

    // A horizontal line across the middle of the default page: on the turned
    // page it runs up the paper.
    plot("POST", [] {
        plot_vector(0, 1050, 3);
        for (int i = 1; i <= 120; ++i)
            plot_vector(2969.0 * i / 120, 1050, 2);
    }, "line.psc");
    // The black page of colour PostScript with a white line and a filled sector.
    plot("PSCL", [] {
        plot_vector(0, 1050, 3);
        plot_vector(2969, 1050, 2);
        postscript_fill_sector(1500, 500, 100, 300, 0, 270, 100);
    }, "colour.psc");
    // Two pages: a rectangle, then a line.
    setpag("DA4P");
    plot("POST", [] {
        state().device->fill_rect(200, 200, 1000, 1000, 255);
        newpag();
        linwid(10);
        plot_vector(0, 1500, 3);
        plot_vector(2099, 1500, 2);
    }, "pages.psc");
    // Text on a page shrunk to almost nothing.
    sclfac(1e-9);
    plot("POST", [] {
        psfont("Times-Roman");
        state().device->hardware_text(200, 500, "tiny", 36, 0);
        postscript_fill_sector(500, 500, 10, 20, std::nan(""), 90, 1);
        plot_vector(0, 0, 3);
        plot_vector(100, 100, 2);
    }, "tiny.psc");
    sclfac(1);
    // Fonts, hardware text and characters on an upright page.
    double m_length = 0;
    plot("POST", [&] {
        psfont("Helvetica");
        state().device->hardware_text(200, 500, "Hallo (\xE4\xF6\xFC\xDF) \\ %", 100, 0);
        psfont("Palatino-Italic");
        state().device->hardware_text(200, 800, "Text at 30 degrees", 100, 30);
        psfont("NoSuchFont");
        state().device->hardware_text(200, 1200, "Substituted", 100, 0);
        state().device->hardware_text(200, 1300, "small", 1, 0);
        postscript_char(65, 1000, 1500, 45);
        psfont("Helvetica");
        state().device->hardware_text(200, 2500, "MMMMMM", 150, 0);
        m_length = state().device->hardware_text_length("MMMMMM", 150);
        penwid(0.3);
        plot_vector(0, 2000, 3);
        plot_vector(2099, 2000, 2);
    }, "fonts.psc");
    take_output();

    for (const char* name : {"line", "colour", "pages", "fonts", "tiny"}) {
        bool ok = false;
        std::string messages = render(std::string(name) + ".psc", name, ok);
        EXPECT_TRUE(ok) << name << ":\n" << messages;
        EXPECT_TRUE(exists(std::string(name) + "-1.png")) << name;
    }

    Picture line;
    ASSERT_TRUE(read_rgb_png("line-1.png", line));
    EXPECT_EQ(line.width, 165);
    EXPECT_EQ(line.height, 234);
    // Turned page: plot y = 1050 is device x = 1950, plot x runs up the paper.
    int x = column_of(1.8571428 * 1050, 1.000476);
    int top = row_of(1.8571428 * 2969, 1.000476);
    int bottom = row_of(0, 1.000476);
    EXPECT_GT(line.dark_share(x - 1, top + 2, x + 2, bottom - 2), 0.3);
    for (int y = top + 2; y < bottom - 2; ++y)
        EXPECT_TRUE(line.dark(x - 1, y) || line.dark(x, y) || line.dark(x + 1, y)) << "row " << y;
    EXPECT_EQ(line.dark_share(0, 0, x - 4, line.height), 0.0);
    EXPECT_EQ(line.dark_share(x + 4, 0, line.width, line.height), 0.0);
    EXPECT_FALSE(std::filesystem::exists("line-2.png"));

    Picture colour;
    ASSERT_TRUE(read_rgb_png("colour-1.png", colour));
    // The plot area is black but for the line and the sector; the paper around it is white.
    EXPECT_GT(colour.dark_share(column_of(0, 1.000476) + 2, row_of(5514, 1.000476) + 2,
                                column_of(3898, 1.000476) - 2, row_of(0, 1.000476) - 2),
              0.85);
    EXPECT_EQ(colour.dark_share(0, 0, column_of(0, 1.000476) - 2, colour.height), 0.0);
    int line_x = column_of(1950, 1.000476);
    EXPECT_FALSE(colour.dark(line_x, colour.height / 2));

    Picture page1;
    Picture page2;
    ASSERT_TRUE(read_rgb_png("pages-1.png", page1));
    ASSERT_TRUE(read_rgb_png("pages-2.png", page2));
    EXPECT_FALSE(std::filesystem::exists("pages-3.png"));
    // Page one: the black square; page two: only the wide line.
    double s = 1.8571428;
    double f = 1.000476;
    EXPECT_GT(page1.dark_share(column_of(s * 250, f), row_of(s * (2969 - 250), f), column_of(s * 1150, f),
                               row_of(s * (2969 - 1150), f)),
              0.95);
    EXPECT_EQ(page2.dark_share(column_of(s * 250, f), row_of(s * (2969 - 250), f), column_of(s * 1150, f),
                               row_of(s * (2969 - 1150), f)),
              0.0);
    int line_row = row_of(s * (2969 - 1500), f);
    EXPECT_GT(page2.dark_share(column_of(s * 100, f), line_row - 2, column_of(s * 2000, f), line_row + 2), 0.2);

    Picture fonts;
    ASSERT_TRUE(read_rgb_png("fonts-1.png", fonts));
    // The rendered text ends where its computed length says.
    {
        int row = row_of(s * (2969 - 2500), f);
        int right = 0;
        for (int y = row - 8; y < row; ++y)
            for (int x = 0; x < fonts.width; ++x)
                if (fonts.dark(x, y))
                    right = std::max(right, x);
        EXPECT_GE(right, column_of(s * (200 + 0.9 * m_length), f));
        EXPECT_LE(right, column_of(s * (200 + m_length), f) + 1);
    }
    // Ink to the right of each text start, on its base line.
    for (int y : {500, 800, 1200}) {
        int row = row_of(s * (2969 - y), f);
        EXPECT_GT(fonts.dark_share(column_of(s * 200, f), row - 6, column_of(s * 1000, f), row + 1), 0.02) << y;
    }
}

}  // namespace
}  // namespace korvan::test
