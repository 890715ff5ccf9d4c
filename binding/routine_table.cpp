#include "binding/routine_table.hpp"

#include <array>

namespace korvan::binding {

namespace {

// Procedures, called as statements NAME(...), in alphabetical order.
constexpr RoutineRow procedure_rows[] = {
    {"ABS3PT", "X,X,X,U,U"}, {"ANGLE", "I"}, {"ARCELL", "I,I,I,I,X,X,X"}, {"AREAF", "IR,IR,I"},
    {"AUTRES", "I,I"}, {"AX2GRF", ""}, {"AX3LEN", "I,I,I"}, {"AXCLRS", "I,S,S"}, {"AXENDS", "S,S"},
    {"AXGIT", ""}, {"AXIS3D", "X,X,X"}, {"AXSLEN", "I,I"}, {"AXSORG", "I,I"}, {"AXSPOS", "I,I"},
    {"AXSTYP", "S"}, {"BARGRP", "I,X"}, {"BARPOS", "S"}, {"BARS", "FR,FR,FR,I"}, {"BARTYP", "S"},
    {"BARWTH", "X"}, {"BASALF", "S"}, {"BEZIER", "FR,FR,I,U,U,I"}, {"BOX2D", ""}, {"BOX3D", ""},
    {"CENTER", ""}, {"CHAANG", "X"}, {"CHASPC", "X"}, {"CHAWTH", "X"}, {"CHNATT", ""}, {"CHNCRV", "S"},
    {"CHNDOT", ""}, {"CHNDSH", ""}, {"CHNPIE", "S"}, {"CIRCLE", "I,I,I"}, {"CIRCSP", "I"}, {"CLPBOR", "S"},
    {"CLPWIN", "I,I,I,I"}, {"CLRCYC", "I,I"}, {"CLRMOD", "S"}, {"CLSWIN", "I"}, {"COLOR", "S"},
    {"COLRAN", "I,I"}, {"COLRAY", "FR,U,I"}, {"COMPLX", ""}, {"CONCRV", "FR,FR,I,X"}, {"CONGAP", "X"},
    {"CONLAB", "S"}, {"CONMAT", "FR,I,I,X"}, {"CONMOD", "X,X"}, {"CONN3D", "X,X,X"}, {"CONNPT", "X,X"},
    {"CONSHD", "FR,I,FR,I,FR,FR,I"}, {"CONTUR", "FR,I,FR,I,FR,X"}, {"CROSS", ""}, {"CRVMAT", "FR,I,I,I,I"},
    {"CURV3D", "FR,FR,FR,I"}, {"CURVE", "FR,FR,I"}, {"CURVE3", "FR,FR,FR,I"}, {"CURVMP", "FR,FR,I"},
    {"CURVX3", "FR,X,FR,I"}, {"CURVY3", "X,FR,FR,I"}, {"DASH", ""}, {"DASHL", ""}, {"DASHM", ""},
    {"DIGITS", "I,S"}, {"DOT", ""}, {"DOTL", ""}, {"DUPLX", ""}, {"DWGMSG", "S"}, {"ELLIPS", "I,I,I,I"},
    {"ENDGRF", ""}, {"ERASE", ""}, {"ERRBAR", "FR,FR,FR,FR,I"}, {"EUSHFT", "S,S"}, {"EXPZLB", "S"},
    {"FILBOX", "I,I,I,I"}, {"FILCLR", "S"}, {"FILMOD", "S"}, {"FIXSPC", "X"}, {"FLAB3D", ""},
    {"FRAME", "I"}, {"FRMESS", "I"}, {"GAPCRV", "X"}, {"GETCLP", "U,U,U,U"}, {"GETDIG", "U,U,U"},
    {"GETGRF", "U,U,U,U,S"}, {"GETIND", "I,U,U,U"}, {"GETLAB", "U,U,U"}, {"GETLEN", "U,U,U"},
    {"GETOR", "U,U"}, {"GETPAG", "U,U"}, {"GETPOS", "U,U"}, {"GETRAN", "U,U"}, {"GETRES", "U,U"},
    {"GETSCL", "U,U,U"}, {"GETSP1", "U,U,U"}, {"GETSP2", "U,U,U"}, {"GETSYM", "U,U"}, {"GETTCL", "U,U"},
    {"GETTIC", "U,U,U"}, {"GETVK", "U,U,U"}, {"GETWIN", "U,U,U,U"}, {"GOTHIC", ""}, {"GRACE", "I"},
    {"GRAF", "X,X,X,X,X,X,X,X"}, {"GRAF3", "X,X,X,X,X,X,X,X,X,X,X,X"},
    {"GRAF3D", "X,X,X,X,X,X,X,X,X,X,X,X"}, {"GRAFMP", "X,X,X,X,X,X,X,X"}, {"GRDPOL", "I,I"},
    {"GRFFIN", ""}, {"GRFINI", "X,X,X,X,X,X,X,X,X"}, {"GRID", "I,I"}, {"GRID3D", "I,I,S"},
    {"GRIDMP", "I,I"}, {"HEIGHT", "I"}, {"HELVE", ""}, {"HELVES", ""}, {"HISTOG", "FR,I,U,U,U"},
    {"HNAME", "I"}, {"HSVRGB", "X,X,X,U,U,U"}, {"HSYMBL", "I"}, {"HTITLE", "I"}, {"HWFONT", ""},
    {"HWORIG", "I,I"}, {"HWPAGE", "I,I"}, {"IMGFIN", ""}, {"IMGINI", ""}, {"INCCRV", "I"}, {"INCFIL", "S"},
    {"INCKFL", "S"}, {"INCMRK", "I"}, {"INTAX", ""}, {"ITMCAT", "V,S"}, {"KORALF", ""}, {"KORFIN", ""},
    {"KORINI", ""}, {"LABCLR", "I,S"}, {"LABDIS", "I,S"}, {"LABELS", "S,S"}, {"LABJUS", "S,S"},
    {"LABPOS", "S,S"}, {"LABTYP", "S,S"}, {"LEGCLR", ""}, {"LEGEND", "V,I"}, {"LEGINI", "U,I,I"},
    {"LEGLIN", "V,S,I"}, {"LEGOPT", "X,X,X"}, {"LEGPAT", "I,I,I,I,I,I"}, {"LEGPOS", "I,I"},
    {"LEGTIT", "S"}, {"LFTTIT", ""}, {"LINCYC", "I,I"}, {"LINE", "I,I,I,I"}, {"LINESP", "X"},
    {"LINTYP", "I"}, {"LINWID", "I"}, {"LNCAP", "S"}, {"LNJOIN", "S"}, {"LNMLT", "X"}, {"LOGTIC", "S"},
    {"MAPMOD", "S"}, {"MAPPOL", "X,X"}, {"MAPREF", "X,X"}, {"MAPSPH", "X"}, {"MARKER", "I"},
    {"MDFMAT", "I,I,X"}, {"MESSAG", "S,I,I"}, {"METAFL", "S"}, {"MIXALF", ""}, {"MIXLEG", ""},
    {"MSGBOX", "S"}, {"MYLAB", "S,I,S"}, {"MYLINE", "IR,I"}, {"MYPAT", "I,I,I,I"}, {"MYVLT", "FR,FR,FR,I"},
    {"NAMDIS", "I,S"}, {"NAME", "S,S"}, {"NAMJUS", "S,S"}, {"NEGLOG", "X"}, {"NEWMIX", ""}, {"NEWPAG", ""},
    {"NOARLN", ""}, {"NOBAR", ""}, {"NOBGD", ""}, {"NOCHEK", ""}, {"NOCLIP", ""}, {"NOFILL", ""},
    {"NOGRAF", ""}, {"NOHIDE", ""}, {"NOLINE", "S"}, {"NUMBER", "X,I,I,I"}, {"NUMFMT", "S"},
    {"NUMODE", "S,S,S,S"}, {"OPNWIN", "I"}, {"ORIGIN", "I,I"}, {"PAGE", "I,I"}, {"PAGERA", ""},
    {"PAGHDR", "S,S,I,I"}, {"PAGMOD", "S"}, {"PATCYC", "I,I"}, {"PENWID", "X"}, {"PIE", "I,I,I,X,X"},
    {"PIEEXP", ""}, {"PIEGRF", "S,I,FR,I"}, {"PIELAB", "S,S"}, {"PIEVEC", "I,S"}, {"POINT", "I,I,I,I,I"},
    {"POLCRV", "S"}, {"POS2PT", "X,X,U,U"}, {"POS3PT", "X,X,X,U,U,U"}, {"PROJCT", "S"}, {"PSFONT", "S"},
    {"RECFLL", "I,I,I,I,I"}, {"RECTAN", "I,I,I,I"}, {"REL3PT", "X,X,X,U,U"}, {"RESATT", ""},
    {"RESET", "S"}, {"REVSCR", ""}, {"RGBHSV", "X,X,X,U,U,U"}, {"RGTLAB", ""}, {"RIMAGE", "S"},
    {"RLARC", "X,X,X,X,X,X,X"}, {"RLAREA", "FR,FR,I"}, {"RLCIRC", "X,X,X"}, {"RLELL", "X,X,X,X"},
    {"RLINE", "X,X,X,X"}, {"RLMESS", "S,X,X"}, {"RLNUMB", "X,I,X,X"}, {"RLPOIN", "X,X,I,I,I"},
    {"RLREC", "X,X,X,X"}, {"RLRND", "X,X,X,X,I"}, {"RLSEC", "X,X,X,X,X,X,I"}, {"RLSYMB", "I,X,X"},
    {"RLVEC", "X,X,X,X,I"}, {"RNDREC", "I,I,I,I,I"}, {"RPIXEL", "I,I,U"}, {"RPIXLS", "BR,I,I,I,I"},
    {"RPXROW", "BR,I,I,I"}, {"RTIFF", "S"}, {"RVYNAM", ""}, {"SCALE", "S,S"}, {"SCLFAC", "X"},
    {"SCLMOD", "S"}, {"SCRMOD", "S"}, {"SECTOR", "I,I,I,I,X,X,I"}, {"SELWIN", "I"}, {"SENDBF", ""},
    {"SERIF", ""}, {"SETBAS", "X"}, {"SETCLR", "I"}, {"SETEXP", "X"}, {"SETFIL", "S"},
    {"SETGRF", "S,S,S,S"}, {"SETIND", "I,X,X,X"}, {"SETMIX", "S,S"}, {"SETPAG", "S"}, {"SETRES", "I,I"},
    {"SETSCL", "FR,I,S"}, {"SETVLT", "S"}, {"SHDCHA", ""}, {"SHDCRV", "FR,FR,I,FR,FR,I"},
    {"SHDEUR", "IR,IR,IR,I"}, {"SHDMAP", "S"}, {"SHDMOD", "S,S"}, {"SHDPAT", "I"}, {"SHIELD", "S,S"},
    {"SHLCIR", "I,I,I"}, {"SHLDEL", "I"}, {"SHLELL", "I,I,I,I,X"}, {"SHLPIE", "I,I,I,X,X"},
    {"SHLPOL", "IR,IR,I"}, {"SHLRCT", "I,I,I,I,X"}, {"SHLREC", "I,I,I,I"}, {"SHLSUR", ""},
    {"SHLVIS", "I,S"}, {"SIMPLX", ""}, {"SMXALF", "S,S,S,I"}, {"SOLID", ""}, {"SORTR1", "FR,I,S"},
    {"SORTR2", "FR,FR,I,S"}, {"SPLINE", "FR,FR,I,U,U,U"}, {"SPLMOD", "I,I"}, {"STRT3D", "X,X,X"},
    {"STRTPT", "X,X"}, {"SURCLR", "I,I"}, {"SURFCE", "FR,I,FR,I,FR"}, {"SURMAT", "FR,I,I,I,I"},
    {"SURSHD", "FR,I,FR,I,FR"}, {"SURSZE", "X,X,X,X"}, {"SURVIS", "S"}, {"SWAPI2", "HR,I"},
    {"SWAPI4", "IR,I"}, {"SWGBOX", "I,I"}, {"SWGBUT", "I,I"}, {"SWGCB", "I,S,IR"}, {"SWGFIL", "I,S"},
    {"SWGHLP", "S"}, {"SWGJUS", "S,S"}, {"SWGLIS", "I,I"}, {"SWGMIX", "S,S"}, {"SWGMOD", "S"},
    {"SWGMRG", "I,S"}, {"SWGPOP", "S"}, {"SWGPOS", "I,I"}, {"SWGSCL", "I,X"}, {"SWGSIZ", "I,I"},
    {"SWGTIT", "S"}, {"SWGTXT", "I,S"}, {"SWGTYP", "S,S"}, {"SWGWIN", "I,I,I,I"}, {"SWGWTH", "I"},
    {"SYMBOL", "I,I,I"}, {"SYMFIL", "S,S"}, {"SYMROT", "X"}, {"THKCRV", "I"}, {"TICKS", "I,S"},
    {"TICLEN", "I,I"}, {"TICPOS", "S,S"}, {"TIFORG", "I,I"}, {"TIFWIN", "I,I,I,I"}, {"TIMOPT", ""},
    {"TITJUS", "S"}, {"TITLE", ""}, {"TITLIN", "S,I"}, {"TITPOS", "S"}, {"TRFCO1", "FR,I,S,S"},
    {"TRFCO2", "FR,FR,I,S,S"}, {"TRFCO3", "FR,FR,FR,I,S,S"}, {"TRFREL", "FR,FR,I"}, {"TRFRES", ""},
    {"TRFROT", "X,I,I"}, {"TRFSCL", "X,X"}, {"TRFSHF", "I,I"}, {"TRIPLX", ""}, {"TXTJUS", "S"},
    {"UNIT", "I"}, {"UPSTR", "S"}, {"VECTOR", "I,I,I,I,I"}, {"VIEW3D", "X,X,X,S"}, {"VKXBAR", "I"},
    {"VKYBAR", "I"}, {"VKYTIT", "I"}, {"WGFIN", ""}, {"WIDBAR", "I"}, {"WIMAGE", "S"},
    {"WINDOW", "I,I,I,I"}, {"WINMOD", "S"}, {"WINSIZ", "I,I"}, {"WINTIT", "S"}, {"WORLD", ""},
    {"WPIXEL", "I,I,I"}, {"WPIXLS", "BR,I,I,I,I"}, {"WPXROW", "BR,I,I,I"}, {"WTIFF", "S"}, {"X11MOD", "S"},
    {"XAXGIT", ""}, {"XAXIS", "X,X,X,X,I,S,I,I,I"}, {"XAXLG", "X,X,X,X,I,S,I,I,I"},
    {"XAXMAP", "X,X,X,X,S,I,I"}, {"XCROSS", ""}, {"XDRAW", "X,X"}, {"XMOVE", "X,X"}, {"YAXGIT", ""},
    {"YAXIS", "X,X,X,X,I,S,I,I,I"}, {"YAXLG", "X,X,X,X,I,S,I,I,I"}, {"YAXMAP", "X,X,X,X,S,I,I"},
    {"YCROSS", ""}, {"ZAXIS", "X,X,X,X,I,S,I,I,I,I"}, {"ZAXLG", "X,X,X,X,I,S,I,I,I,I"}, {"ZSCALE", "X,X"},
};

// Library functions, called as VAR = NAME(...), in alphabetical order.
constexpr RoutineRow function_rows[] = {
    {"BITSI2", "I,H,I,H,I"}, {"BITSI4", "I,I,I,I,I"}, {"CLOSFL", "I"}, {"DWGBUT", "S,I"},
    {"DWGFIL", "S,S,S"}, {"DWGLIS", "S,S,I"}, {"DWGTXT", "S,S"}, {"FCHA", "X,I,U"}, {"FLEN", "X,I"},
    {"GETANG", ""}, {"GETBLK", ""}, {"GETCLR", ""}, {"GETDFL", ""}, {"GETDSP", ""}, {"GETFIL", ""},
    {"GETHGT", ""}, {"GETLEV", ""}, {"GETLIN", ""}, {"GETMFL", ""}, {"GETPAT", ""}, {"GETTYP", ""},
    {"GETUNI", ""}, {"GETVER", ""}, {"GETVLT", ""}, {"GETWID", ""}, {"GETXID", "S"}, {"GWGBOX", "I"},
    {"GWGBUT", "I"}, {"GWGFIL", "I"}, {"GWGLIS", "I"}, {"GWGSCL", "I"}, {"GWGTXT", "I"}, {"INTCHA", "I,U"},
    {"INTLEN", "I"}, {"ITMCNT", "S"}, {"ITMSTR", "S,I"}, {"NLMESS", "S"}, {"NLNUMB", "X,I"},
    {"NXLEGN", "S"}, {"NXPOSN", "X"}, {"NYLEGN", "S"}, {"NYPOSN", "X"}, {"NZPOSN", "X"},
    {"OPENFL", "S,I,I"}, {"POSIFL", "I,I"}, {"READFL", "I,AR,I"}, {"SKIPFL", "I,I"}, {"TELLFL", "I"},
    {"WGAPP", "I,S"}, {"WGBAS", "I,S"}, {"WGBOX", "I,S,I"}, {"WGBUT", "I,S,I"}, {"WGCMD", "I,S,S"},
    {"WGFIL", "I,S,S,S"}, {"WGINI", "S"}, {"WGLAB", "I,S"}, {"WGLIS", "I,S,I"}, {"WGLTXT", "I,S,S,I"},
    {"WGOK", "I"}, {"WGPBUT", "I,S"}, {"WGPOP", "I,S"}, {"WGQUIT", "I"}, {"WGSCL", "I,S,X,X,X,I"},
    {"WGTXT", "I,S"}, {"WINID", ""}, {"WRITFL", "I,AR,I"}, {"X2DPOS", "X,X"}, {"X3DABS", "X,X,X"},
    {"X3DPOS", "X,X,X"}, {"X3DREL", "X,X,X"}, {"XINVRS", "I"}, {"XPOSN", "X"}, {"Y2DPOS", "X,X"},
    {"Y3DABS", "X,X,X"}, {"Y3DPOS", "X,X,X"}, {"Y3DREL", "X,X,X"}, {"YINVRS", "I"}, {"YPOSN", "X"},
    {"Z3DPOS", "X,X,X"},
};

static_assert(std::size(procedure_rows) == procedure_count);
static_assert(std::size(function_rows) == function_count);

std::span<const RoutineRow> rows_of(Group group)
{
    if (group == Group::procedure)
        return procedure_rows;
    return function_rows;
}

// For each group and upper-case initial, the first row whose name starts with
// a letter not before it: the linear search from the first row then finds
// the same row as a search over the whole table, with fewer comparisons.
struct InitialIndex {
    std::array<std::uint16_t, 257> first{};
    explicit InitialIndex(std::span<const RoutineRow> rows)
    {
        std::size_t row = 0;
        for (int c = 0; c <= 256; ++c) {
            while (row < rows.size() && static_cast<unsigned char>(rows[row].name[0]) < c)
                ++row;
            first[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(row);
        }
    }
};

}  // namespace

std::span<const RoutineRow> routine_rows(Group group) { return rows_of(group); }

int lookup_routine(std::string_view name, Group group)
{
    static const InitialIndex procedure_index(procedure_rows);
    static const InitialIndex function_index(function_rows);
    if (name.empty())
        return -1;
    std::span<const RoutineRow> rows = rows_of(group);
    const InitialIndex& index = group == Group::procedure ? procedure_index : function_index;
    auto initial = static_cast<unsigned char>(name[0]);
    std::size_t end = index.first[static_cast<std::size_t>(initial) + 1];
    for (std::size_t row = index.first[initial]; row < end; ++row) {
        if (name == rows[row].name)
            return static_cast<int>(row);
    }
    return -1;
}

const char* routine_signature(int row, Group group) { return rows_of(group)[static_cast<std::size_t>(row)].signature; }

const char* routine_name(int row, Group group) { return rows_of(group)[static_cast<std::size_t>(row)].name; }

}  // namespace korvan::binding
