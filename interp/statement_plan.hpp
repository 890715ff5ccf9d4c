// Stored statements classified once. When a statement of the statement buffer
// runs again, it is looked at once for the kinds that loop bodies are made of:
// an assignment of a whole variable from an expression that compiles, a block IF
// whose condition compiles, ELSE, END IF, END DO, END WHILE and END SWITCH.
// Later runs go straight to what the executor reaches for such a statement,
// without the tokenizer and the keyword dispatch. A plan holds while the function
// table it was made with is in place; the cases a plan does not cover (skipping
// a routine body, a full IF nesting, ...) and every other statement run through
// the executor as before.
#pragma once

#include <cstdint>

namespace korvan::kfl {

class StatementBuffer;
struct CompiledExpression;
struct TokenList;

enum class PlanKind : std::uint8_t {
    unplanned,    // not looked at yet
    general,      // runs through the executor
    assignment,   // NAME = expression
    block_if,     // IF (condition) alone on its statement
    else_branch,  // ELSE alone
    end_if,       // ENDIF, END IF
    end_do,       // END DO
    end_while,    // END WHILE
    end_switch,   // END SWITCH
};

struct StatementPlan {
    PlanKind kind = PlanKind::unplanned;
    unsigned functions = 0;                     // the function table the plan was made with
    TokenList* expression_tokens = nullptr;     // where the expression was compiled from
    CompiledExpression* expression = nullptr;   // the right side or the condition
};

// True when plans may run: the token cache is allowed and the control statements
// are this interpreter's own.
bool statement_plans_usable();

// Runs the statement at the position of the buffer from its plan
// (making the plan when the statement has none); false when it has to go
// through the executor.
bool run_stored_statement(StatementBuffer& buffer, int position);

}  // namespace korvan::kfl
