#include "interp/executor.hpp"

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "interp/assignment.hpp"
#include "interp/declarations.hpp"
#include "interp/eval_stack.hpp"
#include "interp/executor_hooks.hpp"
#include "interp/front_end.hpp"
#include "interp/function_table.hpp"
#include "interp/label_table.hpp"
#include "interp/loader.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/print_list.hpp"
#include "interp/shutdown.hpp"
#include "interp/token_cache.hpp"
#include "interp/tokenizer.hpp"
#include "interp/value.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

namespace {

constexpr int level_marks = 16;

struct Hooks {
    BlockHandler block = nullptr;
    RoutineCallHandler routine_call = nullptr;
    FunctionAssignmentHandler function_assignment = nullptr;
    LabelHandler label = nullptr;
    bool labels_defined[level_marks]{};
};

Hooks& hooks()
{
    static Hooks h;
    return h;
}

// Sets the tokenizer on the operands: the text after the first word and one blank.
void start_operands(std::string_view operands)
{
    reset_tokenizer(operands);
    next_token();
}

std::string_view operands_after(std::string_view text, std::size_t word_end)
{
    std::string_view rest = text.substr(word_end);
    if (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    return rest;
}

template <int Code>
void declare(std::string_view operands)
{
    start_operands(operands);
    declaration_statement(Code);
}

void free_command(std::string_view operands)
{
    start_operands(operands);
    free_statement();
}

void print_command(std::string_view operands)
{
    start_operands(operands);
    print_statement();
}

void list_command(std::string_view operands)
{
    start_operands(operands);
    list_statement();
}

void exit_command(std::string_view) { terminate_run(0); }

struct Keyword {
    std::string_view word;
    KeywordHandler handler;  // nullptr: the command is not available
};

Keyword keyword_table[] = {
    {"BREAK", nullptr},        {"CONTINUE", nullptr},   {"GOTO", nullptr},
    {"EXIT", &exit_command},   {"CALL", nullptr},       {"SUBROUTINE", nullptr},
    {"FUNCTION", nullptr},     {"RETURN", nullptr},     {"EXTERN", nullptr},
    {"BYTE", &declare<T_BYTE_ARRAY>},     {"CHAR", &declare<T_CHAR_ARRAY>},
    {"SHORT", &declare<T_SHORT_ARRAY>},   {"INT", &declare<T_INT_ARRAY>},
    {"FLOAT", &declare<T_FLOAT_ARRAY>},   {"DOUBLE", &declare<T_DOUBLE_ARRAY>},
    {"COMPLEX", &declare<T_COMPLEX_ARRAY>}, {"FREE", &free_command},
    {"HELP", nullptr},         {"LIST", &list_command}, {"LOGON", nullptr},
    {"LOGOFF", nullptr},       {"PRINT", &print_command}, {"PLOT", nullptr},
    {"SCATTR", nullptr},       {"PLOT3", nullptr},      {"PLOT3R", nullptr},
    {"CONTOUR", nullptr},      {"CONSHADE", nullptr},   {"SURF3", nullptr},
    {"SURFACE", nullptr},      {"SURSHADE", nullptr},
};
static_assert(sizeof keyword_table / sizeof keyword_table[0] == 31);

// Words of the control statements, reported as unknown while no block handler is installed.
constexpr std::string_view block_words[] = {"IF", "ELSEIF", "ELSE", "ENDIF", "END",
                                            "DO", "WHILE", "SWITCH", "CASE", "DEFAULT"};

bool is_block_word(std::string_view word)
{
    for (std::string_view w : block_words) {
        if (w == word)
            return true;
    }
    return false;
}

std::optional<std::string> read_include_operand(std::string_view operands)
{
    start_operands(operands);
    int count = 0;
    if (!evaluate_list(0, count)) {
        pop_to(0);
        return std::nullopt;
    }
    if (count == 0) {
        report("Missing parameter in INCLUDE statement");
        return std::nullopt;
    }
    const Value& first = stack_at(0);
    if (first.type != T_STRING) {
        report("Parameter of INCLUDE must be a string");
        pop_to(0);
        return std::nullopt;
    }
    std::string name(first.slot.text, static_cast<std::size_t>(first.count));
    if (count > 1)
        report("Too many parameters in INCLUDE statement");
    if (current_token() != TK_END)
        report("Expected end of statement in INCLUDE");
    pop_to(0);
    return name;
}

void routine_call(const StatementView& s)
{
    if (s.first_token != TK_IDENT) {
        report("Syntax error");
        return;
    }
    if (hooks().routine_call != nullptr && hooks().routine_call(s.first_word, s.text))
        return;
    if (lookup_function(s.first_word) < 0) {
        report("Undefined routine " + std::string(s.first_word));
        return;
    }
    // A built-in function used as a statement: evaluated, its result dropped.
    start_operands(s.text);
    pop_to(0);
    if (evaluate_expression() && current_token() != TK_END && current_token() != TK_ERROR)
        report("Syntax error - Expected end of line");
    pop_to(0);
}

void define_label(const StatementView& s)
{
    if (s.first_token != TK_IDENT) {
        report("Syntax error");
        return;
    }
    StatementBuffer& buffer = front_end().buffer;
    bool fresh = buffer.executing_fresh();
    int index = find_label(s.first_word);
    if (index >= 0 && fresh) {
        report("Multiple defined label", s.first_word);
        return;
    }
    if (index < 0) {
        index = allocate_label(s.first_word);
        if (index < 0)
            return;
    }
    set_labels_defined(routine_level(), true);
    if (!buffer.store_mode) {
        buffer.store_mode = true;
        if (fresh)
            buffer.append(s.text);
    }
    if (hooks().label != nullptr)
        hooks().label(s.first_word);
    const ControlState& c = control_state();
    Label& l = label(index);
    l.position = fresh ? buffer.count() - 1 : buffer.current;
    l.if_depth = c.if_depth;
    l.loop_depth = c.loop_depth;
    l.switch_depth = c.switch_depth;
    l.skipping = c.skipping;
}

void keyword_statement(const StatementView& s, std::size_t word_end)
{
    if (s.first_token == TK_IDENT) {
        for (const Keyword& k : keyword_table) {
            if (k.word == s.first_word) {
                if (k.handler == nullptr)
                    break;
                k.handler(operands_after(s.text, word_end));
                return;
            }
        }
    }
    report("Undefined command", s.first_word);
}

void assignment(const StatementView& s)
{
    if (s.first_token != TK_IDENT) {
        report("Syntax error");
        return;
    }
    next_token();  // past "="
    if (hooks().function_assignment != nullptr && current_token() == TK_IDENT && peek_character() == '(' &&
        lookup_function(token_name()) < 0 && find_variable(token_name()) < 0) {
        char callee[16];
        std::memcpy(callee, tokenizer().record.name, sizeof callee);
        if (hooks().function_assignment(s.first_word, callee, s.text))
            return;
    }
    assignment_statement(s.first_word);
}

}  // namespace

BlockHandler set_block_handler(BlockHandler handler)
{
    BlockHandler old = hooks().block;
    hooks().block = handler;
    return old;
}

BlockHandler installed_block_handler() { return hooks().block; }

RoutineCallHandler set_routine_call_handler(RoutineCallHandler handler)
{
    RoutineCallHandler old = hooks().routine_call;
    hooks().routine_call = handler;
    return old;
}

FunctionAssignmentHandler set_function_assignment_handler(FunctionAssignmentHandler handler)
{
    FunctionAssignmentHandler old = hooks().function_assignment;
    hooks().function_assignment = handler;
    return old;
}

LabelHandler set_label_handler(LabelHandler handler)
{
    LabelHandler old = hooks().label;
    hooks().label = handler;
    return old;
}

bool set_keyword_handler(std::string_view keyword, KeywordHandler handler)
{
    for (Keyword& k : keyword_table) {
        if (k.word == keyword) {
            k.handler = handler;
            return true;
        }
    }
    return false;
}

bool labels_defined(int level) { return level >= 0 && level < level_marks && hooks().labels_defined[level]; }

void set_labels_defined(int level, bool defined)
{
    if (level >= 0 && level < level_marks)
        hooks().labels_defined[level] = defined;
}

namespace {

// Copies the statement's first word (upper case for an identifier, otherwise the
// token's own text); the tokenizer stands after the first token.
std::string_view first_word(std::string_view text, int first, char (&word)[24])
{
    const Tokenizer& t = tokenizer();
    std::size_t length = 0;
    if (first == TK_IDENT) {
        std::memcpy(word, t.record.name, 16);
        length = t.name_length;
    } else {
        length = t.pos - t.token_start;
        length = length < sizeof word - 1 ? length : sizeof word - 1;
        std::memcpy(word, text.data() + t.token_start, length);
    }
    word[length] = '\0';
    return std::string_view(word, length);
}

// Classification by the second token: label, routine call, assignment, element
// assignment or keyword statement.
void run_classified(const StatementView& s, std::size_t word_end)
{
    if (s.second_token == TK_COLON) {
        define_label(s);
        return;
    }
    if (control_state().skipping)
        return;
    switch (s.second_token) {
    case TK_LPAREN:
        routine_call(s);
        break;
    case TK_ASSIGN:
        assignment(s);
        break;
    case TK_LBRACKET:
        element_assignment_statement(s.first_word);
        break;
    default:
        keyword_statement(s, word_end);
        break;
    }
}

void dispatch(std::string_view text)
{
    reset_tokenizer(text);
    int first = next_token();
    if (first == TK_END)
        return;
    if (first == TK_IDENT && token_name() == "INCLUDE") {
        include_statement(text);
        return;
    }
    FrontEnd& fe = front_end();
    if (fe.buffer.store_mode && fe.buffer.executing_fresh())
        fe.buffer.append(text);
    if (first == TK_ERROR)
        return;
    char word[24];
    std::size_t word_end = tokenizer().pos;
    StatementView s{text, first_word(text, first, word), first, 0};
    s.second_token = next_token();
    if (s.second_token == TK_ERROR)
        return;  // the tokenizer has reported it

    if (hooks().block != nullptr) {
        if (hooks().block(s))
            return;
    } else if (first == TK_IDENT && is_block_word(s.first_word)) {
        if (!control_state().skipping)
            report("Undefined command", s.first_word);
        return;
    }
    run_classified(s, word_end);
}

}  // namespace

void execute(std::string_view text)
{
    static const bool include_reader_installed = (set_include_operand_reader(&read_include_operand), true);
    (void)include_reader_installed;
    // A stored statement running again replays its tokens from the cache; a buffer
    // entry keeps only the tokens of its own text.
    StatementBuffer& buffer = front_end().buffer;
    std::shared_ptr<TokenList> unstored;
    std::shared_ptr<TokenList>* tokens = nullptr;
    if (!buffer.executing_fresh())
        tokens = buffer.at(buffer.current) == text ? &buffer.tokens_at(buffer.current) : &unstored;
    StatementTokens cache(text, tokens);
    dispatch(text);
    // Whatever a failed statement left on the evaluation stack is released now.
    if (stack_depth() > 0)
        pop_to(0);
}

void execute_simple_statement(std::string_view text)
{
    reset_tokenizer(text);
    int first = next_token();
    if (first != TK_END && first != TK_ERROR) {
        char word[24];
        std::size_t word_end = tokenizer().pos;
        StatementView s{text, first_word(text, first, word), first, 0};
        s.second_token = next_token();
        if (s.second_token != TK_ERROR)
            run_classified(s, word_end);
    }
    if (stack_depth() > 0)
        pop_to(0);
}

int open_if_blocks() { return control_state().if_depth; }

int current_routine_level() { return routine_level(); }

std::vector<std::string_view> statement_words()
{
    std::vector<std::string_view> words;
    for (const Keyword& k : keyword_table)
        words.push_back(k.word);
    for (std::string_view w : block_words)
        words.push_back(w);
    return words;
}

}  // namespace korvan::kfl
