// Array declarations (BYTE, CHAR, SHORT, INT, FLOAT, DOUBLE, COMPLEX) and FREE.
#pragma once

namespace korvan::kfl {

// The current token is the first token after the type keyword.
void declaration_statement(int array_code);

// The current token is the first token after FREE.
void free_statement();

}  // namespace korvan::kfl
