// The dialog widget routines: WGINI ... WGFIN build and run a dialog window,
// the GWG and SWG routines read and set widgets and settings, the item-list
// routines work on "|"-separated lists, and DWG... show standard dialogs.
// IDs are returned as integers, -1 on error; errors are message boxes titled
// with the routine's name.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "plot/widgets/widget_table.hpp"

namespace korvan {

int wgini(std::string_view arrangement);
int wgbas(int parent, std::string_view arrangement);
int wglab(int parent, std::string_view text);
int wgbut(int parent, std::string_view text, int state);
int wgpbut(int parent, std::string_view text);
int wgcmd(int parent, std::string_view text, std::string_view command);
int wgok(int parent);
int wgquit(int parent);
int wglis(int parent, std::string_view items, int selected);
int wgbox(int parent, std::string_view items, int selected);
int wgtxt(int parent, std::string_view text);
int wgltxt(int parent, std::string_view label, std::string_view text, int width);
int wgfil(int parent, std::string_view label, std::string_view file, std::string_view mask);
int wgscl(int parent, std::string_view label, double minimum, double maximum, double value, int digits);
int wgpop(int parent, std::string_view label);
int wgapp(int popup, std::string_view label);
void wgfin();
void msgbox(std::string_view text);

int gwgbut(int id);
int gwglis(int id);
int gwgbox(int id);
double gwgscl(int id);
std::string gwgtxt(int id);
std::string gwgfil(int id);

void swgbut(int id, int state);
void swglis(int id, int item);
void swgbox(int id, int item);
void swgscl(int id, double value);
void swgtxt(int id, std::string_view text);
void swgfil(int id, std::string_view file);
void swgcb(int id, widgets::WidgetCallback callback);

void swgwth(int characters);
void swgpos(int x, int y);
void swgsiz(int width, int height);
void swgwin(int x, int y, int width, int height);
void swgmrg(int value, std::string_view side);
void swgmix(std::string_view character, std::string_view what);
void swgpop(std::string_view option);
void swgtyp(std::string_view value, std::string_view what);
void swgjus(std::string_view value, std::string_view what);
void swgmod(std::string_view mode);
void swgtit(std::string_view title);
void swghlp(std::string_view help);

int itmcnt(std::string_view list);
std::string itmstr(std::string_view list, int n);
// Appends the separator and the item to the list text in the block; the block
// holds the old text and room for both (and its end).
void itmcat(std::span<char> list, std::string_view item);

void dwgmsg(std::string_view text);
int dwgbut(std::string_view text, int yes_default);
int dwglis(std::string_view label, std::string_view items, int selected);
std::string dwgtxt(std::string_view label, std::string_view text);
std::string dwgfil(std::string_view label, std::string_view file, std::string_view mask);

}  // namespace korvan
