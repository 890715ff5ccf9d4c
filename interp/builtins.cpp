#include "interp/builtins.hpp"

#include <array>
#include <utility>

#include "interp/argument_match.hpp"
#include "interp/builtins_internal.hpp"
#include "interp/function_table.hpp"

namespace korvan::kfl {

namespace {
using namespace builtins;

struct Row {
    BuiltinRow row;
    bool (*run)(const Args&);
};

constexpr Row rows[builtin_count] = {
    {{"ABS", "*", 0}, abs_fn},
    {{"ARG", "*", 0}, arg_fn},
    {{"ARGCNT", "", 0}, argcnt_fn},
    {{"ATONUM", "S", 0}, atonum_fn},
    {{"BYTE", "*", 1}, byte_fn},
    {{"CATARR", "AR,AR", 0}, catarr_fn},
    {{"CHAR", "*", 1}, char_fn},
    {{"CLOCK", "", 0}, clock_fn},
    {{"COMPLEX", ".", 1}, complex_fn},
    {{"CONJG", "*", 0}, conjg_fn},
    {{"DALLOC", "I", 0}, dalloc_fn},
    {{"DATBLK", "I", 0}, datblk_fn},
    {{"DATCNT", "S", 0}, datcnt_fn},
    {{"DATE", "", 0}, date_fn},
    {{"DATCLS", "", 0}, datcls_fn},
    {{"DATFIL", "S", 0}, datfil_fn},
    {{"DATHDR", "", 0}, dathdr_fn},
    {{"DATMAT", "", 0}, datmat_fn},
    {{"DATRAY", "I", 0}, datray_fn},
    {{"DATVAR", "S", 0}, datvar_fn},
    {{"DOUBLE", "*", 1}, double_fn},
    {{"FALLOC", "I", 0}, falloc_fn},
    {{"FCLOSE", "I", 0}, fclose_fn},
    {{"FEOF", "I", 0}, feof_fn},
    {{"FGETC", "I", 0}, fgetc_fn},
    {{"FGETS", "S,I,I", 1}, fgets_fn},
    {{"FFLUSH", "I", 0}, fflush_fn},
    {{"FLOAT", "*", 1}, float_fn},
    {{"FOPEN", "S,S", 0}, fopen_fn},
    {{"FPRINTF", ".", 1}, fprintf_fn},
    {{"FPUTC", "I,I", 0}, fputc_fn},
    {{"FPUTS", "S,I", 1}, fputs_fn},
    {{"FREAD", "AR,I,I", 1}, fread_fn},
    {{"FSCANF", ".", 1}, fscanf_fn},
    {{"FSEEK", "I,I", 0}, fseek_fn},
    {{"FTELL", "I", 0}, ftell_fn},
    {{"FWRITE", "AR,I,I", 1}, fwrite_fn},
    {{"GETARG", "I", 0}, getarg_fn},
    {{"GETENV", "S", 1}, getenv_fn},
    {{"GETS", "S", 1}, gets_fn},
    {{"IALLOC", "I", 0}, ialloc_fn},
    {{"IMAG", "*", 1}, imag_fn},
    {{"INQUIRE", "S", 1}, inquire_fn},
    {{"INT", "*", 1}, int_fn},
    {{"KEYCNT", "", 0}, keycnt_fn},
    {{"MAXARR", "AR", 1}, maxarr_fn},
    {{"MINARR", "AR", 1}, minarr_fn},
    {{"NUMTOA", "X,I", 0}, numtoa_fn},
    {{"PRINTF", ".", 1}, printf_fn},
    {{"PUTS", "S", 1}, puts_fn},
    {{"REMOVE", "S", 1}, remove_fn},
    {{"RENAME", "S,S", 1}, rename_fn},
    {{"REWIND", "I", 0}, rewind_fn},
    {{"SCANF", ".", 1}, scanf_fn},
    {{"SHORT", "*", 1}, short_fn},
    {{"SPRINTF", ".", 1}, sprintf_fn},
    {{"SSCANF", ".", 1}, sscanf_fn},
    {{"STRING", "*", 1}, string_fn},
    {{"STRLEN", "S", 1}, strlen_fn},
    {{"STRLWR", "S", 0}, strlwr_fn},
    {{"STRREP", "S,I", 1}, strrep_fn},
    {{"STRSTR", "S,S", 0}, strstr_fn},
    {{"STRUPR", "S", 0}, strupr_fn},
    {{"SUBARR", "AR,I,I", 0}, subarr_fn},
    {{"SUBMAT", "AR,IR", 0}, submat_fn},
    {{"SUBSTR", "S,I,I", 0}, substr_fn},
    {{"SYSTEM", "S", 0}, system_fn},
    {{"TIME", "", 0}, time_fn},
    {{"TRMLEN", "S", 1}, trmlen_fn},
    {{"TRPMAT", "AR", 0}, trpmat_fn},
    {{"VARCNT", "U", 1}, varcnt_fn},
    {{"VARDEF", "U", 1}, vardef_fn},
    {{"VARDIM", "U,I", 1}, vardim_fn},
    {{"VARTYP", "U", 1}, vartyp_fn},
    {{"ACOS", "*", 0}, math_fn},
    {{"ASIN", "*", 0}, math_fn},
    {{"ATAN", "*", 0}, math_fn},
    {{"ATAN2", "*,*", 0}, math_fn},
    {{"CEIL", "*", 0}, math_fn},
    {{"COS", "*", 0}, math_fn},
    {{"COSH", "*", 0}, math_fn},
    {{"EXP", "*", 0}, math_fn},
    {{"FLOOR", "*", 0}, math_fn},
    {{"FMOD", "*,*", 0}, math_fn},
    {{"LOG", "*", 0}, math_fn},
    {{"LOG10", "*", 0}, math_fn},
    {{"SIN", "*", 0}, math_fn},
    {{"SINH", "*", 0}, math_fn},
    {{"SQRT", "*", 0}, math_fn},
    {{"TAN", "*", 0}, math_fn},
    {{"TANH", "*", 0}, math_fn},
};

// Matches the arguments, runs the function and makes sure one record is left.
bool call_row(int row, int base)
{
    const Row& r = rows[row];
    if (!match_stack_arguments(r.row.name, r.row.signature, base)) {
        pop_to(base);
        return false;
    }
    Args args{base, stack_depth() - base, r.row.name};
    bool ok = r.run(args);
    if (!ok)
        pop_to(base);
    return ok;
}

template <std::size_t... I>
constexpr std::array<BuiltinFunction, builtin_count> make_table(std::index_sequence<I...>)
{
    return {BuiltinFunction{rows[I].row.name, rows[I].row.flag,
                            [](int base) { return call_row(static_cast<int>(I), base); }}...};
}

constexpr std::array<BuiltinFunction, builtin_count> table = make_table(std::make_index_sequence<builtin_count>{});
}  // namespace

const BuiltinRow& builtin_row(int row) { return rows[row].row; }

void install_builtins() { set_function_table(table.data(), builtin_count); }

}  // namespace korvan::kfl
