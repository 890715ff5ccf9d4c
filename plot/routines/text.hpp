// The text engine: strings drawn with stroke fonts in the current height,
// angle and colour, with raised and lowered parts, mixed alphabets and national
// characters; the text attribute routines and the fonts.
#pragma once

#include <string>
#include <string_view>

namespace korvan {

// Drawing and measuring.
void messag(std::string_view text, int nx, int ny);
// MESSAG at a user point of the axis system.
void rlmess(std::string_view text, double x, double y);
int nlmess(std::string_view text);

// Text attributes.
void height(int n);
void angle(int n);
void txtjus(std::string_view option);
// Frame of n lines around MESSAG and NUMBER texts; 0 none.
void frmess(int n);
void chaang(double angle);
void chaspc(double factor);
void chawth(double factor);
void fixspc(double factor);
void linesp(double factor);
void mixalf();
void setmix(std::string_view character, std::string_view option);
void newmix();
void mixleg();
// SETBAS: distance of raised and lowered text from the base line, times its
// height (default 0.6); SETEXP: its height, times the height before (0.8).
void setbas(double factor);
void setexp(double factor);
void basalf(std::string_view alphabet);
void smxalf(std::string_view alphabet, std::string_view enter, std::string_view leave, int n);
void eushft(std::string_view national, std::string_view character);

// Fonts.
void koralf();
void simplx();
void duplx();
void triplx();
void complx();
void serif();
void helve();
void helves();
void gothic();
void hwfont();
// SHDCHA: HWFONT text on devices without a font of their own (metafile, CGM,
// HPGL, Kyocera, images) is drawn as the outlines of the hardware font's
// characters, outlined and filled with the current shading pattern (solidly
// under pattern 0), instead of as stroke text; its length is the hardware
// font's. Devices with a font of their own fill its characters anyway, and
// stroke fonts have no outlines: neither changes. RESET("SHDCHA") ends it.
void shdcha();

// Reading the state back.
int gethgt();
int getang();

// --- The engine, for the drawing routines -----------------------------------

struct TextRequest {
    double height = 0;          // 0: the current character height
    int justification = -1;     // -1: the current one; 0 LEFT, 1 CENT, 2 RIGH
    bool force_control = false;  // control characters on for this string
    double fixed = -1;          // fixed spacing factor for this string; -1 the current setting
    double angle = -1000;       // degrees; below -999 the current angle
};

// Draws a string (trailing blanks ignored) with its upper left corner at the
// plot point (x, y), without origin, level check or page report; the end point
// is kept for continuation. Returns the length drawn (plot units).
double draw_text(std::string_view text, double x, double y, const TextRequest& request);
// The length of a string as draw_text would draw it.
double text_length(std::string_view text, const TextRequest& request);

}  // namespace korvan
