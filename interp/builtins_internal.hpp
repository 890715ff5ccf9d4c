// The built-in functions, one C++ function each, called with their arguments
// after the signature match. Each leaves one result (see builtin_support.hpp)
// and returns false when the call fails.
#pragma once

#include "interp/builtin_support.hpp"

namespace korvan::kfl::builtins {

// Numeric, complex and conversion functions.
bool abs_fn(const Args& a);
bool arg_fn(const Args& a);
bool conjg_fn(const Args& a);
bool imag_fn(const Args& a);
bool complex_fn(const Args& a);
bool byte_fn(const Args& a);
bool char_fn(const Args& a);
bool short_fn(const Args& a);
bool int_fn(const Args& a);
bool float_fn(const Args& a);
bool double_fn(const Args& a);
bool string_fn(const Args& a);

// Array functions.
bool dalloc_fn(const Args& a);
bool falloc_fn(const Args& a);
bool ialloc_fn(const Args& a);
bool subarr_fn(const Args& a);
bool catarr_fn(const Args& a);
bool submat_fn(const Args& a);
bool trpmat_fn(const Args& a);
bool maxarr_fn(const Args& a);
bool minarr_fn(const Args& a);

// String functions.
bool strlen_fn(const Args& a);
bool trmlen_fn(const Args& a);
bool strlwr_fn(const Args& a);
bool strupr_fn(const Args& a);
bool strrep_fn(const Args& a);
bool strstr_fn(const Args& a);
bool substr_fn(const Args& a);
bool atonum_fn(const Args& a);
bool numtoa_fn(const Args& a);

// System, time and variable functions.
bool clock_fn(const Args& a);
bool date_fn(const Args& a);
bool time_fn(const Args& a);
bool getenv_fn(const Args& a);
bool getarg_fn(const Args& a);
bool argcnt_fn(const Args& a);
bool keycnt_fn(const Args& a);
bool system_fn(const Args& a);
bool inquire_fn(const Args& a);
bool remove_fn(const Args& a);
bool rename_fn(const Args& a);
bool vardef_fn(const Args& a);
bool vartyp_fn(const Args& a);
bool varcnt_fn(const Args& a);
bool vardim_fn(const Args& a);

// Math functions (the function's name in the arguments selects the operation).
bool math_fn(const Args& a);

// File functions.
bool fopen_fn(const Args& a);
bool fclose_fn(const Args& a);
bool feof_fn(const Args& a);
bool fflush_fn(const Args& a);
bool fgetc_fn(const Args& a);
bool fgets_fn(const Args& a);
bool fputc_fn(const Args& a);
bool fputs_fn(const Args& a);
bool fread_fn(const Args& a);
bool fwrite_fn(const Args& a);
bool fseek_fn(const Args& a);
bool ftell_fn(const Args& a);
bool rewind_fn(const Args& a);
bool gets_fn(const Args& a);
bool puts_fn(const Args& a);

// Formatted input and output.
bool printf_fn(const Args& a);
bool fprintf_fn(const Args& a);
bool sprintf_fn(const Args& a);
bool scanf_fn(const Args& a);
bool fscanf_fn(const Args& a);
bool sscanf_fn(const Args& a);

// Data files.
bool datfil_fn(const Args& a);
bool datcnt_fn(const Args& a);
bool datblk_fn(const Args& a);
bool dathdr_fn(const Args& a);
bool datmat_fn(const Args& a);
bool datray_fn(const Args& a);
bool datvar_fn(const Args& a);
bool datcls_fn(const Args& a);

}  // namespace korvan::kfl::builtins
